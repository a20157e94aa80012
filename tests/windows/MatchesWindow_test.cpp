// The matches window offscreen, without a service: connection panel, proxy file, add panel and clock.
#include "core/UPaises.h"
#include "support/TestHelpers.h"
#include "support/TestProgramFolder.h"
#include "support/gui/WindowTest.h"
#include <QFocusEvent>
#include <QScreen>

namespace {

// The connection panel's tests make their own windows on a program folder without the proxy file.
struct MatchesWindow : ::testing::Test {
    TestProgramFolder folder;
    void SetUp() override {
        QFile::remove(folder.File(ProxyConfigFile));
        folder.OpenSettings();
    }
    // The proxy table as another reader finds it in the program folder, or as the test stores it.
    QString StoredRows() {
        TBKStringGrid t;
        SetUpProxyTable(t);
        LoadTableFrom(t, folder.Path());
        return Column(t, 0, 0, ProxyRow::Count - 1).join('|');
    }
    void StoreRows(const QString& rows) {
        TBKStringGrid t;
        SetUpProxyTable(t);
        for (int r = 0; r < rows.split('|').size(); ++r)
            t.SetCells(0, r, rows.split('|')[r]);
        t.Filename = folder.File(ProxyConfigFile);
        t.SaveToFile();
    }
    // The proxy check box, the four proxy fields (all enabled or not) and what they hold, the code.
    static QString Proxy(const TFPartidos& w) {
        QStringList shown{w.CheckBoxProxy->isChecked() ? "on" : "off"};
        for (const QLineEdit* e :
             {w.EditProxyServer, w.EditProxyPort, w.EditProxyUserName, w.EditProxyPassword})
            shown << (e->isEnabled() ? "" : "-") + e->text();
        return shown.join('|') + (w.CheckBoxPassword->isChecked() ? "|remember " : "|") +
               w.EditPassword->text();
    }
};

// Favourites "group|name|id" instead of the table's rows, and the selectors filled from them.
void SetFavourites(const QStringList& rows) {
    TBKStringGrid& t = FOptions->BKStringGridFavoritos();
    t.SetRowCount(1);
    for (int c = 0; c < FavouriteColumn::Count; ++c)
        t.SetCells(c, 0, QString());
    for (const QString& row : rows)
        AppendRow(t, row.split('|'));
    FPartidos->CompletarGrupoFavoritos();
}
// The add panel: "source|group|team ID|match ID|youth|button on or off".
QString AddPanelShows() {
    const TFPartidos& w = *FPartidos;
    return QString("%1|%2|%3|%4|%5|%6")
        .arg(w.RadioGroupAnadir->ItemIndex())
        .arg(w.ComboBoxAnadir1->currentText(), w.EditAnadir12->text(), w.EditAnadir2->text())
        .arg(w.RadioGroupEsJuveniles->ItemIndex())
        .arg(w.ButtonAnadirPartido->isEnabled() ? "on" : "off");
}
void Enter(QWidget* w) {
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &in);
}

} // namespace

