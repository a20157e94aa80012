#include "core/TextBreaks.h"

namespace {

bool breaksRun(QChar c) {
    return c.isSpace() || c == QChar(ZeroWidthSpace);
}

// The length of the character reference that starts at i ("&amp;", "&#8211;"), 0 when none does.
qsizetype referenceLength(const QString& s, qsizetype i) {
    constexpr qsizetype longest = 12;
    for (qsizetype j = i + 1; j < s.size() && j - i <= longest; ++j) {
        const QChar c = s.at(j);
        if (c == u';')
            return j > i + 1 ? j - i + 1 : 0;
        if (!(c.isLetterOrNumber() || c == u'#'))
            return 0;
    }
    return 0;
}

// Appends one visible character (or reference) of a run and a break opportunity when the run is full.
void appendCounted(QString& out, QStringView piece, int& run, int maxRun) {
    out += piece;
    if (++run >= maxRun) {
        out += QChar(ZeroWidthSpace);
        run = 0;
    }
}

} // namespace

QString TextWithBreakOpportunities(const QString& Text, int MaxRun) {
    if (MaxRun < 1 || Text.size() <= MaxRun)
        return Text;
    QString out;
    out.reserve(Text.size() + Text.size() / MaxRun + 1);
    int run = 0;
    for (const QChar c : Text) {
        if (breaksRun(c)) {
            out += c;
            run = 0;
        } else {
            appendCounted(out, QStringView(&c, 1), run, MaxRun);
        }
    }
    return out;
}

QString HtmlWithBreakOpportunities(const QString& Html, int MaxRun) {
    if (MaxRun < 1 || Html.size() <= MaxRun)
        return Html;
    QString out;
    out.reserve(Html.size() + Html.size() / MaxRun + 1);
    int run = 0;
    const qsizetype n = Html.size();
    // Past the last ">" no "<" opens a tag: no search for its end (which would make a page full of "<"
    // cost the square of its length).
    const qsizetype lastClose = Html.lastIndexOf(u'>');
    for (qsizetype i = 0; i < n;) {
        const QChar c = Html.at(i);
        if (c == u'<' && i < lastClose) {
            const qsizetype close = Html.indexOf(u'>', i);
            out += QStringView(Html).mid(i, close - i + 1); // a tag goes over whole
            i = close + 1;
            continue;
        }
        if (breaksRun(c)) {
            out += c;
            run = 0;
            ++i;
            continue;
        }
        const qsizetype reference = c == u'&' ? referenceLength(Html, i) : 0;
        const qsizetype length = reference > 0 ? reference : 1;
        appendCounted(out, QStringView(Html).mid(i, length), run, MaxRun);
        i += length;
    }
    return out;
}
