// The match view offscreen: event list, header and kits, tab switch, results, drawing, events panel, report.
#include "core/Commentary.h"
#include "core/EventLookups.h"
#include "core/UGlobal.h"
#include "platform/Cursor.h"
#include "platform/widgets/ColorGauge.h"
#include "support/TestHelpers.h"
#include "support/gui/WindowTest.h"
#include "viewer/DrawRules.h"
#include "viewer/MatchViewRules.h"
#include <QApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextLayout>
#include <functional>

namespace {

const QString Home = QStringLiteral("100");
const QString Away = QStringLiteral("200");
// Event types of the shipped data: free-kick goal, counter-attack goal, missed free kick, missed special.
const QString Goal = QStringLiteral("100"), CaGoal = QStringLiteral("140"), Miss = QStringLiteral("200"),
              SeMiss = QStringLiteral("205");

void FillMatch(int slot, const QString& id = QStringLiteral("900")) {
    SetMatch(slot, id, Home, Away);
    TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    m.SetCells(MatchColumn::HomeName, slot, "Home Rovers Athletic");
    m.SetCells(MatchColumn::AwayName, slot, "Away United");
    m.SetCells(MatchColumn::HomeGoals, slot, "0");
    m.SetCells(MatchColumn::AwayGoals, slot, "0");
}

struct Ev {
    QString type; // the number before "_"
    QString team;
    QString html = QString();
};

// Replaces the slot's events: minute i + 3, player 7, a linked player name "Player i" unless given.
void FillEvents(int slot, const QVector<Ev>& events) {
    TBKStringGrid& t = FOptions->BKStringGridEventos(slot);
    t.SetRowCount(1);
    for (int c = 0; c < t.ColCount(); ++c)
        t.SetCells(c, 0, QString());
    for (int i = 0; i < events.size(); ++i) {
        const QString html =
            events[i].html.isNull()
                ? QString("<font color=#5577FF \"playerID=7\">Player %1</font> text %2. ").arg(i).arg(i + 1)
                : events[i].html;
        AddEvent(slot, {events[i].team, events[i].type + "_1", html, {}, QString::number(i + 3), "7"});
    }
}

QString ListCell(int col, int row) {
    return FPartidos->BKStringGridListaEventos.Cells(col, row);
}

// Where a rule writes a cell's text: the first row and column of pixels far off the cell's fill.
QPoint TextCorner(const QRect& cell, const CellDrawing& drawing) {
    QImage image(cell.right() + 20, cell.bottom() + 20, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintCell(painter, cell, "Wg", drawing, Qt::white);
    painter.end();
    const int fill = qGray(image.pixel(cell.right() - 1, cell.bottom() - 1));
    QPoint corner(image.width(), image.height());
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (std::abs(qGray(image.pixel(x, y)) - fill) > 50)
                corner = QPoint(std::min(corner.x(), x), std::min(corner.y(), y));
    return corner;
}

struct MatchView : ::testing::Test {
    TestProgram p;
    TFPartidos& w = *FPartidos;
};

TBKStringGrid& Queue() {
    return FOptions->BKStringGridEventosPanel();
}

// Appends one event to the events-panel queue as the live and replay roads do.
void QueueEvent(const QString& matchId, const QString& category, const QString& minute, const QString& score,
                const QString& html, const QString& key = QStringLiteral("100_1")) {
    AppendRow(Queue(), {key, html, category, matchId, minute, QString(), score});
}

void SetTeams(int slot, const QString& id, const QString& home, const QString& away) {
    for (const auto& [column, text] :
         {std::pair{MatchColumn::MatchId, id}, {MatchColumn::HomeName, home}, {MatchColumn::AwayName, away}})
        FOptions->BKStringGrid10Partidos().SetCells(column, slot, text);
}

// The panel's teams, score and minute, joined by "|".
QString PanelShows() {
    return FPartidos->LabelEventosPanelEquipos->text() + "|" + FPartidos->LabelEventosPanelResultado->text() +
           "|" + FPartidos->LabelEventosPanelMinuto->text();
}

void ExpectEmptyPanel() {
    TFPartidos& w = *FPartidos;
    EXPECT_EQ(w.PanelEventos->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(w.PanelEventosColor, -1);
    EXPECT_EQ(PanelShows() + w.RichEditEventosPanel->toPlainText(), "||");
    EXPECT_FALSE(w.ButtonEventoBorrar->isEnabled() || w.ButtonEventoBorrarPartido->isEnabled() ||
                 w.ButtonEventoBorrarTodos->isEnabled());
    EXPECT_TRUE(w.ImageBorrarEvento->isHidden() && w.ImageEventosPanel->pixmap().isNull());
    EXPECT_EQ(Queue().Cells(PanelEventColumn::MatchId, Queue().RowCount() - 1), "");
}

} // namespace

TEST_F(MatchView, GoalColumnInjuryWordsAndChanceCounters) {
    FillMatch(0);
    RebuildSlot(0);
    // A match without events: counters empty, not "0"; the selected-event page empty.
    EXPECT_EQ(w.LabelO11->text() + w.LabelO32->text(), "");
    EXPECT_EQ(w.WebBrowserEvento1->Html(), CommentaryToHtml(QString()));
    FillEvents(0, {{Goal, Home},
                   {Miss, Home},
                   {"91", Away},
                   {"92", Home},
                   {"410", Away}, // a current match's injury and its detail
                   {"424", Away},
                   {Goal, Away}});
    RebuildSlot(0);
    ASSERT_EQ(w.BKStringGridListaEventos.RowCount(), 9); // captions, seven events, empty row
    // A miss keeps the score; injury words are no score; the body-part event is the injury, level unknown.
    EXPECT_EQ(Column(w.BKStringGridListaEventos, 6, 1, 7),
              QStringList({" 1 -  0", "", "slight", "serious", "?", "", " 1 -  1"}));
    EXPECT_EQ(Column(w.BKStringGridListaEventos, 2, 3, 6),
              QStringList(
                  {CategoryInjurySubstituted, ListCell(2, 4), CategoryInjurySubstituted, CategoryMatchInfo}));
    EXPECT_EQ(ListCell(4, 1) + "|" + ListCell(5, 3), "3'|   Player 2"); // the away side: three blanks
    FillEvents(0, QVector<Ev>(10, {Goal, Home}) + QVector<Ev>(12, {Goal, Away}));
    RebuildSlot(0);
    EXPECT_EQ(ListCell(6, 10) + "|" + ListCell(6, 22), "10 -  0|10 - 12"); // two-digit scores
    FillEvents(0, {{Miss, Home}, {Goal, Home}, {SeMiss, Away}, {Miss, Home}, {SeMiss, Away}, {CaGoal, Away}});
    RebuildSlot(0);
    EXPECT_EQ(QStringList({w.LabelO11->text(), w.LabelO12->text(), w.LabelO22->text(), w.LabelO32->text()}),
              QStringList({"3 (1)", "0 (0)", "2 (0)", "1 (1)"}));
}

TEST_F(MatchView, HeaderTextsAndKits) {
    FillMatch(0);
    TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    using namespace MatchColumn;
    const int columns[] = {HomeDress,  AwayDress, MatchTypeCode, HomeLeagueName, HomeLeagueLevelUnitName,
                           MinuteText, WeatherId};
    const char* texts[] = {"B030405", "L010203", "2", "Utopia", "II.1", "45", "x"};
    for (int i = 0; i < 7; ++i)
        m.SetCells(columns[i], 0, texts[i]);
    m.SetCells(Spectators, 0, AlignNumberText("8475"));
    m.SetCells(HomeLastLogin, 0, "2024-03-10 00:20:00");
    RebuildSlot(0);
    // After a word of a right-to-left language the grouped number and the login time keep their order.
    for (const QLabel* label : {w.LabelSumarioEspectadores, w.LabelDetallesLogin1}) {
        const QString text = QString::fromUtf8("\u05E6\u05D5\u05E4\u05D9\u05DD: ") +
                             QString(label->text()).remove(QRegularExpression("[A-Za-z]"));
        QTextLayout layout(text, label->font());
        QTextOption rtl;
        rtl.setTextDirection(Qt::RightToLeft);
        layout.setTextOption(rtl);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        const qsizetype first = text.indexOf(QRegularExpression("[0-9]")), last = text.size() - 2; // inside
        EXPECT_LT(line.cursorToX(first + 1), line.cursorToX(last)) << label->text().toStdString();
    }
    EXPECT_EQ(QStringList({w.LabelSumarioEquipos->text(), w.LabelSumarioResultado->text(),
                           w.LabelSumarioMinuto->text(), w.LabelSumarioPartidoID->text(),
                           w.LabelSumarioFecha->text(), w.LabelDetallesLiga1->text()}),
              QStringList({"Home Rovers  - Away United", "0 - 0", "Minute 45'", " 900",
                           " 2024-03-16      19:00", "Utopia - ??"}));
    // No weather picture for a code that is no number, no shirt for the letter L.
    EXPECT_TRUE(w.ImageSumarioTiempo->pixmap().isNull() && w.ImageUniforme21->pixmap().isNull());
    EXPECT_FALSE(w.ImageUniforme11->pixmap().isNull() || w.ImageUniforme22->pixmap().isNull());
    // The kit pictures of a code; short codes never fail: the missing characters make shorter names.
    for (const QString& kit :
         QString("B030405 0 images/Shirt_B_0303.ico;B030405 1 images/dressPants04.ico;B030405 2 "
                 "images/dressSocks05.ico;"
                 "H050607 0 images/Shirt_H_0205.ico;K050607 0 images/Shirt_K_1905.ico;N050607 0 "
                 "images/dressShirt05.ico;"
                 "M050607 0 ;X0012 0 data/Xml/X.456.12.Shirt.gif;J002100 0 images/Shirt_J_1600.ico;"
                 "B0 1 images/dressPants.ico;A0021 2 images/dressSocks.ico; 0 ")
             .split(';')) {
        const QStringList want = kit.split(' '); // the code, the part (shirt, shorts, socks), its file
        const KitFiles k = KitPictureFiles(want[0], "456");
        EXPECT_EQ(QStringList({k.Shirt, k.Shorts, k.Socks}).at(want[1].toInt()), want[2])
            << kit.toStdString();
    }
    // Every picture a real kit code names (colours 00 and 21, codes cut short) is shipped.
    for (const char* letter : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "N"})
        for (const char* rest : {"030405", "002100", "210021", "21"}) {
            const KitFiles files = KitPictureFiles(QString(letter) + rest, "77");
            for (const QString& file : {files.Shirt, files.Shorts, files.Socks})
                EXPECT_TRUE(QFile::exists(AppDir + file)) << file.toStdString();
        }
}

TEST_F(MatchView, TheTabSwitchRebuildsTheReportAndTheResultsList) {
    FillMatch(0);
    RebuildSlot(0);
    QTabWidget* pages = w.PageControlEventos;
    auto showReport = [&] {
        pages->setTabVisible(1, true);
        pages->setCurrentWidget(w.TabSheetFinPartido);
    };
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::HomeGoals, 0, "2");
    // The poll's refresh of the same tab while the report is the active page keeps the report, and
    // shows the new score in the header and the results, and the event queued meanwhile...
    showReport();
    QueueEvent("900", "0", "50", "2 - 0", "a goal");
    w.PrevTab = 0;
    w.TabControlPartidosChange();
    EXPECT_EQ(w.LabelSumarioResultado->text() + "|" + w.BKStringGridResultados.Cells(3, 0), "2 - 0|2 - 0");
    EXPECT_EQ(PanelShows(), "Home Rovers Athletic - Away United|2 - 0|50'");
    EXPECT_EQ(pages->currentWidget(), w.TabSheetFinPartido);
    // ...while the commentary page is active it rebuilds.
    pages->setCurrentIndex(0);
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::AwayGoals, 0, "1");
    w.TabControlPartidosChange();
    EXPECT_EQ(w.LabelSumarioResultado->text(), "2 - 1");
    // Deleting the match while its report is shown rebuilds: the add panel appears.
    showReport();
    w.ButtonBorrarPartidoClick();
    EXPECT_TRUE(w.LabelSumarioResultado->text().isEmpty() && w.PanelPartido->isHidden());
    EXPECT_TRUE(!w.PanelAnadirEquipo->isHidden() && pages->currentIndex() == 0);
    // The results list is refreshed while an empty slot is shown, and takes the user to a filled slot.
    FillMatch(3, "555");
    RebuildSlot(0);
    TBKStringGrid& results = w.BKStringGridResultados;
    EXPECT_EQ(RowCells(results, 6, {1, 3}), "Home Rovers Athletic - Away United|0 - 0");
    EXPECT_EQ(results.Cells(3, 0), " - ");
    EXPECT_EQ(results.Cells(0, 18), "10.");
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::HomeGoals, 3, "4");
    w.PrevTab = 0; // the poll's refresh
    w.TabControlPartidosChange();
    EXPECT_EQ(results.Cells(3, 6), "4 - 0");
}

