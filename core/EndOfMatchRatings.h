#pragma once
// The ratings page of a finished match, computed without a window: the ratings grid (names, goals,
// arena, tactics, attitude, the seven sector ratings as numbers and words, the weighted total, the
// difference of each sector against the opposing one), the pitch of attack-against-defence duels and
// the possession of both halves. The window only shows what these write.
#include "core/BKStringGrid.h"

#include <QString>
#include <array>

class XmlNode;

// Rows of the ratings grid that the page writes.
namespace RatingsRow {
enum Value : int {
    Names = 1,
    MatchType = 3,
    Crowd = 4,
    Tactic = 6,
    TacticSkill = 7,
    Attitude = 8,
    Venue = 9,
    Total = 11,
    Midfield = 13,
    RightDef = 15,
    MidDef = 16,
    LeftDef = 17,
    RightAtt = 19,
    MidAtt = 20,
    LeftAtt = 21,
};
constexpr int Count = 22;
} // namespace RatingsRow

// A whole number; EConvertError when the text is not one (an empty or wrong rating, tactic skill,
// position or behaviour stops the page being filled where it stands).
int StrToInt(const QString& Text);

// The ratings grid (10 x 22, no fixed rows or columns) and the pitch grid (3 x 5).
void ShapeRatingsGrid(TBKStringGrid& Detalles);
void ShapePitchGrid(TBKStringGrid& Campo);

// Empties columns 1.. of every row of the ratings grid (column 0 keeps its labels) and every cell of
// the pitch grid.
void ClearRatingsGrids(TBKStringGrid& Detalles, TBKStringGrid& Campo);

// Fills both grids from a match details answer (Root: its HattrickData element). A tactic skill or a
// sector rating that must be a number and is not one throws EConvertError: the cells written before
// stay, the rest is left as it was.
void FillRatings(TBKStringGrid& Detalles, TBKStringGrid& Campo, const XmlNode& Root);

// The difference of the home sector in HomeRow against the away sector in AwayRow: column 4 of
// HomeRow and column 9 of AwayRow get "+d" / "-d" (or "   0" both). Throws EConvertError when a
// rating is not a number.
void DiferenciaCalificacion(TBKStringGrid& Detalles, quint8 HomeRow, quint8 AwayRow);

// The stronger side's share of a duel of home rating A against away rating B: "50%" for equal
// ratings, else the share in whole per cent, with a leading blank when the away side is stronger.
QString PorcentajeDuelo(quint8 A, quint8 B);

// Possession of one half as the gauges show it. Progress is the home share (0..100).
struct PossessionHalf {
    bool Found = false;
    int Progress = 0;
    QString Home; // e.g. "38%"
    QString Away;
};
// The possession events of a slot's event table: type 40 (one side dominated, its share in
// ObjectPlayerId) or 47 (even) at minute 45 for the first half, and at minute 90 or in the added
// time after it for the second. A later event of a half replaces an earlier one.
std::array<PossessionHalf, 2> PossessionOfHalves(const TBKStringGrid& Events, const QString& HomeTeamId);
