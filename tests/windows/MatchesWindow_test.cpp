// The matches window's connection panel, offscreen: the proxy file, the connect button, the port key
// filter, Enter in the code field and the live/recorded choice. Its texts are MatchesTexts'.
#include "core/DataStore.h"
#include "core/Settings.h"
#include "platform/widgets/RadioGroup.h"
#include "support/TestProgramFolder.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class MatchesWindow : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(folder.File(ProxyConfigFile)); // each test states what the program folder holds
        folder.OpenSettings();
    }

    std::unique_ptr<TFPartidos> NewWindow() { return std::make_unique<TFPartidos>(); }

    // The proxy table as another reader finds it in the program folder.
    QStringList StoredRows() {
        TBKStringGrid t;
        SetUpProxyTable(t);
        LoadTableFrom(t, folder.Path());
        QStringList rows;
        for (int r = 0; r < ProxyRow::Count; ++r)
            rows << t.Cells(0, r);
        return rows;
    }

    void StoreRows(const QStringList& rows) {
        TBKStringGrid t;
        SetUpProxyTable(t);
        for (int r = 0; r < rows.size(); ++r)
            t.SetCells(0, r, rows[r]);
        t.Filename = folder.File(ProxyConfigFile);
        t.SaveToFile();
    }

    TestProgramFolder folder;
};

// The four proxy fields' enabled states: all enabled, all disabled, or mixed.
const char* ProxyEdits(const TFPartidos& w) {
    const int on = int(w.EditProxyServer->isEnabled()) + int(w.EditProxyPort->isEnabled()) +
                   int(w.EditProxyUserName->isEnabled()) + int(w.EditProxyPassword->isEnabled());
    return on == 4 ? "enabled" : on == 0 ? "disabled" : "mixed";
}

} // namespace

