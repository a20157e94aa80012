#pragma once
// A temporary program folder for a test: the shipped resources copied in (settings, languages, data
// tables, install copies, sounds, pictures), the settings and language objects opened on it, and
// optionally the game-service address pointed at a running substitute service.
#include <QString>
#include <QTemporaryDir>

class TestProgramFolder {
public:
    TestProgramFolder();
    bool IsValid() const { return dir_.isValid(); }
    // The folder, ending in "/" (what the program calls AppDir).
    const QString& Path() const { return path_; }
    QString File(const QString& relative) const { return path_ + relative; }

    // Opens SettingsIni and LanguageIni on the folder, as the program does at start.
    void OpenSettings();
    // Writes [Servidor] Juego into the settings file (and into SettingsIni when it is open).
    void SetServiceAddress(const QString& baseUrl);

    static void CopyTree(const QString& from, const QString& to);

private:
    QTemporaryDir dir_;
    QString path_;
};
