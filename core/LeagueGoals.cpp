#include "core/LeagueGoals.h"

#include "core/DataStore.h"
#include "core/LeagueTable.h"
#include "core/UConectar.h"
#include "platform/XmlDocument.h"

#include <QFileInfo>

using namespace GoalListColumn;

namespace {

constexpr int FirstTeamChild = 11;
constexpr int TeamCount = 8;
constexpr int RoundSlots = 4;

} // namespace

QString PlayerNameOf(const XmlNode& player) {
    const QString name = player.ChildText(QStringLiteral("PlayerName"));
    if (!name.isEmpty())
        return name;
    const QString first = player.ChildText(QStringLiteral("FirstName"));
    const QString last = player.ChildText(QStringLiteral("LastName"));
    return first.isEmpty() || last.isEmpty() ? first + last : first + QLatin1Char(' ') + last;
}

void AppendScorers(const XmlNode& players, TBKStringGrid& scorers) {
    const QString teamName = players.ChildText(QStringLiteral("Team/TeamName"));
    const XmlNode list = players.Path(QStringLiteral("Team/PlayerList"));
    for (int i = 0; i < list.ChildCount(); ++i) {
        const XmlNode player = list.Child(i);
        const QString goals = player.ChildText(QStringLiteral("LeagueGoals"));
        if (goals == QLatin1String("0"))
            continue;
        AppendRow(scorers, {player.ChildText(QStringLiteral("PlayerID")), GoalCountText(goals), QString(),
                            PlayerNameOf(player), teamName});
    }
}

void FillRanking(const XmlNode& details, const QString& goals, TBKStringGrid& ranking) {
    for (int i = FirstTeamChild; i < FirstTeamChild + TeamCount; ++i) {
        const XmlNode team = details.Child(i);
        const QString teamId = team.ChildText(QStringLiteral("TeamID"));
        if (teamId.isEmpty())
            continue;
        const int r = i - FirstTeamChild + 1;
        ranking.SetCells(GoalListId, r, teamId);
        ranking.SetCells(GoalListTotal, r, GoalCountText(team.ChildText(goals)));
        ranking.SetCells(GoalListRoundGoals, r, QString());
        ranking.SetCells(GoalListName, r, team.ChildText(QStringLiteral("TeamName")));
    }
}

int GoalListRow(const TBKStringGrid& list, const QString& id, int firstRow, int lastRow) {
    for (int r = firstRow; r <= lastRow && r < list.RowCount(); ++r)
        if (list.Cells(GoalListId, r) == id)
            return r;
    return -1;
}

void AddGoal(TBKStringGrid& list, int row) {
    const int total = TableNumber(list.Cells(GoalListTotal, row));
    const int round = TableNumber(list.Cells(GoalListRoundGoals, row).mid(1));
    list.SetCells(GoalListTotal, row, GoalCountText(QString::number(total + 1)));
    list.SetCells(GoalListRoundGoals, row, QLatin1Char('+') + QString::number(round + 1));
}

void CountScorerGoal(TBKStringGrid& scorers, const QString& playerId, const QString& playersFile) {
    const int found = GoalListRow(scorers, playerId, 1, scorers.RowCount() - 2);
    if (found >= 0) {
        AddGoal(scorers, found);
        return;
    }
    if (!QFileInfo::exists(playersFile))
        return;
    // The row is complete as a count before the file is read, so a file that cannot be read still
    // leaves the list with its empty last row and the goal counted.
    const int row = scorers.RowCount() - 1;
    AppendRow(scorers, {playerId, GoalCountText(QStringLiteral("1")), QStringLiteral("+ 1")});
    try {
        XmlDocument doc;
        doc.LoadFromFile(playersFile);
        const XmlNode root = doc.DocumentElement();
        if (!IsAnswerOf(root, QStringLiteral("players.xml")))
            return;
        const XmlNode list = root.Path(QStringLiteral("Team/PlayerList"));
        for (int i = 0; i < list.ChildCount(); ++i) {
            const XmlNode player = list.Child(i);
            if (player.ChildText(QStringLiteral("PlayerID")) != playerId)
                continue;
            scorers.SetCells(GoalListName, row, PlayerNameOf(player));
            scorers.SetCells(GoalListTeamName, row, root.ChildText(QStringLiteral("Team/TeamName")));
            return;
        }
    } catch (const Exception&) {
    }
}

QString ConcedingTeam(const TBKStringGrid& matches, const QString& teamId) {
    for (int s = 0; s < RoundSlots; ++s) {
        if (matches.Cells(MatchColumn::HomeTeamId, s) == teamId)
            return matches.Cells(MatchColumn::AwayTeamId, s);
        if (matches.Cells(MatchColumn::AwayTeamId, s) == teamId)
            return matches.Cells(MatchColumn::HomeTeamId, s);
    }
    return QString();
}
