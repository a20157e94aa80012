// The options window against a temporary program folder: settings into the controls, the tables
// loaded at start, saving and reading back after a restart, and the translated captions.
#include "core/Settings.h"
#include "shell/UOptions.h"
#include "support/TestProgramFolder.h"
#include "support/gui/WindowTestHelpers.h"

#include <QDate>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The text of a table file: the four header lines, then every cell row by row.
QByteArray TableFile(const QStringList& cells) {
    QByteArray bytes = "TBKStringGrid\r\n1\r\n0\r\n0\r\n";
    for (const QString& cell : cells)
        bytes += cell.toUtf8() + "\r\n";
    return bytes;
}

class OptionsWindowTest : public ::testing::Test {
protected:
    void TearDown() override { window_.reset(); }

    void Write(const QString& rel, const QByteArray& bytes) { WriteFile(folder_.File(rel), bytes); }
    QByteArray Read(const QString& rel) { return ReadFile(folder_.File(rel)); }

    // Opens the settings as the start does and creates the window (the loading at start runs).
    TFOptions& Start() {
        window_.reset();
        folder_.OpenSettings();
        window_ = std::make_unique<TFOptions>();
        return *window_;
    }

    TestProgramFolder folder_;
    const QString dir_ = folder_.Path();
    std::unique_ptr<TFOptions> window_;
};

TEST_F(OptionsWindowTest, LeerIniFillsTheControlsFromTheSettings) {
    Write("Velkaro.ini", "[Opciones]\r\nUsuario=alice\r\nUsuarioID=77\r\nTeam=Club Nord\r\nTeamID=123\r\n"
                         "Pais=Sverige\r\nMoneda=SEK\r\nLigaID=456\r\nLigaNombre=II.3\r\n"
                         "LabelInicioFecha=2010-05-01\r\nLabelInicioTemporada=41\r\nLabelInicioSemana=07\r\n"
                         "Idioma=7\r\nLanguage=English\r\nSonidos=0\r\nSonidosTarjeta=0\r\n"
                         "DuracionSonidosLesion=2500\r\nDuracionSonidosMiGol=x\r\n");
    const QByteArray before = Read("Velkaro.ini");
    TFOptions& w = Start();

    const QStringList shown = {
        w.EditUsuario->text(),          w.EditUsuarioID->text(),    w.EditTeam->text(),
        w.EditTeamID->text(),           w.EditPais->text(),         w.EditMoneda->text(),
        w.EditLigaID->text(),           w.EditLigaNombre->text(),   w.LabelInicioFecha->text(),
        w.LabelInicioTemporada->text(), w.LabelInicioSemana->text()};
    EXPECT_EQ(shown, QStringList({"alice", "77", "Club Nord", "123", "Sverige", "SEK", "456", "II.3",
                                  "2010-05-01", "41", "07"}));

    // Today's date, and its season and week split at the hyphen.
    EXPECT_EQ(w.LabelFecha->text(), QDate::currentDate().toString("yyyy-MM-dd"));
    bool seasonOk = false, weekOk = false;
    EXPECT_GE(w.LabelTemporada->text().toInt(&seasonOk), 80);
    const int week = w.LabelSemana->text().toInt(&weekOk);
    EXPECT_TRUE(seasonOk && weekOk) << w.LabelTemporada->text().toStdString() << " "
                                    << w.LabelSemana->text().toStdString();
    EXPECT_TRUE(week >= 1 && week <= 16);

    EXPECT_EQ(w.ComboBoxIdioma->currentText(), "Deutsch");
    EXPECT_FALSE(w.CheckBoxSonidos->isChecked());
    for (QCheckBox* box : w.CheckBoxSonidosKind)
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString(); // the master switch is off
    EXPECT_FALSE(w.CheckBoxSonidosTarjeta->isChecked());
    EXPECT_TRUE(w.CheckBoxSonidosMiGol->isChecked());
    EXPECT_EQ(w.SpinEditLesion->value(), 2500);
    EXPECT_EQ(w.SpinEditMiGol->value(), 1500); // not a number: the default
    EXPECT_EQ(LoadingOptions, 0);

    // Loading ran the check boxes' handler without writing anything.
    EXPECT_EQ(Read("Velkaro.ini"), before);
}

TEST_F(OptionsWindowTest, SettingsWithoutOptionsSectionGiveTheDefaults) {
    Write("Velkaro.ini", "[Version]\r\nVersion=0126700\r\n");
    TFOptions& w = Start();
    for (QLineEdit* e : {w.EditUsuario, w.EditUsuarioID, w.EditTeam, w.EditTeamID, w.EditPais, w.EditMoneda,
                         w.EditLigaID, w.EditLigaNombre})
        EXPECT_TRUE(e->text().isEmpty()) << e->objectName().toStdString();
    EXPECT_EQ(w.LabelInicioSemana->text(), "00");
    EXPECT_EQ(w.ComboBoxIdioma->currentIndex(), 0);
    EXPECT_TRUE(w.CheckBoxSonidos->isChecked());
    for (int k = 0; k < SoundKind::Count; ++k) {
        EXPECT_TRUE(w.CheckBoxSonidosKind[k]->isChecked());
        EXPECT_TRUE(w.CheckBoxSonidosKind[k]->isEnabled());
        EXPECT_EQ(w.SpinEdit[k]->value(), 1500);
    }
}

