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

// The text with break opportunities; with Markup, tags and character references go over whole.
QString withBreaks(const QString& s, int maxRun, bool markup) {
    if (maxRun < 1 || s.size() <= maxRun)
        return s;
    QString out;
    out.reserve(s.size() + s.size() / maxRun + 1);
    int run = 0;
    const qsizetype n = s.size();
    // Past the last ">" no "<" opens a tag: no search for its end (which would make a page full of "<"
    // cost the square of its length).
    const qsizetype lastClose = markup ? s.lastIndexOf(u'>') : -1;
    for (qsizetype i = 0; i < n;) {
        const QChar c = s.at(i);
        if (c == u'<' && i < lastClose) {
            const qsizetype close = s.indexOf(u'>', i);
            out += QStringView(s).mid(i, close - i + 1); // a tag goes over whole
            i = close + 1;
            continue;
        }
        if (breaksRun(c)) {
            out += c;
            run = 0;
            ++i;
            continue;
        }
        const qsizetype reference = markup && c == u'&' ? referenceLength(s, i) : 0;
        const qsizetype length = reference > 0 ? reference : 1;
        appendCounted(out, QStringView(s).mid(i, length), run, maxRun);
        i += length;
    }
    return out;
}

} // namespace

QString TextWithBreakOpportunities(const QString& Text, int MaxRun) {
    return withBreaks(Text, MaxRun, false);
}

QString HtmlWithBreakOpportunities(const QString& Html, int MaxRun) {
    return withBreaks(Html, MaxRun, true);
}
