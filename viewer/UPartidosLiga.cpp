// TFPartidos: the league panel's controls and texts. The panel stays hidden until a league round is
// loaded at connect; it then shows the series, the table before the round, the live table, the next
// round, the scorers and the goals-for and goals-against rankings on six pages.
#include "viewer/UPartidos.h"

#include "core/DataStore.h"
#include "core/LeagueGoals.h"
#include "core/LeagueTable.h"
#include "core/Settings.h"
#include "platform/widgets/StringGridView.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabWidget>

namespace {

QString T(const char* section, const char* key, const char* englishDefault) {
    return LangText(QLatin1String(section), QLatin1String(key), QString::fromUtf8(englishDefault));
}

void SetWidths(TBKStringGrid& grid, std::initializer_list<int> widths) {
    int c = 0;
    for (int w : widths)
        grid.SetColWidth(c++, w);
}

constexpr int RowHeight = 18;

// A display grid: row 0 the captions, nothing to select or edit; it grows only where it scrolls.
StringGridView* NewGridView(TBKStringGrid& grid, QWidget* page, const char* name, bool scrolls) {
    auto* view = new StringGridView(&grid, page);
    view->setObjectName(QLatin1String(name));
    view->SetDefaultRowHeight(RowHeight);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setFocusPolicy(Qt::NoFocus);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    // The league's eight clubs and the caption row are always in sight.
    view->setMinimumHeight(LeagueTableColumn::Rows * RowHeight + 2 * view->frameWidth());
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    return view;
}

QWidget* NewPage(QTabWidget* pages, const char* name) {
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    pages->addTab(page, QString());
    return page;
}

} // namespace

void TFPartidos::CreatePanelLiga() {
    QFrame* p = PanelLiga;
    auto* layout = new QVBoxLayout(p);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);

    const std::pair<QLabel**, const char*> labels[] = {{&LabelLiga, "LabelLiga"},
                                                       {&Label1, "Label1"},
                                                       {&LabelNivel, "LabelNivel"},
                                                       {&Label2, "Label2"},
                                                       {&LabelNivelMaximo, "LabelNivelMaximo"},
                                                       {&LabelJornadaNumero, "LabelJornadaNumero"},
                                                       {&LabelJornada1, "LabelJornada1"},
                                                       {&LabelJornada2, "LabelJornada2"},
                                                       {&LabelJornada3, "LabelJornada3"},
                                                       {&LabelJornada4, "LabelJornada4"}};
    for (const auto& [label, name] : labels) {
        *label = new QLabel(p);
        (*label)->setObjectName(QLatin1String(name));
        (*label)->setTextFormat(Qt::PlainText); // series and club names come from the service
    }
    QFont bold = LabelLiga->font();
    bold.setBold(true);
    LabelLiga->setFont(bold);
    auto* title = new QHBoxLayout;
    title->setSpacing(4);
    title->addWidget(LabelLiga, 1);
    for (QLabel* label : {Label1, LabelNivel, Label2, LabelNivelMaximo})
        title->addWidget(label);
    layout->addLayout(title);

    PageControlLiga = new QTabWidget(p);
    PageControlLiga->setObjectName(QStringLiteral("PageControlLiga"));
    layout->addWidget(PageControlLiga, 1);
    TabSheetLigaInicial = NewPage(PageControlLiga, "TabSheetLigaInicial");
    TabSheetLigaActualizada = NewPage(PageControlLiga, "TabSheetLigaActualizada");
    TabSheetLigaJornada = NewPage(PageControlLiga, "TabSheetLigaJornada");
    TabSheetLigaGoleadores = NewPage(PageControlLiga, "TabSheetLigaGoleadores");
    TabSheetLigaGolesMarcados = NewPage(PageControlLiga, "TabSheetLigaGolesMarcados");
    TabSheetLigaGolesRecibidos = NewPage(PageControlLiga, "TabSheetLigaGolesRecibidos");

    // The two tables: columns 3..5 are never written and stay hidden; the position column is wide enough
    // for a movement mark, the name column for the clubs' full names.
    for (TBKStringGrid* table : {&BKStringGridLigaInicial, &BKStringGridLigaActualizada}) {
        ShapeLeagueTable(*table);
        SetWidths(*table, {66, 180, 34, -1, -1, -1, 30, 30, 38, 34});
    }
    ShapeTable(BKStringGridLigaGoleadores, GoalListColumn::ScorerCount, 2, 1);
    SetWidths(BKStringGridLigaGoleadores, {-1, 30, 30, 170, 170});
    for (TBKStringGrid* ranking : {&BKStringGridLigaGolesMarcados, &BKStringGridLigaGolesRecibidos}) {
        ShapeTable(*ranking, GoalListColumn::RankingCount, GoalListColumn::RankingRows, 1);
        SetWidths(*ranking, {-1, 34, 30, 200});
    }
    ViewLigaInicial =
        NewGridView(BKStringGridLigaInicial, TabSheetLigaInicial, "BKStringGridLigaInicial", false);
    ViewLigaActualizada = NewGridView(BKStringGridLigaActualizada, TabSheetLigaActualizada,
                                      "BKStringGridLigaActualizada", false);
    ViewLigaGoleadores =
        NewGridView(BKStringGridLigaGoleadores, TabSheetLigaGoleadores, "BKStringGridLigaGoleadores", true);
    ViewLigaGolesMarcados = NewGridView(BKStringGridLigaGolesMarcados, TabSheetLigaGolesMarcados,
                                        "BKStringGridLigaGolesMarcados", false);
    ViewLigaGolesRecibidos = NewGridView(BKStringGridLigaGolesRecibidos, TabSheetLigaGolesRecibidos,
                                         "BKStringGridLigaGolesRecibidos", false);
    using Handler = void (TFPartidos::*)(QPainter&, int, int, const QRect&, bool);
    const std::pair<StringGridView*, Handler> hooks[] = {
        {ViewLigaInicial, &TFPartidos::BKStringGridLigaInicialDrawCell},
        {ViewLigaActualizada, &TFPartidos::BKStringGridLigaActualizadaDrawCell},
        {ViewLigaGoleadores, &TFPartidos::BKStringGridLigaGoleadoresDrawCell},
        {ViewLigaGolesMarcados, &TFPartidos::BKStringGridLigaGolesMarcadosDrawCell},
        {ViewLigaGolesRecibidos, &TFPartidos::BKStringGridLigaGolesRecibidosDrawCell}};
    for (const auto& hook : hooks) {
        const Handler handler = hook.second;
        hook.first->OnDrawCell = [this, handler](QPainter& canvas, int col, int row, const QRect& rect,
                                                 const StringGridView::DrawState& state) {
            (this->*handler)(canvas, col, row, rect, state.fixed);
        };
    }

    // The next round: its number and four fixtures, "---" until they are known.
    auto* round = new QVBoxLayout(TabSheetLigaJornada);
    round->setContentsMargins(8, 8, 8, 8);
    LabelJornadaNumero->setFont(bold);
    for (QLabel* label : {LabelJornadaNumero, LabelJornada1, LabelJornada2, LabelJornada3, LabelJornada4}) {
        label->setText(QStringLiteral("---"));
        round->addWidget(label);
    }
    round->addStretch(1);

    // Nothing to show until a league round is loaded; the live table is the page shown first.
    for (QWidget* w :
         {static_cast<QWidget*>(PageControlLiga), static_cast<QWidget*>(LabelLiga),
          static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2), static_cast<QWidget*>(LabelNivel),
          static_cast<QWidget*>(LabelNivelMaximo), static_cast<QWidget*>(PanelLiga)})
        w->setHidden(true);
    const QSignalBlocker blocker(PageControlLiga);
    PageControlLiga->setCurrentWidget(TabSheetLigaActualizada);
}