TEST_F(OptionsWindowTest, TheLanguageListAndItsComboSetFromCode) {
    struct CountingOptions : TFOptions {
        int changes = 0;
        void ComboBoxIdiomaChange() override { ++changes; }
    };
    OpenSettingsAndLanguage(dir_, dir_ + "Velkaro.ini");
    CountingOptions w;
    ASSERT_EQ(w.ComboBoxIdioma->count(), 30);
    EXPECT_EQ(w.ComboBoxIdioma->itemText(2), "Català");
    EXPECT_EQ(w.ComboBoxIdioma->currentIndex(), 9); // the shipped Idioma

    // LeerIni and any other code that sets the combo run no language change.
    SettingsIni->WriteInteger("Opciones", "Idioma", 19);
    w.LeerIni();
    EXPECT_EQ(w.ComboBoxIdioma->currentText(), "Norsk");
    // An index outside the list (the migrations can give 30) shows English.
    for (const int outside : {30, -1}) {
        SettingsIni->WriteInteger("Opciones", "Idioma", outside);
        w.LeerIni();
        EXPECT_EQ(w.ComboBoxIdioma->currentText(), "English") << outside;
    }
    w.ComboBoxIdioma->setCurrentIndex(3);
    EXPECT_EQ(w.changes, 0);
    // The user's choice does.
    emit w.ComboBoxIdioma->activated(5);
    EXPECT_EQ(w.changes, 1);
}

TEST_F(OptionsWindowTest, AFreshProgramFolderGetsTheShippedSounds) {
    TFOptions& w = Start(); // the shipped sound table is empty
    EXPECT_EQ(w.EditSonidoMiGol->text(), dir_ + "sounds/GoalMine.wav");
    EXPECT_EQ(w.EditSonidoInicioPartido->text(), dir_ + "sounds/MatchStart.wav");
    EXPECT_EQ(w.BKStringGridSonidos().Cells(0, SoundRow::SoundContraGol), dir_ + "sounds/GoalAgainst.wav");
    // The shipped events data loaded: a scored chance has its class.
    EXPECT_FALSE(w.Datos().EventoClase("100").isEmpty());
}

TEST_F(OptionsWindowTest, ABadFavouritesFileDoesNotStopTheOtherLoads) {
    // Seven cell lines do not fill whole rows of three: the favourites load fails.
    Write("data/Favourites.dat", TableFile({"G", "Club", "1", "H", "Other", "2", "X"}));
    QStringList sounds;
    for (int r = 0; r < SoundRow::Count; ++r)
        sounds << (r < SoundRow::Kinds ? QString("/snd/%1.wav").arg(r) : QString());
    Write("data/Sounds.dat", TableFile(sounds));
    const QByteArray soundsFile = Read("data/Sounds.dat");

    TFOptions& w = Start();
    EXPECT_EQ(w.EditSonidoMiGol->text(), "/snd/0.wav");
    EXPECT_EQ(w.EditSonidoContraGol->text(), "/snd/7.wav");
    EXPECT_FALSE(w.Datos().EventoClase("100").isEmpty());
    EXPECT_EQ(w.BKStringGridListaGrabada().RowCount(), 11);
    // The texts and the group lists were still set.
    EXPECT_EQ(w.GroupBoxSonidos->title(), "Sounds ");
    EXPECT_EQ(w.ListBoxFavoritosGrupo->item(0)->text(), "[All]");
    // Saving writes back what was loaded.
    w.GuardarDatos();
    EXPECT_EQ(Read("data/Sounds.dat"), soundsFile);
}

