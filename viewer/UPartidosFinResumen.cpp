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

#include <QFrame>

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
    const PanelNumbers sides[2] = {{"10", 1, 2, 5, "1", "2", "5"}, {"30", 3, 4, 6, "3", "4", "6"}};
    for (int s = 0; s < 2; ++s) {
        const PanelNumbers& n = sides[s];
        auto* panel = new QFrame(TabSheetResumenEventos);
        panel->setObjectName(s == 0 ? QStringLiteral("PanelEventosHome")
                                    : QStringLiteral("PanelEventosAway"));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setGeometry(4 + s * 358, 4, 352, 306);
        SetBackground(panel, Cream);
        QLabel* name = Fin::NewLabel(
            panel, s == 0 ? QStringLiteral("LabelEventosHomeName") : QStringLiteral("LabelEventosAwayName"),
            QRect(8, 4, 336, 22));
        name->setStyleSheet(s == 0 ? QStringLiteral("color: #2244cc; font-weight: bold; font-size: 14px")
                                   : QStringLiteral("color: #b020b0; font-weight: bold; font-size: 14px"));
        (s == 0 ? PanelEventosHome : PanelEventosAway) = panel;
        (s == 0 ? LabelEventosHomeName : LabelEventosAwayName) = name;

        // A caption and its counter on one line.
        auto row = [&](const QString& number, int x, int y, int captionWidth) {
            LabelT.insert(number, Fin::NewLabel(panel, QStringLiteral("LabelT") + number,
                                                QRect(x, y, captionWidth, 16)));
            QLabel* counter = Fin::NewLabel(panel, QStringLiteral("LabelR") + number,
                                            QRect(x + captionWidth + 2, y, 44, 16));
            counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            LabelR.insert(number, counter);
        };
        auto title = [&](int index, const QString& number, int x, int y) {
            LabelTitulo[index] =
                Fin::NewLabel(panel, QStringLiteral("LabelTitulo%1").arg(index), QRect(x, y, 120, 16));
            LabelTitulo[index]->setStyleSheet(QStringLiteral("font-weight: bold"));
            QLabel* counter =
                Fin::NewLabel(panel, QStringLiteral("LabelR") + number, QRect(x + 122, y, 44, 16));
            counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            counter->setStyleSheet(QStringLiteral("font-weight: bold"));
            LabelR.insert(number, counter);
        };
        row(QLatin1String(n.total), 8, 30, 150);
        LabelR.value(QLatin1String(n.total))->setStyleSheet(QStringLiteral("font-weight: bold"));
        // Normal chances and counter-attacks on the left, special events on the right.
        title(n.normalTitle, QLatin1String(n.normal), 8, 58);
        for (int route = 0; route <= 6; ++route)
            row(QLatin1String(n.normal) + QString::number(route + 1), 16, 76 + route * 16, 114);
        title(n.counterTitle, QLatin1String(n.counter), 8, 196);
        int y = 214;
        for (int route : {0, 1, 2, 4}) {
            row(QLatin1String(n.counter) + QString::number(route + 1), 16, y, 114);
            y += 16;
        }
        title(n.specialTitle, QLatin1String(n.special), 180, 58);
        y = 76;
        for (int type : {2, 4, 5, 6, 7, 8, 9, 10, 11}) {
            row(QLatin1String(n.special) + QString::number(type + 1), 188, y, 108);
            y += 16;
        }
    }
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
}
