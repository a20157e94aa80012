// The options window: settings and tables at start, favourites, recorded list, sounds, language change.
#include "shell/ModalDialog.h"
#include "shell/UBajarAccesorio.h"
#include "support/TestProgramFolder.h"
#include "support/gui/WindowTest.h"
#include <QSignalBlocker>

namespace {

// The text of a table file: the four header lines, then every cell row by row.
QByteArray TableFile(const QStringList& cells) {
    return "TBKStringGrid\r\n1\r\n0\r\n0\r\n" + cells.join("\r\n").toUtf8() + "\r\n";
}

QStringList Rows(const TBKStringGrid& t, int cols) {
    QStringList out;
    for (int r = 0; r < t.RowCount(); ++r)
        out << (cols == 2 ? RowCells(t, r, {0, 1}) : RowCells(t, r, {0, 1, 2}));
    return out;
}

void AddFavourite(const QString& group, const QString& id) {
    FOptions->ComboBoxFavoritosGrupoAnadir->setEditText(group);
    FOptions->EditFavoritosEquipoAnadir->setText(id);
    FOptions->ButtonFavoritosAnadir->click();
}

void SelectRecordedRow(int row) {
    StringGridView* view = FOptions->ViewListaGrabada;
    view->setCurrentIndex(view->model()->index(row, 0));
    emit view->clicked(view->currentIndex());
}

} // namespace

