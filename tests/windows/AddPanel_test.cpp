// The add panel of an empty slot, offscreen: the group and team selectors filled from the favourites,
// the national-team tables and the user's bookmarks, the add button's number rule, the two sources,
// adding through the selector and clearing a slot against velkaro-service.
#include "core/DataStore.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UPaises.h"
#include "platform/XmlDocument.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Favourite {
    QString group, name, id;
};

void SetFavourites(const QVector<Favourite>& rows) {
    TBKStringGrid& t = FOptions->BKStringGridFavoritos();
    t.SetRowCount(rows.size() + 1); // the empty last row the next append fills
    for (int r = 0; r <= rows.size(); ++r) {
        const Favourite f = r < rows.size() ? rows[r] : Favourite{};
        t.SetCells(FavouriteColumn::FavouriteGroup, r, f.group);
        t.SetCells(FavouriteColumn::FavouriteTeamName, r, f.name);
        t.SetCells(FavouriteColumn::FavouriteTeamId, r, f.id);
    }
}

void Enter(QWidget* w) {
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &in);
}

QString Bookmark(int type, const QString& text, const QString& id) {
    return QStringLiteral(
               "<Bookmark><BookmarkTypeID>%1</BookmarkTypeID><Text>%2</Text><ObjectID>%3</ObjectID>"
               "</Bookmark>")
        .arg(type)
        .arg(text, id);
}

// The first match of the team's match list that is not finished.
QString NextMatchOf(const QString& teamId) {
    QString result;
    const QString file = AppDir + QStringLiteral("data/Xml/probe.xml");
    BajarFicheroXML(ChppPath + QStringLiteral("matches&teamID=") + teamId, file, result);
    if (result != QLatin1String("OK"))
        return {};
    XmlDocument doc;
    doc.LoadFromFile(file);
    const XmlNode list = doc.DocumentElement().Path(QStringLiteral("Team/MatchList"));
    for (int i = 0; i < list.ChildCount(); ++i)
        if (list.Child(i).ChildText(QStringLiteral("Status")) != QLatin1String("FINISHED"))
            return list.Child(i).ChildText(QStringLiteral("MatchID"));
    return {};
}

} // namespace

TEST(AddPanel, GroupsAndTeamsFromFavourites) {
    TestProgram p;
    SetFavourites({{"A", "Zeta FC", "111"},
                   {"", "No Group", "222"},
                   {"A", "alpha United", "333"},
                   {"B", "Zeta FC", "444"},
                   {"B", "", "555"}});
    FPartidos->CompletarGrupoFavoritos();

    // Groups "A", "", "A", "B": the three bracketed entries, "A" once and "B", sorted.
    EXPECT_EQ(Entries(FPartidos->ComboBoxAnadir1),
              QStringList({"[All]", "[Hattrick Bookmarks]", "[National team]", "A", "B"}));
    // The first group is chosen: every named favourite, a team of two groups twice.
    EXPECT_EQ(FPartidos->ComboBoxAnadir1->currentText(), QStringLiteral("[All]"));
    EXPECT_EQ(Entries(FPartidos->ComboBoxAnadir11),
              QStringList({"alpha United", "No Group", "Zeta FC", "Zeta FC"}));
    EXPECT_EQ(FPartidos->EditAnadir12->text(), QStringLiteral("333"));
    EXPECT_TRUE(FPartidos->ButtonAnadirPartido->isEnabled());

    Choose(FPartidos->ComboBoxAnadir1, QStringLiteral("B"));
    EXPECT_EQ(Entries(FPartidos->ComboBoxAnadir11), QStringList({"Zeta FC"}));
    // Names are looked up across every favourite: the first row of that name gives the ID.
    EXPECT_EQ(FPartidos->EditAnadir12->text(), QStringLiteral("111"));

    // A typed text that names no group: no team list.
    FPartidos->ComboBoxAnadir1->setEditText(QStringLiteral("C"));
    FPartidos->ComboBoxAnadir1Change();
    EXPECT_FALSE(FPartidos->ComboBoxAnadir11->isEnabled());
    EXPECT_TRUE(FPartidos->ComboBoxAnadir11->currentText().isEmpty());
}

