// The main window, a new user's first start against velkaro-service, and the information page.
#include "platform/IniFile.h"
#include "platform/Shell.h"
#include "shell/ModalDialog.h"
#include "shell/UDialogoInicioEquipo.h"
#include "shell/UInfo.h"
#include "shell/UMain.h"
#include "support/gui/WindowTest.h"
#include <QApplication>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>

namespace {

// A program folder whose English language file lacks the main window's keys, of user "pepe".
struct MainWindow : ::testing::Test {
    QTemporaryDir dir;
    QString program = dir.path() + "/";
    Dialogs::Recorder boxes;
    void SetUp() override {
        WriteFile(program + "language/English.lng", "[General]\r\nLabelAll=All\r\n");
        WriteFile(program + "Velkaro.ini", "[Opciones]\r\nUsuario=pepe\r\nTeamID=4711\r\n");
        // The shipped install copies: the data files are restored from them at start.
        TestProgramFolder::CopyTree(VELKARO_RESOURCES_DIR "/_install", program + "_install");
        QDir().mkpath(program + "data"); // the data folder exists, its cache folder not yet
    }
    void TearDown() override { DeleteProgramWindows(); }
    void Start() { CreateProgramWindows(program + "Velkaro"); }
    QString Setting(const char* key) const {
        return IniFile(program + "Velkaro.ini").ReadString("Opciones", key, "");
    }
};

// The program started from a copy of the shipped folder (user "0"), its service pointed at velkaro-service.
struct FirstStart : TestProgram {
    FirstStart() : TestProgram(TestProgram::Served({}, true)) {}
    QByteArray Settings() const { return ReadFile(Folder.File("Velkaro.ini")); }
    QString Setting(const char* key) const {
        return IniFile(Folder.File("Velkaro.ini")).ReadString("Opciones", key, "(none)");
    }
    // The user picks a tab; with no user yet the first run starts and the runner acts in the dialog.
    void PickTab(int index, std::function<int(TFDialogoInicioEquipo&)> user) {
        ModalDialog::SetRunner([user = std::move(user), this](QDialog& d) {
            ++dialogs;
            return user(dynamic_cast<TFDialogoInicioEquipo&>(d));
        });
        FMain->TabControl1->setCurrentIndex(index);
    }
    int dialogs = 0;
};

int LogIn(TFDialogoInicioEquipo& d, const QString& code) {
    d.EditUsuario->setText("demo");
    d.EditPassword->setText(code);
    d.BitBtnConectar->click();
    return d.result();
}

} // namespace

// The start runs no tab handler (no first run, no cache folder); Alt+digit is one rebuild, Alt+E the panel.
TEST_F(MainWindow, StartUpTheTabsAndTheMatchesShortcuts) {
    Start();
    EXPECT_FALSE(QFileInfo::exists(program + "data/Xml"));
    EXPECT_TRUE(QFileInfo::exists(program + "data/EventsData.dat"));
    EXPECT_EQ(FMain->TabControl1->currentIndex(), 2);
    EXPECT_EQ(FMain->CurrentForm, FInfo);
    EXPECT_EQ(FMain->findChildren<TFInfo*>().size(), 1);
    QWidget* previous = FMain->CurrentForm;
    for (const auto& [tab, window] :
         {std::pair<int, QWidget*>{0, FPartidos}, {1, FOptions}, {2, FInfo}, {0, FPartidos}}) {
        FMain->TabControl1->setCurrentIndex(tab);
        EXPECT_TRUE(FMain->CurrentForm == window && window->parentWidget() == FMain->DockArea) << tab;
        EXPECT_TRUE(!window->isHidden() && previous->isHidden()) << tab;
        previous = window;
    }
    QTabBar* tabs = FPartidos->TabControlPartidos;
    QSignalSpy changes(tabs, &QTabBar::currentChanged);
    const int before = tabs->currentIndex(), rebuilds = FPartidos->RebuildCount;
    // The tab shown, the one before and the rebuilds since.
    auto state = [&] {
        return QList<int>{tabs->currentIndex(), FPartidos->PrevTab, FPartidos->RebuildCount - rebuilds};
    };
    QTest::keyClick(FMain->TabControl1, Qt::Key_0, Qt::AltModifier);
    EXPECT_EQ(state(), QList<int>({9, before, 1}));
    QTest::keyClick(FPartidos->RichEditEventosPanel, Qt::Key_5, Qt::AltModifier);
    EXPECT_EQ(state(), QList<int>({4, 9, 2}));
    EXPECT_EQ(changes.count(), 0); // the tab's own change signal never ran a second rebuild
    FMain->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FMain));
    FMain->TabControl1->setFocus();
    QTest::keyClick(FMain->TabControl1, Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), FPartidos->RichEditEventosPanel);
}