// Settings fill the controls, writing nothing; captions in the chosen language (any case), else English;
// the tables load at start, a bad favourites file stopping no other load.
TEST(OptionsWindow, TheSettingsTheLanguageAndTheTablesLoadedAtStart) {
    TestProgramFolder folder; // its settings written before the window starts
    std::unique_ptr<TFOptions> window;
    auto Write = [&](const QString& rel, const QByteArray& bytes) { WriteFile(folder.File(rel), bytes); };
    auto Read = [&](const QString& rel) { return ReadFile(folder.File(rel)); };
    auto Start = [&]() -> TFOptions& { // as the program starts: the settings, then the window's loads
        window.reset();
        folder.OpenSettings();
        window = std::make_unique<TFOptions>();
        return *window;
    };
    Write("Velkaro.ini",
          "[Opciones]\r\nUsuario=alice\r\nUsuarioID=77\r\nTeam=Club Nord\r\nTeamID=123\r\n"
          "Pais=Sverige\r\nMoneda=SEK\r\nLigaID=456\r\nLigaNombre=II.3\r\n"
          "LabelInicioFecha=2010-05-01\r\nLabelInicioTemporada=41\r\nLabelInicioSemana=07\r\n"
          "Idioma=7\r\nLanguage=Deutsch\r\nLanguageOld=Deutsch\r\nSonidos=0\r\nSonidosTarjeta=0\r\n"
          "DuracionSonidosLesion=2500\r\nDuracionSonidosMiGol=x\r\n");
    Write("language/Deutsch.lng", QString("[General]\r\nLabelUser=Benutzer:\r\nLabelTeam=Mannschaft\r\n"
                                          "LabelAll=Alle\r\n[options]\r\nsounds=Töne\r\n")
                                      .toUtf8());
    const QByteArray before = Read("Velkaro.ini");
    TFOptions& w = Start();
    QStringList shown;
    for (QLineEdit* e : {w.EditUsuario, w.EditUsuarioID, w.EditTeam, w.EditTeamID, w.EditPais, w.EditMoneda,
                         w.EditLigaID, w.EditLigaNombre})
        shown << e->text();
    for (QLabel* l : {w.LabelInicioFecha, w.LabelInicioTemporada, w.LabelInicioSemana})
        shown << l->text();
    EXPECT_EQ(shown.join('|'), "alice|77|Club Nord|123|Sverige|SEK|456|II.3|2010-05-01|41|07");
    EXPECT_EQ(w.ComboBoxIdioma->currentText(), "Deutsch");
    EXPECT_FALSE(w.CheckBoxSonidos->isChecked());
    for (QCheckBox* box : w.CheckBoxSonidosKind) // the master switch is off
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    EXPECT_TRUE(!w.CheckBoxSonidosTarjeta->isChecked() && w.CheckBoxSonidosMiGol->isChecked());
    EXPECT_TRUE(w.SpinEditLesion->value() == 2500 && w.SpinEditMiGol->value() == 1500); // "x": the default
    EXPECT_EQ(LoadingOptions, 0);
    EXPECT_EQ(Read("Velkaro.ini"), before); // loading ran the check boxes' handler without writing
    const QStringList captions = ShownTexts(&w);
    for (const char* text : {"Benutzer:", "Mannschaft:", "Töne ", "TeamID:", "(miliseconds)",
                             "Recorded list ", "Match ends", "Current data"})
        EXPECT_TRUE(captions.contains(text)) << text;
    EXPECT_EQ(w.LabelFavoritosEquipo->text() + w.ListBoxFavoritosGrupo->item(0)->text(), "Mannschaft:[Alle]");
    EXPECT_EQ(RowCells(w.BKStringGridListaGrabada(), 0, {0, 1}), "Mannschaft|TeamID");
    EXPECT_EQ(w.EditSonidoMiGol->text(), folder.File("sounds/GoalMine.wav")); // the shipped table is empty
    EXPECT_EQ(w.BKStringGridSonidos().Cells(0, SoundRow::SoundContraGol),
              folder.File("sounds/GoalAgainst.wav"));
    EXPECT_FALSE(w.Datos().EventoClase("100").isEmpty()); // the shipped events data
    // Settings without their options section give the defaults.
    Write("Velkaro.ini", "[Version]\r\nVersion=0126700\r\n");
    TFOptions& d = Start();
    EXPECT_EQ(d.EditUsuario->text() + d.EditTeamID->text() + d.EditLigaNombre->text(), "");
    EXPECT_EQ(d.LabelInicioSemana->text(), "00");
    EXPECT_EQ(d.ComboBoxIdioma->currentIndex(), 0);
    EXPECT_TRUE(d.CheckBoxSonidos->isChecked());
    for (int k = 0; k < SoundKind::Count; ++k)
        EXPECT_TRUE(d.CheckBoxSonidosKind[k]->isChecked() && d.CheckBoxSonidosKind[k]->isEnabled() &&
                    d.SpinEdit[k]->value() == 1500)
            << k;
    // Seven cell lines do not fill whole rows of three: the favourites load fails.
    Write("data/Favourites.dat", TableFile({"G", "Club", "1", "H", "Other", "2", "X"}));
    QStringList sounds;
    for (int r = 0; r < SoundRow::Count; ++r)
        sounds << (r < SoundRow::Kinds ? QString("/snd/%1.wav").arg(r) : QString());
    Write("data/Sounds.dat", TableFile(sounds));
    const QByteArray soundsFile = Read("data/Sounds.dat");
    TFOptions& bad = Start();
    EXPECT_EQ(bad.EditSonidoMiGol->text() + "|" + bad.EditSonidoContraGol->text(), "/snd/0.wav|/snd/7.wav");
    EXPECT_FALSE(bad.Datos().EventoClase("100").isEmpty());
    EXPECT_EQ(bad.BKStringGridListaGrabada().RowCount(), 11);
    EXPECT_EQ(bad.GroupBoxSonidos->title(), "Sounds "); // the texts and the group lists were still set
    EXPECT_EQ(bad.ListBoxFavoritosGrupo->item(0)->text(), "[All]");
    bad.GuardarDatos(); // saving writes back what was loaded
    EXPECT_EQ(Read("data/Sounds.dat"), soundsFile);
}

