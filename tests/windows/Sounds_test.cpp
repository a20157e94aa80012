// The options window's sound player, its sound page and the language change: which sound an event
// plays and for how long (through the recording player and the recorded sleeps), the switches in the
// settings file, and one real playback through the platform's media player.
#include "core/Settings.h"
#include "platform/MediaPlayer.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

// Every row a distinct duration, so that a recorded sleep tells which row sounded.
void SetUpRows(TFOptions& w) {
    w.EditTeamID->setText("250101");
    w.EditTeamIDJuveniles->setText("250102");
    for (int k = 0; k < SoundKind::Count; ++k)
        w.SpinEdit[k]->setValue(1000 + 100 * k);
}

struct Case {
    const char* kind;
    const char* key;
    const char* third;
    int expected; // SoundKind, or -1: silent
};

TEST(Sounds, DecisionTableOverEveryCategory) {
    TestProgram p;
    TFOptions& w = *FOptions;
    SetUpRows(w);
    const Case cases[] = {
        {"0", "10_", "250101", SoundKind::MiGol},        // the user's team
        {"0", "10_", "250102", SoundKind::MiGol},        // the user's youth team
        {"0", "10_", "ContraGol", SoundKind::ContraGol}, // against the user's team
        {"0", "10_", "777", SoundKind::OtroGol},
        {"0", "10_", "", SoundKind::OtroGol},
        {"1", "20_", "777", SoundKind::Ocasion},
        {"21", "91_", "777", SoundKind::Lesion},
        {"30", "510", "777", SoundKind::Tarjeta},
        {"32", "512", "777", SoundKind::Tarjeta},
        {"5", "30_", "", SoundKind::InicioPartido},
        {"5", "33_x", "", SoundKind::InicioPartido},
        {"5", "599_", "", SoundKind::FinPartido},
        {"5", "3_", "", -1},
        {"5", "34_", "", -1},
        {"4", "30_", "250101", -1},
        {"", "599", "250101", -1},
        {"2", "", "", -1}, // codes are texts: "2" is no category, nor "00"
        {"00", "", "250101", -1},
        {"test", "EditSonidoMiGol", "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " / " + c.key + " / " + c.third);
        const auto chosen = w.ElegirSonido(c.kind, c.key, c.third, 1500);
        EXPECT_EQ(chosen.Kind, c.expected);
        if (c.expected < 0) {
            EXPECT_TRUE(chosen.FileName.isEmpty());
            continue;
        }
        EXPECT_EQ(chosen.FileName, w.EditSonido[c.expected]->text());
        EXPECT_EQ(chosen.Duration, 1000 + 100 * c.expected); // the row's duration, not the caller's
        EXPECT_TRUE(chosen.Play);
    }

    // A row switched off does not play; its own switch only.
    w.CheckBoxSonidosContraGol->setChecked(false);
    EXPECT_FALSE(w.ElegirSonido("0", "", "ContraGol", 1500).Play);
    EXPECT_TRUE(w.ElegirSonido("0", "", "250101", 1500).Play);

    // An empty sound team matches an empty youth-team ID: the user's goal.
    w.EditTeamIDJuveniles->clear();
    EXPECT_EQ(w.ElegirSonido("0", "", "", 1500).Kind, SoundKind::MiGol);

    // A test plays the given file for its row's duration, whatever the row's switch says; an
    // unknown edit name plays for the duration passed.
    const auto test = w.ElegirSonido("Test", "EditSonidoContraGol", "/tmp/x.wav", 1500);
    EXPECT_EQ(test.FileName, "/tmp/x.wav");
    EXPECT_EQ(test.Duration, 1100);
    EXPECT_TRUE(test.Play);
    EXPECT_EQ(w.ElegirSonido("Test", "EditSomething", "/tmp/y.wav", 1500).Duration, 1500);
}

TEST(Sounds, EventsPlayTheirFileForTheRowsDuration) {
    TestProgram p;
    TFOptions& w = *FOptions;
    SetUpRows(w);
    MediaPlayerRecorder player;

    // A burst plays one sound after the other, each for its own row's duration, closed after it.
    w.EjecutarSonido("0", "10_", "250101", 1500);
    EXPECT_FALSE(player.IsOpen());
    const QString mine = p.Folder.File("sounds/GoalMine.wav");
    w.EjecutarSonido("30", "510", "777", 1500);
    w.EjecutarSonido("5", "599", "", 1500);
    w.EjecutarSonido("4", "350", "777", 1500); // team events are silent
    EXPECT_EQ(player.Played(),
              QStringList({mine, p.Folder.File("sounds/Card.wav"), p.Folder.File("sounds/MatchEnd.wav")}));
    EXPECT_EQ(p.Boxes.Sleeps, QVector<int>({1000, 1600, 1500}));

    // A missing file and a switched-off row are silent.
    w.EditSonidoOcasion->setText(p.Folder.File("sounds/Missing.wav"));
    w.EjecutarSonido("1", "20_", "777", 1500);
    w.CheckBoxSonidosLesion->setChecked(false);
    w.EjecutarSonido("20", "90_", "777", 1500);
    EXPECT_EQ(player.Played().size(), 3);

    // Master switch off: events never sound, test buttons still do (SpeedTest7 is the injury row,
    // switched off above).
    w.CheckBoxSonidos->setChecked(false);
    w.EjecutarSonido("0", "10_", "250101", 1500);
    EXPECT_EQ(player.Played().size(), 3);
    w.SpeedTest1Click(w.SpeedTest[6]);
    EXPECT_EQ(player.Played().last(), p.Folder.File("sounds/Injury.wav"));
    EXPECT_EQ(p.Boxes.Sleeps.last(), 1000 + 100 * SoundKind::Lesion);
    const int played = player.Played().size();
    w.SpeedTest1Click(w.CheckBoxSonidos); // not a test button: nothing
    EXPECT_EQ(player.Played().size(), played);
}

// The wait belongs to a sound that plays: without an audio output, or with a file the player cannot
// play, the sound is tried, closed at once and nobody waits.
TEST(Sounds, NothingWaitsForASoundThatCannotBeHeard) {
    TestProgram p;
    TFOptions& w = *FOptions;
    SetUpRows(w);
    MediaPlayerRecorder player;
    player.Unplayable << w.EditSonidoTarjeta->text();
    w.EjecutarSonido("30", "510", "777", 1500);
    EXPECT_EQ(player.Played(), QStringList({w.EditSonidoTarjeta->text()}));
    EXPECT_FALSE(player.IsOpen());
    EXPECT_TRUE(p.Boxes.Sleeps.isEmpty());

    player.AudioOutput = false;
    w.EjecutarSonido("0", "10_", "250101", 1500);
    w.SpeedTest1Click(w.SpeedTest[0]);
    EXPECT_EQ(player.Played().size(), 3);
    EXPECT_FALSE(player.IsOpen());
    EXPECT_TRUE(p.Boxes.Sleeps.isEmpty());

    // A sound that plays still holds the window for its row's duration.
    player.AudioOutput = true;
    w.EjecutarSonido("0", "10_", "250101", 1500);
    EXPECT_EQ(p.Boxes.Sleeps, QVector<int>({1000}));
}

TEST(Sounds, ATestClickedWhileASoundPlaysDoesNotCutItShort) {
    TestProgram p;
    TFOptions& w = *FOptions;
    MediaPlayerRecorder player;
    int sleeps = 0;
    // The click arrives while the window processes messages during the sound.
    Dialogs::SetSleepHook([&](int) {
        ++sleeps;
        w.SpeedTest1Click(w.SpeedTest[1]);
        EXPECT_TRUE(player.IsOpen());
    });
    w.EjecutarSonido("0", "10_", "ContraGol", 1500);
    EXPECT_EQ(sleeps, 1);
    EXPECT_EQ(player.Played(), QStringList({p.Folder.File("sounds/GoalAgainst.wav")}));
    EXPECT_FALSE(player.IsOpen());
    // Once it is over, a test plays again.
    w.SpeedTest1Click(w.SpeedTest[1]);
    EXPECT_EQ(player.Played().size(), 2);
}

TEST(Sounds, CheckBoxesWriteAllNineSwitchesToTheFile) {
    TestProgram p;
    TFOptions& w = *FOptions;
    const QString ini = p.Folder.File("Velkaro.ini");

    w.CheckBoxSonidosTarjeta->setChecked(false);
    const QByteArray written = ReadFile(ini);
    for (const char* line :
         {"Sonidos=1", "SonidosMiGol=1", "SonidosContraGol=1", "SonidosOtroGol=1", "SonidosOcasion=1",
          "SonidosInicioPartido=1", "SonidosFinPartido=1", "SonidosTarjeta=0", "SonidosLesion=1"})
        EXPECT_TRUE(written.contains(QByteArray(line) + "\r\n") || written.contains(QByteArray(line) + "\n"))
            << line;

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
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "SonidosLesion", "?"), "1");
    EXPECT_EQ(SettingsIni->ReadInteger("Opciones", "DuracionSonidosLesion", 0), 0);
    EXPECT_FALSE(w.CheckBoxSonidosMiGol->isEnabled());

    // A duration is kept in memory for all eight rows; the file follows with the next write.
    w.SpinEditOcasion->setValue(4000);
    EXPECT_EQ(SettingsIni->ReadInteger("Opciones", "DuracionSonidosOcasion", 0), 4000);
    EXPECT_EQ(SettingsIni->ReadInteger("Opciones", "DuracionSonidosLesion", 0), 2500);
    EXPECT_EQ(ReadFile(ini), before);
    w.CheckBoxSonidos->setChecked(true);
    EXPECT_TRUE(ReadFile(ini).contains("DuracionSonidosOcasion=4000"));
}