void TFPartidos::LeerIdiomaLiga() {
    Label1->setText(T("General", "LabelLevel", ""));
    Label2->setText(T("General", "LabelOf", ""));
    PageControlLiga->setTabText(0, T("General", "Before", "Before"));
    PageControlLiga->setTabText(1, T("General", "Now", "Now"));
    PageControlLiga->setTabText(2, T("Team", "LabelNextMatch", "Next match"));
    PageControlLiga->setTabText(3, T("League", "Scorers", "Scorers"));
    PageControlLiga->setTabText(4, T("League", "ScoredGoals", "Scored goals"));
    PageControlLiga->setTabText(5, T("League", "ReceivedGoals", "Received goals"));
    for (TBKStringGrid* table : {&BKStringGridLigaInicial, &BKStringGridLigaActualizada})
        for (int c = 0; c < LeagueTableColumn::Count; ++c)
            table->SetCells(c, 0,
                            LangText(QStringLiteral("Team"), QStringLiteral("StringGridL%1").arg(c), {}));
    const QString count = T("Team", "StringGrid41", "");
    const QString team = T("Team", "StringGridL1", "");
    BKStringGridLigaGoleadores.SetCells(GoalListColumn::GoalListTotal, 0, count);
    BKStringGridLigaGoleadores.SetCells(GoalListColumn::GoalListName, 0, T("Team", "StringGrid1", ""));
    BKStringGridLigaGoleadores.SetCells(GoalListColumn::GoalListTeamName, 0, team);
    for (TBKStringGrid* ranking : {&BKStringGridLigaGolesMarcados, &BKStringGridLigaGolesRecibidos}) {
        ranking->SetCells(GoalListColumn::GoalListTotal, 0, count);
        ranking->SetCells(GoalListColumn::GoalListName, 0, team);
    }
}