// The favourites and the recorded list as loaded at start, then changed on the page.
TEST(Favourites, GroupsDeleteTheAddButtonsRuleAndTheRecordedList) {
    TestProgram p;
    WriteFile(p.Folder.File("data/Favourites.dat"),
              TableFile({"Zeta", "Zeta FC", "30", "alpha", "Twenty", "20", "2020", "Twenty", "21", "alpha",
                         "Ajax", "20", "B", "No ID", "", "", "", ""}));
    QStringList recorded{"Team", "TeamID", "", "", "", "Twenty", "21"};
    while (recorded.size() < 55)
        recorded << "";
    WriteFile(p.Folder.File("data/RecordedList.dat"), TableFile(recorded));
    delete FOptions;
    FOptions = new TFOptions();
    TFOptions& o = *FOptions;
    EXPECT_EQ(Entries(o.ListBoxFavoritosGrupo), QStringList({"[All]", "2020", "alpha", "B", "Zeta"}));
    EXPECT_EQ(Entries(o.ComboBoxFavoritosGrupoAnadir), Entries(o.ListBoxFavoritosGrupo));
    EXPECT_EQ(Entries(o.ListBoxFavoritosEquipo),
              QStringList({"Ajax", "No ID", "Twenty", "Twenty", "Zeta FC"}));
    o.ListBoxFavoritosGrupo->setCurrentRow(4); // choosing a group (as a click does) lists its teams only
    EXPECT_EQ(Entries(o.ListBoxFavoritosEquipo) + QStringList{o.EditFavoritosTeamID->text()},
              QStringList({"Zeta FC", "30"}));
    o.ListBoxFavoritosGrupo->setCurrentRow(0);
    // The recorded list: its first entry not in a slot is chosen, the selected row 1 is in use.
    EXPECT_TRUE(o.ComboBoxListaGrabada->currentIndex() == 0 && o.BKStringGridListaGrabada().Row() == 1);
    EXPECT_FALSE(o.BitBtnListaAnadir->isEnabled() || o.BitBtnListaBorrar->isEnabled());
    // "Twenty" shows the ID of its first row; the delete removes the first row with that ID only.
    o.ListBoxFavoritosEquipo->setCurrentItem(
        o.ListBoxFavoritosEquipo->findItems("Twenty", Qt::MatchExactly).first());
    EXPECT_EQ(o.EditFavoritosTeamID->text(), "20");
    o.ButtonFavoritosBorrar->click();
    EXPECT_EQ(Rows(o.BKStringGridFavoritos(), 3),
              QStringList({"Zeta|Zeta FC|30", "2020|Twenty|21", "alpha|Ajax|20", "B|No ID|", "||"}));
    EXPECT_FALSE(ReadFile(p.Folder.File("data/Favourites.dat")).contains("alpha\r\nTwenty"));
    // Digits only: typed letters never arrive, and a text set otherwise keeps the button off.
    QLineEdit* id = o.EditFavoritosEquipoAnadir;
    QTest::keyClicks(id, "1a2-3");
    EXPECT_TRUE(id->text() == "123" && o.ButtonFavoritosAnadir->isEnabled());
    for (const char* text : {"", " 12", "1a", "$1F", "-3", "99999999999"}) {
        id->setText(text);
        EXPECT_FALSE(o.ButtonFavoritosAnadir->isEnabled()) << text;
    }
    // The recorded list: the chooser holds the favourites with an ID, as they were at creation.
    EXPECT_EQ(Entries(o.ComboBoxListaGrabada), QStringList({"Ajax", "Twenty", "Twenty", "Zeta FC"}));
    auto choose = [&o](const QString& team) {
        o.ComboBoxListaGrabada->setCurrentIndex(o.ComboBoxListaGrabada->findText(team));
    };
    SelectRecordedRow(2);
    choose("Ajax");
    EXPECT_TRUE(o.BitBtnListaAnadir->isEnabled() && !o.BitBtnListaBorrar->isEnabled());
    o.BitBtnListaAnadir->click();
    SelectRecordedRow(3);
    choose("Zeta FC");
    o.BitBtnListaAnadir->click();
    EXPECT_EQ(Rows(o.BKStringGridListaGrabada(), 2).mid(1, 3),
              QStringList({"Twenty|21", "Ajax|20", "Zeta FC|30"}));
    // A row in use: a click on it, or a move to it with the keys, chooses its team, which can only be
    // cleared.
    SelectRecordedRow(1);
    QTest::keyClick(o.ViewListaGrabada, Qt::Key_Down);
    EXPECT_EQ(o.ComboBoxListaGrabada->currentText(), "Ajax");
    EXPECT_FALSE(o.BitBtnListaAnadir->isEnabled());
    // Clearing finds the row by the team's name, not by the selection; the row stays, free.
    choose("Zeta FC");
    o.BitBtnListaBorrar->click();
    EXPECT_EQ(Rows(o.BKStringGridListaGrabada(), 2).mid(1, 3), QStringList({"Twenty|21", "Ajax|20", "|"}));
    EXPECT_FALSE(o.BitBtnListaAnadir->isEnabled()); // the selected row 2 is in use
    DataStore saved;                                // the file holds what the page shows
    ASSERT_TRUE(saved.LoadRecordedList(AppDir));
    EXPECT_EQ(Rows(saved.BKStringGridListaGrabada, 2), Rows(o.BKStringGridListaGrabada(), 2));
}