TEST(Sounds, ChoosingAFileStoresItInTheSoundTable) {
    TestProgram p;
    TFOptions& w = *FOptions;
    QString title, filter;
    QString answer = "/home/ana/sounds/gol.mp3";
    w.OpenDialog1 = [&](const QString& t, const QString& f) {
        title = t;
        filter = f;
        return answer;
    };

    w.SpeedSonido1Click(w.SpeedSonido[7]); // SpeedSonido8: the goal-against row
    EXPECT_EQ(w.EditSonidoContraGol->text(), "/home/ana/sounds/gol.mp3");
    EXPECT_EQ(title, LangText("Options", "Sounds", ""));
    EXPECT_EQ(filter, "Wav files (*.wav);;Mp3 files (*.mp3)");
    EXPECT_TRUE(ReadFile(p.Folder.File("data/Sounds.dat")).contains("/home/ana/sounds/gol.mp3"));

    // Any other sender chooses for the user's goal row; a cancelled dialog changes nothing.
    answer = "/snd/mine.wav";
    w.SpeedSonido1Click(nullptr);
    EXPECT_EQ(w.EditSonidoMiGol->text(), "/snd/mine.wav");
    const QString ocasion = w.EditSonidoOcasion->text();
    const QByteArray table = ReadFile(p.Folder.File("data/Sounds.dat"));
    answer.clear();
    w.SpeedSonido1Click(w.SpeedSonido[2]);
    EXPECT_EQ(w.EditSonidoOcasion->text(), ocasion);
    EXPECT_EQ(ReadFile(p.Folder.File("data/Sounds.dat")), table);
}

