// The events panel of the matches window: the empty state, the shown event with its match, score,
// minute, icon and colour by category, the three delete buttons, and a half-written queue row that
// must not stick.
#include "core/DataStore.h"
#include "platform/widgets/RichEdit.h"
#include "platform/widgets/WebBrowser.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "viewer/UPartidos.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <gtest/gtest.h>

namespace {

TBKStringGrid& Queue() {
    return FOptions->BKStringGridEventosPanel();
}

// Appends one event to the queue as the live and replay roads do.
void QueueEvent(const QString& matchId, const QString& category, const QString& minute, const QString& score,
                const QString& html, const QString& key = QStringLiteral("100_1")) {
    TBKStringGrid& q = Queue();
    const int r = q.RowCount() - 1;
    q.SetCells(PanelEventColumn::EventTypeKey, r, key);
    q.SetCells(PanelEventColumn::EventHtml, r, html);
    q.SetCells(PanelEventColumn::CategoryCode, r, category);
    q.SetCells(PanelEventColumn::MatchId, r, matchId);
    q.SetCells(PanelEventColumn::EventMinute, r, minute);
    q.SetCells(PanelEventColumn::ScoreText, r, score);
    q.SetRowCount(r + 2);
}

void SetMatch(int slot, const QString& id, const QString& home, const QString& away) {
    TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    m.SetCells(MatchColumn::MatchId, slot, id);
    m.SetCells(MatchColumn::HomeName, slot, home);
    m.SetCells(MatchColumn::AwayName, slot, away);
}

QColor PanelColour() {
    return FPartidos->PanelEventos->palette().color(QPalette::Window);
}

QColor ButtonFace() {
    return QApplication::palette().color(QPalette::Button);
}

void ExpectEmptyState() {
    TFPartidos& w = *FPartidos;
    EXPECT_EQ(PanelColour(), ButtonFace());
    EXPECT_EQ(w.PanelEventosColor, -1);
    EXPECT_EQ(w.LabelEventosPanelEquipos->text() + w.LabelEventosPanelResultado->text() +
                  w.LabelEventosPanelMinuto->text(),
              "");
    EXPECT_FALSE(w.ButtonEventoBorrar->isEnabled() || w.ButtonEventoBorrarPartido->isEnabled() ||
                 w.ButtonEventoBorrarTodos->isEnabled());
    EXPECT_TRUE(w.ImageBorrarEvento->isHidden());
    EXPECT_TRUE(w.ImageEventosPanel->pixmap().isNull());
    EXPECT_EQ(w.RichEditEventosPanel->toPlainText(), "");
}

} // namespace

TEST(EventsPanel, ShowsTheOldestEventAndDeleteMovesToTheNext) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    ExpectEmptyState(); // the window's initial state already is the empty panel
    w.MostrarEventosPanel();
    ExpectEmptyState();
    SetMatch(3, "712000017", "Velkaro Demo FC", "Rivals United");
    QueueEvent("712000017", "0", "12", "1 - 0", "First goal by Smith");
    QueueEvent("712000017", "30", "40", "1 - 0", "Booking for Jones");
    w.MostrarEventosPanel();
    EXPECT_EQ(w.LabelEventosPanelEquipos->text(), "Velkaro Demo FC - Rivals United");
    EXPECT_EQ(w.LabelEventosPanelResultado->text(), "1 - 0");
    EXPECT_EQ(w.LabelEventosPanelMinuto->text(), "12'");
    EXPECT_TRUE(w.ButtonEventoBorrar->isEnabled() && w.ButtonEventoBorrarPartido->isEnabled() &&
                w.ButtonEventoBorrarTodos->isEnabled());
    EXPECT_FALSE(w.ImageBorrarEvento->isHidden());
    // The same text in the browser and in the rich edit.
    EXPECT_TRUE(w.WebBrowserEventosPanel->Html().contains("First goal by Smith"));
    EXPECT_TRUE(w.RichEditEventosPanel->toPlainText().contains("First goal by Smith"));

    w.ButtonEventoBorrar->click();
    EXPECT_EQ(Queue().RowCount(), 2);
    EXPECT_EQ(w.LabelEventosPanelMinuto->text(), "40'");
    EXPECT_TRUE(w.RichEditEventosPanel->toPlainText().contains("Booking for Jones"));
    EXPECT_FALSE(w.RichEditEventosPanel->toPlainText().contains("Smith"));

    w.ButtonEventoBorrar->click();
    EXPECT_EQ(Queue().RowCount(), 1);
    EXPECT_EQ(Queue().Cells(PanelEventColumn::MatchId, 0), "");
    ExpectEmptyState();
}

