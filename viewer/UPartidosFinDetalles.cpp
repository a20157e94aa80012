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

#include <QBoxLayout>
#include <QFontMetrics>
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
    QFont font = view->font();
    font.setPixelSize(fontPixels);
    view->setFont(font);
    int width = 0;
    for (int c = 0; c < grid.ColCount(); ++c)
        width += grid.ColWidth(c);
    view->setFixedWidth(width);
}

// The ratings grid's columns as first drawn: texts, numbers, differences and the spacers between.
constexpr int RatingsWidths[10] = {89, 117, 28, 3, 28, 24, 116, 31, 3, 27};

void FixHeight(StringGridView* view, int rows) {
    int height = 0;
    for (int r = 0; r < rows; ++r)
        height += view->rowHeight(r);
    view->setFixedHeight(height);
}

} // namespace

void TFPartidos::CreatePageCalificaciones() {
    QWidget* page = TabSheetCalificaciones;
    // The ratings grid, and beside it the pitch column; the page is as large as they are.
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(14);
    auto* column = new QVBoxLayout;
    column->setSpacing(2);

    ShapeRatingsGrid(BKStringGridDetalles);
    for (int c = 0; c < 10; ++c)
        BKStringGridDetalles.SetColWidth(c, RatingsWidths[c]);
    ViewDetalles = new StringGridView(&BKStringGridDetalles, page);
    ViewDetalles->setObjectName(QStringLiteral("BKStringGridDetalles"));
    ShowPlainGrid(ViewDetalles, BKStringGridDetalles, 10);
    ViewDetalles->SetDefaultRowHeight(16);
    const int heights[RatingsRow::Count] = {3,  16, 6,  16, 16, 16, 16, 16, 16, 16, 7,
                                            16, 7,  15, 6,  15, 15, 15, 6,  15, 15, 15};
    for (int r = 0; r < RatingsRow::Count; ++r)
        ViewDetalles->SetRowHeight(r, heights[r]);
    FixHeight(ViewDetalles, RatingsRow::Count);
    // The match type's bracket and the venue run on over the empty cells to their right.
    ViewDetalles->setSpan(RatingsRow::MatchType, 1, 1, 5);
    ViewDetalles->setSpan(RatingsRow::Venue, 1, 1, 9);
    ViewDetalles->OnDrawCell = [this](QPainter& canvas, int col, int row, const QRect& rect,
                                      const StringGridView::DrawState&) {
        BKStringGridDetallesDrawCell(canvas, col, row, rect);
    };
    row->addWidget(ViewDetalles, 0, Qt::AlignTop);
    row->addLayout(column);
    row->addStretch(1);

    // The pitch seen from above: the home side defends on the left, its left flank in row 1. A long
    // team name above or below it takes a second line.
    const int w = 192;
    LabelEquipo1 = Fin::NewLabel(page, QStringLiteral("LabelEquipo1"));
    LabelEquipo1->setStyleSheet(QStringLiteral("color: #2244cc; font-weight: bold"));
    ShapePitchGrid(StringGridCampo);
    ViewCampo = new StringGridView(&StringGridCampo, page);
    ViewCampo->setObjectName(QStringLiteral("StringGridCampo"));
    ShowPlainGrid(ViewCampo, StringGridCampo, 12);
    ViewCampo->SetDefaultRowHeight(20);
    ViewCampo->SetRowHeight(0, 2);
    FixHeight(ViewCampo, 5);
    ViewCampo->OnDrawCell = [this](QPainter& canvas, int col, int row, const QRect& rect,
                                   const StringGridView::DrawState&) {
        StringGridCampoDrawCell(canvas, col, row, rect);
    };
    LabelEquipo2 = Fin::NewLabel(page, QStringLiteral("LabelEquipo2"));
    LabelEquipo2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelEquipo2->setStyleSheet(QStringLiteral("color: #b020b0; font-weight: bold"));
    for (QLabel* name : {LabelEquipo1, LabelEquipo2}) {
        name->setWordWrap(true);
        name->setFixedWidth(w);
    }
    column->addWidget(LabelEquipo1);
    column->addWidget(ViewCampo);
    column->addWidget(LabelEquipo2);
    column->addSpacing(14);

    // Possession of the first and the second half: home share, gauge, away share.
    Label40 = Fin::NewLabel(page, QStringLiteral("Label40"));
    Label40->setFixedWidth(w);
    column->addWidget(Label40);
    auto gaugeRow = [&](const char* home, const char* away, ColorGauge*& gauge, QLabel*& homeLabel,
                        QLabel*& awayLabel) {
        auto* line = new QHBoxLayout;
        homeLabel = Fin::NewLabel(page, QLatin1String(home));
        gauge = new ColorGauge(page);
        gauge->setFixedSize(112, 14);
        awayLabel = Fin::NewLabel(page, QLatin1String(away));
        awayLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        for (QLabel* share : {homeLabel, awayLabel})
            share->setFixedSize(38, 18);
        line->addWidget(homeLabel);
        line->addWidget(gauge);
        line->addWidget(awayLabel);
        line->addStretch(1);
        column->addLayout(line);
    };
    gaugeRow("LabelPose11", "LabelPose12", Gauge1, LabelPose11, LabelPose12);
    gaugeRow("LabelPose21", "LabelPose22", Gauge2, LabelPose21, LabelPose22);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge2->setObjectName(QStringLiteral("Gauge2"));
    column->addStretch(1);
}

void TFPartidos::FitRatingsColumns() {
    // Each column that shows words or numbers is as wide as its widest text (never narrower than
    // drawn at first); the spacer columns keep their width (the one before the weather holds its code).
    const QFontMetrics metrics(ViewDetalles->font());
    for (int c : {0, 1, 2, 4, 5, 6, 7, 9}) {
        int width = RatingsWidths[c];
        for (int r = 0; r < RatingsRow::Count; ++r)
            if (ViewDetalles->columnSpan(r, c) == 1)
                width = qMax(width, metrics.horizontalAdvance(BKStringGridDetalles.Cells(c, r)) +
                                        StringGridView::TextOffsetX + 4);
        BKStringGridDetalles.SetColWidth(c, width);
    }
    int total = 0;
    for (int c = 0; c < BKStringGridDetalles.ColCount(); ++c)
        total += BKStringGridDetalles.ColWidth(c);
    ViewDetalles->setFixedWidth(total);
    ViewDetalles->Refresh();
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
    // The columns are fitted once the final rows are written too (CompletarFinFinal).
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
