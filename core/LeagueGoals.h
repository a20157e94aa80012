#pragma once
// The league's scorer list and its goals-for and goals-against rankings: filled from the player and
// league files when the round is loaded, then counted up one goal at a time as the round's goals fall.
// Counts are three characters wide ("  5", " 12") so that the table sort orders them as numbers; the
// goals of the round show as "+1", "+2" beside them.
#include "core/BKStringGrid.h"

#include <QString>

class XmlNode;

// Columns of the scorer list (player) and of the two rankings (team, no column 4).
namespace GoalListColumn {
enum Value : int {
    GoalListId = 0,         // player ID or team ID, hidden
    GoalListTotal = 1,      // league goals so far
    GoalListRoundGoals = 2, // "+n": goals in the round followed
    GoalListName = 3,       // player name or team name
    GoalListTeamName = 4,   // the scorer's team
};
constexpr int ScorerCount = 5;
constexpr int RankingCount = 4;
constexpr int RankingRows = 9; // row 0 captions, rows 1..8 the teams
} // namespace GoalListColumn

// A player's name in a players answer: PlayerName, or (in the game's newer layout, which has none) the
// first and last name.
QString PlayerNameOf(const XmlNode& player);

// Empties the scorer list (its caption row and one empty last row left), so that a second connect does
// not list every scorer twice.
void ResetScorers(TBKStringGrid& scorers);

// Appends the players of a players answer who scored in the league (LeagueGoals above 0) to the scorer
// list, each at its empty last row, which then moves down one. False, and nothing appended, when a
// player's ID is not decimal digits, his goals are not a bounded count, or the list is far longer than a
// club's.
bool AppendScorers(const XmlNode& players, TBKStringGrid& scorers);

// Rows 1..8 of a ranking from the clubs of a league details answer (LeagueClubs): team ID, its goals for
// or against (`goals` "GoalsFor" or "GoalsAgainst"), the team name; nothing when they fail a check.
void FillRanking(const XmlNode& details, const QString& goals, TBKStringGrid& ranking);

// The first row from firstRow to lastRow whose ID column holds id; -1 when none does.
int GoalListRow(const TBKStringGrid& list, const QString& id, int firstRow, int lastRow);

// One goal more for a row: its total + 1, and its round count "+1", "+2", ...
void AddGoal(TBKStringGrid& list, int row);

// One goal of a player into the scorer list. A player already listed counts one more; a player not
// listed is added with "  1" and "+ 1" when his team's players file exists, his name and team read from
// it (empty when he is not in it); without the file the goal is not listed. The list is not sorted.
void CountScorerGoal(TBKStringGrid& scorers, const QString& playerId, const QString& playersFile);

// The team that conceded a goal of teamId: the other team of the first of slots 0..3 where teamId
// plays (home checked before away); empty when it plays in none.
QString ConcedingTeam(const TBKStringGrid& matches, const QString& teamId);
