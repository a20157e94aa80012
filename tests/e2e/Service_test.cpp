// velkaro-service over raw HTTP: the servers and login answers, sessions, every fault kind, the clock,
// the request log and a clean stop.
#include "scenario/World.h"
#include "support/ServiceProcess.h"

#include <QProcess>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <future>

namespace {

const std::string kChpp = "/common/chpp/chppxml.axd?file=";

bool ParsesAsXml(const std::string& text) {
    QXmlStreamReader reader(QByteArray::fromStdString(text));
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class ServiceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(service_.IsRunning()) << service_.ErrorText().toStdString(); }

    httplib::Client Client(int readTimeoutSec = 5) const {
        httplib::Client client("127.0.0.1", service_.Port());
        client.set_connection_timeout(5);
        client.set_read_timeout(readTimeoutSec);
        return client;
    }
    std::string Body(const std::string& target, const std::string& cookie = {}) const {
        httplib::Headers headers;
        if (!cookie.empty())
            headers.emplace("Cookie", cookie);
        auto res = Client().Get(target, headers);
        return res ? res->body : std::string("<no answer>");
    }

    ServiceProcess service_{1.0};
};

// Login, sessions and every fault kind as the client meets them are in ClientService_test; here what
// the client cannot see.
TEST_F(ServiceTest, SessionsAreTheServicesOwnCookie) {
    EXPECT_TRUE(Contains(Body(kChpp + "team", "chppsession=made-up"), "Not logged in"));
    // Parameters arrive percent-decoded: an encoded name is the same user.
    auto res = Client().Get(kChpp + "login&actionType=login&loginname=%64emo&readonlypassword=velkaro");
    ASSERT_TRUE(res);
    EXPECT_TRUE(Contains(res->body, "<LoginResult>0<"));
    const std::string setCookie = res->get_header_value("Set-Cookie");
    const std::string cookie = setCookie.substr(0, setCookie.find(';'));
    EXPECT_FALSE(Contains(Body(kChpp + "team", "other=1; " + cookie), "Not logged in"));
}

TEST_F(ServiceTest, FaultsCountOnceAndCanAimAtOneFileKind) {
    ASSERT_TRUE(service_.Fault("refused", 1, "servers"));
    EXPECT_FALSE(Contains(Body("/html/versionqz/versionqz.htm"), "refused")) << "other paths pass";
    ASSERT_TRUE(service_.Fault("invalidxml"));
    EXPECT_TRUE(Contains(Body(kChpp + "servers"), "Connection refused"));
    const std::string invalid = Body(kChpp + "servers");
    EXPECT_TRUE(Contains(invalid, "</HattrickData>"));
    EXPECT_FALSE(ParsesAsXml(invalid));
    EXPECT_TRUE(ParsesAsXml(Body(kChpp + "servers"))) << "a fault counts once by default";

    EXPECT_TRUE(Contains(service_.Control("/_control/fault?kind=bogus").toStdString(), "unknown fault kind"));
    EXPECT_FALSE(service_.Fault("stall", 1, {}, 1000)) << "a stall is bounded";
    EXPECT_TRUE(service_.Control("/_control/fault?kind=refused&count=5").startsWith("OK"));
    EXPECT_TRUE(service_.Control("/_control/reset").startsWith("OK"));
    EXPECT_TRUE(Contains(Body(kChpp + "servers"), "<RecommendedURL>"));

    // A stalled answer outlasts a client's time-out; the service keeps serving others meanwhile.
    ASSERT_TRUE(service_.Fault("stall", 1, {}, 30));
    EXPECT_FALSE(Client(1).Get(kChpp + "servers"));
    EXPECT_TRUE(Contains(Body(kChpp + "servers"), "<RecommendedURL>"));
}

TEST_F(ServiceTest, LogHoldsEveryRequestButTheControlOnes) {
    Body("/html/versionqz/versionqz.htm");
    service_.Control("/_control/clock");
    Body(kChpp + "login&actionType=login&loginname=a%20b&readonlypassword=x");
    EXPECT_EQ(service_.LogLines(),
              (QStringList{"/html/versionqz/versionqz.htm",
                           QString::fromStdString(kChpp + "login&actionType=login&loginname=a%20b"
                                                          "&readonlypassword=x")}));
}

