#include "core/VersionCheck.h"

namespace {

// The start of the first tag Name (case ignored) at or after From: "<" + Name followed by a blank,
// "/" or ">"; -1 when there is none.
qsizetype FindTag(const QString& page, const QString& name, qsizetype from) {
    const QString open = QLatin1Char('<') + name;
    for (qsizetype at = page.indexOf(open, from, Qt::CaseInsensitive); at >= 0;
         at = page.indexOf(open, at + 1, Qt::CaseInsensitive)) {
        const qsizetype after = at + open.size();
        if (after >= page.size() || page[after].isSpace() || page[after] == QLatin1Char('>') ||
            page[after] == QLatin1Char('/'))
            return at;
    }
    return -1;
}

// The position just after the ">" that ends the tag starting at At (the end of the text without one).
qsizetype AfterTag(const QString& page, qsizetype at) {
    const qsizetype close = page.indexOf(QLatin1Char('>'), at);
    return close < 0 ? page.size() : close + 1;
}

// The character a reference such as "&#61;", "&#x3D;" or "&quot;" stands for; null when Name (the
// text between "&" and ";") is none the check knows.
QChar Referenced(QStringView name) {
    if (name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name[1] == QLatin1Char('x') || name[1] == QLatin1Char('X'));
        const uint code = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
        return ok && code > 0 && code < 0xD800 ? QChar(char16_t(code)) : QChar();
    }
    static const struct {
        const char* name;
        char16_t code;
    } named[] = {{"amp", u'&'},  {"lt", u'<'},    {"gt", u'>'},
                 {"quot", u'"'}, {"apos", u'\''}, {"nbsp", u'\u00A0'}};
    for (const auto& n : named)
        if (name == QLatin1String(n.name))
            return QChar(n.code);
    return QChar();
}

// What the check reads of the body it is given: the text up to the seventh character after its first
// "=", and of what comes before that "=" only the first seven characters and the last seven. The
// characters between those are dropped as the text grows, so that a page of any length costs a few
// bytes, and the writing stops once the seventh character after the "=" is in.
class CheckedBody {
public:
    void Add(QChar c) {
        if (Done())
            return;
        text_ += c;
        if (equals_ >= 0)
            return;
        if (c == QLatin1Char('='))
            equals_ = text_.size() - 1;
        else if (text_.size() > 8 * Kept)
            text_.remove(Kept, text_.size() - 2 * Kept);
    }
    void Add(QStringView s) {
        for (QChar c : s)
            Add(c);
    }
    bool Done() const { return equals_ >= 0 && text_.size() - equals_ > Kept; }
    QString Text() const { return text_; }

private:
    static constexpr qsizetype Kept = 7;
    QString text_;
    qsizetype equals_ = -1;
};

bool StartsWithAt(QStringView page, qsizetype at, QStringView what) {
    return page.mid(at, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

// Writes the page from At on as a browser writes a body back, until the end tag of the body (or of the
// page) or until Out holds what the check reads: tags with their names lower-cased, comments as they
// are, text with its character references decoded and then "&", "<", ">" and the no-break space written
// as references. Each character of the page is looked at a bounded number of times.
void SerializeBody(QStringView page, qsizetype at, CheckedBody& out) {
    const qsizetype n = page.size();
    const auto bodyEnds = [&](qsizetype i) {
        return page[i] == QLatin1Char('<') &&
               (StartsWithAt(page, i, u"</body") || StartsWithAt(page, i, u"</html"));
    };
    qsizetype i = at;
    while (i < n && !out.Done()) {
        if (bodyEnds(i))
            return;
        const QChar c = page[i];
        const QChar next = i + 1 < n ? page[i + 1] : QChar();
        if (c == QLatin1Char('<') && page.mid(i, 4) == u"<!--") {
            out.Add(u"<!--");
            for (i += 4; i < n && !out.Done() && page.mid(i, 3) != u"-->"; ++i) {
                if (bodyEnds(i))
                    return;
                out.Add(page[i]);
            }
            if (i < n && !out.Done())
                out.Add(u"-->");
            i += 3;
            continue;
        }
        if (c == QLatin1Char('<') &&
            (next.isLetter() || next == QLatin1Char('/') || next == QLatin1Char('!'))) {
            out.Add(c);
            ++i;
            if (page[i] == QLatin1Char('/'))
                out.Add(page[i++]);
            for (; i < n && !out.Done() && page[i].isLetterOrNumber(); ++i)
                out.Add(page[i].toLower());
            while (i < n && !out.Done() && !bodyEnds(i)) {
                const QChar t = page[i++];
                out.Add(t);
                if (t == QLatin1Char('>'))
                    break;
            }
            continue;
        }
        QChar decoded = c;
        ++i;
        if (c == QLatin1Char('&')) {
            // A reference's name is at most nine characters: the ";" is looked for no further.
            for (qsizetype semi = i + 1; semi < n && semi <= i + 9 && page[semi] != QLatin1Char('<');
                 ++semi) {
                if (page[semi] != QLatin1Char(';'))
                    continue;
                const QChar referenced = Referenced(page.mid(i, semi - i));
                if (!referenced.isNull()) {
                    decoded = referenced;
                    i = semi + 1;
                }
                break;
            }
        }
        if (decoded == QLatin1Char('&'))
            out.Add(u"&amp;");
        else if (decoded == QLatin1Char('<'))
            out.Add(u"&lt;");
        else if (decoded == QLatin1Char('>'))
            out.Add(u"&gt;");
        else if (decoded == QChar(0x00A0))
            out.Add(u"&nbsp;");
        else
            out.Add(decoded);
    }
}

} // namespace

QString VersionPageBody(const QString& Page) {
    CheckedBody out;
    const qsizetype body = FindTag(Page, QStringLiteral("body"), 0);
    if (body >= 0) {
        SerializeBody(Page, body, out);
    } else {
        // No body element: the browser makes one around what follows the head (or the html start tag).
        qsizetype start = 0;
        const qsizetype headEnd = Page.indexOf(QStringLiteral("</head"), 0, Qt::CaseInsensitive);
        const qsizetype html = FindTag(Page, QStringLiteral("html"), 0);
        if (headEnd >= 0)
            start = AfterTag(Page, headEnd);
        else if (html >= 0)
            start = AfterTag(Page, html);
        out.Add(u"<body>");
        SerializeBody(Page, start, out);
    }
    out.Add(u"</body>");
    return out.Text();
}

QString CompararVersion(const QString& BodyHtml, const QString& LocalVersion) {
    // Positions count from 1; a start below 1 counts from the first character, a copy past the end
    // is cut there.
    const qsizetype p = BodyHtml.indexOf(QLatin1Char('=')) + 1;
    const auto copy = [&BodyHtml](qsizetype start, qsizetype count) {
        return BodyHtml.mid(std::max<qsizetype>(start, 1) - 1, count);
    };
    const QString webVersion = copy(p + 1, 7);
    if (copy(p - 7, 7) != QLatin1String("Version"))
        return QStringLiteral("No");
    return QString::compare(webVersion, LocalVersion, Qt::CaseSensitive) > 0 ? QStringLiteral("New")
                                                                             : QStringLiteral("Old");
}
