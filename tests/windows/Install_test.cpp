// The update installation and the restore of missing data files, on prepared program folders.
#include "core/DataStore.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/IniFile.h"
#include "platform/MediaPlayer.h"
#include "platform/widgets/Dialogs.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/Install.h"
#include "shell/UMain.h"
#include "shell/UOptions.h"
#include "support/TestProgramFolder.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        files = ProgramFiles::OfExecutable(dir.path() + "/Velkaro");
    }
    QString path(const QString& relative) const { return files.Dir + relative; }
    QString setting(const QString& key, const QString& section = "Opciones") const {
        return IniFile(files.Settings).ReadString(section, key, "<none>");
    }
    // A settings file of an older version and the data folder with an old events table.
    void oldProgram(const QString& version, int idioma) {
        WriteFile(files.Settings, "[Opciones]\r\nIdioma=" + QByteArray::number(idioma) +
                                      "\r\n[Version]\r\nVersion=" + version.toLatin1() + "\r\n");
        WriteFile(path("data/EventsData.dat"), "old events");
    }

    QTemporaryDir dir;
    ProgramFiles files;
    Dialogs::Recorder boxes;
};

} // namespace

TEST_F(InstallTest, NothingHappensWithoutATemplateAndNoBackupWithoutData) {
    WriteFile(files.Settings, "[Opciones]\r\n");
    BackUp(files);
    EXPECT_FALSE(QFileInfo::exists(path("backup")));

    oldProgram("0100000", 3);
    InstalarActualizacion(files);
    EXPECT_EQ(setting("Idioma"), "3");
    EXPECT_FALSE(QFileInfo::exists(path("backup")));
    EXPECT_EQ(ReadFile(path("data/EventsData.dat")), "old events");
}

TEST_F(InstallTest, TemplateWithoutOldSettingsBecomesTheSettingsAndEveryMigrationRuns) {
    WriteFile(files.Template, "[Opciones]\r\nUsuario=0\r\nIdioma=9\r\n[Version]\r\nVersion=0126700\r\n");
    WriteFile(path("_install/data/EventsData.dat"), "new events");
    InstalarActualizacion(files);

    EXPECT_FALSE(QFileInfo::exists(files.Template));
    EXPECT_EQ(setting("Version", "Version"), "0126700");
    EXPECT_EQ(setting("Usuario"), "0");
    EXPECT_EQ(setting("Idioma"), "13"); // 9 shifted by every language insertion
    // No data folder before: it is created with its cache folder, and the events table restored.
    EXPECT_TRUE(QFileInfo(path("data/Xml")).isDir());
    EXPECT_EQ(ReadFile(path("data/EventsData.dat")), "new events");
    EXPECT_TRUE(boxes.Boxes.isEmpty());
}

TEST_F(InstallTest, UserSettingsAreCarriedIntoTheTemplateAndSoundsAreNot) {
    WriteFile(files.Settings, "[Opciones]\r\nUsuario=pepe\r\nTeamID=4711\r\nLanguage=Deutsch\r\nIdioma=20\r\n"
                              "Pais=Srbija i Crna Gora\r\nSonidos=0\r\nSonidosMiGol=0\r\n"
                              "DuracionSonidosMiGol=3000\r\n[Version]\r\nVersion=0124500\r\n");
    WriteFile(path("data/EventsData.dat"), "old events");
    WriteFile(path("_install/data/EventsData.dat"), "new events");
    WriteFile(files.Template, "[Opciones]\r\nUsuario=0\r\nSonidosMiGol=1\r\nDuracionSonidosMiGol=1500\r\n"
                              "[Version]\r\nVersion=0126700\r\n");
    InstalarActualizacion(files);

    EXPECT_EQ(setting("Usuario"), "pepe");
    EXPECT_EQ(setting("TeamID"), "4711");
    EXPECT_EQ(setting("Language"), "Deutsch");
    EXPECT_EQ(setting("LanguageOld"), "English"); // absent: its default
    EXPECT_EQ(setting("TeamIDJuveniles"), "0");   // absent: its default
    EXPECT_EQ(setting("FactorMoneda"), "0");
    EXPECT_EQ(setting("Sonidos"), "0");
    EXPECT_EQ(setting("SonidosMiGol"), "1"); // the template's
    EXPECT_EQ(setting("DuracionSonidosMiGol"), "1500");
    EXPECT_EQ(setting("Version", "Version"), "0126700");
    // Between 0124000 and 0125000 only the last language shift runs: 20 -> 21 -> 22.
    EXPECT_EQ(setting("Idioma"), "22");
    EXPECT_EQ(setting("Pais"), "Srbija i Crna Gora");
    EXPECT_EQ(ReadFile(path("data/EventsData.dat")), "new events");
}