TEST_F(MainWindow, WithoutAUserATabChangeStartsTheFirstRunInstead) {
    Start();
    int dialogs = 0;
    ModalDialog::SetRunner([&](QDialog&) {
        DialogoResultado = TDialogoResultado{};
        DialogoResultado.Usuario = "pepe";
        DialogoResultado.TeamID = ++dialogs == 1 ? "11" : "22";
        return ModalDialog::ResultOK;
    });
    for (const QString& user : {QString("0"), QString()}) {
        FOptions->EditUsuario->setText(user);
        FMain->TabControl1->setCurrentIndex(1); // the options tab; the first run ends on the matches
        EXPECT_TRUE(FMain->CurrentForm == FPartidos && FMain->TabControl1->currentIndex() == 0)
            << user.toStdString();
        EXPECT_EQ(FOptions->EditUsuario->text(), "pepe");
        FMain->TabControl1->setCurrentIndex(2);
    }
    EXPECT_EQ(dialogs, 2);
    EXPECT_TRUE(QFileInfo(program + "data/Xml/11").isDir() && QFileInfo(program + "data/Xml/22").isDir());
}

// The shutdown routine runs once, an aborted first run writes nothing; a language change restarts.
TEST_F(MainWindow, TheCloseTheShutdownRoutineAndTheRestartInANewLanguage) {
    Start();
    QTcpServer service;
    ASSERT_TRUE(service.listen(QHostAddress::LocalHost));
    RecommendedURL = QString("http://127.0.0.1:%1").arg(service.serverPort());
    SettingsIni->WriteString("Opciones", "DuracionSonidosMiGol", "2500");
    Connected = 0;
    FMain->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(FMain->ShuttingDown() && !FMain->RestartRequested());
    EXPECT_FALSE(service.hasPendingConnections());
    EXPECT_EQ(Setting("DuracionSonidosMiGol"), "2500");
    EXPECT_TRUE(SettingsIni && LanguageIni);
    DeleteProgramWindows();
    Start();
    SettingsIni->WriteString("Opciones", "Usuario", "changed in memory");
    FMain->Shutdown(TFMain::ShutdownMode::FirstRunAborted);
    EXPECT_EQ(Setting("Usuario"), "pepe");
    QWidget* shown = FMain->CurrentForm;
    FMain->TabControl1->setCurrentIndex(0);
    EXPECT_EQ(FMain->CurrentForm, shown);
    FMain->close(); // a later close runs the routine no second time
    EXPECT_TRUE(Setting("Usuario") == "pepe" && !FMain->RestartRequested());
    DeleteProgramWindows();
    WriteFile(program + "language/Norsk.lng", "[Main]\r\nTabMatches=Kamper\r\n");
    Start();
    FOptions->ComboBoxIdioma->setCurrentIndex(19);
    emit FOptions->ComboBoxIdioma->activated(19);
    EXPECT_TRUE(FMain->ShuttingDown() && FMain->RestartRequested() && Setting("Language") == "Norsk");
    OpenSettingsAndLanguage(program, program + "Velkaro.ini");
    EXPECT_EQ(LangText("Main", "TabMatches", "Matches"), "Kamper");
}

