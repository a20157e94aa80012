// The match view, offscreen: the event list with its goal column and chance counters, the header's
// kits, the rebuild rules of the tab switch, the commentary page, the HTML display helpers and the
// drawing rules; end to end, a match followed against velkaro-service.
#include "core/Commentary.h"
#include "core/DataStore.h"
#include "core/EventLookups.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UGlobal.h"
#include "platform/Cursor.h"
#include "platform/widgets/RichEdit.h"
#include "platform/widgets/StringGridView.h"
#include "platform/widgets/WebBrowser.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/DrawRules.h"
#include "viewer/HtmlDisplay.h"
#include "viewer/MatchViewRules.h"
#include "viewer/UPartidos.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

const QString Home = QStringLiteral("100");
const QString Away = QStringLiteral("200");

void FillMatch(int slot, const QString& id = QStringLiteral("900")) {
    SetMatch(slot, id, Home, Away);
    TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    m.SetCells(MatchColumn::HomeName, slot, QStringLiteral("Home Rovers Athletic"));
    m.SetCells(MatchColumn::AwayName, slot, QStringLiteral("Away United"));
    m.SetCells(MatchColumn::HomeGoals, slot, QStringLiteral("0"));
    m.SetCells(MatchColumn::AwayGoals, slot, QStringLiteral("0"));
}

// The first event type number whose class starts with Prefix.
QString TypeWithClass(const QString& prefix) {
    for (int type = 1; type < 1000; ++type) {
        QString cls;
        FPartidos->EventoClase(QString::number(type), cls);
        if (cls.startsWith(prefix))
            return QString::number(type);
    }
    ADD_FAILURE() << "no event type with class " << prefix.toStdString();
    return QString();
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
        const Ev& e = events[i];
        const QString html =
            e.html.isNull() ? QStringLiteral("<font color=#5577FF \"playerID=7\">Player %1</font> text %2. ")
                                  .arg(i)
                                  .arg(i + 1)
                            : e.html;
        AddEvent(
            slot,
            {e.team, e.type + QStringLiteral("_1"), html, {}, QString::number(i + 3), QStringLiteral("7")});
    }
}

QString ListCell(int col, int row) {
    return FPartidos->BKStringGridListaEventos.Cells(col, row);
}

// Where a rule writes a cell's text: the first row and column of pixels off the cell's fill.
QPoint TextCorner(const QRect& cell, const CellDrawing& drawing) {
    QImage image(cell.right() + 20, cell.bottom() + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintCell(painter, cell, QStringLiteral("Wg"), drawing, Qt::white);
    painter.end();
    const QColor fill = image.pixelColor(cell.right() - 1, cell.bottom() - 1);
    QPoint corner(image.width(), image.height());
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - fill.red()) + std::abs(c.green() - fill.green()) +
                    std::abs(c.blue() - fill.blue()) >
                150)
                corner = QPoint(std::min(corner.x(), x), std::min(corner.y(), y));
        }
    return corner;
}

} // namespace

