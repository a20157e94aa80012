#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/Cursor.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

// A port of 127.0.0.1 on which nothing listens.
int closedPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    bind(fd, reinterpret_cast<sockaddr*>(&a), len);
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    close(fd);
    return ntohs(a.sin_port);
}

std::string sample(const char* name) {
    return readBytes(QString(VELKARO_SAMPLES_DIR) + "/" + name).toStdString();
}

const std::string kTeam =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<HattrickData><FileName>team.xml</FileName>"
    "<Team><TeamID>1750803</TeamID><TeamName>Velkaro FC</TeamName></Team></HattrickData>";

// The game service in a test: one handler per "file" request, counting what it was asked.
class FakeService {
public:
    httplib::Server http;
    int port = 0;
    std::map<std::string, std::function<void(const httplib::Request&, httplib::Response&)>> files;
    std::map<std::string, int> hits;
    std::vector<httplib::Request> requests;
    std::mutex m;

    FakeService() {
        http.Get("/common/chpp/chppxml.axd", [this](const httplib::Request& req, httplib::Response& res) {
            const std::string file = req.get_param_value("file");
            std::function<void(const httplib::Request&, httplib::Response&)> handler;
            {
                std::lock_guard<std::mutex> lock(m);
                ++hits[file];
                requests.push_back(req);
                if (files.count(file))
                    handler = files[file];
            }
            if (handler)
                handler(req, res);
            else
                res.status = 404;
        });
        port = http.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { http.listen_after_bind(); });
        while (!http.is_running())
            std::this_thread::yield();
    }
    ~FakeService() {
        http.stop();
        thread_.join();
    }
    QString address() const { return QString("http://127.0.0.1:%1").arg(port); }
    void answer(const std::string& file, const std::string& body) {
        files[file] = [body](const httplib::Request&, httplib::Response& res) {
            res.set_content(body, "text/xml");
        };
    }
    int count(const std::string& file) {
        std::lock_guard<std::mutex> lock(m);
        return hits[file];
    }

private:
    std::thread thread_;
};

// A program folder with its own settings (the service host) and language texts that tell the
// messages apart; a fresh data module and no server found yet.
class ClientTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeService service;
    int busyDepth = 0;
    int busyCalls = 0;

    void SetUp() override {
        AppDir = dir.path() + "/";
        writeBytes(AppDir + "Velkaro.ini", ("[Servidor]\r\nJuego=" + service.address() + "\r\n").toUtf8());
        writeBytes(AppDir + "test.lng",
                   "[Connection]\r\nMessageErrorXMLParsing=Error parsing\r\n"
                   "MessageErrorGET=Error get\r\nMessageErrorFirewall=Check the firewall\r\n"
                   "MessageErrorPassword=Error password\r\nMessageErrorGetLogin=Error login\r\n"
                   "MessageErrorGETLogout=Error logout\r\nMessageErrorGETRequest=Error request\r\n");
        SettingsIni = new IniFile(AppDir + "Velkaro.ini");
        LanguageIni = new IniFile(AppDir + "test.lng");
        DataModule1 = new TDataModule1;
        DataModule1->IdHTTP1.ConnectTimeoutMs = 2000;
        DataModule1->IdHTTP1.StallTimeoutSec = 1;
        RecommendedURL.clear();
        Cursor::SetHook([this](bool busy) {
            busyDepth += busy ? 1 : -1;
            ++busyCalls;
        });
        service.answer("servers", "<HattrickData><RecommendedURL>" + service.address().toStdString() +
                                      "</RecommendedURL></HattrickData>");
        service.files["login"] = [](const httplib::Request& req, httplib::Response& res) {
            if (req.get_param_value("actionType") == "login")
                res.set_header("Set-Cookie", "session=s1; Path=/");
            res.set_content("<HattrickData><LoginResult>0</LoginResult></HattrickData>", "text/xml");
        };
    }
    void TearDown() override {
        Cursor::SetHook(nullptr);
        delete DataModule1;
        DataModule1 = nullptr;
        delete SettingsIni;
        SettingsIni = nullptr;
        delete LanguageIni;
        LanguageIni = nullptr;
        RecommendedURL.clear();
    }
    QString cache(const QString& name) const { return AppDir + "data/Xml/" + name; }
    QString login(const QString& user = "demo", const QString& code = "velkaro") {
        QString result;
        ConexionLogin(user, code, result);
        return result;
    }
    QString download(const QString& path, const QString& file) {
        QString result;
        BajarFicheroXML(path, file, result);
        return result;
    }
};

} // namespace

