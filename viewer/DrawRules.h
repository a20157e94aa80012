#pragma once
// The owner-drawing rules of the match view's grids, as plain functions of the cells: what a cell
// gets drawn over its normal drawing (a fill colour, a font colour, an icon). The grid hooks only
// paint what a rule returns. No rule raises: a code that names no picture draws nothing.
#include "core/BKStringGrid.h"

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <optional>

class QPainter;
class QRect;

// A colour of the $BBGGRR form the palette is written in.
QColor ColorFromBgr(unsigned Bgr);

// An entry of one of the options window's image lists ("ImageListPartido", "ImageListLesiones",
// "ImageListTarjetas", "ImageListWeather"): images/<list>_<index>.png under the program folder. A
// missing entry is a null picture. Pictures are read once and kept.
QPixmap ImageListPicture(const QString& List, int Index);

// The icon of an event category code (events list and events panel); none for any other code.
struct ListIcon {
    QString List;
    int Index = -1;
};
std::optional<ListIcon> CategoryIcon(const QString& CategoryCode);

// What a rule draws over a cell. With fill, the rectangle is filled with brush (or the cell's normal
// background when brush is empty) and the text written in font (or black) with its top-left corner at
// the cell's top-left corner moved by textOffset.
struct CellDrawing {
    bool fill = false;
    std::optional<QColor> brush;
    std::optional<QColor> font;
    QPoint textOffset;
    std::optional<ListIcon> icon; // drawn at iconOffset
    QPoint iconOffset;
    bool Draws() const { return fill || icon.has_value(); }
};

// The event list: column 3 the category icon of column 2, column 5 the player name in the home or
// away colour.
CellDrawing EventListCell(const TBKStringGrid& List, int ACol, int ARow);
// The end-of-match ratings grid.
CellDrawing RatingsCell(const TBKStringGrid& Ratings, int ACol, int ARow);
// A cell of the pitch of duel percentages (the window colour is `window`).
CellDrawing PitchCell(const QString& Text, const QColor& Window);
// The results list, column 3: finished matches (FinishedFlag "1" of slot ARow div 2) on sky blue.
CellDrawing ResultsCell(const TBKStringGrid& Matches, int ACol, int ARow);

// Paints a rule's drawing into Rect; normalBrush is the cell's normal background.
void PaintCell(QPainter& Canvas, const QRect& Rect, const QString& Text, const CellDrawing& Drawing,
               const QColor& NormalBrush);
