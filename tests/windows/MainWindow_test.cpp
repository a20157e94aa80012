// The main window: start-up, the tabs and their docked windows, the matches shortcuts, the close.
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/IniFile.h"
#include "platform/widgets/Dialogs.h"
#include "platform/widgets/RichEdit.h"
#include "shell/ModalDialog.h"
#include "shell/UDialogoInicioEquipo.h"
#include "shell/UInfo.h"
#include "shell/UMain.h"
#include "shell/UOptions.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <utility>

namespace {

// A program folder whose English language file lacks the main window's keys.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        program = dir.path() + "/";
        WriteFile(program + "language/English.lng", "[General]\r\nLabelAll=All\r\n");
        WriteFile(program + "Velkaro.ini", "[Opciones]\r\nUsuario=pepe\r\nTeamID=4711\r\n");
        // The shipped install copies: the data files are restored from them at start.
        QDir().mkpath(program + "_install/data");
        const QDir shipped(QStringLiteral(VELKARO_RESOURCES_DIR) + "/_install/data");
        for (const QFileInfo& f : shipped.entryInfoList(QDir::Files))
            QFile::copy(f.absoluteFilePath(), program + "_install/data/" + f.fileName());
        // The data folder exists, its cache folder not yet.
        QDir().mkpath(program + "data");
    }
    void TearDown() override { DeleteProgramWindows(); }
    // The windows in the order of the program's start.
    void start() { CreateProgramWindows(program + "Velkaro"); }
    // A tab chosen by the user.
    void pickTab(int index) { FMain->TabControl1->setCurrentIndex(index); }

    QTemporaryDir dir;
    QString program;
    Dialogs::Recorder boxes;
};

} // namespace

TEST_F(MainWindowTest, StartUpMakesOneInformationPageAndRunsNoTabHandler) {
    FMain = new TFMain(program + "Velkaro");
    // A tab handler run at start would have started the first run (no options window yet) and
    // created the cache folder.
    EXPECT_FALSE(QFileInfo::exists(program + "data/Xml"));
    EXPECT_EQ(FMain->TabControl1->currentIndex(), 2);
    // One information page: the one the Info tab docks.
    EXPECT_EQ(FMain->CurrentForm, FInfo);
    ASSERT_NE(FInfo, nullptr);
    EXPECT_EQ(FMain->findChildren<TFInfo*>().size(), 1);
    EXPECT_EQ(FMain->CurrentForm->parentWidget(), FMain->DockArea);
    EXPECT_EQ(FMain->windowTitle(), "Velkaro");
    // Missing shipped data files were restored before anything read them.
    EXPECT_TRUE(QFileInfo::exists(program + "data/EventsData.dat"));
}

