// Event class descriptions: the 85 recognised classes, near misses, and where the words come from.
#include "core/EventTexts.h"
#include "core/Settings.h"
#include "platform/IniFile.h"
#include "support/TestHelpers.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {
class EventClassTextTest : public ::testing::Test {
protected:
    ScopedLanguage language{QByteArray()};
};

// The endings of a chance class after ",0,<outcome>,": the same for goals and missed chances.
// clang-format off
const std::pair<const char*, const char*> kChances[] = {
    {"0,,0,", "<CentralAttack>"}, {"0,,1,", "<RightAttack>"}, {"0,,2,", "<LeftAttack>"},
    {"0,,3,", "<Penalty>"}, {"0,,4,", "<Fault>"}, {"0,,5,", "<IndirectKick>"}, {"0,,6,", "<FarShoot>"},
    {"1,0,,", "<SE>: <Penalty>"}, {"1,1,,", "<SE>: <Fault>"}, {"1,2,,", "<SE>: <Corner>"},
    {"1,3,,", "<SE>: <CA>"}, {"1,4,,", "<SE>: <Experience>"}, {"1,5,,", "<SE>: <Quick>"},
    {"1,6,,", "<SE>: <Unpredictable>"}, {"1,7,,", "<SE>: <Winger>"}, {"1,8,,", "<SE>: <TechnicalVs>"},
    {"1,9,,", "<SE>: <LongShoot>"}, {"1,10,,", "<SE>: <TiredDefender>"}, {"1,11,,", "<SE>: <Other>"},
    {"1,3,0,", "<SE>: <CA>. <CentralAttack>"}, {"1,3,1,", "<SE>: <CA>. <RightAttack>"},
    {"1,3,2,", "<SE>: <CA>. <LeftAttack>"}, {"1,3,4,", "<SE>: <CA>. <Fault>"},
    {"2,,0,", "<CA>: <CentralAttack>"}, {"2,,1,", "<CA>: <RightAttack>"}, {"2,,2,", "<CA>: <LeftAttack>"},
    {"2,,4,", "<CA>: <Fault>"}, {"2,,5,", "<CA>: <IndirectKick>"}};

const std::pair<const char*, const char*> kOthers[] = {
    {",1,0,,,,", "<Begin>"}, {",1,1,,,,", "<Disposition>"}, {",1,2,,,,", "<LineUp>"}, {",1,3,,,,", "<Arena>"},
    {",1,4,,,,", "<HalfTime>"}, {",1,5,,,,", "<Domainated>"}, {",1,6,,,,", "<End>"},
    {",1,7,,,,", "<BestPlayer>"}, {",1,8,,,,", "<WorstPlayer>"}, {",1,9,,,,", "<Result>"},
    {",2,0,,,,", "<Injury>. <Substitution>"}, {",2,1,,,,", "<Injury>. <StillPlaying>"},
    {",3,0,,,,", "<Card>. <Yellow>"}, {",3,1,,,,", "<Card>. <Yellow2>"}, {",3,2,,,,", "<Card>. <Red>"},
    {",4,0,,,,", "<Organization> +"}, {",4,1,,,,", "<Organization> -"}, {",4,2,,,,", "<Pressing>"},
    {",4,3,,,,", "<TeamBack>"}, {",4,4,,,,", "<Powerful> +"}, {",4,5,,,,", "<Powerful> -"},
    {",4,6,,,,", "<Technical> +"}, {",4,7,,,,", "<Technical> -"}, {",4,8,,,,", "<Quick> -"},
    {",4,9,,,,", "<Underestimation>"}, {",4,10,,,,", "<Nerves>"}, {",4,11,,,,", "<NewCaptain>"},
    {",4,12,,,,", "Hattrick"}, {",4,13,,,,", "<Other>"}};
// clang-format on

// The keys of section "Events" the descriptions read: those the tables above name, "Goal" and "Failed".
QStringList EventKeys() {
    QString all = "<Goal><Failed>";
    for (const auto& [c, text] : kChances)
        all += text;
    for (const auto& [c, text] : kOthers)
        all += text;
    QStringList keys;
    for (const auto& m : QRegularExpression("<(\\w+)>").globalMatch(all))
        keys << m.captured(1);
    keys.removeDuplicates();
    return keys;
}