// Not connected, the add-favourite dialog logs in first; an unknown team keeps the dialog open.
TEST(Favourites, AddWhileConnectedAndThroughTheDialog) {
    TestProgram p(TestProgram::Served());
    Login();
    Connected = 1;
    AddFavourite("Rivals", "250104");
    EXPECT_EQ(LastBox(p), "Done.  Castlebridge United");
    EXPECT_EQ(Rows(FOptions->BKStringGridFavoritos(), 3).first(), "Rivals|Castlebridge United|250104");
    EXPECT_TRUE(ReadFile(p.Folder.File("data/Favourites.dat")).contains("Castlebridge United"));
    // A team the service does not know: its error document adds nothing and shows nothing.
    const qsizetype boxes = p.Boxes.Boxes.size();
    AddFavourite("Rivals", "999999");
    EXPECT_TRUE(FOptions->BKStringGridFavoritos().RowCount() == 2 && p.Boxes.Boxes.size() == boxes);
    FPartidos->EditUsuario->setText("demo");
    Connected = 0;
    ModalDialog::SetRunner([&](QDialog& d) {
        auto& dialog = dynamic_cast<TFBajarAccesorio&>(d);
        EXPECT_TRUE(dialog.EditUsuario->text() == "demo" &&
                    !dialog.BitBtnConectar->isEnabled()); // no code yet
        dialog.EditPassword->setText("wrong");
        dialog.BitBtnConectar->click();
        EXPECT_TRUE(LastBox(p).startsWith("Could not log in")) << LastBox(p).toStdString();
        EXPECT_FALSE(ServiceRequests(p).last().contains("logout")); // no logout after a refused login
        dialog.EditPassword->setText("velkaro");
        dialog.BitBtnConectar->click();
        return dialog.result();
    });
    AddFavourite("Scouts", "260201");
    EXPECT_EQ(LastBox(p), "Done.  Scout IF");
    EXPECT_EQ(Rows(FOptions->BKStringGridFavoritos(), 3).at(1), "Scouts|Scout IF|260201");
    EXPECT_EQ(FPartidos->EditPassword->text(), ""); // what was typed there stays there
    ModalDialog::SetRunner([&](QDialog& d) {
        auto& dialog = dynamic_cast<TFBajarAccesorio&>(d);
        dialog.EditPassword->setText("velkaro");
        dialog.BitBtnConectar->click();
        EXPECT_EQ(dialog.result(), 0);
        EXPECT_TRUE(LastBox(p).endsWith(" Unknown team")) << LastBox(p).toStdString();
        EXPECT_TRUE(BajarResultado.TeamID.isEmpty()); // not the previous team's
        dialog.BitBtn2->click();
        return dialog.result();
    });
    AddFavourite("Scouts", "999999");
    ModalDialog::SetRunner({});
    EXPECT_EQ(FOptions->BKStringGridFavoritos().RowCount(), 3);
}

