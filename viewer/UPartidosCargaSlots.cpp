// TFPartidos: the slot lookups every part of the match viewer uses to go from a match or a slot to the
// slot's row, event tables and tab marker.
#include "viewer/UPartidos.h"

#include "shell/UOptions.h"

#include <QLabel>

std::optional<int> TFPartidos::SeleccionarFila10Partidos(const QString& MatchId) {
    if (MatchId.isEmpty() || !FOptions)
        return std::nullopt; // an empty ID is held by no slot, not by every free one
    const TBKStringGrid& t = FOptions->BKStringGrid10Partidos();
    for (int slot = 0; slot < MatchSlotCount && slot < t.RowCount(); ++slot)
        if (t.Cells(MatchColumn::MatchId, slot) == MatchId)
            return slot;
    return std::nullopt;
}

TBKStringGrid& TFPartidos::SeleccionarTablaEventos(int Slot) {
    return FOptions->BKStringGridEventos(qBound(0, Slot, MatchSlotCount - 1));
}

TBKStringGrid& TFPartidos::SeleccionarTablaFEventos(int Slot) {
    return FOptions->BKStringGridFEventos(qBound(0, Slot, MatchSlotCount - 1));
}

void TFPartidos::CreateImageTabs() {
    if (!ImageTab1) {
        QLabel** tabs[] = {&ImageTab1, &ImageTab2, &ImageTab3, &ImageTab4, &ImageTab5,
                           &ImageTab6, &ImageTab7, &ImageTab8, &ImageTab9, &ImageTab10};
        for (int i = 0; i < MatchSlotCount; ++i) {
            QLabel* marker = new QLabel(PanelPartidos);
            marker->setTextFormat(Qt::PlainText);
            marker->setObjectName(QStringLiteral("ImageTab%1").arg(i + 1));
            marker->resize(12, 12);
            *tabs[i] = marker;
        }
    }
    if (!LabelTipoPartido) {
        LabelTipoPartido = new QLabel(PanelPartidos);
        LabelTipoPartido->setObjectName(QStringLiteral("LabelTipoPartido"));
        LabelTipoPartido->setTextFormat(Qt::PlainText);
        LabelTipoPartido->setAlignment(Qt::AlignCenter);
        LabelTipoPartido->setMinimumWidth(90);
        QFont bold = LabelTipoPartido->font();
        bold.setBold(true);
        LabelTipoPartido->setFont(bold);
    }
}

QLabel* TFPartidos::SeleccionarImagenTab(int Slot) {
    CreateImageTabs();
    QLabel* tabs[] = {ImageTab1, ImageTab2, ImageTab3, ImageTab4, ImageTab5,
                      ImageTab6, ImageTab7, ImageTab8, ImageTab9, ImageTab10};
    return tabs[qBound(0, Slot, MatchSlotCount - 1)];
}
