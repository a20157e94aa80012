// Hostile answers served on 127.0.0.1: pages and team names that name local files, a named pipe and
// other hosts; club logos through the user's proxy, sent a byte at a time or without end; commentary
// without a blank. Nothing is read or fetched that the page names, and the page is still shown.
#include "core/Commentary.h"
#include "core/DataStore.h"
#include "core/TextBreaks.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/widgets/RichEdit.h"
#include "platform/widgets/WebBrowser.h"
#include "shell/UOptions.h"
#include "support/LocalHttpServer.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/HtmlDisplay.h"
#include "viewer/UPartidos.h"

#include <QAbstractTextDocumentLayout>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A named pipe that tells whether anything opened it for reading. A reader would wait in its open until
// a writer comes; the watcher keeps opening it for writing, which succeeds only while a reader waits,
// notes it and lets the reader go at once (it reads an empty file).
class PipeWatch {
public:
    explicit PipeWatch(const QString& path) : path_(path.toStdString()) {
        created_ = ::mkfifo(path_.c_str(), 0600) == 0;
        thread_ = std::thread([this] {
            std::unique_lock<std::mutex> lock(mutex_);
            while (!stop_) {
                const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    opened_ = true;
                    ::close(fd);
                }
                wake_.wait_for(lock, std::chrono::milliseconds(2), [this] { return stop_; });
            }
        });
    }
    ~PipeWatch() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    bool Created() const { return created_; }
    bool Opened() const { return opened_; }

private:
    std::string path_;
    bool created_ = false;
    std::atomic<bool> opened_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};

// True when the widget, drawn, shows any red: the red picture of a local file or a data address.
bool ShowsRed(QWidget* widget) {
    const QImage shot = widget->grab().toImage();
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                return true;
        }
    return false;
}

// What hostile pages and names point at: a red picture on disk, a named pipe and another host.
class HostileTargets : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        WriteFile(redFile, PlainPng(Qt::red));
        ASSERT_TRUE(pipe.Created());
        spy.http.Get(".*", [this](const httplib::Request&, httplib::Response& res) {
            ++spyHits;
            res.set_content(PlainPng(Qt::red).toStdString(), "image/png");
        });
        spy.start();
    }
    void TearDown() override {
        EXPECT_FALSE(pipe.Opened()) << "the named pipe was opened";
        EXPECT_EQ(spyHits.load(), 0) << "another host was asked";
    }
    // Tags naming each target, one of them asking for a huge picture.
    QString Images() const {
        return "<img src=\"" + redFile + "\"><img src=\"file://" + redFile + "\"><img src=\"" + pipePath +
               "\" width=20000 height=20000><img src=\"" + spy.url("/logo.png") + "\">";
    }

    QTemporaryDir dir;
    QString redFile = dir.path() + "/red.png";
    QString pipePath = dir.path() + "/pipe";
    PipeWatch pipe{pipePath};
    LocalHttpServer spy;
    std::atomic<int> spyHits{0};
};

} // namespace

// Every way a page can name a resource, in a commentary page: nothing named is read or fetched, no red
// is drawn, and the page's text is shown.
TEST_F(HostileTargets, CommentaryPagesReadAndFetchNothingTheyName) {
    TestProgram p;
    const QString dataPng = "data:image/png;base64," + QString::fromLatin1(PlainPng(Qt::red).toBase64());
    const QString pages[] = {
        Images(),
        "<img src=\"" + dataPng + "\">",
        "<div style=\"background-image: url(" + pipePath + ")\">x</div>",
        "<table background=\"" + redFile + "\"><tr><td>x</td></tr></table>",
        "<table background=\"" + spy.url("/bg.png") + "\"><tr><td>x</td></tr></table>",
        "<link rel=\"stylesheet\" href=\"" + pipePath + "\">",
        "<style>@import url(" + pipePath + ");</style>",
        "<a href=\"" + pipePath + "\">link</a>",
    };
    WebBrowser browser;
    browser.resize(500, 300);
    for (const QString& hostile : pages) {
        WBLoadHTML(&browser, CommentaryToHtml("Shown text " + hostile));
        EXPECT_TRUE(browser.document()->toPlainText().contains("Shown text"))
            << hostile.left(80).toStdString();
        EXPECT_FALSE(ShowsRed(&browser)) << hostile.left(80).toStdString();
        // A page with a picture of 20000 x 20000 does not reserve its place.
        EXPECT_LT(browser.document()->documentLayout()->documentSize().height(), 1000);
    }
}

