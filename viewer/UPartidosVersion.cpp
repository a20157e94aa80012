// TFPartidos: the new-version check of the connect. The maker's version page is read over the program's
// HTTP client, within a time limit, and its body compared with the version the settings record.
#include "viewer/UPartidos.h"

#include "core/Settings.h"
#include "core/UDataModule1.h"
#include "core/VersionCheck.h"
#include "platform/TextFile.h"

QString TFPartidos::ComprobarNuevaVersion() {
    QString Result = QStringLiteral("Old");
    try {
        QString host =
            SettingsIni
                ? SettingsIni->ReadString(QStringLiteral("Servidor"), QStringLiteral("Version"), QString())
                      .trimmed()
                : QString();
        while (host.endsWith(QLatin1Char('/')))
            host.chop(1);
        // No maker's host, or a page that cannot be read: the version could not be checked.
        if (host.isEmpty() || !DataModule1)
            return QStringLiteral("No");

        HttpClient& http = DataModule1->IdHTTP1;
        struct Restore {
            HttpClient& http;
            HttpProxyParams proxy = http.ProxyParams;
            int connectMs = http.ConnectTimeoutMs;
            int stallSec = http.StallTimeoutSec;
            ~Restore() {
                http.ProxyParams = proxy;
                http.ConnectTimeoutMs = connectMs;
                http.StallTimeoutSec = stallSec;
            }
        } restore{http};
        http.ProxyParams = ProxyParamsFromControls();
        http.ConnectTimeoutMs = VersionTimeoutSec * 1000;
        http.StallTimeoutSec = VersionTimeoutSec;

        QByteArray page;
        try {
            page = http.Get(host + VersionPagePath);
        } catch (const Exception&) {
            return QStringLiteral("No");
        }
        const QString local = SettingsIni->ReadString(QStringLiteral("Version"), QStringLiteral("Version"),
                                                      QStringLiteral("9999999"));
        Result = CompararVersion(VersionPageBody(TextFile::Decode(page)), local);
    } catch (...) {
        // Whatever else fails leaves the result reached so far.
    }
    return Result;
}