TEST(AddPanel, NationalTeamsFromTheCountryTables) {
    TestProgram p;
    SetFavourites({});
    FPartidos->CompletarGrupoFavoritos();
    Choose(FPartidos->ComboBoxAnadir1, QStringLiteral("[National team]"));

    int countries = 0;
    for (int id = 1; id <= LeagueCount; ++id)
        countries += LeagueNames(id).isEmpty() ? 0 : 1;
    EXPECT_EQ(FPartidos->ComboBoxAnadir11->count(), 2 * countries);
    // " U20 " sorts before the letters.
    EXPECT_TRUE(FPartidos->ComboBoxAnadir11->itemText(0).startsWith(QStringLiteral(" U20 ")));

    Choose(FPartidos->ComboBoxAnadir11, QStringLiteral(" U20 Sverige"));
    EXPECT_EQ(FPartidos->EditAnadir12->text(), QStringLiteral("3041"));
    Choose(FPartidos->ComboBoxAnadir11, QStringLiteral("Sverige"));
    EXPECT_EQ(FPartidos->EditAnadir12->text(), QStringLiteral("3000"));
    // An emptied team text names no country: the lookup's fallback league gives the team.
    FPartidos->ComboBoxAnadir11->setEditText(QString());
    FPartidos->ComboBoxAnadir11Change();
    EXPECT_EQ(FPartidos->EditAnadir12->text(), NationalTeamIds(35));
    EXPECT_FALSE(FPartidos->EditAnadir12->text().isEmpty());

    // With no favourite groups the last entry is the national teams: a change of source shows
    // their list with no team chosen.
    FPartidos->RadioGroupAnadirClick();
    EXPECT_EQ(FPartidos->ComboBoxAnadir1->currentText(), QStringLiteral("[National team]"));
    EXPECT_TRUE(FPartidos->ComboBoxAnadir11->currentText().isEmpty());
    EXPECT_TRUE(FPartidos->EditAnadir12->text().isEmpty());
    EXPECT_FALSE(FPartidos->ButtonAnadirPartido->isEnabled());
}

TEST(AddPanel, BookmarksFileRules) {
    TestProgram p;
    // Only team bookmarks are listed; the lookup of a name takes the first bookmark of that text,
    // whatever its type.
    const QString bookmarks = AppDir + QStringLiteral("data/Xml/bookmarks.xml");
    WriteFile(bookmarks, (QStringLiteral("<HattrickData><FileName>bookmarks.xml</FileName><BookmarkList>") +
                          Bookmark(2, "Twin", "98765") + Bookmark(1, "Twin", "250102") +
                          Bookmark(3, "Cup", "55") + QStringLiteral("</BookmarkList></HattrickData>"))
                             .toUtf8());
    FPartidos->CompletarGrupoFavoritos();
    Choose(FPartidos->ComboBoxAnadir1, QStringLiteral("[Hattrick Bookmarks]"));
    EXPECT_EQ(Entries(FPartidos->ComboBoxAnadir11), QStringList({"Twin"}));
    EXPECT_EQ(FPartidos->EditAnadir12->text(), QStringLiteral("98765"));

    // A broken file and a missing file: an empty team list, no team ID, nothing else disturbed.
    for (const bool missing : {false, true}) {
        if (missing)
            QFile::remove(bookmarks);
        else
            WriteFile(bookmarks, "<HattrickData><BookmarkList><Bookmark>");
        FPartidos->CompletarGrupoFavoritos();
        Choose(FPartidos->ComboBoxAnadir1, QStringLiteral("[Hattrick Bookmarks]"));
        EXPECT_EQ(FPartidos->ComboBoxAnadir11->count(), 0);
        EXPECT_TRUE(FPartidos->EditAnadir12->text().isEmpty());
        EXPECT_EQ(FPartidos->ComboBoxAnadir1->count(), 3);
    }
}

