// TFPartidos: the owner drawing of the league panel's five grids. The rules are those of
// core/LeagueColours; the handlers paint what a rule returns over the cell's normal drawing.
#include "viewer/UPartidos.h"

#include "core/LeagueColours.h"
#include "platform/widgets/StringGridView.h"
#include "shell/UOptions.h"
#include "viewer/DrawRules.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace {

void Paint(QPainter& canvas, const QRect& rect, const QString& text, const LeagueCellColours& colours,
           const QPalette& palette, bool fixed) {
    if (!colours.handled)
        return;
    CellDrawing drawing;
    drawing.fill = true;
    if (colours.brush)
        drawing.brush = ColorFromBgr(*colours.brush);
    if (colours.font)
        drawing.font = ColorFromBgr(*colours.font);
    PaintCell(canvas, rect, text, drawing, palette.color(fixed ? QPalette::Button : QPalette::Base));
}

QString OwnTeam() {
    return FOptions ? FOptions->EditTeam->text() : QString();
}

} // namespace

void TFPartidos::BKStringGridLigaInicialDrawCell(QPainter& Canvas, int ACol, int ARow, const QRect& Rect,
                                                 bool Fixed) {
    const QString text = BKStringGridLigaInicial.Cells(ACol, ARow);
    Paint(Canvas, Rect, text,
          BeforeRoundCell(LevelNumber(LabelNivel->text()), LevelNumber(LabelNivelMaximo->text()), ACol, ARow,
                          text),
          ViewLigaInicial->palette(), Fixed);
}

void TFPartidos::BKStringGridLigaActualizadaDrawCell(QPainter& Canvas, int ACol, int ARow, const QRect& Rect,
                                                     bool Fixed) {
    const QString text = BKStringGridLigaActualizada.Cells(ACol, ARow);
    Paint(Canvas, Rect, text, LiveTableCell(ACol, text), ViewLigaActualizada->palette(), Fixed);
}

void TFPartidos::BKStringGridLigaGoleadoresDrawCell(QPainter& Canvas, int ACol, int ARow, const QRect& Rect,
                                                    bool Fixed) {
    const QString text = BKStringGridLigaGoleadores.Cells(ACol, ARow);
    Paint(Canvas, Rect, text, ScorersCell(ACol, ARow, text, OwnTeam()), ViewLigaGoleadores->palette(), Fixed);
}

void TFPartidos::BKStringGridLigaGolesMarcadosDrawCell(QPainter& Canvas, int ACol, int ARow,
                                                       const QRect& Rect, bool Fixed) {
    const QString text = BKStringGridLigaGolesMarcados.Cells(ACol, ARow);
    Paint(Canvas, Rect, text, RankingCell(ACol, ARow, text, OwnTeam(), true),
          ViewLigaGolesMarcados->palette(), Fixed);
}

void TFPartidos::BKStringGridLigaGolesRecibidosDrawCell(QPainter& Canvas, int ACol, int ARow,
                                                        const QRect& Rect, bool Fixed) {
    const QString text = BKStringGridLigaGolesRecibidos.Cells(ACol, ARow);
    Paint(Canvas, Rect, text, RankingCell(ACol, ARow, text, OwnTeam(), false),
          ViewLigaGolesRecibidos->palette(), Fixed);
}
