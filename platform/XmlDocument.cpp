#include "platform/XmlDocument.h"

#include "platform/TextFile.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// The service's answers nest a few levels deep. The DOM builder takes time that grows much faster
// than the depth (seconds for an answer of a hundred kilobytes nested 16000 deep), so a text nested
// deeper than this is refused before it is built.
constexpr int MaxElementNesting = 256;

// Whether an XML text nests elements deeper than `limit`, read from its markup alone: comments, CDATA
// sections, processing instructions, declarations and quoted attribute values are passed over.
// Linear in the text.
bool NestedDeeperThan(QStringView text, int limit) {
    const qsizetype n = text.size();
    int depth = 0;
    qsizetype i = 0;
    auto skipPast = [&](QStringView end) {
        const qsizetype at = text.indexOf(end, i);
        i = at < 0 ? n : at + end.size();
    };
    while (i < n) {
        i = text.indexOf(u'<', i);
        if (i < 0)
            break;
        const QStringView rest = text.mid(i);
        if (rest.startsWith(u"<!--")) {
            skipPast(u"-->");
        } else if (rest.startsWith(u"<![CDATA[")) {
            skipPast(u"]]>");
        } else if (rest.startsWith(u"<?")) {
            skipPast(u"?>");
        } else if (rest.startsWith(u"<!")) {
            skipPast(u">");
        } else if (rest.startsWith(u"</")) {
            --depth;
            skipPast(u">");
        } else {
            // A start tag: its end is the first ">" outside a quoted attribute value.
            qsizetype j = i + 1;
            QChar quote;
            for (; j < n; ++j) {
                const QChar c = text.at(j);
                if (!quote.isNull()) {
                    if (c == quote)
                        quote = QChar();
                } else if (c == u'"' || c == u'\'') {
                    quote = c;
                } else if (c == u'>') {
                    break;
                }
            }
            if (j < n && text.at(j - 1) != u'/' && ++depth > limit)
                return true;
            i = j + 1;
        }
    }
    return false;
}

} // namespace

int XmlNode::ChildCount() const {
    int n = 0;
    for (QDomElement c = e_.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        ++n;
    return n;
}

XmlNode XmlNode::Child(int index) const {
    if (index < 0)
        return XmlNode();
    QDomElement c = e_.firstChildElement();
    for (int i = 0; i < index && !c.isNull(); ++i)
        c = c.nextSiblingElement();
    return XmlNode(c);
}

XmlChildren XmlNode::Children() const {
    return XmlChildren(XmlNode(e_.firstChildElement()));
}

XmlNode XmlNode::NextSibling() const {
    return XmlNode(e_.nextSiblingElement());
}

XmlNode XmlNode::Child(const QString& name) const {
    if (e_.isNull())
        return XmlNode();
    return XmlNode(e_.firstChildElement(name));
}

XmlNode XmlNode::Path(const QString& slashSeparated) const {
    // Most paths are one name: no list of parts to build for them.
    if (!slashSeparated.isEmpty() && !slashSeparated.contains(QLatin1Char('/')))
        return Child(slashSeparated);
    XmlNode n = *this;
    for (const QString& part : slashSeparated.split('/', Qt::SkipEmptyParts))
        n = n.Child(part);
    return n;
}

void XmlDocument::SetActive(bool active) {
    if (!active) {
        doc_ = QDomDocument();
        active_ = false;
        return;
    }
    if (active_)
        return;
    if (text_.isEmpty() && !FileName.isEmpty())
        text_ = TextFile::Read(FileName);
    QString text = text_;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (NestedDeeperThan(text, MaxElementNesting))
        throw EXmlParseError(QString("Elements nested deeper than %1 levels").arg(MaxElementNesting));
    QDomDocument doc;
    QString error;
    int line = 0, column = 0;
    if (!doc.setContent(text, &error, &line, &column))
        throw EXmlParseError(QString("%1 (line %2, column %3)").arg(error).arg(line).arg(column));
    doc_ = doc;
    active_ = true;
}

void XmlDocument::SetXML(const QString& text) {
    SetActive(false);
    text_ = text;
}

void XmlDocument::Clear() {
    SetActive(false);
    text_.clear();
    FileName.clear();
}

void XmlDocument::LoadFromFile(const QString& path) {
    SetActive(false);
    text_ = TextFile::Read(path);
    SetActive(true);
}

void XmlDocument::SaveToFile(const QString& path) const {
    // The bytes are UTF-8 whatever the text declared, so the declaration must say UTF-8 too.
    static const QRegularExpression declared(R"(^(\x{FEFF}?\s*<\?xml[^>]*?encoding\s*=\s*)(["'])([^"']*)\2)");
    QString text = text_;
    const QRegularExpressionMatch m = declared.match(text);
    if (m.hasMatch() && m.captured(3).compare("utf-8", Qt::CaseInsensitive) != 0)
        text.replace(m.capturedStart(3), m.capturedLength(3), "utf-8");
    TextFile::WriteAtomic(path, text.toUtf8());
}
