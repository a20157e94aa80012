// TFPartidos: the end-of-match report of a finished match (the match view's second page) with its
// four pages, its building and its texts.
#include "viewer/UPartidos.h"

#include "core/EndOfMatchSummary.h"
#include "viewer/UPartidosFinComun.h"

#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

using Fin::T;

namespace {

// Gives a page of fixed places the size of what it holds (and a margin), so that its scroll area scrolls
// to every control when the window is smaller. A page with a layout takes its size from the layout.
void FitFixedPage(QWidget* page) {
    if (page->layout())
        return;
    QRect extent;
    for (const QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        extent |= child->geometry();
    page->setMinimumSize(extent.right() + 5, extent.bottom() + 5);
}

} // namespace

void TFPartidos::CreatePanelFinPartido() {
    auto* layout = new QVBoxLayout(TabSheetFinPartido);
    layout->setContentsMargins(2, 2, 2, 2);
    PageControlFinPartido = new QTabWidget(TabSheetFinPartido);
    PageControlFinPartido->setObjectName(QStringLiteral("PageControlFinPartido"));
    PageControlFinPartido->setDocumentMode(true);
    const char* names[] = {"TabSheetCalificaciones", "TabSheetAlineacion1", "TabSheetAlineacion2",
                           "TabSheetResumenEventos"};
    // Each page is the widget of a scroll area: the report keeps its places and sizes however small
    // the window, and the user scrolls to the rest.
    QWidget* pages[4];
    QScrollArea* scrolls[4];
    for (int i = 0; i < 4; ++i) {
        pages[i] = new QWidget;
        pages[i]->setObjectName(QLatin1String(names[i]));
        scrolls[i] = new QScrollArea;
        scrolls[i]->setObjectName(QLatin1String(names[i]) + QStringLiteral("Scroll"));
        scrolls[i]->setFrameShape(QFrame::NoFrame);
        scrolls[i]->setWidgetResizable(true);
        PageControlFinPartido->addTab(scrolls[i], QString());
    }
    TabSheetCalificaciones = pages[0];
    TabSheetAlineacion1 = pages[1];
    TabSheetAlineacion2 = pages[2];
    TabSheetResumenEventos = pages[3];
    layout->addWidget(PageControlFinPartido);
    CreatePageCalificaciones();
    CreatePanelFinAlineacion();
    CreatePageResumenEventos();
    for (int i = 0; i < 4; ++i) {
        FitFixedPage(pages[i]);
        scrolls[i]->setWidget(pages[i]);
    }
    // The lineup panel moves between the two lineup pages: both are its size.
    TabSheetAlineacion2->setMinimumSize(TabSheetAlineacion1->minimumSize());
    // Code sets the page with the signal blocked: only the user's choice refills a lineup.
    connect(PageControlFinPartido, &QTabWidget::currentChanged, this,
            [this] { PageControlFinPartidoChange(); });
}

void TFPartidos::CompletarPartidoFinPartido(int Slot) {
    try {
        {
            // The report's tab appears; the commentary page stays the page shown.
            const QSignalBlocker blocker(PageControlEventos);
            PageControlEventos->setTabVisible(1, true);
        }
        {
            const QSignalBlocker blocker(PageControlFinPartido);
            PageControlFinPartido->setCurrentIndex(0);
        }
        // Each step passes over its own failures, so the later ones still run.
        CompletarFinDetalles(Slot);
        CompletarFinAlineaciones(Slot);
        CompletarFinResumenEventos(Slot);
        CompletarFinFinal(Slot);
    } catch (...) {
    }
}

void TFPartidos::LeerIdiomaFinPartido() {
    const QString lineup = T("Team", "LabelLineUp", "Lineup") + QStringLiteral(" - ");
    PageControlFinPartido->setTabText(0, T("Matches", "TabRatings", "Ratings"));
    PageControlFinPartido->setTabText(1, lineup + T("Matches", "LabelHome", "Home"));
    PageControlFinPartido->setTabText(2, lineup + T("Matches", "LabelAway", "Away"));
    PageControlFinPartido->setTabText(3, T("Matches", "LabelChances", "Chances"));
    Label40->setText(T("Events", "Domainated", "Domainated") + QLatin1Char(':'));
    LabelHomePos[17]->setText(T("General", "SetPieces", ""));
    LabelHomePos[18]->setText(T("General", "Captain", ""));
    LabelHomeReplaced->setText(T("Matches", "LabelReplaced", ""));
    LabelHExperiencia->setText(T("Matches", "LabelExperienceLevel", ""));
    LabelHEstrellas->setText(T("Matches", "LabelStar", ""));

    // The summary's captions: the same words on both sides.
    const char* titles[] = {"Normal", "SE", "CA"};
    const int homeTitle[] = {1, 2, 5}, awayTitle[] = {3, 4, 6};
    for (int i = 0; i < 3; ++i) {
        LabelTitulo[homeTitle[i]]->setText(T("Events", titles[i], ""));
        LabelTitulo[awayTitle[i]]->setText(T("Events", titles[i], ""));
    }
    const QString total =
        T("Matches", "LabelChances", "") + QStringLiteral(" (") + T("Events", "Goals", "") + QLatin1Char(')');
    LabelT.value(QStringLiteral("10"))->setText(total);
    LabelT.value(QStringLiteral("30"))->setText(total);
    const struct {
        const char* home;
        const char* away;
        const char* key;
    } captions[] = {
        {"11", "31", "CentralAttack"}, {"12", "32", "RightAttack"},   {"13", "33", "LeftAttack"},
        {"14", "34", "Penalty"},       {"15", "35", "Fault"},         {"16", "36", "IndirectKick"},
        {"17", "37", "FarShoot"},      {"23", "43", "Corner"},        {"25", "45", "Experience"},
        {"26", "46", "Quick"},         {"27", "47", "Unpredictable"}, {"28", "48", "Winger"},
        {"29", "49", "TechnicalVs"},   {"210", "410", "LongShoot"},   {"211", "411", "TiredDefender"},
        {"212", "412", "Other"},       {"51", "61", "CentralAttack"}, {"52", "62", "RightAttack"},
        {"53", "63", "LeftAttack"},    {"55", "65", "Fault"}};
    for (const auto& c : captions) {
        LabelT.value(QLatin1String(c.home))->setText(T("Events", c.key, ""));
        LabelT.value(QLatin1String(c.away))->setText(T("Events", c.key, ""));
    }
}
