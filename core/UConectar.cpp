#include "core/UConectar.h"

#include "core/UGlobal.h"

#include "core/Settings.h"
#include "core/UDataModule1.h"
#include "platform/Cursor.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

QString RecommendedURL;
const int RetryCount = 3;
int Connected = 0;

const QString ChppPath = "/common/chpp/chppxml.axd?file=";
const QString ChppId = "9967";
const QString ChppKey = "5B1C2E90-4A7D-4E3F-8C61-2D9A0B7E4F13";

namespace {

const QString kDefaultServiceHost = "http://chpp.hattrick.org";

QString connectionText(const char* key) {
    return LangText("Connection", key, "Error");
}

QString encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

// The request path with every parameter value percent-encoded. False when a parameter naming an ID
// does not hold decimal digits: such a request is never sent.
bool encodeRequest(const QString& path, QString& out) {
    const qsizetype q = path.indexOf('?');
    if (q < 0) {
        out = path;
        return true;
    }
    QStringList params = path.mid(q + 1).split('&');
    for (QString& p : params) {
        const qsizetype eq = p.indexOf('=');
        if (eq < 0)
            continue;
        const QString name = p.left(eq);
        const QString value = p.mid(eq + 1);
        if (name.endsWith("id", Qt::CaseInsensitive) && !IsDecimalDigits(value))
            return false;
        p = name + '=' + encoded(value);
    }
    out = path.left(q + 1) + params.join('&');
    return true;
}

// A file name must stay inside the folder its caller built it in.
bool isSafeFileName(const QString& fileName) {
    return !fileName.isEmpty() && !QString(fileName).replace('\\', '/').split('/').contains("..");
}

// Names that differ only in case name one cache file (the folder, the live file, the details file).
QString canonicalCachePath(const QString& fileName) {
    QString path = QString(fileName).replace('\\', '/').replace("data/XML/", "data/Xml/");
    const qsizetype slash = path.lastIndexOf('/');
    if (!path.left(slash + 1).endsWith("data/Xml/"))
        return path;
    const QString base = path.mid(slash + 1);
    if (base == "Live.xml")
        return path.left(slash + 1) + "live.xml";
    if (base == "MatchDetailsTemp.xml")
        return path.left(slash + 1) + "matchDetailsTemp.xml";
    return path;
}

// The game service host of the settings; an empty value means the game's own host.
QString serviceHost() {
    QString host = SettingsIni ? SettingsIni->ReadString("Servidor", "Juego", "").trimmed() : QString();
    while (host.endsWith('/'))
        host.chop(1);
    return host.isEmpty() ? kDefaultServiceHost : host;
}

QString getAnswer(const QString& url) {
    return AnswerText(DataModule1->IdHTTP1.Get(url));
}

bool loginSucceeded(const QString& answer) {
    return answer.contains("<LoginResult>0<");
}

} // namespace

QString AnswerText(const QByteArray& body) {
    const qsizetype zero = body.indexOf('\0');
    QString text = TextFile::Decode(zero < 0 ? body : body.left(zero));
    static const QString closing = "</HattrickData>";
    const qsizetype end = text.indexOf(closing);
    if (end >= 0)
        text.truncate(end + closing.size());
    return text;
}

void ConexionLogin(const QString& User, const QString& SecurityCode, QString& Result) {
    BusyCursor busy;
    RecommendedURL.clear();
    if (!DataModule1) {
        Result = connectionText("MessageErrorGET") + " No data module";
        return;
    }
    XmlDocument& doc = DataModule1->XMLDocument1;
    const QString serversUrl = serviceHost() + ChppPath + "servers";

    bool getFailed = false;
    for (int i = 0; i < RetryCount && RecommendedURL.isEmpty(); ++i) {
        QString text;
        try {
            text = getAnswer(serversUrl);
        } catch (const Exception& e) {
            Result = connectionText("MessageErrorGET") + " " + e.Message;
            getFailed = true;
            break;
        }
        try {
            doc.SetActive(false);
            doc.SetXML(QString());
            doc.SetXML(text);
            doc.SetActive(true);
            RecommendedURL = doc.DocumentElement().Child("RecommendedURL").Text().trimmed();
            doc.SetActive(false);
        } catch (const Exception& e) {
            doc.SetActive(false);
            Result = connectionText("MessageErrorXMLParsing") + " " + e.Message;
            return;
        }
    }
    if (getFailed || RecommendedURL.isEmpty()) {
        if (!getFailed)
            Result = connectionText("MessageErrorGET") + " " + QString::number(RetryCount);
        if (Result.contains("Socket error") || Result.contains("socket error"))
            Result +=
                " - " + LangText("Connection", "MessageErrorFirewall", "Check your firewall configuration");
        return;
    }

    const QString loginUrl = RecommendedURL + ChppPath + "login" + "&actionType=login" +
                             "&loginname=" + encoded(User) + "&readonlypassword=" + encoded(SecurityCode) +
                             "&chppID=" + ChppId + "&chppKey=" + ChppKey;
    try {
        Result = loginSucceeded(getAnswer(loginUrl)) ? QString("OK") : connectionText("MessageErrorPassword");
    } catch (const Exception& e) {
        Result = "Error. ConexionLogin. " + connectionText("MessageErrorGetLogin") + " " + e.Message;
    }
}