TEST_F(MatchesWindow, StartsOnTheConnectionPanelWithTheSettingsUser) {
    SettingsIni->WriteString("Opciones", "Usuario", "alice");
    TFPartidos w;
    EXPECT_TRUE(!w.PanelConexion->isHidden() && w.PanelPartidos->isHidden());
    EXPECT_EQ(w.EditUsuario->text(), "alice");
    EXPECT_EQ(w.EditPassword->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(w.BitBtnConectar->isEnabled());   // no code yet
    EXPECT_EQ(Proxy(w), "off|-|-|-|-|");           // no proxy file: the initial state
    EXPECT_EQ(w.RebuildCount + w.ConnectCount, 0); // creation rebuilds nothing
    // A second run of the texts replaces the choices' items instead of adding to them.
    w.LeerIdioma();
    EXPECT_EQ(w.RadioGroupTipoPartidos->Items().size() + w.RadioGroupCargaInicial->Items().size(), 6);
    // Recorded matches hide the initial-load choice, which keeps its value.
    w.RadioGroupCargaInicial->SetItemIndex(2);
    w.RadioGroupTipoPartidos->SetItemIndex(1);
    EXPECT_TRUE(w.RadioGroupCargaInicial->isHidden());
    w.RadioGroupTipoPartidos->SetItemIndex(0);
    EXPECT_TRUE(!w.RadioGroupCargaInicial->isHidden() && w.RadioGroupCargaInicial->ItemIndex() == 2);
    // The connect button wants a user and a code.
    for (const auto& [user, code, enabled] :
         {std::tuple{"", "", false}, {"u", "", false}, {"u", "c", true}, {"", "c", false}}) {
        w.EditUsuario->setText(user);
        w.EditPassword->setText(code);
        EXPECT_EQ(w.BitBtnConectar->isEnabled(), enabled) << user << "/" << code;
    }
    // The initial-load choices show whole in every language (the long German fourth one on a line of its
    // own).
    for (const QString language : {"English", "Deutsch"}) {
        ScopedLanguage texts;
        texts.UseFile(folder.File("language/" + language + ".lng"));
        const TFPartidos shown;
        const RadioGroup* choices = shown.RadioGroupCargaInicial;
        EXPECT_TRUE(choices->rect().contains(QRect(QPoint(), choices->sizeHint()))) << language.toStdString();
    }
}

// The scrambled proxy file stores the code only while "remember" is ticked and fills the next start.
TEST_F(MatchesWindow, ProxyFileStoresTheCodeOnlyWhenAskedAndSurvivesARestart) {
    {
        TFPartidos w;
        w.CheckBoxProxy->setChecked(true);
        w.EditProxyServer->setText("proxy.example");
        w.EditProxyPort->setText("8080");
        w.EditProxyUserName->setText("puser");
        w.EditProxyPassword->setText("ppass");
        w.EditPassword->setText("SECRETCODE");
        w.GuardarDatos();
        EXPECT_EQ(StoredRows(), "1|proxy.example|8080|puser|ppass|0|");
        const QByteArray raw = ReadFile(folder.File(ProxyConfigFile));
        EXPECT_FALSE(raw.contains("proxy.example") || raw.contains("SECRETCODE"));
        w.CheckBoxPassword->click();
        EXPECT_EQ(StoredRows(), "1|proxy.example|8080|puser|ppass|1|SECRETCODE");
        w.CheckBoxPassword->click();
        EXPECT_TRUE(StoredRows().endsWith("|0|"));
        w.CheckBoxPassword->click();
    }
    folder.OpenSettings(); // a new start reads the files again
    EXPECT_EQ(Proxy(TFPartidos()), "on|proxy.example|8080|puser|ppass|remember SECRETCODE");
    // Only "0" turns the proxy off; a code shows only when remembered, then with a user connect is ready.
    StoreRows("|host|3128|u|p|0|ignored");
    EXPECT_EQ(Proxy(TFPartidos()), "on|host|3128|u|p|");
    StoreRows("0|host||||0|");
    EXPECT_EQ(Proxy(TFPartidos()), "off|-host|-|-|-|");
    SettingsIni->WriteString("Opciones", "Usuario", "bob");
    StoreRows("0|||||1|CODE");
    EXPECT_EQ(Proxy(TFPartidos()), "off|-|-|-|-|remember CODE");
    EXPECT_TRUE(TFPartidos().BitBtnConectar->isEnabled());
    EXPECT_EQ(StoredRows(), "0|||||1|CODE");
    // A file that cannot be read leaves the initial state; without the data folder the save fails quietly.
    for (const QByteArray& bytes : {QByteArray(), QByteArray("garbage\r\n"),
                                    "TBKStringGrid\r\n1\r\n0\r\n0\r\nzz" + QByteArray("\r\n").repeated(10)}) {
        WriteFile(folder.File(ProxyConfigFile), bytes);
        EXPECT_EQ(Proxy(TFPartidos()), "off|-|-|-|-|") << bytes.toStdString();
    }
    QDir(folder.File("data")).removeRecursively();
    TFPartidos w;
    w.CheckBoxPassword->click();
    EXPECT_TRUE(w.CheckBoxPassword->isChecked());
}

// With "Use proxy" unchecked no proxy is used; the port takes digits up to two million.
TEST_F(MatchesWindow, NoProxyUnlessUseProxyIsCheckedAndThePortFilter) {
    TFPartidos w;
    w.EditProxyServer->setText("proxy.example");
    w.EditProxyPort->setText("3128");
    w.EditProxyUserName->setText("u");
    w.EditProxyPassword->setText("p");
    auto params = [&w] {
        const HttpProxyParams p = w.ProxyParamsFromControls();
        return QStringList({p.ProxyServer, QString::number(p.ProxyPort), p.ProxyUsername, p.ProxyPassword})
            .join('|');
    };
    EXPECT_EQ(params(), "|0||");
    w.CheckBoxProxy->setChecked(true);
    EXPECT_EQ(params(), "proxy.example|3128|u|p");
    for (const char* text : {"", "2000000", "80.8", "0"}) {
        w.EditProxyPort->setText(text);
        EXPECT_EQ(w.ProxyParamsFromControls().ProxyPort, 0) << text;
    }
    w.show();
    QLineEdit* port = w.EditProxyPort;
    port->setText("200000");
    QTest::keyClicks(port, "01");
    EXPECT_EQ(port->text(), "2000000"); // the 1 would exceed two million
    port->clear();
    QTest::keyClicks(port, "8a0 -8.");
    EXPECT_EQ(port->text(), "808.");          // "." always passes
    QTest::keyClick(port, Qt::Key_Backspace); // editing keys are not filtered
    EXPECT_EQ(port->text(), "808");
    // Either Enter key in the code field connects only when the button is enabled; other keys type.
    w.EditUsuario->clear();
    w.EditPassword->setText("code");
    QTest::keyClick(w.EditPassword, Qt::Key_Return);
    EXPECT_EQ(w.ConnectCount, 0); // no user name: nothing starts
    w.EditUsuario->setText("user");
    QTest::keyClick(w.EditPassword, Qt::Key_Return);
    QTest::keyClick(w.EditPassword, Qt::Key_Enter);
    QTest::keyClicks(w.EditPassword, "x");
    EXPECT_EQ(w.ConnectCount, 2);
    EXPECT_EQ(w.EditPassword->text(), "codex");
}

TEST(AddPanel, SelectorsTheAddButtonsRuleAndTheTwoSources) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    SetFavourites({"A|Zeta FC|111", "|No Group|222", "A|alpha United|333", "B|Zeta FC|444", "B||555"});
    // Groups "A", "", "A", "B": the three bracketed entries, "A" once and "B", sorted.
    EXPECT_EQ(Entries(w.ComboBoxAnadir1),
              QStringList({"[All]", "[Hattrick Bookmarks]", "[National team]", "A", "B"}));
    // The first group is chosen: every named favourite, a team of two groups twice.
    EXPECT_EQ(Entries(w.ComboBoxAnadir11), QStringList({"alpha United", "No Group", "Zeta FC", "Zeta FC"}));
    EXPECT_EQ(AddPanelShows(), "0|[All]|333||0|on");
    Choose(w.ComboBoxAnadir1, "B");
    EXPECT_EQ(Entries(w.ComboBoxAnadir11), QStringList({"Zeta FC"}));
    EXPECT_EQ(w.EditAnadir12->text(), "111"); // the first favourite of that name gives the ID
    // A typed text that names no group: no team list.
    w.ComboBoxAnadir1->setEditText("C");
    w.ComboBoxAnadir1Change();
    EXPECT_TRUE(!w.ComboBoxAnadir11->isEnabled() && w.ComboBoxAnadir11->currentText().isEmpty());
    SetFavourites({});
    Choose(w.ComboBoxAnadir1, "[National team]");
    EXPECT_TRUE(w.ComboBoxAnadir11->itemText(0).startsWith(" U20 ")); // before the letters
    for (const auto& [team, id] : {std::pair{" U20 Sverige", "3041"}, {"Sverige", "3000"}}) {
        Choose(w.ComboBoxAnadir11, team);
        EXPECT_EQ(w.EditAnadir12->text(), id);
    }
    // An emptied team text names no country: the lookup's fallback league gives the team.
    w.ComboBoxAnadir11->setEditText(QString());
    w.ComboBoxAnadir11Change();
    EXPECT_EQ(w.EditAnadir12->text(), NationalTeamIds(35));
    // Without favourite groups a change of source shows the national teams (last entry), none chosen.
    w.RadioGroupAnadirClick();
    EXPECT_EQ(AddPanelShows(), "0|[National team]|||0|off");
    EXPECT_TRUE(w.ComboBoxAnadir11->currentText().isEmpty());
    // Only team bookmarks are listed; a name finds the first bookmark of that text, whatever its type.
    const QString bookmarks = AppDir + "data/Xml/bookmarks.xml";
    QByteArray list;
    for (const auto& [type, text, id] :
         {std::tuple{"2", "Twin", "98765"}, {"1", "Twin", "250102"}, {"3", "Cup", "55"}})
        list += QString("<Bookmark><BookmarkTypeID>%1</BookmarkTypeID><Text>%2</Text><ObjectID>%3</"
                        "ObjectID></Bookmark>")
                    .arg(type, text, id)
                    .toUtf8();
    WriteFile(bookmarks, "<HattrickData><FileName>bookmarks.xml</FileName><BookmarkList>" + list +
                             "</BookmarkList></HattrickData>");
    w.CompletarGrupoFavoritos();
    Choose(w.ComboBoxAnadir1, "[Hattrick Bookmarks]");
    EXPECT_EQ(Entries(w.ComboBoxAnadir11), QStringList({"Twin"}));
    EXPECT_EQ(w.EditAnadir12->text(), "98765");
    // A broken file and a missing file: an empty team list, no team ID, nothing else disturbed.
    for (const bool missing : {false, true}) {
        if (missing)
            QFile::remove(bookmarks);
        else
            WriteFile(bookmarks, "<HattrickData><BookmarkList><Bookmark>");
        w.CompletarGrupoFavoritos();
        Choose(w.ComboBoxAnadir1, "[Hattrick Bookmarks]");
        EXPECT_EQ(w.ComboBoxAnadir11->count(), 0);
        EXPECT_EQ(w.ComboBoxAnadir1->count(), 3);
        EXPECT_EQ(AddPanelShows(), "0|[Hattrick Bookmarks]|||0|off");
    }
    // The add button wants a number in the chosen source; a refresh keeps the input, another slot not.
    for (const QString& c :
         QString("12a|;123|on;|;$1F|;-5|; 12|;0|on;2147483647|on;2147483648|").split(';')) {
        w.EditAnadir2->setText(c.section('|', 0, 0));
        EXPECT_EQ(w.ButtonAnadirPartido->isEnabled(), c.endsWith("on")) << c.toStdString();
    }
    // A letter typed stays in the field, and the button stays off until it is gone.
    w.EditAnadir2->clear();
    QTest::keyClicks(w.EditAnadir2, "12a");
    EXPECT_EQ(w.EditAnadir2->text(), "12a");
    EXPECT_FALSE(w.ButtonAnadirPartido->isEnabled());
    QTest::keyClick(w.EditAnadir2, Qt::Key_Backspace);
    EXPECT_TRUE(w.ButtonAnadirPartido->isEnabled());
    w.EditAnadir12->setText("25x"); // the selector's team ID follows the same rule
    EXPECT_FALSE(w.ButtonAnadirPartido->isEnabled());
    w.EditAnadir2->clear();
    SetFavourites({"A|Zeta FC|111"});
    ASSERT_EQ(AddPanelShows(), "0|[All]|111||0|on");
    Enter(w.EditAnadir2); // the other source: the selector goes back to its last group, with no team
    EXPECT_EQ(AddPanelShows(), "1|A|||0|off");
    // Entering the field of the source already chosen changes nothing.
    w.EditAnadir2->setText("4242");
    Enter(w.EditAnadir2);
    EXPECT_EQ(AddPanelShows(), "1|A||4242|0|on");
    // Back to the favourites by clicking into the team field: the typed match ID goes.
    w.PanelConexion->setHidden(true);
    w.PanelPartidos->setHidden(false);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::mouseClick(w.ComboBoxAnadir11->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(AddPanelShows(), "0|A|||0|off");
    w.hide();
    ShowSlot(3);
    w.PrevTab = 3;
    w.TabControlPartidosChange();
    Enter(w.EditAnadir2);
    w.EditAnadir2->setText("123");
    w.RadioGroupEsJuveniles->SetItemIndex(1);
    w.PrevTab = 3; // a poll's refresh of the shown empty slot
    w.TabControlPartidosChange();
    EXPECT_EQ(AddPanelShows(), "1|A||123|1|on");
    // Another empty slot shown: the panel starts over (favourites, last group, senior).
    w.PrevTab = 3;
    ShowSlot(4);
    w.TabControlPartidosChange();
    EXPECT_EQ(AddPanelShows(), "0|A|||0|off");
    // The slot lookups: free slots hold no ID; slots beyond the last fall to the last.
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::MatchId, 3, "42");
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::MatchId, 7, "42");
    EXPECT_EQ(w.SeleccionarFila10Partidos("42"), std::optional<int>(3));
    EXPECT_FALSE(w.SeleccionarFila10Partidos("4") || w.SeleccionarFila10Partidos(QString()));
    EXPECT_TRUE(&w.SeleccionarTablaEventos(12) == &FOptions->BKStringGridEventos(9) &&
                &w.SeleccionarTablaFEventos(10) == &FOptions->BKStringGridFEventos(9) &&
                w.SeleccionarImagenTab(200) == w.ImageTab10);
}