TEST(MatchView, GoalColumnScoresAndInjuryWords) {
    TestProgram p;
    FillMatch(0);
    const QString goal = TypeWithClass(QStringLiteral(",0,0,0,"));
    const QString missed = TypeWithClass(QStringLiteral(",0,1,0,"));
    QVector<Ev> events = {{goal, Home},
                          {missed, Home},
                          {QStringLiteral("91"), Away},
                          {QStringLiteral("92"), Home},
                          {QStringLiteral("410"), Away}, // a current match's injury and its detail
                          {QStringLiteral("424"), Away},
                          {goal, Away}};
    FillEvents(0, events);
    RebuildSlot(0);
    ASSERT_EQ(FPartidos->BKStringGridListaEventos.RowCount(), 9); // captions, seven events, empty row
    EXPECT_EQ(ListCell(6, 1), " 1 -  0");
    EXPECT_EQ(ListCell(6, 2), ""); // a missed chance does not move the score
    EXPECT_EQ(ListCell(2, 3), CategoryInjurySubstituted);
    EXPECT_EQ(ListCell(6, 3), "slight");
    EXPECT_EQ(ListCell(6, 4), "serious");
    // The body-part event is the injury, its level unknown; the detail is information.
    EXPECT_EQ(ListCell(2, 5), CategoryInjurySubstituted);
    EXPECT_EQ(ListCell(6, 5), "?");
    EXPECT_EQ(ListCell(2, 6), CategoryMatchInfo);
    EXPECT_EQ(ListCell(6, 6), "");
    EXPECT_EQ(ListCell(6, 7), " 1 -  1"); // the injury words above are not read as a score
    EXPECT_EQ(ListCell(4, 1), "3'");
    EXPECT_EQ(ListCell(5, 3), "   Player 2"); // the away side is marked by three blanks
    // The latest event is selected and shown.
    EXPECT_EQ(FPartidos->BKStringGridListaEventos.Row(), 7);
    EXPECT_TRUE(FPartidos->WebBrowserEvento1->Html().contains("text 7."));

    // Two-digit scores.
    events = QVector<Ev>(10, {goal, Home}) + QVector<Ev>(12, {goal, Away});
    FillEvents(0, events);
    RebuildSlot(0);
    EXPECT_EQ(ListCell(6, 10), "10 -  0");
    EXPECT_EQ(ListCell(6, 22), "10 - 12");
}

TEST(MatchView, ChanceCounters) {
    TestProgram p;
    FillMatch(0);
    RebuildSlot(0);
    // A match without events: counters empty, not "0"; the selected-event page empty.
    EXPECT_EQ(FPartidos->LabelO11->text(), "");
    EXPECT_EQ(FPartidos->LabelO32->text(), "");
    EXPECT_EQ(FPartidos->WebBrowserEvento1->Html(), CommentaryToHtml(QString()));

    const QString goal = TypeWithClass(QStringLiteral(",0,0,0,"));
    const QString missed = TypeWithClass(QStringLiteral(",0,1,0,"));
    const QString seMissed = TypeWithClass(QStringLiteral(",0,1,1,"));
    const QString caGoal = TypeWithClass(QStringLiteral(",0,0,2,"));
    FillEvents(
        0,
        {{missed, Home}, {goal, Home}, {seMissed, Away}, {missed, Home}, {seMissed, Away}, {caGoal, Away}});
    RebuildSlot(0);
    EXPECT_EQ(FPartidos->LabelO11->text(), "3 (1)");
    EXPECT_EQ(FPartidos->LabelO12->text(), "0 (0)");
    EXPECT_EQ(FPartidos->LabelO22->text(), "2 (0)");
    EXPECT_EQ(FPartidos->LabelO32->text(), "1 (1)");
}

