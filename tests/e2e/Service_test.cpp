// velkaro-service over raw HTTP, what the client cannot see: sessions, the fault switch, the request log,
// the clock, the version page, unknown paths, the command line and a clean stop.
#include "scenario/World.h"
#include "support/ServiceProcess.h"

#include <QThread>
#include <QXmlStreamReader>
#include <future>
#include <gtest/gtest.h>
#include <httplib.h>

namespace {

const std::string kChpp = "/common/chpp/chppxml.axd?file=";
const std::string kVersionPage = "/html/versionqz/versionqz.htm";

bool ParsesAsXml(const std::string& text) {
    QXmlStreamReader reader(QByteArray::fromStdString(text));
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Body(const ServiceProcess& service, const std::string& target, const std::string& cookie = {},
                 int readTimeoutSec = 5) {
    httplib::Client client("127.0.0.1", service.Port());
    client.set_connection_timeout(5);
    client.set_read_timeout(readTimeoutSec);
    httplib::Headers headers;
    if (!cookie.empty())
        headers.emplace("Cookie", cookie);
    auto res = client.Get(target, headers);
    return res ? res->body : std::string("<no answer>");
}

TEST(ServiceTest, SessionsFaultsLogClockAndPages) {
    // A frozen clock ten minutes before the scenario's default start; the version page's own version.
    ServiceProcess service(0.0, QStringLiteral("-10m"), {"--page-version", "0127001"});
    ASSERT_TRUE(service.IsRunning()) << service.ErrorText().toStdString();
    const QDateTime defaultStart = World().DefaultStart();
    const QString clock = defaultStart.addSecs(-600).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(service.Control("/_control/clock"), (clock + "\n").toUtf8());
    EXPECT_TRUE(Contains(Body(service, kChpp + "servers"), "<FetchedDate>" + clock.toStdString() + "</"));
    EXPECT_TRUE(Contains(Body(service, kVersionPage), "<body>Version=0127001<"));
    // Sessions are the service's own cookie; parameters arrive percent-decoded (%64emo is demo).
    EXPECT_TRUE(Contains(Body(service, kChpp + "team", "chppsession=made-up"), "Not logged in"));
    httplib::Client client("127.0.0.1", service.Port());
    auto res = client.Get(kChpp + "login&actionType=login&loginname=%64emo&readonlypassword=velkaro");
    ASSERT_TRUE(res);
    EXPECT_TRUE(Contains(res->body, "<LoginResult>0<"));
    const std::string cookie =
        res->get_header_value("Set-Cookie").substr(0, res->get_header_value("Set-Cookie").find(';'));
    EXPECT_FALSE(Contains(Body(service, kChpp + "team", "other=1; " + cookie), "Not logged in"));
    // The log holds every request but the control ones, as sent.
    QStringList sent;
    for (const std::string& target :
         {kChpp + "servers", kVersionPage, kChpp + "team",
          kChpp + "login&actionType=login&loginname=%64emo&readonlypassword=velkaro", kChpp + "team"})
        sent << QString::fromStdString(target);
    EXPECT_EQ(service.LogLines(), sent);
    // Faults count once by default, queue up and can aim at one file kind; other paths pass.
    ASSERT_TRUE(service.Fault("refused", 1, "servers"));
    EXPECT_FALSE(Contains(Body(service, kVersionPage), "refused"));
    ASSERT_TRUE(service.Fault("invalidxml"));
    EXPECT_TRUE(Contains(Body(service, kChpp + "servers"), "Connection refused"));
    const std::string invalid = Body(service, kChpp + "servers");
    EXPECT_TRUE(Contains(invalid, "</HattrickData>"));
    EXPECT_FALSE(ParsesAsXml(invalid));
    EXPECT_TRUE(ParsesAsXml(Body(service, kChpp + "servers")));
    EXPECT_TRUE(Contains(service.Control("/_control/fault?kind=bogus").toStdString(), "unknown fault kind"));
    EXPECT_FALSE(service.Fault("stall", 1, {}, 1000)) << "a stall is bounded";
    EXPECT_TRUE(service.Control("/_control/fault?kind=refused&count=5").startsWith("OK"));
    EXPECT_TRUE(service.Control("/_control/reset").startsWith("OK"));
    EXPECT_TRUE(Contains(Body(service, kChpp + "servers"), "<RecommendedURL>"));
    // A stalled answer outlasts a client's time-out; the service keeps serving others meanwhile.
    ASSERT_TRUE(service.Fault("stall", 1, {}, 30));
    EXPECT_EQ(Body(service, kChpp + "servers", {}, 1), "<no answer>");
    EXPECT_TRUE(Contains(Body(service, kChpp + "servers"), "<RecommendedURL>"));
    // The clock is set relative to the default start or to a date; nonsense is refused.
    const QString plusTen = defaultStart.addSecs(600).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(service.Control("/_control/clock?set=%2B10m"), (plusTen + "\n").toUtf8());
    EXPECT_EQ(service.Control("/_control/clock?set=2024-06-02%2008:30:00"), "2024-06-02 08:30:00\n");
    EXPECT_TRUE(service.Control("/_control/clock?set=tomorrow").startsWith("set:"));
    for (const char* path : {"/DesignedMatchKits/none/unknown.gif", "/nothing/here"}) {
        const auto missing = client.Get(path);
        EXPECT_TRUE(missing && missing->status == 404) << path;
    }
}

TEST(ServiceLifeTest, StopsCleanlyOnSigtermEvenWithAStalledRequest) {
    ServiceProcess service(1.0);
    ASSERT_TRUE(service.IsRunning());
    EXPECT_TRUE(Contains(Body(service, kVersionPage), "<body>Version=0126000"));
    httplib::Client idle("127.0.0.1", service.Port());
    idle.set_keep_alive(true); // keeps its connection open
    ASSERT_TRUE(idle.Get(kVersionPage));
    ASSERT_TRUE(service.Fault("stall", 1, {}, 120));
    auto stalled =
        std::async(std::launch::async, [&service] { return Body(service, kChpp + "servers", {}, 30); });
    // The stalled request has arrived once it is in the log.
    const QDeadlineTimer deadline(10000);
    while (service.LogLines().size() < 3 && !deadline.hasExpired())
        QThread::yieldCurrentThread();
    ASSERT_EQ(service.LogLines().size(), 3);
    EXPECT_EQ(service.Stop(), 0) << "stopped by the signal, not killed";
    stalled.wait();
}

TEST(ServiceLifeTest, HelpAnswersAndBadOptionsFail) {
    for (const char* line :
         {"--help", "--bogus", "--speed fast", "--speed 1e9", "--start yesterday", "--port"}) {
        const QStringList args = QString(line).split(' ');
        const int code = args[0] == "--help" ? 0 : 2;
        QProcess service;
        service.start(QStringLiteral(VELKARO_SERVICE_BIN), args);
        ASSERT_TRUE(service.waitForFinished(5000));
        EXPECT_EQ(service.exitCode(), code) << args.join(' ').toStdString();
        EXPECT_EQ(service.readAllStandardOutput().contains("--port"), code == 0);
    }
}

} // namespace
