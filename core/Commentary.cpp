#include "core/Commentary.h"

#include "core/Settings.h"

#include <QStringMatcher>

#include <array>

namespace {

QString LinkRun() {
    return QStringLiteral("font color=#000088");
}
QString ScoreRunOpen() {
    return QStringLiteral("<font color=red>");
}
QString PercentRunOpen() {
    return QStringLiteral("<font color=green>");
}
QString RunClose() {
    return QStringLiteral("</font>");
}

// The opening of a link tag that the player-link forms follow: <a href
constexpr int LinkOpeningLength = 7;

bool isTagDelimiter(QChar c) {
    return c == u'<' || c == u'>';
}

// Start of the (at most two) characters before index `at` that may move into a coloured run: a tag
// delimiter and everything before it stay where they are, so the page's tags stay whole.
qsizetype runStartBefore(const QString& w, qsizetype at) {
    qsizetype start = at;
    while (start > 0 && at - start < 2 && !isTagDelimiter(w.at(start - 1)))
        --start;
    return start;
}

// End (exclusive) of the at most two characters from index `from` that may move into a coloured run,
// stopping before a tag delimiter.
qsizetype runEndAfter(const QString& w, qsizetype from) {
    qsizetype end = from;
    while (end < w.size() && end - from < 2 && !isTagDelimiter(w.at(end)))
        ++end;
    return end;
}

QString reportPercentWord() {
    return LangText("Matches", "ReportPercent", "por ciento");
}

} // namespace

QString CommentaryToHtml(const QString& Text) {
    QString s = CommentaryPagePrefix.toString() + Text + CommentaryPageSuffix.toString();
    s.replace(QStringLiteral("<BR><BR>&bull;&nbsp;"), QStringLiteral("<br /><br />"));
    s.replace(QStringLiteral("<br /><br />&bull;&nbsp;"), QStringLiteral("<br /><br />"));
    s = LinksToFont(s, QStringLiteral("<a"));
    s = LinksToFont(s, QStringLiteral("<A"));
    s.replace(QStringLiteral("</a>"), RunClose());
    s.replace(QStringLiteral("</A>"), RunClose());
    s = ColourScores(s, QStringLiteral(" - "), QStringLiteral(" // "));
    s = ColourPercentages(s, QStringLiteral("% "));
    s = ColourPercentages(s, " " + reportPercentWord() + " ");
    return ColourPercentages(s, " " + reportPercentWord() + ",");
}

QString LinksToFont(const QString& Html, const QString& OpenTag) {
    // Written in one pass: the page is copied once, each tag's inside replaced on the way. The run
    // written holds no "<", so the next tag is searched for in the page after the part replaced.
    const QString run = LinkRun();
    QString w;
    qsizetype copied = 0;
    qsizetype p = Html.indexOf(OpenTag);
    while (p >= 0) {
        const qsizetype q =
            Html.indexOf(QStringLiteral("\">"), p); // the quote that ends the tag's last value
        if (q < 0)
            break; // no quoted end of a tag: the rest stays as it is
        // Up to and including the double quote, the ">" stays. A tag that does not end in "> ends at its
        // own ">", so that it never swallows the text and tags after it.
        const qsizetype tagEnd = Html.indexOf(u'>', p);
        const qsizetype replaceEnd = tagEnd < q ? tagEnd : q + 1;
        if (copied == 0)
            w.reserve(Html.size() + Html.size() / 8);
        w.append(QStringView(Html).mid(copied, p + 1 - copied));
        w.append(run);
        copied = replaceEnd;
        p = Html.indexOf(OpenTag, replaceEnd);
    }
    if (copied == 0)
        return Html;
    w.append(QStringView(Html).mid(copied));
    return w;
}

QString ColourScores(const QString& Html, const QString& Separator, const QString& Replacement) {
    if (Separator.isEmpty())
        return Html;
    QString w = Html;
    QString compact = Separator;
    compact.remove(u' ');
    const qsizetype len = Separator.size();
    qsizetype p = w.indexOf(Separator);
    while (p >= 0) {
        qsizetype next;
        if (p > 0 && w.at(p - 1) >= u'0' && w.at(p - 1) <= u'9') {
            const qsizetype start = runStartBefore(w, p);
            const qsizetype end = runEndAfter(w, p + len);
            const QString run = ScoreRunOpen() + w.mid(start, p - start) + compact +
                                w.mid(p + len, end - p - len) + RunClose();
            w.replace(start, end - start, run);
            next = start + run.size();
        } else {
            w.replace(p, len, Replacement);
            next = p + Replacement.size();
        }
        p = w.indexOf(Separator, next);
    }
    return w;
}

