// TFPartidos: the match view's controls, their layout, their texts and the tab switching.
#include "viewer/UPartidos.h"

#include "core/Settings.h"
#include "core/UGlobal.h"
#include "platform/widgets/StringGridView.h"
#include "platform/widgets/WebBrowser.h"
#include "shell/UOptions.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

namespace {

QString T(const char* section, const char* key, const char* englishDefault) {
    return LangText(QLatin1String(section), QLatin1String(key), QString::fromUtf8(englishDefault));
}

// Runs an action when the watched widget is clicked (the click goes no further), or when it gets
// another event of the type given.
class EventAction : public QObject {
public:
    EventAction(QObject* parent, std::function<void()> action, QEvent::Type type = QEvent::MouseButtonRelease)
        : QObject(parent), action_(std::move(action)), type_(type) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type_ && type_ != QEvent::MouseButtonRelease)
            action_();
        else if (event->type() == type_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
    QEvent::Type type_;
};

QLabel* NewLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText); // captions are service data, never markup
    label->setMinimumWidth(1);           // and however long, they are cut, never widen the window
    return label;
}

QLabel* NewPicture(QWidget* parent, const char* name, int size) {
    QLabel* picture = NewLabel(parent, name);
    picture->setFixedSize(size, size);
    picture->setAlignment(Qt::AlignCenter);
    return picture;
}

// The box layout of Root's tree that holds Widget directly.
QBoxLayout* LayoutHolding(QLayout* Root, QWidget* Widget) {
    if (!Root)
        return nullptr;
    if (Root->indexOf(Widget) >= 0)
        return qobject_cast<QBoxLayout*>(Root);
    for (int i = 0; i < Root->count(); ++i)
        if (QBoxLayout* found = LayoutHolding(Root->itemAt(i)->layout(), Widget))
            return found;
    return nullptr;
}

} // namespace

