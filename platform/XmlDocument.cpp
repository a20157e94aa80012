#include "platform/XmlDocument.h"

#include "platform/TextFile.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>
#include <vector>

// One parsed document. Elements are numbered in document order; links are element numbers (-1: none).
// The children of every element are listed together in `children`, the elements' lists one after
// another in element order, so that the n-th child and the count of children are found at once.
// Attributes are listed in element order too. Text is appended to `chars` as it is read, so all text
// below an element is chars[textBegin, textEnd).
struct XmlTree {
    struct Element {
        qint32 name = 0;
        qint32 nextSibling = -1;
        qint32 childFirst = -1; // while parsing: the first child
        qint32 attrFirst = 0;
        qint32 textBegin = 0;
        qint32 textEnd = 0;
    };
    struct Attr {
        qint32 name;
        qint32 valueBegin;
        qint32 valueEnd;
    };
    std::vector<Element> elements;
    std::vector<qint32> children;
    std::vector<Attr> attrs;
    QString chars;      // the text of the elements, in document order
    QString attrValues; // the attribute values, one after another
    std::vector<QString> names;
    QHash<QStringView, qint32> nameIds; // views into `names`, whose strings never move their data

    qint32 NameId(QStringView name) {
        const auto found = nameIds.constFind(name);
        if (found != nameIds.constEnd())
            return *found;
        names.emplace_back(name.toString());
        const auto id = qint32(names.size() - 1);
        nameIds.insert(QStringView(names.back()), id);
        return id;
    }
    const Element& at(int index) const { return elements[size_t(index)]; }
    // The range of an element's children in `children`, and of its attributes in `attrs`.
    qint32 childEnd(int index) const {
        return size_t(index) + 1 < elements.size() ? at(index + 1).childFirst : qint32(children.size());
    }
    qint32 attrEnd(int index) const {
        return size_t(index) + 1 < elements.size() ? at(index + 1).attrFirst : qint32(attrs.size());
    }
    const QString& nameOf(int index) const { return names[size_t(at(index).name)]; }
};

namespace {

// The service's answers nest a few levels deep; a text nested deeper than this is refused.
constexpr int MaxElementNesting = 256;

// The largest text indexed by the tree's 32-bit positions.
constexpr qsizetype MaxTextSize = 0x7FFFFFFF;

std::shared_ptr<const XmlTree> Parse(const QString& text) {
    if (text.size() > MaxTextSize)
        throw EXmlParseError(QStringLiteral("The text is too large"));
    auto tree = std::make_shared<XmlTree>();
    // Every element starts with "<" and takes at least four characters ("<a/>"): the list is sized once,
    // with no copy of it as it grows.
    tree->elements.reserve(size_t(qMin(text.count(u'<'), text.size() / 4 + 1)));
    QXmlStreamReader reader(text);
    reader.setNamespaceProcessing(false);
    struct Open {
        qint32 index;
        qint32 lastChild;
    };
    std::vector<Open> open;
    qint32 root = -1;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (int(open.size()) > MaxElementNesting)
                throw EXmlParseError(
                    QStringLiteral("Elements nested deeper than %1 levels").arg(MaxElementNesting));
            const auto index = qint32(tree->elements.size());
            XmlTree::Element e;
            e.name = tree->NameId(reader.qualifiedName());
            e.attrFirst = qint32(tree->attrs.size());
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                const auto begin = qint32(tree->attrValues.size());
                tree->attrValues.append(a.value());
                tree->attrs.push_back(
                    {tree->NameId(a.qualifiedName()), begin, qint32(tree->attrValues.size())});
            }
            e.textBegin = qint32(tree->chars.size());
            tree->elements.push_back(e);
            if (open.empty()) {
                root = index;
            } else {
                Open& parent = open.back();
                if (parent.lastChild < 0)
                    tree->elements[size_t(parent.index)].childFirst = index;
                else
                    tree->elements[size_t(parent.lastChild)].nextSibling = index;
                parent.lastChild = index;
            }
            open.push_back({index, -1});
            break;
        }
        case QXmlStreamReader::EndElement:
            tree->elements[size_t(open.back().index)].textEnd = qint32(tree->chars.size());
            open.pop_back();
            break;
        case QXmlStreamReader::Characters:
            // Whitespace between elements is layout, not text (CDATA counts whatever it holds).
            if (!open.empty() && !reader.isWhitespace())
                tree->chars.append(reader.text());
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        throw EXmlParseError(QStringLiteral("%1 (line %2, column %3)")
                                 .arg(reader.errorString())
                                 .arg(reader.lineNumber())
                                 .arg(reader.columnNumber()));
    if (root != 0)
        throw EXmlParseError(QStringLiteral("No document element"));
    // Each element's children listed together, in element order (one walk over every element).
    tree->children.reserve(tree->elements.size());
    for (XmlTree::Element& e : tree->elements) {
        const qint32 first = e.childFirst;
        e.childFirst = qint32(tree->children.size());
        for (qint32 c = first; c >= 0; c = tree->at(c).nextSibling)
            tree->children.push_back(c);
    }
    tree->nameIds.clear(); // only the build looks names up
    tree->chars.squeeze();
    tree->attrValues.squeeze();
    return tree;
}

} // namespace