// "demo"/"velkaro" fills the settings; the version page (ours "0126700") tells of a newer version.
TEST(FirstStart, DemoUserFillsTheSettingsAndLandsOnTheMatches) {
    FirstStart p;
    ASSERT_TRUE(p.Service->IsRunning()) << p.Service->ErrorText().toStdString();
    ASSERT_EQ(p.Setting("Usuario"), "0");
    p.PickTab(1, [&](TFDialogoInicioEquipo& d) {
        d.EditUsuario->setText("demo");
        EXPECT_FALSE(d.BitBtnConectar->isEnabled()); // the code is still missing
        return LogIn(d, "velkaro");
    });
    EXPECT_EQ(Connected, 0); // the dialog logged out again
    // The settings file, as the next start reads it.
    QStringList stored;
    for (const char* key : {"Usuario", "Team", "TeamID", "TeamIDJuveniles", "LigaID", "LigaNombre", "Pais",
                            "Moneda", "FactorMoneda", "Language", "LanguageOld", "Idioma"})
        stored << p.Setting(key);
    EXPECT_EQ(stored.join('|'),
              "demo|Velkaro Demo FC|250101|2701001|3412|IV.12|England|Pound|15|English|English|9");
    EXPECT_EQ(p.Setting("LabelInicioFecha").size(), 10);
    // The options window, the default sounds (stored in their table) and the matches window.
    EXPECT_EQ(FOptions->EditSonidoLesion->text(), AppDir + "sounds/Injury.wav");
    EXPECT_TRUE(ReadFile(p.Folder.File("data/Sounds.dat")).contains("sounds/GoalMine.wav"));
    EXPECT_EQ(FPartidos->EditUsuario->text() + "|" + FPartidos->EditPassword->text(), "demo|velkaro");
    EXPECT_TRUE(FMain->CurrentForm == FPartidos && FMain->TabControl1->currentIndex() == 0);
    EXPECT_TRUE(ServiceRequests(p).contains("team")); // the user's own team
    // No maker's host in the settings: nothing is read.
    const qsizetype requests = p.Service->LogLines().size();
    EXPECT_EQ(FPartidos->ComprobarNuevaVersion(), "No");
    EXPECT_EQ(p.Service->LogLines().size(), requests);
    SettingsIni->WriteString("Servidor", "Version", p.Service->BaseUrl() + "/");
    const QString otherForm =
        "page=" + QUrl::toPercentEncoding("<html><body bgcolor=\"#FFFFFF\">Version=0127000"
                                          "</body></html>");
    for (const auto& [control, result] :
         {std::pair{QString("set=0126701"), "New"}, {"set=0126700", "Old"}, {otherForm, "No"}}) {
        ASSERT_TRUE(p.Service->Control("/_control/version?" + control).startsWith("OK"))
            << control.toStdString();
        EXPECT_EQ(FPartidos->ComprobarNuevaVersion(), result) << control.toStdString();
    }
    // A page that cannot be read: a 404, and an answer that stalls beyond the time limit.
    ASSERT_TRUE(p.Service->Control("/_control/version?set=0126800").startsWith("OK"));
    ASSERT_TRUE(p.Service->Fault("notfound"));
    EXPECT_EQ(FPartidos->ComprobarNuevaVersion(), "No");
    FPartidos->VersionTimeoutSec = 1;
    ASSERT_TRUE(p.Service->Fault("stall", 1, {}, 3));
    EXPECT_EQ(FPartidos->ComprobarNuevaVersion(), "No");
    EXPECT_EQ(FPartidos->ComprobarNuevaVersion(), "New"); // the fault was taken; the page reads again
    // The next connect works without any hand edit, and says that a newer version exists.
    FPartidos->BitBtnConectarClick();
    FPartidos->TimerConexion->stop();
    EXPECT_TRUE(FPartidos->PanelConexion->isHidden() && Connected == 1);
    EXPECT_EQ(LastBox(p),
              LangText("Connection", "MessageNewVersionQZ", "New Velkaro version. Download and update."));
    // Tab changes no longer start the first run.
    p.PickTab(1, [](TFDialogoInicioEquipo&) { return 0; });
    EXPECT_TRUE(p.dialogs == 1 && FMain->CurrentForm == FOptions);
}

