#include "core/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program folder with a language folder holding English and German files.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        program = dir.path() + "/";
        ASSERT_TRUE(QDir(program).mkpath("language"));
        writeFile(program + "language/English.lng", "[General]\r\nHello=Hello\r\n");
        writeFile(program + "language/Deutsch.lng", "[General]\r\nHello=Hallo\r\n");
        writeFile(program + "language/Espanol.lng", "[General]\r\nHello=Hola\r\n");
        settings = program + "Velkaro.ini";
    }
    QTemporaryDir dir;
    QString program;
    QString settings;
};

} // namespace

TEST(Settings, LanguageFileNameComparesExactly) {
    EXPECT_EQ(LanguageFileName("/p/", "Norsk"), "/p/language/Norsk.lng");
    EXPECT_EQ(LanguageFileName("/p/", "norsk"), "/p/language/English.lng");
    EXPECT_EQ(LanguageFileName("/p/", QString::fromUtf8("Español")), "/p/language/Espanol.lng");
    EXPECT_EQ(LanguageFileName("/p/", QString::fromUtf8("Português-Brasil")),
              "/p/language/Portugues-Brasil.lng");
    EXPECT_EQ(LanguageFileName("/p/", QString::fromUtf8("Ceština")), "/p/language/Cestina.lng");
    EXPECT_EQ(LanguageFileName("/p/", "Chinese - Simplified"), "/p/language/Chinese_S.lng");
    EXPECT_EQ(LanguageFileName("/p/", "Slovencina"), "/p/language/Slovencina.lng");
    EXPECT_EQ(LanguageFileName("/p/", "Espanol"), "/p/language/English.lng");
    EXPECT_EQ(LanguageFileName("/p/", ""), "/p/language/English.lng");
}

TEST_F(SettingsTest, LanguageOldIsUpdatedInTheFileBeforeTheObjectsOpen) {
    writeFile(settings, "[Opciones]\r\nUsuario=pepe\r\nLanguage=Deutsch\r\nLanguageOld=English\r\n");
    OpenSettingsAndLanguage(program, settings);

    // On disk at once, without any UpdateFile.
    const IniFile onDisk(settings);
    EXPECT_EQ(onDisk.ReadString("Opciones", "LanguageOld", ""), "Deutsch");
    EXPECT_EQ(onDisk.ReadString("Opciones", "Usuario", ""), "pepe");
    // The in-memory object was made from the updated file.
    ASSERT_NE(SettingsIni, nullptr);
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "LanguageOld", ""), "Deutsch");
    EXPECT_EQ(LangText("General", "Hello", "Hello"), "Hallo");
    EXPECT_EQ(LangText("General", "Missing", "English text"), "English text");
    EXPECT_EQ(AppDir, program);
}

TEST_F(SettingsTest, SameLanguageFileLeavesTheFileAlone) {
    // Two names of the one English file: nothing is written.
    const QByteArray content = "[Opciones]\r\nLanguage=norsk\r\nLanguageOld=English\r\n";
    writeFile(settings, content);
    OpenSettingsAndLanguage(program, settings);
    EXPECT_EQ(readFile(settings), content);
    EXPECT_EQ(LangText("General", "Hello", "x"), "Hello");
}

TEST_F(SettingsTest, WesternCodePageDisplayNameSelectsItsFile) {
    // A settings file written by the Windows program: "Español" as one byte per letter.
    writeFile(settings, "[Opciones]\r\nLanguage=Espa\xf1ol\r\nLanguageOld=Espa\xf1ol\r\n");
    OpenSettingsAndLanguage(program, settings);
    EXPECT_EQ(LangText("General", "Hello", "Hello"), "Hola");
}

TEST_F(SettingsTest, MissingSectionGivesDefaults) {
    writeFile(settings, "[Version]\r\nVersion=1260000\r\n");
    OpenSettingsAndLanguage(program, settings);
    ASSERT_NE(SettingsIni, nullptr);
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "Usuario", ""), "");
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "LabelInicioFecha", "00"), "00");
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "SonidosMiGol", "1"), "1");
    EXPECT_EQ(SettingsIni->ReadInteger("Opciones", "DuracionSonidosMiGol", 1500), 1500);
    EXPECT_EQ(SettingsIni->ReadString("Version", "Version", "9999999"), "1260000");
    EXPECT_EQ(LangText("General", "Hello", "x"), "Hello"); // English
}

TEST_F(SettingsTest, MissingFilesGiveEmptyObjectsAndEnglishDefaults) {
    QFile::remove(program + "language/English.lng");
    OpenSettingsAndLanguage(program, settings);
    EXPECT_FALSE(QFile::exists(settings)); // nothing to record, nothing created
    ASSERT_NE(SettingsIni, nullptr);
    ASSERT_NE(LanguageIni, nullptr);
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "Language", "English"), "English");
    EXPECT_EQ(LangText("General", "Hello", "Hello there"), "Hello there");
}

TEST_F(SettingsTest, ReopeningReplacesTheObjects) {
    writeFile(settings, "[Opciones]\r\nLanguage=Deutsch\r\nLanguageOld=Deutsch\r\n");
    OpenSettingsAndLanguage(program, settings);
    EXPECT_EQ(LangText("General", "Hello", "x"), "Hallo");
    writeFile(settings, "[Opciones]\r\nLanguage=English\r\nLanguageOld=Deutsch\r\n");
    OpenSettingsAndLanguage(program, settings);
    EXPECT_EQ(LangText("General", "Hello", "x"), "Hello");
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "LanguageOld", ""), "English");
}
