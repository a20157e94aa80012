// The game-service client against a running velkaro-service: login and logout, the session cookie,
// every failure path of the client with the service's faults, trimming, whole saves, the league-file
// fix-up, IDs that are never sent, a stalled answer and the kit pictures. The shipped program folder.
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/Cursor.h"
#include "platform/XmlDocument.h"
#include "support/ServiceProcess.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <chrono>

namespace {

const QString kKey = "5B1C2E90-4A7D-4E3F-8C61-2D9A0B7E4F13";

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The names of the root's element children in order, as the readers count them.
QStringList RootChildNames(const QString& file) {
    XmlDocument doc;
    doc.LoadFromFile(file);
    QStringList names;
    const XmlNode root = doc.DocumentElement();
    for (int i = 0; i < root.ChildCount(); ++i)
        names << root.Child(i).NodeName();
    return names;
}

class ClientServiceTest : public ::testing::Test {
protected:
    // A frozen clock: two answers to the same request are the same bytes.
    ServiceProcess service{0.0};
    TestProgramFolder folder;
    int busyDepth = 0;

    void SetUp() override {
        ASSERT_TRUE(service.IsRunning()) << service.ErrorText().toStdString();
        ASSERT_TRUE(folder.IsValid());
        folder.OpenSettings();
        folder.SetServiceAddress(service.BaseUrl());
        // The shipped texts are all "Error": distinct ones tell the failure paths apart.
        for (const auto& [key, text] : {std::pair{"MessageErrorXMLParsing", "Error parsing"},
                                        {"MessageErrorGET", "Error get"},
                                        {"MessageErrorFirewall", "Check the firewall"},
                                        {"MessageErrorPassword", "Error password"},
                                        {"MessageErrorGetLogin", "Error login"},
                                        {"MessageErrorGETLogout", "Error logout"},
                                        {"MessageErrorGETRequest", "Error request"}})
            LanguageIni->WriteString("Connection", key, text);
        DataModule1 = new TDataModule1;
        DataModule1->IdHTTP1.ConnectTimeoutMs = 2000;
        DataModule1->IdHTTP1.StallTimeoutSec = 5;
        RecommendedURL.clear();
        Connected = 0;
        Cursor::SetHook([this](bool busy) { busyDepth += busy ? 1 : -1; });
    }
    void TearDown() override {
        EXPECT_EQ(busyDepth, 0) << "the hourglass is always taken back";
        Cursor::SetHook(nullptr);
        delete DataModule1;
        DataModule1 = nullptr;
        delete SettingsIni;
        SettingsIni = nullptr;
        delete LanguageIni;
        LanguageIni = nullptr;
        RecommendedURL.clear();
    }

