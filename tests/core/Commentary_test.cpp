#include "core/Commentary.h"
#include "core/TextBreaks.h"
#include "support/Samples.h"
#include "support/TestHelpers.h"

#include <QDomDocument>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {
const QString Pre = CommentaryPagePrefix.toString();

QString page(const QString& body) {
    return Pre + body + "</body>";
}

QString link(QStringView form, const QString& id, const QString& text) {
    return "<a href" + form.toString() + id + "\" title=\"" + text + "\" class=\"homeplayer\">" + text +
           "</a>";
}
} // namespace

// The page frame, bullets after double breaks dropped, links dark blue, scores red and percentages green
// (default word "por ciento"); a coloured run never takes a tag delimiter, so the page's tags stay whole.
TEST(CommentaryToHtml, FramesLinksScoresAndPercentages) {
    ScopedLanguage none;
    const QString blue = "<font color=#000088>", red = "<font color=red>", green = "<font color=green>";
    // clang-format off
    const std::pair<const char*, QString> cases[] = {
        {"", ""}, {"Plain text.", "Plain text."}, {"<br /><br />&bull;&nbsp;Goal", "<br /><br />Goal"},
        {"<BR><BR>&bull;&nbsp;Goal", "<br /><br />Goal"}, {"x&bull;&nbsp;y", "x&bull;&nbsp;y"},
        {"Fans of <a href=\"/Club/?TeamID=5\">Team</a> sang.", "Fans of " + blue + "Team</font> sang."},
        {"<A HREF=\"/Club/?TeamID=5\">Team</A>", blue + "Team</font>"},
        {"3 - 0 win", red + "3-0 </font>win"}, {"won 2 - 1", "won" + red + " 2-1</font>"},
        {"1 - 0", red + "1-0</font>"}, {"<b>3 - 1</b>", "<b>" + red + "3-1</font></b>"},
        {"had 60 por ciento, then 40 por ciento of it",
         "had " + green + "60 por ciento</font>, then " + green + "40 por ciento</font> of it"},
        {"75% possession", green + "75%</font> possession"}, {"5% only", green + "5%</font> only"}};
    // clang-format on
    for (const auto& [text, body] : cases)
        EXPECT_EQ(CommentaryToHtml(text), page(body)) << text;
    ScopedLanguage percent("[Matches]\r\nReportPercent=percent\r\n");
    EXPECT_EQ(CommentaryToHtml("with 55 percent of the ball"),
              page("with " + green + "55 percent</font> of the ball"));
    // An empty word: suffixes "  " and " ,", still painted, the scan ends and the tags stay whole.
    percent.Use("[Matches]\r\nReportPercent=\r\n");
    EXPECT_EQ(CommentaryToHtml("a  b , c"), page(green + "a </font>" + green + " b </font>, c"));
    EXPECT_EQ(CommentaryToHtml("<b>x</b>  y"), page("<b>x</b>" + green + " </font> y"));
    const QString many = CommentaryToHtml("a     b");
    EXPECT_TRUE(many.startsWith(Pre) && many.endsWith("b</body>")) << many.toStdString();
}

// A link tag without a quoted end ends the scan; one that does not end in "> ends at its own ">" and
// swallows nothing after it. A separator between words is no score.
TEST(CommentaryToHtml, ColourHelpersOnUnframedText) {
    const QString B = "<font color=#000088>", R = "<font color=red>", G = "<font color=green>";
    // clang-format off
    ExpectAll({{LinksToFont("<a href=\"x\" class=\"y\">T</a>", "<a"), B + "T</a>"},
               {LinksToFont("a <a href=x>T</a>", "<a"), "a <a href=x>T</a>"},
               {LinksToFont("<a href=x>T</a> and <a href=\"y\">U</a>", "<a"), B + "T</a> and " + B + "U</a>"},
               {ColourScores("won 2 - 1 today", " - ", " // "), "won" + R + " 2-1 </font>today"},
               {ColourScores("10 - 12", " - ", " // "), R + "10-12</font>"},
               {ColourScores("North - South", " - ", " // "), "North // South"},
               {ColourScores("1 - 0 and 2 - 2, A - B", " - ", " // "), R + "1-0 </font>and" + R + " 2-2,</font> A // B"},
               {ColourScores(" - x", " - ", " // "), " // x"},
               {ColourPercentages("x 5% y", "% "), "x" + G + " 5%</font> y"},
               {ColourPercentages("100% ", "% "), "1" + G + "00%</font> "},
               {ColourPercentages("a 60 por ciento, b", " por ciento,"), "a " + G + "60 por ciento</font>, b"},
               {ColourPercentages("5% and 7% ", "% "), G + "5%</font> and" + G + " 7%</font> "}});
    // clang-format on
}