// Every key with a word that shows which key was read: "<Goal>".
QByteArray MarkedEventWords() {
    QString text = "[Events]\nHattrick=<Hattrick>\n"; // must never be read
    for (const QString& key : EventKeys())
        text += key + "=<" + key + ">\n";
    return text.toUtf8();
}
} // namespace

TEST_F(EventClassTextTest, EveryRecognisedClassGivesItsWordsAndNearMissesNone) {
    language.Use(MarkedEventWords());
    QSet<QString> distinct;
    for (const auto& [outcome, word] : {std::pair{",0,0,", "<Goal>. "}, {",0,1,", "<Failed>. "}})
        for (const auto& [ending, description] : kChances) {
            distinct.insert(outcome + QString(ending));
            EXPECT_EQ(EventClassText(outcome + QString(ending)), word + QString(description)) << ending;
        }
    for (const auto& [eventClass, description] : kOthers) {
        distinct.insert(eventClass);
        EXPECT_EQ(EventClassText(eventClass), QString(description)) << eventClass;
    }
    EXPECT_EQ(distinct.size(), 85);
    // A counter-attack special event through a penalty, counter-attack routes 3 and 6, a route or special
    // event beyond the table, outcome 2, the last comma missing, a ClassPrefix, other groups.
    const char* misses[] = {",0,0,1,3,3,", ",0,0,2,,3,", ",0,0,2,,6,",  ",0,0,0,,7,",   ",0,0,1,12,,",
                            ",0,2,0,,0,",  ",0,0,0,,0",  " ,0,0,0,,0,", "X,0,0,0,,0,",  ",1,10,,,,",
                            ",4,14,,,,",   ",5,0,,,,",   ",1,0,,,,,",   "QZ_3Tarjeta_", ""};
    for (const char* c : misses)
        EXPECT_EQ(EventClassText(c), QString()) << c;
}

// Missing words leave their joiners; a language file's words replace the English ones; the game's
// name is a fixed word.
TEST_F(EventClassTextTest, WordsComeFromTheLanguageAndJoinersStay) {
    language.Use("[Events]\nSE=Special\n");
    const std::pair<const char*, const char*> partial[] = {{",0,0,0,,0,", ". "},
                                                           {",0,1,1,2,,", ". Special: "},
                                                           {",4,4,,,,", " +"},
                                                           {",1,7,,,,", ""},
                                                           {",4,12,,,,", "Hattrick"}};
    for (const auto& [eventClass, text] : partial)
        EXPECT_EQ(EventClassText(eventClass), text) << eventClass;
    language.Use("[events]\ngoal=Tor\nCentralAttack=Mitte\n");
    EXPECT_EQ(EventClassText(",0,0,0,,0,"), "Tor. Mitte");
    LanguageIni = nullptr;
    EXPECT_EQ(EventClassText(",0,0,1,3,1,"), ". : . ");
    EXPECT_EQ(EventClassText(",4,12,,,,"), "Hattrick");
}

TEST_F(EventClassTextTest, TheShippedEnglishWordsCoverEveryKey) {
    language.UseFile(VELKARO_RESOURCES_DIR "/language/english-fragments/events.lng");
    EXPECT_EQ(EventClassText(",0,0,1,3,1,"), "Goal. Special event: Counter-attack. Right wing");
    EXPECT_EQ(EventClassText(",0,1,2,,5,"), "Missed chance. Counter-attack: Indirect free kick");
    EXPECT_EQ(EventClassText(",3,1,,,,"), "Card. Second yellow");
    EXPECT_EQ(EventClassText(",1,5,,,,"), "Possession");
    // Every word the descriptions read is there, and none is empty.
    EXPECT_EQ(EventKeys().size(), 45);
    EXPECT_EQ(LanguageIni->ReadSection("Events").size(), 45);
    for (const QString& key : EventKeys())
        EXPECT_FALSE(LanguageIni->ReadString("Events", key, "").isEmpty()) << key.toStdString();
}