void ConexionLogout(QString& Result) {
    BusyCursor busy;
    if (!DataModule1 || RecommendedURL.isEmpty())
        return; // a request that cannot be sent fails like any other: Result stays
    try {
        const QString answer = getAnswer(RecommendedURL + ChppPath + "login" + "&actionType=logout");
        Result = loginSucceeded(answer) ? QString("OK") : connectionText("MessageErrorGETLogout");
    } catch (const Exception&) {
    }
}

void ConexionRequest(const QString& Path, QString& Text) {
    BusyCursor busy;
    const QString failure = "Error. ConexionRequest. " + connectionText("MessageErrorGETRequest");
    QString path;
    if (!encodeRequest(Path, path)) {
        Text = failure + "Invalid request parameter";
        return;
    }
    if (!DataModule1 || RecommendedURL.isEmpty()) {
        Text = failure + "No server address";
        return;
    }
    for (int i = 0; i < RetryCount; ++i) {
        QString answer;
        try {
            answer = getAnswer(RecommendedURL + path);
        } catch (const Exception& e) {
            Text = failure + e.Message;
            return;
        }
        if (!answer.contains("Connection refused")) {
            Text = answer;
            return;
        }
        Text = connectionText("MessageErrorGETRequest");
    }
}

void BajarFicheroXML(const QString& Path, const QString& FileName, QString& Result) {
    QString text;
    if (isSafeFileName(FileName))
        ConexionRequest(Path, text);
    else
        text = "Error";
    if (text.left(5) == "Error")
        Result = "Error BajarFicheroXML " + FileName;
    else if (!SalvarFicheroXML(text, canonicalCachePath(FileName)))
        Result = "Error SalvarFicheroXML " + FileName;
    else
        Result = "OK";
}

bool SalvarFicheroXML(const QString& XmlText, const QString& FileName) {
    if (!DataModule1)
        return false;
    XmlDocument& doc = DataModule1->XMLDocumentConectar;
    // The text alone is parsed: an empty answer must not turn into a reload of the older file.
    auto parse = [&] {
        doc.SetActive(false);
        doc.FileName.clear();
        doc.SetXML(XmlText);
        doc.SetActive(true);
        doc.FileName = FileName;
    };
    bool ok = false;
    try {
        parse();
        QDir().mkpath(QFileInfo(FileName).absolutePath()); // the cache folder may have been removed
        try {
            doc.SaveToFile(FileName);
        } catch (const Exception&) {
            parse();
            doc.SaveToFile(FileName);
        }
        ok = true;
    } catch (const Exception&) {
    }
    doc.Clear();
    return ok;
}

void InsertMissingActionType(const QString& FileName, const QString& Kind) {
    if (!DataModule1 || !QFileInfo::exists(FileName))
        return;
    int index = 0;
    QString expected;
    if (Kind == "leagueDetails") {
        index = 10;
        expected = "Team";
    } else if (Kind == "leagueFixtures") {
        index = 7;
        expected = "Match";
    } else {
        return;
    }
    XmlDocument& doc = DataModule1->XMLDocumentAux;
    try {
        doc.SetActive(false);
        doc.LoadFromFile(FileName);
        if (doc.DocumentElement().Child(index).NodeName() == expected) {
            static const QString fetched = "</FetchedDate>";
            QString text = doc.XML();
            const qsizetype at = text.indexOf(fetched);
            if (at >= 0) {
                text.insert(at + fetched.size(), "\r<ActionType>view</ActionType>");
                doc.SetXML(text);
                doc.SetActive(true);
                doc.SaveToFile(FileName);
            }
        }
    } catch (const Exception&) {
    }
    doc.SetActive(false);
}

void DownloadBinaryFile(const QString& Url, const QString& FileName) {
    BusyCursor busy;
    if (!DataModule1 || !isSafeFileName(FileName))
        return;
    try {
        const QByteArray bytes = DataModule1->IdHTTP1.Get(Url);
        QDir().mkpath(QFileInfo(FileName).absolutePath());
        TextFile::WriteAtomic(FileName, bytes);
    } catch (const Exception&) {
    }
}

bool IsAnswerOf(const XmlNode& Root, const QString& FileName) {
    return Root.NodeName() == QLatin1String("HattrickData") &&
           Root.ChildText(QStringLiteral("FileName")).trimmed().compare(FileName, Qt::CaseInsensitive) == 0;
}
