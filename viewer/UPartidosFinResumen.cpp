// TFPartidos: the chances summary of the end-of-match report (chances and goals of each side by kind,
// attack route and special event) and the last rows of the ratings grid (match type, formations,
// venue).
#include "viewer/UPartidos.h"

#include "core/DataStore.h"
#include "core/EndOfMatchSummary.h"
#include "core/UGlobal.h"
#include "shell/UOptions.h"
#include "viewer/DrawRules.h"
#include "viewer/UPartidosFinComun.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGridLayout>

namespace {

constexpr unsigned Cream = 0xF0FBFF;

void SetBackground(QWidget* w, unsigned bgr) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, ColorFromBgr(bgr));
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

// The label numbers of one side's panel.
struct PanelNumbers {
    const char* total;
    int normalTitle, specialTitle, counterTitle;
    const char* normal;
    const char* special;
    const char* counter;
};

} // namespace

void TFPartidos::CreatePageResumenEventos() {
    // The two panels side by side; each grid column of captions is as wide as its longest words.
    auto* page = new QHBoxLayout(TabSheetResumenEventos);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(6);
    const PanelNumbers sides[2] = {{"10", 1, 2, 5, "1", "2", "5"}, {"30", 3, 4, 6, "3", "4", "6"}};
    for (int s = 0; s < 2; ++s) {
        const PanelNumbers& n = sides[s];
        auto* panel = new QFrame(TabSheetResumenEventos);
        panel->setObjectName(s == 0 ? QStringLiteral("PanelEventosHome")
                                    : QStringLiteral("PanelEventosAway"));
        panel->setFrameShape(QFrame::StyledPanel);
        SetBackground(panel, Cream);
        page->addWidget(panel, 0, Qt::AlignTop);
        // Columns: indent, captions, counters, a gap, indent, captions, counters.
        auto* grid = new QGridLayout(panel);
        grid->setContentsMargins(6, 4, 6, 8);
        grid->setHorizontalSpacing(2);
        grid->setVerticalSpacing(0);
        grid->setColumnMinimumWidth(0, 6);
        grid->setColumnMinimumWidth(3, 4);
        grid->setColumnMinimumWidth(4, 6);
        QLabel* name = Fin::NewLabel(panel, s == 0 ? QStringLiteral("LabelEventosHomeName")
                                                   : QStringLiteral("LabelEventosAwayName"));
        name->setStyleSheet(s == 0 ? QStringLiteral("color: #2244cc; font-weight: bold; font-size: 14px")
                                   : QStringLiteral("color: #b020b0; font-weight: bold; font-size: 14px"));
        name->setWordWrap(true); // a long name takes a second line rather than widening the panel
        name->setMinimumHeight(22);
        grid->addWidget(name, 0, 0, 1, 7);
        grid->setRowMinimumHeight(1, 4);
        grid->setRowMinimumHeight(3, 12);
        (s == 0 ? PanelEventosHome : PanelEventosAway) = panel;
        (s == 0 ? LabelEventosHomeName : LabelEventosAwayName) = name;

        auto counter = [&](const QString& number, int row, int col) {
            QLabel* label = Fin::NewLabel(panel, QStringLiteral("LabelR") + number);
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setMinimumWidth(30); // and wider for a larger count
            label->setFixedHeight(16);
            grid->addWidget(label, row, col);
            LabelR.insert(number, label);
            return label;
        };
        // A caption and its counter on one line.
        auto line = [&](const QString& number, int row, int col) {
            QLabel* caption = Fin::NewLabel(panel, QStringLiteral("LabelT") + number);
            caption->setFixedHeight(16);
            grid->addWidget(caption, row, col);
            LabelT.insert(number, caption);
            counter(number, row, col + 1);
        };
        auto title = [&](int index, const QString& number, int row, int col) {
            LabelTitulo[index] = Fin::NewLabel(panel, QStringLiteral("LabelTitulo%1").arg(index));
            LabelTitulo[index]->setStyleSheet(QStringLiteral("font-weight: bold"));
            grid->addWidget(LabelTitulo[index], row, col, 1, 2);
            counter(number, row, col + 2)->setStyleSheet(QStringLiteral("font-weight: bold"));
        };
        const QString total = QLatin1String(n.total);
        LabelT.insert(total, Fin::NewLabel(panel, QStringLiteral("LabelT") + total));
        grid->addWidget(LabelT.value(total), 2, 0, 1, 2);
        counter(total, 2, 2)->setStyleSheet(QStringLiteral("font-weight: bold"));
        // Normal chances and counter-attacks on the left, special events on the right.
        title(n.normalTitle, QLatin1String(n.normal), 4, 0);
        for (int route = 0; route <= 6; ++route)
            line(QLatin1String(n.normal) + QString::number(route + 1), 5 + route, 1);
        title(n.counterTitle, QLatin1String(n.counter), 13, 0);
        int row = 14;
        for (int route : {0, 1, 2, 4})
            line(QLatin1String(n.counter) + QString::number(route + 1), row++, 1);
        title(n.specialTitle, QLatin1String(n.special), 4, 4);
        row = 5;
        for (int type : {2, 4, 5, 6, 7, 8, 9, 10, 11})
            line(QLatin1String(n.special) + QString::number(type + 1), row++, 5);
    }
    page->addStretch(1);
}

void TFPartidos::LimpiarPanelesEventos() {
    for (QLabel* counter : std::as_const(LabelR))
        counter->clear();
    SetBackground(LabelR.value(QStringLiteral("10")), Cream);
    SetBackground(LabelR.value(QStringLiteral("30")), Cream);
}

void TFPartidos::CompletarFinResumenEventos(int Slot) {
    try {
        LimpiarPanelesEventos();
        LabelEventosHomeName->setText(LabelDetallesEquipo1->text());
        LabelEventosAwayName->setText(LabelDetallesEquipo2->text());
        SetBackground(LabelR.value(QStringLiteral("10")), ColorLightBlue);
        SetBackground(LabelR.value(QStringLiteral("30")), ColorLightMagenta);
        const QString homeTeam = FOptions->BKStringGrid10Partidos().Cells(MatchColumn::HomeTeamId, Slot);
        const QHash<QString, QString> counters = CountChances(SeleccionarTablaEventos(Slot), homeTeam);
        for (auto it = counters.cbegin(); it != counters.cend(); ++it)
            if (QLabel* label = LabelR.value(it.key()))
                label->setText(it.value());
    } catch (...) {
    }
}

void TFPartidos::CompletarFinFinal(int Slot) {
    try {
        FillFinalRows(BKStringGridDetalles, LabelSumarioTipoPartido->text(), LabelDetallesFormacion1->text(),
                      LabelDetallesFormacion2->text(), SeleccionarTablaEventos(Slot));
    } catch (...) {
    }
    FitRatingsColumns();
}