// The clock: the speed table, the countdown and its replay steps, pause and continue, the replay button.
TEST(Clock, SpeedCountdownPauseAndReplayButton) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    auto running = [&w](const QString& s) { return s + (w.TimerConexion->isActive() ? " on" : " off"); };
    // Moved while the clock stands: interval and caption change, the minute restarts, still stopped.
    for (const auto& [position, interval, caption] :
         {std::tuple{2, 500, "2"}, {3, 250, "4"}, {4, 100, "10"}, {1, 1000, "1"}}) {
        w.EditTiempo->setText("17");
        w.TrackBarVelocidad->setValue(position);
        EXPECT_EQ(running(QString::number(w.TimerConexion->interval()) + "|" + w.LabelVelocidad->text() +
                          "|" + w.EditTiempo->text()),
                  QString("%1|%2|60 off").arg(interval).arg(caption));
    }
    w.TimerConexion->start(); // moved while it runs: it runs on at the new pace
    w.TrackBarVelocidad->setValue(3);
    EXPECT_EQ(running(QString::number(w.TimerConexion->interval())), "250 on");
    w.TimerConexion->stop();
    w.TrackBarVelocidad->setValue(1);
    w.TimerConexionTimer();
    EXPECT_EQ(w.EditTiempo->text(), "59");
    // Recorded mode: "0" runs a replay step, which moves the shared minute on from "-1".
    w.RadioGroupTipoPartidos->SetItemIndex(1);
    w.ReplayMinute = "-1";
    const int rebuilds = w.RebuildCount;
    w.EditTiempo->setText("1");
    w.TimerConexionTimer();
    EXPECT_EQ(running(w.ReplayMinute + "|" + w.EditTiempo->text()), "0|60 on");
    EXPECT_EQ(w.RebuildCount, rebuilds + 1);
    w.EditTiempo->setText("60"); // a step's own reset starts nothing
    EXPECT_EQ(w.ReplayMinute, "0");
    w.ReplayMinute = "x";
    w.DescargaDiferido();
    EXPECT_EQ(w.ReplayMinute, "1");
    w.TimerConexion->start();
    for (const char* want : {"Continue off", "Pause on"}) {
        w.BitBtnStopClick();
        EXPECT_EQ(running(w.BitBtnStop->text()), want);
    }
    // The replay button: ready, playing, paused, playing; the first press closes the adding.
    w.TimerConexion->stop();
    EXPECT_EQ(running(w.SpeedButton1->toolTip()), "1 off");
    w.ButtonAnadirPartido->setHidden(false);
    for (const char* want : {"2 on", "3 off", "2 on"}) {
        w.SpeedButton1Click();
        EXPECT_EQ(running(w.SpeedButton1->toolTip()), want);
    }
    EXPECT_TRUE(w.ButtonAnadirPartido->isHidden());
}

