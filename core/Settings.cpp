#include "core/Settings.h"

#include "platform/Exceptions.h"

#include <array>
#include <memory>
#include <utility>

IniFile* SettingsIni = nullptr;
IniFile* LanguageIni = nullptr;
QString AppDir;
int LoadingOptions = 0;

namespace {

struct LanguageEntry {
    const char* displayName; // UTF-8
    const char* fileName;
};

constexpr std::array<LanguageEntry, 31> kLanguageFiles{{
    {"Belarusian", "Belarusian.lng"},
    {"Bulgarian", "Bulgarian.lng"},
    {"Català", "Catala.lng"},
    {"Ceština", "Cestina.lng"},
    {"Chinese - Simplified", "Chinese_S.lng"},
    {"Chinese - Traditional", "Chinese_T.lng"},
    {"Dansk", "Dansk.lng"},
    {"Deutsch", "Deutsch.lng"},
    {"Eesti", "Eesti.lng"},
    {"English", "English.lng"},
    {"Español", "Espanol.lng"},
    {"Français", "Francais.lng"},
    {"Galego", "Galego.lng"},
    {"Greek", "Greek.lng"},
    {"Hebrew", "Hebrew.lng"},
    {"Italiano", "Italiano.lng"},
    {"Lietuviu", "Lietuviu.lng"},
    {"Magyar", "Magyar.lng"},
    {"Nederlands", "Nederlands.lng"},
    {"Norsk", "Norsk.lng"},
    {"Persian", "Persian.lng"},
    {"Polski", "Polski.lng"},
    {"Português-Brasil", "Portugues-Brasil.lng"},
    {"Português-Portugal", "Portugues-Portugal.lng"},
    {"Romanian", "Romanian.lng"},
    {"Russian", "Russian.lng"},
    {"Slovencina", "Slovencina.lng"},
    {"Srpski", "Srpski.lng"},
    {"Suomi", "Suomi.lng"},
    {"Svenska", "Svenska.lng"},
    {"Turkce", "Turkce.lng"},
}};

const QString kOptions = QStringLiteral("Opciones");

} // namespace

QString LanguageFileName(const QString& Dir, const QString& DisplayName) {
    QString file = QStringLiteral("English.lng");
    for (const LanguageEntry& entry : kLanguageFiles) {
        if (DisplayName == QString::fromUtf8(entry.displayName)) {
            file = QString::fromLatin1(entry.fileName);
            break;
        }
    }
    return Dir + QLatin1String("language/") + file;
}

void OpenSettingsAndLanguage(const QString& programDir, const QString& settingsFile) {
    // The previous language is recorded in the file itself before anything else reads it.
    try {
        IniFile direct(settingsFile, IniFile::Mode::FileBacked);
        const QString language =
            direct.ReadString(kOptions, QStringLiteral("Language"), QStringLiteral("English"));
        const QString languageOld =
            direct.ReadString(kOptions, QStringLiteral("LanguageOld"), QStringLiteral("English"));
        if (LanguageFileName(programDir, language) != LanguageFileName(programDir, languageOld))
            direct.WriteString(kOptions, QStringLiteral("LanguageOld"), language);
    } catch (const Exception&) {
        // A settings file that cannot be written still opens for reading below.
    }

    // The objects live until the process ends; only tests open them a second time.
    auto settings = std::make_unique<IniFile>(settingsFile, IniFile::Mode::InMemory);
    const QString language =
        settings->ReadString(kOptions, QStringLiteral("Language"), QStringLiteral("English"));
    auto languageIni =
        std::make_unique<IniFile>(LanguageFileName(programDir, language), IniFile::Mode::InMemory);
    delete std::exchange(SettingsIni, settings.release());
    delete std::exchange(LanguageIni, languageIni.release());
    AppDir = programDir;
}

QString LangText(const QString& section, const QString& key, const QString& englishDefault) {
    if (!LanguageIni)
        return englishDefault;
    return LanguageIni->ReadString(section, key, englishDefault);
}
