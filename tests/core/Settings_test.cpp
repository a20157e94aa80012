#include "core/Settings.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A program folder with a language folder holding English, German and Spanish files.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        WriteBytes(program + "language/English.lng", "[General]\r\nHello=Hello\r\n");
        WriteBytes(program + "language/Deutsch.lng", "[General]\r\nHello=Hallo\r\n");
        WriteBytes(program + "language/Espanol.lng", "[General]\r\nHello=Hola\r\n");
    }
    // Opens the objects on a settings file of the given text; the language's "Hello".
    QString Open(const QByteArray& text) {
        WriteBytes(settings, text);
        OpenSettingsAndLanguage(program, settings);
        return LangText("General", "Hello", "x");
    }
    QTemporaryDir dir;
    QString program = dir.path() + "/";
    QString settings = program + "Velkaro.ini";
};
} // namespace

// The display name chooses the file, compared exactly; an unknown name is English.
TEST(Settings, LanguageFileNameComparesExactly) {
    // clang-format off
    const std::pair<const char*, const char*> names[] = {
        {"Norsk", "Norsk"}, {"norsk", "English"}, {"Español", "Espanol"}, {"Português-Brasil", "Portugues-Brasil"},
        {"Ceština", "Cestina"}, {"Chinese - Simplified", "Chinese_S"}, {"Slovencina", "Slovencina"},
        {"Espanol", "English"}, {"", "English"}};
    // clang-format on
    for (const auto& [name, file] : names)
        EXPECT_EQ(LanguageFileName("/p/", QString::fromUtf8(name)), QString("/p/language/%1.lng").arg(file))
            << name;
}

TEST_F(SettingsTest, LanguageOldIsUpdatedInTheFileBeforeTheObjectsOpenAndDefaultsFillTheGaps) {
    EXPECT_EQ(Open("[Opciones]\r\nUsuario=pepe\r\nLanguage=Deutsch\r\nLanguageOld=English\r\n"), "Hallo");
    // On disk at once, without any UpdateFile; the in-memory object was made from the updated file.
    const IniFile onDisk(settings);
    EXPECT_EQ(onDisk.ReadString("Opciones", "LanguageOld", "") + onDisk.ReadString("Opciones", "Usuario", ""),
              "Deutschpepe");
    ASSERT_NE(SettingsIni, nullptr);
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "LanguageOld", ""), "Deutsch");
    EXPECT_EQ(LangText("General", "Missing", "English text"), "English text");
    EXPECT_EQ(AppDir, program);
    // Reopening replaces the objects.
    EXPECT_EQ(Open("[Opciones]\r\nLanguage=English\r\nLanguageOld=Deutsch\r\n"), "Hello");
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "LanguageOld", ""), "English");
    // Two names of the one English file: nothing is written.
    const QByteArray same = "[Opciones]\r\nLanguage=norsk\r\nLanguageOld=English\r\n";
    EXPECT_EQ(Open(same), "Hello");
    EXPECT_EQ(ReadBytes(settings), same);
    // A settings file in Windows-1252: "Español" as one byte per letter.
    EXPECT_EQ(Open("[Opciones]\r\nLanguage=Espa\xf1ol\r\nLanguageOld=Espa\xf1ol\r\n"), "Hola");
    // A missing section or missing files give the defaults; nothing to record, nothing created.
    EXPECT_EQ(Open("[Version]\r\nVersion=1260000\r\n"), "Hello"); // English
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "Usuario", ""), "");
    EXPECT_EQ(SettingsIni->ReadInteger("Opciones", "DuracionSonidosMiGol", 1500), 1500);
    EXPECT_EQ(SettingsIni->ReadString("Version", "Version", "9999999"), "1260000");
    QFile::remove(program + "language/English.lng");
    QFile::remove(settings);
    OpenSettingsAndLanguage(program, settings);
    EXPECT_FALSE(QFile::exists(settings));
    ASSERT_TRUE(SettingsIni && LanguageIni);
    EXPECT_EQ(SettingsIni->ReadString("Opciones", "Language", "English"), "English");
    EXPECT_EQ(LangText("General", "Hello", "Hello there"), "Hello there");
}

// A fragment text not merged into the shipped English file (scripts/merge-lng.py) would silently leave
// the old text or the code's default; two fragments giving one key different texts fail here too.
TEST(EnglishLanguageFile, HoldsEveryTextOfItsFragments) {
    const QString dir = QStringLiteral(VELKARO_RESOURCES_DIR) + QStringLiteral("/language");
    const IniFile english(dir + QStringLiteral("/English.lng"));
    ASSERT_TRUE(english.SectionExists(QStringLiteral("Main")));
    const QStringList fragments =
        QDir(dir + QStringLiteral("/english-fragments")).entryList({QStringLiteral("*.lng")});
    ASSERT_FALSE(fragments.isEmpty());
    for (const QString& name : fragments) {
        const IniFile fragment(dir + QStringLiteral("/english-fragments/") + name);
        for (const QString& section : fragment.ReadSections())
            for (const QString& key : fragment.ReadSection(section))
                EXPECT_EQ(english.ReadString(section, key, "(missing)").toStdString(),
                          fragment.ReadString(section, key, QString()).toStdString())
                    << name.toStdString() << ": [" << section.toStdString() << "] " << key.toStdString();
    }
    // A download whose answer begins with "Error" counts as failed: the refused-request text keeps it.
    EXPECT_TRUE(english.ReadString("Connection", "MessageErrorGETRequest", QString()).startsWith("Error"));
}
