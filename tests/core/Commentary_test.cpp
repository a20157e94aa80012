#include "core/Commentary.h"
#include "core/Settings.h"
#include "platform/IniFile.h"

#include "support/Samples.h"
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>
#include <vector>

// Readable failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

const QString Pre = CommentaryPagePrefix.toString();

QString page(const QString& body) {
    return Pre + body + "</body>";
}

// Installs a language file with the given [Matches] ReportPercent for one test; no file: defaults.
class LanguageFixture {
public:
    explicit LanguageFixture(const QString* reportPercent) {
        if (reportPercent) {
            QFile f(dir_.filePath("test.lng"));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(("[Matches]\r\nReportPercent=" + *reportPercent + "\r\n").toUtf8());
            f.close();
            ini_ = std::make_unique<IniFile>(dir_.filePath("test.lng"));
        }
        LanguageIni = ini_.get();
    }
    ~LanguageFixture() { LanguageIni = nullptr; }

private:
    QTemporaryDir dir_;
    std::unique_ptr<IniFile> ini_;
};

QString link(QStringView form, const QString& id, const QString& text) {
    return "<a href" + form.toString() + id + "\" title=\"" + text + "\" class=\"homeplayer\">" + text +
           "</a>";
}

} // namespace

TEST(CommentaryToHtml, FramesTheTextAndDropsBulletsAfterDoubleBreaks) {
    LanguageFixture lang(nullptr);
    EXPECT_EQ(CommentaryToHtml(""), Pre + "</body>");
    EXPECT_EQ(CommentaryToHtml("Plain text."), page("Plain text."));
    EXPECT_EQ(CommentaryToHtml("<br /><br />&bull;&nbsp;Goal"), page("<br /><br />Goal"));
    EXPECT_EQ(CommentaryToHtml("<BR><BR>&bull;&nbsp;Goal"), page("<br /><br />Goal"));
    EXPECT_EQ(CommentaryToHtml("x&bull;&nbsp;y"), page("x&bull;&nbsp;y"));
}

TEST(CommentaryToHtml, TurnsLinksIntoDarkBlueRuns) {
    LanguageFixture lang(nullptr);
    EXPECT_EQ(CommentaryToHtml("Fans of <a href=\"/Club/?TeamID=5\">Team</a> sang."),
              page("Fans of <font color=#000088>Team</font> sang."));
    EXPECT_EQ(CommentaryToHtml("<A HREF=\"/Club/?TeamID=5\">Team</A>"),
              page("<font color=#000088>Team</font>"));
    EXPECT_EQ(LinksToFont("<a href=\"x\" class=\"y\">T</a>", "<a"), "<font color=#000088>T</a>");
    // No quoted tag end after the opening: the rest stays, and the scan ends.
    EXPECT_EQ(LinksToFont("a <a href=x>T</a>", "<a"), "a <a href=x>T</a>");
    // A tag that does not end in "> ends at its own ">" and swallows nothing after it.
    EXPECT_EQ(LinksToFont("<a href=x>T</a> and <a href=\"y\">U</a>", "<a"),
              "<font color=#000088>T</a> and <font color=#000088>U</a>");
}

TEST(ColourScores, PaintsScoresAndReplacesOtherSeparators) {
    EXPECT_EQ(ColourScores("won 2 - 1 today", " - ", " // "), "won<font color=red> 2-1 </font>today");
    EXPECT_EQ(ColourScores("10 - 12", " - ", " // "), "<font color=red>10-12</font>");
    EXPECT_EQ(ColourScores("North - South", " - ", " // "), "North // South");
    EXPECT_EQ(ColourScores("1 - 0 and 2 - 2, A - B", " - ", " // "),
              "<font color=red>1-0 </font>and<font color=red> 2-2,</font> A // B");
    // Unframed text: a separator at the very start, a score at the very start.
    EXPECT_EQ(ColourScores(" - x", " - ", " // "), " // x");
    EXPECT_EQ(ColourScores("3 - 0", " - ", " // "), "<font color=red>3-0</font>");
}