    static QString Chpp(const QString& file) { return ChppPath + file; }
    QString Cache(const QString& name) const { return folder.File("data/Xml/" + name); }
    QString Login(const QString& user = "demo", const QString& code = "velkaro") {
        QString result;
        ConexionLogin(user, code, result);
        return result;
    }
    QString Download(const QString& path, const QString& file) {
        QString result;
        BajarFicheroXML(path, file, result);
        return result;
    }
    QString Request(const QString& path) {
        QString text;
        ConexionRequest(path, text);
        return text;
    }
    // The request log from entry `from` on.
    QStringList LogFrom(qsizetype from) const { return service.LogLines().mid(from); }
    QString LoginLine(const QString& user, const QString& code) const {
        return Chpp("login&actionType=login&loginname=" + user + "&readonlypassword=" + code +
                    "&chppID=9967&chppKey=" + kKey);
    }
};

TEST_F(ClientServiceTest, LoginLogoutAndTheSessionCookie) {
    // No server found yet: nothing is sent.
    EXPECT_EQ(Request(Chpp("team")), "Error. ConexionRequest. Error requestNo server address");
    EXPECT_TRUE(service.LogLines().isEmpty());
    RecommendedURL = service.BaseUrl(); // without a login the service answers its error document
    EXPECT_TRUE(Request(Chpp("team")).contains("Not logged in"));

    // The credentials go out percent-encoded; a wrong code gives the password message.
    qsizetype before = service.LogLines().size();
    EXPECT_EQ(Login("a b&c=d", QString::fromUtf8("pä#ss+")), "Error password");
    EXPECT_EQ(LogFrom(before), (QStringList{Chpp("servers"), LoginLine("a%20b%26c%3Dd", "p%C3%A4%23ss%2B")}));

    EXPECT_EQ(Login(), "OK");
    EXPECT_EQ(RecommendedURL, service.BaseUrl());
    EXPECT_EQ(Connected, 0) << "the connecting windows set it, not the client";
    // The cookie reaches later requests; the cache folder is made when missing; names that differ
    // only in case are one file.
    ASSERT_TRUE(QDir(folder.File("data/Xml")).removeRecursively());
    EXPECT_EQ(Download(Chpp("team"), Cache("teamDetails.xml")), "OK");
    XmlDocument doc;
    doc.LoadFromFile(Cache("teamDetails.xml"));
    EXPECT_FALSE(doc.DocumentElement().ChildText("Team/TeamID").isEmpty());
    EXPECT_TRUE(doc.DocumentElement().Child("ErrorCode").IsNull());
    EXPECT_EQ(Download(Chpp("team"), folder.File("data/XML/Live.xml")), "OK");
    EXPECT_TRUE(QFile::exists(Cache("live.xml")));
    EXPECT_FALSE(QFile::exists(Cache("Live.xml")));

    QString result;
    ConexionLogout(result);
    EXPECT_EQ(result, "OK");
    EXPECT_EQ(RecommendedURL, service.BaseUrl()) << "logout keeps the server";
    EXPECT_EQ(service.LogLines().last(), Chpp("login&actionType=logout"));
    EXPECT_TRUE(Request(Chpp("team")).contains("Not logged in"));
}

TEST_F(ClientServiceTest, ServersAnswerFailures) {
    // No RecommendedURL three times: three tries, then the GET message and the number of tries.
    ASSERT_TRUE(service.Fault("norecommended", 3));
    EXPECT_EQ(Login(), "Error get 3");
    EXPECT_EQ(service.LogLines(), QStringList(3, Chpp("servers")));
    EXPECT_EQ(RecommendedURL, "");

    // Twice: the third try finds the server and the login follows.
    ASSERT_TRUE(service.Fault("norecommended", 2));
    qsizetype before = service.LogLines().size();
    EXPECT_EQ(Login(), "OK");
    EXPECT_EQ(LogFrom(before),
              (QStringList{Chpp("servers"), Chpp("servers"), Chpp("servers"), LoginLine("demo", "velkaro")}));

    // Not XML: one try, the parse message with the parser's reason, no login.
    ASSERT_TRUE(service.Fault("invalidxml", 1, "servers"));
    before = service.LogLines().size();
    const QString parse = Login();
    EXPECT_TRUE(parse.startsWith("Error parsing ")) << parse.toStdString();
    EXPECT_GT(parse.size(), QString("Error parsing ").size());
    EXPECT_EQ(LogFrom(before), QStringList{Chpp("servers")});
    EXPECT_EQ(RecommendedURL, "");

    // A 404: one try, its status line, no firewall hint.
    ASSERT_TRUE(service.Fault("notfound", 1, "servers"));
    before = service.LogLines().size();
    EXPECT_EQ(Login(), "Error get HTTP/1.1 404 Not Found");
    EXPECT_EQ(LogFrom(before), QStringList{Chpp("servers")});

    // A dropped connection is a socket error: the firewall hint follows.
    ASSERT_TRUE(service.Fault("drop", 1, "servers"));
    before = service.LogLines().size();
    const QString dropped = Login();
    EXPECT_TRUE(dropped.startsWith("Error get Socket error # ")) << dropped.toStdString();
    EXPECT_TRUE(dropped.endsWith(" - Check the firewall")) << dropped.toStdString();
    EXPECT_EQ(LogFrom(before), QStringList{Chpp("servers")});

    // A server that was reached and went quiet: its own message, the firewall is not blamed.
    DataModule1->IdHTTP1.StallTimeoutSec = 1;
    ASSERT_TRUE(service.Fault("stall", 1, "servers", 10));
    EXPECT_EQ(Login(), "Error get No data for 1 s: the request was stopped");
}

TEST_F(ClientServiceTest, LoginAndLogoutRequestFailures) {
    // The login request itself dropped: its own message, no firewall hint.
    ASSERT_TRUE(service.Fault("drop", 1, "login"));
    const QString dropped = Login();
    EXPECT_TRUE(dropped.startsWith("Error. ConexionLogin. Error login Socket error # "))
        << dropped.toStdString();
    EXPECT_FALSE(dropped.contains("firewall"));

    // The error document instead of a login result.
    ASSERT_TRUE(service.Fault("errordoc", 1, "login"));
    EXPECT_EQ(Login(), "Error password");

    // A failing logout leaves the result as it was passed; a refused one gives the logout message.
    ASSERT_EQ(Login(), "OK");
    ASSERT_TRUE(service.Fault("notfound", 1, "login"));
    QString result;
    ConexionLogout(result);
    EXPECT_EQ(result, "");
    EXPECT_EQ(service.LogLines().last(), Chpp("login&actionType=logout"));
    ASSERT_TRUE(service.Fault("errordoc", 1, "login"));
    ConexionLogout(result);
    EXPECT_EQ(result, "Error logout");
}

TEST_F(ClientServiceTest, RefusedAnswersAreTriedThreeTimes) {
    ASSERT_EQ(Login(), "OK");
    const QString file = Cache("bookmarks.xml");

    ASSERT_TRUE(service.Fault("refused", 3, "bookmarks"));
    qsizetype before = service.LogLines().size();
    EXPECT_EQ(Download(Chpp("bookmarks"), file), "Error BajarFicheroXML " + file);
    EXPECT_EQ(LogFrom(before), QStringList(3, Chpp("bookmarks")));
    EXPECT_FALSE(QFile::exists(file));
    ASSERT_TRUE(service.Fault("refused", 3, "bookmarks"));
    EXPECT_EQ(Request(Chpp("bookmarks")), "Error request");

    // Refused twice: the third try brings the file.
    ASSERT_TRUE(service.Fault("refused", 2, "bookmarks"));
    before = service.LogLines().size();
    EXPECT_EQ(Download(Chpp("bookmarks"), file), "OK");
    EXPECT_EQ(LogFrom(before), QStringList(3, Chpp("bookmarks")));
    EXPECT_TRUE(ReadBytes(file).contains("<BookmarkList"));

    // A translated message that does not begin with "Error" fails at the save step instead.
    const QByteArray saved = ReadBytes(file);
    LanguageIni->WriteString("Connection", "MessageErrorGETRequest", "Fehler");
    ASSERT_TRUE(service.Fault("refused", 3, "bookmarks"));
    EXPECT_EQ(Download(Chpp("bookmarks"), file), "Error SalvarFicheroXML " + file);
    EXPECT_EQ(ReadBytes(file), saved);
}

TEST_F(ClientServiceTest, RequestFailuresLeaveTheSavedFileWhole) {
    ASSERT_EQ(Login(), "OK");
    const QString file = Cache("bookmarks.xml");
    ASSERT_EQ(Download(Chpp("bookmarks"), file), "OK");
    const QByteArray saved = ReadBytes(file);
    ASSERT_TRUE(saved.endsWith("</HattrickData>"));

    // Garbage after the closing tag is cut off: the file is the same as the clean answer's.
    ASSERT_TRUE(service.Fault("garbage", 1, "bookmarks"));
    EXPECT_EQ(Download(Chpp("bookmarks"), file), "OK");
    EXPECT_EQ(ReadBytes(file), saved);

    // A 404 and a dropped connection are GET failures: one try each, no firewall hint here.
    ASSERT_TRUE(service.Fault("notfound", 1, "bookmarks"));
    qsizetype before = service.LogLines().size();
    EXPECT_EQ(Request(Chpp("bookmarks")), "Error. ConexionRequest. Error requestHTTP/1.1 404 Not Found");
    EXPECT_EQ(LogFrom(before), QStringList{Chpp("bookmarks")});
    ASSERT_TRUE(service.Fault("drop", 1, "bookmarks"));
    before = service.LogLines().size();
    const QString dropped = Request(Chpp("bookmarks"));
    EXPECT_TRUE(dropped.startsWith("Error. ConexionRequest. Error requestSocket error # "))
        << dropped.toStdString();
    EXPECT_FALSE(dropped.contains("firewall"));
    EXPECT_EQ(LogFrom(before), QStringList{Chpp("bookmarks")});

    // Failed downloads over the saved file: at the request step or at the save step.
    ASSERT_TRUE(service.Fault("notfound", 1, "bookmarks"));
    EXPECT_EQ(Download(Chpp("bookmarks"), file), "Error BajarFicheroXML " + file);
    ASSERT_TRUE(service.Fault("drop", 1, "bookmarks"));
    EXPECT_EQ(Download(Chpp("bookmarks"), file), "Error BajarFicheroXML " + file);
    ASSERT_TRUE(service.Fault("invalidxml", 1, "bookmarks"));
    EXPECT_EQ(Download(Chpp("bookmarks"), file), "Error SalvarFicheroXML " + file);
    EXPECT_EQ(ReadBytes(file), saved);

    // A stalled answer fails by the stall time-out (the service would answer only after 10 s, so
    // success would mean the limit was not applied), and the client goes on working.
    DataModule1->IdHTTP1.StallTimeoutSec = 1;
    ASSERT_TRUE(service.Fault("stall", 1, "bookmarks", 10));
    EXPECT_EQ(Download(Chpp("bookmarks"), file), "Error BajarFicheroXML " + file);
    EXPECT_EQ(ReadBytes(file), saved);
    EXPECT_EQ(Download(Chpp("bookmarks"), file), "OK");
}

TEST_F(ClientServiceTest, InsertMissingActionTypeOnTheOlderLeagueFiles) {
    ASSERT_EQ(Login(), "OK");
    const QString details = Cache("leagueDetails.xml");
    const QString fixtures = Cache("leagueFixtures.xml");

    // The current files already have ActionType: left byte for byte.
    ASSERT_EQ(Download(Chpp("leaguedetails"), details), "OK");
    ASSERT_EQ(Download(Chpp("leaguefixtures"), fixtures), "OK");
    const QByteArray currentDetails = ReadBytes(details);
    const QByteArray currentFixtures = ReadBytes(fixtures);
    const QStringList detailsNames = RootChildNames(details);
    const QStringList fixturesNames = RootChildNames(fixtures);
    ASSERT_EQ(detailsNames.value(11), "Team");
    ASSERT_EQ(fixturesNames.value(8), "Match");
    InsertMissingActionType(details, "leagueDetails");
    InsertMissingActionType(fixtures, "leagueFixtures");
    EXPECT_EQ(ReadBytes(details), currentDetails);
    EXPECT_EQ(ReadBytes(fixtures), currentFixtures);

    // The older format: the children one place earlier until the fix-up moves them back.
    ASSERT_TRUE(service.Fault("oldformat", 1, "leaguedetails"));
    ASSERT_TRUE(service.Fault("oldformat", 1, "leaguefixtures"));
    ASSERT_EQ(Download(Chpp("leaguedetails"), details), "OK");
    ASSERT_EQ(Download(Chpp("leaguefixtures"), fixtures), "OK");
    EXPECT_FALSE(ReadBytes(details).contains("<ActionType>"));
    EXPECT_EQ(RootChildNames(details).value(10), "Team");
    EXPECT_EQ(RootChildNames(fixtures).value(7), "Match");

    InsertMissingActionType(details, "leagueDetails");
    InsertMissingActionType(fixtures, "leagueFixtures");
    EXPECT_EQ(RootChildNames(details), detailsNames);
    EXPECT_EQ(RootChildNames(fixtures), fixturesNames);
    EXPECT_TRUE(ReadBytes(details).contains("</FetchedDate>\r<ActionType>view</ActionType>"));
    EXPECT_TRUE(ReadBytes(fixtures).contains("</FetchedDate>\r<ActionType>view</ActionType>"));
    XmlDocument doc;
    doc.LoadFromFile(details);
    EXPECT_EQ(doc.DocumentElement().ChildText("ActionType"), "view");
}

TEST_F(ClientServiceTest, AnIdThatIsNotDigitsSendsNothing) {
    ASSERT_EQ(Login(), "OK");
    const QStringList before = service.LogLines();
    const QString file = Cache("players_12a.xml");
    EXPECT_EQ(Download(Chpp("players&teamID=12a"), file), "Error BajarFicheroXML " + file);
    EXPECT_EQ(Download(Chpp("players&teamID=../../x"), Cache("players_../../x.xml")),
              "Error BajarFicheroXML " + Cache("players_../../x.xml"));
    EXPECT_EQ(Download(Chpp("matchdetails&matchID="), Cache("matchDetailsTemp.xml")),
              "Error BajarFicheroXML " + Cache("matchDetailsTemp.xml"));
    EXPECT_TRUE(Request(Chpp("playerdetails&playerId=1%202")).startsWith("Error. ConexionRequest. Error"));
    EXPECT_EQ(service.LogLines(), before);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(QFile::exists(folder.File("data/x.xml")));
}

TEST_F(ClientServiceTest, KitPicturesAreSavedOnlyWhenTheyCome) {
    const QString kit = folder.File("data/kits/X.250101.12.Shirt.gif");
    DownloadBinaryFile(service.BaseUrl() + "/DesignedMatchKits/25/250101/X.250101.12.Shirt.gif", kit);
    const QByteArray gif = ReadBytes(kit);
    EXPECT_TRUE(gif.startsWith("GIF89a"));
    // A 404 page is no picture: the old one stays, and no file is made for a new one.
    DownloadBinaryFile(service.BaseUrl() + "/DesignedMatchKits/none.gif", kit);
    EXPECT_EQ(ReadBytes(kit), gif);
    DownloadBinaryFile(service.BaseUrl() + "/DesignedMatchKits/none.gif", folder.File("data/kits/none.gif"));
    EXPECT_FALSE(QFile::exists(folder.File("data/kits/none.gif")));
}

} // namespace