TEST(MatchView, HeaderTextsAndKits) {
    TestProgram p;
    FillMatch(0);
    TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    m.SetCells(MatchColumn::HomeDress, 0, "B030405");
    m.SetCells(MatchColumn::AwayDress, 0, "L010203");
    m.SetCells(MatchColumn::MatchTypeCode, 0, "2");
    m.SetCells(MatchColumn::HomeLeagueName, 0, "Utopia");
    m.SetCells(MatchColumn::HomeLeagueLevelUnitName, 0, "II.1");
    m.SetCells(MatchColumn::MinuteText, 0, "45");
    m.SetCells(MatchColumn::WeatherId, 0, "x");
    RebuildSlot(0);
    EXPECT_EQ(FPartidos->LabelSumarioEquipos->text(), "Home Rovers  - Away United");
    EXPECT_EQ(FPartidos->LabelSumarioResultado->text(), "0 - 0");
    EXPECT_EQ(FPartidos->LabelSumarioMinuto->text(), "Minute 45'");
    EXPECT_EQ(FPartidos->LabelSumarioPartidoID->text(), " 900");
    EXPECT_EQ(FPartidos->LabelSumarioFecha->text(), " 2024-03-16      19:00");
    EXPECT_EQ(FPartidos->LabelDetallesLiga1->text(), "Utopia - ??");
    EXPECT_TRUE(FPartidos->ImageSumarioTiempo->pixmap().isNull()); // a weather code that is no number
    EXPECT_FALSE(FPartidos->ImageUniforme11->pixmap().isNull());
    EXPECT_TRUE(FPartidos->ImageUniforme21->pixmap().isNull()); // letter L: no shirt
    EXPECT_FALSE(FPartidos->ImageUniforme22->pixmap().isNull());

    const KitFiles b = KitPictureFiles("B030405", "1");
    EXPECT_EQ(b.Shirt, "images/Shirt_B_0303.ico");
    EXPECT_EQ(b.Shorts, "images/dressPants04.ico");
    EXPECT_EQ(b.Socks, "images/dressSocks05.ico");
    EXPECT_EQ(KitPictureFiles("H050607", "1").Shirt, "images/Shirt_H_0205.ico");
    EXPECT_EQ(KitPictureFiles("K050607", "1").Shirt, "images/Shirt_K_1905.ico");
    EXPECT_EQ(KitPictureFiles("N050607", "1").Shirt, "images/dressShirt05.ico");
    EXPECT_EQ(KitPictureFiles("M050607", "1").Shirt, "");
    EXPECT_EQ(KitPictureFiles("X0012", "456").Shirt, "data/Xml/X.456.12.Shirt.gif");
    // Short codes never fail: the missing characters make shorter names.
    EXPECT_EQ(KitPictureFiles("B0", "1").Shorts, "images/dressPants.ico");
    EXPECT_EQ(KitPictureFiles("", "1").Shirt, "");
    for (const QString& file : {b.Shirt, b.Shorts, b.Socks})
        EXPECT_TRUE(QFile::exists(AppDir + file)) << file.toStdString();
}

// Real kit codes use the colour codes 00 and 21, and some end before their shorts or socks colour:
// every picture such a code names is shipped.
TEST(MatchView, KitIconsForColourCodes00And21AndShortCodes) {
    for (const char* letter : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "N"})
        for (const char* rest : {"002100", "210021", "21"}) {
            const KitFiles files = KitPictureFiles(QString(letter) + rest, "77");
            for (const QString& file : {files.Shirt, files.Shorts, files.Socks})
                EXPECT_TRUE(QFile::exists(QStringLiteral(VELKARO_RESOURCES_DIR "/") + file))
                    << file.toStdString();
        }
    EXPECT_EQ(KitPictureFiles("J002100", "77").Shirt, "images/Shirt_J_1600.ico");
    EXPECT_EQ(KitPictureFiles("A0021", "77").Socks, "images/dressSocks.ico");
}

TEST(MatchView, ReportPageKeepsOnlyAnUnchangedRefresh) {
    TestProgram p;
    FillMatch(0);
    RebuildSlot(0);
    QTabWidget* pages = FPartidos->PageControlEventos;
    auto showReport = [pages] {
        pages->setTabVisible(1, true);
        pages->setCurrentWidget(FPartidos->TabSheetFinPartido);
    };
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::HomeGoals, 0, "2");

    // The poll's refresh of the same tab while the report is the active page changes nothing...
    showReport();
    FPartidos->PrevTab = 0;
    FPartidos->TabControlPartidosChange();
    EXPECT_EQ(FPartidos->LabelSumarioResultado->text(), "0 - 0");
    EXPECT_EQ(pages->currentWidget(), FPartidos->TabSheetFinPartido);
    // ...while the commentary page is active it rebuilds.
    pages->setCurrentIndex(0);
    FPartidos->TabControlPartidosChange();
    EXPECT_EQ(FPartidos->LabelSumarioResultado->text(), "2 - 0");

    // Deleting the match while its report is shown rebuilds: the add panel appears.
    showReport();
    FPartidos->ButtonBorrarPartidoClick();
    EXPECT_EQ(FPartidos->LabelSumarioResultado->text(), "");
    EXPECT_FALSE(FPartidos->PanelAnadirEquipo->isHidden());
    EXPECT_TRUE(FPartidos->PanelPartido->isHidden());
    EXPECT_EQ(pages->currentIndex(), 0);
}