// Every rebuild scrolls the commentary 1000 pixels towards its end; on screen the event list keeps its
// heading and shows its newest event whole; the user's keys move the selected event and the results' slot.
TEST_F(MatchView, OnScreenTheNewestEventsAreShownAndTheArrowKeysMove) {
    FillMatch(0);
    FillMatch(1, "901");
    QVector<Ev> events;
    auto poll = [&](int count, const QString& team, const QString& words) {
        for (int i = 0; i < count; ++i)
            events.append({Goal, team, QString("Event %1, %2<br>").arg(events.size() + 1).arg(words)});
        FillEvents(0, events);
        w.PrevTab = 0;
        w.TabControlPartidosChange();
    };
    QScrollBar* scroll = w.WebBrowserEventos->verticalScrollBar();
    auto towardsTheEnd = [scroll] { return scroll->maximum() > 1000 && scroll->value() == 1000; };
    poll(150, Home, "told in words enough to fill more than a line of the page, as the commentary does.");
    EXPECT_TRUE(towardsTheEnd());
    poll(1, Away, "one more.");
    EXPECT_TRUE(towardsTheEnd());
    StringGridView* view = w.ViewListaEventos;
    TBKStringGrid& list = w.BKStringGridListaEventos;
    auto newestWhole = [view, &list] {
        QCoreApplication::processEvents();
        const QRect cell = view->visualRect(view->model()->index(list.RowCount() - 2, 4));
        return !cell.isEmpty() && view->viewport()->rect().contains(cell);
    };
    auto headingShown = [view] { // the caption row's cell of the player column, right of its text
        return view->grab().toImage().pixelColor(view->width() - 90, view->frameWidth() + 8) ==
               view->palette().button().color();
    };
    w.PanelConexion->setHidden(true);
    w.PanelPartidos->setHidden(false);
    w.resize(1366, 768);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    RebuildSlot(0); // a tab change
    EXPECT_TRUE(newestWhole() && headingShown() && towardsTheEnd());
    QSignalSpy clicks(view, &StringGridView::Click);
    poll(3, Away, "one more.");
    EXPECT_TRUE(newestWhole() && headingShown() && towardsTheEnd());
    // The poll added the new events to the page shown: the same page as one loaded whole.
    const QString grown = w.WebBrowserEventos->document()->toHtml();
    RebuildSlot(0);
    EXPECT_EQ(grown, w.WebBrowserEventos->document()->toHtml());
    // The arrow keys move the selected event, and its page follows.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(list.Row(), 153);
    EXPECT_TRUE(w.WebBrowserEvento1->Html().contains("Event 153,"));
    EXPECT_TRUE(headingShown());
    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Up); // the caption row is no row to move to: no click
    EXPECT_EQ(list.Row(), 1);
    EXPECT_EQ(clicks.count(), 2) << "only the user's moves are clicks, not the poll's";
    // In the results list they move from slot to slot (the spacer row between does nothing).
    StringGridView* results = w.ViewResultados;
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                      results->visualRect(results->model()->index(0, 1)).center());
    ASSERT_EQ(w.TabControlPartidos->currentIndex(), 0);
    QTest::keyClick(results, Qt::Key_Down);
    EXPECT_EQ(w.TabControlPartidos->currentIndex(), 0);
    QTest::keyClick(results, Qt::Key_Down);
    EXPECT_EQ(w.TabControlPartidos->currentIndex(), 1);
    EXPECT_EQ(w.LabelSumarioPartidoID->text(), " 901");
}