// Every link form is rewritten with its ID. The side comes from the last word of the link text; in both
// lineups or in neither it is orange.
TEST(ColourPlayerLinks, RewritesEveryLinkFormDecidesTheSideOrLeavesTheTextWhole) {
    const QString home = "Keeper Smith, Jones", away = "Brown, Miller";
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
    const QString form = PlayerLinkForms[0].toString();
    auto colourOf = [&](const QString& text, const QString& homes, const QString& aways) {
        return ColourPlayerLinks(link(form, "1", text), homes, aways)
            .section("<font color=", 1)
            .section(' ', 0, 0);
    };
    // An empty name matches nothing; a text without blank is the name. Without a lineup, or without
    // links, the text stays whole.
    // clang-format off
    ExpectAll({{colourOf("Al Smith", "Smith", "Brown"), "#5577FF"}, {colourOf("Al Brown", "Smith", "Brown"), "#FF66FF"},
               {colourOf("Al Smith", "Smith", "Smith"), "orange"}, {colourOf("Al Nobody", "Smith", "Brown"), "orange"},
               {colourOf("Al ", "Al Smith", "Brown"), "orange"}, {colourOf("Smithson", "Smithson", "Brown"), "#5577FF"}});
    const QString html = "Goal by " + link(form, "5", "Al Smith");
    for (const auto& [text, home, away] : {std::tuple{html, "", "Brown"}, {html, "Smith", ""},
                                           {QString(), "Smith", "Brown"}, {QString("No links."), "Smith", "Brown"}})
        EXPECT_EQ(ColourPlayerLinks(text, home, away), text);
    // clang-format on
    // Cut links: the link and everything after it are kept as they are.
    const QString good = link(form, "5", "Al Smith"),
                  smith = " <font color=#5577FF \"playerID=%1\">Al Smith</font>";
    for (const QString& cut : {QString("<a href=\"/Club/Players/Player.aspx?playerId=77"),
                               QString("<a href=\"/Club/Players/Player.aspx?playerId=77\" title"),
                               QString("<a href=\"/Club/Players/Player.aspx?playerId=77\">Al Brown")})
        EXPECT_EQ(ColourPlayerLinks(good + " then " + cut, "Smith", "Brown"), smith.arg(5) + " then " + cut);
    // A form closer to the start than a full <a href: no crash, the link is still rewritten; a closing
    // tag cut short at the very end.
    EXPECT_EQ(ColourPlayerLinksOf("<a" + form + "9\">Al Smith</a>!", "Smith", "Brown", form),
              smith.arg(9) + "!");
    EXPECT_EQ(ColourPlayerLinks(link(form, "9", "Al Smith").chopped(2), "Smith", "Brown"), smith.arg(9));
}

// Break opportunities in long runs of text: after every MaxRun characters without a blank, never inside
// a tag or a character reference. "|" stands for the zero-width space.
TEST(TextBreaks, LongRunsGetAZeroWidthSpaceAndMarkupStaysWhole) {
    const auto Z = [](const char* text) {
        return QString::fromUtf8(text).replace(u'|', QChar(ZeroWidthSpace));
    };
    // Input, then TextWithBreakOpportunities and HtmlWithBreakOpportunities with MaxRun 4.
    // clang-format off
    const char* const cases[][3] = {
        {"abc", "abc", "abc"}, {"abcd efghij", "abcd| efgh|ij", "abcd| efgh|ij"},
        // Tags and their attributes are neither counted nor cut; a reference counts as one character.
        {"ab<font color=#F00 x=\"yyyyyy\">cdef</font>", "ab<f|ont colo|r=#F|00 x=\"y|yyyy|y\">c|def<|/fon|t>",
         "ab<font color=#F00 x=\"yyyyyy\">cd|ef</font>"},
        {"a&amp;&#8211;bcdef", "a&am|p;&#|8211|;bcd|ef", "a&amp;&#8211;b|cdef|"},
        // An earlier break opportunity starts a new run; an unclosed "<" is text.
        {"ab|cdef", "ab|cdef|", "ab|cdef|"}, {"a<bcdefg", "a<bc|defg|", "a<bc|defg|"}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(TextWithBreakOpportunities(Z(c[0]), 4), Z(c[1])) << c[0];
        EXPECT_EQ(HtmlWithBreakOpportunities(Z(c[0]), 4), Z(c[2])) << c[0];
    }
}