TEST_F(InstallTest, EachLanguageMigrationAppliesBelowItsThreshold) {
    struct Case {
        const char* version;
        int before;
        int after;
    };
    const Case cases[] = {
        {"", 19, 29},        {"0059999", 10, 16}, {"0060000", 10, 13}, {"0069999", 11, 15},
        {"0070000", 11, 14}, {"0101999", 16, 20}, {"0102000", 16, 19}, {"0112999", 5, 7},
        {"0113000", 6, 8},   {"0123999", 0, 1},   {"0124000", 0, 0},   {"0124999", 20, 22},
        {"0125000", 20, 20}, {"0126700", 3, 3},
    };
    for (const Case& c : cases) {
        oldProgram(c.version, c.before);
        CorreccionesFormCreate(files, c.version);
        EXPECT_EQ(setting("Idioma"), QString::number(c.after)) << c.version;
    }
}

TEST_F(InstallTest, CountryAndEventsTableMigrationsHonourTheirThresholds) {
    // Without an install copy the old events table is kept, never deleted.
    oldProgram("0100000", 0);
    CorreccionesFormCreate(files, "0100000");
    EXPECT_EQ(ReadFile(path("data/EventsData.dat")), "old events");

    WriteFile(path("_install/data/EventsData.dat"), "new events");
    auto run = [&](const QString& version) {
        WriteFile(files.Settings, "[Opciones]\r\nPais=Srbija i Crna Gora\r\n");
        WriteFile(path("data/EventsData.dat"), "old events");
        CorreccionesFormCreate(files, version);
        return std::make_pair(setting("Pais"), ReadFile(path("data/EventsData.dat")));
    };
    EXPECT_EQ(run("0089999").first, "Srbija");
    EXPECT_EQ(run("0090000").first, "Srbija i Crna Gora");
    EXPECT_EQ(run("0122999").second, "new events");
    EXPECT_EQ(run("0125000").second, "new events");
    // The eight-character threshold: 0126600 lies below it, 0126700 above.
    EXPECT_EQ(run("0126600").second, "new events");
    EXPECT_EQ(run("0126700").second, "old events");
}

