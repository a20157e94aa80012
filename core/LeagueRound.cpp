#include "core/LeagueRound.h"

#include "core/DataStore.h"
#include "core/LeagueAnswer.h"
#include "core/UGlobal.h"
#include "platform/XmlDocument.h"

#include <QDate>

namespace {

constexpr int FixtureCount = 56; // a season of eight clubs
constexpr int MatchesPerRound = 4;

} // namespace

QStringList LeagueTeamIds(const XmlNode& details) {
    QStringList ids;
    for (const LeagueClub& club : LeagueClubs(details))
        ids << club.TeamId;
    return ids;
}

std::optional<NextLeagueMatch> FirstUnfinishedMatch(const XmlNode& matches) {
    for (const XmlNode& match : matches.Path(QStringLiteral("Team/MatchList")).Children()) {
        if (match.ChildText(QStringLiteral("Status")) == QLatin1String("FINISHED"))
            continue;
        const QString id = NumberText(match.ChildText(QStringLiteral("MatchID")));
        const QString start = match.ChildText(QStringLiteral("MatchDate")).trimmed().left(10);
        if (id.isEmpty() || !QDate::fromString(start, QStringLiteral("yyyy-MM-dd")).isValid())
            return std::nullopt;
        return NextLeagueMatch{id, start};
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
    int seen = 0;
    for (const XmlNode& match : fixtures.Children()) {
        if (match.NodeName() != QLatin1String("Match"))
            continue;
        if (++seen > FixtureCount)
            break;
        if (!match.ChildText(QStringLiteral("HomeGoals")).isEmpty())
            continue;
        ++unplayed;
        if (unplayed <= MatchesPerRound)
            continue; // the round being followed
        if (unplayed > 2 * MatchesPerRound)
            break;
        if (unplayed == MatchesPerRound + 1)
            round.Title =
                roundWord + QLatin1Char(' ') + NumberText(match.ChildText(QStringLiteral("MatchRound")));
        round.Fixtures << AnswerName(match.ChildText(QStringLiteral("HomeTeam/HomeTeamName"))) +
                              QStringLiteral(" - ") +
                              AnswerName(match.ChildText(QStringLiteral("AwayTeam/AwayTeamName")));
    }
    return round;
}
