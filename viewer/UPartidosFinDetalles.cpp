// TFPartidos: the ratings page of the end-of-match report: the ratings grid from the slot's match
// details file, the pitch of duels and the possession gauges from its event table, and their drawing.
#include "viewer/UPartidos.h"

#include "core/DataStore.h"
#include "core/EndOfMatchRatings.h"
#include "core/UDataModule1.h"
#include "core/UGlobal.h"
#include "platform/widgets/ColorGauge.h"
#include "platform/widgets/StringGridView.h"
#include "shell/UOptions.h"
#include "viewer/DrawRules.h"
#include "viewer/UPartidosFinComun.h"

#include <QHeaderView>
#include <QPainter>

namespace {

// A display grid: no selection, no focus, no lines, no scroll bars, exactly the size of its cells.
void ShowPlainGrid(StringGridView* view, const TBKStringGrid& grid, int fontPixels) {
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setFocusPolicy(Qt::NoFocus);
    view->setShowGrid(false);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setFrameShape(QFrame::NoFrame);
    view->horizontalHeader()->setMinimumSectionSize(1); // the 3-pixel spacer columns
    QFont font = view->font();
    font.setPixelSize(fontPixels);
    view->setFont(font);
    int width = 0;
    for (int c = 0; c < grid.ColCount(); ++c)
        width += grid.ColWidth(c);
    view->setFixedWidth(width);
}

void FixHeight(StringGridView* view, int rows) {
    int height = 0;
    for (int r = 0; r < rows; ++r)
        height += view->rowHeight(r);
    view->setFixedHeight(height);
}

} // namespace

