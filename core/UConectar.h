#pragma once
// The program's only client of the game service: finds the server to use, logs in and out, and
// downloads the service's files into the cache folder data/Xml/. No operation throws; each reports
// "OK" or a text to show the user. Requests go through DataModule1 (which must exist).
#include <QString>

extern QString RecommendedURL; // base address of every request after the servers answer; "" until then
extern const int RetryCount;   // tries of the servers request and of ConexionRequest
extern int Connected;          // 1 once a window logged in successfully

extern const QString ChppPath; // "/common/chpp/chppxml.axd?file="
extern const QString ChppId;   // the application identifier
extern const QString ChppKey;  // the application key

// Finds the server (the "servers" request to the [Servidor] Juego host) and logs in.
void ConexionLogin(const QString& User, const QString& SecurityCode, QString& Result);
// Logs out. A failing request leaves Result as it was passed.
void ConexionLogout(QString& Result);
// Requests RecommendedURL + Path (a request path of the table, with raw parameter values: they are
// percent-encoded here). Text is the answer or an error text. A parameter whose name ends in "id"
// must be decimal digits; otherwise nothing is sent and Text is an error text.
void ConexionRequest(const QString& Path, QString& Text);
// Requests Path and saves the answer as FileName (a full path). The cache names that differ only in
// case ("data/XML/", "Live.xml", "MatchDetailsTemp.xml") are saved under their one spelling.
void BajarFicheroXML(const QString& Path, const QString& FileName, QString& Result);
// Checks that XmlText is XML and saves it as FileName; a failed save leaves an older file whole.
bool SalvarFicheroXML(const QString& XmlText, const QString& FileName);
// Older league files lack the element ActionType; it is inserted so that the children sit where the
// readers expect them. Kind is "leagueDetails" or "leagueFixtures".
void InsertMissingActionType(const QString& FileName, const QString& Kind);
// GETs an absolute address and saves the answer as FileName; every failure is swallowed.
void DownloadBinaryFile(const QString& Url, const QString& FileName);

// The part of an answer that is read: up to its first zero byte, cut after the first "</HattrickData>".
QString AnswerText(const QByteArray& body);

class XmlNode;
// True when Root is the document element of the service's answer named FileName ("matchdetails.xml"):
// a HattrickData root whose FileName element names it (case ignored). An error document or another
// file's answer is not, and a reader writes nothing from it.
bool IsAnswerOf(const XmlNode& Root, const QString& FileName);
