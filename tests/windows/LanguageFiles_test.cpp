// Every shipped translation against the English file: UTF-8 INI text the program reads as written
// (each key once), every key of English.lng with a text, and translated rather than copied.
#include "platform/IniFile.h"
#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

const QString Dir = QStringLiteral(VELKARO_RESOURCES_DIR "/language/");

std::vector<std::string> LanguageFiles() {
    std::vector<std::string> out;
    for (const QString& file : QDir(Dir).entryList({"*.lng"}, QDir::Files))
        if (file != QLatin1String("English.lng"))
            out.push_back(file.toStdString());
    return out;
}

class LanguageFile : public ::testing::TestWithParam<std::string> {};

TEST_P(LanguageFile, ParsesHoldsEveryEnglishKeyAndIsTranslated) {
    const QString path = Dir + QString::fromStdString(GetParam());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(file.readAll());
    ASSERT_FALSE(utf8.hasError()) << "not UTF-8";
    // Every line a comment, a section or a key of a section, each section and key once.
    QString section;
    QSet<QString> seen;
    int lineNumber = 0;
    for (const QString& raw : text.split(QRegularExpression("\r?\n"))) {
        const QString line = raw.trimmed(), where = QString("line %1: %2").arg(++lineNumber).arg(line);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        const bool isSection = line.startsWith(u'[') && line.endsWith(u']');
        if (isSection)
            section = line.mid(1, line.size() - 2).trimmed().toLower();
        const qsizetype eq = line.indexOf(u'=');
        EXPECT_TRUE(isSection || (!section.isEmpty() && eq > 0)) << where.toStdString();
        const QString id = isSection ? "[" + section : section + "/" + line.left(eq).trimmed().toLower();
        EXPECT_FALSE(seen.contains(id)) << where.toStdString() << ": again, never read";
        seen.insert(id);
    }
    const IniFile english(Dir + "English.lng"), translation(path);
    int keys = 0;
    QStringList asEnglish;
    for (const QString& s : english.ReadSections())
        for (const QString& k : english.ReadSection(s)) {
            const QString englishText = english.ReadString(s, k, QString());
            if (englishText.isEmpty())
                continue;
            ++keys;
            EXPECT_FALSE(translation.ReadString(s, k, QString()).isEmpty())
                << "[" << s.toStdString() << "] " << k.toStdString() << " is missing or empty";
            if (translation.ReadString(s, k, QString()) == englishText)
                asEnglish.append(k);
        }
    EXPECT_LE(asEnglish.size() * 10, keys)
        << asEnglish.size() << " of " << keys
        << " texts are the English ones: " << asEnglish.join(", ").toStdString();
    // A download whose answer begins with "Error" counts as failed: the refused-request text must keep
    // that word in every language.
    EXPECT_TRUE(
        translation.ReadString("Connection", "MessageErrorGETRequest", QString()).startsWith("Error"));
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, LanguageFile, ::testing::ValuesIn(LanguageFiles()),
    [](const ::testing::TestParamInfo<std::string>& info) {
        return QString::fromStdString(info.param).section('.', 0, 0).replace('-', '_').toStdString();
    });

} // namespace
