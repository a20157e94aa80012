// The end-of-match computations with the shipped English words: ratings, possession, the 48 chance
// counters, the final rows and the lineup rules.
#include "core/DataStore.h"
#include "core/EndOfMatchLineup.h"
#include "core/EndOfMatchRatings.h"
#include "core/EndOfMatchSummary.h"
#include "core/EventLookups.h"
#include "core/Settings.h"
#include "platform/IniFile.h"
#include "platform/XmlDocument.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

namespace {
class EndOfMatch : public ::testing::Test {
protected:
    void SetUp() override {
        english.UseFile(QStringLiteral(VELKARO_RESOURCES_DIR "/language/English.lng"));
        ShapeRatingsGrid(grid);
        ShapePitchGrid(pitch);
        ShapeTable(events, EventColumn::Count, 1);
    }
    // A details answer; ratings in row order Midfield, RightDef, MidDef, LeftDef, RightAtt, MidAtt, LeftAtt.
    void Fill(const QList<int>& home, const QList<int>& away, const QString& extraHome = {},
              const QString& extraAway = {}) {
        const char* names[] = {"RatingMidfield", "RatingRightDef", "RatingMidDef", "RatingLeftDef",
                               "RatingRightAtt", "RatingMidAtt",   "RatingLeftAtt"};
        auto team = [&](const char* side, const QList<int>& r, const QString& extra) {
            QString xml = QStringLiteral("<%1Team><%1TeamName>%1 FC</%1TeamName>").arg(side) + extra;
            for (int i = 0; i < r.size(); ++i)
                xml += QStringLiteral("<%1>%2</%1>").arg(names[i]).arg(r[i]);
            return xml + QStringLiteral("</%1Team>").arg(side);
        };
        XmlDocument doc;
        doc.SetXML("<HattrickData><Match>" + team("Home", home, extraHome) + team("Away", away, extraAway) +
                   "<Arena><ArenaName>Park</ArenaName><SoldTotal>12345</SoldTotal><WeatherID>2</WeatherID>"
                   "</Arena></Match></HattrickData>");
        doc.SetActive(true);
        FillRatings(grid, pitch, doc.DocumentElement());
    }
    QString Cell(int c, int r) const { return grid.Cells(c, r); }
    void Event(const QString& team, const QString& key, const QString& cls, const QString& minute = "10",
               const QString& object = "0") {
        AppendRow(events, {QString::number(events.RowCount()), minute, "0", team, object, key, "", cls});
    }
    ScopedLanguage english;
    TBKStringGrid grid, pitch, events;
    const QString skill0 = "<TacticType>0</TacticType><TacticSkill>0</TacticSkill>";
};
} // namespace

TEST_F(EndOfMatch, RatingsDifferencesTotalsAndTheirAlignment) {
    // Midfield 10 against 10; right defence 5 against the away left attack 12; central defence 20
    // against central attack 8; the other sectors 5.
    Fill({10, 5, 20, 5, 5, 5, 5}, {10, 5, 5, 5, 5, 8, 12}, skill0, skill0);
    // clang-format off
    ExpectAll({{Cell(2, RatingsRow::Total), "  75"}, {Cell(7, RatingsRow::Total), "  70"},
               {Cell(4, RatingsRow::Total), " +5"}, {Cell(9, RatingsRow::Total), "  -5"},
               {Cell(4, RatingsRow::Midfield), "   0"}, {Cell(9, RatingsRow::Midfield), "   0"},
               {Cell(4, RatingsRow::RightDef), "  -7"}, {Cell(9, RatingsRow::LeftAtt), " +7"},
               {Cell(4, RatingsRow::MidDef), "+12"}, {Cell(9, RatingsRow::MidAtt), "-12"},
               {Cell(2, RatingsRow::RightDef), "  5"}, {Cell(1, RatingsRow::RightDef), RatingText(5)},
               // The duels: home left defence 5 against away right attack 5, central defence 20 against 8.
               {pitch.Cells(0, 1), "50%"}, {pitch.Cells(0, 2), "71%"}, {pitch.Cells(0, 3), " 70%"},
               {pitch.Cells(2, 2), "50%"}});
    for (const auto& [a, b, text] : {std::tuple{8, 8, "50%"}, {0, 0, "50%"}, {10, 20, " 66%"}, {20, 10, "66%"},
                                     {0, 5, " 100%"}, {5, 0, "100%"}})
        EXPECT_EQ(PorcentajeDuelo(a, b), text) << a << " " << b;
    // Negative and huge ratings (nine digits, the most a rating is read with): totals and differences
    // keep their sign and every digit.
    Fill({-5, 0, 0, 0, 0, 0, 0}, QList<int>(7, 999999999), skill0, skill0);
    ExpectAll({{Cell(2, RatingsRow::Total), "  -15"}, {Cell(7, RatingsRow::Total), "  8999999991"},
               {Cell(4, RatingsRow::Total), "-9000000006"}, {Cell(9, RatingsRow::Midfield), "+1000000004"}});
    // clang-format on
}

