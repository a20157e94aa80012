#pragma once
// The league table of the user's series: the number texts of its cells, the table before the round as
// the league details file gives it, and the live table recomputed from it and the scores of the round's
// four matches (slots 0..3 of the match table), ordered by points and then goal difference with the
// table sort, with marks for the teams that moved.
#include "core/BKStringGrid.h"

#include <QString>

class XmlNode;

// Columns of the two league tables (before the round, live) and of the scratch tables that order them.
namespace LeagueTableColumn {
enum Value : int {
    TablePosition = 0,
    TableTeamName = 1,
    TablePlayed = 2, // 3..5 are not written
    TableGoalsFor = 6,
    TableGoalsAgainst = 7,
    TableGoalDifference = 8,
    TablePoints = 9,
};
constexpr int Count = 10;
constexpr int Rows = 9; // row 0 captions, rows 1..8 the teams
} // namespace LeagueTableColumn

// The fixed text the live table shows when a club of the table plays none of the round's matches.
inline const QString TeamNamesError = QStringLiteral("Error. Team names.");
// Appended to the position of a team that stands higher (lower) than before the round.
inline const QString MovedUpMark = QStringLiteral("       +");
inline const QString MovedDownMark = QStringLiteral("       -");

// The text less its first `count` characters, but only as far as they are blanks: a number too long
// for the cut keeps every character.
QString CutLeadingBlanks(const QString& text, int count);

// Cells of the tables, right-aligned with blanks for a proportional font.
QString TableCountText(const QString& number);      // played, points: "    5", "  12"
QString TableGoalsText(const QString& number);      // goals for and against: "   5", " 12", "100"
QString TableGoalDifferenceText(qint64 difference); // "     0", "   -3", " -12", "  +3", "+12"
// A table number read back: blanks removed, 0 for a text that is not a number, and bounded far inside
// 64 bits, so that the live table's sums never wrap.
qint64 TableNumber(const QString& cell);
// A count of the scorer and goal lists: three characters, so that the text sort orders it as a number.
QString GoalCountText(const QString& number);
// The goal difference as a key the text sort orders numerically: "  3", " 12" for d >= 0; below every
// one of them for d < 0, and the lower the larger the deficit.
QString GoalDifferenceKey(qint64 difference);

// Gives a league table its shape: 10 columns, 9 rows, the caption row fixed.
void ShapeLeagueTable(TBKStringGrid& table);

// Rows 1..8 of the table before the round from a league details answer: its clubs (LeagueClubs), in the
// file's order. Columns 3..5 are not written; an answer whose values fail their checks writes nothing.
void FillStandings(const XmlNode& details, TBKStringGrid& table);

// True when slots 0..3 of the match table hold four league matches loaded as the league round.
bool IsLeagueRound(const TBKStringGrid& matches);

enum class LiveTableResult {
    TeamNamesError, // a club of the table plays in none of slots 0..3: the text is in the first name cell
    NotRound,       // slots 0..3 are not the league round: nothing changed
    Done,
};
// Recomputes the live table from the table before the round and the current scores of slots 0..3, as if
// they were final; temp and temp2 are the scratch tables the ordering uses.
LiveTableResult ComputeLiveTable(const TBKStringGrid& before, const TBKStringGrid& matches,
                                 TBKStringGrid& temp, TBKStringGrid& temp2, TBKStringGrid& live);
