// The HTML display of service text, and hostile answers on 127.0.0.1: nothing named is read or fetched.
#include "core/Commentary.h"
#include "core/TextBreaks.h"
#include "core/UDataModule1.h"
#include "support/LocalHttpServer.h"
#include "support/gui/WindowTest.h"
#include "viewer/HtmlDisplay.h"
#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList Runs(const QString& html) { // the rich edit's runs as "text|#rrggbb"
    QStringList runs;
    for (const RichEditRun& run : RichEditRuns(html))
        runs << run.Text + "|" + run.Colour.name();
    return runs;
}

// A named pipe that tells whether a reader opened it; the watcher lets each waiting reader go at once.
struct PipeWatch {
    explicit PipeWatch(const QString& file)
        : path(file.toStdString()), created(::mkfifo(path.c_str(), 0600) == 0) {}
    const std::string path;
    const bool created;
    std::atomic<bool> opened{false};
    std::jthread watcher{[this](std::stop_token stop) { // stopped and joined when the watch ends
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        while (!stop.stop_requested()) {
            if (const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                opened = true;
                ::close(fd);
            }
            wake.wait_for(lock, stop, std::chrono::milliseconds(2), [] { return false; });
        }
    }};
};

bool ShowsRed(QWidget* widget) { // the red picture of a local file or of a data address, drawn
    const QImage shot = widget->grab().toImage();
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (const QColor c = shot.pixelColor(x, y); c.red() > 200 && c.green() < 60 && c.blue() < 60)
                return true;
    return false;
}

} // namespace

TEST(HtmlDisplay, RichEditRunsLogoPagesPicturesAndUnbrokenText) {
    TestProgram p;
    // Player attribute no colour, unknown names orange, unclosed runs kept, plain text black in paragraphs.
    EXPECT_EQ(
        Runs(CommentaryToHtml("Goal by <font color=#5577FF \"playerID=12\">Ann Smith</font>!<br />Next")),
        QStringList({"Goal by |#000000", "Ann Smith|#5577ff", "!\rNext|#000000"}));
    EXPECT_EQ(Runs("<font color=red>1 - 0</font> and <font color=Maroon>x</font><font color=orange "
                   "\"playerID=3\">Bo</font>"),
              QStringList({"1 - 0|#ff0000", " and |#000000", "x|#800000", "Bo|#ff8040"}));
    EXPECT_EQ(Runs("plain <b>text</b><br />two"), QStringList({"plain <b>text</b>\rtwo|#000000"}));
    EXPECT_EQ(Runs("a <font color=green>b"), QStringList({"a |#000000", "b|#008000"}));
    EXPECT_TRUE(Runs(QString()).isEmpty());
    // Only six hexadecimal digits make a colour; a sign or blank a number parser would take does not.
    for (const char* text : {"#zz0000", "#-10000", "#+f+f+f", "# f0000", "#12345"})
        EXPECT_EQ(RichEditColour(text), QColor(255, 128, 64)) << text;
    EXPECT_EQ(RichEditColour("#0a0B0c"), QColor(10, 11, 12));
    RichEdit edit;
    RichEditLoadHTML(&edit, CommentaryToHtml("A <font color=red>won</font><br />B"));
    EXPECT_EQ(edit.toPlainText(), "A won\nB");
    QTextCursor cursor(edit.document());
    cursor.setPosition(4);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(255, 0, 0));
    // A logo address is escaped and must be http(s).
    EXPECT_TRUE(
        LogoPageHtml("http://a/b.png?x=1&y=\"2").contains("src=\"http://a/b.png?x=1&amp;y=&quot;2\""));
    for (const char* bad : {"javascript:alert(1)", "file:///etc/passwd"})
        EXPECT_TRUE(LogoPageHtml(bad).contains("<img src=\"\" width=\"77\"")) << bad;
    // Pictures come through the fetcher once; other schemes are never fetched.
    QStringList fetched;
    WebBrowser::ClearPictureCache();
    WebBrowser::SetFetcher([&](const QString& url) {
        fetched << url;
        return PlainPng(Qt::red);
    });
    WebBrowser browser;
    for (int i = 0; i < 2; ++i)
        WebMostrarImagen(&browser, "http://127.0.0.1:1/Logos/1.png");
    WBLoadHTML(&browser, "<img src=\"file:///etc/hostname\">");
    EXPECT_EQ(fetched, QStringList{"http://127.0.0.1:1/Logos/1.png"});
    EXPECT_EQ(browser.ReadyState(), 4);
    WebBrowser::SetFetcher(nullptr);
    WebBrowser::ClearPictureCache();
    // 300 KB without a blank: break opportunities every 40 characters, all the text, a laid-out page.
    QString word;
    for (int i = 0; i < 300 * 1024; ++i)
        word += QChar(u'a' + i % 26);
    auto longestRun = [](const QString& text) {
        int longest = 0, run = 0;
        for (const QChar c : text)
            longest = qMax(longest, run = (c.isSpace() || c == QChar(ZeroWidthSpace)) ? 0 : run + 1);
        return longest;
    };
    browser.resize(400, 300);
    WBLoadHTML(&browser, CommentaryToHtml("<font color=red>" + word + "</font> end"));
    const QString shown = browser.document()->toPlainText();
    EXPECT_LE(longestRun(shown), LongestUnbrokenRun);
    EXPECT_TRUE(QString(shown).remove(QChar(ZeroWidthSpace)).contains(word + " end"));
    browser.ScrollBy(0, 1000);
    EXPECT_GT(browser.document()->documentLayout()->documentSize().height(), 1000);
    RichEditLoadHTML(&edit, CommentaryToHtml(word));
    EXPECT_LE(longestRun(edit.toPlainText()), LongestUnbrokenRun);
    EXPECT_EQ(edit.toPlainText().remove(QChar(ZeroWidthSpace)), word);
}

