#pragma once
// The round of the user's league that is about to be played (or is being played): the eight clubs of
// the league details file, each club's next match from its matches file, the round's date, and the
// round after it from the fixtures file.
#include "core/BKStringGrid.h"

#include <QString>
#include <QStringList>
#include <optional>

class XmlNode;

// Columns of the scratch table of the round search: one row per club, in the league file's order.
namespace LeagueScanColumn {
enum Value : int {
    LeagueTeamId = 0,
    NextMatchId = 1,
    NextMatchStart = 2, // the date of the next match, "yyyy-mm-dd"
};
constexpr int Count = 3;
constexpr int Rows = 8;
} // namespace LeagueScanColumn

// The team IDs of the clubs of a league details answer (LeagueClubs): none when they fail a check.
QStringList LeagueTeamIds(const XmlNode& details);

// The first match of a matches answer (Team/MatchList, in file order) that is not "FINISHED"; nothing
// when its ID is not a number or its date not a date.
struct NextLeagueMatch {
    QString MatchId;
    QString Start; // the first 10 characters of MatchDate
};
std::optional<NextLeagueMatch> FirstUnfinishedMatch(const XmlNode& matches);

// The round's date: the earliest non-empty next-match date of the scan table (sorted by date, so the
// first non-empty one); empty when no club has a match to come. A club whose matches could not be read
// has no date and does not make the round.
QString RoundDate(const TBKStringGrid& scan);

// The first row whose column 1 (the home team ID of the match table) is empty.
std::optional<int> FirstFreeRow(const TBKStringGrid& grid);

// True when teamId is the home or away team of a row of the match table. An empty teamId is true as
// soon as a row is free.
bool TeamInMatchTable(const TBKStringGrid& matches, const QString& teamId);

// The round after the one followed, from a fixtures answer (its first 56 Match elements, wherever they
// stand among the root's children): the first four unplayed fixtures are the round followed and are passed
// over, the next four are this round. Title is roundWord + " " + its MatchRound; each line is "home - away".
struct FollowingRound {
    QString Title;
    QStringList Fixtures; // up to four
};
FollowingRound NextRoundFixtures(const XmlNode& fixtures, const QString& roundWord);