// The language combo: the current language again and a typed name not in the list change nothing; a
// name typed over another entry stores the index of the name, shows the new language's notice and
// shuts the program down.
TEST(Sounds, LanguageChangeStoresTheValidatedChoiceAndShutsDown) {
    TestProgram p;
    TFOptions& w = *FOptions;
    const QString ini = p.Folder.File("Velkaro.ini");
    WriteFile(p.Folder.File("language/Norsk.lng"),
              "[Options]\r\nMessageLanguageChange1=Start programmet på nytt.\r\n");
    int shutdowns = 0;
    w.LanguageChangeShutdown = [&] { ++shutdowns; };
    auto type = [&w](int index, const QString& text) {
        const QSignalBlocker blocker(w.ComboBoxIdioma);
        w.ComboBoxIdioma->setCurrentIndex(index);
        w.ComboBoxIdioma->setEditText(text);
    };
    w.ComboBoxIdioma->setEditable(true);

    const QByteArray before = ReadFile(ini);
    emit w.ComboBoxIdioma->activated(9);
    EXPECT_TRUE(p.Boxes.Boxes.isEmpty());
    type(9, "Xyz");
    w.ComboBoxIdiomaChange();
    ASSERT_EQ(p.Boxes.Boxes.size(), 1);
    EXPECT_EQ(p.Boxes.Boxes[0].text, "\"Xyz\" is not a language of the list. Choose one of the list.");
    EXPECT_EQ(shutdowns, 0);
    EXPECT_EQ(ReadFile(ini), before);

    type(3, "Norsk");
    w.ComboBoxIdiomaChange();
    ASSERT_EQ(p.Boxes.Boxes.size(), 2);
    EXPECT_EQ(p.Boxes.Boxes[1].text, "Start programmet på nytt.");
    EXPECT_EQ(shutdowns, 1);
    const QByteArray after = ReadFile(ini);
    EXPECT_TRUE(after.contains("Language=Norsk"));
    EXPECT_TRUE(after.contains("LanguageOld=English"));
    EXPECT_TRUE(after.contains("Idioma=19"));
}

