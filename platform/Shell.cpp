#include "platform/Shell.h"

#include "platform/IniFile.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

bool defaultOpener(const QString& address) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {address});
}

bool defaultLauncher(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

// The desktop's default web browser, read the way the desktop itself finds it: the first installed
// entry that a mimeapps.list names for http addresses (the user's files before the system's, the
// current desktop's own files first in each folder), then that entry's Exec line. Only files are
// read: no helper program runs, so a click never waits for one.
QString defaultBrowserCommand() {
    QStringList desktops;
    for (const QString& d : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
        desktops << d.toLower();
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation) +
                                QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString& folder : folders) {
        QStringList lists;
        for (const QString& d : desktops)
            lists << folder + u'/' + d + QStringLiteral("-mimeapps.list");
        lists << folder + QStringLiteral("/mimeapps.list");
        for (const QString& list : lists) {
            if (!QFileInfo::exists(list))
                continue;
            const QString entries = IniFile(list).ReadString(QStringLiteral("Default Applications"),
                                                             QStringLiteral("x-scheme-handler/http"), {});
            for (const QString& entry : entries.split(u';', Qt::SkipEmptyParts)) {
                const QString name = entry.trimmed();
                if (name.isEmpty() || name.contains(u'/'))
                    continue;
                const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, name);
                if (path.isEmpty())
                    continue; // not installed: the next one named
                const QString exec =
                    IniFile(path).ReadString(QStringLiteral("Desktop Entry"), QStringLiteral("Exec"), {});
                if (!exec.isEmpty())
                    return exec;
            }
        }
    }
    return {};
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

QString EncodeAddress(const QString& address) {
    QString encoded;
    encoded.reserve(address.size());
    for (const QChar c : address) {
        if (c == u' ' || c == u'|' || c == u'{' || c == u'}')
            encoded += u'%' + QString::number(c.unicode(), 16).toUpper();
        else
            encoded += c;
    }
    return encoded;
}

bool OpenAddress(const QString& address) {
    const QString encoded = EncodeAddress(address);
    if (!IsOpenableAddress(encoded))
        return false;
    return opener() && opener()(encoded);
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