TEST(AddPanel, AddButtonWantsADecimalNumber) {
    TestProgram p;
    QLineEdit* typed = FPartidos->EditAnadir2;
    const struct {
        const char* text;
        bool enabled;
    } cases[] = {{"12a", false}, {"123", true}, {"", false},          {"$1F", false},       {"-5", false},
                 {" 12", false}, {"0", true},   {"2147483647", true}, {"2147483648", false}};
    for (const auto& c : cases) {
        typed->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(FPartidos->ButtonAnadirPartido->isEnabled(), c.enabled) << c.text;
    }
    // A letter typed stays in the field, and the button stays off until it is gone.
    typed->clear();
    QTest::keyClicks(typed, QStringLiteral("12a"));
    EXPECT_EQ(typed->text(), QStringLiteral("12a"));
    EXPECT_FALSE(FPartidos->ButtonAnadirPartido->isEnabled());
    QTest::keyClick(typed, Qt::Key_Backspace);
    EXPECT_TRUE(FPartidos->ButtonAnadirPartido->isEnabled());
    // The selector's team ID follows the same rule.
    FPartidos->EditAnadir12->setText(QStringLiteral("25x"));
    EXPECT_FALSE(FPartidos->ButtonAnadirPartido->isEnabled());
}

TEST(AddPanel, MovingIntoTheOtherSourceClearsTheFirst) {
    TestProgram p;
    SetFavourites({{"A", "Zeta FC", "111"}});
    FPartidos->CompletarGrupoFavoritos();
    ASSERT_EQ(FPartidos->RadioGroupAnadir->ItemIndex(), 0);
    ASSERT_EQ(FPartidos->EditAnadir12->text(), QStringLiteral("111"));

    Enter(FPartidos->EditAnadir2);
    EXPECT_EQ(FPartidos->RadioGroupAnadir->ItemIndex(), 1);
    EXPECT_EQ(FPartidos->ComboBoxAnadir1->currentText(), QStringLiteral("A")); // the last group
    EXPECT_TRUE(FPartidos->EditAnadir12->text().isEmpty());
    EXPECT_FALSE(FPartidos->ButtonAnadirPartido->isEnabled());

    // Entering the field of the source already chosen changes nothing.
    FPartidos->EditAnadir2->setText(QStringLiteral("4242"));
    Enter(FPartidos->EditAnadir2);
    EXPECT_EQ(FPartidos->EditAnadir2->text(), QStringLiteral("4242"));
    EXPECT_TRUE(FPartidos->ButtonAnadirPartido->isEnabled());

    // Back to the favourites by clicking into the team field: the typed match ID goes.
    FPartidos->PanelConexion->setHidden(true);
    FPartidos->PanelPartidos->setHidden(false);
    FPartidos->show();
    FPartidos->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FPartidos));
    QTest::mouseClick(FPartidos->ComboBoxAnadir11->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(FPartidos->RadioGroupAnadir->ItemIndex(), 0);
    EXPECT_TRUE(FPartidos->EditAnadir2->text().isEmpty());
    EXPECT_FALSE(FPartidos->ButtonAnadirPartido->isEnabled());
}

TEST(AddPanel, RefreshOfTheSameEmptySlotKeepsTheInput) {
    TestProgram p;
    SetFavourites({{"A", "Zeta FC", "111"}});
    FPartidos->CompletarGrupoFavoritos();
    ShowSlot(3);
    FPartidos->PrevTab = 3;
    FPartidos->TabControlPartidosChange();

    Enter(FPartidos->EditAnadir2);
    FPartidos->EditAnadir2->setText(QStringLiteral("123"));
    FPartidos->RadioGroupEsJuveniles->SetItemIndex(1);
    // A poll's refresh of the shown empty slot.
    FPartidos->PrevTab = 3;
    FPartidos->TabControlPartidosChange();
    EXPECT_EQ(FPartidos->EditAnadir2->text(), QStringLiteral("123"));
    EXPECT_EQ(FPartidos->RadioGroupAnadir->ItemIndex(), 1);
    EXPECT_EQ(FPartidos->RadioGroupEsJuveniles->ItemIndex(), 1);
    EXPECT_TRUE(FPartidos->ButtonAnadirPartido->isEnabled());

    // Another empty slot shown: the panel starts over (favourites, last group, senior).
    FPartidos->PrevTab = 3;
    ShowSlot(4);
    FPartidos->TabControlPartidosChange();
    EXPECT_EQ(FPartidos->RadioGroupAnadir->ItemIndex(), 0);
    EXPECT_TRUE(FPartidos->EditAnadir2->text().isEmpty());
    EXPECT_EQ(FPartidos->ComboBoxAnadir1->currentText(), QStringLiteral("A"));
    EXPECT_TRUE(FPartidos->EditAnadir12->text().isEmpty());
    EXPECT_EQ(FPartidos->RadioGroupEsJuveniles->ItemIndex(), 0);
}