TEST_F(EndOfMatch, TacticSkillAttitudeAndAStopAtARatingThatIsNoNumber) {
    Fill({10, 5, 5, 5, 5, 5, 5}, {10, 5, 5, 5, 5, 5, 5},
         "<TacticType>7</TacticType><TacticSkill>1</TacticSkill><TeamAttitude>1</TeamAttitude>",
         "<TacticType>7</TacticType><TacticSkill>3</TacticSkill><TeamAttitude>-1</TeamAttitude>");
    // Only one attitude is shown.
    ExpectAll({{Cell(1, RatingsRow::TacticSkill), "not available"},
               {Cell(6, RatingsRow::TacticSkill), SkillText(3)},
               {Cell(1, RatingsRow::Attitude), "Match of the season"},
               {Cell(6, RatingsRow::Attitude), ""}});
    ClearRatingsGrids(grid, pitch);
    Fill({10, 5, 5, 5, 5, 5, 5}, {10, 5, 5, 5, 5, 5, 5}, skill0, skill0 + "<TeamAttitude>-1</TeamAttitude>");
    EXPECT_EQ(Cell(6, RatingsRow::Attitude), "Play it cool");
    // An away rating missing beside a present home one stops the page after the words written so far.
    ClearRatingsGrids(grid, pitch);
    EXPECT_THROW(Fill({10, 5, 5, 5, 5, 5, 5}, {10, 5}, skill0, skill0), EConvertError);
    EXPECT_EQ(QStringList({Cell(1, RatingsRow::Names), Cell(6, RatingsRow::RightDef),
                           Cell(6, RatingsRow::MidDef), Cell(2, RatingsRow::Total), pitch.Cells(1, 2)}),
              QStringList({"Home FC", RatingText(5), "", "", ""}));
    EXPECT_THROW(Fill({10}, {10}, "<TacticSkill>x</TacticSkill>", skill0), EConvertError);
}

TEST_F(EndOfMatch, PossessionOfTheHalves) {
    auto halves = PossessionOfHalves(events, "100");
    EXPECT_FALSE(halves[0].Found || halves[1].Found);
    Event("200", "40_1", "", "45", "62");
    Event("0", "47_0", "", "90", "50");
    Event("100", "40_2", "", "92", "58");  // told in the added time: the second half's
    Event("100", "140_0", "", "45", "90"); // a goal type that only ends in 40
    Event("100", "405_0", "", "90", "10");
    halves = PossessionOfHalves(events, "100");
    EXPECT_EQ(QList<int>({halves[0].Progress, halves[1].Progress}), QList<int>({38, 58}));
    EXPECT_EQ(QStringList({halves[0].Home, halves[0].Away, halves[1].Away}),
              QStringList({"38%", "62%", "42%"}));
    Event("100", "40_0", "", "45", "130"); // a share beyond the whole is shown, the gauge kept full
    EXPECT_EQ(PossessionOfHalves(events, "100")[0].Progress, 100);
    EXPECT_EQ(PossessionOfHalves(events, "100")[0].Home, "130%");
}

TEST_F(EndOfMatch, ChanceCountersOfEveryClassShape) {
    EXPECT_EQ(ChanceCounterNames().removeDuplicates(), 0);
    EXPECT_EQ(CountChances(events, "100"), (QHash<QString, QString>{{"10", "0 (0)"}, {"30", "0 (0)"}}));
    Event("100", "103_0", ",0,0,0,,3,");  // home penalty goal
    Event("200", "217_0", ",0,1,1,10,,"); // away tired defender, missed
    Event("200", "140_0", ",0,0,2,,3,");  // away counter-attack goal, route without a counter
    Event("100", "105_0", ",0,0,1,11,,"); // home other special event, goal
    Event("100", "205_0", ",0,1,1,1,,");  // home special event of type 1: its kind only
    Event("100", "204_0", ",0,1,0,,6,");  // home long shot, missed
    Event("100", "241_0", ",0,1,2,,0,");  // home counter-attack, central, missed
    Event("100", "20_0", ",1,1,,,,");     // a formation counts nowhere
    events.SetCells(EventColumn::EventNumber, events.RowCount() - 2, "");
    Event("100", "100_0", ",0,0,0,,0,"); // after the first row without a number: not an event
    // clang-format off
    const QHash<QString, QString> expected = {
        {"10", "5 (2)"}, {"1", "2 (1)"}, {"14", "1 (1)"}, {"17", "1 (0)"}, {"2", "2 (1)"}, {"212", "1 (1)"},
        {"5", "1 (0)"}, {"51", "1 (0)"}, {"30", "2 (1)"}, {"4", "1 (0)"}, {"411", "1 (0)"}, {"6", "1 (1)"}};
    // clang-format on
    EXPECT_EQ(CountChances(events, "100"), expected);
}