// Markup in a live answer names a red picture, a pipe, another host and a data address: the labels show
// it as text, the pages show the text without pictures, and nothing named is read or fetched. A logo
// comes over https through the user's proxy; one trickled or endless fails at its limit, the page shown.
TEST(HostileAnswers, MarkupFetchesNothingItNamesAndLogosComeThroughTheProxyWithinLimits) {
    TestProgram p;
    QTemporaryDir dir;
    const QString red = dir.path() + "/red.png", pipe = dir.path() + "/pipe";
    WriteFile(red, PlainPng(Qt::red));
    PipeWatch watch(pipe);
    ASSERT_TRUE(watch.created);
    std::atomic<int> spyHits{0};
    LocalHttpServer spy;
    spy.http.Get(".*", [&](const httplib::Request&, httplib::Response& res) {
        ++spyHits;
        res.set_content(PlainPng(Qt::red).toStdString(), "image/png");
    });
    spy.start();
    const QString images = "<img src=\"" + red + "\"><img src=\"file://" + red + "\"><img src=\"" + pipe +
                           "\" width=20000 height=20000><img src=\"" + spy.url("/logo.png") + "\">";
    const QString homeName = "<b>Bold</b>" + images;
    const QString texts[] = {
        homeName + " lined up.",
        "Goal by Smith! " + images + "<img src=\"data:image/png;base64," + PlainPng(Qt::red).toBase64() +
            "\">",
        "<div style=\"background-image: url(" + pipe + ")\">x</div><table background=\"" + red +
            "\"><tr><td>y</td></tr></table><table background=\"" + spy.url("/bg.png") +
            "\"><tr><td>z</td></tr></table>",
        "Style.<link rel=\"stylesheet\" href=\"" + pipe + "\"><style>@import url(" + pipe + ");</style>",
    };
    QString events;
    for (int i = 0; i < 4; ++i)
        events +=
            QString("<Event Index=\"%1\"><Minute>%1</Minute><SubjectTeamID>11</SubjectTeamID><EventKey>%2"
                    "</EventKey><EventText>%3</EventText></Event>")
                .arg(i)
                .arg(i ? "100_1" : "20_0", texts[i].toHtmlEscaped());
    const QString live =
        "<HattrickData><FileName>live.xml</FileName><MatchList><Match><MatchID>7001</MatchID>"
        "<HomeTeam><HomeTeamID>11</HomeTeamID><HomeTeamName>" +
        homeName.toHtmlEscaped() + "</HomeTeamName>" +
        "</HomeTeam><AwayTeam><AwayTeamID>12</AwayTeamID><AwayTeamName>Away FC</AwayTeamName>"
        "</AwayTeam><EventList>" +
        events + "</EventList></Match></MatchList></HattrickData>";
    LocalHttpServer service;
    service.http.Get("/common/chpp/chppxml.axd", [&](const httplib::Request& req, httplib::Response& res) {
        if (req.get_param_value("file") == "live")
            res.set_content(live.toStdString(), "text/xml");
        else
            res.status = 404;
    });
    service.serveTrickle("/trickle.png", 20);
    service.serveEndless("/endless.png");
    service.start();
    RecommendedURL = service.url("");
    FPartidos->PanelConexion->setHidden(true);
    FPartidos->PanelPartidos->setHidden(false);
    FPartidos->resize(1280, 900);
    ShowSlot(0);
    FPartidos->AnadirPartidoVivo("7001", 0, false);
    RebuildSlot(0);
    EXPECT_FALSE(ShowsRed(FPartidos->WebBrowserEventos) || ShowsRed(FPartidos->WebBrowserEventosPanel));
    for (int r = 1; r <= 4; ++r) { // each event on its own in the event browser
        FPartidos->BKStringGridListaEventos.SetRow(r);
        FPartidos->BKStringGridListaEventosClick();
        EXPECT_FALSE(ShowsRed(FPartidos->WebBrowserEvento1)) << r;
    }
    EXPECT_FALSE(watch.opened) << "the named pipe was opened";
    EXPECT_EQ(spyHits.load(), 0) << "another host was asked";
    EXPECT_EQ(FPartidos->LabelEventosPanelEquipos->text(), homeName.left(200) + " - Away FC"); // cut
    EXPECT_EQ(FPartidos->LabelSumarioEquipos->text(), homeName.left(12) + " - Away FC");
    const QTextDocument* page = FPartidos->WebBrowserEventos->document();
    for (const char* shown : {"lined up.", "Goal by Smith!", "Style."})
        EXPECT_TRUE(page->toPlainText().contains(shown)) << shown;
    EXPECT_LT(page->documentLayout()->documentSize().height(), 2000); // no place for 20000 x 20000
    for (QWidget* window : {static_cast<QWidget*>(FPartidos), static_cast<QWidget*>(FOptions)})
        for (const QLabel* label : window->findChildren<QLabel*>())
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    LocalHttpServer proxy;
    proxy.serveProxy("proxyuser", "pa ss");
    proxy.start();
    DataModule1->IdHTTP1.ProxyParams = {"127.0.0.1", proxy.port, "proxyuser", "pa ss"};
    WebBrowser::ClearPictureCache();
    WebBrowser browser;
    WebMostrarImagen(&browser, " //logo.test/logos/7.png");
    EXPECT_EQ(proxy.proxied(), std::vector<std::string>{"CONNECT logo.test:443"});
    EXPECT_TRUE(browser.Html().contains("src=\"https://logo.test/logos/7.png\""));
    DataModule1->IdHTTP1.ProxyParams = {};
    const WebBrowser::PictureLimits saved = WebBrowser::Limits();
    WebBrowser::Limits().OverallTimeoutMs = 300;
    WebBrowser::Limits().MaxBytes = 64 * 1024;
    for (const auto& [path, error] :
         {std::pair{"/trickle.png", "No complete answer within 0.3 s: the request was stopped"},
          {"/endless.png", "The answer is larger than 65536 bytes and was not read"}}) {
        WebMostrarImagen(&browser, service.url(path));
        EXPECT_EQ(WebBrowser::LastPictureError(), error);
        EXPECT_TRUE(browser.HasDocument() && browser.Html().contains(service.url(path)));
    }
    WebBrowser::Limits() = saved;
    WebBrowser::ClearPictureCache();
}

