#pragma once
// The settings and language objects shared by every window, the program folder, and the
// language-file name table.
#include "platform/IniFile.h"

#include <QString>

extern IniFile* SettingsIni; // the settings file in memory; lives until the process ends
extern IniFile* LanguageIni; // the current language file in memory; never written
extern QString AppDir;       // the program folder, ending in "/"
extern int LoadingOptions;   // 1 only while TFOptions::LeerIni runs

// Dir + "language/" + the file of the display name (exact, case counts; any other name: "English.lng").
QString LanguageFileName(const QString& Dir, const QString& DisplayName);

// The opening at start: updates LanguageOld in the file, then creates SettingsIni and LanguageIni on
// programDir (which ends in "/") and sets AppDir. settingsFile is the executable's path with ".ini".
void OpenSettingsAndLanguage(const QString& programDir, const QString& settingsFile);

// A caption or message of the current language, or the English default when the language object
// is missing or lacks the key.
QString LangText(const QString& section, const QString& key, const QString& englishDefault);