void TFPartidos::CreatePanelPartido() {
    QFrame* p = PanelPartido;
    auto* layout = new QVBoxLayout(p);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    // --- header: summary, kits, team details and logos ---
    auto* header = new QFrame(p);
    header->setObjectName(QStringLiteral("PanelCabecera"));
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(header);

    auto* summary = new QGridLayout;
    summary->setVerticalSpacing(1);
    headerLayout->addLayout(summary, 4);
    LabelSumarioEquipos = NewLabel(header, "LabelSumarioEquipos");
    QFont big = LabelSumarioEquipos->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.15);
    LabelSumarioEquipos->setFont(big);
    LabelSumarioEquipos->setWordWrap(true); // two long names take a second line rather than being cut
    LabelSumarioResultado = NewLabel(header, "LabelSumarioResultado");
    QFont score = big;
    score.setPointSizeF(big.pointSizeF() * 1.6);
    LabelSumarioResultado->setFont(score);
    LabelSumarioMinuto = NewLabel(header, "LabelSumarioMinuto");
    LabelSumarioMinuto->setFont(big);
    LabelSumarioPartidoID = NewLabel(header, "LabelSumarioPartidoID");
    LabelSumarioEstadio = NewLabel(header, "LabelSumarioEstadio");
    LabelSumarioFecha = NewLabel(header, "LabelSumarioFecha");
    LabelSumarioTipoPartido = NewLabel(header, "LabelSumarioTipoPartido");
    LabelSumarioEspectadores = NewLabel(header, "LabelSumarioEspectadores");
    ImageSumarioTiempo = NewPicture(header, "ImageSumarioTiempo", 20);
    summary->addWidget(LabelSumarioEquipos, 0, 0, 1, 2);
    summary->addWidget(LabelSumarioResultado, 1, 0);
    summary->addWidget(ImageSumarioTiempo, 1, 1, Qt::AlignRight);
    summary->addWidget(LabelSumarioMinuto, 2, 0, 1, 2);
    summary->addWidget(LabelSumarioPartidoID, 3, 0, 1, 2);
    summary->addWidget(LabelSumarioEstadio, 4, 0, 1, 2);
    summary->addWidget(LabelSumarioFecha, 5, 0, 1, 2);
    summary->addWidget(LabelSumarioTipoPartido, 6, 0, 1, 2);
    summary->addWidget(LabelSumarioEspectadores, 7, 0, 1, 2);
    if (ButtonBorrarPartido) {
        ButtonBorrarPartido->setParent(header);
        summary->addWidget(ButtonBorrarPartido, 8, 0, Qt::AlignLeft);
    }
    summary->setRowStretch(9, 1);

    // One column per team: logo and kit, then the detail labels.
    auto teamColumn = [&](int side) {
        auto* grid = new QGridLayout;
        grid->setVerticalSpacing(1);
        headerLayout->addLayout(grid, 5);
        auto* browser = new WebBrowser(header);
        browser->setObjectName(side == 1 ? QStringLiteral("WebBrowserDetalles1")
                                         : QStringLiteral("WebBrowserDetalles2"));
        browser->setFixedSize(79, 79);
        browser->document()->setDocumentMargin(0);
        browser->SetBodyStyle(QStringLiteral("overflowX"), QStringLiteral("hidden"));
        browser->SetBodyStyle(QStringLiteral("overflowY"), QStringLiteral("hidden"));
        browser->SetBodyStyle(QStringLiteral("borderstyle"), QStringLiteral("none"));
        auto* kit = new QVBoxLayout;
        kit->setSpacing(0);
        QLabel* shirt = NewPicture(header, side == 1 ? "ImageUniforme11" : "ImageUniforme21", 32);
        QLabel* shorts = NewPicture(header, side == 1 ? "ImageUniforme12" : "ImageUniforme22", 32);
        QLabel* socks = NewPicture(header, side == 1 ? "ImageUniforme13" : "ImageUniforme23", 32);
        kit->addWidget(shirt);
        kit->addWidget(shorts);
        kit->addWidget(socks);
        auto* top = new QHBoxLayout;
        top->addWidget(browser);
        top->addLayout(kit);
        top->addStretch(1);
        grid->addLayout(top, 0, 0);
        const char* names1[] = {"LabelDetallesEquipo1",    "LabelDetallesEquipoID1", "LabelDetallesRegion1",
                                "LabelDetallesLiga1",      "LabelDetallesLogin1",    "LabelDetallesWeb1",
                                "LabelDetallesFormacion1", "LabelDetallesTactica1",  "LabelDetallesNivel1"};
        const char* names2[] = {"LabelDetallesEquipo2",    "LabelDetallesEquipoID2", "LabelDetallesRegion2",
                                "LabelDetallesLiga2",      "LabelDetallesLogin2",    "LabelDetallesWeb2",
                                "LabelDetallesFormacion2", "LabelDetallesTactica2",  "LabelDetallesNivel2"};
        QLabel* labels[9];
        for (int i = 0; i < 9; ++i) {
            labels[i] = NewLabel(header, side == 1 ? names1[i] : names2[i]);
            grid->addWidget(labels[i], i + 1, 0);
        }
        QFont bold = labels[0]->font();
        bold.setBold(true);
        labels[0]->setFont(bold);
        labels[0]->setStyleSheet(side == 1 ? QStringLiteral("color: #2244cc")
                                           : QStringLiteral("color: #b020b0"));
        labels[5]->setStyleSheet(QStringLiteral("color: #0000cc; text-decoration: underline"));
        labels[5]->setCursor(Qt::PointingHandCursor);
        QLabel* web = labels[5];
        web->installEventFilter(new EventAction(web, [this, web] { LabelDetallesWeb1Click(web); }));
        grid->setRowStretch(10, 1);
        if (side == 1) {
            WebBrowserDetalles1 = browser;
            ImageUniforme11 = shirt, ImageUniforme12 = shorts, ImageUniforme13 = socks;
            LabelDetallesEquipo1 = labels[0], LabelDetallesEquipoID1 = labels[1],
            LabelDetallesRegion1 = labels[2];
            LabelDetallesLiga1 = labels[3], LabelDetallesLogin1 = labels[4], LabelDetallesWeb1 = labels[5];
            LabelDetallesFormacion1 = labels[6], LabelDetallesTactica1 = labels[7],
            LabelDetallesNivel1 = labels[8];
        } else {
            WebBrowserDetalles2 = browser;
            ImageUniforme21 = shirt, ImageUniforme22 = shorts, ImageUniforme23 = socks;
            LabelDetallesEquipo2 = labels[0], LabelDetallesEquipoID2 = labels[1],
            LabelDetallesRegion2 = labels[2];
            LabelDetallesLiga2 = labels[3], LabelDetallesLogin2 = labels[4], LabelDetallesWeb2 = labels[5];
            LabelDetallesFormacion2 = labels[6], LabelDetallesTactica2 = labels[7],
            LabelDetallesNivel2 = labels[8];
        }
    };
    teamColumn(1);
    teamColumn(2);

    // --- the event list beside the chance counters and the selected event ---
    auto* middle = new QHBoxLayout;
    layout->addLayout(middle, 3);
    BKStringGridListaEventos.SetColCount(11);
    BKStringGridListaEventos.SetRowCount(2);
    BKStringGridListaEventos.SetFixedCols(0);
    BKStringGridListaEventos.SetFixedRows(1);
    const int eventWidths[11] = {-1, -1, -1, 22, 34, 190, 58, -1, -1, -1, -1};
    for (int c = 0; c < 11; ++c)
        BKStringGridListaEventos.SetColWidth(c, eventWidths[c]);
    ViewListaEventos = new StringGridView(&BKStringGridListaEventos, p);
    ViewListaEventos->setObjectName(QStringLiteral("BKStringGridListaEventos"));
    ViewListaEventos->SetDefaultRowHeight(20);
    ViewListaEventos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ViewListaEventos->setSelectionBehavior(QAbstractItemView::SelectRows);
    ViewListaEventos->setFixedWidth(22 + 34 + 190 + 58 + 22);
    ViewListaEventos->OnDrawCell = [this](QPainter& canvas, int col, int row, const QRect& rect,
                                          const StringGridView::DrawState& state) {
        BKStringGridListaEventosDrawCell(canvas, col, row, rect, state.selected);
    };
    connect(ViewListaEventos, &StringGridView::Click, this, [this] { BKStringGridListaEventosClick(); });
    middle->addWidget(ViewListaEventos);

    auto* side = new QVBoxLayout;
    middle->addLayout(side, 1);
    auto* chances = new QGridLayout;
    side->addLayout(chances);
    Label10 = NewLabel(p, "Label10");
    QFont bold = Label10->font();
    bold.setBold(true);
    Label10->setFont(bold);
    Label11 = NewLabel(p, "Label11");
    Label12 = NewLabel(p, "Label12");
    Label13 = NewLabel(p, "Label13");
    LabelO11 = NewLabel(p, "LabelO11");
    LabelO12 = NewLabel(p, "LabelO12");
    LabelO21 = NewLabel(p, "LabelO21");
    LabelO22 = NewLabel(p, "LabelO22");
    LabelO31 = NewLabel(p, "LabelO31");
    LabelO32 = NewLabel(p, "LabelO32");
    chances->addWidget(Label10, 0, 0);
    chances->addWidget(Label11, 1, 0);
    chances->addWidget(LabelO11, 1, 1);
    chances->addWidget(LabelO12, 1, 2);
    chances->addWidget(Label12, 2, 0);
    chances->addWidget(LabelO21, 2, 1);
    chances->addWidget(LabelO22, 2, 2);
    chances->addWidget(Label13, 3, 0);
    chances->addWidget(LabelO31, 3, 1);
    chances->addWidget(LabelO32, 3, 2);
    chances->setColumnStretch(0, 2);
    chances->setColumnStretch(1, 1);
    chances->setColumnStretch(2, 1);
    for (QLabel* home : {LabelO11, LabelO21, LabelO31})
        home->setStyleSheet(QStringLiteral("color: #2244cc"));
    for (QLabel* away : {LabelO12, LabelO22, LabelO32})
        away->setStyleSheet(QStringLiteral("color: #b020b0"));
    WebBrowserEvento1 = new WebBrowser(p);
    WebBrowserEvento1->setObjectName(QStringLiteral("WebBrowserEvento1"));
    WebBrowserEvento1->document()->setDocumentMargin(3);
    side->addWidget(WebBrowserEvento1, 1);

    // --- the commentary page and the end-of-match report ---
    PageControlEventos = new QTabWidget(p);
    PageControlEventos->setObjectName(QStringLiteral("PageControlEventos"));
    TabSheetEventos = new QWidget;
    TabSheetEventos->setObjectName(QStringLiteral("TabSheetEventos"));
    auto* eventsPage = new QVBoxLayout(TabSheetEventos);
    eventsPage->setContentsMargins(0, 0, 0, 0);
    WebBrowserEventos = new WebBrowser(TabSheetEventos);
    WebBrowserEventos->setObjectName(QStringLiteral("WebBrowserEventos"));
    WebBrowserEventos->document()->setDocumentMargin(3);
    eventsPage->addWidget(WebBrowserEventos);
    TabSheetFinPartido = new QWidget;
    TabSheetFinPartido->setObjectName(QStringLiteral("TabSheetFinPartido"));
    PageControlEventos->addTab(TabSheetEventos, QString());
    PageControlEventos->addTab(TabSheetFinPartido, QString());
    PageControlEventos->setTabVisible(1, false);
    layout->addWidget(PageControlEventos, 4);

    // --- results of the ten slots, at the top of the right column (shown for empty slots too) ---
    BKStringGridResultados.SetColCount(4);
    BKStringGridResultados.SetRowCount(19);
    BKStringGridResultados.SetFixedCols(0);
    BKStringGridResultados.SetFixedRows(0);
    static constexpr int resultWidths[4] = {28, 250, 4, 64};
    for (int c = 0; c < 4; ++c)
        BKStringGridResultados.SetColWidth(c, resultWidths[c]);
    ViewResultados = new StringGridView(&BKStringGridResultados, PanelPartidos);
    ViewResultados->setObjectName(QStringLiteral("BKStringGridResultados"));
    ViewResultados->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ViewResultados->setShowGrid(false);
    ViewResultados->SetDefaultRowHeight(19);
    for (int r = 1; r < 19; r += 2)
        ViewResultados->SetRowHeight(r, 5);
    ViewResultados->setFixedHeight(10 * 19 + 9 * 5 + 4);
    ViewResultados->OnDrawCell = [this](QPainter& canvas, int col, int row, const QRect& rect,
                                        const StringGridView::DrawState& state) {
        BKStringGridResultadosDrawCell(canvas, col, row, rect, state.selected);
    };
    connect(ViewResultados, &StringGridView::Click, this, [this] { BKStringGridResultadosClick(); });
    // The teams' column takes the list's width beyond the number and the score (less a margin, so that
    // no scroll bar comes and goes): long names show whole.
    ViewResultados->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ViewResultados->viewport()->installEventFilter(new EventAction(
        ViewResultados,
        [this] {
            const int rest =
                ViewResultados->viewport()->width() - resultWidths[0] - resultWidths[2] - resultWidths[3] - 4;
            BKStringGridResultados.SetColWidth(1, qMax(resultWidths[1], rest));
        },
        QEvent::Resize));
    if (QBoxLayout* right = LayoutHolding(PanelPartidos->layout(), PanelLiga))
        right->insertWidget(right->indexOf(PanelLiga), ViewResultados);
    // While an empty slot hides the match view, the add panel keeps its height at the top.
    if (QBoxLayout* left = LayoutHolding(PanelPartidos->layout(), PanelPartido))
        left->addStretch(0);

    // --- the new-event markers on the tabs ---
    CreateImageTabs();
    QLabel* tabs[] = {ImageTab1, ImageTab2, ImageTab3, ImageTab4, ImageTab5,
                      ImageTab6, ImageTab7, ImageTab8, ImageTab9, ImageTab10};
    for (int i = 0; i < 10; ++i) {
        if (!tabs[i])
            continue;
        tabs[i]->setFixedSize(16, 16);
        TabControlPartidos->setTabButton(i, QTabBar::RightSide, tabs[i]);
        tabs[i]->installEventFilter(new EventAction(tabs[i], [this, i] { ImageTab1Click(i + 1); }));
    }
}

