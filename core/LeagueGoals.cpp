#include "core/LeagueGoals.h"

#include "core/DataStore.h"
#include "core/LeagueAnswer.h"
#include "core/LeagueTable.h"
#include "core/UConectar.h"
#include "core/UGlobal.h"
#include "platform/XmlDocument.h"

#include <QFileInfo>

using namespace GoalListColumn;

namespace {

constexpr int RoundSlots = 4;
// A club's players answer lists a few dozen players; one that lists more is not a club's.
constexpr int MaxPlayers = 1000;

} // namespace

QString PlayerNameOf(const XmlNode& player) {
    const QString name = player.ChildText(QStringLiteral("PlayerName"));
    if (!name.isEmpty())
        return AnswerName(name);
    const QString first = AnswerName(player.ChildText(QStringLiteral("FirstName")));
    const QString last = AnswerName(player.ChildText(QStringLiteral("LastName")));
    return AnswerName(first.isEmpty() || last.isEmpty() ? first + last : first + QLatin1Char(' ') + last);
}

void ResetScorers(TBKStringGrid& scorers) {
    BlankCells(scorers, 1);
    ShapeTable(scorers, ScorerCount, 2, 1);
}

bool AppendScorers(const XmlNode& players, TBKStringGrid& scorers) {
    const QString teamName = AnswerName(players.ChildText(QStringLiteral("Team/TeamName")));
    QVector<QStringList> rows;
    int listed = 0;
    for (const XmlNode& player : players.Path(QStringLiteral("Team/PlayerList")).Children()) {
        if (++listed > MaxPlayers)
            return false;
        const std::optional<qint64> goals =
            BoundedCount(player.ChildText(QStringLiteral("LeagueGoals")), kMaxLeagueCount);
        const QString id = NumberText(player.ChildText(QStringLiteral("PlayerID")));
        if (!goals || id.isEmpty())
            return false;
        if (*goals > 0)
            rows.append(
                {id, GoalCountText(QString::number(*goals)), QString(), PlayerNameOf(player), teamName});
    }
    for (const QStringList& row : rows)
        AppendRow(scorers, row);
    return true;
}

void FillRanking(const XmlNode& details, const QString& goals, TBKStringGrid& ranking) {
    const bool goalsFor = goals == QLatin1String("GoalsFor");
    int r = 0;
    for (const LeagueClub& club : LeagueClubs(details)) {
        ++r;
        ranking.SetCells(GoalListId, r, club.TeamId);
        ranking.SetCells(GoalListTotal, r,
                         GoalCountText(QString::number(goalsFor ? club.GoalsFor : club.GoalsAgainst)));
        ranking.SetCells(GoalListRoundGoals, r, QString());
        ranking.SetCells(GoalListName, r, club.TeamName);
    }
}

int GoalListRow(const TBKStringGrid& list, const QString& id, int firstRow, int lastRow) {
    for (int r = firstRow; r <= lastRow && r < list.RowCount(); ++r)
        if (list.Cells(GoalListId, r) == id)
            return r;
    return -1;
}

void AddGoal(TBKStringGrid& list, int row) {
    const qint64 total = TableNumber(list.Cells(GoalListTotal, row));
    const qint64 round = TableNumber(list.Cells(GoalListRoundGoals, row).mid(1));
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
        for (const XmlNode& player : root.Path(QStringLiteral("Team/PlayerList")).Children()) {
            if (NumberText(player.ChildText(QStringLiteral("PlayerID"))) != playerId)
                continue;
            scorers.SetCells(GoalListName, row, PlayerNameOf(player));
            scorers.SetCells(GoalListTeamName, row,
                             AnswerName(root.ChildText(QStringLiteral("Team/TeamName"))));
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