// --- real commentary of the game service ---

namespace {
using SampleEvents = QList<std::pair<QString, QString>>; // type, text

QDomDocument loadSample(const QString& fragment) {
    QDomDocument doc;
    doc.setContent(ReadBytes(SampleFile(fragment)));
    return doc;
}

SampleEvents eventsOf(const QDomDocument& doc) {
    SampleEvents events;
    const QDomNodeList list = doc.elementsByTagName("Event");
    for (int i = 0; i < list.size(); ++i)
        events.append({list.at(i).firstChildElement("EventTypeID").text(),
                       list.at(i).firstChildElement("EventText").text()});
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

// Every event keeps what a reader sees, stored and shown; returns the events' texts as stored.
QString expectNothingLost(const SampleEvents& events, const QString& home, const QString& away,
                          int rewritten) {
    QString all;
    for (const auto& [type, text] : events) {
        const QString stored = ColourPlayerLinks(text, home, away), shown = CommentaryToHtml(stored);
        EXPECT_EQ(visible(stored), visible(text)) << text.toStdString();
        EXPECT_TRUE(shown.startsWith(Pre) && shown.endsWith("</body>"));
        EXPECT_EQ(visible(shown), visible(text)) << text.toStdString();
        EXPECT_EQ(shown.count('<'), shown.count('>')) << shown.toStdString();
        all += stored;
    }
    EXPECT_EQ(all.count("\"playerID="), rewritten);
    return all;
}
} // namespace

// The lineups of a finished match are its two type-21 events; a live match lists its starting players.
TEST(CommentarySamples, EventsKeepTheirTextAndGetTheirSides) {
    ScopedLanguage none;
    const auto details = eventsOf(loadSample("matchdetails-events"));
    QStringList lineups;
    for (const auto& [type, text] : details)
        if (type == "21")
            lineups << text;
    ASSERT_EQ(lineups.size(), 2);
    const QString stored = expectNothingLost(details, lineups[0], lineups[1], 42);
    EXPECT_TRUE(stored.contains(" <font color=#5577FF \"playerID=412554932\">Soydinç</font>"));
    EXPECT_TRUE(stored.contains(" <font color=#FF66FF \"playerID=420216286\">Chamayou</font>"));
    // The separators between the lineup lines are no scores.
    EXPECT_TRUE(
        CommentaryToHtml(ColourPlayerLinks(lineups[0], lineups[0], lineups[1])).contains("</font> // "));
    const QDomDocument live = loadSample("live-view");
    auto lineupOf = [&](const char* team) {
        const QDomElement lineup = live.elementsByTagName(team).at(0).firstChildElement("StartingLineup");
        const QDomNodeList players = lineup.elementsByTagName("PlayerName");
        QString names;
        for (int i = 0; i < players.size(); ++i)
            names += players.at(i).toElement().text() + ", ";
        return names;
    };
    const QString all = expectNothingLost(eventsOf(live), lineupOf("HomeTeam"), lineupOf("AwayTeam"), 12);
    EXPECT_TRUE(all.contains(" <font color=#FF66FF \"playerID=485652997\">Vincenzo Tarascio</font>"));
    EXPECT_TRUE(all.contains(" <font color=#5577FF \"playerID=486132143\">Abdettawab Tindouft</font>"));
    EXPECT_TRUE(CommentaryToHtml(all).contains("<font color=red> 1-0 </font>"));
}