// A live answer whose team name and event text carry markup and pictures: the labels show the name as
// it is, the pages show the text, and nothing named is read or fetched.
TEST_F(HostileTargets, TeamNamesAndEventsOfALiveAnswerAreShownAsText) {
    TestProgram p;
    const QString homeName = "<b>Bold</b>" + Images();
    const QString eventText = "Goal by Smith! " + Images();
    const QString live =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><HattrickData><FileName>live.xml</FileName>"
        "<FetchedDate>2024-03-16 19:30:00</FetchedDate><MatchList><Match><MatchID>7001</MatchID>"
        "<HomeTeam><HomeTeamID>11</HomeTeamID><HomeTeamName>" +
        homeName.toHtmlEscaped() +
        "</HomeTeamName></HomeTeam><AwayTeam><AwayTeamID>12</AwayTeamID><AwayTeamName>Away FC"
        "</AwayTeamName></AwayTeam><MatchDate>2024-03-16 19:00:00</MatchDate><EventList>"
        "<Event Index=\"0\"><Minute>0</Minute><SubjectPlayerID>0</SubjectPlayerID><SubjectTeamID>11"
        "</SubjectTeamID><ObjectPlayerID>0</ObjectPlayerID><EventKey>20_0</EventKey><EventText>" +
        homeName.toHtmlEscaped() +
        " lined up.</EventText></Event><Event Index=\"1\"><Minute>12</Minute><SubjectPlayerID>5"
        "</SubjectPlayerID><SubjectTeamID>11</SubjectTeamID><ObjectPlayerID>0</ObjectPlayerID><EventKey>"
        "100_1</EventKey><EventText>" +
        eventText.toHtmlEscaped() + "</EventText></Event></EventList></Match></MatchList></HattrickData>";
    LocalHttpServer service;
    service.http.Get("/common/chpp/chppxml.axd", [&](const httplib::Request& req, httplib::Response& res) {
        if (req.get_param_value("file") == "live")
            res.set_content(live.toStdString(), "text/xml");
        else
            res.status = 404;
    });
    service.start();
    RecommendedURL = service.url("");

    FPartidos->PanelConexion->setHidden(true);
    FPartidos->PanelPartidos->setHidden(false);
    FPartidos->resize(1280, 900);
    ShowSlot(0);
    FPartidos->AnadirPartidoVivo("7001", 0, false);
    ASSERT_EQ(FOptions->BKStringGrid10Partidos().Cells(MatchColumn::HomeName, 0), homeName);
    RebuildSlot(0);
    FPartidos->BKStringGridListaEventosClick();
    EXPECT_FALSE(ShowsRed(FPartidos));

    EXPECT_EQ(FPartidos->LabelEventosPanelEquipos->text(), homeName + " - Away FC");
    EXPECT_EQ(FPartidos->LabelSumarioEquipos->text(), homeName.left(12) + " - Away FC");
    EXPECT_TRUE(FPartidos->WebBrowserEventos->document()->toPlainText().contains("Goal by Smith!"));
    EXPECT_TRUE(FPartidos->WebBrowserEventosPanel->document()->toPlainText().contains("lined up."));
    // Every label of the windows shows its text as it is.
    for (QWidget* window : {static_cast<QWidget*>(FPartidos), static_cast<QWidget*>(FOptions)})
        for (const QLabel* label : window->findChildren<QLabel*>())
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}

// The logo page fetches its one picture, a protocol-relative address over https, through the user's
// proxy with its credentials; a logo sent a byte at a time or without end fails at its limit and the
// page is still shown.
TEST(HtmlDisplayLogos, FetchedOverHttpsThroughTheProxyAndWithinTheLimits) {
    TestProgram p;
    LocalHttpServer proxy;
    proxy.serveProxy("proxyuser", "pa ss");
    proxy.start();
    DataModule1->IdHTTP1.ProxyParams = {"127.0.0.1", proxy.port, "proxyuser", "pa ss"};
    WebBrowser::ClearPictureCache();
    WebBrowser browser;

    EXPECT_EQ(LogoAddress(" //logo.test/logos/7.png"), "https://logo.test/logos/7.png");
    WebMostrarImagen(&browser, "//logo.test/logos/7.png");
    EXPECT_EQ(proxy.proxied(), std::vector<std::string>{"CONNECT logo.test:443"});
    EXPECT_TRUE(browser.Html().contains("src=\"https://logo.test/logos/7.png\""));
    EXPECT_FALSE(WebBrowser::LastPictureError().isEmpty());

    LocalHttpServer logos;
    logos.serveTrickle("/trickle.png", 20);
    logos.serveEndless("/endless.png");
    logos.start();
    DataModule1->IdHTTP1.ProxyParams = {};
    const WebBrowser::PictureLimits saved = WebBrowser::Limits();
    WebBrowser::Limits().OverallTimeoutMs = 300;
    WebBrowser::Limits().MaxBytes = 64 * 1024;
    const struct {
        const char* path;
        const char* error;
    } cases[] = {{"/trickle.png", "No complete answer within 0.3 s: the request was stopped"},
                 {"/endless.png", "The answer is larger than 65536 bytes and was not read"}};
    for (const auto& c : cases) {
        WebMostrarImagen(&browser, logos.url(c.path));
        EXPECT_EQ(WebBrowser::LastPictureError(), c.error);
        EXPECT_TRUE(browser.HasDocument());
        EXPECT_TRUE(browser.Html().contains(logos.url(c.path)));
    }
    WebBrowser::Limits() = saved;
    WebBrowser::ClearPictureCache();
}

// 300 KB without a blank: the page and the rich edit get a break opportunity in every 40 characters,
// the text is all there and the page is laid out.
TEST(HtmlDisplayLayout, UnbrokenTextGetsBreakOpportunities) {
    TestProgram p;
    QString word;
    for (int i = 0; i < 300 * 1024; ++i)
        word += QChar(u'a' + i % 26);
    auto longestRun = [](const QString& text) {
        int longest = 0, run = 0;
        for (const QChar c : text) {
            run = (c.isSpace() || c == QChar(ZeroWidthSpace)) ? 0 : run + 1;
            longest = qMax(longest, run);
        }
        return longest;
    };

    WebBrowser browser;
    browser.resize(400, 300);
    WBLoadHTML(&browser, CommentaryToHtml("<font color=red>" + word + "</font> end"));
    const QString shown = browser.document()->toPlainText();
    EXPECT_LE(longestRun(shown), LongestUnbrokenRun);
    EXPECT_TRUE(QString(shown).remove(QChar(ZeroWidthSpace)).contains(word + " end"));
    browser.ScrollBy(0, 1000);
    EXPECT_GT(browser.document()->documentLayout()->documentSize().height(), 1000);

    RichEdit edit;
    RichEditLoadHTML(&edit, CommentaryToHtml(word));
    EXPECT_LE(longestRun(edit.toPlainText()), LongestUnbrokenRun);
    EXPECT_EQ(edit.toPlainText().remove(QChar(ZeroWidthSpace)), word);
}