// The results list is refreshed while an empty slot is shown, and takes the user to a filled slot.
TEST(MatchView, ResultsListOnAnEmptySlot) {
    TestProgram p;
    FillMatch(3, "555");
    RebuildSlot(0);
    TBKStringGrid& results = FPartidos->BKStringGridResultados;
    EXPECT_EQ(results.Cells(1, 6), "Home Rovers Athletic - Away United");
    EXPECT_EQ(results.Cells(3, 6), "0 - 0");
    EXPECT_EQ(results.Cells(3, 0), " - ");
    EXPECT_EQ(results.Cells(0, 18), "10.");

    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::HomeGoals, 3, "4");
    FPartidos->PrevTab = 0; // the poll's refresh
    FPartidos->TabControlPartidosChange();
    EXPECT_EQ(results.Cells(3, 6), "4 - 0");

    results.SetRow(6);
    FPartidos->BKStringGridResultadosClick();
    EXPECT_EQ(FPartidos->TabControlPartidos->currentIndex(), 3);
    EXPECT_EQ(FPartidos->LabelSumarioPartidoID->text(), " 555");
    results.SetRow(7); // a spacer row does nothing
    FPartidos->BKStringGridResultadosClick();
    EXPECT_EQ(FPartidos->TabControlPartidos->currentIndex(), 3);
}

// On screen: the event list keeps its heading while it scrolls, shows its newest event whole after a
// tab change and after a poll, and the arrow keys move the selected event and the shown slot.
TEST(MatchView, EventListOnScreenFollowsTheNewestEventAndTheArrowKeys) {
    TestProgram p;
    FillMatch(0);
    FillMatch(1, "901");
    const QString goal = TypeWithClass(QStringLiteral(",0,0,0,"));
    QVector<Ev> events(30, {goal, Home});
    FillEvents(0, events);
    FPartidos->PanelConexion->setHidden(true);
    FPartidos->PanelPartidos->setHidden(false);
    FPartidos->resize(1366, 768);
    FPartidos->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FPartidos));
    StringGridView* view = FPartidos->ViewListaEventos;
    TBKStringGrid& list = FPartidos->BKStringGridListaEventos;
    auto newestWhole = [view, &list] {
        QCoreApplication::processEvents();
        const QRect cell = view->visualRect(view->model()->index(list.RowCount() - 2, 4));
        return !cell.isEmpty() && view->viewport()->rect().contains(cell);
    };
    auto headingShown = [view] {
        // The caption row's cell of the player column, right of its text: the heading's colour.
        const QImage shot = view->grab().toImage();
        return shot.pixelColor(view->width() - 90, view->frameWidth() + 8) ==
               view->palette().button().color();
    };

    RebuildSlot(0); // a tab change
    ASSERT_EQ(list.RowCount(), 32);
    EXPECT_TRUE(newestWhole());
    EXPECT_TRUE(headingShown());

    // A poll stores three more events and refreshes the tab shown.
    events += QVector<Ev>(3, {goal, Away});
    FillEvents(0, events);
    FPartidos->PrevTab = 0;
    FPartidos->TabControlPartidosChange();
    ASSERT_EQ(list.RowCount(), 35);
    EXPECT_TRUE(newestWhole());
    EXPECT_TRUE(headingShown());

    // The arrow keys move the selected event, and its page follows.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(list.Row(), 32);
    EXPECT_TRUE(FPartidos->WebBrowserEvento1->Html().contains("text 32."));
    EXPECT_TRUE(headingShown());

    // In the results list they move from slot to slot (the spacer row between does nothing).
    StringGridView* results = FPartidos->ViewResultados;
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                      results->visualRect(results->model()->index(0, 1)).center());
    ASSERT_EQ(FPartidos->TabControlPartidos->currentIndex(), 0);
    QTest::keyClick(results, Qt::Key_Down);
    EXPECT_EQ(FPartidos->TabControlPartidos->currentIndex(), 0);
    QTest::keyClick(results, Qt::Key_Down);
    EXPECT_EQ(FPartidos->TabControlPartidos->currentIndex(), 1);
    EXPECT_EQ(FPartidos->LabelSumarioPartidoID->text(), " 901");
    FPartidos->hide();
}

