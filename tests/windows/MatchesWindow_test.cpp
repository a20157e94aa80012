// The matches window's connection panel, offscreen: the proxy file, the connect button, the port key
// filter, Enter in the code field, the live/recorded choice and the window's texts.
#include "core/DataStore.h"
#include "core/Settings.h"
#include "platform/widgets/RadioGroup.h"
#include "viewer/UPartidos.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

void CopyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(path);
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(path, target);
    }
}

class MatchesWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QLatin1Char('/');
        CopyTree(QStringLiteral(VELKARO_RESOURCES_DIR), dir.path());
        QFile::remove(app + ProxyConfigFile); // each test states what the program folder holds
        Open();
    }

    void Open() { OpenSettingsAndLanguage(app, app + QStringLiteral("Velkaro.ini")); }

    std::unique_ptr<TFPartidos> NewWindow() { return std::make_unique<TFPartidos>(); }

    // The proxy table as another reader finds it in the program folder.
    QStringList StoredRows() {
        TBKStringGrid t;
        SetUpProxyTable(t);
        LoadTableFrom(t, app);
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
        t.Filename = app + ProxyConfigFile;
        t.SaveToFile();
    }

    void WriteFile(const QString& relative, const QByteArray& bytes) {
        QFile f(app + relative);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    QTemporaryDir dir;
    QString app;
};

bool ProxyEditsEnabled(const TFPartidos& w) {
    return w.EditProxyServer->isEnabled() && w.EditProxyPort->isEnabled() &&
           w.EditProxyUserName->isEnabled() && w.EditProxyPassword->isEnabled();
}

