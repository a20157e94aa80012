#include "core/FirstRun.h"

#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "core/UGlobal.h"
#include "platform/XmlDocument.h"

#include <QDate>

double FactorMoneda = 0;

QString PaisDeLiga(const QString& LeagueName) {
    return LeagueName.contains(QStringLiteral("eská republika")) ? QStringLiteral("Ceská republika")
                                                                 : LeagueName;
}

namespace {

// The currency factors of the game are a few hundredths to a few hundred.
constexpr double MaxCurrencyRate = 1e6;

// An ID of an answer as the settings keep it (see NumberText); false when the answer holds something
// else than a number there. Only a required ID may be missing.
bool CheckedId(const QString& Text, bool Required, QString& Id) {
    Id = NumberText(Text);
    return !Id.isEmpty() || (!Required && Text.trimmed().isEmpty());
}

} // namespace

bool LeerDetallesEquipo(const XmlNode& Root, TDialogoResultado& R) {
    const XmlNode team = TeamNode(Root);
    TDialogoResultado read = R;
    read.Pais = AnswerName(PaisDeLiga(team.ChildText(QStringLiteral("League/LeagueName"))));
    read.InicioFecha = Root.ChildText(QStringLiteral("User/ActivationDate")).left(10);
    read.Team = AnswerName(team.ChildText(QStringLiteral("TeamName")));
    read.LigaNombre = AnswerName(team.ChildText(QStringLiteral("LeagueLevelUnit/LeagueLevelUnitName")));
    const bool idsRead =
        CheckedId(Root.ChildText(QStringLiteral("User/UserID")), false, read.UsuarioID) &&
        CheckedId(team.ChildText(QStringLiteral("TeamID")), true, read.TeamID) &&
        CheckedId(team.ChildText(QStringLiteral("YouthTeamID")), false, read.TeamIDJuveniles) &&
        CheckedId(team.ChildText(QStringLiteral("LeagueLevelUnit/LeagueLevelUnitID")), false, read.LigaID);
    const bool dateRead = read.InicioFecha.isEmpty() ||
                          QDate::fromString(read.InicioFecha, QStringLiteral("yyyy-MM-dd")).isValid();
    if (!idsRead || !dateRead)
        return false;
    // Kept whole: it is split at its hyphen, so that seasons of three digits read right.
    read.InicioTemporadaSemana = SeasonWeekText(read.Pais, read.InicioFecha);
    R = read;
    return true;
}

bool LeerMonedaMundo(const XmlNode& Root, TDialogoResultado& R) {
    QString moneda = R.Moneda;
    double factor = R.FactorMoneda;
    for (const XmlNode& league : Root.Child(QStringLiteral("LeagueList")).Children()) {
        if (league.ChildText(QStringLiteral("LeagueName")) != R.Pais)
            continue;
        moneda = AnswerName(league.ChildText(QStringLiteral("Country/CurrencyName")));
        const QString rateText = league.ChildText(QStringLiteral("Country/CurrencyRate")).trimmed();
        bool ok = rateText.isEmpty(); // a league without a currency of its own has the factor 0
        const double rate = ok ? 0 : FixDecimalSeparator(rateText).toDouble(&ok);
        if (!ok || !(rate >= 0 && rate <= MaxCurrencyRate))
            return false;
        factor = rate;
    }
    R.Moneda = moneda;
    R.FactorMoneda = factor;
    return true;
}

QString DownloadErrorText(const QString& Result) {
    static const QString login = QStringLiteral("Error. ConexionLogin. ");
    if (Result.startsWith(login))
        return Result.mid(login.size()); // the reason the service client gives
    if (Result.startsWith(QLatin1String("Error SalvarFicheroXML")))
        return UnreadableAnswerText;
    if (Result.startsWith(QLatin1String("Error BajarFicheroXML")))
        return QStringLiteral("The game service did not answer.");
    return Result;
}

QString MessageWithDetail(const QString& Message, const QString& Detail) {
    if (Message.isEmpty() || Detail.isEmpty() || Message.endsWith(QLatin1Char(' ')))
        return Message + Detail;
    return Message + QLatin1Char(' ') + Detail;
}

QString WrongAnswerText(const XmlNode& Root) {
    const QString error = Root.ChildText(QStringLiteral("Error")).trimmed();
    return error.isEmpty() ? QStringLiteral("The game service sent something else than the file asked for.")
                           : error;
}

HttpProxyParams ProxyParamsFrom(bool UseProxy, const QString& Server, const QString& PortText,
                                const QString& UserName, const QString& Password) {
    HttpProxyParams params;
    if (!UseProxy)
        return params; // the edits may hold values typed earlier; they are not used
    params.ProxyServer = Server;
    bool ok = false;
    const int port = PortText.toInt(&ok);
    // The port field admits up to 2000000 and "."; anything that is no port leaves the default.
    params.ProxyPort = ok && port >= 1 && port <= 65535 ? port : 0;
    params.ProxyUsername = UserName;
    params.ProxyPassword = Password;
    return params;
}

EquipoDescargado DescargarEquipo(const QString& TeamId) {
    EquipoDescargado out;
    const QString file = AppDir + QStringLiteral("data/Xml/teamDetailsTemp.xml");
    QString result;
    BajarFicheroXML(ChppPath + QStringLiteral("team&teamID=") + TeamId, file, result);
    if (result != QLatin1String("OK")) {
        out.Error = DownloadErrorText(result);
        return out;
    }
    if (!DataModule1) {
        out.Error = QStringLiteral("Error");
        return out;
    }
    XmlDocument& xml = DataModule1->XMLDocument1;
    try {
        xml.SetActive(false);
        xml.LoadFromFile(file);
        const XmlNode root = xml.DocumentElement();
        if (!IsAnswerOf(root, QStringLiteral("teamdetails.xml"))) {
            out.Error = WrongAnswerText(root);
        } else {
            // Both values are read before anything is stored, so that no half of a team is kept.
            const XmlNode team = TeamNode(root, TeamId);
            out.Team = AnswerName(team.ChildText(QStringLiteral("TeamName")));
            out.TeamID = NumberText(team.ChildText(QStringLiteral("TeamID")));
            out.Stored = !out.TeamID.isEmpty();
            if (!out.Stored)
                out.Error = WrongAnswerText(root);
        }
    } catch (const Exception&) {
        out.Error = UnreadableAnswerText;
    }
    xml.SetActive(false);
    return out;
}