TEST(AnswerText, EndsAtTheFirstZeroByteAndAfterTheFirstClosingTag) {
    EXPECT_EQ(AnswerText(QByteArray("<HattrickData/>\0<junk>", 23)), "<HattrickData/>");
    EXPECT_EQ(AnswerText("<HattrickData>1</HattrickData>\r\n<p>x</p></HattrickData>"),
              "<HattrickData>1</HattrickData>");
    EXPECT_EQ(AnswerText("\xEF\xBB\xBF<a>\xC3\xA9</a>"), QString::fromUtf8("<a>é</a>"));
    EXPECT_EQ(AnswerText("<a>\xE9</a>"), QString::fromUtf8("<a>é</a>")); // not UTF-8: Windows-1252
}

TEST_F(ClientTest, LoginSendsTheCredentialsEncodedAndTheSessionCookieReachesLaterRequests) {
    service.files["team"] = [](const httplib::Request& req, httplib::Response& res) {
        if (req.get_header_value("Cookie") != "session=s1")
            return res.set_content("<HattrickData><Error>no session</Error></HattrickData>", "text/xml");
        res.set_content(kTeam + "\r\ngarbage after the end", "text/xml");
    };
    EXPECT_EQ(login("a b&c=d", "pä#ss+"), "OK");
    EXPECT_EQ(RecommendedURL, service.address());
    EXPECT_EQ(busyDepth, 0);
    EXPECT_GT(busyCalls, 0);

    const httplib::Request& sent = service.requests.back();
    EXPECT_EQ(sent.target,
              "/common/chpp/chppxml.axd?file=login&actionType=login&loginname=a%20b%26c%3Dd"
              "&readonlypassword=p%C3%A4%23ss%2B&chppID=9967&chppKey=5B1C2E90-4A7D-4E3F-8C61-2D9A0B7E4F13");
    EXPECT_EQ(sent.get_param_value("actionType"), "login");
    EXPECT_EQ(sent.get_param_value("loginname"), "a b&c=d");
    EXPECT_FALSE(sent.has_param("c"));
    EXPECT_EQ(sent.get_param_value("readonlypassword"), "pä#ss+");
    EXPECT_EQ(sent.get_param_value("chppID"), "9967");
    EXPECT_EQ(sent.get_param_value("chppKey"), "5B1C2E90-4A7D-4E3F-8C61-2D9A0B7E4F13");

    // Trimmed after </HattrickData>, saved into a cache folder that did not exist yet.
    EXPECT_FALSE(QDir(AppDir + "data/Xml").exists());
    EXPECT_EQ(download(ChppPath + "team&teamID=1750803", cache("teamDetails.xml")), "OK");
    EXPECT_EQ(readBytes(cache("teamDetails.xml")).toStdString(), kTeam);
    EXPECT_EQ(service.requests.back().get_param_value("teamID"), "1750803");
    // Names that differ only in case are one file.
    EXPECT_EQ(download(ChppPath + "team", AppDir + "data/XML/Live.xml"), "OK");
    EXPECT_EQ(readBytes(cache("live.xml")).toStdString(), kTeam);
    EXPECT_FALSE(QFile::exists(cache("Live.xml")));

    QString result;
    ConexionLogout(result);
    EXPECT_EQ(result, "OK");
    EXPECT_EQ(service.requests.back().get_param_value("actionType"), "logout");
    EXPECT_EQ(RecommendedURL, service.address()); // logout keeps the server
    EXPECT_EQ(busyDepth, 0);
}