TEST(MatchView, RebuildIsNotReentered) {
    TestProgram p;
    FillMatch(0);
    FillEvents(0, {{TypeWithClass(",0,0,0,"), Home}, {TypeWithClass(",0,1,0,"), Away}});
    // A request that arrives inside a rebuild (here: when the busy cursor is set) runs after it.
    int nested = 0;
    Cursor::SetHook([&nested](bool busy) {
        if (busy && nested++ == 0)
            FPartidos->TabControlPartidosChange();
    });
    const int before = FPartidos->RebuildCount;
    RebuildSlot(0);
    Cursor::SetHook(nullptr);
    EXPECT_EQ(FPartidos->RebuildCount, before + 2);
    EXPECT_EQ(nested, 2);                                         // the deferred run came after the first one
    EXPECT_EQ(FPartidos->BKStringGridListaEventos.RowCount(), 4); // no event listed twice
    EXPECT_FALSE(FPartidos->RebuildRunning);
}

TEST(MatchView, CommentaryPageBulletsAfterTheSixthText) {
    TestProgram p;
    FillMatch(0);
    QVector<Ev> events;
    for (int i = 1; i <= 8; ++i)
        events.append({QStringLiteral("30"), Home, QStringLiteral("t%1 ").arg(i)});
    FillEvents(0, events);
    RebuildSlot(0);
    EXPECT_EQ(FPartidos->WebBrowserEventos->Html(),
              CommentaryToHtml("t1 t2 t3 t4 t5 t6 &bull;&nbsp;t7 &bull;&nbsp;t8 "));
}

// Every rebuild shows the commentary page scrolled 1000 pixels towards its end: the first one, and the
// next ones that load a longer page at the width the last page was laid out at; on screen too.
TEST(MatchView, CommentaryPageScrollsTowardsItsEndAtEveryRebuild) {
    TestProgram p;
    FillMatch(0);
    QVector<Ev> events;
    for (int i = 0; i < 150; ++i)
        events.append({QStringLiteral("30"), Home,
                       QStringLiteral("Event text number %1 of a long match, told in words enough to fill "
                                      "more than a line of the page, as the commentary of a match does.<br>")
                           .arg(i)});
    QScrollBar* scroll = FPartidos->WebBrowserEventos->verticalScrollBar();
    for (const bool shown : {false, true}) {
        if (shown) {
            FPartidos->PanelConexion->setHidden(true);
            FPartidos->PanelPartidos->setHidden(false);
            FPartidos->resize(1366, 768);
            FPartidos->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(FPartidos));
        }
        for (int poll = 0; poll < 3; ++poll) {
            events.append({QStringLiteral("30"), Away, QStringLiteral("One more event. ")});
            FillEvents(0, events);
            FPartidos->PrevTab = 0;
            FPartidos->TabControlPartidosChange();
            EXPECT_GT(scroll->maximum(), 1000) << shown << poll;
            EXPECT_EQ(scroll->value(), 1000) << shown << poll;
        }
    }
    FPartidos->hide();
}

TEST(HtmlDisplay, RichEditRuns) {
    const QString link = QStringLiteral("<font color=#5577FF \"playerID=12\">Ann Smith</font>");
    QList<RichEditRun> runs = RichEditRuns(CommentaryToHtml("Goal by " + link + "!<br />Next"));
    ASSERT_EQ(runs.size(), 3);
    EXPECT_EQ(runs[0], (RichEditRun{"Goal by ", Qt::black}));
    EXPECT_EQ(runs[1], (RichEditRun{"Ann Smith", QColor(0x55, 0x77, 0xFF)})); // the attribute is not colour
    EXPECT_EQ(runs[2], (RichEditRun{"!\rNext", Qt::black}));

    runs = RichEditRuns("<font color=red>1 - 0</font> and <font color=Maroon>x</font><font color=orange "
                        "\"playerID=3\">Bo</font>");
    ASSERT_EQ(runs.size(), 4);
    EXPECT_EQ(runs[0].Colour, QColor(255, 0, 0));
    EXPECT_EQ(runs[2].Colour, QColor(128, 0, 0));
    EXPECT_EQ(runs[3].Colour, QColor(255, 128, 64)); // not a library colour name: orange
    // Only six hexadecimal digits make a colour; a sign or blank a number parser would take does not.
    for (const char* text : {"#zz0000", "#-10000", "#+f+f+f", "# f0000", "#12345"})
        EXPECT_EQ(RichEditColour(text), QColor(255, 128, 64)) << text;
    EXPECT_EQ(RichEditColour("#0a0B0c"), QColor(10, 11, 12));

    // Without runs the text comes whole, in black, breaks as paragraphs.
    runs = RichEditRuns("plain <b>text</b><br />two");
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(runs[0], (RichEditRun{"plain <b>text</b>\rtwo", Qt::black}));
    EXPECT_TRUE(RichEditRuns(QString()).isEmpty());
    // An unclosed run keeps its text.
    runs = RichEditRuns("a <font color=green>b");
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[1], (RichEditRun{"b", QColor(0, 128, 0)}));
}

