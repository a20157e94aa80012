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
QChar Referenced(const QString& name) {
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

// Text between tags as a browser writes it back: references decoded, then "&", "<", ">" and the
// no-break space written as references.
QString SerializedText(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == QLatin1Char('&')) {
            const qsizetype semi = text.indexOf(QLatin1Char(';'), i + 1);
            if (semi > i + 1 && semi - i <= 10) {
                const QChar decoded = Referenced(text.mid(i + 1, semi - i - 1));
                if (!decoded.isNull()) {
                    c = decoded;
                    i = semi;
                }
            }
        }
        if (c == QLatin1Char('&'))
            out += QStringLiteral("&amp;");
        else if (c == QLatin1Char('<'))
            out += QStringLiteral("&lt;");
        else if (c == QLatin1Char('>'))
            out += QStringLiteral("&gt;");
        else if (c == QChar(0x00A0))
            out += QStringLiteral("&nbsp;");
        else
            out += c;
    }
    return out;
}

// A stretch of HTML as a browser writes it back: tags with their names lower-cased, comments as they
// are, text serialized.
QString Serialized(const QString& html) {
    QString out;
    qsizetype i = 0;
    while (i < html.size()) {
        const qsizetype lt = html.indexOf(QLatin1Char('<'), i);
        const bool isTag =
            lt >= 0 && lt + 1 < html.size() &&
            (html[lt + 1].isLetter() || html[lt + 1] == QLatin1Char('/') || html[lt + 1] == QLatin1Char('!'));
        if (!isTag) {
            out += SerializedText(html.mid(i));
            break;
        }
        out += SerializedText(html.mid(i, lt - i));
        if (html.mid(lt, 4) == QLatin1String("<!--")) {
            const qsizetype close = html.indexOf(QStringLiteral("-->"), lt + 4);
            const qsizetype end = close < 0 ? html.size() : close + 3;
            out += html.mid(lt, end - lt);
            i = end;
            continue;
        }
        const qsizetype end = AfterTag(html, lt);
        QString tag = html.mid(lt, end - lt);
        qsizetype nameEnd = tag.startsWith(QLatin1String("</")) ? 2 : 1;
        while (nameEnd < tag.size() && (tag[nameEnd].isLetterOrNumber()))
            ++nameEnd;
        tag.replace(0, nameEnd, tag.left(nameEnd).toLower());
        out += tag;
        i = end;
    }
    return out;
}

} // namespace

QString VersionPageBody(const QString& Page) {
    const qsizetype body = FindTag(Page, QStringLiteral("body"), 0);
    if (body >= 0) {
        const qsizetype inner = AfterTag(Page, body);
        qsizetype end = Page.indexOf(QStringLiteral("</body"), inner, Qt::CaseInsensitive);
        if (end < 0)
            end = Page.indexOf(QStringLiteral("</html"), inner, Qt::CaseInsensitive);
        if (end < 0)
            end = Page.size();
        return Serialized(Page.mid(body, inner - body)) + Serialized(Page.mid(inner, end - inner)) +
               QStringLiteral("</body>");
    }
    // No body element: the browser makes one around what follows the head (or the html start tag).
    qsizetype start = 0;
    const qsizetype headEnd = Page.indexOf(QStringLiteral("</head"), 0, Qt::CaseInsensitive);
    const qsizetype html = FindTag(Page, QStringLiteral("html"), 0);
    if (headEnd >= 0)
        start = AfterTag(Page, headEnd);
    else if (html >= 0)
        start = AfterTag(Page, html);
    qsizetype end = Page.indexOf(QStringLiteral("</html"), start, Qt::CaseInsensitive);
    if (end < 0)
        end = Page.size();
    return QStringLiteral("<body>") + Serialized(Page.mid(start, end - start)) + QStringLiteral("</body>");
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
