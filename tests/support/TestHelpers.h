#pragma once
// Helpers the tests share: whole files, results beside what they must be, a language for one test, and
// QString in failure messages as text.
#include "core/Settings.h"
#include "platform/IniFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <ostream>
#include <utility>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

// The bytes of a file, empty when it cannot be read; a file written whole, its folder made first.
inline QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

// Each result beside what it must be; a failure names the case by its position.
using Expect = std::pair<QString, QString>;
inline void ExpectAll(std::initializer_list<Expect> cases) {
    int i = 0;
    for (const auto& [got, expected] : cases)
        EXPECT_EQ(got, expected) << "case " << i++;
}

// The language the texts are read from, for the life of the object: INI text or a file (none: no
// language object at all). The language before comes back at the end.
class ScopedLanguage {
public:
    ScopedLanguage() { LanguageIni = nullptr; }
    explicit ScopedLanguage(const QByteArray& iniText) { Use(iniText); }
    ~ScopedLanguage() { LanguageIni = saved_; }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;
    void Use(const QByteArray& iniText) {
        WriteBytes(dir_.filePath(QStringLiteral("test.lng")), iniText);
        UseFile(dir_.filePath(QStringLiteral("test.lng")));
    }
    void UseFile(const QString& path) {
        language_ = std::make_unique<IniFile>(path);
        LanguageIni = language_.get();
    }

private:
    IniFile* saved_ = LanguageIni;
    QTemporaryDir dir_;
    std::unique_ptr<IniFile> language_;
};
