// Event categories, the words of the game's codes, formations, live minutes, counters and kit stems.
#include "core/EventLookups.h"
#include "core/Settings.h"
#include "platform/IniFile.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

#include <climits>

namespace {
// A language whose "General" and "Options" words name their key, so that a test sees which key was
// read: Skill3 reads "S3", SubSkill2 "s2", Tactic7 "T7".
QByteArray MarkedWords() {
    QByteArray text = "[General]\n";
    for (int i = 0; i <= 20; ++i)
        text += "Skill" + QByteArray::number(i) + "=S" + QByteArray::number(i) + "\n";
    for (int i = 0; i <= 9; ++i)
        for (const char* key : {"SubSkill=s", "MatchType=M", "Tactic=T"})
            text += QByteArray(key).replace("=", QByteArray::number(i) + "=") + QByteArray::number(i) + "\n";
    return text + "Attitude-1=A-1\nAttitude0=A0\nAttitude1=A1\nAttitude2=A2\n[Options]\nMatchEnds=Ended\n";
}

class EventLookupsTest : public ::testing::Test {
protected:
    ScopedLanguage language{MarkedWords()};
};

QString Minute(const char* start, const char* fetched, bool ended = false) {
    return LiveMatchMinute(start, fetched, ended);
}
} // namespace

TEST(EventCategoryTest, LeadingCharactersGiveTheCodeAndOtherClassesNone) {
    // clang-format off
    const std::pair<const char*, QString> codes[] = {
        {",0,0,0,,0,", "0"}, {",0,0,1,3,2,", CategoryGoal}, {",0,1,2,,5,", "1"}, {",2,0,,,,", "20"},
        {",2,1,,,,", "21"}, {",3,0,,,,", "30"}, {",3,1,,,,", "31"}, {",3,2,,,,", "32"}, {",4,12,,,,", "4"},
        {",1,7,,,,", "5"}, {",10,0,,,,", "5"}, {"QZ_3Tarjeta_", "6"}, {"QZ", CategoryProgramEvent},
        // Codes are texts: no class yields "2" or "3".
        {"", ""}, {",0,2,0,,0,", ""}, {",0,", ""}, {",0", ""}, {",2,2,,,,", ""}, {",3,3,,,,", ""},
        {",5,0,,,,", ""}, {"qz_3Tarjeta_", ""}, {" ,0,0", ""}, {"0,0,0,,0,", ""}, {",2,", ""}};
    // clang-format on
    for (const auto& [eventClass, code] : codes)
        EXPECT_EQ(EventCategory(eventClass), code) << eventClass;
}

// Match types, tactics, skills, sub-skills, attitudes and ratings: the word of a known code, nothing
// (or "normal" for a tactic) outside the range, no wrap-around.
TEST_F(EventLookupsTest, CodesReadTheirWordsAndOnlyThoseFromTheLanguage) {
    for (const char* t : {"1", "2", "3", "4", "5", "7", "8", "9"})
        EXPECT_EQ(MatchTypeText(t), QString("M") + t);
    for (const char* t : {"6", "0", "10", "01", " 1", ""})
        EXPECT_EQ(MatchTypeText(t), QString()) << t;
    for (const char* t : {"0", "1", "2", "3", "4", "7"})
        EXPECT_EQ(TacticText(t), QString("T") + t);
    for (const char* t : {"8", "5", "6", "", "x"})
        EXPECT_EQ(TacticText(t), "T0") << t;
    // clang-format off
    ExpectAll({{SkillText(0), "S0"}, {SkillText(20), "S20"}, {SkillText(21), ""}, {SkillText(255), ""},
               {SkillText(257), ""}, {SkillText(-1), ""}, {SubSkillText(1), "s1"}, {SubSkillText(4), "s4"},
               {SubSkillText(0), ""}, {SubSkillText(5), ""}, {AttitudeText("-1"), "A-1"},
               {AttitudeText("0"), "A0"}, {AttitudeText("1"), "A1"}, {AttitudeText("2"), ""},
               {AttitudeText(""), ""},
               // A rating splits into level and sub-level.
               {RatingText(1), "S1 (s1)"}, {RatingText(4), "S1 (s4)"}, {RatingText(5), "S2 (s1)"},
               {RatingText(8), "S2 (s4)"}, {RatingText(0), "S1 ()"}, {RatingText(80), "S20 (s4)"},
               {RatingText(81), " (s1)"}});
    // clang-format on
    // Missing words are empty; a language file's words replace the English ones.
    language.Use("[general]\nskill5=fünf\n");
    EXPECT_EQ(SkillText(5), QString::fromUtf8("fünf"));
    EXPECT_EQ(SkillText(6), "");
    EXPECT_EQ(TacticText("9"), "");
    EXPECT_EQ(Minute("2024-01-01 12:00:00", "2024-01-01 12:20:00", true), "Match end");
    LanguageIni = nullptr;
    EXPECT_EQ(RatingText(1), " ()");
    EXPECT_EQ(Minute("2024-01-01 12:00:00", "2024-01-01 12:20:00", true), "Match end");
}

