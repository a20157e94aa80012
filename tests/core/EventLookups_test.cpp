// Event categories, the words of the game's codes, formations, live minutes, counters and kit stems.
#include "core/EventLookups.h"
#include "core/Settings.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

// A language whose "General" and "Options" words name their key, so that a test sees which key was
// read: Skill3 reads "S3", SubSkill2 "s2", Tactic7 "T7".
class EventLookupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = LanguageIni;
        QByteArray text = "[General]\n";
        for (int i = 0; i <= 20; ++i)
            text += "Skill" + QByteArray::number(i) + "=S" + QByteArray::number(i) + "\n";
        for (int i = 0; i <= 9; ++i) {
            text += "SubSkill" + QByteArray::number(i) + "=s" + QByteArray::number(i) + "\n";
            text += "MatchType" + QByteArray::number(i) + "=M" + QByteArray::number(i) + "\n";
            text += "Tactic" + QByteArray::number(i) + "=T" + QByteArray::number(i) + "\n";
        }
        text += "Attitude-1=A-1\nAttitude0=A0\nAttitude1=A1\nAttitude2=A2\n";
        text += "[Options]\nMatchEnds=Ended\n";
        UseLanguage(text);
    }
    void TearDown() override { LanguageIni = saved_; }

    void UseLanguage(const QByteArray& iniText) {
        const QString path = dir_.filePath("test.lng");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(iniText);
        file.close();
        language_ = std::make_unique<IniFile>(path);
        LanguageIni = language_.get();
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<IniFile> language_;
    IniFile* saved_ = nullptr;
};

QString Minute(const char* start, const char* fetched, bool ended = false) {
    return LiveMatchMinute(start, fetched, ended);
}

} // namespace

TEST(EventCategoryTest, LeadingCharactersGiveTheCodeAndOtherClassesNone) {
    const std::pair<const char*, QString> codes[] = {{",0,0,0,,0,", "0"},
                                                     {",0,0,1,3,2,", CategoryGoal},
                                                     {",0,1,2,,5,", "1"},
                                                     {",2,0,,,,", "20"},
                                                     {",2,1,,,,", "21"},
                                                     {",3,0,,,,", "30"},
                                                     {",3,1,,,,", "31"},
                                                     {",3,2,,,,", "32"},
                                                     {",4,12,,,,", "4"},
                                                     {",1,7,,,,", "5"},
                                                     {",10,0,,,,", "5"}, // two digits beginning with 1
                                                     {"QZ_3Tarjeta_", "6"},
                                                     {"QZ", CategoryProgramEvent},
                                                     // Codes are texts: no class yields "2" or "3".
                                                     {"", ""},
                                                     {",0,2,0,,0,", ""},
                                                     {",0,", ""},
                                                     {",0", ""},
                                                     {",2,2,,,,", ""},
                                                     {",3,3,,,,", ""},
                                                     {",5,0,,,,", ""},
                                                     {"qz_3Tarjeta_", ""},
                                                     {" ,0,0", ""},
                                                     {"0,0,0,,0,", ""},
                                                     {",2,", ""}};
    for (const auto& [eventClass, code] : codes)
        EXPECT_EQ(EventCategory(eventClass), code) << eventClass;
}

TEST_F(EventLookupsTest, MatchTypesReadOnlyTheKnownCodes) {
    for (const char* t : {"1", "2", "3", "4", "5", "7", "8", "9"})
        EXPECT_EQ(MatchTypeText(t), QString("M") + t);
    for (const char* t : {"6", "0", "10", "01", " 1", ""})
        EXPECT_EQ(MatchTypeText(t), QString()) << t;
}

TEST_F(EventLookupsTest, UnknownTacticsReadAsNormal) {
    for (const char* t : {"0", "1", "2", "3", "4", "7"})
        EXPECT_EQ(TacticText(t), QString("T") + t);
    for (const char* t : {"8", "5", "6", "", "x"})
        EXPECT_EQ(TacticText(t), "T0") << t;
}

TEST_F(EventLookupsTest, SkillsSubSkillsAndAttitudesOutsideTheirRangeAreEmpty) {
    EXPECT_EQ(SkillText(0), "S0");
    EXPECT_EQ(SkillText(20), "S20");
    EXPECT_EQ(SkillText(21), "");
    EXPECT_EQ(SkillText(255), "");
    EXPECT_EQ(SkillText(257), ""); // no wrap to level 1
    EXPECT_EQ(SkillText(-1), "");
    EXPECT_EQ(SubSkillText(1), "s1");
    EXPECT_EQ(SubSkillText(4), "s4");
    EXPECT_EQ(SubSkillText(0), "");
    EXPECT_EQ(SubSkillText(5), "");
    EXPECT_EQ(AttitudeText("-1"), "A-1");
    EXPECT_EQ(AttitudeText("0"), "A0");
    EXPECT_EQ(AttitudeText("1"), "A1");
    EXPECT_EQ(AttitudeText("2"), "");
    EXPECT_EQ(AttitudeText(""), "");
}

