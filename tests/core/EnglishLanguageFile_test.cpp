// The shipped English file is merged from the per-concern fragments under
// resources/language/english-fragments/ (scripts/merge-lng.py): a text added to a fragment but not merged
// would silently fall back to the code's default, so every fragment key must be in the shipped file.
#include "platform/IniFile.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(EnglishLanguageFile, HoldsEveryKeyOfItsFragments) {
    const QString dir = QStringLiteral(VELKARO_RESOURCES_DIR) + QStringLiteral("/language");
    const IniFile english(dir + QStringLiteral("/English.lng"));
    ASSERT_TRUE(english.SectionExists(QStringLiteral("Main")));
    const QStringList fragments =
        QDir(dir + QStringLiteral("/english-fragments")).entryList({QStringLiteral("*.lng")});
    ASSERT_FALSE(fragments.isEmpty());
    for (const QString& name : fragments) {
        const IniFile fragment(dir + QStringLiteral("/english-fragments/") + name);
        for (const QString& section : fragment.ReadSections())
            for (const QString& key : fragment.ReadSection(section))
                EXPECT_TRUE(english.ValueExists(section, key))
                    << name.toStdString() << ": [" << section.toStdString() << "] " << key.toStdString();
    }
}
