// The game-service client against a running velkaro-service: login and logout with the session cookie,
// every failure path of each step (tries, messages, whole saves), and the downloads.
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/Cursor.h"
#include "support/ServiceProcess.h"
#include "support/TestHelpers.h"
#include "support/TestProgramFolder.h"

#include <QRegularExpression>

namespace {

// The names of the root's element children in order, as the readers count them.
QStringList RootChildNames(const QString& file) {
    XmlDocument doc;
    doc.LoadFromFile(file);
    QStringList names;
    for (const XmlNode& child : doc.DocumentElement().Children())
        names << child.NodeName();
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
        delete std::exchange(DataModule1, nullptr);
        delete std::exchange(SettingsIni, nullptr);
        delete std::exchange(LanguageIni, nullptr);
        RecommendedURL.clear();
    }

    static QString Chpp(const QString& file) { return ChppPath + file; }
    QString Cache(const QString& name) const { return folder.File("data/Xml/" + name); }
    QString Login(const QString& user = "demo", const QString& code = "velkaro") {
        QString result;
        ConexionLogin(user, code, result);
        return result;
    }
    static QString Logout() {
        QString result;
        ConexionLogout(result);
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
};

TEST_F(ClientServiceTest, LoginLogoutAndTheSessionCookie) {
    // No server found yet: nothing is sent.
    EXPECT_EQ(Request(Chpp("team")), "Error. ConexionRequest. Error requestNo server address");
    EXPECT_TRUE(service.LogLines().isEmpty());
    RecommendedURL = service.BaseUrl(); // without a login the service answers its error document
    EXPECT_TRUE(Request(Chpp("team")).contains("Not logged in"));
    // The credentials go out percent-encoded; a wrong code gives the password message.
    const qsizetype before = service.LogLines().size();
    EXPECT_EQ(Login("a b&c=d", QString::fromUtf8("pä#ss+")), "Error password");
    EXPECT_EQ(
        service.LogLines().mid(before),
        (QStringList{Chpp("servers"),
                     Chpp("login&actionType=login&loginname=a%20b%26c%3Dd&readonlypassword="
                          "p%C3%A4%23ss%2B&chppID=9967&chppKey=5B1C2E90-4A7D-4E3F-8C61-2D9A0B7E4F13")}));
    EXPECT_EQ(Login(), "OK");
    EXPECT_EQ(RecommendedURL, service.BaseUrl());
    EXPECT_EQ(Connected, 0) << "the connecting windows set it, not the client";
    // The cookie reaches later requests; the cache folder is made when missing; names that differ
    // only in case are one file.
    ASSERT_TRUE(QDir(folder.File("data/Xml")).removeRecursively());
    EXPECT_EQ(Download(Chpp("team"), Cache("teamDetails.xml")), "OK");
    EXPECT_TRUE(ReadBytes(Cache("teamDetails.xml")).contains("<TeamID>250101</TeamID>"));
    EXPECT_EQ(Download(Chpp("team"), folder.File("data/XML/Live.xml")), "OK");
    EXPECT_TRUE(QFile::exists(Cache("live.xml")));
    EXPECT_FALSE(QFile::exists(Cache("Live.xml")));
    EXPECT_EQ(Logout(), "OK");
    EXPECT_EQ(RecommendedURL, service.BaseUrl()) << "logout keeps the server";
    EXPECT_EQ(service.LogLines().last(), Chpp("login&actionType=logout"));
    EXPECT_TRUE(Request(Chpp("team")).contains("Not logged in"));
}

// Every failure the service can give, at each step: the result (a pattern), the requests it took and,
// for a download, the file saved before left whole. The servers request and refused answers are tried
// three times; a socket error blames the firewall only at the servers step; a stall has its own message.
TEST_F(ClientServiceTest, EveryFailureOfEveryStep) {
    enum Step { LoginStep, LogoutStep, RequestStep, DownloadStep };
    const QString file = Cache("bookmarks.xml");
    const QString bajar = "Error BajarFicheroXML " + QRegularExpression::escape(file);
    const QString salvar = "Error SalvarFicheroXML " + QRegularExpression::escape(file);
    const QString request = "Error\\. ConexionRequest\\. Error request";
    const struct {
        const char* kind;
        int count;
        const char* file;
        Step step;
        QString result;
        int requests;
    } cases[] = {
        {"norecommended", 3, "", LoginStep, "Error get 3", 3},
        {"norecommended", 2, "", LoginStep, "OK", 4},
        {"invalidxml", 1, "servers", LoginStep, "Error parsing .+", 1},
        {"notfound", 1, "servers", LoginStep, "Error get HTTP/1\\.1 404 Not Found", 1},
        {"drop", 1, "servers", LoginStep, "Error get Socket error # .* - Check the firewall", 1},
        {"stall", 1, "servers", LoginStep, "Error get No data for 1 s: the request was stopped", 1},
        {"drop", 1, "login", LoginStep,
         "Error\\. ConexionLogin\\. Error login Socket error # (?!.*firewall).*", 2},
        {"errordoc", 1, "login", LoginStep, "Error password", 2},
        {"", 0, "", LoginStep, "OK", 2},
        {"notfound", 1, "login", LogoutStep, "", 1}, // the result stays as it was passed
        {"errordoc", 1, "login", LogoutStep, "Error logout", 1},
        {"", 0, "", LoginStep, "OK", 2},
        {"refused", 3, "bookmarks", DownloadStep, bajar, 3}, // no file is made
        {"", 0, "", DownloadStep, "OK", 1},
        {"refused", 3, "bookmarks", RequestStep, "Error request", 3},
        {"refused", 2, "bookmarks", DownloadStep, "OK", 3},
        {"garbage", 1, "bookmarks", DownloadStep, "OK", 1}, // cut after the closing tag: the same file
        {"notfound", 1, "bookmarks", RequestStep, request + "HTTP/1\\.1 404 Not Found", 1},
        {"drop", 1, "bookmarks", RequestStep, request + "Socket error # (?!.*firewall).*", 1},
        {"notfound", 1, "bookmarks", DownloadStep, bajar, 1},
        {"drop", 1, "bookmarks", DownloadStep, bajar, 1},
        {"invalidxml", 1, "bookmarks", DownloadStep, salvar, 1},
        // The service would answer only after 10 s: success would mean the limit was not applied.
        {"stall", 1, "bookmarks", DownloadStep, bajar, 1},
        {"", 0, "", DownloadStep, "OK", 1},
    };
    const std::function<QString()> run[] = {[&] { return Login(); }, [&] { return Logout(); },
                                            [&] { return Request(Chpp("bookmarks")); },
                                            [&] { return Download(Chpp("bookmarks"), file); }};
    QByteArray saved;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.file + " at step " + std::to_string(c.step));
        if (*c.kind) {
            ASSERT_TRUE(service.Fault(c.kind, c.count, c.file, QString(c.kind) == "stall" ? 10 : -1));
        }
        DataModule1->IdHTTP1.StallTimeoutSec = QString(c.kind) == "stall" ? 1 : 5;
        const qsizetype before = service.LogLines().size();
        const QString result = run[c.step]();
        EXPECT_TRUE(QRegularExpression("^(" + c.result + ")$").match(result).hasMatch())
            << result.toStdString();
        EXPECT_EQ(service.LogLines().size() - before, c.requests);
        if (c.step == LoginStep && result != "OK") { // no server found, or the one found
            EXPECT_EQ(RecommendedURL, QString(c.file) == "login" ? service.BaseUrl() : QString());
        }
        if (c.step == DownloadStep) { // no file before the first save, then that one whole
            saved = saved.isEmpty() && result == "OK" ? ReadBytes(file) : saved;
            EXPECT_EQ(saved.isEmpty() ? QFile::exists(file) : ReadBytes(file) == saved, !saved.isEmpty());
        }
    }
    EXPECT_TRUE(saved.contains("<BookmarkList") && saved.endsWith("</HattrickData>"));
    // A translated message that does not begin with "Error" fails at the save step instead.
    LanguageIni->WriteString("Connection", "MessageErrorGETRequest", "Fehler");
    ASSERT_TRUE(service.Fault("refused", 3, "bookmarks"));
    EXPECT_EQ(Download(Chpp("bookmarks"), file), "Error SalvarFicheroXML " + file);
    EXPECT_EQ(ReadBytes(file), saved);
}