TEST_F(ServiceTest, VersionPageAndUnknownPaths) {
    EXPECT_TRUE(Contains(Body("/html/versionqz/versionqz.htm"), "<body>Version=0126000"));
    for (const char* path : {"/DesignedMatchKits/none/unknown.gif", "/nothing/here"}) {
        auto res = Client().Get(path);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 404) << path;
    }
}

TEST(ServiceClockTest, StartSpeedAndControlledClock) {
    ServiceProcess frozen(0.0, QStringLiteral("2024-05-01 12:00:00"), {"--page-version", "0127001"});
    ASSERT_TRUE(frozen.IsRunning()) << frozen.ErrorText().toStdString();
    EXPECT_EQ(frozen.Control("/_control/clock"), "2024-05-01 12:00:00\n");
    httplib::Client client("127.0.0.1", frozen.Port());
    auto servers = client.Get(kChpp + "servers");
    ASSERT_TRUE(servers);
    EXPECT_TRUE(Contains(servers->body, "<FetchedDate>2024-05-01 12:00:00</FetchedDate>"));
    auto page = client.Get("/html/versionqz/versionqz.htm");
    ASSERT_TRUE(page);
    EXPECT_TRUE(Contains(page->body, "Version=0127001<"));

    const QDateTime defaultStart = World().DefaultStart();
    const QString plusTen = defaultStart.addSecs(600).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(frozen.Control("/_control/clock?set=%2B10m"), (plusTen + "\n").toUtf8());
    EXPECT_EQ(frozen.Control("/_control/clock?set=2024-06-02%2008:30:00"), "2024-06-02 08:30:00\n");
    EXPECT_TRUE(frozen.Control("/_control/clock?set=tomorrow").startsWith("set:"));

    // A relative start counts from the scenario's default start; speed 60 runs a minute per second.
    ServiceProcess early(60.0, QStringLiteral("-10m"));
    ASSERT_TRUE(early.IsRunning());
    const QDateTime now = QDateTime::fromString(QString::fromUtf8(early.Control("/_control/clock").trimmed()),
                                                QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const qint64 secondsBefore =
        QDateTime(now.date(), now.time(), defaultStart.timeZone()).secsTo(defaultStart);
    EXPECT_LE(secondsBefore, 600);
    EXPECT_GT(secondsBefore, 600 - 5 * 60) << "the clock ran too fast";
}

TEST(ServiceLifeTest, StopsCleanlyOnSigtermEvenWithAStalledRequest) {
    ServiceProcess service(1.0);
    ASSERT_TRUE(service.IsRunning());
    httplib::Client idle("127.0.0.1", service.Port());
    idle.set_keep_alive(true); // keeps its connection open
    ASSERT_TRUE(idle.Get("/html/versionqz/versionqz.htm"));
    ASSERT_TRUE(service.Fault("stall", 1, {}, 120));
    auto stalled = std::async(std::launch::async, [port = service.Port()] {
        httplib::Client client("127.0.0.1", port);
        client.set_read_timeout(30);
        return client.Get(kChpp + "servers");
    });
    // The stalled request has arrived once it is in the log.
    for (int i = 0; i < 500 && service.LogLines().size() < 2; ++i)
        stalled.wait_for(std::chrono::milliseconds(10));
    ASSERT_EQ(service.LogLines().size(), 2);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(service.Stop(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
    stalled.wait();
}

TEST(ServiceLifeTest, HelpAnswersAndBadOptionsFail) {
    QProcess help;
    help.start(QStringLiteral(VELKARO_SERVICE_BIN), {QStringLiteral("--help")});
    ASSERT_TRUE(help.waitForFinished(5000));
    EXPECT_EQ(help.exitCode(), 0);
    const QString text = QString::fromUtf8(help.readAllStandardOutput());
    EXPECT_TRUE(text.contains("--port")) << text.toStdString();

    for (const QStringList& args :
         {QStringList{"--bogus"}, QStringList{"--speed", "fast"}, QStringList{"--speed", "1e9"},
          QStringList{"--start", "yesterday"}, QStringList{"--port"}}) {
        QProcess bad;
        bad.start(QStringLiteral(VELKARO_SERVICE_BIN), args);
        ASSERT_TRUE(bad.waitForFinished(5000));
        EXPECT_EQ(bad.exitCode(), 2) << args.join(' ').toStdString();
    }
}

} // namespace
