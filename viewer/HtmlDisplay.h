#pragma once
// The three ways the matches window puts HTML on screen: a page into a browser, one picture (a club
// logo) into a browser, and the coloured runs of a commentary page into a rich edit.
#include <QColor>
#include <QList>
#include <QString>

class WebBrowser;
class RichEdit;

// Loads Html into Browser as a fresh document. Never processes window messages; failures leave the
// blank page. The page shows no picture, and words of any length wrap (break opportunities).
void WBLoadHTML(WebBrowser* Browser, const QString& Html);

// The address a logo is fetched from: an http(s) address as it is, a protocol-relative one
// ("//host/path", the game's own form) over https; "" for anything else.
QString LogoAddress(const QString& Url);
// The page WebMostrarImagen loads: the picture at LogoAddress(Url) shown 77 x 77, escaped for the
// attribute (an empty picture source when there is no address).
QString LogoPageHtml(const QString& Url);
// Loads the logo page; its picture is the only one fetched, through the program's proxy.
void WebMostrarImagen(WebBrowser* Browser, const QString& Url);

// One coloured piece of a commentary page as the rich edit shows it.
struct RichEditRun {
    QString Text; // "\r" marks a paragraph break
    QColor Colour;
    bool operator==(const RichEditRun&) const = default;
};
// The fallback colour of a font run whose colour cannot be read: $024080FF, an orange.
inline const QColor RichEditFallbackColour = QColor(0xFF, 0x80, 0x40);
// The colour of a font tag's colour text: "#RRGGBB", or a name of the library's colour table
// (black, maroon, green, olive, navy, purple, teal, gray, silver, red, lime, yellow, blue, fuchsia,
// aqua, white, ...; any case). Anything else gives the fallback orange.
QColor RichEditColour(const QString& ColourText);
// The runs of Html: the page frame removed, "<br />" as paragraph breaks, each "<font color=...>"
// run in its colour, the text around them in black. Empty runs are kept out.
QList<RichEditRun> RichEditRuns(const QString& Html);
// Empties Edit and inserts the runs of Html.
void RichEditLoadHTML(RichEdit* Edit, const QString& Html);
