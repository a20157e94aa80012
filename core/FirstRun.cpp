#include "core/FirstRun.h"

#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "core/UGlobal.h"
#include "platform/XmlDocument.h"

double FactorMoneda = 0;

QString PaisDeLiga(const QString& LeagueName) {
    return LeagueName.contains(QStringLiteral("eská republika")) ? QStringLiteral("Ceská republika")
                                                                 : LeagueName;
}

void LeerDetallesEquipo(const XmlNode& Root, TDialogoResultado& R) {
    const XmlNode team = TeamNode(Root);
    R.Pais = PaisDeLiga(team.ChildText(QStringLiteral("League/LeagueName")));
    R.InicioFecha = Root.ChildText(QStringLiteral("User/ActivationDate")).left(10);
    R.UsuarioID = Root.ChildText(QStringLiteral("User/UserID"));
    R.Team = team.ChildText(QStringLiteral("TeamName"));
    R.TeamID = team.ChildText(QStringLiteral("TeamID"));
    R.TeamIDJuveniles = team.ChildText(QStringLiteral("YouthTeamID"));
    R.LigaID = team.ChildText(QStringLiteral("LeagueLevelUnit/LeagueLevelUnitID"));
    R.LigaNombre = team.ChildText(QStringLiteral("LeagueLevelUnit/LeagueLevelUnitName"));
    // Kept whole: it is split at its hyphen, so that seasons of three digits read right.
    R.InicioTemporadaSemana = SeasonWeekText(R.Pais, R.InicioFecha);
}

void LeerMonedaMundo(const XmlNode& Root, TDialogoResultado& R) {
    const XmlNode leagues = Root.Child(QStringLiteral("LeagueList"));
    for (int i = 0; i < leagues.ChildCount(); ++i) {
        const XmlNode league = leagues.Child(i);
        if (league.ChildText(QStringLiteral("LeagueName")) != R.Pais)
            continue;
        R.Moneda = league.ChildText(QStringLiteral("Country/CurrencyName"));
        bool ok = false;
        const double rate =
            FixDecimalSeparator(league.ChildText(QStringLiteral("Country/CurrencyRate")).trimmed())
                .toDouble(&ok);
        R.FactorMoneda = ok ? rate : 0;
    }
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
        out.Error = result;
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
            out.Team = team.ChildText(QStringLiteral("TeamName"));
            out.TeamID = team.ChildText(QStringLiteral("TeamID"));
            out.Stored = !out.TeamID.isEmpty();
            if (!out.Stored)
                out.Error = WrongAnswerText(root);
        }
    } catch (const Exception& e) {
        out.Error = e.Message;
    }
    xml.SetActive(false);
    return out;
}
