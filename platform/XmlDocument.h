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

class XmlNode {
public:
    XmlNode() = default;
    explicit XmlNode(const QDomElement& e) : e_(e) {}

    bool IsNull() const { return e_.isNull(); }
    QString NodeName() const { return e_.tagName(); } // "" for an absent element
    QString Text() const { return e_.text(); }        // all text below the element; "" when absent

    int ChildCount() const;                            // element children only
    XmlNode Child(int index) const;                    // absent (null) when out of range
    XmlNode Child(const QString& name) const;          // the first element child of that name
    XmlNode Path(const QString& slashSeparated) const; // e.g. "Team/League/LeagueName"
    QString ChildText(const QString& slashSeparated) const { return Path(slashSeparated).Text(); }

    bool HasAttribute(const QString& name) const { return e_.hasAttribute(name); }
    QString Attribute(const QString& name) const { return e_.attribute(name); } // "" when absent

private:
    QDomElement e_;
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