TEST(HtmlDisplay, RichEditAndBrowser) {
    TestProgram p;
    RichEdit edit;
    RichEditLoadHTML(&edit, CommentaryToHtml("A <font color=red>won</font><br />B"));
    EXPECT_EQ(edit.toPlainText(), "A won\nB");
    QTextCursor cursor(edit.document());
    cursor.setPosition(4);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(255, 0, 0));
    RichEditLoadHTML(&edit, QString());
    EXPECT_EQ(edit.toPlainText(), "");

    // A logo address is escaped and must be http(s).
    EXPECT_TRUE(
        LogoPageHtml("http://a/b.png?x=1&y=\"2").contains("src=\"http://a/b.png?x=1&amp;y=&quot;2\""));
    EXPECT_TRUE(LogoPageHtml("javascript:alert(1)").contains("<img src=\"\" width=\"77\""));
    EXPECT_TRUE(LogoPageHtml("file:///etc/passwd").contains("<img src=\"\""));

    // Pictures come through the fetcher once; other schemes are never fetched.
    QStringList fetched;
    const QByteArray png = PlainPng(Qt::red);
    WebBrowser::ClearPictureCache();
    WebBrowser::SetFetcher([&](const QString& url) {
        fetched << url;
        return png;
    });
    WebBrowser browser;
    WebMostrarImagen(&browser, "http://127.0.0.1:1/Logos/1.png");
    WebMostrarImagen(&browser, "http://127.0.0.1:1/Logos/1.png");
    WBLoadHTML(&browser, "<img src=\"file:///etc/hostname\">");
    EXPECT_EQ(fetched, QStringList{"http://127.0.0.1:1/Logos/1.png"});
    WebBrowser::SetFetcher(nullptr);
    WebBrowser::ClearPictureCache();
    EXPECT_EQ(browser.ReadyState(), 4);
}