TEST(ColourScores, NeverTakesATagDelimiterIntoTheRun) {
    LanguageFixture lang(nullptr);
    // Score at the very start and the very end of the text: the page's tags stay whole.
    EXPECT_EQ(CommentaryToHtml("3 - 0 win"), page("<font color=red>3-0 </font>win"));
    EXPECT_EQ(CommentaryToHtml("won 2 - 1"), page("won<font color=red> 2-1</font>"));
    EXPECT_EQ(CommentaryToHtml("1 - 0"), page("<font color=red>1-0</font>"));
    EXPECT_EQ(CommentaryToHtml("<b>3 - 1</b>"), page("<b><font color=red>3-1</font></b>"));
}

TEST(ColourPercentages, PaintsTheTwoCharactersBeforeTheSuffix) {
    EXPECT_EQ(ColourPercentages("75% ", "% "), "<font color=green>75%</font> ");
    EXPECT_EQ(ColourPercentages("x 5% y", "% "), "x<font color=green> 5%</font> y");
    EXPECT_EQ(ColourPercentages("100% ", "% "), "1<font color=green>00%</font> ");
    EXPECT_EQ(ColourPercentages("a 60 por ciento, b", " por ciento,"),
              "a <font color=green>60 por ciento</font>, b");
    EXPECT_EQ(ColourPercentages("5% and 7% ", "% "),
              "<font color=green>5%</font> and<font color=green> 7%</font> ");
}

TEST(ColourPercentages, UsesTheLanguageWordAndNeverBreaksTags) {
    {
        LanguageFixture lang(nullptr); // no language file: the default word
        EXPECT_EQ(CommentaryToHtml("had 60 por ciento, then 40 por ciento of it"),
                  page("had <font color=green>60 por ciento</font>, then <font color=green>40 por "
                       "ciento</font> of it"));
        // At the very start of the text the prefix's ">" stays where it is.
        EXPECT_EQ(CommentaryToHtml("75% possession"), page("<font color=green>75%</font> possession"));
        EXPECT_EQ(CommentaryToHtml("5% only"), page("<font color=green>5%</font> only"));
    }
    {
        const QString word = "percent";
        LanguageFixture lang(&word);
        EXPECT_EQ(CommentaryToHtml("with 55 percent of the ball"),
                  page("with <font color=green>55 percent</font> of the ball"));
    }
    {
        const QString empty = "";
        LanguageFixture lang(&empty); // suffixes "  " and " ,": still painted, terminates, tags whole
        EXPECT_EQ(CommentaryToHtml("a  b , c"),
                  page("<font color=green>a </font><font color=green> b </font>, c"));
        EXPECT_EQ(CommentaryToHtml("<b>x</b>  y"), page("<b>x</b><font color=green> </font> y"));
        const QString many = CommentaryToHtml("a     b");
        EXPECT_TRUE(many.startsWith(Pre));
        EXPECT_TRUE(many.endsWith("b</body>"));
    }
}

TEST(ColourPlayerLinks, RewritesEveryLinkFormWithItsId) {
    const QString home = "Keeper Smith, Jones";
    const QString away = "Brown, Miller";
    for (QStringView form : PlayerLinkForms) {
        const QString html =
            "Pass from " + link(form, "123", "Al Smith") + " to " + link(form, "4567", "Bo Brown") + ".";
        EXPECT_EQ(ColourPlayerLinks(html, home, away),
                  "Pass from  <font color=#5577FF \"playerID=123\">Al Smith</font> to "
                  " <font color=#FF66FF \"playerID=4567\">Bo Brown</font>.")
            << form.toString().toStdString();
    }
    // Form 1 and form 2 in one text: both rewritten, whole numbers as IDs.
    const QString mixed = link(PlayerLinkForms[0], "412554932", "Al Jones") + " and " +
                          link(PlayerLinkForms[1], "987654321", "Cy Miller");
    EXPECT_EQ(ColourPlayerLinks(mixed, home, away),
              " <font color=#5577FF \"playerID=412554932\">Al Jones</font> and "
              " <font color=#FF66FF \"playerID=987654321\">Cy Miller</font>");
    EXPECT_EQ(ColourPlayerLinksOf("<a href=\"PlayerDetails.asp?playerID=31415926\">X Brown</a>", home, away,
                                  PlayerLinkForms[5].toString()),
              " <font color=#FF66FF \"playerID=31415926\">X Brown</font>");
}

