#pragma once
// An INI file held in memory: sections and keys compare without regard to case, the first occurrence
// of a section or key wins, a key present with an empty value reads "", the order of sections and keys
// is kept when the file is written. Rewriting keeps what is not a setting (comments, blank lines, text
// outside a section) where it stood, the lines of settings that did not change as they were, and the
// file's line endings. Reads accept UTF-8 (with or without BOM) and fall back to Windows-1252; writes
// are UTF-8.
#include <QString>
#include <QStringList>
#include <QVector>

class IniFile {
public:
    enum class Mode {
        InMemory,  // writes change memory only; UpdateFile writes the whole file
        FileBacked // every write reaches the file at once
    };

    // Loads the file when it exists; a missing or unreadable file gives an empty object.
    explicit IniFile(const QString& fileName, Mode mode = Mode::InMemory);

    const QString& FileName() const { return fileName_; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;     // non-number: def
    double ReadFloat(const QString& section, const QString& key, double def) const; // non-number: def
    bool ReadBool(const QString& section, const QString& key, bool def) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteFloat(const QString& section, const QString& key, double value);

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QStringList ReadSections() const;
    QStringList ReadSection(const QString& section) const; // the keys, in order
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

    // Writes the whole file (atomically: a failed write leaves the old file whole). Throws EInOutError.
    void UpdateFile();

private:
    // One line of a section: a setting (key and value), or any other text, written back as it was.
    struct Line {
        bool entry = false;
        QString key;
        QString value;
        QString raw; // the line as read; rebuilt from key and value when the value changes
    };
    struct Section {
        QString name;
        QString header; // the "[name]" line as read
        QVector<Line> lines;
    };
    const Section* findSection(const QString& name) const;
    Section* findSection(const QString& name);
    void written();

    QString fileName_;
    Mode mode_;
    QStringList preamble_; // lines before the first section
    QVector<Section> sections_;
    QString lineEnd_ = QStringLiteral("\n"); // the file's own line ending (CR LF or LF)
};