TEST_F(ClientTest, ServersAnswerFailures) {
    // No RecommendedURL: three tries, then the GET message with the number of tries.
    service.answer("servers", "<HattrickData><Error>busy</Error></HattrickData>");
    EXPECT_EQ(login(), "Error get 3");
    EXPECT_EQ(service.count("servers"), 3);
    EXPECT_EQ(service.count("login"), 0);

    // Not XML: one try, the parse message, no login.
    service.answer("servers", "<HattrickData><RecommendedURL>x</HattrickData>");
    const QString parse = login();
    EXPECT_TRUE(parse.startsWith("Error parsing ")) << parse.toStdString();
    EXPECT_GT(parse.size(), QString("Error parsing ").size());
    EXPECT_EQ(service.count("servers"), 4);
    EXPECT_EQ(service.count("login"), 0);
    EXPECT_EQ(RecommendedURL, "");

    // An HTTP error status: one try, no firewall hint.
    service.files.erase("servers");
    SettingsIni->WriteString("Servidor", "Juego", service.address() + "/");
    EXPECT_EQ(login(), "Error get HTTP/1.1 404 Not Found");
    EXPECT_EQ(service.count("servers"), 5);

    // Nobody listening: a socket error, with the firewall hint.
    SettingsIni->WriteString("Servidor", "Juego", QString("http://127.0.0.1:%1").arg(closedPort()));
    const QString refused = login();
    EXPECT_TRUE(refused.startsWith("Error get Socket error # ")) << refused.toStdString();
    EXPECT_TRUE(refused.endsWith(" - Check the firewall")) << refused.toStdString();
    EXPECT_EQ(busyDepth, 0);
}

TEST_F(ClientTest, LoginAnswerFailures) {
    service.answer("login", "<HattrickData><LoginResult>1</LoginResult></HattrickData>");
    EXPECT_EQ(login(), "Error password");
    EXPECT_EQ(service.count("login"), 1);

    service.files["login"] = [](const httplib::Request&, httplib::Response& res) { res.status = 500; };
    EXPECT_EQ(login(), "Error. ConexionLogin. Error login HTTP/1.1 500 Internal Server Error");
    EXPECT_EQ(service.count("login"), 2);

    QString result; // a failing logout leaves the result as passed
    ConexionLogout(result);
    EXPECT_EQ(result, "");
    service.answer("login", "<HattrickData><LoginResult>3</LoginResult></HattrickData>");
    ConexionLogout(result);
    EXPECT_EQ(result, "Error logout");
}

TEST_F(ClientTest, RefusedAnswersAreTriedThreeTimes) {
    ASSERT_EQ(login(), "OK");
    service.answer("bookmarks", "<html>Connection refused</html>");
    QString text;
    ConexionRequest(ChppPath + "bookmarks", text);
    EXPECT_EQ(text, "Error request");
    EXPECT_EQ(service.count("bookmarks"), 3);
    EXPECT_EQ(download(ChppPath + "bookmarks", cache("bookmarks.xml")),
              "Error BajarFicheroXML " + cache("bookmarks.xml"));
    EXPECT_EQ(service.count("bookmarks"), 6);

    // A translated text that does not begin with "Error" fails at the save step instead.
    LanguageIni->WriteString("Connection", "MessageErrorGETRequest", "Fehler");
    EXPECT_EQ(download(ChppPath + "bookmarks", cache("bookmarks.xml")),
              "Error SalvarFicheroXML " + cache("bookmarks.xml"));
    EXPECT_FALSE(QFile::exists(cache("bookmarks.xml")));

    // Refused once, then answered: two tries and the file is saved.
    int calls = 0;
    service.files["bookmarks"] = [&calls](const httplib::Request&, httplib::Response& res) {
        res.set_content(++calls == 1 ? "Connection refused" : "<HattrickData><BookmarkList/></HattrickData>",
                        "text/xml");
    };
    EXPECT_EQ(download(ChppPath + "bookmarks", cache("bookmarks.xml")), "OK");
    EXPECT_EQ(calls, 2);
}