void TFPartidos::LeerIdiomaVista() {
    // Row 0 of the event list: no words over the icon (3) and the score (6) columns.
    PageControlEventos->setTabText(0, T("Matches", "TabEvents", "Events"));
    PageControlEventos->setTabText(1, T("Matches", "TabSummary", "Summary"));
    Label10->setText(T("Matches", "LabelChances", "Chances"));
    Label11->setText(T("Events", "Normal", "Normal"));
    Label12->setText(T("Events", "SE", "Special event"));
    Label13->setText(T("Events", "CA", "Counter-attack"));
    BKStringGridListaEventos.SetCells(4, 0, T("Matches", "StringGridEvents2", ""));
    BKStringGridListaEventos.SetCells(5, 0, T("Matches", "StringGridEvents3", ""));
    for (int s = 0; s < 10; ++s)
        BKStringGridResultados.SetCells(0, 2 * s,
                                        s < 9 ? QStringLiteral(" %1.").arg(s + 1) : QStringLiteral("10."));
}

void TFPartidos::TabControlPartidosChanging() {
    PrevTab = TabControlPartidos->currentIndex(); // the change is always allowed
}

void TFPartidos::ImageTab1Click(int k) {
    if (k < 1 || k > 10)
        return;
    PrevTab = TabControlPartidos->currentIndex();
    {
        const QSignalBlocker blocker(TabControlPartidos);
        TabControlPartidos->setCurrentIndex(k - 1);
    }
    TabControlPartidosChange();
}

void TFPartidos::BKStringGridResultadosClick() {
    try {
        const int row = BKStringGridResultados.Row();
        if (row < 0 || BKStringGridResultados.Cells(0, row).isEmpty())
            return;
        PrevTab = TabControlPartidos->currentIndex();
        {
            const QSignalBlocker blocker(TabControlPartidos);
            TabControlPartidos->setCurrentIndex(row / 2);
        }
        TabControlPartidosChange();
    } catch (...) {
    }
}

void TFPartidos::LabelDetallesWeb1Click(QLabel* Sender) {
    try {
        // Only a web address is opened (the check is in OpenUrl); an empty caption opens nothing.
        if (Sender && !Sender->text().trimmed().isEmpty())
            OpenUrl(Sender->text().trimmed(), QStringLiteral("nuevaVentana"));
    } catch (...) {
    }
}