QString ColourPercentages(const QString& Html, const QString& Suffix) {
    if (Suffix.isEmpty())
        return Html;
    QString w = Html;
    const qsizetype len = Suffix.size();
    const QString inRun = Suffix.left(len - 1);
    const QString kept = Suffix.right(1);
    qsizetype p = w.indexOf(Suffix);
    while (p >= 0) {
        const qsizetype start = runStartBefore(w, p);
        const QString run = PercentRunOpen() + w.mid(start, p - start) + inRun + RunClose();
        w.replace(start, p + len - start, run + kept);
        // The Suffix's last character now follows the run; a new occurrence can start there at the earliest.
        p = w.indexOf(Suffix, start + run.size());
    }
    return w;
}

QString ColourPlayerLinks(const QString& Html, const QString& HomeLineupText, const QString& AwayLineupText) {
    if (Html.isEmpty() || HomeLineupText.isEmpty() || AwayLineupText.isEmpty())
        return Html;
    // Every stored event comes through here: the forms are made texts and searchers once, and a form
    // the text does not hold costs one quick search.
    struct Form {
        QString text;
        QStringMatcher matcher;
    };
    static const std::array<Form, std::size(PlayerLinkForms)> forms = [] {
        std::array<Form, std::size(PlayerLinkForms)> made;
        for (std::size_t i = 0; i < made.size(); ++i) {
            made[i].text = PlayerLinkForms[i].toString();
            made[i].matcher.setPattern(made[i].text);
        }
        return made;
    }();
    QString result = Html;
    for (const Form& form : forms)
        if (form.matcher.indexIn(result) >= 0)
            result = ColourPlayerLinksOf(result, HomeLineupText, AwayLineupText, form.text);
    return result;
}

QString ColourPlayerLinksOf(const QString& Html, const QString& HomeLineupText, const QString& AwayLineupText,
                            const QString& LinkForm) {
    if (LinkForm.isEmpty())
        return Html;
    qsizetype p = Html.indexOf(LinkForm);
    if (p < 0)
        return Html; // no link of this form: the text is kept, not copied
    QString done;
    done.reserve(Html.size() + 64);
    qsizetype pos = 0; // the part of Html not yet handled starts here
    while (p >= 0) {
        const qsizetype opening = qMax(pos, p - LinkOpeningLength);
        const qsizetype idStart = p + LinkForm.size();
        const qsizetype quote = Html.indexOf(u'"', idStart);
        const qsizetype tagEnd = Html.indexOf(u'>', idStart);
        const qsizetype textEnd = tagEnd < 0 ? -1 : Html.indexOf(u'<', tagEnd + 1);
        if (quote < 0 || tagEnd < 0 || textEnd < 0)
            break; // a link cut short: it and the rest are kept as they are

        const QStringView html(Html);
        done += html.mid(pos, opening - pos);
        const QStringView id = html.mid(idStart, quote - idStart);
        const QStringView linkText = html.mid(tagEnd + 1, textEnd - tagEnd - 1);
        const QStringView name = linkText.mid(linkText.lastIndexOf(u' ') + 1);
        const bool inHome = !name.isEmpty() && HomeLineupText.contains(name);
        const bool inAway = !name.isEmpty() && AwayLineupText.contains(name);
        const QStringView colour = inHome && !inAway   ? PlayerColourHome
                                   : inAway && !inHome ? PlayerColourAway
                                                       : PlayerColourUnknown;
        // Appended piece by piece: every stored event with a link comes through here.
        done += QLatin1String(" <font color=");
        done += colour;
        done += QLatin1String(" \"playerID=");
        done += id;
        done += QLatin1String("\">");
        done += linkText;
        done += RunClose();

        // The link text's end and the closing </a> (the "<" and the three characters after it) go.
        pos = qMin(Html.size(), textEnd + 4);
        p = Html.indexOf(LinkForm, pos);
    }
    done += QStringView(Html).mid(pos);
    return done;
}