TEST(EventsPanel, DeleteMatchRemovesOnlyTheShownMatchsRowsAndDeleteAllEverything) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    SetMatch(0, "1", "A", "B");
    SetMatch(1, "2", "C", "D");
    SetMatch(2, "3", "E", "F");
    QueueEvent("2", "0", "1", "1 - 0", "m2 first");
    QueueEvent("1", "0", "2", "1 - 0", "m1 first");
    QueueEvent("2", "1", "3", "1 - 0", "m2 second");
    QueueEvent("3", "5", "4", "0 - 0", "m3 first");
    QueueEvent("2", "0", "5", "2 - 0", "m2 third");
    QueueEvent("1", "4", "6", "1 - 0", "m1 second");
    w.MostrarEventosPanel();
    EXPECT_EQ(w.LabelEventosPanelEquipos->text(), "C - D");

    w.ButtonEventoBorrarPartido->click();
    TBKStringGrid& q = Queue();
    ASSERT_EQ(q.RowCount(), 4);
    EXPECT_EQ(q.Cells(PanelEventColumn::EventHtml, 0), "m1 first");
    EXPECT_EQ(q.Cells(PanelEventColumn::EventHtml, 1), "m3 first");
    EXPECT_EQ(q.Cells(PanelEventColumn::EventHtml, 2), "m1 second");
    EXPECT_EQ(q.Cells(PanelEventColumn::MatchId, 3), "");
    EXPECT_EQ(w.LabelEventosPanelEquipos->text(), "A - B");
    EXPECT_EQ(w.LabelEventosPanelMinuto->text(), "2'");

    // Delete all empties the queue; new events are appended from row 0 again.
    w.ButtonEventoBorrarTodos->click();
    EXPECT_EQ(Queue().RowCount(), 1);
    EXPECT_EQ(Queue().Cells(PanelEventColumn::MatchId, 0), "");
    ExpectEmptyState();
    QueueEvent("1", "0", "7", "1 - 0", "after");
    w.MostrarEventosPanel();
    EXPECT_EQ(w.LabelEventosPanelMinuto->text(), "7'");
}

TEST(EventsPanel, IconAndColourOfEveryCategory) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    SetMatch(0, "1", "A", "B");
    const struct {
        const char* category;
        const char* image;
        int colour; // $BBGGRR, -1 button face
    } cases[] = {
        {"0", "images/ImageListPartido_0.png", 0xDDFFDD},
        {"1", "images/ImageListPartido_6.png", 0x808080},
        {"20", "images/ImageListLesiones_1.png", 0xDDDDFF},
        {"21", "images/ImageListLesiones_0.png", 0xDDDDFF},
        {"30", "images/ImageListTarjetas_0.png", 0xDDFFFF},
        {"31", "images/ImageListTarjetas_1.png", 0xDDFFFF},
        {"32", "images/ImageListTarjetas_2.png", 0xDDFFFF},
        {"4", "images/ImageListPartido_11.png", 0xF0CAA6},
        {"5", "images/ImageListPartido_10.png", 0xFFFFFF},
        {"6", "images/ImageListPartido_12.png", 0xDDFFFF},
        {"", "", -1},
        {"2", "", -1},
        {"300", "", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.category);
        w.ButtonEventoBorrarTodosClick();
        QueueEvent("1", c.category, "33", "2 - 1", "Some text");
        w.MostrarEventosPanel();
        EXPECT_EQ(w.ImageEventosPanelFile, c.image);
        EXPECT_EQ(w.ImageEventosPanel->pixmap().isNull(), QString(c.image).isEmpty());
        EXPECT_EQ(w.PanelEventosColor, c.colour);
        const QColor expected =
            c.colour < 0 ? ButtonFace()
                         : QColor(c.colour & 0xFF, (c.colour >> 8) & 0xFF, (c.colour >> 16) & 0xFF);
        EXPECT_EQ(PanelColour(), expected);
        // An unknown category still shows teams, score, minute and text.
        EXPECT_EQ(w.LabelEventosPanelEquipos->text() + "|" + w.LabelEventosPanelResultado->text() + "|" +
                      w.LabelEventosPanelMinuto->text(),
                  "A - B|2 - 1|33'");
        EXPECT_TRUE(w.RichEditEventosPanel->toPlainText().contains("Some text"));
    }
}