TEST_F(InstallTest, BackupHoldsExactlyTheOldSettingsAndDataFiles) {
    WriteFile(files.Settings, "[Opciones]\r\nUsuario=pepe\r\n");
    WriteFile(path("data/Favourites.dat"), "favourites");
    WriteFile(path("data/Sounds.dat"), "sounds");
    WriteFile(path("data/Xml/123/team.xml"), "<x/>");
    WriteFile(path("backup/stale.dat"), "from the last update");
    WriteFile(files.Template, "[Version]\r\nVersion=0126700\r\n");
    InstalarActualizacion(files);

    const QStringList backedUp = QDir(path("backup")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(backedUp, (QStringList{"Favourites.dat", "Sounds.dat", "Velkaro.ini"}));
    EXPECT_EQ(ReadFile(path("backup/Velkaro.ini")), "[Opciones]\r\nUsuario=pepe\r\n");
    EXPECT_TRUE(QDir(path("backup")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(InstallTest, FailuresAreShownAndStartUpGoesOn) {
    // "backup" is a file: the backup fails with its message, the installation still runs.
    WriteFile(path("data/Sounds.dat"), "sounds");
    WriteFile(path("backup"), "not a folder");
    WriteFile(files.Template, "[Opciones]\r\nIdioma=9\r\n");
    InstalarActualizacion(files);
    ASSERT_EQ(boxes.Boxes.size(), 1);
    EXPECT_TRUE(boxes.Boxes[0].text.startsWith("Error. ")) << boxes.Boxes[0].text.toStdString();
    EXPECT_EQ(setting("Idioma"), "13");
}

TEST_F(InstallTest, TemplateThatCannotBeInstalledStaysAndMigratesNothing) {
    // A folder where the settings file should be: the rename fails.
    QDir().mkpath(files.Settings);
    WriteFile(files.Template, "[Opciones]\r\nIdioma=9\r\n");
    InstalarActualizacion(files);
    ASSERT_EQ(boxes.Boxes.size(), 1);
    EXPECT_TRUE(boxes.Boxes[0].text.startsWith("Error. "));
    EXPECT_EQ(IniFile(files.Template).ReadString("Opciones", "Idioma", ""), "9");
}

TEST_F(InstallTest, DataFoldersThatCannotBeCreatedAreReported) {
    WriteFile(path("data"), "a file where the folder belongs");
    WriteFile(files.Template, "[Version]\r\nVersion=0126700\r\n");
    QString prev;
    EXPECT_TRUE(Instalacion(files, prev));
    ASSERT_EQ(boxes.Boxes.size(), 1);
    EXPECT_EQ(boxes.Boxes[0].text, "Error. Directories creation");
}

TEST_F(InstallTest, MissingDataFilesAreRestoredAndExistingOnesNeverOverwritten) {
    for (const char* name : {"EventsData.dat", "Favourites.dat", "RecordedList.dat", "ProxyConfig.dat"})
        WriteFile(path("_install/data/") + name, QByteArray("pristine ") + name);
    WriteFile(path("data/Favourites.dat"), "my favourites");
    ComprobarFicheros(files);

    EXPECT_EQ(ReadFile(path("data/Favourites.dat")), "my favourites");
    for (const char* name : {"EventsData.dat", "RecordedList.dat", "ProxyConfig.dat"})
        EXPECT_EQ(ReadFile(path("data/") + name), QByteArray("pristine ") + name);
    EXPECT_FALSE(QFileInfo::exists(path("data/Sounds.dat"))); // no install copy: stays missing
    EXPECT_TRUE(QDir(path("data")).entryList({"*.part"}, QDir::Files).isEmpty());
}

// A start killed between two migrations, or after the new settings are in place, leaves a state the
// next start finishes: every migration runs exactly once and the new version is written with them.
TEST_F(InstallTest, AnInterruptedInstallationIsFinishedByTheNextStart) {
    struct Killed {};
    for (const char* killedAt : {"0113000", "settings"}) {
        // Between 0100000 and the update four language shifts apply: 16 -> 17 -> 18 -> 19 -> 20.
        oldProgram("0100000", 16);
        WriteFile(files.Template, "[Opciones]\r\nIdioma=0\r\n[Version]\r\nVersion=0126700\r\n");
        WriteFile(path("_install/data/EventsData.dat"), "new events");
        SetInstallStepHook([&](const QString& step) {
            if (step == QLatin1String(killedAt))
                throw Killed{};
        });
        EXPECT_THROW(InstalarActualizacion(files), Killed) << killedAt;
        SetInstallStepHook({});
        const bool settingsWritten = QLatin1String(killedAt) == QLatin1String("settings");
        EXPECT_EQ(setting("Version", "Version"), settingsWritten ? "0126700" : "0100000") << killedAt;
        EXPECT_EQ(setting("Idioma"), settingsWritten ? "20" : "16") << killedAt;
        EXPECT_TRUE(QFileInfo::exists(files.Template)) << killedAt;

        // The next start.
        BorrarTemporales(files);
        InstalarActualizacion(files);
        EXPECT_EQ(setting("Version", "Version"), "0126700") << killedAt;
        EXPECT_EQ(setting("Idioma"), "20") << killedAt;
        EXPECT_FALSE(QFileInfo::exists(files.Template)) << killedAt;
        EXPECT_FALSE(QFileInfo::exists(files.Settings + ".part")) << killedAt;
        EXPECT_EQ(ReadFile(path("data/EventsData.dat")), "new events") << killedAt;
    }
    EXPECT_TRUE(boxes.Boxes.isEmpty());
}

TEST_F(InstallTest, LeftoversOfInterruptedSavesAreRemovedAtStart) {
    const QStringList leftovers = QString("Velkaro.ini.aB3dE9 Velkaro.ini.part data/Favourites.dat.Xy12Z3 "
                                          "data/EventsData.dat.part data/Xml/live.xml.q1W2e3 "
                                          "data/Xml/250101/players_1.xml.AAAAAA backup/Sounds.dat.part")
                                      .split(' ');
    const QStringList kept =
        QString("Velkaro.ini data/Favourites.dat data/Xml/live.xml data/EventsData.dat.bad "
                "data/notes.txt.123456 libexample.so.123456 data/Xml/X.250101.3.Shirt.gif "
                "data/Xml/250101/players_1.xml")
            .split(' ');
    for (const QString& f : leftovers + kept)
        WriteFile(path(f), "x");
    EXPECT_EQ(BorrarTemporales(files), leftovers.size());
    for (const QString& f : leftovers)
        EXPECT_FALSE(QFileInfo::exists(path(f))) << f.toStdString();
    for (const QString& f : kept)
        EXPECT_TRUE(QFileInfo::exists(path(f))) << f.toStdString();
}

// A damaged events table at start: replaced by the install copy, the damaged one kept beside it, the
// user told once; the goals of a match are then counted again (3-4, not 0-0).
TEST(InstallStart, ADamagedEventsTableIsRestoredAndGoalsCountAgain) {
    Dialogs::Recorder boxes;
    MediaPlayerRecorder sounds; // the goals sound: never through the real player in a test
    TestProgramFolder folder;
    const QString events = folder.File("data/EventsData.dat");
    const QByteArray damaged = ReadFile(events).left(3000) + QByteArray("\xff\xfe random bytes");
    WriteFile(events, damaged);

    FMain = new TFMain(folder.Path() + "Velkaro");
    EXPECT_EQ(ReadFile(events), ReadFile(folder.File("_install/data/EventsData.dat")));
    EXPECT_EQ(ReadFile(events + ".bad"), damaged);
    ASSERT_EQ(boxes.Boxes.size(), 1);
    EXPECT_EQ(boxes.Boxes[0].text, EventsDataStateText(EventsDataState::Restored));
    FOptions = new TFOptions();
    FPartidos = new TFPartidos();
    DataModule1 = new TDataModule1();

    // Seven goals of a live match, three of the home team (11) and four of the away team (12).
    QString live =
        "<HattrickData><FileName>live.xml</FileName><MatchList><Match><MatchID>7001</MatchID><EventList>";
    for (int i = 0; i < 7; ++i)
        live +=
            QString("<Event Index=\"%1\"><SubjectTeamID>%2</SubjectTeamID><EventKey>100_1</EventKey></Event>")
                .arg(i)
                .arg(QString("1212221").at(i) == u'1' ? "11" : "12");
    WriteFile(folder.File("data/Xml/live.xml"),
              (live + "</EventList></Match></MatchList></HattrickData>").toUtf8());
    SetMatch(0, "7001", "11", "12");
    TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
    matches.SetCells(MatchColumn::FinishedFlag, 0, "0");
    FPartidos->EventosPartidos();
    FPartidos->Actualizar10Partidos(QString());
    EXPECT_EQ(matches.Cells(MatchColumn::HomeGoals, 0) + "-" + matches.Cells(MatchColumn::AwayGoals, 0),
              "3-4");
    EXPECT_EQ(boxes.Boxes.size(), 1);

    delete std::exchange(DataModule1, nullptr);
    delete std::exchange(FPartidos, nullptr);
    delete std::exchange(FOptions, nullptr);
    delete std::exchange(FMain, nullptr);
}