XmlNode::XmlNode(std::shared_ptr<const XmlTree> tree, int index)
    : tree_(index >= 0 ? std::move(tree) : nullptr), index_(index) {}

QString XmlNode::NodeName() const {
    return IsNull() ? QString() : tree_->nameOf(index_);
}

QString XmlNode::Text() const {
    if (IsNull())
        return QString();
    const XmlTree::Element& e = tree_->at(index_);
    return tree_->chars.mid(e.textBegin, e.textEnd - e.textBegin);
}

bool XmlNode::HasAttribute(const QString& name) const {
    if (IsNull())
        return false;
    for (qint32 a = tree_->at(index_).attrFirst; a < tree_->attrEnd(index_); ++a)
        if (tree_->names[size_t(tree_->attrs[size_t(a)].name)] == name)
            return true;
    return false;
}

QString XmlNode::Attribute(const QString& name) const {
    if (IsNull())
        return QString();
    for (qint32 a = tree_->at(index_).attrFirst; a < tree_->attrEnd(index_); ++a) {
        const XmlTree::Attr& attr = tree_->attrs[size_t(a)];
        if (tree_->names[size_t(attr.name)] == name)
            return tree_->attrValues.mid(attr.valueBegin, attr.valueEnd - attr.valueBegin);
    }
    return QString();
}

int XmlNode::ChildCount() const {
    return IsNull() ? 0 : tree_->childEnd(index_) - tree_->at(index_).childFirst;
}

XmlNode XmlNode::Child(int index) const {
    if (index < 0 || index >= ChildCount())
        return XmlNode();
    return XmlNode(tree_, tree_->children[size_t(tree_->at(index_).childFirst + index)]);
}

XmlChildren XmlNode::Children() const {
    if (IsNull() || tree_->childEnd(index_) == tree_->at(index_).childFirst)
        return XmlChildren(XmlNode());
    return XmlChildren(XmlNode(tree_, tree_->children[size_t(tree_->at(index_).childFirst)]));
}

XmlNode XmlNode::NextSibling() const {
    return IsNull() ? XmlNode() : XmlNode(tree_, tree_->at(index_).nextSibling);
}

XmlNode XmlNode::Child(const QString& name) const {
    if (IsNull())
        return XmlNode();
    for (qint32 c = tree_->at(index_).childFirst; c < tree_->childEnd(index_); ++c)
        if (tree_->nameOf(tree_->children[size_t(c)]) == name)
            return XmlNode(tree_, tree_->children[size_t(c)]);
    return XmlNode();
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

XmlNode XmlDocument::DocumentElement() const {
    return tree_ ? XmlNode(tree_, 0) : XmlNode();
}

void XmlDocument::SetActive(bool active) {
    if (!active) {
        tree_.reset();
        active_ = false;
        return;
    }
    if (active_)
        return;
    if (text_.isEmpty() && !FileName.isEmpty())
        text_ = TextFile::Read(FileName);
    tree_ = Parse(text_.startsWith(QChar(0xFEFF)) ? text_.mid(1) : text_);
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