TEST(EventsPanel, OwnThirdCardEventAndAClearedSlot) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    // The match's slot was cleared after the event was queued: no team names, the rest is shown.
    QueueEvent("555", "6", "71", "0 - 2", "That is the third yellow card.", "QZ_3Tarjeta_");
    w.MostrarEventosPanel();
    EXPECT_EQ(w.LabelEventosPanelEquipos->text(), "");
    EXPECT_EQ(w.LabelEventosPanelResultado->text(), "0 - 2");
    EXPECT_EQ(w.LabelEventosPanelMinuto->text(), "71'");
    EXPECT_EQ(w.ImageEventosPanelFile, "images/ImageListPartido_12.png");
    // Its key has no events-data row: the class run is empty and the page starts with the text.
    EXPECT_TRUE(w.WebBrowserEventosPanel->Html().contains("<font color=maroon></font><br /><br />That is"));
    EXPECT_TRUE(w.RichEditEventosPanel->toPlainText().trimmed().startsWith("That is the third yellow card."));
}

TEST(EventsPanel, AHalfWrittenOnlyRowIsRemovedByDelete) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    SetMatch(0, "1", "A", "B");
    // A queued row whose writing failed part-way: written cells but the row count never grew.
    Queue().SetCells(PanelEventColumn::MatchId, 0, "1");
    Queue().SetCells(PanelEventColumn::EventMinute, 0, "9");
    ASSERT_EQ(Queue().RowCount(), 1);
    w.MostrarEventosPanel();
    ASSERT_TRUE(w.ButtonEventoBorrar->isEnabled());
    w.ButtonEventoBorrar->click();
    EXPECT_EQ(Queue().RowCount(), 1);
    EXPECT_EQ(Queue().Cells(PanelEventColumn::MatchId, 0), "");
    ExpectEmptyState();

    // The same through "delete match".
    Queue().SetCells(PanelEventColumn::MatchId, 0, "1");
    w.MostrarEventosPanel();
    w.ButtonEventoBorrarPartido->click();
    EXPECT_EQ(Queue().Cells(PanelEventColumn::MatchId, 0), "");
    ExpectEmptyState();

    // DeleteRow never leaves the data of a removed row behind the new last row.
    QueueEvent("1", "0", "1", "1 - 0", "x");
    QueueEvent("1", "0", "2", "2 - 0", "y");
    w.DeleteRow(Queue(), 1);
    EXPECT_EQ(Queue().RowCount(), 2);
    EXPECT_EQ(Queue().Cells(PanelEventColumn::EventHtml, 0), "x");
    EXPECT_EQ(Queue().Cells(PanelEventColumn::EventHtml, 1), "");
}

TEST(EventsPanel, RefreshedWhenAnEmptySlotIsShown) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    SetMatch(0, "1", "A", "B");
    w.TabControlPartidosChange();
    QueueEvent("1", "0", "17", "1 - 0", "A goal");
    // Slot 1 is empty: its rebuild still brings the new event into the panel.
    w.PrevTab = 0;
    w.TabControlPartidos->setCurrentIndex(1);
    w.TabControlPartidosChange();
    EXPECT_EQ(w.LabelEventosPanelMinuto->text(), "17'");
    EXPECT_TRUE(w.ButtonEventoBorrar->isEnabled());
}
