#include "core/UPaises.h"

#include <QSet>
#include <gtest/gtest.h>

// Names compare exactly, blanks aside; an empty entry never matches, so empty and blank names keep the
// fallback 35; the Czech league is found whatever its first letter. Season starts compare exactly too
// ("N. Ireland" is the league table's spelling, not this table's).
TEST(UPaises, LeagueIdAndSeasonStartFromCountry) {
    // clang-format off
    const std::pair<const char*, int> names[] = {
        {"Sverige", 1}, {"Hong Kong", 53}, {"HongKong", 53}, {"Hong  Kong", 53}, {"sverige", 35},
        {"Atlantis", 35}, {"", 35}, {"   ", 35}, {"Ceská republika", 46}, {"Česká republika", 46},
        {"?eská republika", 46}};
    const std::pair<const char*, const char*> starts[] = {
        {"Norge", "2001-02-03"}, {"Ísland", "2001-09-15"}, {"Ceská republika", "2002-04-27"},
        {"Northern Ireland", "2004-06-19"}, {"N. Ireland", "2001-05-26"}, {"norge", "2001-05-26"},
        {"Atlantis", "2001-05-26"}, {"", "2001-05-26"}};
    // clang-format on
    for (const auto& [name, id] : names)
        EXPECT_EQ(LeagueIdFromCountry(QString::fromUtf8(name)), id) << name;
    for (const auto& [name, date] : starts)
        EXPECT_EQ(LeagueSeasonStart(QString::fromUtf8(name)), date) << name;
}

TEST(UPaises, TeamIdTablesAreWholeAndEveryNameFindsItsLeague) {
    // The game's own IDs, senior below under-20 as everywhere else.
    for (const auto& [country, senior, u20] : {std::tuple{"Moçambique", "3232", "3233"},
                                               {"Negara Brunei Darussalam", "3234", "3235"},
                                               {"Prateh Kampuchea", "3238", "3239"},
                                               {"Hong Kong", "3102", "3103"}}) {
        const int id = LeagueIdFromCountry(QString::fromUtf8(country));
        EXPECT_EQ(NationalTeamIds(id), senior) << country;
        EXPECT_EQ(U20TeamIds(id), u20) << country;
    }
    EXPECT_EQ(U20TeamIds(154), "3252");
    for (int id : {54, 120, 0, 155, -1}) // unused numbers and numbers outside the table
        EXPECT_TRUE(LeagueNames(id).isEmpty() && NationalTeamIds(id).isEmpty() && U20TeamIds(id).isEmpty())
            << id;
    int filled = 0;
    QSet<QString> ids;
    for (int id = 1; id <= LeagueCount; ++id) {
        const bool empty = LeagueNames(id).isEmpty();
        EXPECT_EQ(NationalTeamIds(id).isEmpty(), empty) << id;
        EXPECT_EQ(U20TeamIds(id).isEmpty(), empty) << id;
        if (empty)
            continue;
        ++filled;
        for (const QString& teamId : {NationalTeamIds(id), U20TeamIds(id)}) {
            EXPECT_TRUE(teamId.toInt() >= 3000 && teamId.toInt() <= 3252) << id;
            EXPECT_FALSE(ids.contains(teamId)) << id;
            ids.insert(teamId);
        }
        EXPECT_TRUE(LeagueNames(id).contains(QString::fromUtf8("eská republika")) ||
                    LeagueIdFromCountry(LeagueNames(id)) == id)
            << LeagueNames(id).toStdString();
    }
    EXPECT_EQ(filled, 124);
}