TEST_F(OptionsWindowTest, FavouritesAndRecordedListFillTheirControlsAtStart) {
    Write("data/Favourites.dat", TableFile({"beta", "Zeta FC", "30", "Alpha", "Ajax", "10", "beta",
                                            "Mid United", "20", "beta", "No ID", "", "", "", ""}));
    QStringList recorded{"Team", "TeamID", "", "", "", "Mid United", "20", "", "", ""};
    while (recorded.size() < 55)
        recorded << "";
    Write("data/RecordedList.dat", TableFile(recorded));
    TFOptions& w = Start();

    EXPECT_EQ(Entries(w.ListBoxFavoritosGrupo), QStringList({"[All]", "Alpha", "beta"}));
    EXPECT_EQ(w.ListBoxFavoritosGrupo->currentRow(), 0);
    EXPECT_EQ(Entries(w.ListBoxFavoritosEquipo), QStringList({"Ajax", "Mid United", "No ID", "Zeta FC"}));
    EXPECT_EQ(w.EditFavoritosTeamID->text(), "10");
    EXPECT_EQ(Entries(w.ComboBoxFavoritosGrupoAnadir), QStringList({"[All]", "Alpha", "beta"}));

    // Choosing a group (as a click does) lists its teams only.
    w.ListBoxFavoritosGrupo->setCurrentRow(2);
    EXPECT_EQ(Entries(w.ListBoxFavoritosEquipo), QStringList({"Mid United", "No ID", "Zeta FC"}));
    EXPECT_EQ(w.EditFavoritosTeamID->text(), "20");

    // The recorded-list chooser holds the favourites with an ID; its first entry is not in a slot.
    EXPECT_EQ(Entries(w.ComboBoxListaGrabada), QStringList({"Ajax", "Mid United", "Zeta FC"}));
    EXPECT_EQ(w.ComboBoxListaGrabada->currentIndex(), 0);
    EXPECT_EQ(w.BKStringGridListaGrabada().Row(), 1);
    EXPECT_EQ(w.BKStringGridListaGrabada().Cells(RecordedColumn::RecordedTeamName, 1), "Mid United");
    EXPECT_FALSE(w.BitBtnListaAnadir->isEnabled()); // the selected row is in use
    EXPECT_FALSE(w.BitBtnListaBorrar->isEnabled());
}

TEST_F(OptionsWindowTest, ChangesSurviveARestartOfTheWindow) {
    const QString cwd = QDir::currentPath();
    {
        TFOptions& w = Start();
        w.EditUsuario->setText("bob");
        w.EditSonidoMiGol->setText("/home/bob/goal.mp3");
        w.GuardarDatos();
        AppendRow(w.BKStringGridFavoritos(), {"Friends", "Club Sur", "4711"});
        EXPECT_TRUE(w.SalvarTabla(w.BKStringGridFavoritos(), FavouritesFile));
        EXPECT_EQ(w.BKStringGridFavoritos().Filename, FavouritesFile);
        w.CheckBoxSonidosTarjeta->setChecked(false); // a sound switch writes the file at once
        SettingsIni->WriteInteger("Opciones", "DuracionSonidosOcasion", 4000);
    }
    EXPECT_EQ(QDir::currentPath(), cwd);
    EXPECT_TRUE(Read("Velkaro.ini").contains("SonidosTarjeta=0"));
    SettingsIni->UpdateFile(); // what the shutdown does

    TFOptions& w = Start();
    EXPECT_EQ(w.EditUsuario->text(), "bob");
    EXPECT_EQ(w.EditSonidoMiGol->text(), "/home/bob/goal.mp3");
    EXPECT_FALSE(w.CheckBoxSonidosTarjeta->isChecked());
    EXPECT_EQ(w.SpinEditOcasion->value(), 4000);
    EXPECT_EQ(Entries(w.ListBoxFavoritosGrupo), QStringList({"[All]", "Friends"}));
    EXPECT_EQ(Entries(w.ComboBoxListaGrabada), QStringList({"Club Sur"}));
}

TEST_F(OptionsWindowTest, CaptionsComeFromTheLanguageFileWithEnglishFallback) {
    Write("Velkaro.ini", "[Opciones]\r\nLanguage=Deutsch\r\nLanguageOld=Deutsch\r\nIdioma=7\r\n");
    Write("language/Deutsch.lng", QString("[General]\r\nLabelUser=Benutzer:\r\nLabelTeam=Mannschaft\r\n"
                                          "LabelAll=Alle\r\n[options]\r\nsounds=Töne\r\n")
                                      .toUtf8());
    TFOptions& w = Start();
    EXPECT_EQ(w.LabelUsuario->text(), "Benutzer:");
    EXPECT_EQ(w.LabelTeam->text(), "Mannschaft:");
    EXPECT_EQ(w.LabelFavoritosEquipo->text(), "Mannschaft:");
    EXPECT_EQ(w.BKStringGridListaGrabada().Cells(0, 0), "Mannschaft");
    EXPECT_EQ(w.GroupBoxSonidos->title(), "Töne ");
    EXPECT_EQ(w.ListBoxFavoritosGrupo->item(0)->text(), "[Alle]");
    // Keys the file lacks: the English texts with their additions.
    EXPECT_EQ(w.LabelTeamID->text(), "TeamID:");
    EXPECT_EQ(w.BKStringGridListaGrabada().Cells(1, 0), "TeamID");
    EXPECT_EQ(w.LabelMilisegundos->text(), "(miliseconds)");
    EXPECT_EQ(w.PageControlFavoritos->tabText(1), "Recorded list ");
    EXPECT_EQ(w.LabelSonido[SoundKind::FinPartido]->text(), "Match ends");
    EXPECT_EQ(w.GroupBoxTiempo->title(), "Current data");
}

} // namespace