// A row set by code before the grid is laid out still ends fully in view when the grid shrinks.
TEST(StringGridView, ARowSetByCodeStaysWholeInViewThroughLayoutAndResize) {
    TBKStringGrid table; // a caption row and 40 data rows
    table.SetColCount(2);
    table.SetRowCount(41);
    table.SetFixedRows(1);
    StringGridView view(&table);
    view.SetDefaultRowHeight(20);
    table.SetRow(35);
    view.resize(200, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.resize(200, 120);
    QCoreApplication::processEvents();
    const QRect shown = view.CellRect(0, 35);
    EXPECT_EQ(shown.size(), view.visualRect(view.model()->index(35, 0)).size());
    EXPECT_GE(shown.top(), view.CellRect(0, 0).bottom());
}

// A poll's refresh of the match shown keeps the event list's rows that stay as they are: the list it
// leaves is the one a whole rebuild writes, whatever changed since.
TEST_F(MatchView, ARefreshLeavesTheEventListARebuildWrites) {
    FillMatch(0);
    FillEvents(0, {{Goal, Home}, {"91", Away}, {Miss, Home}});
    RebuildSlot(0);
    const auto cells = [] {
        const TBKStringGrid& list = FPartidos->BKStringGridListaEventos;
        QStringList all;
        for (int r = 0; r < list.RowCount(); ++r)
            for (int c = 0; c < list.ColCount(); ++c)
                all << list.Cells(c, r);
        return all;
    };
    const auto refresh = [] {
        FPartidos->PrevTab = FPartidos->TabControlPartidos->currentIndex();
        FPartidos->TabControlPartidosChange();
    };
    ScopedLanguage language("[General]\r\nSlight=light\r\nSerious=heavy\r\n");
    TBKStringGrid& events = FOptions->BKStringGridEventos(0);
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"events added",
         [] {
             FillEvents(0, {{Goal, Home}, {"91", Away}, {Miss, Home}, {"92", Home}, {Goal, Away}});
         }},
        {"an earlier text changed", [&] { events.SetCells(EventColumn::EventHtml, 1, "Another text"); }},
        {"events removed",
         [] {
             FillEvents(0, {{Goal, Away}});
         }},
        {"other team IDs",
         [] { FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::AwayTeamId, 0, "300"); }},
        {"other injury words",
         [&] {
             FillEvents(0, {{"91", Home}, {"92", Away}});
             refresh();
             language.Use("[General]\r\nSlight=minor\r\nSerious=grave\r\n");
         }},
    };
    for (const auto& [change, apply] : changes) {
        apply();
        refresh();
        const QStringList refreshed = cells();
        RebuildSlot(0);
        EXPECT_EQ(refreshed, cells()) << change;
    }
    EXPECT_EQ(ListCell(6, 1) + "|" + ListCell(6, 2), "minor|grave");
}

