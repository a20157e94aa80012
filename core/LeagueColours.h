#pragma once
// The colours of the league panel's grids, as plain rules of a cell: the promotion, qualifier and
// relegation bands of the table before the round (by the series' level and the lowest level), green
// and red for gains and losses, and the user's own club on light orange. Colours are $BBGGRR values.
#include <QString>
#include <optional>

// What a rule draws over a cell: its background and the colour of its text (each unset: as normal).
// A cell no rule handles keeps its normal drawing.
struct LeagueCellColours {
    bool handled = false;
    std::optional<unsigned> brush;
    std::optional<unsigned> font;
};

// A number of a level label; 0 when the text is not a number.
int LevelNumber(const QString& text);

// The table before the round. Row 1 (the top) is always light green; row 2 too from level 7 on; rows
// 5-6 are light yellow in levels up to 5 that are not the lowest; rows 7-8 light red in every level but
// the lowest. Column 8 (goal difference) is then written green with a "+", red with a "-".
LeagueCellColours BeforeRoundCell(int level, int maxLevel, int col, int row, const QString& text);
// The live table: the position column green for a club that moved up ("+"), red for one that moved down.
LeagueCellColours LiveTableCell(int col, const QString& text);
// The scorer list: the team column on light orange for the user's own club.
LeagueCellColours ScorersCell(int col, int row, const QString& text, const QString& ownTeam);
// A ranking: the round's goals green (goals for) or red (goals against); the user's club on light orange.
LeagueCellColours RankingCell(int col, int row, const QString& text, const QString& ownTeam, bool goalsFor);