// A failure says why and lets the user retry; giving up (button, Esc, close) writes nothing.
TEST(FirstStart, FailuresSayWhyAndGivingUpWritesNothing) {
    {
        FirstStart p;
        const QByteArray shipped = p.Settings();
        p.PickTab(0, [&](TFDialogoInicioEquipo& d) {
            EXPECT_EQ(LogIn(d, "wrong"), 0);
            EXPECT_TRUE(LastBox(p).startsWith("Could not log in to the game:")) << LastBox(p).toStdString();
            EXPECT_EQ(p.Boxes.Sleeps, QVector<int>({500}));
            EXPECT_TRUE(p.Service->Fault("errordoc", 1, "team"));
            EXPECT_EQ(LogIn(d, "velkaro"), 0);
            EXPECT_TRUE(LastBox(p).endsWith(" Unknown error")) << LastBox(p).toStdString(); // says why
            EXPECT_EQ(p.Settings(), shipped);
            return LogIn(d, "velkaro");
        });
        EXPECT_TRUE(p.Setting("TeamID") == "250101" && FMain->CurrentForm == FPartidos);
    }
    const std::function<void(TFDialogoInicioEquipo&)> ways[] = {
        [](TFDialogoInicioEquipo& d) { d.BitBtn2->click(); },
        [](TFDialogoInicioEquipo& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](TFDialogoInicioEquipo& d) { d.close(); },
    };
    for (const auto& giveUp : ways) {
        FirstStart p;
        const QByteArray shipped = p.Settings();
        p.PickTab(0, [&](TFDialogoInicioEquipo& d) {
            d.show();                       // shown, not run modally: the test acts in it directly
            d.EditUsuario->setText("demo"); // typed but never connected: nothing of it may be stored
            giveUp(d);
            return d.result();
        });
        EXPECT_TRUE(p.dialogs == 1 && FMain->ShuttingDown() && FMain->CurrentForm != FPartidos);
        EXPECT_EQ(p.Settings(), shipped);
    }
}

// The memos keep their blank lines; a link opens its address, the e-mail label writes a mail.
TEST_F(MainWindow, TheInformationPageTextsAndLinks) {
    QStringList opened, launched;
    Shell::SetOpener([&](const QString& address) { return opened.append(address), true; });
    Shell::SetLauncher(
        [&](const QString& p, const QStringList& a) { return launched.append(p + " " + a.join(' ')), true; });
    Shell::SetBrowserCommandSource([] { return QString(); });
    auto openLanguage = [&](const QByteArray& english) {
        WriteFile(program + "language/English.lng", english);
        WriteFile(program + "Velkaro.ini", "[Opciones]\r\nLanguage=English\r\n");
        OpenSettingsAndLanguage(program, program + "Velkaro.ini");
    };
    openLanguage("[Main]\r\nTabInfo=Info\r\n"); // no section: empty memo lines, the credits untranslated
    TFInfo bare;
    EXPECT_EQ(bare.Memo1->toPlainText() + "|" + bare.Memo2->toPlainText(),
              QString(8, '\n') + "|" + QString(8, '\n'));
    EXPECT_FALSE(bare.Memo3->toPlainText().isEmpty());
    openLanguage("[Info]\r\nMemo1Line01=a\r\nMemo1Line2=b\r\nMemo1Line3=c\r\nMemo1Line4=d\r\nMemo1Line5=e\r\n"
                 "Memo1Line6=f\r\nMemo2Line01=p\r\nMemo2Line02=q\r\nMemo2Line03=r\r\nMemo2Line04=s\r\n"
                 "Memo2Line09=t\r\nLabelTranslations=Credits\r\nTab2=Helpers\r\n");
    TFInfo info;
    EXPECT_EQ(info.Memo1->toPlainText(), "a\n\nb\n\nc\n\nd\n\ne"); // no line about addresses it has not
    EXPECT_EQ(info.Memo2->toPlainText(), "p\n\nq\nr\n\ns\n\n\nt");
    EXPECT_EQ(info.LabelTranslations->text() + "|" + info.PageControl1->tabText(1), "Credits:|Helpers");
    info.show();
    ASSERT_FALSE(info.LinkLabels.isEmpty());
    for (LinkLabel* link : info.LinkLabels) // shown without the prefix
        EXPECT_TRUE(!link->text().startsWith("http") && link->text().endsWith("hattrick.org"))
            << link->text().toStdString();
    QTest::mouseClick(info.LinkLabels[0], Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{"http://" + info.LinkLabels[0]->text()});
    // The developer has no published addresses: those labels are hidden, not pointing anywhere.
    EXPECT_TRUE(info.LabelWeb->isHidden() && info.LabelEmail->isHidden() && info.LabelDeveloper->isHidden());
    QLabel mail("someone@example.org");
    info.LabelEmailClick(&mail);
    EXPECT_EQ(opened.last(), "mailto:someone@example.org");
    EXPECT_TRUE(launched.isEmpty()); // no default browser known: the desktop's handler opened it
    Shell::SetOpener({});
    Shell::SetLauncher({});
    Shell::SetBrowserCommandSource({});
}
