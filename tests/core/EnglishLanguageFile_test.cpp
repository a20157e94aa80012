// The shipped English file is merged from the per-concern fragments under
// resources/language/english-fragments/ (scripts/merge-lng.py): a text added to or changed in a
// fragment but not merged would silently leave the old text or the code's default, so every fragment
// text must be in the shipped file as the fragment gives it. Two fragments giving one key different
// texts fail here too.
#include "platform/IniFile.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(EnglishLanguageFile, HoldsEveryTextOfItsFragments) {
    const QString dir = QStringLiteral(VELKARO_RESOURCES_DIR) + QStringLiteral("/language");
    const IniFile english(dir + QStringLiteral("/English.lng"));
    ASSERT_TRUE(english.SectionExists(QStringLiteral("Main")));
    const QStringList fragments =
        QDir(dir + QStringLiteral("/english-fragments")).entryList({QStringLiteral("*.lng")});
    ASSERT_FALSE(fragments.isEmpty());
    for (const QString& name : fragments) {
        const IniFile fragment(dir + QStringLiteral("/english-fragments/") + name);
        for (const QString& section : fragment.ReadSections())
            for (const QString& key : fragment.ReadSection(section)) {
                EXPECT_TRUE(english.ValueExists(section, key))
                    << name.toStdString() << ": [" << section.toStdString() << "] " << key.toStdString();
                EXPECT_EQ(english.ReadString(section, key, QString()).toStdString(),
                          fragment.ReadString(section, key, QString()).toStdString())
                    << name.toStdString() << ": [" << section.toStdString() << "] " << key.toStdString();
            }
    }
    // A download whose answer begins with "Error" counts as failed: the refused-request text keeps it.
    EXPECT_TRUE(english.ReadString("Connection", "MessageErrorGETRequest", QString()).startsWith("Error"));
}
