#include "core/UPaises.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(UPaises, LeagueIdFromCountry) {
    EXPECT_EQ(LeagueIdFromCountry("Sverige"), 1);
    EXPECT_EQ(LeagueIdFromCountry("England"), 2);
    EXPECT_EQ(LeagueIdFromCountry("Hong Kong"), 53);
    EXPECT_EQ(LeagueIdFromCountry("HongKong"), 53);
    EXPECT_EQ(LeagueIdFromCountry("Hong  Kong"), 53);
    EXPECT_EQ(LeagueIdFromCountry(QString::fromUtf8("Türkiye")), 31);
    EXPECT_EQ(LeagueIdFromCountry(QString::fromUtf8("Côte d'Ivoire")), 132);
    EXPECT_EQ(LeagueIdFromCountry("Dhivehi Raajjeyge Jumhooriyyaa"), 154);
    EXPECT_EQ(LeagueIdFromCountry("sverige"), 35); // exact comparison
    EXPECT_EQ(LeagueIdFromCountry("Atlantis"), 35);
    // An empty entry never matches: empty and blank names keep the fallback.
    EXPECT_EQ(LeagueIdFromCountry(""), 35);
    EXPECT_EQ(LeagueIdFromCountry("   "), 35);
    // The Czech league whatever its first letter.
    EXPECT_EQ(LeagueIdFromCountry(QString::fromUtf8("Ceská republika")), 46);
    EXPECT_EQ(LeagueIdFromCountry(QString::fromUtf8("Česká republika")), 46);
    EXPECT_EQ(LeagueIdFromCountry(QString::fromUtf8("?eská republika")), 46);
}

TEST(UPaises, NationalAndUnder20TeamIds) {
    EXPECT_EQ(NationalTeamIds(1), "3000");
    EXPECT_EQ(U20TeamIds(1), "3041");
    EXPECT_EQ(NationalTeamIds(2), "3001");
    EXPECT_EQ(U20TeamIds(2), "3042");
    EXPECT_EQ(NationalTeamIds(35), "3035");
    EXPECT_EQ(U20TeamIds(35), "3076");
    EXPECT_EQ(NationalTeamIds(46), "3090");
    EXPECT_EQ(U20TeamIds(46), "3099");
    EXPECT_EQ(NationalTeamIds(142), "3233"); // listed above its under-20 team
    EXPECT_EQ(U20TeamIds(142), "3232");
    EXPECT_EQ(NationalTeamIds(154), "3251");
    EXPECT_EQ(U20TeamIds(154), "3252");
    EXPECT_EQ(NationalTeamIds(LeagueIdFromCountry("Hong Kong")), "3102");
    // Unused numbers and numbers outside the table are empty.
    EXPECT_EQ(LeagueNames(54), "");
    EXPECT_EQ(NationalTeamIds(54), "");
    EXPECT_EQ(U20TeamIds(120), "");
    EXPECT_EQ(LeagueNames(0), "");
    EXPECT_EQ(LeagueNames(155), "");
    EXPECT_EQ(NationalTeamIds(-1), "");
}

TEST(UPaises, TablesAreWhole) {
    const QSet<int> unused = {54,  58,  59,  60,  73,  74,  81,  84,  85,  93,  106, 107, 108, 109, 110,
                              111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 124, 141, 146, 151, 152};
    int filled = 0;
    QSet<QString> ids;
    for (int id = 1; id <= LeagueCount; ++id) {
        const bool empty = LeagueNames(id).isEmpty();
        EXPECT_EQ(empty, unused.contains(id)) << id;
        EXPECT_EQ(NationalTeamIds(id).isEmpty(), empty) << id;
        EXPECT_EQ(U20TeamIds(id).isEmpty(), empty) << id;
        if (empty)
            continue;
        ++filled;
        for (const QString& teamId : {NationalTeamIds(id), U20TeamIds(id)}) {
            EXPECT_GE(teamId.toInt(), 3000) << id;
            EXPECT_LE(teamId.toInt(), 3252) << id;
            EXPECT_FALSE(ids.contains(teamId)) << id;
            ids.insert(teamId);
        }
        // Every name finds its own league.
        if (!LeagueNames(id).contains(QString::fromUtf8("eská republika"))) {
            EXPECT_EQ(LeagueIdFromCountry(LeagueNames(id)), id) << LeagueNames(id).toStdString();
        }
    }
    EXPECT_EQ(filled, 124);
}

TEST(UPaises, LeagueSeasonStart) {
    EXPECT_EQ(LeagueSeasonStart("Norge"), "2001-02-03");
    EXPECT_EQ(LeagueSeasonStart("Sverige"), "1997-09-20");
    EXPECT_EQ(LeagueSeasonStart(QString::fromUtf8("México")), "1997-09-20");
    EXPECT_EQ(LeagueSeasonStart(QString::fromUtf8("Ísland")), "2001-09-15");
    EXPECT_EQ(LeagueSeasonStart(QString::fromUtf8("Ceská republika")), "2002-04-27");
    EXPECT_EQ(LeagueSeasonStart("Chinese Taipei"), "2002-08-17");
    EXPECT_EQ(LeagueSeasonStart("Northern Ireland"), "2004-06-19");
    EXPECT_EQ(LeagueSeasonStart("N. Ireland"), "2001-05-26"); // the league table's spelling
    EXPECT_EQ(LeagueSeasonStart(QString::fromUtf8("República Dominicana")), "2004-02-28");
    EXPECT_EQ(LeagueSeasonStart("Dhivehi Raajjeyge Jumhooriyyaa"), "2008-06-21");
    EXPECT_EQ(LeagueSeasonStart("norge"), "2001-05-26"); // exact comparison
    EXPECT_EQ(LeagueSeasonStart("Atlantis"), "2001-05-26");
    EXPECT_EQ(LeagueSeasonStart(""), "2001-05-26");
}