TEST_F(EventLookupsTest, RatingsSplitIntoLevelAndSubLevel) {
    EXPECT_EQ(RatingText(1), "S1 (s1)");
    EXPECT_EQ(RatingText(4), "S1 (s4)");
    EXPECT_EQ(RatingText(5), "S2 (s1)");
    EXPECT_EQ(RatingText(8), "S2 (s4)");
    EXPECT_EQ(RatingText(0), "S1 ()");
    EXPECT_EQ(RatingText(80), "S20 (s4)");
    EXPECT_EQ(RatingText(81), " (s1)");
}

TEST_F(EventLookupsTest, MissingWordsAreEmptyAndALanguageFileOverridesThem) {
    UseLanguage("[general]\nskill5=fünf\n");
    EXPECT_EQ(SkillText(5), QString::fromUtf8("fünf"));
    EXPECT_EQ(SkillText(6), "");
    EXPECT_EQ(TacticText("9"), "");
    EXPECT_EQ(Minute("2024-01-01 12:00:00", "2024-01-01 12:20:00", true), "Match end");
    LanguageIni = nullptr;
    EXPECT_EQ(RatingText(1), " ()");
    EXPECT_EQ(Minute("2024-01-01 12:00:00", "2024-01-01 12:20:00", true), "Match end");
}

TEST(ExtractFormationTest, FirstFormationOrNothing) {
    EXPECT_EQ(ExtractFormation("formation 4-4-2 against 5-3-2"), "4-4-2");
    EXPECT_EQ(ExtractFormation("3 - 1, then 4-5-1"), "4-5-1");
    EXPECT_EQ(ExtractFormation("5-3-2"), "5-3-2");
    EXPECT_EQ(ExtractFormation("-1-2"), "-1-2");
    EXPECT_EQ(ExtractFormation("a 3-5-2-x"), "3-5-2");
    EXPECT_EQ(ExtractFormation("x-"), "");
    EXPECT_EQ(ExtractFormation("3-5"), "");
    EXPECT_EQ(ExtractFormation("no formation"), "");
    EXPECT_EQ(ExtractFormation(""), "");
    EXPECT_EQ(ExtractFormation("-"), "");
    EXPECT_EQ(ExtractFormation("--"), "");
    EXPECT_EQ(ExtractFormation("---"), "---");
}

TEST_F(EventLookupsTest, LiveMinuteBands) {
    const char* start = "2024-03-09 15:00:00";
    EXPECT_EQ(Minute(start, "2024-03-09 15:00:00"), "0");
    EXPECT_EQ(Minute(start, "2024-03-09 15:00:59"), "0"); // seconds dropped
    EXPECT_EQ(Minute(start, "2024-03-09 15:45:00"), "45");
    EXPECT_EQ(Minute(start, "2024-03-09 15:45:59"), "45");
    EXPECT_EQ(Minute(start, "2024-03-09 15:46:00"), "45"); // half-time
    EXPECT_EQ(Minute(start, "2024-03-09 16:00:00"), "45");
    EXPECT_EQ(Minute(start, "2024-03-09 16:01:00"), "46");
    EXPECT_EQ(Minute(start, "2024-03-09 16:45:00"), "90");
    EXPECT_EQ(Minute(start, "2024-03-09 17:05:00"), "110");
    EXPECT_EQ(Minute(start, "2024-03-10 14:59:00"), "1424"); // 1439 minutes
    EXPECT_EQ(Minute(start, "2024-03-10 14:59:59"), "1424");
    EXPECT_EQ(Minute(start, "2024-03-10 15:00:00"), ""); // a whole day
    EXPECT_EQ(Minute(start, "2024-03-12 15:00:00"), "");
    EXPECT_EQ(Minute(start, "2024-03-09 14:50:00"), "10"); // before kick-off: the magnitude
    EXPECT_EQ(Minute(start, "2024-03-08 15:00:00"), "");
    EXPECT_EQ(Minute("2024-12-31 23:30:00", "2025-01-01 00:10:00"), "40"); // over the year's end
}

TEST_F(EventLookupsTest, LiveMinuteOfAnEndedMatch) {
    EXPECT_EQ(Minute("2024-03-09 15:00:00", "2024-03-09 15:20:00", true), "Ended");
    EXPECT_EQ(Minute("2024-03-09 15:00:00", "2024-03-11 15:20:00", true), "");
}