TEST(ColourPlayerLinks, DecidesTheSideByTheLastWordOfTheLinkText) {
    const QString form = PlayerLinkForms[0].toString();
    auto colourOf = [&](const QString& text, const QString& home, const QString& away) {
        const QString out = ColourPlayerLinks(link(form, "1", text), home, away);
        return out.section("<font color=", 1).section(' ', 0, 0);
    };
    EXPECT_EQ(colourOf("Al Smith", "Smith", "Brown"), "#5577FF");
    EXPECT_EQ(colourOf("Al Brown", "Smith", "Brown"), "#FF66FF");
    EXPECT_EQ(colourOf("Al Smith", "Smith", "Smith"), "orange");     // in both
    EXPECT_EQ(colourOf("Al Nobody", "Smith", "Brown"), "orange");    // in neither
    EXPECT_EQ(colourOf("Al ", "Al Smith", "Brown"), "orange");       // empty name matches nothing
    EXPECT_EQ(colourOf("Smithson", "Smithson", "Brown"), "#5577FF"); // no blank: the whole text
}

TEST(ColourPlayerLinks, LeavesTextUnchangedOrWholeWhenItCannot) {
    const QString html = "Goal by " + link(PlayerLinkForms[0], "5", "Al Smith");
    EXPECT_EQ(ColourPlayerLinks(html, "", "Brown"), html);
    EXPECT_EQ(ColourPlayerLinks(html, "Smith", ""), html);
    EXPECT_EQ(ColourPlayerLinks("", "Smith", "Brown"), "");
    EXPECT_EQ(ColourPlayerLinks("No links here.", "Smith", "Brown"), "No links here.");
    // Cut links: the link and everything after it are kept as they are.
    const QString good = link(PlayerLinkForms[0], "5", "Al Smith");
    for (const QString& cut : {QString("<a href=\"/Club/Players/Player.aspx?playerId=77"),
                               QString("<a href=\"/Club/Players/Player.aspx?playerId=77\" title"),
                               QString("<a href=\"/Club/Players/Player.aspx?playerId=77\">Al Brown")}) {
        EXPECT_EQ(ColourPlayerLinks(good + " then " + cut, "Smith", "Brown"),
                  " <font color=#5577FF \"playerID=5\">Al Smith</font> then " + cut);
    }
    // A form closer to the start than a full <a href: no crash, the link is still rewritten.
    EXPECT_EQ(ColourPlayerLinksOf("<a" + PlayerLinkForms[0].toString() + "9\">Al Smith</a>!", "Smith",
                                  "Brown", PlayerLinkForms[0].toString()),
              " <font color=#5577FF \"playerID=9\">Al Smith</font>!");
    // A closing tag cut short at the very end.
    EXPECT_EQ(ColourPlayerLinks(link(PlayerLinkForms[0], "9", "Al Smith").chopped(2), "Smith", "Brown"),
              " <font color=#5577FF \"playerID=9\">Al Smith</font>");
}

// --- real commentary of the game service ---