bool ProxyEditsDisabled(const TFPartidos& w) {
    return !w.EditProxyServer->isEnabled() && !w.EditProxyPort->isEnabled() &&
           !w.EditProxyUserName->isEnabled() && !w.EditProxyPassword->isEnabled();
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
    EXPECT_TRUE(ProxyEditsDisabled(*w));
    EXPECT_EQ(w->RadioGroupTipoPartidos->ItemIndex(), 0);
    EXPECT_EQ(w->RadioGroupCargaInicial->ItemIndex(), 0);
    EXPECT_FALSE(w->RadioGroupCargaInicial->isHidden());
    ASSERT_EQ(w->TabControlPartidos->count(), 10);
    EXPECT_EQ(w->TabControlPartidos->tabText(0), QStringLiteral("1"));
    EXPECT_EQ(w->TabControlPartidos->tabText(9), QStringLiteral("10"));
    EXPECT_EQ(w->TabControlPartidos->currentIndex(), 0);
    EXPECT_EQ(w->RebuildCount, 0); // creation rebuilds nothing
    EXPECT_EQ(w->ConnectCount, 0);
    // The panels never start outside the window, whatever the screen size.
    EXPECT_GE(w->PanelCentro->x(), 0);
    EXPECT_GE(w->PanelCentro->y(), 0);
    EXPECT_EQ(w->PanelMensajes->x(), w->PanelCentro->x() + 575);
    EXPECT_EQ(w->PanelAbajo->y(), w->PanelCentro->y() + 320);
    EXPECT_GE(w->PanelAbajo->height(), 85);
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
    QFile f(app + ProxyConfigFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray raw = f.readAll();
    EXPECT_FALSE(raw.contains("proxy.example"));
    EXPECT_FALSE(raw.contains("SECRETCODE"));
    f.close();

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
        EXPECT_TRUE(ProxyEditsEnabled(*w));
        EXPECT_EQ(w->EditProxyServer->text(), QStringLiteral("host"));
        EXPECT_EQ(w->EditProxyPort->text(), QStringLiteral("3128"));
        EXPECT_EQ(w->EditProxyUserName->text(), QStringLiteral("u"));
        EXPECT_EQ(w->EditProxyPassword->text(), QStringLiteral("p"));
        EXPECT_FALSE(w->CheckBoxPassword->isChecked());
        EXPECT_TRUE(w->EditPassword->text().isEmpty()); // a code without "remember" is not shown
    }
    StoreRows({"0", "host", "", "", "", "0", ""});
    {
        auto w = NewWindow();
        EXPECT_FALSE(w->CheckBoxProxy->isChecked());
        EXPECT_TRUE(ProxyEditsDisabled(*w));
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
        WriteFile(ProxyConfigFile, bytes);
        auto w = NewWindow();
        EXPECT_FALSE(w->CheckBoxProxy->isChecked());
        EXPECT_TRUE(ProxyEditsDisabled(*w));
        EXPECT_FALSE(w->CheckBoxPassword->isChecked());
        EXPECT_TRUE(w->EditPassword->text().isEmpty());
    }
    // A program folder without its data folder: the save fails quietly.
    QDir(app + QStringLiteral("data")).removeRecursively();
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
    Open(); // a new start reads the files again
    auto w = NewWindow();
    EXPECT_TRUE(w->CheckBoxProxy->isChecked());
    EXPECT_TRUE(ProxyEditsEnabled(*w));
    EXPECT_EQ(w->EditProxyServer->text(), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(w->EditProxyPort->text(), QStringLiteral("8000"));
    EXPECT_TRUE(w->CheckBoxPassword->isChecked());
    EXPECT_EQ(w->EditPassword->text(), QStringLiteral("abc"));
}

TEST_F(MatchesWindow, ConnectButtonNeedsUserAndCode) {
    auto w = NewWindow();
    w->EditUsuario->clear();
    w->EditPassword->clear();
    EXPECT_FALSE(w->BitBtnConectar->isEnabled());
    w->EditUsuario->setText(QStringLiteral("u"));
    EXPECT_FALSE(w->BitBtnConectar->isEnabled());
    w->EditPassword->setText(QStringLiteral("c"));
    EXPECT_TRUE(w->BitBtnConectar->isEnabled());
    w->EditUsuario->clear();
    EXPECT_FALSE(w->BitBtnConectar->isEnabled());
    w->EditUsuario->setText(QStringLiteral("u"));
    w->EditPassword->clear();
    EXPECT_FALSE(w->BitBtnConectar->isEnabled());
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
    QTest::mouseClick(w->BitBtnConectar, Qt::LeftButton);
    EXPECT_EQ(w->ConnectCount, 3);
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
    QTest::keyClick(port, Qt::Key_Backspace);
    EXPECT_EQ(port->text(), QStringLiteral("200000"));
    port->clear();
    QTest::keyClicks(port, QStringLiteral("8a0 -8"));
    EXPECT_EQ(port->text(), QStringLiteral("808"));
    QTest::keyClicks(port, QStringLiteral("."));
    EXPECT_EQ(port->text(), QStringLiteral("808.")); // "." always passes
    QTest::keyClick(port, Qt::Key_Left);
    QTest::keyClick(port, Qt::Key_Delete); // editing keys are not filtered
    EXPECT_EQ(port->text(), QStringLiteral("808"));
}

TEST_F(MatchesWindow, NoProxyUnlessUseProxyIsChecked) {
    auto w = NewWindow();
    w->EditProxyServer->setText(QStringLiteral("proxy.example"));
    w->EditProxyPort->setText(QStringLiteral("3128"));
    w->EditProxyUserName->setText(QStringLiteral("u"));
    w->EditProxyPassword->setText(QStringLiteral("p"));
    HttpProxyParams off = w->ProxyParamsFromControls();
    EXPECT_TRUE(off.ProxyServer.isEmpty());
    EXPECT_EQ(off.ProxyPort, 0);
    EXPECT_TRUE(off.ProxyUsername.isEmpty());
    EXPECT_TRUE(off.ProxyPassword.isEmpty());

    w->CheckBoxProxy->setChecked(true);
    HttpProxyParams on = w->ProxyParamsFromControls();
    EXPECT_EQ(on.ProxyServer, QStringLiteral("proxy.example"));
    EXPECT_EQ(on.ProxyPort, 3128);
    EXPECT_EQ(on.ProxyUsername, QStringLiteral("u"));
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

TEST_F(MatchesWindow, TextsFallBackToEnglish) {
    // A language file that has none of the window's keys.
    WriteFile(QStringLiteral("language/English.lng"), "[Other]\r\nKey=Value\r\n");
    Open();
    auto w = NewWindow();
    EXPECT_EQ(w->RadioGroupTipoPartidos->title(), QStringLiteral("Match type "));
    EXPECT_EQ(w->RadioGroupTipoPartidos->Items(), (QStringList{"Live", "Recorded"}));
    EXPECT_EQ(w->RadioGroupCargaInicial->title(), QStringLiteral("Initial loading "));
    EXPECT_EQ(w->RadioGroupCargaInicial->Items(),
              (QStringList{"My team", "My league", "\"TabOptions - Recorded list\"",
                           "My league + \"TabOptions - Recorded list\""}));
    EXPECT_TRUE(w->CheckBoxPassword->text().isEmpty());
    EXPECT_TRUE(w->Label7->text().isEmpty());
    EXPECT_EQ(w->Label3->text(), QStringLiteral("Server:"));
    EXPECT_EQ(w->Label4->text(), QStringLiteral("Port:"));
    EXPECT_EQ(w->LabelUsuario->text(), QStringLiteral("User:"));
    EXPECT_EQ(w->Label5->text(), QStringLiteral("UserName:"));
    EXPECT_EQ(w->LabelPassword->text(), QStringLiteral("Security Code:"));
    EXPECT_EQ(w->BitBtnConectar->text(), QStringLiteral("Connect"));
    EXPECT_EQ(w->GroupBoxProxy->title(), QStringLiteral("Proxy"));
    EXPECT_EQ(w->CheckBoxProxy->text(), QStringLiteral("Use proxy"));
}

TEST_F(MatchesWindow, LanguageFileOverridesSomeTexts) {
    WriteFile(QStringLiteral("language/Deutsch.lng"), "[Main]\r\nTabOptions=Optionen\r\n"
                                                      "[General]\r\nLabelUser=Benutzer:\r\n"
                                                      "RecordedList=Aufzeichnungsliste\r\n"
                                                      "[Connection]\r\nLabelConnect=Verbinden\r\n");
    SettingsIni->WriteString(QStringLiteral("Opciones"), QStringLiteral("Language"),
                             QStringLiteral("Deutsch"));
    SettingsIni->UpdateFile();
    Open();
    auto w = NewWindow();
    EXPECT_EQ(w->BitBtnConectar->text(), QStringLiteral("Verbinden"));
    EXPECT_EQ(w->LabelUsuario->text(), QStringLiteral("Benutzer:")); // one key, both user labels
    EXPECT_EQ(w->Label5->text(), QStringLiteral("Benutzer:"));
    EXPECT_EQ(w->Label6->text(), QStringLiteral("Password:")); // not in the file
    EXPECT_EQ(w->RadioGroupCargaInicial->Items().at(3),
              QStringLiteral("My league + \"Optionen - Aufzeichnungsliste\""));
    // A second run replaces the items instead of adding to them.
    w->LeerIdioma();
    EXPECT_EQ(w->RadioGroupTipoPartidos->Items().size(), 2);
    EXPECT_EQ(w->RadioGroupCargaInicial->Items().size(), 4);
}