// The service's bookmarks in the selector, a bookmarked team's next match added through it, and the
// slot cleared again (the service's list and the youth suffix of a removal are AddRemove's).
TEST(AddPanel, AddThroughTheSelectorAndClearTheSlot) {
    TestProgram p({.withService = true, .speed = 60, .start = {}, .serviceArgs = {}});
    ASSERT_TRUE(p.Service->IsRunning()) << p.Service->ErrorText().toStdString();
    FOptions->EditTeamID->setText(QStringLiteral("250101"));
    FPartidos->EditUsuario->setText(QStringLiteral("demo"));
    FPartidos->EditPassword->setText(QStringLiteral("velkaro"));
    FPartidos->BitBtnConectarClick();
    ASSERT_FALSE(FPartidos->PanelPartidos->isHidden())
        << FPartidos->MemoConexion->toPlainText().toStdString();
    TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
    const QString scoutNext = NextMatchOf(QStringLiteral("260201"));
    ASSERT_FALSE(scoutNext.isEmpty());

    // The main window refills the selector when its matches tab is chosen.
    FPartidos->CompletarGrupoFavoritos();
    Choose(FPartidos->ComboBoxAnadir1, QStringLiteral("[Hattrick Bookmarks]"));
    // Team bookmarks only: the player and the match bookmark are left out.
    EXPECT_EQ(Entries(FPartidos->ComboBoxAnadir11),
              QStringList({"Castlebridge United", "England", "Kingsbury Park Rangers", "Scout IF"}));
    Choose(FPartidos->ComboBoxAnadir11, QStringLiteral("Scout IF"));
    EXPECT_EQ(FPartidos->EditAnadir12->text(), QStringLiteral("260201"));

    ShowSlot(1);
    ASSERT_TRUE(FPartidos->ButtonAnadirPartido->isEnabled());
    FPartidos->ButtonAnadirPartido->click();
    EXPECT_EQ(
        ServiceRequests(p).count(QStringLiteral("live&version=1.4&actionType=addMatch&matchID=") + scoutNext),
        1);
    EXPECT_EQ(matches.Cells(MatchColumn::MatchId, 1), scoutNext);
    EXPECT_TRUE(p.Boxes.Boxes.isEmpty());

    // Clearing the slot empties its row and live events; the recorded events stay.
    TBKStringGrid& events = FOptions->BKStringGridEventos(MatchSlot(1));
    events.SetRowCount(3);
    events.SetCells(0, 1, QStringLiteral("1"));
    TBKStringGrid& recorded = FOptions->BKStringGridFEventos(MatchSlot(1));
    recorded.SetCells(0, 0, QStringLiteral("kept"));
    FPartidos->ButtonBorrarPartidoClick();
    EXPECT_FALSE(FPartidos->PanelAnadirEquipo->isHidden());
    for (int c = 0; c < MatchColumn::Count; ++c)
        EXPECT_TRUE(matches.Cells(c, 1).isEmpty()) << c;
    EXPECT_EQ(events.RowCount(), 1);
    EXPECT_TRUE(events.Cells(0, 0).isEmpty());
    EXPECT_EQ(recorded.Cells(0, 0), QStringLiteral("kept"));
    EXPECT_FALSE(matches.Cells(MatchColumn::MatchId, 0).isEmpty()); // the other slot stays
}
