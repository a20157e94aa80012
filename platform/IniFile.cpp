#include "platform/IniFile.h"
#include "platform/Exceptions.h"
#include "platform/TextFile.h"

#include <climits>
#include <utility>

namespace {
bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Decimal, or hexadecimal after "0x" or "$", with an optional sign.
bool parseInteger(QString text, int& out) {
    text = text.trimmed();
    bool negative = false;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text.startsWith(u'-');
        text.remove(0, 1);
    }
    int base = 10;
    if (text.startsWith(u'$')) {
        text.remove(0, 1);
        base = 16;
    } else if (text.startsWith("0x", Qt::CaseInsensitive)) {
        text.remove(0, 2);
        base = 16;
    }
    if (text.isEmpty() || text.startsWith(u'-') || text.startsWith(u'+'))
        return false;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, base);
    const qlonglong signedValue = negative ? -value : value;
    if (!ok || signedValue < INT_MIN || signedValue > INT_MAX)
        return false;
    out = int(signedValue);
    return true;
}
} // namespace

IniFile::IniFile(const QString& fileName, Mode mode) : fileName_(fileName), mode_(mode) {
    QString text;
    try {
        text = TextFile::Read(fileName);
    } catch (const EInOutError&) {
        return; // a missing or unreadable file: every read gives its default
    }
    if (text.contains(QLatin1String("\r\n")))
        lineEnd_ = QStringLiteral("\r\n");
    Section* current = nullptr;
    for (const QString& raw : TextFile::SplitLines(text)) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            // A repeated section is kept (and written back) but never found: the first one wins.
            sections_.append(Section{line.mid(1, line.size() - 2).trimmed(), raw, {}});
            current = &sections_.last();
            continue;
        }
        if (current == nullptr) {
            preamble_.append(raw); // text before the first section is no setting
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (line.isEmpty() || line.startsWith(u';') || eq < 0) {
            current->lines.append(Line{false, {}, {}, raw}); // comments, blank lines, stray text
            continue;
        }
        current->lines.append(Line{true, line.left(eq).trimmed(), line.mid(eq + 1).trimmed(), raw});
    }
}

const IniFile::Section* IniFile::findSection(const QString& name) const {
    for (const Section& s : sections_) {
        if (sameName(s.name, name))
            return &s;
    }
    return nullptr;
}

IniFile::Section* IniFile::findSection(const QString& name) {
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    if (const Section* s = findSection(section)) {
        for (const Line& l : s->lines) {
            if (l.entry && sameName(l.key, key))
                return l.value;
        }
    }
    return def;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    int value;
    return parseInteger(ReadString(section, key, QString()), value) ? value : def;
}

double IniFile::ReadFloat(const QString& section, const QString& key, double def) const {
    // Files written under a locale with a decimal comma still read.
    QString text = ReadString(section, key, QString()).trimmed();
    text.replace(u',', u'.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : def;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    Section* s = findSection(section);
    if (s == nullptr) {
        // A new section stands apart from the text before it by one blank line.
        if (!sections_.isEmpty()) {
            QVector<Line>& before = sections_.last().lines;
            if (before.isEmpty() || !before.last().raw.trimmed().isEmpty())
                before.append(Line{});
        } else if (!preamble_.isEmpty() && !preamble_.last().trimmed().isEmpty()) {
            preamble_.append(QString());
        }
        sections_.append(Section{section, QLatin1Char('[') + section + QLatin1Char(']'), {}});
        s = &sections_.last();
    }
    const QString raw = key + u'=' + value;
    qsizetype lastEntry = -1;
    for (qsizetype i = 0; i < s->lines.size(); ++i) {
        Line& l = s->lines[i];
        if (!l.entry)
            continue;
        if (sameName(l.key, key)) {
            if (l.value != value) {
                l.value = value;
                l.raw = l.key + u'=' + value; // keeps the key's spelling
            }
            written();
            return;
        }
        lastEntry = i;
    }
    // A new key follows the section's last setting, before the comments and blank lines after it.
    s->lines.insert(lastEntry + 1, Line{true, key, value, raw});
    written();
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteFloat(const QString& section, const QString& key, double value) {
    WriteString(section, key, QString::number(value, 'g', 15));
}

bool IniFile::SectionExists(const QString& section) const {
    return findSection(section) != nullptr;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    if (const Section* s = findSection(section)) {
        for (const Line& l : s->lines) {
            if (l.entry && sameName(l.key, key))
                return true;
        }
    }
    return false;
}

QStringList IniFile::ReadSections() const {
    QStringList names;
    for (const Section& s : sections_)
        names.append(s.name);
    return names;
}

QStringList IniFile::ReadSection(const QString& section) const {
    QStringList keys;
    if (const Section* s = findSection(section)) {
        for (const Line& l : s->lines)
            if (l.entry)
                keys.append(l.key);
    }
    return keys;
}

void IniFile::EraseSection(const QString& section) {
    for (qsizetype i = 0; i < sections_.size(); ++i) {
        if (sameName(sections_[i].name, section)) {
            sections_.remove(i);
            written();
            return;
        }
    }
}

void IniFile::DeleteKey(const QString& section, const QString& key) {
    if (Section* s = findSection(section)) {
        for (qsizetype i = 0; i < s->lines.size(); ++i) {
            if (s->lines[i].entry && sameName(s->lines[i].key, key)) {
                s->lines.remove(i);
                written();
                return;
            }
        }
    }
}

void IniFile::UpdateFile() {
    QString text;
    for (const QString& line : preamble_)
        text += line + lineEnd_;
    for (const Section& s : sections_) {
        text += s.header + lineEnd_;
        for (const Line& l : s.lines)
            text += l.raw + lineEnd_;
    }
    TextFile::WriteAtomic(fileName_, text.toUtf8());
}

void IniFile::written() {
    if (mode_ == Mode::FileBacked)
        UpdateFile();
}