// A language whose file was deleted is refused in the current language and the combo shows the
// current language again; a file without the notice gives the current language's notice.
TEST(Sounds, LanguageWithoutItsFileIsRefusedAndTheProgramKeepsItsLanguage) {
    TestProgram p;
    TFOptions& w = *FOptions;
    const QString ini = p.Folder.File("Velkaro.ini");
    QFile::remove(p.Folder.File("language/Deutsch.lng"));
    WriteFile(p.Folder.File("language/Dansk.lng"), "[Options]\r\nSounds=Lyde\r\n");
    int shutdowns = 0;
    w.LanguageChangeShutdown = [&] { ++shutdowns; };
    const QByteArray before = ReadFile(ini);

    w.ComboBoxIdioma->setCurrentIndex(7); // Deutsch
    emit w.ComboBoxIdioma->activated(7);
    ASSERT_EQ(p.Boxes.Boxes.size(), 1);
    EXPECT_TRUE(p.Boxes.Boxes[0].text.startsWith("The file of this language is missing, so Velkaro keeps"));
    EXPECT_TRUE(
        p.Boxes.Boxes[0].text.endsWith(QDir::toNativeSeparators(p.Folder.File("language/Deutsch.lng"))));
    EXPECT_EQ(w.ComboBoxIdioma->currentText(), "English");
    EXPECT_EQ(shutdowns, 0);
    EXPECT_EQ(ReadFile(ini), before);

    w.ComboBoxIdioma->setCurrentIndex(6); // Dansk
    emit w.ComboBoxIdioma->activated(6);
    ASSERT_EQ(p.Boxes.Boxes.size(), 2);
    EXPECT_EQ(p.Boxes.Boxes[1].text, "Velkaro now closes and starts again in the language you chose.");
    EXPECT_EQ(shutdowns, 1);
    EXPECT_TRUE(ReadFile(ini).contains("Language=Dansk"));
}

// A short tone as a 16-bit mono PCM WAV file at 8000 Hz.
QByteArray ToneWav(int milliseconds) {
    const quint32 samples = 8 * milliseconds;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + 2 * samples);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(16000) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(2 * samples);
    for (quint32 i = 0; i < samples; ++i)
        out << qint16(((i / 10) % 2) ? 8000 : -8000);
    return wav;
}

TEST(Sounds, SmokeTheRealPlayerPlaysAShortWavToItsEnd) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("tone.wav");
    WriteFile(file, ToneWav(200));

    MediaPlayer player;
    if (!player.Open(file))
        GTEST_SKIP() << "no media back end could be created";
    const bool heard = player.Play();
    if (!MediaPlayer::HasAudioOutput()) {
        EXPECT_FALSE(heard); // it plays on, but nobody waits for a sound that cannot be heard
    }
    // Bounded: a 0.2 s sound ends well within five seconds, with or without an audio device.
    const bool ended =
        QTest::qWaitFor([&] { return player.Finished() || !player.ErrorText().isEmpty(); }, 5000);
    EXPECT_TRUE(ended);
    EXPECT_EQ(player.ErrorText(), "");
    EXPECT_TRUE(player.Finished());
    player.Close();
    EXPECT_FALSE(player.Playing());
    EXPECT_FALSE(player.Open(dir.filePath("missing.wav")));
}

} // namespace
