#include "core/LeagueRound.h"

#include "core/DataStore.h"
#include "platform/XmlDocument.h"

namespace {

constexpr int FirstTeamChild = 11;
constexpr int TeamCount = 8;
constexpr int FirstFixtureChild = 8; // the season's 56 fixtures: root children 8..63
constexpr int FixtureCount = 56;
constexpr int MatchesPerRound = 4;

} // namespace

QStringList LeagueTeamIds(const XmlNode& details) {
    QStringList ids;
    for (int i = FirstTeamChild; i < FirstTeamChild + TeamCount; ++i)
        ids << details.Child(i).ChildText(QStringLiteral("TeamID"));
    return ids;
}

std::optional<NextLeagueMatch> FirstUnfinishedMatch(const XmlNode& matches) {
    const XmlNode list = matches.Path(QStringLiteral("Team/MatchList"));
    for (int i = 0; i < list.ChildCount(); ++i) {
        const XmlNode match = list.Child(i);
        if (match.ChildText(QStringLiteral("Status")) == QLatin1String("FINISHED"))
            continue;
        return NextLeagueMatch{match.ChildText(QStringLiteral("MatchID")),
                               match.ChildText(QStringLiteral("MatchDate")).left(10)};
    }
    return std::nullopt;
}

QString RoundDate(const TBKStringGrid& scan) {
    for (int r = 0; r < scan.RowCount(); ++r) {
        const QString date = scan.Cells(LeagueScanColumn::NextMatchStart, r);
        if (!date.isEmpty())
            return date;
    }
    return QString();
}

std::optional<int> FirstFreeRow(const TBKStringGrid& grid) {
    for (int r = 0; r < grid.RowCount(); ++r)
        if (grid.Cells(1, r).isEmpty())
            return r;
    return std::nullopt;
}

bool TeamInMatchTable(const TBKStringGrid& matches, const QString& teamId) {
    for (int r = 0; r < matches.RowCount(); ++r)
        if (matches.Cells(MatchColumn::HomeTeamId, r) == teamId ||
            matches.Cells(MatchColumn::AwayTeamId, r) == teamId)
            return true;
    return false;
}

FollowingRound NextRoundFixtures(const XmlNode& fixtures, const QString& roundWord) {
    FollowingRound round;
    int unplayed = 0;
    for (int i = FirstFixtureChild; i < FirstFixtureChild + FixtureCount; ++i) {
        const XmlNode match = fixtures.Child(i);
        if (match.IsNull())
            break;
        if (!match.ChildText(QStringLiteral("HomeGoals")).isEmpty())
            continue;
        ++unplayed;
        if (unplayed <= MatchesPerRound)
            continue; // the round being followed
        if (unplayed > 2 * MatchesPerRound)
            break;
        if (unplayed == MatchesPerRound + 1)
            round.Title = roundWord + QLatin1Char(' ') + match.ChildText(QStringLiteral("MatchRound"));
        round.Fixtures << match.ChildText(QStringLiteral("HomeTeam/HomeTeamName")) + QStringLiteral(" - ") +
                              match.ChildText(QStringLiteral("AwayTeam/AwayTeamName"));
    }
    return round;
}
