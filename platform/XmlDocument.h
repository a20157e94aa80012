#pragma once
// An XML document object model for reading the game service's answers: load a file or set a text,
// make it active (parsed) or inactive, save it, and walk its elements. Children are counted and
// addressed as elements only (whitespace-only text is not a child). An element that is absent reads
// as the empty text.
//
// The parsed document is a compact tree of its own: a few integers per element, the names kept once,
// all text in one buffer in document order (so an element's text is one stretch of it). A general DOM
// costs 30 to 200 times the answer's size in memory; this one a few times.
#include "platform/Exceptions.h"

#include <QString>
#include <memory>

// A text that is not well-formed XML.
class EXmlParseError : public Exception {
public:
    using Exception::Exception;
};

class XmlChildren;
struct XmlTree; // the parsed elements, shared by the document and the nodes taken from it

class XmlNode {
public:
    XmlNode() = default;
    XmlNode(std::shared_ptr<const XmlTree> tree, int index);

    bool IsNull() const { return index_ < 0; }
    QString NodeName() const; // "" for an absent element
    QString Text() const;     // all text below the element; "" when absent
    // The same element of the same document, or both absent.
    bool operator==(const XmlNode& other) const {
        return index_ == other.index_ && (index_ < 0 || tree_ == other.tree_);
    }

    // Element children only. Both take constant time: each element's children are listed together.
    int ChildCount() const;
    XmlNode Child(int index) const;                    // absent (null) when out of range
    XmlNode Child(const QString& name) const;          // the first element child of that name
    XmlNode Path(const QString& slashSeparated) const; // e.g. "Team/League/LeagueName"
    // The element children in document order, each reached from the one before it.
    XmlChildren Children() const;
    XmlNode NextSibling() const; // the next element after this one; absent after the last
    QString ChildText(const QString& slashSeparated) const { return Path(slashSeparated).Text(); }

    bool HasAttribute(const QString& name) const;
    QString Attribute(const QString& name) const; // "" when absent

private:
    std::shared_ptr<const XmlTree> tree_; // kept alive by every node, as the document's elements were
    int index_ = -1;
};

// A range over an element's element children: `for (const XmlNode& event : eventList.Children())`.
class XmlChildren {
public:
    class Iterator {
    public:
        explicit Iterator(const XmlNode& at) : at_(at) {}
        const XmlNode& operator*() const { return at_; }
        Iterator& operator++() {
            at_ = at_.NextSibling();
            return *this;
        }
        bool operator==(const Iterator& other) const { return at_ == other.at_; }
        bool operator!=(const Iterator& other) const { return !(at_ == other.at_); }

    private:
        XmlNode at_;
    };
    explicit XmlChildren(const XmlNode& first) : first_(first) {}
    Iterator begin() const { return Iterator(first_); }
    Iterator end() const { return Iterator(XmlNode()); }
    bool empty() const { return first_.IsNull(); }

private:
    XmlNode first_;
};

class XmlDocument {
public:
    QString FileName; // the file that SetActive(true) loads when no text is set

    bool Active() const { return active_; }
    // true: parses the text (or, without a text, loads FileName); throws EXmlParseError / EInOutError.
    // false: drops the parsed document; the text stays until Clear or SetXML.
    void SetActive(bool active);

    // Sets the text to parse; the document becomes inactive.
    void SetXML(const QString& text);
    QString XML() const { return text_; }
    void Clear(); // inactive, no text, no file name

    // Reads the file (UTF-8 with or without byte-order mark, else Windows-1252) and parses it.
    void LoadFromFile(const QString& path);
    // Writes the document's text as UTF-8 (the declaration says so) through a temporary file, so a
    // failed save leaves an older file of that name whole. Throws EInOutError.
    void SaveToFile(const QString& path) const;

    XmlNode DocumentElement() const;

private:
    QString text_;
    std::shared_ptr<const XmlTree> tree_;
    bool active_ = false;
};