TEST(DrawRules, Cells) {
    TestProgram p;
    TBKStringGrid list;
    list.SetColCount(11);
    list.SetRowCount(4);
    list.SetCells(0, 1, "1_1");
    list.SetCells(2, 1, "1");
    list.SetCells(5, 1, "Home Man");
    list.SetCells(0, 2, "1_1");
    list.SetCells(2, 2, "21");
    list.SetCells(5, 2, "   Away Man");
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

    // Text is written from the cell's top-left corner (not the middle of a tall cell); the pitch
    // grid's 20 to the right and 3 down (give or take an anti-aliased edge on another fill).
    const QRect tall(10, 10, 120, 60);
    const QPoint plain = TextCorner(tall, EventListCell(list, 5, 1));
    EXPECT_GE(plain.x(), tall.left());
    EXPECT_LE(plain.x(), tall.left() + 2);
    EXPECT_GE(plain.y(), tall.top());
    EXPECT_LE(plain.y(), tall.top() + 6);
    const QPoint pitch = TextCorner(tall, PitchCell("66%", Qt::white));
    EXPECT_NEAR(pitch.x() - plain.x(), 20, 1);
    EXPECT_NEAR(pitch.y() - plain.y(), 3, 1);

    TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
    matches.SetCells(MatchColumn::FinishedFlag, 4, "1");
    EXPECT_EQ(ResultsCell(matches, 3, 9).brush, QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(ResultsCell(matches, 3, 10).brush, QColor(Qt::white));
    EXPECT_FALSE(ResultsCell(matches, 1, 8).Draws());
}

// The demo round's match of the user's team followed over three polls: the view shows its events,
// the header its teams, kits and the logo the service serves.
TEST(MatchViewEndToEnd, FollowedMatchShowsItsEvents) {
    TestProgram p({.withService = true, .speed = 0, .start = "2024-03-16 19:10:00", .serviceArgs = {}});
    QString r;
    ConexionLogin(QStringLiteral("demo"), QStringLiteral("velkaro"), r);
    ASSERT_EQ(r, "OK");
    FOptions->EditTeamID->setText("250101");
    SetMatch(0, "712000021", "250101", "250103");
    TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    m.SetCells(MatchColumn::HomeName, 0, "Velkaro Demo FC");
    m.SetCells(MatchColumn::AwayName, 0, "Opponents");
    ConexionRequest(ChppPath + QStringLiteral("live&version=1.4&actionType=addMatch&matchID=712000021"), r);
    // The add's answer was not stored: the first poll repeats every event so far.
    ASSERT_TRUE(p.Service->Fault("repeat", 1, "live"));
    FPartidos->DescargarDatosEquipos(0);
    int rows = 0;
    for (const char* when : {"2024-03-16 19:20:00", "2024-03-16 19:35:00", "2024-03-16 19:55:00"}) {
        ASSERT_FALSE(
            p.Service->Control(QStringLiteral("/_control/clock?set=") + QString(when).replace(' ', "%20"))
                .isEmpty());
        FPartidos->DescargaLive();
        RebuildSlot(0);
        const int now = FPartidos->BKStringGridListaEventos.RowCount();
        EXPECT_GE(now, rows);
        rows = now;
    }
    const TBKStringGrid& events = FOptions->BKStringGridEventos(0);
    ASSERT_GT(events.RowCount(), 5);
    EXPECT_EQ(FPartidos->BKStringGridListaEventos.RowCount(), events.RowCount() + 1);
    EXPECT_EQ(ListCell(0, 1), events.Cells(EventColumn::EventTypeKey, 0));
    EXPECT_FALSE(FPartidos->LabelO11->text().isEmpty());
    EXPECT_TRUE(
        FPartidos->WebBrowserEventos->Html().contains(events.Cells(EventColumn::EventHtml, 0).left(20)));
    EXPECT_EQ(FPartidos->BKStringGridResultados.Cells(1, 0), "Velkaro Demo FC - Opponents");
    // The logo address the service gave points at the service; the page shows it.
    const QString logo = m.Cells(MatchColumn::HomeLogoUrl, 0);
    EXPECT_TRUE(logo.startsWith(p.Service->BaseUrl() + "/Logos/")) << logo.toStdString();
    EXPECT_TRUE(FPartidos->WebBrowserDetalles1->Html().contains(logo));

    // Under a display (xvfb-run, QT_QPA_PLATFORM=xcb) with VELKARO_SHOTS_DIR set: a picture of the
    // whole screen showing the followed match, for a person to look at.
    const QString shots = qEnvironmentVariable("VELKARO_SHOTS_DIR");
    if (!shots.isEmpty() && QGuiApplication::platformName() != QLatin1String("offscreen")) {
        FPartidos->PanelConexion->setHidden(true);
        FPartidos->PanelPartidos->setHidden(false);
        FPartidos->setGeometry(0, 0, 1280, 1024);
        FPartidos->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(FPartidos));
        RebuildSlot(0);
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(shots + "/followed-match.png");
        FPartidos->BKStringGridListaEventos.SetRow(3);
        FPartidos->BKStringGridListaEventosClick();
        FPartidos->ImageTab1Click(2); // an empty slot: the add panel, results still listed
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(shots + "/empty-slot.png");
        FPartidos->hide();
    }
}