namespace {

struct SampleEvent {
    QString type;
    QString text;
};

QDomDocument loadSample(const QString& fragment, const QString& fragment2 = {}) {
    QDomDocument doc;
    const QString path = SampleFile(fragment, fragment2);
    if (path.isEmpty())
        return doc;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        doc.setContent(&f);
    return doc;
}

std::vector<SampleEvent> eventsOf(const QDomDocument& doc) {
    std::vector<SampleEvent> events;
    const QDomNodeList list = doc.elementsByTagName("Event");
    for (int i = 0; i < list.size(); ++i) {
        const QDomElement e = list.at(i).toElement();
        events.push_back(
            {e.firstChildElement("EventTypeID").text(), e.firstChildElement("EventText").text()});
    }
    return events;
}

// What a reader sees of a page: tags dropped, blanks ignored, a replaced separator read as the original.
QString visible(QString html) {
    html.replace(QStringLiteral("<BR><BR>&bull;&nbsp;"), QStringLiteral("<br /><br />"));
    html.replace(QStringLiteral("<br /><br />&bull;&nbsp;"), QStringLiteral("<br /><br />"));
    html.remove(QRegularExpression("<head>.*</head>"));
    html.remove(QRegularExpression("<[^>]*>"));
    html.remove(QRegularExpression("\\s"));
    html.replace("//", "-");
    return html;
}

void expectNothingLost(const QString& text, const QString& home, const QString& away, int& rewritten) {
    const QString stored = ColourPlayerLinks(text, home, away);
    EXPECT_EQ(visible(stored), visible(text)) << text.toStdString();
    const QString shown = CommentaryToHtml(stored);
    EXPECT_TRUE(shown.startsWith(Pre));
    EXPECT_TRUE(shown.endsWith("</body>"));
    EXPECT_EQ(visible(shown), visible(text)) << text.toStdString();
    EXPECT_EQ(shown.count('<'), shown.count('>')) << shown.toStdString();
    rewritten += stored.count("\"playerID=");
}

} // namespace

TEST(CommentarySamples, MatchDetailsEventsKeepTheirTextAndGetTheirSides) {
    LanguageFixture lang(nullptr);
    const auto events = eventsOf(loadSample("matchdetails-events"));
    ASSERT_GE(events.size(), 30u);
    QStringList lineups;
    for (const auto& e : events)
        if (e.type == "21")
            lineups << e.text;
    ASSERT_EQ(lineups.size(), 2);
    int rewritten = 0;
    for (const auto& e : events)
        expectNothingLost(e.text, lineups[0], lineups[1], rewritten);
    EXPECT_GT(rewritten, 22);

    const QString home = ColourPlayerLinks(lineups[0], lineups[0], lineups[1]);
    EXPECT_TRUE(home.contains(" <font color=#5577FF \"playerID=412554932\">Soydinç</font>"))
        << home.toStdString();
    const QString away = ColourPlayerLinks(lineups[1], lineups[0], lineups[1]);
    EXPECT_TRUE(away.contains(" <font color=#FF66FF \"playerID=420216286\">Chamayou</font>"))
        << away.toStdString();
    // The separators between the lineup lines are no scores.
    EXPECT_TRUE(CommentaryToHtml(home).contains("</font> // "));
}

TEST(CommentarySamples, LiveEventsKeepTheirTextAndGetTheirSides) {
    LanguageFixture lang(nullptr);
    const QDomDocument doc = loadSample("live-view");
    const auto events = eventsOf(doc);
    ASSERT_GE(events.size(), 10u);
    auto lineupOf = [&](const char* team) {
        QString names;
        const QDomNodeList players = doc.elementsByTagName(team)
                                         .at(0)
                                         .toElement()
                                         .firstChildElement("StartingLineup")
                                         .elementsByTagName("PlayerName");
        for (int i = 0; i < players.size(); ++i)
            names += players.at(i).toElement().text() + ", ";
        return names;
    };
    const QString home = lineupOf("HomeTeam"), away = lineupOf("AwayTeam");
    ASSERT_FALSE(home.isEmpty());
    ASSERT_FALSE(away.isEmpty());
    int rewritten = 0;
    QString all;
    for (const auto& e : events) {
        expectNothingLost(e.text, home, away, rewritten);
        all += ColourPlayerLinks(e.text, home, away);
    }
    EXPECT_EQ(rewritten, 12);
    EXPECT_TRUE(all.contains(" <font color=#FF66FF \"playerID=485652997\">Vincenzo Tarascio</font>"));
    EXPECT_TRUE(all.contains(" <font color=#5577FF \"playerID=486132143\">Abdettawab Tindouft</font>"));
    EXPECT_TRUE(CommentaryToHtml(all).contains("<font color=red> 1-0 </font>"));
}