TEST_F(MatchView, RebuildIsNotReenteredAndTheCommentaryBulletsAfterTheSixthText) {
    FillMatch(0);
    FillEvents(0, {{Goal, Home}, {Miss, Away}});
    // A request that arrives inside a rebuild (here: when the busy cursor is set) runs after it.
    int nested = 0;
    Cursor::SetHook([&nested](bool busy) {
        if (busy && nested++ == 0)
            FPartidos->TabControlPartidosChange();
    });
    const int before = w.RebuildCount;
    RebuildSlot(0);
    Cursor::SetHook(nullptr);
    EXPECT_EQ(QString("%1|%2").arg(w.RebuildCount - before).arg(nested), "2|2"); // the deferred run after
    EXPECT_EQ(w.BKStringGridListaEventos.RowCount(), 4);                         // no event listed twice
    EXPECT_FALSE(w.RebuildRunning);
    QVector<Ev> events;
    for (int i = 1; i <= 8; ++i)
        events.append({"30", Home, QString("t%1 ").arg(i)});
    FillEvents(0, events);
    RebuildSlot(0);
    EXPECT_EQ(w.WebBrowserEventos->Html(),
              CommentaryToHtml("t1 t2 t3 t4 t5 t6 &bull;&nbsp;t7 &bull;&nbsp;t8 "));
}