// The first formation of a text, or nothing; the kit file stem: letter, team and number without leading
// zeros.
TEST(TextsOfTheGame, FormationsAndKitFileStems) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"formation 4-4-2 against 5-3-2", "4-4-2"}, {"3 - 1, then 4-5-1", "4-5-1"}, {"5-3-2", "5-3-2"},
        {"-1-2", "-1-2"}, {"a 3-5-2-x", "3-5-2"}, {"x-", ""}, {"3-5", ""}, {"no formation", ""}, {"", ""},
        {"-", ""}, {"--", ""}, {"---", "---"}};
    for (const auto& [text, formation] : cases)
        EXPECT_EQ(ExtractFormation(text), formation) << text;
    ExpectAll({{KitFileStem("X0012", "456"), "X.456.12"}, {KitFileStem("Z000", "9"), "Z.9."},
               {KitFileStem("A1", "5"), "A.5.1"}, {KitFileStem("B1020", "7"), "B.7.1020"},
               {KitFileStem("C", "7"), "C.7."}, {KitFileStem("", "5"), ""}});
    // clang-format on
}

// The minute of a match that kicked off at 15:00 when the answer was fetched at the given time.
TEST_F(EventLookupsTest, LiveMinuteBands) {
    // clang-format off
    // Seconds are dropped; 15:46 to 16:00 is half-time; a whole day or more, or a day before, is nothing;
    // before kick-off the minute is the magnitude.
    const std::pair<const char*, const char*> bands[] = {
        {"2024-03-09 15:00:00", "0"},    {"2024-03-09 15:00:59", "0"},   {"2024-03-09 15:45:00", "45"},
        {"2024-03-09 15:45:59", "45"},   {"2024-03-09 15:46:00", "45"},  {"2024-03-09 16:00:00", "45"},
        {"2024-03-09 16:01:00", "46"},   {"2024-03-09 16:45:00", "90"},  {"2024-03-09 17:05:00", "110"},
        {"2024-03-10 14:59:00", "1424"}, {"2024-03-10 14:59:59", "1424"}, {"2024-03-10 15:00:00", ""},
        {"2024-03-12 15:00:00", ""},     {"2024-03-09 14:50:00", "10"},  {"2024-03-08 15:00:00", ""}};
    // clang-format on
    for (const auto& [fetched, minute] : bands)
        EXPECT_EQ(Minute("2024-03-09 15:00:00", fetched), minute) << fetched;
    EXPECT_EQ(Minute("2024-12-31 23:30:00", "2025-01-01 00:10:00"), "40"); // over the year's end
    // 01:30 to 03:30 on a European clock-change night is two hours of wall-clock time.
    EXPECT_EQ(Minute("2024-03-31 01:30:00", "2024-03-31 03:30:00"), "105");
    EXPECT_EQ(Minute("2024-10-27 01:30:00", "2024-10-27 03:30:00"), "105");
    EXPECT_EQ(Minute("2024-02-29 15:00:00", "2024-02-29 15:30:00"), "30"); // leap day
    // An ended match within the day.
    EXPECT_EQ(Minute("2024-03-09 15:00:00", "2024-03-09 15:20:00", true), "Ended");
    EXPECT_EQ(Minute("2024-03-09 15:00:00", "2024-03-11 15:20:00", true), "");
    const char* good = "2024-03-09 15:00:00";
    for (const char* bad :
         {"", "2024-02-30 12:00:00", "2024-13-01 12:00:00", "2024-03-09 24:00:00", "2024-03-09 15:60:00",
          "2024-03-09 15:00", "abcd-03-09 15:00:00", "2024-03-09T15:00:xx"}) {
        EXPECT_EQ(Minute(bad, good), "") << bad;
        EXPECT_EQ(Minute(good, bad, true), "") << bad;
    }
}

// The event summary's counters: "count (bracket count)". Near the ends of the integer range they stay
// at the end instead of wrapping round.
TEST(StatisticsCounterTest, CountersAddToTheirNumberAndSaturate) {
    const QString max = QString::number(INT_MAX), min = QString::number(INT_MIN);
    // clang-format off
    // Blanks are removed from the number; without a blank before the bracket the count keeps its
    // distance from it; without a closing bracket there is no bracket number.
    ExpectAll({{AddToCounter("", 1), "1 (0)"},          {AddToCounter("2", 1), "3 (0)"},
               {AddToCounter("x", 1), "1 (0)"},         {AddToCounter("3 (1)", 1), "4 (1)"},
               {AddToCounter("0 (0)", 1), "1 (0)"},     {AddToCounter("12 (7)", 3), "15 (7)"},
               {AddToCounter("1 2 (7)", 1), "13 2 (7)"}, {AddToCounter("(4)", 1), "1 (4)"},
               {AddToCounter("3(1)", 1), "4 (1)"},      {AddToBracketCounter("3", 1), "3 (1)"},
               {AddToBracketCounter("", 1), " (1)"},    {AddToBracketCounter("3 (1)", 1), "3 (2)"},
               {AddToBracketCounter("0 (0)", 1), "0 (1)"}, {AddToBracketCounter("5 (x)", 1), "5 (1)"},
               {AddToBracketCounter("5 (2", 1), "5 (1)"}, {AddToBracketCounter("5 )2(", 1), "5 )2(1)"},
               {AddToBracketCounter(AddToCounter("", 1), 1), "1 (1)"},
               {AddToCounter(AddToBracketCounter("", 1), 1), "1 (1)"},
               {AddToCounter(max, 1), max + " (0)"},
               {AddToCounter(QString::number(INT_MAX - 1) + " (3)", 5), max + " (3)"},
               {AddToCounter(min + " (0)", -1), min + " (0)"},
               {AddToBracketCounter("2 (" + max + ")", 1), "2 (" + max + ")"},
               {AddToBracketCounter("2 (" + min + ")", -2), "2 (" + min + ")"},
               {AddToBracketCounter("2 (7)", INT_MAX), "2 (" + max + ")"}});
    // clang-format on
}
