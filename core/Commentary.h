#pragma once
// Commentary to HTML: the match events arrive from the game service as fragments of HTML with links
// to the players' pages. ColourPlayerLinks rewrites those links once, when an event is stored;
// CommentaryToHtml frames a text as a small page for a browser control each time it is shown.
// Positions are QString (UTF-16) positions; every search finds the first occurrence, case-sensitively.
#include <QString>
#include <QStringView>

// Opening of every commentary page: the fixed style and margins (173 characters).
inline constexpr QStringView CommentaryPagePrefix =
    u"<head><style type=text/css>BODY {font-family: MS Sans Serif, Arial, Courier; font-size: "
    u"2}</style></head>"
    u"<body topmargin=\"3\" bottommargin=\"3\" rightmargin=\"3\" leftmargin=\"3\">";
// Closing of every commentary page.
inline constexpr QStringView CommentaryPageSuffix = u"</body>";

// The page shown in a browser control: framed, bullets after a double break removed, links turned
// into dark-blue font runs, scores painted red and percentages green. An empty Text gives an empty page.
QString CommentaryToHtml(const QString& Text);

// Html with each link opening tag that starts with OpenTag ("<a" or "<A"; any opening that starts with
// "<") turned into <font color=#000088>.
QString LinksToFont(const QString& Html, const QString& OpenTag);

// Html with each Separator that follows a digit painted as a red score run taking up to two characters
// on each side; any other Separator becomes Replacement. A tag delimiter never moves into the run.
QString ColourScores(const QString& Html, const QString& Separator, const QString& Replacement);

// Html with each Suffix painted as a green run taking up to two characters before it; the Suffix's last
// character stays after the run. A tag delimiter never moves into the run.
QString ColourPercentages(const QString& Html, const QString& Suffix);

// The six forms of a player link, in the order they are rewritten. Each follows the seven characters
// <a href of the link's opening tag.
inline constexpr QStringView PlayerLinkForms[6] = {
    u"=\"/Club/Players/Player.aspx?playerId=",
    u"=\"/Club/Players/YouthPlayer.aspx?YouthPlayerID=",
    u"=\"/Common/Players/PlayerDetails.aspx?playerId=",
    u"=\"/Common/PlayerDetails.asp?PlayerID=",
    u"=\"/Common/YouthPlayerDetails.aspx?YouthPlayerID=",
    u"=\"PlayerDetails.asp?playerID=",
};

// Player colours: only in the home lineup, only in the away lineup, in both or in neither.
inline constexpr QStringView PlayerColourHome = u"#5577FF";
inline constexpr QStringView PlayerColourAway = u"#FF66FF";
inline constexpr QStringView PlayerColourUnknown = u"orange";

// Html with every player link rewritten as a coloured font run that keeps the player's ID. The lineup
// texts are the stored HTML of the match's home and away lineup events; while either (or Html) is
// empty, Html comes back unchanged.
QString ColourPlayerLinks(const QString& Html, const QString& HomeLineupText, const QString& AwayLineupText);

// Html with the player links of one LinkForm rewritten. A link cut short (no closing quote, ">" or "<"
// after the form) and everything after it are kept unchanged.
QString ColourPlayerLinksOf(const QString& Html, const QString& HomeLineupText, const QString& AwayLineupText,
                            const QString& LinkForm);