TEST_F(MatchesWindow, StartsOnTheConnectionPanelWithTheSettingsUser) {
    SettingsIni->WriteString(QStringLiteral("Opciones"), QStringLiteral("Usuario"), QStringLiteral("alice"));
    auto w = NewWindow();
    EXPECT_FALSE(w->PanelConexion->isHidden());
    EXPECT_TRUE(w->PanelPartidos->isHidden());
    EXPECT_EQ(w->EditUsuario->text(), QStringLiteral("alice"));
    EXPECT_EQ(w->EditPassword->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(w->BitBtnConectar->isEnabled()); // no code yet
    EXPECT_FALSE(w->CheckBoxProxy->isChecked());  // no proxy file: initial state
    EXPECT_STREQ(ProxyEdits(*w), "disabled");
    EXPECT_EQ(w->TabControlPartidos->count(), 10);
    EXPECT_EQ(w->RebuildCount, 0); // creation rebuilds nothing
    EXPECT_EQ(w->ConnectCount, 0);
    // A second run of the texts replaces the choices' items instead of adding to them.
    w->LeerIdioma();
    EXPECT_EQ(w->RadioGroupTipoPartidos->Items().size(), 2);
    EXPECT_EQ(w->RadioGroupCargaInicial->Items().size(), 4);
    EXPECT_EQ(w->RadioGroupCargaInicial->Columns(), 2);
}

TEST_F(MatchesWindow, ProxyFileStoresTheCodeOnlyWhenAsked) {
    auto w = NewWindow();
    w->CheckBoxProxy->setChecked(true);
    w->EditProxyServer->setText(QStringLiteral("proxy.example"));
    w->EditProxyPort->setText(QStringLiteral("8080"));
    w->EditProxyUserName->setText(QStringLiteral("puser"));
    w->EditProxyPassword->setText(QStringLiteral("ppass"));
    w->EditPassword->setText(QStringLiteral("SECRETCODE"));
    w->GuardarDatos();
    EXPECT_EQ(StoredRows(), (QStringList{"1", "proxy.example", "8080", "puser", "ppass", "0", ""}));

    // Scrambled on disk: none of the values is readable in the file.
    const QByteArray raw = ReadFile(folder.File(ProxyConfigFile));
    EXPECT_FALSE(raw.contains("proxy.example"));
    EXPECT_FALSE(raw.contains("SECRETCODE"));

    // Ticking "remember" saves at once, the code included; unticking forgets it again.
    w->CheckBoxPassword->click();
    EXPECT_EQ(StoredRows(), (QStringList{"1", "proxy.example", "8080", "puser", "ppass", "1", "SECRETCODE"}));
    w->CheckBoxPassword->click();
    EXPECT_EQ(StoredRows().mid(5), (QStringList{"0", ""}));

    w->CheckBoxProxy->setChecked(false);
    w->GuardarDatos();
    EXPECT_EQ(StoredRows().at(0), QStringLiteral("0"));
}

TEST_F(MatchesWindow, ProxyFileFillsTheControls) {
    // An empty row 0 turns the proxy on; only "0" turns it off.
    StoreRows({"", "host", "3128", "u", "p", "0", "ignored"});
    {
        auto w = NewWindow();
        EXPECT_TRUE(w->CheckBoxProxy->isChecked());
        EXPECT_STREQ(ProxyEdits(*w), "enabled");
        EXPECT_EQ(w->EditProxyServer->text(), QStringLiteral("host"));
        EXPECT_EQ(w->EditProxyPassword->text(), QStringLiteral("p"));
        EXPECT_FALSE(w->CheckBoxPassword->isChecked());
        EXPECT_TRUE(w->EditPassword->text().isEmpty()); // a code without "remember" is not shown
    }
    StoreRows({"0", "host", "", "", "", "0", ""});
    {
        auto w = NewWindow();
        EXPECT_FALSE(w->CheckBoxProxy->isChecked());
        EXPECT_STREQ(ProxyEdits(*w), "disabled");
        EXPECT_EQ(w->EditProxyServer->text(), QStringLiteral("host"));
    }
    // A remembered code with a stored user leaves the connect button ready, and the file unchanged.
    SettingsIni->WriteString(QStringLiteral("Opciones"), QStringLiteral("Usuario"), QStringLiteral("bob"));
    StoreRows({"0", "", "", "", "", "1", "CODE"});
    {
        auto w = NewWindow();
        EXPECT_TRUE(w->CheckBoxPassword->isChecked());
        EXPECT_EQ(w->EditPassword->text(), QStringLiteral("CODE"));
        EXPECT_TRUE(w->BitBtnConectar->isEnabled());
        EXPECT_EQ(StoredRows(), (QStringList{"0", "", "", "", "", "1", "CODE"}));
    }
}

TEST_F(MatchesWindow, BadProxyFileLeavesTheInitialState) {
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("garbage\r\n"),
          QByteArray("TBKStringGrid\r\n1\r\n0\r\n0\r\nzz\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                     "\r\n\r\n\r\n")}) {
        WriteFile(folder.File(ProxyConfigFile), bytes);
        auto w = NewWindow();
        EXPECT_FALSE(w->CheckBoxProxy->isChecked());
        EXPECT_STREQ(ProxyEdits(*w), "disabled");
        EXPECT_FALSE(w->CheckBoxPassword->isChecked());
        EXPECT_TRUE(w->EditPassword->text().isEmpty());
    }
    // A program folder without its data folder: the save fails quietly.
    QDir(folder.File(QStringLiteral("data"))).removeRecursively();
    auto w = NewWindow();
    w->CheckBoxPassword->click();
    EXPECT_TRUE(w->CheckBoxPassword->isChecked());
}

TEST_F(MatchesWindow, ProxyChangeSurvivesARestart) {
    {
        auto w = NewWindow();
        w->CheckBoxProxy->setChecked(true);
        w->EditProxyServer->setText(QStringLiteral("10.0.0.1"));
        w->EditProxyPort->setText(QStringLiteral("8000"));
        w->EditPassword->setText(QStringLiteral("abc"));
        w->CheckBoxPassword->click(); // saves
    }
    folder.OpenSettings(); // a new start reads the files again
    auto w = NewWindow();
    EXPECT_TRUE(w->CheckBoxProxy->isChecked());
    EXPECT_STREQ(ProxyEdits(*w), "enabled");
    EXPECT_EQ(w->EditProxyServer->text(), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(w->EditProxyPort->text(), QStringLiteral("8000"));
    EXPECT_TRUE(w->CheckBoxPassword->isChecked());
    EXPECT_EQ(w->EditPassword->text(), QStringLiteral("abc"));
}

TEST_F(MatchesWindow, ConnectButtonNeedsUserAndCode) {
    auto w = NewWindow();
    const struct {
        const char *user, *code;
        bool enabled;
    } cases[] = {{"", "", false}, {"u", "", false}, {"u", "c", true}, {"", "c", false}};
    for (const auto& c : cases) {
        w->EditUsuario->setText(QString::fromLatin1(c.user));
        w->EditPassword->setText(QString::fromLatin1(c.code));
        EXPECT_EQ(w->BitBtnConectar->isEnabled(), c.enabled) << c.user << "/" << c.code;
    }
}

TEST_F(MatchesWindow, EnterInTheCodeFieldConnectsOnlyWhenTheButtonIsEnabled) {
    auto w = NewWindow();
    w->show();
    w->EditUsuario->clear();
    w->EditPassword->setText(QStringLiteral("code"));
    QTest::keyClick(w->EditPassword, Qt::Key_Return);
    EXPECT_EQ(w->ConnectCount, 0); // no user name: nothing starts

    w->EditUsuario->setText(QStringLiteral("user"));
    QTest::keyClick(w->EditPassword, Qt::Key_Return);
    EXPECT_EQ(w->ConnectCount, 1);
    QTest::keyClick(w->EditPassword, Qt::Key_Enter);
    EXPECT_EQ(w->ConnectCount, 2);
    // Other keys still type into the field.
    QTest::keyClicks(w->EditPassword, QStringLiteral("x"));
    EXPECT_EQ(w->EditPassword->text(), QStringLiteral("codex"));
}

TEST_F(MatchesWindow, PortFieldTakesDigitsUpToTwoMillion) {
    auto w = NewWindow();
    w->CheckBoxProxy->setChecked(true);
    w->show();
    QLineEdit* port = w->EditProxyPort;
    port->setText(QStringLiteral("200000"));
    port->setCursorPosition(6);
    QTest::keyClicks(port, QStringLiteral("0"));
    EXPECT_EQ(port->text(), QStringLiteral("2000000"));
    QTest::keyClicks(port, QStringLiteral("1"));
    EXPECT_EQ(port->text(), QStringLiteral("2000000")); // would exceed 2000000
    port->clear();
    QTest::keyClicks(port, QStringLiteral("8a0 -8."));
    EXPECT_EQ(port->text(), QStringLiteral("808.")); // "." always passes
    QTest::keyClick(port, Qt::Key_Backspace);        // editing keys are not filtered
    EXPECT_EQ(port->text(), QStringLiteral("808"));
}

TEST_F(MatchesWindow, NoProxyUnlessUseProxyIsChecked) {
    auto w = NewWindow();
    w->EditProxyServer->setText(QStringLiteral("proxy.example"));
    w->EditProxyPort->setText(QStringLiteral("3128"));
    w->EditProxyUserName->setText(QStringLiteral("u"));
    w->EditProxyPassword->setText(QStringLiteral("p"));
    const HttpProxyParams off = w->ProxyParamsFromControls();
    EXPECT_TRUE(off.ProxyServer.isEmpty());
    EXPECT_EQ(off.ProxyPort, 0);
    EXPECT_TRUE(off.ProxyUsername.isEmpty());
    EXPECT_TRUE(off.ProxyPassword.isEmpty());

    w->CheckBoxProxy->setChecked(true);
    const HttpProxyParams on = w->ProxyParamsFromControls();
    EXPECT_EQ(on.ProxyServer, QStringLiteral("proxy.example"));
    EXPECT_EQ(on.ProxyPort, 3128);
    EXPECT_EQ(on.ProxyPassword, QStringLiteral("p"));
    for (const char* text : {"", "2000000", "80.8", "0"}) {
        w->EditProxyPort->setText(QString::fromLatin1(text));
        EXPECT_EQ(w->ProxyParamsFromControls().ProxyPort, 0) << text;
    }
}

TEST_F(MatchesWindow, RecordedMatchesHideTheInitialLoadChoice) {
    auto w = NewWindow();
    w->RadioGroupCargaInicial->SetItemIndex(2);
    w->RadioGroupTipoPartidos->SetItemIndex(1);
    EXPECT_TRUE(w->RadioGroupCargaInicial->isHidden());
    w->RadioGroupTipoPartidos->SetItemIndex(0);
    EXPECT_FALSE(w->RadioGroupCargaInicial->isHidden());
    EXPECT_EQ(w->RadioGroupCargaInicial->ItemIndex(), 2);
}