// The league files, IDs that are never sent, and the kit pictures.
TEST_F(ClientServiceTest, DownloadsOfTheLeagueIdsAndKits) {
    ASSERT_EQ(Login(), "OK");
    // Current files are left byte for byte; older fixtures get ActionType back, league details (Rank) not.
    for (const auto& [kind, name, child, at, fixed] :
         {std::tuple{"leaguedetails", "leagueDetails", "Team", 13, false},
          {"leaguefixtures", "leagueFixtures", "Match", 8, true}}) {
        SCOPED_TRACE(kind);
        const QString file = Cache(QString(name) + ".xml");
        ASSERT_EQ(Download(Chpp(kind), file), "OK");
        const QByteArray current = ReadBytes(file);
        const QStringList names = RootChildNames(file);
        ASSERT_EQ(names.value(at), child);
        InsertMissingActionType(file, name);
        EXPECT_EQ(ReadBytes(file), current);
        ASSERT_TRUE(service.Fault("oldformat", 1, kind));
        ASSERT_EQ(Download(Chpp(kind), file), "OK");
        EXPECT_FALSE(ReadBytes(file).contains("<ActionType>"));
        EXPECT_EQ(RootChildNames(file).value(at - 1), child);
        InsertMissingActionType(file, name);
        EXPECT_EQ(RootChildNames(file) == names, fixed);
        EXPECT_EQ(ReadBytes(file).contains("</FetchedDate>\r<ActionType>view</ActionType>"), fixed);
    }
    // An ID that is not digits sends nothing and writes nothing.
    const QStringList before = service.LogLines();
    for (const auto& [path, name] : {std::pair{"players&teamID=12a", "players_12a.xml"},
                                     {"players&teamID=../../x", "players_../../x.xml"},
                                     {"matchdetails&matchID=", "matchDetailsTemp.xml"}})
        EXPECT_EQ(Download(Chpp(path), Cache(name)), "Error BajarFicheroXML " + Cache(name));
    EXPECT_TRUE(Request(Chpp("playerdetails&playerId=1%202")).startsWith("Error. ConexionRequest. Error"));
    EXPECT_EQ(service.LogLines(), before);
    EXPECT_FALSE(QFile::exists(Cache("players_12a.xml")));
    EXPECT_FALSE(QFile::exists(folder.File("data/x.xml")));
    // Kit pictures are saved only when they come: a 404 page is no picture, the old one stays, and no
    // file is made for a new one.
    const QString kit = folder.File("data/kits/X.250101.12.Shirt.gif");
    DownloadBinaryFile(service.BaseUrl() + "/DesignedMatchKits/25/250101/X.250101.12.Shirt.gif", kit);
    const QByteArray gif = ReadBytes(kit);
    EXPECT_TRUE(gif.startsWith("GIF89a"));
    DownloadBinaryFile(service.BaseUrl() + "/DesignedMatchKits/none.gif", kit);
    EXPECT_EQ(ReadBytes(kit), gif);
    DownloadBinaryFile(service.BaseUrl() + "/DesignedMatchKits/none.gif", folder.File("data/kits/none.gif"));
    EXPECT_FALSE(QFile::exists(folder.File("data/kits/none.gif")));
}

} // namespace
