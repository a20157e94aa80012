// What the substitute service cannot produce: the real answers of the game service served and read
// back, the cut of an answer at byte level, and league files the service never sends (missing,
// broken, of the other kind). Every failure path against a service is in e2e/ClientService_test.
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/XmlDocument.h"

#include "support/Samples.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <thread>

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Serves the real sample answers, one per "file" request.
class SampleService {
public:
    explicit SampleService(const std::map<std::string, QString>& samples) {
        for (const auto& [file, fragment] : samples)
            bodies_[file] = readBytes(SampleFile(fragment)).toStdString();
        http_.Get("/common/chpp/chppxml.axd", [this](const httplib::Request& req, httplib::Response& res) {
            const auto it = bodies_.find(req.get_param_value("file"));
            if (it == bodies_.end())
                res.status = 404;
            else
                res.set_content(it->second, "text/xml");
        });
        port_ = http_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { http_.listen_after_bind(); });
        while (!http_.is_running())
            std::this_thread::yield();
    }
    ~SampleService() {
        http_.stop();
        thread_.join();
    }
    QString Address() const { return QString("http://127.0.0.1:%1").arg(port_); }

private:
    httplib::Server http_;
    std::map<std::string, std::string> bodies_;
    int port_ = 0;
    std::thread thread_;
};

} // namespace

TEST(AnswerText, EndsAtTheFirstZeroByteAndAfterTheFirstClosingTag) {
    EXPECT_EQ(AnswerText(QByteArray("<HattrickData/>\0<junk>", 23)), "<HattrickData/>");
    EXPECT_EQ(AnswerText("<HattrickData>1</HattrickData>\r\n<p>x</p></HattrickData>"),
              "<HattrickData>1</HattrickData>");
    EXPECT_EQ(AnswerText("\xEF\xBB\xBF<a>\xC3\xA9</a>"), QString::fromUtf8("<a>é</a>"));
    EXPECT_EQ(AnswerText("<a>\xE9</a>"), QString::fromUtf8("<a>é</a>")); // not UTF-8: Windows-1252
}

TEST(RealAnswers, AreSavedAndReadBackWhereTheReadersLook) {
    SampleService service(
        {{"matches", "matches.xml"}, {"worlddetails", "worlddetails-bom"}, {"live", "live-view"}});
    QTemporaryDir dir;
    AppDir = dir.path() + "/";
    DataModule1 = new TDataModule1;
    RecommendedURL = service.Address();
    auto download = [](const QString& path, const QString& file) {
        QString result;
        BajarFicheroXML(ChppPath + path, AppDir + "data/Xml/" + file, result);
        return result;
    };
    ASSERT_EQ(download("matches&teamID=1750803", "matchesTemp.xml"), "OK");
    ASSERT_EQ(download("worlddetails", "worldDetails_Leagues.xml"), "OK");
    ASSERT_EQ(download("live&version=1.4&actionType=viewNew", "live.xml"), "OK");

    XmlDocument& doc = DataModule1->XMLDocument1;
    doc.LoadFromFile(AppDir + "data/Xml/matchesTemp.xml");
    const XmlNode match = doc.DocumentElement().Path("Team/MatchList").Child(0);
    EXPECT_EQ(match.NodeName(), "Match");
    EXPECT_FALSE(match.ChildText("MatchID").isEmpty());
    EXPECT_FALSE(match.ChildText("HomeTeam/HomeTeamName").isEmpty());
    doc.LoadFromFile(AppDir + "data/Xml/worldDetails_Leagues.xml");
    EXPECT_FALSE(doc.DocumentElement().Path("LeagueList").Child(0).ChildText("LeagueName").isEmpty());
    doc.LoadFromFile(AppDir + "data/Xml/live.xml");
    const XmlNode event = doc.DocumentElement().Path("MatchList/Match/EventList").Child(0);
    EXPECT_TRUE(event.HasAttribute("Index"));
    EXPECT_FALSE(event.ChildText("EventText").isEmpty());
    doc.SetActive(false);

    delete DataModule1;
    DataModule1 = nullptr;
    RecommendedURL.clear();
}

TEST(InsertMissingActionType, LeavesFilesItCannotRepairAsTheyAre) {
    QTemporaryDir dir;
    const QString details = dir.filePath("leagueDetails.xml");
    // An older details file, but fixed up as fixtures: the eighth child is no Match, nothing moves.
    QByteArray old = "<HattrickData>\r\n<FileName>f.xml</FileName>\r\n<Version>1.0</Version>\r\n"
                     "<UserID>1</UserID>\r\n<FetchedDate>2026-12-06 17:00:00</FetchedDate>\r\n";
    for (int i = 4; i < 10; ++i)
        old += "<F" + QByteArray::number(i) + ">v</F" + QByteArray::number(i) + ">\r\n";
    old += "<Team><N>0</N></Team>\r\n</HattrickData>\r\n";
    writeBytes(details, old);
    InsertMissingActionType(details, "leagueFixtures");
    EXPECT_EQ(readBytes(details), old);

    InsertMissingActionType(dir.filePath("absent.xml"), "leagueDetails");
    EXPECT_FALSE(QFile::exists(dir.filePath("absent.xml")));
    writeBytes(details, "<HattrickData><FetchedDate>");
    InsertMissingActionType(details, "leagueDetails");
    EXPECT_EQ(readBytes(details), "<HattrickData><FetchedDate>");
}

// Every real answer is the answer of the file its request names, and of no other; the service's error
// document and another root are the answer of nothing.
TEST(IsAnswerOf, TellsTheFileAskedForFromErrorDocumentsAndOtherFiles) {
    const QStringList names = {"bookmarks",     "live",    "matchdetails", "matches",     "matchlineup",
                               "playerdetails", "players", "teamdetails",  "worlddetails"};
    const QStringList samples = {"bookmarks",   "live-view",   "matchdetails.xml",
                                 "matches.xml", "matchlineup", "playerdetails",
                                 "players-bom", "teamdetails", "worlddetails-bom"};
    XmlDocument doc;
    for (int i = 0; i < names.size(); ++i) {
        doc.LoadFromFile(SampleFile(samples[i]));
        for (int j = 0; j < names.size(); ++j)
            EXPECT_EQ(IsAnswerOf(doc.DocumentElement(), names[j] + ".xml"), i == j)
                << samples[i].toStdString();
    }
    for (const char* other :
         {"<HattrickData><FileName>chpperror.xml</FileName><Error>x</Error></HattrickData>",
          "<Other><FileName>matchdetails.xml</FileName></Other>", "<HattrickData/>"}) {
        doc.SetXML(QString::fromLatin1(other));
        doc.SetActive(true);
        EXPECT_FALSE(IsAnswerOf(doc.DocumentElement(), "matchdetails.xml")) << other;
    }
    doc.SetXML("<HattrickData><FileName>\r\n  MatchDetails.XML </FileName></HattrickData>");
    doc.SetActive(true);
    EXPECT_TRUE(IsAnswerOf(doc.DocumentElement(), "matchdetails.xml"));
}