TEST_F(MatchView, DrawingRules) {
    TBKStringGrid list;
    list.SetColCount(11);
    list.SetRowCount(4);
    for (const auto& [row, category, player] : {std::tuple{1, "1", "Home Man"}, {2, "21", "   Away Man"}}) {
        list.SetCells(0, row, "1_1");
        list.SetCells(2, row, category);
        list.SetCells(5, row, player);
    }
    EXPECT_EQ(EventListCell(list, 5, 1).font, ColorFromBgr(ColorLightBlue));
    EXPECT_EQ(EventListCell(list, 5, 2).font, QColor(0xFF, 0xAA, 0xFF));
    EXPECT_FALSE(EventListCell(list, 5, 3).Draws()); // the empty last row keeps the normal drawing
    EXPECT_EQ(EventListCell(list, 3, 1).icon->Index, 6);
    EXPECT_EQ(EventListCell(list, 3, 2).icon->List, "ImageListLesiones");
    EXPECT_FALSE(EventListCell(list, 3, 3).Draws());
    EXPECT_FALSE(CategoryIcon("2").has_value());
    TBKStringGrid ratings;
    ratings.SetColCount(10);
    ratings.SetRowCount(22);
    ratings.SetCells(8, 4, " 3");
    EXPECT_EQ(RatingsCell(ratings, 9, 4).icon->Index, 3);
    for (const char* bad : {"7", "x", "-1"}) {
        ratings.SetCells(8, 4, bad);
        EXPECT_FALSE(RatingsCell(ratings, 9, 4).Draws()) << bad; // out of range: nothing
    }
    ratings.SetCells(4, 14, "+3");
    ratings.SetCells(9, 14, "-3");
    ratings.SetCells(4, 15, "0");
    EXPECT_EQ(RatingsCell(ratings, 4, 14).brush, ColorFromBgr(ColorLightGreen));
    EXPECT_EQ(RatingsCell(ratings, 9, 14).brush, ColorFromBgr(ColorLightRed));
    EXPECT_FALSE(RatingsCell(ratings, 4, 15).brush.has_value());
    EXPECT_FALSE(RatingsCell(ratings, 2, 11).Draws()); // empty total
    EXPECT_EQ(RatingsCell(ratings, 0, 3).font, QColor(0, 0, 255));
    EXPECT_EQ(PitchCell("", Qt::white).brush, QColor(Qt::white));
    EXPECT_EQ(PitchCell(" 66%", Qt::white).brush, ColorFromBgr(ColorLightMagenta));
    EXPECT_EQ(PitchCell("66%", Qt::white).brush, ColorFromBgr(ColorLightBlue));
    // Text starts at the cell's top-left corner, not mid-height; the pitch's 20 right and 3 down of it.
    const QRect tall(10, 10, 120, 60);
    const QPoint plain = TextCorner(tall, EventListCell(list, 5, 1));
    EXPECT_TRUE(QRect(tall.topLeft(), QSize(3, 7)).contains(plain)) << plain.x() << "," << plain.y();
    const QPoint pitch = TextCorner(tall, PitchCell("66%", Qt::white));
    EXPECT_LE((pitch - plain - QPoint(20, 3)).manhattanLength(), 2) << pitch.x() << "," << pitch.y();
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::FinishedFlag, 4, "1");
    EXPECT_EQ(ResultsCell(FOptions->BKStringGrid10Partidos(), 3, 9).brush, QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(ResultsCell(FOptions->BKStringGrid10Partidos(), 3, 10).brush, QColor(Qt::white));
    EXPECT_FALSE(ResultsCell(FOptions->BKStringGrid10Partidos(), 1, 8).Draws());
}