// A page that grew at its end gets only its new part, and shows what the whole page loaded anew shows;
// a page whose end leaves something open (or splits a reference) is loaded whole.
TEST(HtmlDisplay, AGrownPageGetsItsNewPartOnlyWhenNothingIsLeftOpen) {
    const QString head = CommentaryPagePrefix.toString(), tail = CommentaryPageSuffix.toString();
    for (const auto& [shown, added, extends] :
         {std::tuple{"<a href=x>Smith</a> scores 1 - 0.", "&bull;&nbsp;A <b>save</b>.<br>", true},
          {"A save.<br><br>", "<font color=red>Red</font>", true},
          {"<font color=red>Red still", " open", false},
          {"<font color=red>Red still", "open", false},
          {"<ul><li>One</li><li>Two", "three</li></ul>", false},
          {"AT&am", "p;T", false}}) {
        WebBrowser grown, whole;
        grown.Navigate("about:blank");
        grown.LoadHtml(head + shown + tail);
        whole.LoadHtml(head + shown + added + tail);
        EXPECT_EQ(grown.ExtendHtml(head + shown + added + tail, head, tail), extends) << shown;
        if (extends) {
            EXPECT_EQ(grown.document()->toHtml(), whole.document()->toHtml()) << shown;
        }
    }
}

