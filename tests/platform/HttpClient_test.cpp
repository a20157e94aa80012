#include "platform/HttpClient.h"
#include "support/LocalHttpServer.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <cstdlib>

// Fixed headers, cookies kept by the handle, binary bodies whole. A status of 300 or more fails with its
// status line, and redirects are not followed; a refused connection is a socket error; only http(s) is
// ever fetched. The handle stays usable.
TEST(HttpClient, HeadersCookiesBodiesStatusesRedirectsAndConnectionFailures) {
    LocalHttpServer server;
    server.http.Get("/login", [](const httplib::Request&, httplib::Response& res) {
        res.set_header("Set-Cookie", "session=abc123; Path=/");
        res.set_content("<LoginResult>0</LoginResult>", "text/xml");
    });
    server.http.Get("/echo", [](const httplib::Request& req, httplib::Response& res) {
        res.set_content(req.version + "|" + req.get_header_value("User-Agent") + "|" +
                            req.get_header_value("Accept") + "|" + req.get_header_value("Content-Type") +
                            "|" + req.get_header_value("Cookie"),
                        "text/plain");
    });
    const std::string gif("GIF89a\0\0\x01\x02\0end", 14);
    server.http.Get("/kit.gif", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(gif, "image/gif");
    });
    int targetHits = 0;
    server.http.Get("/moved",
                    [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/target"); });
    server.http.Get("/target", [&](const httplib::Request&, httplib::Response& res) {
        ++targetHits;
        res.set_content("target", "text/plain");
    });
    server.start();
    HttpClient client;
    const QString echo = "HTTP/1.1|Velkaro 1.26|text/html, */*|application/x-www-form-urlencoded|";
    EXPECT_EQ(client.Get(server.url("/kit.gif")), QByteArray(gif.data(), qsizetype(gif.size())));
    EXPECT_EQ(client.Get(server.url("/echo")), echo);
    EXPECT_EQ(client.Get(server.url("/login")), "<LoginResult>0</LoginResult>");
    EXPECT_EQ(client.Get(server.url("/echo")), echo + "session=abc123");
    EXPECT_EQ(HttpClient().Get(server.url("/echo")), echo); // a second client starts without cookies
    int closedPort = 0;
    {
        LocalHttpServer gone;
        gone.start();
        closedPort = gone.port;
    }
    client.ConnectTimeoutMs = 2000;
    // clang-format off
    const std::tuple<QString, QString, int> failures[] = {
        {server.url("/missing"), "HTTP/1.1 404 Not Found", 404}, {server.url("/moved"), "HTTP/1.1 302 Found", 302},
        {QString("http://127.0.0.1:%1/x").arg(closedPort), "Socket error # ", 0}, {"", "", 0},
        {"file:///etc/hostname", "", 0}};
    // clang-format on
    for (const auto& [url, message, status] : failures) {
        try {
            client.Get(url);
            ADD_FAILURE() << url.toStdString() << " gave an answer";
        } catch (const EHttpError& e) {
            EXPECT_TRUE(e.Message.startsWith(message)) << e.Message.toStdString();
            EXPECT_EQ(e.StatusCode, status) << url.toStdString();
        }
    }
    EXPECT_EQ(targetHits, 0);
    EXPECT_EQ(client.Get(server.url("/target")), "target");
}

// Each limit ends a hostile answer with its own message; none of them blames the firewall, which only a
// failed connection does. The handle keeps working afterwards.
TEST(HttpClient, HostileAnswersEndAtTheirLimitWithTheirOwnMessage) {
    LocalHttpServer server;
    server.http.Get("/announced", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string(4096, 'x'), "text/plain");
    });
    server.http.Get("/small", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("<HattrickData/>", "text/xml");
    });
    server.serveEndless("/endless");
    server.serveTrickle("/trickle", 20);
    server.serveTrickle("/stall", 60000); // the first byte after a minute
    server.start();
    // Path, stall limit (s), overall limit (ms), size limit, the reason and message of the failure.
    const std::tuple<const char*, int, int, qint64, EHttpError::Reason, QString> cases[] = {
        {"/stall", 1, 60000, 1 << 20, EHttpError::Reason::Stalled,
         "No data for 1 s: the request was stopped"},
        {"/trickle", 60, 300, 1 << 20, EHttpError::Reason::TimeLimit,
         "No complete answer within 0.3 s: the request was stopped"},
        {"/endless", 60, 60000, 1 << 20, EHttpError::Reason::SizeLimit,
         "The answer is larger than 1 MB and was not read"},
        {"/announced", 60, 60000, 1000, EHttpError::Reason::SizeLimit,
         "The answer is larger than 1000 bytes and was not read"},
    };
    HttpClient client;
    // By default a request ends within 30 s whatever the server does, and an answer is at most 8 MB.
    EXPECT_LE(std::max({client.OverallTimeoutMs, client.ConnectTimeoutMs, client.StallTimeoutSec * 1000}),
              30000);
    EXPECT_EQ(client.MaxAnswerBytes, 8 << 20);
    for (const auto& [path, stallSec, overallMs, maxBytes, why, message] : cases) {
        client.StallTimeoutSec = stallSec;
        client.OverallTimeoutMs = overallMs;
        client.MaxAnswerBytes = maxBytes;
        try {
            client.Get(server.url(path));
            ADD_FAILURE() << path << " came through";
        } catch (const EHttpError& e) {
            EXPECT_EQ(e.Why, why) << path;
            EXPECT_EQ(e.Message, message) << path;
        }
        EXPECT_EQ(client.Get(server.url("/small")), "<HattrickData/>") << "after " << path;
    }
    // The endless answer was dropped at its limit, not read on (64 KB a chunk).
    EXPECT_LT(server.chunksSent.load(), 1000);
}

TEST(HttpClient, ProxyWithUserAndPasswordAndNoEnvironmentProxy) {
    LocalHttpServer origin;
    origin.http.Get("/probe", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("direct", "text/plain");
    });
    origin.start();
    // A plain HTTP proxy: it receives the absolute address and answers itself.
    LocalHttpServer proxy;
    proxy.serveProxy("proxyuser", "pa ss:word");
    proxy.start();
    HttpClient client;
    client.ProxyParams.ProxyServer = "127.0.0.1";
    client.ProxyParams.ProxyPort = proxy.port;
    client.ProxyParams.ProxyUsername = "proxyuser";
    client.ProxyParams.ProxyPassword = "wrong";
    EXPECT_THROW(client.Get(origin.url("/probe")), EHttpError); // 407 Proxy Authentication Required
    client.ProxyParams.ProxyPassword = "pa ss:word";
    EXPECT_EQ(client.Get(origin.url("/probe")), "via proxy");
    EXPECT_EQ(proxy.proxied(), std::vector<std::string>{"GET " + origin.url("/probe").toStdString()});
    // Without a proxy of its own the client goes direct, whatever the environment says.
    setenv("http_proxy", proxy.url("").toUtf8().constData(), 1);
    setenv("HTTP_PROXY", proxy.url("").toUtf8().constData(), 1);
    client.ProxyParams = HttpProxyParams{};
    const QByteArray direct = client.Get(origin.url("/probe"));
    unsetenv("http_proxy");
    unsetenv("HTTP_PROXY");
    EXPECT_EQ(direct, "direct");
}