void TFPartidos::CreatePageCalificaciones() {
    QWidget* page = TabSheetCalificaciones;

    ShapeRatingsGrid(BKStringGridDetalles);
    const int widths[10] = {89, 117, 28, 3, 28, 24, 116, 31, 3, 27};
    for (int c = 0; c < 10; ++c)
        BKStringGridDetalles.SetColWidth(c, widths[c]);
    ViewDetalles = new StringGridView(&BKStringGridDetalles, page);
    ViewDetalles->setObjectName(QStringLiteral("BKStringGridDetalles"));
    ShowPlainGrid(ViewDetalles, BKStringGridDetalles, 10);
    ViewDetalles->SetDefaultRowHeight(16);
    const int heights[RatingsRow::Count] = {3,  16, 6,  16, 16, 16, 16, 16, 16, 16, 7,
                                            16, 7,  15, 6,  15, 15, 15, 6,  15, 15, 15};
    for (int r = 0; r < RatingsRow::Count; ++r)
        ViewDetalles->SetRowHeight(r, heights[r]);
    FixHeight(ViewDetalles, RatingsRow::Count);
    ViewDetalles->move(6, 6);
    ViewDetalles->OnDrawCell = [this](QPainter& canvas, int col, int row, const QRect& rect,
                                      const StringGridView::DrawState&) {
        BKStringGridDetallesDrawCell(canvas, col, row, rect);
    };

    // The pitch seen from above: the home side defends on the left, its left flank in row 1.
    const int x = 486;
    LabelEquipo1 = Fin::NewLabel(page, QStringLiteral("LabelEquipo1"), QRect(x, 6, 192, 18));
    LabelEquipo1->setStyleSheet(QStringLiteral("color: #2244cc; font-weight: bold"));
    ShapePitchGrid(StringGridCampo);
    ViewCampo = new StringGridView(&StringGridCampo, page);
    ViewCampo->setObjectName(QStringLiteral("StringGridCampo"));
    ShowPlainGrid(ViewCampo, StringGridCampo, 12);
    ViewCampo->SetDefaultRowHeight(20);
    ViewCampo->SetRowHeight(0, 2);
    FixHeight(ViewCampo, 5);
    ViewCampo->move(x, 26);
    ViewCampo->OnDrawCell = [this](QPainter& canvas, int col, int row, const QRect& rect,
                                   const StringGridView::DrawState&) {
        StringGridCampoDrawCell(canvas, col, row, rect);
    };
    LabelEquipo2 = Fin::NewLabel(page, QStringLiteral("LabelEquipo2"), QRect(x, 110, 192, 18));
    LabelEquipo2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelEquipo2->setStyleSheet(QStringLiteral("color: #b020b0; font-weight: bold"));

    // Possession of the first and the second half: home share, gauge, away share.
    Label40 = Fin::NewLabel(page, QStringLiteral("Label40"), QRect(x, 146, 192, 18));
    auto gaugeRow = [&](int y, const char* home, const char* away, ColorGauge*& gauge, QLabel*& homeLabel,
                        QLabel*& awayLabel) {
        homeLabel = Fin::NewLabel(page, QLatin1String(home), QRect(x, y, 38, 18));
        gauge = new ColorGauge(page);
        gauge->setGeometry(x + 40, y + 2, 112, 14);
        awayLabel = Fin::NewLabel(page, QLatin1String(away), QRect(x + 156, y, 38, 18));
        awayLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    gaugeRow(168, "LabelPose11", "LabelPose12", Gauge1, LabelPose11, LabelPose12);
    gaugeRow(190, "LabelPose21", "LabelPose22", Gauge2, LabelPose21, LabelPose22);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge2->setObjectName(QStringLiteral("Gauge2"));
}

void TFPartidos::LimpiarDetalles() {
    ClearRatingsGrids(BKStringGridDetalles, StringGridCampo);
    LabelEquipo1->clear();
    LabelEquipo2->clear();
    for (ColorGauge* gauge : {Gauge1, Gauge2}) {
        gauge->SetBackColor(Qt::white);
        gauge->SetProgress(0);
    }
    for (QLabel* label : {LabelPose11, LabelPose12, LabelPose21, LabelPose22})
        label->clear();
}

void TFPartidos::CompletarFinDetalles(int Slot) {
    try {
        LimpiarDetalles();
        Fin::ReadAnswer(
            &TDataModule1::XMLDocument1, Fin::DetailsFile(Slot), QStringLiteral("matchdetails.xml"),
            [&](const XmlNode& root) { FillRatings(BKStringGridDetalles, StringGridCampo, root); });
        LabelEquipo1->setText(BKStringGridDetalles.Cells(1, RatingsRow::Names));
        LabelEquipo2->setText(BKStringGridDetalles.Cells(6, RatingsRow::Names));
        try {
            const QString homeTeam = FOptions->BKStringGrid10Partidos().Cells(MatchColumn::HomeTeamId, Slot);
            const auto halves = PossessionOfHalves(SeleccionarTablaEventos(Slot), homeTeam);
            ColorGauge* gauges[2] = {Gauge1, Gauge2};
            QLabel* homeLabels[2] = {LabelPose11, LabelPose21};
            QLabel* awayLabels[2] = {LabelPose12, LabelPose22};
            for (int h = 0; h < 2; ++h) {
                if (!halves[h].Found)
                    continue;
                gauges[h]->SetProgress(halves[h].Progress);
                homeLabels[h]->setText(halves[h].Home);
                awayLabels[h]->setText(halves[h].Away);
                gauges[h]->SetBackColor(ColorFromBgr(ColorLightMagenta));
                gauges[h]->SetForeColor(ColorFromBgr(ColorLightBlue));
            }
        } catch (...) {
        }
    } catch (...) {
        // A missing or unreadable file, or a rating that is no number: the page keeps what was written.
    }
}

void TFPartidos::BKStringGridDetallesDrawCell(QPainter& Canvas, int ACol, int ARow, const QRect& Rect) {
    const CellDrawing drawing = RatingsCell(BKStringGridDetalles, ACol, ARow);
    if (drawing.Draws())
        PaintCell(Canvas, Rect, BKStringGridDetalles.Cells(ACol, ARow), drawing,
                  ViewDetalles->palette().color(QPalette::Base));
}

void TFPartidos::StringGridCampoDrawCell(QPainter& Canvas, int ACol, int ARow, const QRect& Rect) {
    const QString text = StringGridCampo.Cells(ACol, ARow);
    const QColor window = ViewCampo->palette().color(QPalette::Base);
    PaintCell(Canvas, Rect, text, PitchCell(text, window), window);
}