TEST_F(EndOfMatch, FinalRowsMatchTypeFormationsAndVenue) {
    grid.SetCells(1, 9, "kept");
    FillFinalRows(grid, " Friendly match (cup rules)", "4-4-2", "3-5-2", events);
    EXPECT_EQ(QStringList({Cell(0, 3), Cell(1, 3), Cell(2, 6), Cell(1, 9)}),
              QStringList({" Friendly match ", " (cup rules)", "4-4-2", "kept"}));
    Event("100", "125_0", ",0,0,1,,,"); // type 125 is no derby
    Event("0", "26_1", ",1,3,,,,");
    Event("0", "25_0", ",1,3,,,,");
    FillFinalRows(grid, " League match", "", "", events);
    EXPECT_EQ(Cell(1, 9), "Played on neutral ground") << "the first venue event decides";
    for (const auto& [type, text] :
         {std::pair("25_3", "Regional derby"), std::pair("27_0", "The away team actually played at home")}) {
        events.SetRowCount(1);
        Event("0", type, ",1,3,,,,");
        FillFinalRows(grid, "", "", "", events);
        EXPECT_EQ(Cell(1, 9), text);
    }
}

TEST_F(EndOfMatch, LineupBoxesWordsExperienceAndStars) {
    auto entry = [](const char* role, const char* id) { return LineupEntry{role, id, "", "", "", ""}; };
    // Player 7 left box 5 (he is also replaced player 19): box 5 shows who ended the match there, player 8,
    // who also takes the set pieces and is captain (roles 17 and 18 are no replacements).
    const QVector<LineupEntry> entries = {entry("5", "7"), entry("5", "8"),  entry("6", "9"),
                                          entry("x", "9"), entry("19", "7"), entry("17", "8"),
                                          entry("18", "8")};
    // A role that is no number counts as replaced: box 6 has no entry.
    EXPECT_EQ(QList<int>({BoxEntry(entries, 5), BoxEntry(entries, 6), RoleEntry(entries, 19)}),
              QList<int>({1, -1, 4}));
    using Colour = std::optional<unsigned>;
    // clang-format off
    for (const auto& [p, b, word, colour] :
         {std::tuple{4, 1, "Left central defender (offensive)", Colour(0xFF0000u)},
          {3, 5, "Extra forward", Colour(0x0000FFu)}, {1, 0, "Keeper", Colour(0x000000u)},
          {9, 6, "Extra inner midfielder", Colour(0x00FFFFu)}, {0, 2, " (defensive)", Colour()},
          {12, 8, "", Colour()}}) {
        EXPECT_EQ(PositionWord(p, b).Word, word) << p << " " << b;
        EXPECT_EQ(PositionWord(p, b).Colour, colour) << p << " " << b;
    }
    ExpectAll({{ExperienceWord("9"), "formidable"}, {ExperienceWord("20"), "divine"},
               {ExperienceWord(""), "non-existent"}, {ExperienceWord("21"), ""}, {ExperienceWord("-1"), ""}});
    // clang-format on
    EXPECT_THROW(StrToInt("x"), EConvertError);
    for (QChar separator : {QChar('.'), QChar(',')}) {
        double total = 0;
        for (const char* stars : {"3.5", "4", "2.5"})
            total += StarValue(stars, separator);
        EXPECT_EQ(StarTotalText(total, separator), "10");
        EXPECT_EQ(StarTotalText(total + 22.5, separator), QString("32") + separator + "5");
    }
    EXPECT_EQ(StarValue("3,5", ','), 3.5);
    EXPECT_THROW(StarValue("3,5", '.'), EConvertError);
    EXPECT_THROW(StarValue("", '.'), EConvertError);
}