// The events panel shows the oldest queued event; delete, "delete match" and "delete all" empty the queue.
TEST_F(MatchView, EventsPanelShowsTheOldestEventItsIconAndColourAndDeletes) {
    ExpectEmptyPanel(); // the window's initial state already is the empty panel
    w.MostrarEventosPanel();
    ExpectEmptyPanel();
    SetTeams(0, "1", "A", "B");
    SetTeams(1, "2", "C", "D");
    QueueEvent("2", "0", "1", "1 - 0", "m2 first by Smith");
    QueueEvent("1", "0", "2", "1 - 0", "m1 first");
    QueueEvent("2", "1", "3", "1 - 0", "m2 second");
    QueueEvent("1", "4", "6", "1 - 0", "m1 second");
    QueueEvent("2", "0", "5", "2 - 0", "m2 third");
    w.MostrarEventosPanel();
    EXPECT_EQ(PanelShows(), "C - D|1 - 0|1'");
    EXPECT_TRUE(w.ButtonEventoBorrar->isEnabled() && w.ButtonEventoBorrarPartido->isEnabled() &&
                w.ButtonEventoBorrarTodos->isEnabled());
    EXPECT_FALSE(w.ImageBorrarEvento->isHidden());
    EXPECT_TRUE(w.WebBrowserEventosPanel->Html().contains("m2 first by Smith")); // the same text in both
    EXPECT_TRUE(w.RichEditEventosPanel->toPlainText().contains("m2 first by Smith"));
    w.ButtonEventoBorrar->click();
    EXPECT_EQ(Queue().RowCount(), 5);
    EXPECT_EQ(PanelShows(), "A - B|1 - 0|2'");
    EXPECT_TRUE(w.RichEditEventosPanel->toPlainText().contains("m1 first"));
    EXPECT_FALSE(w.RichEditEventosPanel->toPlainText().contains("Smith"));
    // "Delete match" removes only the shown match's rows; the rows after them move up, the last too.
    w.ButtonEventoBorrarPartido->click();
    EXPECT_EQ(Column(Queue(), PanelEventColumn::EventHtml, 0, 2), QStringList({"m2 second", "m2 third", ""}));
    EXPECT_EQ(PanelShows(), "C - D|1 - 0|3'");
    w.ButtonEventoBorrarTodos->click(); // "delete all" empties the queue
    EXPECT_EQ(Queue().RowCount(), 1);
    ExpectEmptyPanel();
    // Both deletes remove a half-written only row (row count never grew); no data stays behind the last.
    for (QPushButton* button : {w.ButtonEventoBorrar, w.ButtonEventoBorrarPartido}) {
        w.ButtonEventoBorrarTodosClick();
        Queue().SetCells(PanelEventColumn::MatchId, 0, "1");
        Queue().SetCells(PanelEventColumn::EventMinute, 0, "9");
        w.MostrarEventosPanel();
        button->click();
        EXPECT_EQ(Queue().RowCount(), 1);
        ExpectEmptyPanel();
    }
    QueueEvent("1", "0", "17", "1 - 0", "x");
    QueueEvent("1", "0", "18", "2 - 0", "y");
    w.DeleteRow(Queue(), 1);
    EXPECT_EQ(Column(Queue(), PanelEventColumn::EventHtml, 0, 1), QStringList({"x", ""}));
    // Slot 1 is empty: its rebuild still brings the queued event into the panel.
    w.PrevTab = 0;
    ShowSlot(1);
    w.TabControlPartidosChange();
    EXPECT_EQ(w.LabelEventosPanelMinuto->text(), "17'");
    EXPECT_TRUE(w.ButtonEventoBorrar->isEnabled());
    // Each category: its picture and its colour ($BBGGRR, -1 the button face).
    for (const QString& row :
         QString("0 ImageListPartido_0 DDFFDD;1 ImageListPartido_6 808080;20 ImageListLesiones_1 "
                 "DDDDFF;21 ImageListLesiones_0 DDDDFF;30 ImageListTarjetas_0 DDFFFF;31 "
                 "ImageListTarjetas_1 DDFFFF;32 ImageListTarjetas_2 DDFFFF;4 ImageListPartido_11 "
                 "F0CAA6;5 ImageListPartido_10 FFFFFF;6 ImageListPartido_12 DDFFFF;  -1;2  -1;300  -1")
             .split(';')) {
        const QStringList c = row.split(' ');
        const int colour = c[2].toInt(nullptr, 16);
        SCOPED_TRACE(row.toStdString());
        w.ButtonEventoBorrarTodosClick();
        QueueEvent("1", c[0], "33", "2 - 1", "Some text");
        w.MostrarEventosPanel();
        EXPECT_EQ(w.ImageEventosPanelFile, c[1].isEmpty() ? "" : "images/" + c[1] + ".png");
        EXPECT_EQ(w.ImageEventosPanel->pixmap().isNull(), c[1].isEmpty());
        EXPECT_EQ(w.PanelEventosColor, colour);
        EXPECT_EQ(w.PanelEventos->palette().color(QPalette::Window),
                  colour < 0 ? QApplication::palette().color(QPalette::Button) : ColorFromBgr(colour));
        // An unknown category still shows teams, score, minute and text.
        EXPECT_EQ(PanelShows(), "A - B|2 - 1|33'");
        EXPECT_TRUE(w.RichEditEventosPanel->toPlainText().contains("Some text"));
    }
    // The program's third-card event of a since-cleared slot: no teams, an empty class run, the rest shown.
    w.ButtonEventoBorrarTodosClick();
    QueueEvent("555", "6", "71", "0 - 2", "That is the third yellow card.", "QZ_3Tarjeta_");
    w.MostrarEventosPanel();
    EXPECT_EQ(PanelShows(), "|0 - 2|71'");
    EXPECT_EQ(w.ImageEventosPanelFile, "images/ImageListPartido_12.png");
    EXPECT_TRUE(w.WebBrowserEventosPanel->Html().contains("<font color=maroon></font><br /><br />That is"));
    EXPECT_TRUE(w.RichEditEventosPanel->toPlainText().trimmed().startsWith("That is the third yellow card."));
}