TEST(LiveMatchMinuteTest, NoTimeZoneShiftAcrossADaylightSavingNight) {
    // 01:30 to 03:30 on a European clock-change night is two hours of wall-clock time.
    EXPECT_EQ(LiveMatchMinute("2024-03-31 01:30:00", "2024-03-31 03:30:00", false), "105");
    EXPECT_EQ(LiveMatchMinute("2024-10-27 01:30:00", "2024-10-27 03:30:00", false), "105");
}

TEST(LiveMatchMinuteTest, UnreadableDatesGiveNothing) {
    const char* good = "2024-03-09 15:00:00";
    for (const char* bad :
         {"", "2024-02-30 12:00:00", "2024-13-01 12:00:00", "2024-03-09 24:00:00", "2024-03-09 15:60:00",
          "2024-03-09 15:00", "abcd-03-09 15:00:00", "2024-03-09T15:00:xx"}) {
        EXPECT_EQ(LiveMatchMinute(bad, good, false), "") << bad;
        EXPECT_EQ(LiveMatchMinute(good, bad, true), "") << bad;
    }
    EXPECT_EQ(LiveMatchMinute("2024-02-29 15:00:00", "2024-02-29 15:30:00", false), "30"); // leap day
}

TEST(StatisticsCounterTest, AddToCounterAddsToTheFirstNumber) {
    EXPECT_EQ(AddToCounter("", 1), "1 (0)");
    EXPECT_EQ(AddToCounter("2", 1), "3 (0)");
    EXPECT_EQ(AddToCounter("x", 1), "1 (0)");
    EXPECT_EQ(AddToCounter("3 (1)", 1), "4 (1)");
    EXPECT_EQ(AddToCounter("0 (0)", 1), "1 (0)");
    EXPECT_EQ(AddToCounter("12 (7)", 3), "15 (7)");
    EXPECT_EQ(AddToCounter("1 2 (7)", 1), "13 2 (7)"); // blanks removed from the number, tail from the first
    EXPECT_EQ(AddToCounter("(4)", 1), "1 (4)");
    // Without a blank before the bracket the count keeps its distance from it.
    EXPECT_EQ(AddToCounter("3(1)", 1), "4 (1)");
}

TEST(StatisticsCounterTest, AddToBracketCounterAddsToTheSecondNumber) {
    EXPECT_EQ(AddToBracketCounter("3", 1), "3 (1)");
    EXPECT_EQ(AddToBracketCounter("", 1), " (1)");
    EXPECT_EQ(AddToBracketCounter("3 (1)", 1), "3 (2)");
    EXPECT_EQ(AddToBracketCounter("0 (0)", 1), "0 (1)");
    EXPECT_EQ(AddToBracketCounter("5 (x)", 1), "5 (1)");
    EXPECT_EQ(AddToBracketCounter("5 (2", 1), "5 (1)"); // no closing bracket: no number
    EXPECT_EQ(AddToBracketCounter("5 )2(", 1), "5 )2(1)");
    // The two counters together, as the event summary uses them.
    EXPECT_EQ(AddToBracketCounter(AddToCounter("", 1), 1), "1 (1)");
    EXPECT_EQ(AddToCounter(AddToBracketCounter("", 1), 1), "1 (1)");
}

// Near the ends of the integer range the counters stay at the end instead of wrapping round.
TEST(StatisticsCounterTest, CountersSaturate) {
    const QString max = QString::number(INT_MAX);
    const QString min = QString::number(INT_MIN);
    EXPECT_EQ(AddToCounter(max, 1), max + " (0)");
    EXPECT_EQ(AddToCounter(QString::number(INT_MAX - 1) + " (3)", 5), max + " (3)");
    EXPECT_EQ(AddToCounter(min + " (0)", -1), min + " (0)");
    EXPECT_EQ(AddToBracketCounter("2 (" + max + ")", 1), "2 (" + max + ")");
    EXPECT_EQ(AddToBracketCounter("2 (" + min + ")", -2), "2 (" + min + ")");
    EXPECT_EQ(AddToBracketCounter("2 (7)", INT_MAX), "2 (" + max + ")");
}

TEST(KitFileStemTest, LetterTeamAndNumberWithoutLeadingZeros) {
    EXPECT_EQ(KitFileStem("X0012", "456"), "X.456.12");
    EXPECT_EQ(KitFileStem("Z000", "9"), "Z.9.");
    EXPECT_EQ(KitFileStem("A1", "5"), "A.5.1");
    EXPECT_EQ(KitFileStem("B1020", "7"), "B.7.1020");
    EXPECT_EQ(KitFileStem("C", "7"), "C.7.");
    EXPECT_EQ(KitFileStem("", "5"), "");
}
