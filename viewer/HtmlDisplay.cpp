#include "viewer/HtmlDisplay.h"

#include "core/TextBreaks.h"
#include "core/UDataModule1.h"
#include "platform/widgets/RichEdit.h"
#include "platform/widgets/WebBrowser.h"

#include <QUrl>

#include <algorithm>

namespace {

// Loads a page; PictureUrl is the one picture it may show ("" for none). Words of any length wrap.
void LoadPage(WebBrowser* Browser, const QString& Html, const QString& PictureUrl) {
    if (!Browser)
        return;
    try {
        // A browser that shows a page is ready, and the load replaces that page whole; a first load
        // makes the document first. Loads are synchronous: the document is ready at once, so nothing
        // waits here.
        if (!Browser->HasDocument())
            Browser->Navigate(QStringLiteral("about:blank"));
        if (Browser->ReadyState() >= 3 && Browser->HasDocument())
            Browser->LoadHtml(HtmlWithBreakOpportunities(Html), PictureUrl);
    } catch (...) {
    }
}

} // namespace

void WBLoadHTML(WebBrowser* Browser, const QString& Html) {
    LoadPage(Browser, Html, QString());
}

QString LogoAddress(const QString& Url) {
    QString address = Url.trimmed();
    // The game writes its logo addresses without a scheme ("//host/path"): they are fetched over https.
    if (address.startsWith(QLatin1String("//")))
        address.prepend(QLatin1String("https:"));
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    const bool web =
        (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
    return web ? address : QString();
}

QString LogoPageHtml(const QString& Url) {
    return QStringLiteral("<head><style type=text/css>BODY {font-family: MS Sans Serif, Arial, Courier; "
                          "font-size: 2}</style></head><body topmargin=\"0\" leftmargin=\"0\"><img src=\"") +
           LogoAddress(Url).toHtmlEscaped() + QStringLiteral("\" width=\"77\" height=\"77\" border= \"0\">") +
           QStringLiteral("</body>");
}

void WebMostrarImagen(WebBrowser* Browser, const QString& Url) {
    // The logo goes through the same proxy as every other request of the program.
    WebBrowser::SetPictureProxy(DataModule1 ? DataModule1->IdHTTP1.ProxyParams : HttpProxyParams{});
    LoadPage(Browser, LogoPageHtml(Url), LogoAddress(Url));
}

namespace {

struct NamedColour {
    const char* name;
    unsigned value; // $BBGGRR
};

// The library's colour names (after its "cl" prefix).
constexpr NamedColour LibraryColours[] = {
    {"black", 0x000000},  {"maroon", 0x000080},  {"green", 0x008000},      {"olive", 0x008080},
    {"navy", 0x800000},   {"purple", 0x800080},  {"teal", 0x808000},       {"gray", 0x808080},
    {"silver", 0xC0C0C0}, {"red", 0x0000FF},     {"lime", 0x00FF00},       {"yellow", 0x00FFFF},
    {"blue", 0xFF0000},   {"fuchsia", 0xFF00FF}, {"aqua", 0xFFFF00},       {"ltgray", 0xC0C0C0},
    {"dkgray", 0x808080}, {"white", 0xFFFFFF},   {"moneygreen", 0xC0DCC0}, {"skyblue", 0xF0CAA6},
    {"cream", 0xF0FBFF},  {"medgray", 0xA4A0A0},
};

QColor FromBgr(unsigned v) {
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

} // namespace

QColor RichEditColour(const QString& ColourText) {
    if (ColourText.contains(QLatin1Char('#'))) {
        // Characters 2-3, 4-5 and 6-7 are RR, GG and BB: six hexadecimal digits, nothing else (a sign
        // or a blank that a number parser would take gives no colour at all).
        const QString digits = ColourText.mid(1, 6);
        const bool hex =
            digits.size() == 6 && std::all_of(digits.begin(), digits.end(), [](QChar c) {
                return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
            });
        if (hex)
            return QColor(digits.mid(0, 2).toInt(nullptr, 16), digits.mid(2, 2).toInt(nullptr, 16),
                          digits.mid(4, 2).toInt(nullptr, 16));
        return RichEditFallbackColour;
    }
    for (const NamedColour& named : LibraryColours)
        if (ColourText.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return FromBgr(named.value);
    return RichEditFallbackColour;
}

QList<RichEditRun> RichEditRuns(const QString& Html) {
    static const QString bodyStart = QStringLiteral(" leftmargin=\"3\">");
    static const QString fontStart = QStringLiteral("<font color=");
    static const QString fontEnd = QStringLiteral("</font>");
    QList<RichEditRun> runs;
    auto add = [&runs](const QString& text, const QColor& colour) {
        if (!text.isEmpty())
            runs.append({text, colour});
    };

    QString s = Html;
    const int head = s.indexOf(bodyStart);
    if (head >= 0)
        s.remove(0, head + bodyStart.size());
    const int end = s.indexOf(QLatin1String("</body>"));
    if (end >= 0)
        s.remove(end, 7);
    s.replace(QLatin1String("<br />"), QStringLiteral("\r"));

    for (int start = s.indexOf(fontStart); start >= 0; start = s.indexOf(fontStart)) {
        add(s.left(start), Qt::black);
        s.remove(0, start + fontStart.size());

        // The colour text ends at ">", or seven characters after a "#" that comes first: a player
        // link's attribute after its colour is not part of the colour.
        const int close = s.indexOf(QLatin1Char('>'));
        int colourEnd = close >= 0 ? close : 0;
        const int hash = s.indexOf(QLatin1Char('#'));
        if (hash >= 0 && hash + 7 < colourEnd)
            colourEnd = hash + 7;
        const QColor colour = RichEditColour(s.left(colourEnd));
        if (close >= 0)
            s.remove(0, close + 1);

        const int runEnd = s.indexOf(fontEnd);
        if (runEnd < 0) { // an unclosed run takes the rest of the text
            add(s, colour);
            s.clear();
            break;
        }
        add(s.left(runEnd), colour);
        s.remove(0, runEnd + fontEnd.size());
    }
    add(s, Qt::black);
    return runs;
}

void RichEditLoadHTML(RichEdit* Edit, const QString& Html) {
    if (!Edit)
        return;
    try {
        QList<RichEditRun> runs = RichEditRuns(Html);
        for (RichEditRun& run : runs)
            run.Text = TextWithBreakOpportunities(run.Text);
        Edit->ClearText();
        // One edit: the box is laid out once for the whole text, not once for each run.
        QTextCursor edit(Edit->document());
        edit.beginEditBlock();
        for (const RichEditRun& run : runs) {
            Edit->SetSelColor(run.Colour);
            Edit->InsertText(run.Text);
        }
        edit.endEditBlock();
        Edit->SetSelColor(Qt::black);
    } catch (...) {
    }
}
