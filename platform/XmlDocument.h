#pragma once
// An XML document object model for reading the game service's answers: load a file or set a text,
// make it active (parsed) or inactive, save it, and walk its elements. Children are counted and
// addressed as elements only (whitespace-only text is not a child). An element that is absent reads
// as the empty text.
#include "platform/Exceptions.h"

#include <QDomDocument>
#include <QDomElement>
#include <QString>

// A text that is not well-formed XML.
class EXmlParseError : public Exception {
public:
    using Exception::Exception;
};

class XmlChildren;

class XmlNode {
public:
    XmlNode() = default;
    explicit XmlNode(const QDomElement& e) : e_(e) {}

    bool IsNull() const { return e_.isNull(); }
    QString NodeName() const { return e_.tagName(); } // "" for an absent element
    QString Text() const { return e_.text(); }        // all text below the element; "" when absent
    // The same element of the same document, or both absent.
    bool operator==(const XmlNode& other) const { return e_ == other.e_; }

    int ChildCount() const;                            // element children only
    XmlNode Child(int index) const;                    // absent (null) when out of range
    XmlNode Child(const QString& name) const;          // the first element child of that name
    XmlNode Path(const QString& slashSeparated) const; // e.g. "Team/League/LeagueName"
    // The element children in document order, each reached from the one before it: a walk over all
    // of them costs what counting them costs, where Child(index) walks `index` siblings every time.
    XmlChildren Children() const;
    XmlNode NextSibling() const; // the next element after this one; absent after the last
    QString ChildText(const QString& slashSeparated) const { return Path(slashSeparated).Text(); }

    bool HasAttribute(const QString& name) const { return e_.hasAttribute(name); }
    QString Attribute(const QString& name) const { return e_.attribute(name); } // "" when absent

private:
    QDomElement e_;
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

    XmlNode DocumentElement() const { return XmlNode(doc_.documentElement()); }

private:
    QString text_;
    QDomDocument doc_;
    bool active_ = false;
};