TEST_F(ClientTest, RequestFailuresAndASavedFileLeftWhole) {
    QString text;
    ConexionRequest(ChppPath + "team", text); // before any login: no server, nothing sent
    EXPECT_EQ(text, "Error. ConexionRequest. Error requestNo server address");
    EXPECT_EQ(service.count("team"), 0);

    ASSERT_EQ(login(), "OK");
    service.answer("team", kTeam);
    ASSERT_EQ(download(ChppPath + "team", cache("teamDetails.xml")), "OK");

    service.files.erase("team");
    ConexionRequest(ChppPath + "team", text);
    EXPECT_EQ(text, "Error. ConexionRequest. Error requestHTTP/1.1 404 Not Found");
    EXPECT_EQ(download(ChppPath + "team", cache("teamDetails.xml")),
              "Error BajarFicheroXML " + cache("teamDetails.xml"));
    service.answer("team", "<HattrickData><Team>cut off");
    EXPECT_EQ(download(ChppPath + "team", cache("teamDetails.xml")),
              "Error SalvarFicheroXML " + cache("teamDetails.xml"));
    service.answer("team", "");
    EXPECT_EQ(download(ChppPath + "team", cache("teamDetails.xml")),
              "Error SalvarFicheroXML " + cache("teamDetails.xml"));
    EXPECT_EQ(readBytes(cache("teamDetails.xml")).toStdString(), kTeam);

    // A stalled answer ends in the failure path within the stall time-out.
    std::mutex m;
    std::condition_variable cv;
    bool released = false;
    service.files["team"] = [&](const httplib::Request&, httplib::Response& res) {
        std::unique_lock<std::mutex> lock(m);
        cv.wait_for(lock, std::chrono::seconds(20), [&] { return released; });
        res.set_content(kTeam, "text/xml");
    };
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(download(ChppPath + "team", cache("teamDetails.xml")),
              "Error BajarFicheroXML " + cache("teamDetails.xml"));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    {
        std::lock_guard<std::mutex> lock(m);
        released = true;
    }
    cv.notify_all();
    EXPECT_EQ(readBytes(cache("teamDetails.xml")).toStdString(), kTeam);
    EXPECT_EQ(busyDepth, 0);
}

TEST_F(ClientTest, AnIdThatIsNotDigitsSendsNothing) {
    ASSERT_EQ(login(), "OK");
    service.answer("players", kTeam);
    service.answer("matchdetails", kTeam);
    EXPECT_EQ(download(ChppPath + "players&teamID=../../x", cache("players_../../x.xml")),
              "Error BajarFicheroXML " + cache("players_../../x.xml"));
    EXPECT_EQ(download(ChppPath + "players&teamID=12&x=1", cache("players_12.xml")).left(5), "OK");
    EXPECT_EQ(download(ChppPath + "matchdetails&matchID=", cache("matchDetailsTemp.xml")),
              "Error BajarFicheroXML " + cache("matchDetailsTemp.xml"));
    EXPECT_EQ(download(ChppPath + "matchdetails&matchID=7 1", cache("matchDetailsTemp.xml")),
              "Error BajarFicheroXML " + cache("matchDetailsTemp.xml"));
    EXPECT_EQ(service.count("players"), 1);
    EXPECT_EQ(service.count("matchdetails"), 0);
    EXPECT_FALSE(QFile::exists(AppDir + "x.xml"));
}

TEST_F(ClientTest, InsertMissingActionTypeOnBothKinds) {
    auto leagueFile = [](int before, const char* child) {
        QByteArray text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<HattrickData>\r\n"
                          "<FileName>f.xml</FileName>\r\n<Version>1.0</Version>\r\n<UserID>1</UserID>\r\n"
                          "<FetchedDate>2026-12-06 17:00:00</FetchedDate>\r\n";
        for (int i = 4; i < before; ++i)
            text += "<Field" + QByteArray::number(i) + ">v</Field" + QByteArray::number(i) + ">\r\n";
        for (int i = 0; i < 3; ++i)
            text += QByteArray("<") + child + "><N>" + QByteArray::number(i) + "</N></" + child + ">\r\n";
        return text + "</HattrickData>\r\n";
    };
    const QString details = cache("leagueDetails.xml");
    const QString fixtures = cache("leagueFixtures.xml");
    writeBytes(details, leagueFile(10, "Team"));
    writeBytes(fixtures, leagueFile(7, "Match"));

    InsertMissingActionType(details, "leagueDetails");
    InsertMissingActionType(fixtures, "leagueFixtures");
    XmlDocument doc;
    doc.LoadFromFile(details);
    EXPECT_EQ(doc.DocumentElement().Child(4).NodeName(), "ActionType");
    EXPECT_EQ(doc.DocumentElement().Child(4).Text(), "view");
    EXPECT_EQ(doc.DocumentElement().Child(11).NodeName(), "Team");
    EXPECT_EQ(doc.DocumentElement().Child(11).ChildText("N"), "0");
    EXPECT_TRUE(readBytes(details).contains("</FetchedDate>\r<ActionType>view</ActionType>\r\n<Field4>"));
    doc.LoadFromFile(fixtures);
    EXPECT_EQ(doc.DocumentElement().Child(8).NodeName(), "Match");
    EXPECT_EQ(doc.DocumentElement().Child(4).NodeName(), "ActionType");

    // A repaired file, a file of the other kind, a missing file and a broken file are left as they are.
    const QByteArray repaired = readBytes(details);
    InsertMissingActionType(details, "leagueDetails");
    EXPECT_EQ(readBytes(details), repaired);
    const QByteArray plain = leagueFile(10, "Team");
    writeBytes(details, plain);
    InsertMissingActionType(details, "leagueFixtures");
    EXPECT_EQ(readBytes(details), plain);
    InsertMissingActionType(cache("absent.xml"), "leagueDetails");
    EXPECT_FALSE(QFile::exists(cache("absent.xml")));
    writeBytes(details, "<HattrickData><FetchedDate>");
    InsertMissingActionType(details, "leagueDetails");
    EXPECT_EQ(readBytes(details), "<HattrickData><FetchedDate>");
}