// Missing or broken end files leave the report's pages empty, silently; the summary comes from the events.
TEST_F(MatchView, ReportWithMissingOrBrokenEndFiles) {
    SetMatch(2, "900", Home, Away);
    TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    m.SetCells(MatchColumn::HomeName, 2, "Home Rovers");
    m.SetCells(MatchColumn::FinishedFlag, 2, "1");
    m.SetCells(MatchColumn::HomeFormation, 2, "4-4-2");
    m.SetCells(MatchColumn::AwayName, 2, "Sporting Club of the Far Northern Hills");
    m.SetCells(MatchColumn::MatchTypeCode, 2, "8"); // International friendly
    AddEvent(2, {Home, "27_0", "", "", "0"});       // the away side played at home
    AddEvent(2, {Home, "100_0", "", ",0,0,0,,0,", "12"});
    AddEvent(2, {Home, "40_0", "", "", "45", "0", "60"}); // possession 60 %
    const QString details = AppDir + "data/Xml/matchDetails2.xml",
                  lineup = AppDir + "data/Xml/matchLineup2Away.xml";
    auto writeDetails = [&details](const QByteArray& name) {
        WriteFile(details,
                  "<HattrickData><FileName>" + name +
                      "</FileName><Match><HomeTeam><HomeTeamName>Home Rovers</HomeTeamName><TacticSkill>3"
                      "</TacticSkill><RatingMidfield>9</RatingMidfield></HomeTeam><AwayTeam><AwayTeamName>"
                      "Sporting Club of the Far Northern Hills</AwayTeamName><TacticSkill>2"
                      "</TacticSkill><RatingMidfield>7</RatingMidfield></AwayTeam></Match></HattrickData>");
    };
    writeDetails("matchdetails.xml");
    QByteArray players;
    for (const auto& [role, name, stars] : {std::tuple{"1", "Kim Keeper", "3.5"}, {"2", "Bo Back", "2"}})
        players +=
            QString(
                "<Player><RoleID>%1</RoleID><PlayerID>1%1</PlayerID><PositionCode>%1</PositionCode>"
                "<Behaviour>0</Behaviour><PlayerName>%2</PlayerName><RatingStars>%3</RatingStars></Player>")
                .arg(role, name, stars)
                .toUtf8();
    WriteFile(lineup,
              "<HattrickData><FileName>matchlineup.xml</FileName><Team><TeamName>Away United</TeamName>"
              "<Lineup>" +
                  players + "</Lineup></Team></HattrickData>");
    RebuildSlot(2);
    EXPECT_EQ(w.BKStringGridDetalles.Cells(1, 1), "Home Rovers");
    EXPECT_EQ(w.Gauge1->Progress(), 60);
    EXPECT_EQ(w.PanelHome[1]->text(), "Kim Keeper");
    EXPECT_EQ(w.LabelHomeEstrellas->text(), "5" + QLocale().decimalPoint() + "5"); // every box's stars
    EXPECT_TRUE(!w.ImageHome[1]->isHidden() && w.ImageHome[3]->isHidden()) << "no star in an empty box";
    // At 1366x768 every page of the report scrolls to its last control, and its texts show whole.
    w.PanelConexion->setHidden(true);
    w.PanelPartidos->setHidden(false);
    w.resize(1366, 768);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.PageControlEventos->setCurrentWidget(w.TabSheetFinPartido);
    for (QWidget* page : {w.TabSheetCalificaciones, w.TabSheetAlineacion1, w.TabSheetResumenEventos}) {
        auto* scroll = qobject_cast<QScrollArea*>(page->parentWidget()->parentWidget());
        ASSERT_TRUE(scroll && scroll->widget() == page);
        w.PageControlFinPartido->setCurrentWidget(scroll);
        QCoreApplication::processEvents();
        EXPECT_GT(page->height(), scroll->viewport()->height()) << page->objectName().toStdString();
        for (const QWidget* control : page->findChildren<QWidget*>())
            if (!control->isHidden()) {
                EXPECT_TRUE(page->rect().contains(QRect(control->mapTo(page, QPoint()), control->size())))
                    << control->objectName().toStdString();
            }
    }
    for (const QLabel* label :
         {w.LabelEquipo2, w.LabelT.value("29"), w.LabelEventosAwayName, w.LabelHomeReplaced})
        EXPECT_TRUE(label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                      : label->sizeHint().width() <= label->width())
            << label->objectName().toStdString();
    // Match type, venue and the away name in the ratings grid; the teams in the results list.
    for (const auto& [view, col, row] : {std::tuple{w.ViewDetalles, 0, 3},
                                         {w.ViewDetalles, 1, 9},
                                         {w.ViewDetalles, 6, 1},
                                         {w.ViewResultados, 1, 4}}) {
        const QString text = view->Grid()->Cells(col, row);
        const QRect cell = view->visualRect(view->model()->index(row, col));
        EXPECT_TRUE(text.size() > 20 && view->fontMetrics().horizontalAdvance(text) < cell.width())
            << col << row;
    }
    // The service's error document stands where the details should be; the lineup is gone.
    writeDetails("chpperror.xml");
    QFile::remove(lineup);
    RebuildSlot(2);
    EXPECT_TRUE(w.PageControlEventos->isTabVisible(1));
    for (int r = 0; r < 22; ++r)
        for (int c = 1; c < 10; ++c)
            if (!(r == 6 && c == 2) && !(r == 9 && c == 1)) { // the final rows: formation, venue
                EXPECT_EQ(w.BKStringGridDetalles.Cells(c, r), "") << c << " " << r;
            }
    EXPECT_EQ(w.BKStringGridDetalles.Cells(0, 13), "Midfield") << "the row labels stay";
    EXPECT_EQ(w.BKStringGridDetalles.Cells(2, 6), "4-4-2");
    EXPECT_TRUE(w.Gauge1->Progress() == 0 && w.Gauge1->BackColor() == Qt::white) << "no possession";
    // No pitch, no shares, nobody in a lineup that cannot be read; the summary from the events.
    EXPECT_EQ(w.StringGridCampo.Cells(1, 2) + w.LabelPose11->text() + w.PanelHome[1]->text(), "");
    EXPECT_EQ(w.LabelMatchID->text(), "MatchID: 900");
    EXPECT_EQ(w.LabelR.value("10")->text(), "1 (1)");
    EXPECT_EQ(w.LabelEventosHomeName->text(), "Home Rovers");
    WriteFile(details, "<HattrickData><Match>"); // not XML at all
    RebuildSlot(2);
    EXPECT_EQ(w.BKStringGridDetalles.Cells(1, 1), "");
    EXPECT_TRUE(p.Boxes.Boxes.isEmpty());
}