// Which row an event sounds; each sound for its row's duration, then closed; unplayable or unheard ones
// are closed at once and nobody waits.
TEST(Sounds, EachEventSoundsItsRowForTheRowsDurationOrNotAtAll) {
    TestProgram p;
    TFOptions& w = *FOptions;
    MediaPlayerRecorder& player = p.Sounds;
    w.EditTeamID->setText("250101");
    w.EditTeamIDJuveniles->setText("250102");
    for (int k = 0; k < SoundKind::Count; ++k) // every row a distinct duration: a sleep tells the row
        w.SpinEdit[k]->setValue(1000 + 100 * k);
    // Each case: category, event key, sound team, the file of the row that sounds (none: silent). Codes
    // are texts: "2" is no category, nor "00".
    const QString table =
        "0|10_|250101|GoalMine;0|10_|250102|GoalMine;0|10_|ContraGol|GoalAgainst;0|10_|777|Goal;"
        "0|10_||Goal;1|20_|777|Chance;21|91_|777|Injury;30|510|777|Card;32|512|777|Card;"
        "5|30_||MatchStart;5|33_x||MatchStart;5|599_||MatchEnd;5|3_||;5|34_||;4|30_|250101|;"
        "|599|250101|;2|||;00||250101|;test|EditSonidoMiGol||";
    for (const QString& row : table.split(';')) {
        const QStringList c = row.split('|');
        const auto chosen = w.ElegirSonido(c[0], c[1], c[2], 1500);
        EXPECT_EQ(chosen.FileName, c[3].isEmpty() ? "" : p.Folder.File("sounds/" + c[3] + ".wav"))
            << row.toStdString();
        // A row chosen plays for its own duration, not the caller's.
        EXPECT_TRUE(chosen.Kind < 0 || (chosen.Play && chosen.Duration == 1000 + 100 * chosen.Kind))
            << row.toStdString();
    }
    // A test plays the given file for its row's duration, whatever the row's switch says; an unknown
    // edit name plays for the duration passed.
    const auto test = w.ElegirSonido("Test", "EditSonidoContraGol", "/tmp/x.wav", 1500);
    EXPECT_EQ(test.FileName + "|" + QString::number(test.Duration), "/tmp/x.wav|1100");
    EXPECT_TRUE(test.Play);
    EXPECT_EQ(w.ElegirSonido("Test", "EditSomething", "/tmp/y.wav", 1500).Duration, 1500);
    w.EjecutarSonido("0", "10_", "250101", 1500);
    EXPECT_FALSE(player.IsOpen());
    w.EjecutarSonido("30", "510", "777", 1500);
    w.EjecutarSonido("5", "599", "", 1500);
    w.EjecutarSonido("4", "350", "777", 1500); // a team event: silent
    EXPECT_EQ(PlayedNames(player), QStringList({"GoalMine.wav", "Card.wav", "MatchEnd.wav"}));
    EXPECT_EQ(p.Boxes.Sleeps, QVector<int>({1000, 1600, 1500}));
    w.EditSonidoOcasion->setText(p.Folder.File("sounds/Missing.wav")); // a missing file: silent
    w.EjecutarSonido("1", "20_", "777", 1500);
    w.CheckBoxSonidosLesion->setChecked(false); // a row switched off: silent
    w.EjecutarSonido("20", "90_", "777", 1500);
    w.CheckBoxSonidos->setChecked(false); // the master switch off: only the test buttons sound
    w.EjecutarSonido("0", "10_", "250101", 1500);
    EXPECT_EQ(player.Played().size(), 3);
    w.SpeedTest1Click(w.SpeedTest[6]); // the injury row, switched off above
    EXPECT_EQ(player.Played().last(), p.Folder.File("sounds/Injury.wav"));
    EXPECT_EQ(p.Boxes.Sleeps.last(), 1000 + 100 * SoundKind::Lesion);
    w.SpeedTest1Click(w.CheckBoxSonidos); // not a test button: nothing
    EXPECT_EQ(player.Played().size(), 4);
    w.CheckBoxSonidos->setChecked(true);
    player.Calls.clear();
    p.Boxes.Sleeps.clear();
    player.Unplayable << w.EditSonidoTarjeta->text();
    w.EjecutarSonido("30", "510", "777", 1500);
    EXPECT_TRUE(player.Played() == QStringList({w.EditSonidoTarjeta->text()}) && !player.IsOpen());
    player.AudioOutput = false; // tried, closed at once, nobody waits
    w.EjecutarSonido("0", "10_", "250101", 1500);
    w.SpeedTest1Click(w.SpeedTest[0]);
    EXPECT_EQ(player.Played().size(), 3);
    EXPECT_TRUE(!player.IsOpen() && p.Boxes.Sleeps.isEmpty());
    player.AudioOutput = true; // a sound that plays still holds the window for its row's duration
    w.EjecutarSonido("0", "10_", "250101", 1500);
    EXPECT_EQ(p.Boxes.Sleeps, QVector<int>({1000}));
    int sleeps = 0;
    Dialogs::SetSleepHook([&](int) { // a test clicked while a sound plays does not cut it short
        ++sleeps;
        w.SpeedTest1Click(w.SpeedTest[1]);
        EXPECT_TRUE(player.IsOpen());
    });
    player.Calls.clear();
    w.EjecutarSonido("0", "10_", "ContraGol", 1500);
    Dialogs::SetSleepHook([&p](int ms) { p.Boxes.Sleeps << ms; });
    EXPECT_TRUE(sleeps == 1 && !player.IsOpen());
    EXPECT_EQ(PlayedNames(player), QStringList({"GoalAgainst.wav"}));
    w.SpeedTest1Click(w.SpeedTest[1]); // once it is over, a test plays again
    EXPECT_EQ(player.Played().size(), 2);
    w.EditTeamIDJuveniles->clear(); // an empty sound team matches an empty youth-team ID: the user's goal
    EXPECT_EQ(w.ElegirSonido("0", "", "", 1500).Kind, SoundKind::MiGol);
}

