#pragma once
// A temporary program folder with the shipped resources copied in, the settings and language opened on
// it, and optionally the game-service address pointed at a running substitute service.
#include <QString>
#include <QTemporaryDir>

class TestProgramFolder {
public:
    TestProgramFolder();
    bool IsValid() const { return dir_.isValid(); }
    const QString& Path() const { return path_; } // ends in "/", what the program calls AppDir
    QString File(const QString& relative) const { return path_ + relative; }

    void OpenSettings(); // SettingsIni and LanguageIni on the folder, as the program opens them at start
    // Writes [Servidor] Juego into the settings file (and into SettingsIni when it is open).
    void SetServiceAddress(const QString& baseUrl);

    static void CopyTree(const QString& from, const QString& to);

private:
    QTemporaryDir dir_;
    QString path_;
};
