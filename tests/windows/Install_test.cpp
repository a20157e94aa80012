// The update installation, the restore of missing data files and of a damaged events table.
#include "core/UDataModule1.h"
#include "platform/IniFile.h"
#include "platform/MediaPlayer.h"
#include "platform/widgets/Dialogs.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/Install.h"
#include "shell/UMain.h"
#include "support/gui/WindowTest.h"
#include <QTemporaryDir>

namespace {

struct Install : ::testing::Test {
    QTemporaryDir dir;
    ProgramFiles files = ProgramFiles::OfExecutable(dir.path() + "/Velkaro");
    Dialogs::Recorder boxes;
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
};

} // namespace

// Without a template nothing happens; a template alone becomes the settings; the user's settings (not
// the sounds) are carried into a template, and the backup holds the old files exactly.
TEST_F(Install, ATemplateBecomesTheSettingsCarryingTheUsersOnesAndBackingUpTheOldFiles) {
    WriteFile(files.Settings, "[Opciones]\r\n");
    BackUp(files);
    EXPECT_FALSE(QFileInfo::exists(path("backup"))); // no backup without data
    oldProgram("0100000", 3);
    InstalarActualizacion(files); // no template: nothing happens
    EXPECT_EQ(setting("Idioma") + "|" + ReadFile(path("data/EventsData.dat")), "3|old events");
    EXPECT_FALSE(QFileInfo::exists(path("backup")));
    QFile::remove(files.Settings);
    QDir(path("data")).removeRecursively();
    WriteFile(files.Template, "[Opciones]\r\nUsuario=0\r\nIdioma=9\r\n[Version]\r\nVersion=0126700\r\n");
    WriteFile(path("_install/data/EventsData.dat"), "new events");
    InstalarActualizacion(files);
    EXPECT_FALSE(QFileInfo::exists(files.Template));
    // Idioma 9 is shifted by every language insertion.
    EXPECT_EQ(setting("Version", "Version") + "|" + setting("Usuario") + "|" + setting("Idioma"),
              "0126700|0|13");
    // No data folder before: it is created with its cache folder, and the events table restored.
    EXPECT_TRUE(QFileInfo(path("data/Xml")).isDir() && ReadFile(path("data/EventsData.dat")) == "new events");
    EXPECT_TRUE(boxes.Boxes.isEmpty());
    const QByteArray old =
        "[Opciones]\r\nUsuario=pepe\r\nTeamID=4711\r\nLanguage=Deutsch\r\nIdioma=20\r\n"
        "Pais=Srbija i Crna Gora\r\nSonidos=0\r\nSonidosMiGol=0\r\nDuracionSonidosMiGol=3000\r\n"
        "[Version]\r\nVersion=0124500\r\n";
    WriteFile(files.Settings, old);
    WriteFile(path("data/EventsData.dat"), "old events");
    WriteFile(path("data/Favourites.dat"), "favourites");
    WriteFile(path("data/Xml/123/team.xml"), "<x/>");
    WriteFile(path("backup/stale.dat"), "from the last update");
    WriteFile(path("_install/data/EventsData.dat"), "new events");
    WriteFile(files.Template, "[Opciones]\r\nUsuario=0\r\nSonidosMiGol=1\r\nDuracionSonidosMiGol=1500\r\n"
                              "[Version]\r\nVersion=0126700\r\n");
    InstalarActualizacion(files);
    // Absent keys get their defaults; the template's sound switches stay; between 0124000 and 0125000
    // only the last language shift runs: 20 -> 21 -> 22.
    QStringList values;
    for (const char* key : {"Usuario", "TeamID", "Language", "LanguageOld", "TeamIDJuveniles", "FactorMoneda",
                            "Sonidos", "SonidosMiGol", "DuracionSonidosMiGol", "Idioma", "Pais"})
        values << setting(key);
    EXPECT_EQ(values.join('|'), "pepe|4711|Deutsch|English|0|0|0|1|1500|22|Srbija i Crna Gora");
    EXPECT_EQ(setting("Version", "Version"), "0126700");
    EXPECT_EQ(ReadFile(path("data/EventsData.dat")), "new events");
    EXPECT_EQ(QDir(path("backup")).entryList(QDir::Files, QDir::Name),
              (QStringList{"EventsData.dat", "Favourites.dat", "Velkaro.ini"}));
    EXPECT_EQ(ReadFile(path("backup/Velkaro.ini")), old);
    EXPECT_TRUE(QDir(path("backup")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(Install, EachMigrationAppliesBelowItsThreshold) {
    const std::tuple<const char*, int, int> languages[] = {
        {"", 19, 29},        {"0059999", 10, 16}, {"0060000", 10, 13}, {"0069999", 11, 15},
        {"0070000", 11, 14}, {"0101999", 16, 20}, {"0102000", 16, 19}, {"0112999", 5, 7},
        {"0113000", 6, 8},   {"0123999", 0, 1},   {"0124000", 0, 0},   {"0124999", 20, 22},
        {"0125000", 20, 20}, {"0126700", 3, 3},
    };
    for (const auto& [version, before, after] : languages) {
        oldProgram(version, before);
        CorreccionesFormCreate(files, version);
        EXPECT_EQ(setting("Idioma"), QString::number(after)) << version;
    }
    // Without an install copy the old events table is kept, never deleted.
    oldProgram("0100000", 0);
    CorreccionesFormCreate(files, "0100000");
    EXPECT_EQ(ReadFile(path("data/EventsData.dat")), "old events");
    // The country before 0090000; the events table below the eight-character threshold (0126600 lies
    // below it, 0126700 above).
    WriteFile(path("_install/data/EventsData.dat"), "new events");
    for (const auto& [version, country, events] : {std::tuple{"0089999", "Srbija", "new events"},
                                                   {"0090000", "Srbija i Crna Gora", "new events"},
                                                   {"0126600", "Srbija i Crna Gora", "new events"},
                                                   {"0126700", "Srbija i Crna Gora", "old events"}}) {
        WriteFile(files.Settings, "[Opciones]\r\nPais=Srbija i Crna Gora\r\n");
        WriteFile(path("data/EventsData.dat"), "old events");
        CorreccionesFormCreate(files, version);
        EXPECT_EQ(setting("Pais") + "|" + ReadFile(path("data/EventsData.dat")),
                  QString(country) + "|" + events)
            << version;
    }
}

// A failure shows its message and the start goes on; a failed install keeps the template unmigrated.
TEST_F(Install, FailuresAreShownAndStartUpGoesOn) {
    WriteFile(path("data/Sounds.dat"), "sounds");
    WriteFile(path("backup"), "not a folder");
    WriteFile(files.Template, "[Opciones]\r\nIdioma=9\r\n");
    InstalarActualizacion(files);
    EXPECT_TRUE(boxes.Boxes.value(0).text.startsWith("Error. ")) << boxes.Boxes.value(0).text.toStdString();
    EXPECT_EQ(setting("Idioma"), "13");
    QFile::remove(files.Settings);
    QFile::remove(path("backup"));
    QDir(path("data")).removeRecursively();
    QDir().mkpath(files.Settings); // a folder where the settings file should be: the rename fails
    WriteFile(files.Template, "[Opciones]\r\nIdioma=9\r\n");
    InstalarActualizacion(files);
    ASSERT_EQ(boxes.Boxes.size(), 2);
    EXPECT_TRUE(boxes.Boxes[1].text.startsWith("Error. "));
    EXPECT_EQ(IniFile(files.Template).ReadString("Opciones", "Idioma", ""), "9");
    QDir(files.Settings).removeRecursively();
    QDir(path("data")).removeRecursively();
    WriteFile(path("data"), "a file where the folder belongs");
    QString prev;
    EXPECT_TRUE(Instalacion(files, prev));
    ASSERT_EQ(boxes.Boxes.size(), 3);
    EXPECT_EQ(boxes.Boxes[2].text, "Error. Directories creation");
}

TEST_F(Install, MissingDataFilesAreRestoredAndLeftoversOfInterruptedSavesRemoved) {
    for (const char* name : {"EventsData.dat", "Favourites.dat", "RecordedList.dat", "ProxyConfig.dat"})
        WriteFile(path("_install/data/") + name, QByteArray("pristine ") + name);
    WriteFile(path("data/Favourites.dat"), "my favourites");
    ComprobarFicheros(files);
    EXPECT_EQ(ReadFile(path("data/Favourites.dat")), "my favourites");
    for (const char* name : {"EventsData.dat", "RecordedList.dat", "ProxyConfig.dat"})
        EXPECT_EQ(ReadFile(path("data/") + name), QByteArray("pristine ") + name);
    EXPECT_FALSE(QFileInfo::exists(path("data/Sounds.dat"))); // no install copy: stays missing
    EXPECT_TRUE(QDir(path("data")).entryList({"*.part"}, QDir::Files).isEmpty());
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
    for (const QString& f : leftovers + kept)
        EXPECT_EQ(QFileInfo::exists(path(f)), kept.contains(f)) << f.toStdString();
}

// A killed start is finished by the next one: every migration exactly once, with the new version.
TEST_F(Install, AnInterruptedInstallationIsFinishedByTheNextStart) {
    struct Killed {};
    for (const char* killedAt : {"0113000", "settings"}) {
        SCOPED_TRACE(killedAt);
        // Between 0100000 and the update four language shifts apply: 16 -> 17 -> 18 -> 19 -> 20.
        oldProgram("0100000", 16);
        WriteFile(files.Template, "[Opciones]\r\nIdioma=0\r\n[Version]\r\nVersion=0126700\r\n");
        WriteFile(path("_install/data/EventsData.dat"), "new events");
        SetInstallStepHook([&](const QString& step) {
            if (step == QLatin1String(killedAt))
                throw Killed{};
        });
        EXPECT_THROW(InstalarActualizacion(files), Killed);
        SetInstallStepHook({});
        const bool settingsWritten = QLatin1String(killedAt) == QLatin1String("settings");
        EXPECT_EQ(setting("Version", "Version") + "|" + setting("Idioma"),
                  settingsWritten ? "0126700|20" : "0100000|16");
        EXPECT_TRUE(QFileInfo::exists(files.Template));
        BorrarTemporales(files); // the next start
        InstalarActualizacion(files);
        EXPECT_EQ(setting("Version", "Version") + "|" + setting("Idioma"), "0126700|20");
        EXPECT_FALSE(QFileInfo::exists(files.Template) || QFileInfo::exists(files.Settings + ".part"));
        EXPECT_EQ(ReadFile(path("data/EventsData.dat")), "new events");
    }
    EXPECT_TRUE(boxes.Boxes.isEmpty());
}

// A damaged events table is replaced (kept as .bad, the user told once) and goals count again.
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
    const QString goal =
        "<Event Index=\"%1\"><SubjectTeamID>1%2</SubjectTeamID><EventKey>100_1</EventKey></Event>";
    for (int i = 0; i < 7; ++i)
        live += goal.arg(i).arg(QString("1212221").at(i));
    WriteFile(folder.File("data/Xml/live.xml"),
              (live + "</EventList></Match></MatchList></HattrickData>").toUtf8());
    SetMatch(0, "7001", "11", "12");
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::FinishedFlag, 0, "0");
    FPartidos->EventosPartidos();
    FPartidos->Actualizar10Partidos(QString());
    EXPECT_EQ(MatchCell(MatchColumn::HomeGoals, 0) + "-" + MatchCell(MatchColumn::AwayGoals, 0), "3-4");
    EXPECT_EQ(boxes.Boxes.size(), 1);
    DeleteProgramWindows();
}
