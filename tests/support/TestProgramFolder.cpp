#include "support/TestProgramFolder.h"

#include "core/Settings.h"

#include <QDirIterator>

TestProgramFolder::TestProgramFolder() {
    path_ = dir_.path() + QLatin1Char('/');
    const QString resources = QStringLiteral(VELKARO_RESOURCES_DIR);
    for (const char* tree : {"data", "_install", "language", "sounds"})
        CopyTree(resources + '/' + tree, path_ + tree);
    QFile::copy(resources + QStringLiteral("/Velkaro.ini"), path_ + QStringLiteral("Velkaro.ini"));
    QFile::setPermissions(path_ + QStringLiteral("Velkaro.ini"), QFile::ReadOwner | QFile::WriteOwner);
    // Tests never write pictures: the folder of several hundred is linked, not copied.
    QFile::link(resources + QStringLiteral("/images"), path_ + QStringLiteral("images"));
    QDir().mkpath(path_ + QStringLiteral("data/Xml"));
}

void TestProgramFolder::CopyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(it.next());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(it.filePath(), target);
    }
}

void TestProgramFolder::OpenSettings() {
    OpenSettingsAndLanguage(path_, path_ + QStringLiteral("Velkaro.ini"));
}

void TestProgramFolder::SetServiceAddress(const QString& baseUrl) {
    IniFile file(path_ + QStringLiteral("Velkaro.ini"), IniFile::Mode::FileBacked);
    file.WriteString(QStringLiteral("Servidor"), QStringLiteral("Juego"), baseUrl);
    if (SettingsIni)
        SettingsIni->WriteString(QStringLiteral("Servidor"), QStringLiteral("Juego"), baseUrl);
}
