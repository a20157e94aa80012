#pragma once
// What the program learns about its user on the first start and when a favourite team is added: the
// result record of the first-run dialog, the readings of the team and world files that fill it, and the
// download of one team's name for the favourites.
#include "core/TeamAnswer.h"
#include "platform/HttpClient.h"

#include <QString>

class XmlNode;

// The first-run dialog's result: written by its connect, read by the main window's first run.
struct TDialogoResultado {
    QString Usuario;               // the login name typed
    QString UsuarioID;             // User/UserID
    QString Team;                  // Team/TeamName
    QString TeamID;                // Team/TeamID
    QString TeamIDJuveniles;       // Team/YouthTeamID
    QString InicioFecha;           // the date part of User/ActivationDate
    QString InicioTemporadaSemana; // season and week of that date in the user's country ("84-07")
    QString Pais;                  // Team/League/LeagueName, the Czech name normalised
    QString Moneda;                // the currency of the league named Pais
    double FactorMoneda = 0;       // its rate
    QString Password;              // the security code typed
    bool Proxy = false;
    QString ProxyServer;
    QString ProxyPort;
    QString ProxyUserName;
    QString ProxyPassword;
    QString LigaID;     // Team/LeagueLevelUnit/LeagueLevelUnitID
    QString LigaNombre; // Team/LeagueLevelUnit/LeagueLevelUnitName
};

// The user's currency factor, set by the first run.
extern double FactorMoneda;

// The country name kept for the user: any name holding "eská republika" is "Ceská republika", the
// spelling of the program's country tables.
QString PaisDeLiga(const QString& LeagueName);

// The user's team details (Root: the HattrickData element of the answer) into the record: Pais,
// InicioFecha, UsuarioID, Team, TeamID, TeamIDJuveniles, LigaID, LigaNombre, then the season and week
// of the activation date. Names are cut (AnswerName). False, with the record left as it was, when a
// value fails its check: an ID that is no number (the team's is required), a date that is none.
bool LeerDetallesEquipo(const XmlNode& Root, TDialogoResultado& R);

// The currency of the league named R.Pais from the world details: every league is visited and the
// last one of that name counts; with none, Moneda and FactorMoneda keep what they held. False, with the
// record left as it was, when that league's rate is no number from 0 to a million.
bool LeerMonedaMundo(const XmlNode& Root, TDialogoResultado& R);

// What a failed login (ConexionLogin) or download (BajarFicheroXML) says to the user: why, without the
// routine or the file its result names.
QString DownloadErrorText(const QString& Result);
inline const QString UnreadableAnswerText = QStringLiteral("The game service's answer could not be read.");

// A message followed by the text that says why, joined by a blank unless the message ends in one.
QString MessageWithDetail(const QString& Message, const QString& Detail);

// Why an answer of the service is not the file that was asked for: the text of its error document,
// or a fixed English text.
QString WrongAnswerText(const XmlNode& Root);

// The proxy the game-service client gets from a window's proxy fields: none unless UseProxy; a port
// text that is no port (empty, not a number, above 65535) leaves the client's default.
HttpProxyParams ProxyParamsFrom(bool UseProxy, const QString& Server, const QString& PortText,
                                const QString& UserName, const QString& Password);

// One team of the game for the favourites: its name and ID.
struct EquipoDescargado {
    bool Stored = false; // the answer was the team's details and named a team ID
    QString Team;
    QString TeamID;
    QString Error; // when not stored: the text that says why
};

// Downloads the details of team TeamId into data/Xml/teamDetailsTemp.xml (the service session must be
// open) and reads its name and ID. Never throws.
EquipoDescargado DescargarEquipo(const QString& TeamId);