// A grown page is painted again only from its last lines down: what the screen shows is what a page
// loaded whole shows, wherever the page stands and however often it grew.
TEST(HtmlDisplay, AGrownPageLooksOnScreenLikeThePageLoadedWhole) {
    const QString head = CommentaryPagePrefix.toString(), tail = CommentaryPageSuffix.toString();
    const auto events = [](int from, int to) {
        QString text;
        for (int i = from; i < to; ++i)
            text += QString("&bull;&nbsp;<font color=#000080>Player %1</font> of Team %2 at work, %3 - %4.")
                        .arg(i % 22)
                        .arg(i % 3 ? "Rovers" : "Athletic United")
                        .arg(i % 4)
                        .arg(i % 5);
        return text;
    };
    QWidget window;
    window.resize(660, 200);
    WebBrowser grown(&window), whole(&window);
    for (WebBrowser* browser : {&grown, &whole}) {
        browser->setGeometry(browser == &grown ? 0 : 330, 0, 320, 200);
        browser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    window.show();
    const auto onScreen = [&window](const WebBrowser& browser) {
        QCoreApplication::processEvents();
        const QRect area(browser.viewport()->mapTo(&window, QPoint(0, 0)), browser.viewport()->size());
        return window.screen()
            ->grabWindow(window.winId(), area.x(), area.y(), area.width(), area.height())
            .toImage();
    };
    // The top, a place in the middle, and the end.
    for (const int at : {0, 150, 100000}) {
        grown.LoadHtml(head + events(0, 30) + tail);
        grown.ScrollTo(0, at);
        onScreen(grown);
        for (int to = 33; to <= 42; to += 3) {
            const QString page = head + events(0, to) + tail;
            ASSERT_TRUE(grown.ExtendHtml(page, head, tail));
            grown.ScrollTo(0, at);
            whole.LoadHtml(page);
            whole.ScrollTo(0, at);
            EXPECT_EQ(grown.verticalScrollBar()->value(), whole.verticalScrollBar()->value());
            EXPECT_EQ(onScreen(grown), onScreen(whole)) << at << " " << to;
        }
    }
}