TEST(Clock, DesignedKitsDownloadedOnce) {
    TestProgram p(TestProgram::Served("2024-03-16 19:25:00"));
    Login();
    FPartidos->DescargarUniformes("X0012", "250101");
    for (const char* part : {".Shirt.gif", ".Shorts.gif", ".Socks.gif"}) {
        const QString file = QString("X.250101.12") + part;
        EXPECT_EQ(p.Service->LogLines().filter("/DesignedMatchKits/25/250101/" + file).size(), 1) << part;
        EXPECT_TRUE(QFileInfo::exists(AppDir + "data/Xml/" + file)) << part;
    }
    const qsizetype before = p.Service->LogLines().size();
    FPartidos->DescargarUniformes("X0012", "250101"); // the shirt is there: nothing more
    FPartidos->DescargarUniformes("A1234567", "250101");
    FPartidos->DescargarUniformes("", "250101");
    FPartidos->DescargarUniformes("X12", "25/../1"); // never into a path
    EXPECT_EQ(p.Service->LogLines().size(), before);
}

// On screen, another followed match that finishes takes its results colour at the refresh of that
// poll, its score unchanged.
TEST(ResultsList, AMatchFinishedByAPollTakesItsColourOnScreenAtOnce) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    for (int slot : {0, 1}) {
        SetMatch(slot, QString::number(900 + slot), "100", "200");
        FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::HomeGoals, slot, "1");
        FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::AwayGoals, slot, "0");
    }
    w.PanelConexion->setHidden(true);
    w.PanelPartidos->setHidden(false);
    w.resize(1366, 768);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    RebuildSlot(0);
    auto shown = [&w] { // what the screen shows near the bottom right corner of slot 1's score
        QCoreApplication::processEvents();
        StringGridView* view = w.ViewResultados;
        const QRect cell = view->visualRect(view->model()->index(2, 3));
        const QPoint at = view->viewport()->mapTo(&w, cell.bottomRight() - QPoint(3, 3));
        return w.screen()->grabWindow(w.winId()).toImage().pixelColor(at);
    };
    EXPECT_EQ(shown(), QColor(Qt::white));
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::FinishedFlag, 1, "1");
    w.PrevTab = 0; // the poll's refresh of the shown slot
    w.TabControlPartidosChange();
    EXPECT_EQ(shown(), QColor(0xA6, 0xCA, 0xF0));
}