TEST_F(MainWindowTest, TabCaptionsFallBackToEnglishAndEachTabDocksItsOwnWindow) {
    start();
    const QStringList captions = {"Matches", "Options", "Info"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(FMain->TabControl1->tabText(i), captions[i]);
    const std::pair<int, QWidget*> expected[] = {{0, FPartidos}, {1, FOptions}, {2, FInfo}, {0, FPartidos}};
    QWidget* previous = FMain->CurrentForm;
    for (const auto& [tab, window] : expected) {
        pickTab(tab);
        EXPECT_EQ(FMain->CurrentForm, window) << tab;
        EXPECT_EQ(window->parentWidget(), FMain->DockArea);
        EXPECT_FALSE(window->isHidden());
        EXPECT_TRUE(previous->isHidden());
        previous = window;
    }
}

TEST_F(MainWindowTest, WithoutAUserATabChangeStartsTheFirstRunInstead) {
    start();
    int dialogs = 0;
    ModalDialog::SetRunner([&](QDialog&) {
        ++dialogs;
        DialogoResultado = TDialogoResultado{};
        DialogoResultado.Usuario = QStringLiteral("pepe");
        DialogoResultado.TeamID = dialogs == 1 ? QStringLiteral("11") : QStringLiteral("22");
        return ModalDialog::ResultOK;
    });
    for (const QString& user : {QStringLiteral("0"), QString()}) {
        FOptions->EditUsuario->setText(user);
        pickTab(1); // the options tab was picked; the first run ends on the matches
        EXPECT_EQ(FMain->CurrentForm, FPartidos) << "user '" << user.toStdString() << "'";
        EXPECT_EQ(FMain->TabControl1->currentIndex(), 0);
        EXPECT_EQ(FOptions->EditUsuario->text(), "pepe");
        pickTab(2);
    }
    EXPECT_EQ(dialogs, 2);
    EXPECT_TRUE(QFileInfo(program + "data/Xml/11").isDir());
    EXPECT_TRUE(QFileInfo(program + "data/Xml/22").isDir());
}

TEST_F(MainWindowTest, AltDigitsSelectMatchTabsWithOneRebuild) {
    start();
    pickTab(0);
    QTabBar* tabs = FPartidos->TabControlPartidos;
    QSignalSpy changes(tabs, &QTabBar::currentChanged);
    const int before = tabs->currentIndex();
    const int rebuilds = FPartidos->RebuildCount;

    QTest::keyClick(FMain->TabControl1, Qt::Key_0, Qt::AltModifier);
    EXPECT_EQ(tabs->currentIndex(), 9);
    EXPECT_EQ(FPartidos->PrevTab, before);
    EXPECT_EQ(FPartidos->RebuildCount, rebuilds + 1);

    QTest::keyClick(FPartidos->RichEditEventosPanel, Qt::Key_5, Qt::AltModifier);
    EXPECT_EQ(tabs->currentIndex(), 4);
    EXPECT_EQ(FPartidos->PrevTab, 9);
    EXPECT_EQ(FPartidos->RebuildCount, rebuilds + 2);
    EXPECT_EQ(changes.count(), 0); // the tab's own change signal never ran a second rebuild
}

TEST_F(MainWindowTest, AltEFocusesTheEventsPanel) {
    start();
    pickTab(0);
    FMain->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FMain));
    FMain->TabControl1->setFocus();
    QTest::keyClick(FMain->TabControl1, Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), FPartidos->RichEditEventosPanel);
}

TEST_F(MainWindowTest, ClosingWhileNotConnectedSendsNothingAndWritesTheSettings) {
    start();
    QTcpServer service;
    ASSERT_TRUE(service.listen(QHostAddress::LocalHost));
    RecommendedURL = QStringLiteral("http://127.0.0.1:%1").arg(service.serverPort());
    SettingsIni->WriteString("Opciones", "DuracionSonidosMiGol", "2500");
    Connected = 0;

    FMain->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(FMain->ShuttingDown());
    EXPECT_FALSE(FMain->RestartRequested());
    EXPECT_FALSE(service.hasPendingConnections());
    EXPECT_EQ(IniFile(program + "Velkaro.ini").ReadString("Opciones", "DuracionSonidosMiGol", ""), "2500");
    // The objects stay for whatever still runs until the process ends.
    EXPECT_TRUE(SettingsIni && LanguageIni);
    RecommendedURL.clear();
}

TEST_F(MainWindowTest, AnAbortedFirstRunEndsWithoutWritingAndTheTabsStop) {
    start();
    SettingsIni->WriteString("Opciones", "Usuario", "changed in memory");
    FMain->Shutdown(TFMain::ShutdownMode::FirstRunAborted);
    EXPECT_EQ(IniFile(program + "Velkaro.ini").ReadString("Opciones", "Usuario", ""), "pepe");
    QWidget* shown = FMain->CurrentForm;
    pickTab(0);
    EXPECT_EQ(FMain->CurrentForm, shown);
    // A later close runs the routine no second time.
    FMain->close();
    EXPECT_EQ(IniFile(program + "Velkaro.ini").ReadString("Opciones", "Usuario", ""), "pepe");
    EXPECT_FALSE(FMain->RestartRequested());
}

// Choosing a language whose file is there ends the program through the shutdown routine and asks for
// a new start, which opens the new language.
TEST_F(MainWindowTest, ALanguageChangeShutsDownAndAsksForANewStartInTheNewLanguage) {
    WriteFile(program + "language/Norsk.lng", "[Main]\r\nTabMatches=Kamper\r\n");
    start();
    FOptions->ComboBoxIdioma->setCurrentIndex(19);
    emit FOptions->ComboBoxIdioma->activated(19);
    EXPECT_TRUE(FMain->ShuttingDown());
    EXPECT_TRUE(FMain->RestartRequested());
    EXPECT_EQ(IniFile(program + "Velkaro.ini").ReadString("Opciones", "Language", ""), "Norsk");

    OpenSettingsAndLanguage(program, program + "Velkaro.ini");
    EXPECT_EQ(LangText("Main", "TabMatches", "Matches"), "Kamper");
}