TEST_F(ClientTest, RealAnswersAreServedAndReadBack) {
    ASSERT_EQ(login(), "OK");
    service.answer("matches", sample("PiGo86_pychpp_file=matches&version=2.9.xml"));
    service.answer("worlddetails", sample("hyperar_hattrick-ultimate-manager_WorldDetails_Country.xml"));
    service.answer("live",
                   sample("PiGo86_pychpp_file=live&version=2.3&actionType=view&includeStartingLineup=True&"
                          "sourceSystem=hattrick&useLiveEventsAndTexts=True.xml"));

    ASSERT_EQ(download(ChppPath + "matches&teamID=1750803", cache("matchesTemp.xml")), "OK");
    ASSERT_EQ(download(ChppPath + "worlddetails", cache("worldDetails_Leagues.xml")), "OK");
    ASSERT_EQ(download(ChppPath + "live&version=1.4&actionType=viewNew", cache("live.xml")), "OK");

    XmlDocument& doc = DataModule1->XMLDocument1;
    doc.LoadFromFile(cache("matchesTemp.xml"));
    const XmlNode match = doc.DocumentElement().Path("Team/MatchList").Child(0);
    EXPECT_EQ(match.NodeName(), "Match");
    EXPECT_FALSE(match.ChildText("MatchID").isEmpty());
    EXPECT_FALSE(match.ChildText("HomeTeam/HomeTeamName").isEmpty());
    doc.LoadFromFile(cache("worldDetails_Leagues.xml"));
    EXPECT_FALSE(doc.DocumentElement().Path("LeagueList").Child(0).ChildText("LeagueName").isEmpty());
    doc.LoadFromFile(cache("live.xml"));
    const XmlNode event = doc.DocumentElement().Path("MatchList/Match/EventList").Child(0);
    EXPECT_TRUE(event.HasAttribute("Index"));
    EXPECT_FALSE(event.ChildText("EventText").isEmpty());
    doc.SetActive(false);
}

TEST_F(ClientTest, BinaryDownloadSavesOnlyWholeAnswers) {
    const std::string gif("GIF89a\0\x01\x02\0", 10);
    service.http.Get(
        "/DesignedMatchKits/1/2/3.Shirt.gif",
        [&](const httplib::Request&, httplib::Response& res) { res.set_content(gif, "image/gif"); });
    const QString kit = AppDir + "images/kits/3.Shirt.gif";
    DownloadBinaryFile(service.address() + "/DesignedMatchKits/1/2/3.Shirt.gif", kit);
    EXPECT_EQ(readBytes(kit).toStdString(), gif);
    DownloadBinaryFile(service.address() + "/DesignedMatchKits/none.gif", kit); // a 404 page is no picture
    EXPECT_EQ(readBytes(kit).toStdString(), gif);
    DownloadBinaryFile(service.address() + "/DesignedMatchKits/none.gif", AppDir + "images/kits/none.gif");
    EXPECT_FALSE(QFile::exists(AppDir + "images/kits/none.gif"));
    EXPECT_EQ(busyDepth, 0);
}
