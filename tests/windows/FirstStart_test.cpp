// A new user's first start against velkaro-service, in a copy of the shipped program folder (user
// "0"): the first tab change shows the first-run dialog; user "demo" with code "velkaro" fills the
// settings and lands on the matches; a wrong code or a failed download says why and lets the user try
// again; the abort button, Esc and closing end the program without writing the settings.
#include "core/Settings.h"
#include "core/UConectar.h"
#include "platform/IniFile.h"
#include "shell/ModalDialog.h"
#include "shell/UDialogoInicioEquipo.h"
#include "shell/UMain.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The program started from a copy of the shipped folder, its game service pointed at the service.
struct FirstStart : TestProgram {
    FirstStart()
        : TestProgram(
              {.withService = true, .speed = 0, .start = {}, .serviceArgs = {}, .withMainWindow = true}) {}
    QByteArray Settings() const { return ReadFile(Folder.File(QStringLiteral("Velkaro.ini"))); }
    QString Setting(const char* key) const {
        return IniFile(Folder.File(QStringLiteral("Velkaro.ini")))
            .ReadString(QStringLiteral("Opciones"), QString::fromLatin1(key), QStringLiteral("(none)"));
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
    d.EditUsuario->setText(QStringLiteral("demo"));
    d.EditPassword->setText(code);
    d.BitBtnConectar->click();
    return d.result();
}

} // namespace

TEST(FirstStart, DemoUserFillsTheSettingsAndLandsOnTheMatches) {
    FirstStart p;
    ASSERT_TRUE(p.Service->IsRunning()) << p.Service->ErrorText().toStdString();
    ASSERT_EQ(p.Setting("Usuario"), "0");
    p.PickTab(1, [&](TFDialogoInicioEquipo& d) {
        d.EditUsuario->setText(QStringLiteral("demo"));
        EXPECT_FALSE(d.BitBtnConectar->isEnabled()); // the code is still missing
        return LogIn(d, QStringLiteral("velkaro"));
    });
    EXPECT_EQ(Connected, 0); // the dialog logged out again

    // The settings file, as the next start reads it.
    const std::pair<const char*, QString> stored[] = {
        {"Usuario", "demo"},        {"Team", "Velkaro Demo FC"},
        {"TeamID", "250101"},       {"TeamIDJuveniles", "2701001"},
        {"LigaID", "3412"},         {"LigaNombre", "IV.12"},
        {"Pais", "England"},        {"Moneda", "Pound"},
        {"FactorMoneda", "15"},     {"Language", "English"},
        {"LanguageOld", "English"}, {"Idioma", "9"}};
    for (const auto& [key, value] : stored)
        EXPECT_EQ(p.Setting(key), value) << key;
    EXPECT_EQ(p.Setting("LabelInicioFecha").size(), 10);

    // The options window, the default sounds (stored in their table) and the matches window.
    EXPECT_EQ(FOptions->EditTeamID->text(), "250101");
    EXPECT_EQ(FOptions->EditSonidoLesion->text(), AppDir + "sounds/Injury.wav");
    EXPECT_TRUE(ReadFile(p.Folder.File("data/Sounds.dat")).contains("sounds/GoalMine.wav"));
    EXPECT_EQ(FPartidos->EditUsuario->text(), "demo");
    EXPECT_EQ(FPartidos->EditPassword->text(), "velkaro");
    EXPECT_EQ(FMain->TabControl1->currentIndex(), 0);
    EXPECT_EQ(FMain->CurrentForm, FPartidos);
    EXPECT_TRUE(QFileInfo(p.Folder.File("data/Xml/250101")).isDir());
    EXPECT_TRUE(ServiceRequests(p).contains(QStringLiteral("team"))); // the user's own team

    // The next connect works without any hand edit, and says that a newer version exists.
    SettingsIni->WriteString("Servidor", "Version", p.Service->BaseUrl());
    ASSERT_TRUE(p.Service->Control("/_control/version?set=0126800").startsWith("OK"));
    FPartidos->BitBtnConectarClick();
    FPartidos->TimerConexion->stop();
    EXPECT_TRUE(FPartidos->PanelConexion->isHidden());
    EXPECT_EQ(Connected, 1);
    EXPECT_EQ(LastBox(p),
              LangText("Connection", "MessageNewVersionQZ", "New Velkaro version. Download and update."));
    // Tab changes no longer start the first run.
    p.PickTab(1, [](TFDialogoInicioEquipo&) { return 0; });
    EXPECT_EQ(p.dialogs, 1);
    EXPECT_EQ(FMain->CurrentForm, FOptions);
}

TEST(FirstStart, FailedLoginOrDownloadSaysWhyAndTheUserTriesAgain) {
    FirstStart p;
    ASSERT_TRUE(p.Service->IsRunning());
    const QByteArray shipped = p.Settings();
    p.PickTab(0, [&](TFDialogoInicioEquipo& d) {
        EXPECT_EQ(LogIn(d, QStringLiteral("wrong")), 0);
        EXPECT_TRUE(LastBox(p).startsWith("Could not log in to the game:")) << LastBox(p).toStdString();
        EXPECT_EQ(p.Boxes.Sleeps, QVector<int>({500}));

        EXPECT_TRUE(p.Service->Fault(QStringLiteral("errordoc"), 1, QStringLiteral("team")));
        EXPECT_EQ(LogIn(d, QStringLiteral("velkaro")), 0);
        EXPECT_TRUE(LastBox(p).endsWith(" Unknown error")) << LastBox(p).toStdString(); // says why
        EXPECT_EQ(p.Settings(), shipped);
        return LogIn(d, QStringLiteral("velkaro"));
    });
    EXPECT_EQ(p.Setting("TeamID"), "250101");
    EXPECT_EQ(FMain->CurrentForm, FPartidos);
}

TEST(FirstStart, AbortEscAndCloseEndTheProgramWithoutWriting) {
    const std::function<void(TFDialogoInicioEquipo&)> ways[] = {
        [](TFDialogoInicioEquipo& d) { d.BitBtn2->click(); },
        [](TFDialogoInicioEquipo& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](TFDialogoInicioEquipo& d) { d.close(); },
    };
    for (const auto& giveUp : ways) {
        FirstStart p;
        const QByteArray shipped = p.Settings();
        p.PickTab(0, [&](TFDialogoInicioEquipo& d) {
            d.show(); // shown, not run modally: the test acts in it directly
            // Typed but never connected: nothing of it may reach the settings.
            d.EditUsuario->setText(QStringLiteral("demo"));
            giveUp(d);
            return d.result();
        });
        EXPECT_EQ(p.dialogs, 1);
        EXPECT_TRUE(FMain->ShuttingDown());
        EXPECT_EQ(p.Settings(), shipped);
        EXPECT_NE(FMain->CurrentForm, FPartidos);
    }
}