TEST(Sounds, TheSwitchesAndTheFilesInTheSettings) {
    TestProgram p;
    TFOptions& w = *FOptions;
    const QString ini = p.Folder.File("Velkaro.ini");
    w.CheckBoxSonidosTarjeta->setChecked(false); // one switch writes them all
    const QByteArray written = ReadFile(ini).replace("\r\n", "\n");
    for (const char* line :
         {"Sonidos=1", "SonidosMiGol=1", "SonidosContraGol=1", "SonidosOtroGol=1", "SonidosOcasion=1",
          "SonidosInicioPartido=1", "SonidosFinPartido=1", "SonidosTarjeta=0", "SonidosLesion=1"})
        EXPECT_TRUE(written.contains(QByteArray(line) + "\n")) << line;
    // The master switch enables and disables the eight rows.
    w.CheckBoxSonidos->setChecked(false);
    for (QCheckBox* box : w.CheckBoxSonidosKind)
        EXPECT_FALSE(box->isEnabled());
    EXPECT_TRUE(ReadFile(ini).contains("Sonidos=0"));
    w.CheckBoxSonidos->setChecked(true);
    EXPECT_TRUE(w.CheckBoxSonidosLesion->isEnabled());
    // While the window loads nothing is written, but the master switch still rules the rows.
    const QByteArray before = ReadFile(ini);
    LoadingOptions = 1;
    w.CheckBoxSonidosLesion->setChecked(false);
    w.CheckBoxSonidos->setChecked(false);
    w.SpinEditLesion->setValue(2500);
    LoadingOptions = 0;
    EXPECT_EQ(ReadFile(ini), before);
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "SonidosLesion", "?") +
                  SettingsIni->ReadString("Opciones", "DuracionSonidosLesion", "0"),
              "10");
    EXPECT_FALSE(w.CheckBoxSonidosMiGol->isEnabled());
    // A duration is kept in memory for all eight rows; the file follows with the next write.
    w.SpinEditOcasion->setValue(4000);
    EXPECT_EQ(SettingsIni->ReadInteger("Opciones", "DuracionSonidosOcasion", 0), 4000);
    EXPECT_EQ(SettingsIni->ReadInteger("Opciones", "DuracionSonidosLesion", 0), 2500);
    EXPECT_EQ(ReadFile(ini), before);
    w.CheckBoxSonidos->setChecked(true);
    EXPECT_TRUE(ReadFile(ini).contains("DuracionSonidosOcasion=4000"));
    // A chosen file goes into the sound table; a cancelled dialog changes nothing.
    QString answer = "/home/ana/sounds/gol.mp3";
    w.OpenDialog1 = [&](const QString&, const QString&) { return answer; };
    w.SpeedSonido1Click(w.SpeedSonido[7]); // the goal-against row
    EXPECT_EQ(w.EditSonidoContraGol->text(), "/home/ana/sounds/gol.mp3");
    EXPECT_TRUE(ReadFile(p.Folder.File("data/Sounds.dat")).contains("/home/ana/sounds/gol.mp3"));
    const QString ocasion = w.EditSonidoOcasion->text();
    const QByteArray table = ReadFile(p.Folder.File("data/Sounds.dat"));
    answer.clear();
    w.SpeedSonido1Click(w.SpeedSonido[2]);
    EXPECT_EQ(w.EditSonidoOcasion->text(), ocasion);
    EXPECT_EQ(ReadFile(p.Folder.File("data/Sounds.dat")), table);
}

