#include "platform/Shell.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

namespace {

bool defaultOpener(const QString& address) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {address});
}

bool defaultLauncher(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

// The Exec line of a desktop entry file, with the field codes (%u, %U, ...) left in place.
QString execLineOfDesktopFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    bool inEntry = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (inEntry && line.startsWith(QLatin1String("Exec=")))
            return line.mid(5).trimmed();
    }
    return {};
}

// The command of the xdg default web browser: its desktop entry's Exec line. Empty when unknown.
QString defaultBrowserCommand() {
    QProcess query;
    query.start(QStringLiteral("xdg-settings"),
                {QStringLiteral("get"), QStringLiteral("default-web-browser")});
    if (!query.waitForStarted(2000))
        return {};
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    const QString entry = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    if (entry.isEmpty() || entry.contains(QLatin1Char('/')))
        return {};
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
    return path.isEmpty() ? QString() : execLineOfDesktopFile(path);
}

Shell::Opener& opener() {
    static Shell::Opener o = defaultOpener;
    return o;
}

Shell::Launcher& launcher() {
    static Shell::Launcher l = defaultLauncher;
    return l;
}

Shell::BrowserCommandSource& browserCommandSource() {
    static Shell::BrowserCommandSource s = defaultBrowserCommand;
    return s;
}

} // namespace

namespace Shell {

bool IsWebAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool IsOpenableAddress(const QString& address) {
    if (IsWebAddress(address))
        return true;
    const QUrl url(address, QUrl::StrictMode);
    return url.isValid() && url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0 &&
           !url.path().isEmpty();
}

bool OpenAddress(const QString& address) {
    if (!IsOpenableAddress(address))
        return false;
    return opener() && opener()(address);
}

bool StartProgram(const QString& program, const QStringList& arguments) {
    if (program.isEmpty())
        return false;
    return launcher() && launcher()(program, arguments);
}

QString DefaultBrowserCommand() {
    return browserCommandSource() ? browserCommandSource()() : QString();
}

void SetOpener(Opener o) {
    opener() = o ? std::move(o) : Opener(defaultOpener);
}

void SetLauncher(Launcher l) {
    launcher() = l ? std::move(l) : Launcher(defaultLauncher);
}

void SetBrowserCommandSource(BrowserCommandSource s) {
    browserCommandSource() = s ? std::move(s) : BrowserCommandSource(defaultBrowserCommand);
}

} // namespace Shell