// Only a valid new language with its file is stored (by the index of its name) and shuts down.
TEST(Language, AChangeStoresTheValidatedChoiceAndShutsDown) {
    TestProgram p;
    TFOptions& w = *FOptions;
    const QString ini = p.Folder.File("Velkaro.ini");
    WriteFile(p.Folder.File("language/Norsk.lng"),
              "[Options]\r\nMessageLanguageChange1=Start programmet på nytt.\r\n");
    WriteFile(p.Folder.File("language/Dansk.lng"), "[Options]\r\nSounds=Lyde\r\n");
    QFile::remove(p.Folder.File("language/Deutsch.lng"));
    int shutdowns = 0;
    w.LanguageChangeShutdown = [&] { ++shutdowns; };
    auto type = [&w](int index, const QString& text) {
        const QSignalBlocker blocker(w.ComboBoxIdioma);
        w.ComboBoxIdioma->setCurrentIndex(index);
        w.ComboBoxIdioma->setEditText(text);
    };
    // Code setting the combo changes nothing; an index outside the list (migrations give 30) shows English.
    for (const auto& [index, shown] : {std::pair{19, "Norsk"}, {30, "English"}, {-1, "English"}}) {
        SettingsIni->WriteInteger("Opciones", "Idioma", index);
        w.LeerIni();
        EXPECT_EQ(w.ComboBoxIdioma->currentText(), shown) << index;
    }
    w.ComboBoxIdioma->setCurrentIndex(19);
    w.ComboBoxIdioma->setEditable(true);
    type(9, "English");
    const QByteArray before = ReadFile(ini);
    emit w.ComboBoxIdioma->activated(9); // the current language again
    EXPECT_TRUE(p.Boxes.Boxes.isEmpty() && shutdowns == 0);
    type(9, "Xyz");
    w.ComboBoxIdiomaChange();
    EXPECT_EQ(BoxTexts(p), QStringList{"\"Xyz\" is not a language of the list. Choose one of the list."});
    type(7, "Deutsch"); // its file is missing: refused in the current language
    emit w.ComboBoxIdioma->activated(7);
    EXPECT_TRUE(LastBox(p).startsWith("The file of this language is missing, so Velkaro keeps"));
    EXPECT_TRUE(LastBox(p).endsWith(QDir::toNativeSeparators(p.Folder.File("language/Deutsch.lng"))));
    EXPECT_TRUE(w.ComboBoxIdioma->currentText() == "English" && shutdowns == 0);
    EXPECT_EQ(ReadFile(ini), before);
    type(3, "Norsk"); // typed over another entry: the index of the name
    w.ComboBoxIdiomaChange();
    EXPECT_TRUE(LastBox(p) == "Start programmet på nytt." && shutdowns == 1) << LastBox(p).toStdString();
    for (const char* line : {"Language=Norsk", "LanguageOld=English", "Idioma=19"})
        EXPECT_TRUE(ReadFile(ini).contains(line)) << line;
    type(6, "Dansk"); // a file without the notice: the current language's
    emit w.ComboBoxIdioma->activated(6);
    EXPECT_TRUE(LastBox(p) == "Velkaro now closes and starts again in the language you chose." &&
                shutdowns == 2);
    EXPECT_TRUE(ReadFile(ini).contains("Language=Dansk"));
}

// The real player plays a shipped sound to its end, with or without an audio device.
TEST(Sounds, SmokeTheRealPlayerPlaysAShippedSoundToItsEnd) {
    MediaPlayer player;
    if (!player.Open(VELKARO_RESOURCES_DIR "/sounds/Card.wav"))
        GTEST_SKIP() << "no media back end could be created";
    const bool heard = player.Play();
    EXPECT_TRUE(MediaPlayer::HasAudioOutput() || !heard); // unheard: it plays on, but nobody waits
    // Bounded: a 0.45 s sound ends well within five seconds.
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.Finished() || !player.ErrorText().isEmpty(); }, 5000));
    EXPECT_TRUE(player.Finished()) << player.ErrorText().toStdString();
    player.Close();
    EXPECT_FALSE(player.Playing());
    EXPECT_FALSE(player.Open(VELKARO_RESOURCES_DIR "/sounds/Missing.wav"));
}
