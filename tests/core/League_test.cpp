// The league computations without a window: number texts, the live table, colours, goal counts and the
// round search's pieces on real answers of the game.
#include "core/DataStore.h"
#include "core/LeagueColours.h"
#include "core/LeagueGoals.h"
#include "core/LeagueRound.h"
#include "core/LeagueTable.h"
#include "core/UConectar.h"
#include "core/UGlobal.h"
#include "platform/XmlDocument.h"
#include "support/Samples.h"
#include "support/TestHelpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace LeagueTableColumn;

namespace {
struct Club {
    const char* name;
    int played, goalsFor, goalsAgainst, points;
};
// The table before the round, in the order of the league file.
const Club Clubs[] = {{"Ashford", 5, 10, 3, 12}, {"Bramley", 5, 8, 5, 10}, {"Castle", 5, 7, 6, 8},
                      {"Dunmore", 5, 4, 6, 7},   {"Elmstead", 5, 6, 7, 6}, {"Fairhaven", 5, 4, 6, 5},
                      {"Granton", 5, 5, 7, 5},   {"Harbour", 5, 2, 6, 2}};
const char* const Pairs[4][2] = {
    {"Ashford", "Harbour"}, {"Bramley", "Granton"}, {"Castle", "Fairhaven"}, {"Dunmore", "Elmstead"}};

// The table before the round; slots 0..3 as the league round with the given scores ("" for not started).
struct Live {
    TBKStringGrid before, matches, temp, temp2, live;
    LiveTableResult Compute(const QStringList& scores) {
        ShapeLeagueTable(before);
        for (int r = 1; r <= 8; ++r) {
            const Club& c = Clubs[r - 1];
            before.SetCells(TablePosition, r, QStringLiteral("  %1.").arg(r));
            before.SetCells(TableTeamName, r, QString::fromLatin1(c.name));
            before.SetCells(TablePlayed, r, TableCountText(QString::number(c.played)));
            before.SetCells(TableGoalsFor, r, TableGoalsText(QString::number(c.goalsFor)));
            before.SetCells(TableGoalsAgainst, r, TableGoalsText(QString::number(c.goalsAgainst)));
            before.SetCells(TableGoalDifference, r, TableGoalDifferenceText(c.goalsFor - c.goalsAgainst));
            before.SetCells(TablePoints, r, TableCountText(QString::number(c.points)));
        }
        ShapeTable(matches, MatchColumn::Count, MatchSlotCount);
        for (int s = 0; s < 4; ++s) {
            matches.SetCells(MatchColumn::MatchId, s, QString::number(712000021 + s));
            matches.SetCells(MatchColumn::HomeName, s, QString::fromLatin1(Pairs[s][0]));
            matches.SetCells(MatchColumn::AwayName, s, QString::fromLatin1(Pairs[s][1]));
            matches.SetCells(MatchColumn::MatchTypeCode, s, QStringLiteral("1"));
            matches.SetCells(MatchColumn::InitialLoadFlag, s, QStringLiteral("1"));
            matches.SetCells(MatchColumn::HomeGoals, s, scores[2 * s]);
            matches.SetCells(MatchColumn::AwayGoals, s, scores[2 * s + 1]);
        }
        ShapeLeagueTable(live);
        return ComputeLiveTable(before, matches, temp, temp2, live);
    }
    QStringList Column(int col) const {
        QStringList cells;
        for (int r = 1; r <= 8; ++r)
            cells << live.Cells(col, r);
        return cells;
    }
};
} // namespace

// Counts, goals and goal differences keep every digit, read back as numbers, and their sort keys sort as
// numbers.
TEST(LeagueNumbers, CellTextsKeepEveryDigitReadBackAndSort) {
    const std::tuple<int, QString, QString> counts[] = {
        {5, "    5", "   5"}, {12, "  12", " 12"}, {100, "100", "100"}, {123, "123", "123"}};
    for (const auto& [n, played, goals] : counts) {
        EXPECT_EQ(TableCountText(QString::number(n)), played) << n;
        EXPECT_EQ(TableGoalsText(QString::number(n)), goals) << n;
        EXPECT_EQ(QList<qint64>({TableNumber(played), TableNumber(goals)}), QList<qint64>({n, n}));
    }
    const std::pair<int, QString> differences[] = {{0, "     0"}, {-3, "   -3"},    {-12, " -12"},
                                                   {3, "  +3"},   {12, "+12"},      {-100, "-100"},
                                                   {100, "+100"}, {-1234, "-1 234"}};
    for (const auto& [d, text] : differences) {
        EXPECT_EQ(TableGoalDifferenceText(d), text) << d;
        EXPECT_EQ(TableNumber(text), d);
    }
    TBKStringGrid grid;
    ShapeTable(grid, 1, 9, 1);
    const int shuffled[] = {-2, 12, 0, -100, 3, -1, 100, -12}, sorted[] = {100, 12, 3, 0, -1, -2, -12, -100};
    for (int r = 1; r <= 8; ++r)
        grid.SetCells(0, r, GoalDifferenceKey(shuffled[r - 1]));
    grid.SortByColumn(0, false);
    for (int r = 1; r <= 8; ++r)
        EXPECT_EQ(grid.Cells(0, r), GoalDifferenceKey(sorted[r - 1])) << r;
}

// Worked examples of the live table. Ties on points and goal difference come out as the table sort
// leaves them, which is not always the league file's order (Granton before Elmstead below).
TEST(LiveLeagueTable, OrdersByPointsThenGoalDifferenceAndMarksTheMoves) {
    Live t;
    ASSERT_EQ(t.Compute({"0", "0", "0", "0", "0", "1", "1", "0"}), LiveTableResult::Done);
    EXPECT_EQ(t.Column(TableTeamName), QStringList({"Ashford", "Bramley", "Dunmore", "Castle", "Fairhaven",
                                                    "Granton", "Elmstead", "Harbour"}));
    ASSERT_EQ(t.Compute({"1", "1", "0", "2", "0", "1", "1", "1"}), LiveTableResult::Done);
    EXPECT_EQ(t.Column(TableTeamName), QStringList({"Ashford", "Bramley", "Castle", "Granton", "Fairhaven",
                                                    "Dunmore", "Elmstead", "Harbour"}));
    EXPECT_EQ(t.Column(TablePosition), QStringList({"  1.", "  2.", "  3.", "  4.       +", "  5.       +",
                                                    "  6.       -", "  7.       -", "  8."}));
    EXPECT_EQ(t.Column(TablePlayed), QStringList(8, "    6"));
    EXPECT_EQ(t.Column(TablePoints),
              QStringList({"  13", "  10", "    8", "    8", "    8", "    8", "    7", "    3"}));
    EXPECT_EQ(t.Column(TableGoalDifference),
              QStringList({"  +7", "  +1", "     0", "     0", "   -1", "   -2", "   -1", "   -4"}));
    t.before.SetCells(TablePoints, 8, "2147483647"); // the largest numbers add up without wrapping
    ComputeLiveTable(t.before, t.matches, t.temp, t.temp2, t.live);
    EXPECT_EQ(t.live.Cells(TableTeamName, 1) + "|" + t.live.Cells(TablePoints, 1), "Harbour|2147 483 648");
}

// Before kick-off every club has a draw more. A club renamed after the league file was read, or a
// round that is not the league's, leaves the table as it was.
TEST(LiveLeagueTable, NotStartedRenamedAndNotARound) {
    Live t;
    ASSERT_EQ(t.Compute({"0", "", "", "", "", "", "", ""}), LiveTableResult::Done);
    EXPECT_EQ(t.Column(TablePoints),
              QStringList({"  13", "  11", "    9", "    8", "    7", "    6", "    6", "    3"}));
    EXPECT_EQ(t.live.Cells(TablePosition, 7), "  7.");
    t.Compute({"1", "0", "0", "0", "0", "0", "0", "0"});
    const QString second = t.live.Cells(TableTeamName, 2);
    t.before.SetCells(TableTeamName, 4, "Dunmore Athletic");
    EXPECT_EQ(ComputeLiveTable(t.before, t.matches, t.temp, t.temp2, t.live),
              LiveTableResult::TeamNamesError);
    EXPECT_EQ(t.live.Cells(TableTeamName, 1), TeamNamesError);
    EXPECT_EQ(t.live.Cells(TableTeamName, 2), second);
    t.Compute({"1", "0", "0", "0", "0", "0", "0", "0"});
    t.matches.SetCells(MatchColumn::MatchTypeCode, 2, "3");
    t.matches.SetCells(MatchColumn::HomeGoals, 1, "5");
    EXPECT_EQ(ComputeLiveTable(t.before, t.matches, t.temp, t.temp2, t.live), LiveTableResult::NotRound);
    EXPECT_EQ(t.live.Cells(TableTeamName, 2), "Bramley");
}

TEST(LeagueColours, BandsFollowTheLevelAndTheLowestLevel) {
    const unsigned W = 0xFFFFFF, G = ColorLightGreen, Y = ColorLightYellow, R = ColorLightRed;
    // clang-format off
    const std::tuple<int, int, QList<unsigned>> cases[] = { // level, lowest level, the rows' brushes
        {3, 8, {G, W, W, W, Y, Y, R, R}}, {5, 9, {G, W, W, W, Y, Y, R, R}}, {6, 9, {G, W, W, W, W, W, R, R}},
        {7, 8, {G, G, W, W, W, W, R, R}}, {8, 8, {G, G, W, W, W, W, W, W}}, {1, 1, {G, W, W, W, W, W, W, W}}};
    // clang-format on
    for (const auto& [level, max, rows] : cases) {
        QList<unsigned> brushes;
        for (int row = 1; row <= 8; ++row) {
            const LeagueCellColours cell = BeforeRoundCell(level, max, 1, row, "Team");
            brushes << (cell.handled ? cell.brush.value_or(0) : 1u);
        }
        EXPECT_EQ(brushes, rows) << level << "/" << max;
    }
    using Colour = std::optional<unsigned>;
    // clang-format off
    const std::pair<Colour, Colour> colours[] = {
        {BeforeRoundCell(3, 8, 8, 4, "  +3").font, ColorGreen}, {BeforeRoundCell(3, 8, 8, 4, "   -3").font, ColorRed},
        {BeforeRoundCell(3, 8, 8, 4, "     0").font, std::nullopt}, {BeforeRoundCell(3, 8, 0, 5, "  5.").font, 0u},
        {LiveTableCell(0, "  3.       +").font, ColorGreen}, {LiveTableCell(0, "  6.       -").font, ColorRed},
        {ScorersCell(4, 1, "Velkaro", "Velkaro").brush, ColorLightOrange},
        {RankingCell(2, 1, "+1", "Velkaro", true).font, ColorGreen},
        {RankingCell(2, 1, "+1", "Velkaro", false).font, ColorRed},
        {RankingCell(3, 3, "Velkaro", "Velkaro", false).brush, ColorLightOrange}};
    // clang-format on
    for (size_t i = 0; i < std::size(colours); ++i)
        EXPECT_EQ(colours[i].first, colours[i].second) << i;
    EXPECT_FALSE(BeforeRoundCell(3, 8, 8, 0, "GD").handled);
    EXPECT_FALSE(LiveTableCell(8, "  +3").handled);
    EXPECT_EQ(LevelNumber("IV"), 0);
}

TEST(LeagueGoals, ScorersCountTheRoundsGoalsAndComeFromTheGamesAnswer) {
    QTemporaryDir dir;
    const QString players = dir.filePath("players_250103.xml");
    WriteBytes(players,
               "<HattrickData><FileName>players.xml</FileName><Team><TeamName>Bramley Town</TeamName>"
               "<PlayerList><Player><PlayerID>11</PlayerID><PlayerName>Jack Barlow</PlayerName></Player>"
               "</PlayerList></Team></HattrickData>");
    TBKStringGrid scorers;
    ShapeTable(scorers, GoalListColumn::ScorerCount, 2, 1);
    auto row = [&](int r) {
        return QStringList({scorers.Cells(0, r), scorers.Cells(1, r), scorers.Cells(2, r),
                            scorers.Cells(3, r), scorers.Cells(4, r)});
    };
    for (const auto& [goals, round] : {std::pair{"  1", "+ 1"}, {"  2", "+2"}, {"  3", "+3"}}) {
        CountScorerGoal(scorers, "11", players);
        EXPECT_EQ(row(1), QStringList({"11", goals, round, "Jack Barlow", "Bramley Town"}));
    }
    EXPECT_EQ(scorers.RowCount(), 3);
    CountScorerGoal(scorers, "12", players); // not in the file: listed without name and team
    EXPECT_EQ(scorers.Cells(0, 2), "12");
    EXPECT_EQ(scorers.Cells(3, 2), "");
    CountScorerGoal(scorers, "13", dir.filePath("players_1.xml")); // no file: not listed
    EXPECT_EQ(scorers.RowCount(), 4);
    WriteBytes(dir.filePath("broken.xml"), "<HattrickData><Team>");
    CountScorerGoal(scorers, "14", dir.filePath("broken.xml")); // counted; the last row stays empty
    EXPECT_EQ(scorers.Cells(1, 3), "  1");
    EXPECT_EQ(scorers.RowCount(), 5);
    EXPECT_TRUE(scorers.Cells(0, 4).isEmpty());
    // The game's players answer names its players by first and last name; LeagueGoals "0" is not listed.
    XmlDocument doc;
    doc.LoadFromFile(SampleFile("players-bom"));
    ShapeTable(scorers, GoalListColumn::ScorerCount, 2, 1);
    AppendScorers(doc.DocumentElement(), scorers);
    ASSERT_EQ(scorers.RowCount(), 1 + 12 + 1);
    EXPECT_EQ(row(1), QStringList({"475548408", "  2", scorers.Cells(2, 1), "Czesław Ast",
                                   "CSD Defensa y Justicia"}));
}

TEST(LeagueRound, NextMatchRoundDateFreeRowsAndTheRoundAfter) {
    XmlDocument doc;
    doc.LoadFromFile(SampleFile("matches.xml"));
    const std::optional<NextLeagueMatch> next = FirstUnfinishedMatch(doc.DocumentElement());
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->Start.size(), 10);
    EXPECT_FALSE(next->MatchId.isEmpty());
    // A club whose matches could not be read has no date: the round is the earliest real date.
    TBKStringGrid scan;
    ShapeTable(scan, LeagueScanColumn::Count, LeagueScanColumn::Rows);
    const QString day = "2024-03-16", dates[] = {day, "", day, "2024-03-17", day, day, day, day};
    for (int r = 0; r < 8; ++r) {
        scan.SetCells(0, r, QString::number(250101 + r));
        scan.SetCells(2, r, dates[r]);
    }
    scan.SortByColumn(2, true);
    EXPECT_EQ(scan.Cells(0, 0), "250102");
    EXPECT_EQ(RoundDate(scan), "2024-03-16");
    for (int r = 0; r < 8; ++r)
        scan.SetCells(2, r, QString());
    EXPECT_EQ(RoundDate(scan), "");
    TBKStringGrid matches;
    ShapeTable(matches, MatchColumn::Count, MatchSlotCount);
    EXPECT_EQ(FirstFreeRow(matches), 0);
    EXPECT_TRUE(TeamInMatchTable(matches, "")); // an empty ID is "in" as long as a row is free
    for (int s = 0; s < MatchSlotCount; ++s) {
        matches.SetCells(MatchColumn::HomeTeamId, s, QString::number(s + 1));
        matches.SetCells(MatchColumn::AwayTeamId, s, QString::number(s + 250101));
    }
    EXPECT_FALSE(FirstFreeRow(matches).has_value());
    EXPECT_FALSE(TeamInMatchTable(matches, "") || TeamInMatchTable(matches, "11"));
    EXPECT_TRUE(TeamInMatchTable(matches, "3") && TeamInMatchTable(matches, "250103"));
    // A goal of a club is conceded by the other club of its round match (slots 0..3), home or away.
    EXPECT_EQ(QStringList({ConcedingTeam(matches, "1"), ConcedingTeam(matches, "250102"),
                           ConcedingTeam(matches, "5")}),
              QStringList({"250101", "2", ""}));
    // Fewer than eight unplayed fixtures at the end of the season: the round after the one followed is
    // what is left of it.
    QString fixtures = "<A/><B/><C/><D/><E/><F/><G/><H/>";
    for (int round = 13; round <= 14; ++round)
        for (int m = 0; m < 4; ++m)
            fixtures +=
                QStringLiteral("<Match><MatchRound>%1</MatchRound><HomeTeam><HomeTeamName>H%2</HomeTeamName>"
                               "</HomeTeam><AwayTeam><AwayTeamName>A%2</AwayTeamName></AwayTeam>%3</Match>")
                    .arg(round)
                    .arg(m)
                    .arg(round == 13 && m == 0 ? "<HomeGoals>1</HomeGoals>" : "");
    doc.SetXML("<HattrickData>" + fixtures + "</HattrickData>");
    doc.SetActive(true);
    const FollowingRound following = NextRoundFixtures(doc.DocumentElement(), "Round");
    // Round 13 has three matches to play: the fourth unplayed one is round 14's first.
    EXPECT_EQ(following.Title, "Round 14");
    EXPECT_EQ(following.Fixtures, QStringList({"H1 - A1", "H2 - A2", "H3 - A3"}));
}

// The league readers: a current league answer with CurrentMatchRound and Rank before its clubs reads
// every club; an error document, another kind, a truncated answer, a non-digit ID, a number out of range
// or a list far longer than a club's stores nothing; a long name is cut.
TEST(LeagueAnswers, ClubsAreReadByNameAndHostileAnswersStoreNothing) {
    const QString name(10000, 'n'),
        good = "<Team><TeamID>11</TeamID><TeamName>A</TeamName><Points>12</Points>";
    auto answer = [](const char* kind, const QString& body) {
        return QStringLiteral("<HattrickData><FileName>%1</FileName><CurrentMatchRound>6</CurrentMatchRound>"
                              "<Rank>412</Rank>%2</HattrickData>")
            .arg(kind,
                 QString(body).replace("</Points>", "</Points><Position>1</Position><Matches>5</Matches>"
                                                    "<GoalsFor>9</GoalsFor><GoalsAgainst>4</GoalsAgainst>"));
    };
    auto squad = [&](int count, const QString& last) {
        const QString player = "<Player><PlayerID>1</PlayerID><LeagueGoals>1</LeagueGoals></Player>";
        return answer("players.xml", "<Team><TeamName>" + name + "</TeamName><PlayerList>" +
                                         player.repeated(count - 1) + "<Player><PlayerID>" + last +
                                         "</LeagueGoals></Player></PlayerList></Team>");
    };
    const std::pair<QString, QString> cases[] = {
        // answer, what is stored (IDs, then each club's name and ranking ID; or the scorers)
        {answer("leaguedetails.xml", good + "</Team>" + QString(good).replace("11", "12") + "</Team>"),
         "11|12|A11|A12"},
        {answer("chpperror.xml", good + "</Team>"), ""},
        {answer("leaguefixtures.xml", good + "</Team>"), ""},
        {answer("leaguedetails.xml", good + "</Team>").left(150), ""},
        {answer("leaguedetails.xml", QString(good).replace(">11<", ">../x<") + "</Team>"), ""},
        {answer("leaguedetails.xml", QString(good).replace(">12<", ">2147483647<") + "</Team>"), ""},
        {squad(1000, "7</PlayerID><LeagueGoals>3"), "1000 " + name.left(200)},
        {squad(1001, "7</PlayerID><LeagueGoals>3"), ""},
        {squad(2, "7</PlayerID><LeagueGoals>100000"), ""},
    };
    for (const auto& [xml, expected] : cases) {
        XmlDocument doc;
        doc.SetXML(xml);
        QString stored;
        TBKStringGrid table, ranking, scorers;
        ShapeLeagueTable(table);
        ShapeLeagueTable(ranking);
        ResetScorers(scorers);
        try {
            doc.SetActive(true);
        } catch (const Exception&) {
        }
        const XmlNode root = doc.DocumentElement();
        if (IsAnswerOf(root, "leaguedetails.xml")) {
            FillStandings(root, table);
            FillRanking(root, "GoalsFor", ranking);
            QStringList rows = LeagueTeamIds(root); // then each row's club and ranking ID
            for (int r = 1; !table.Cells(TableTeamName, r).isEmpty(); ++r)
                rows << table.Cells(TableTeamName, r) + ranking.Cells(GoalListColumn::GoalListId, r);
            stored = rows.join('|');
        } else if (IsAnswerOf(root, "players.xml") && AppendScorers(root, scorers)) {
            stored = QString::number(scorers.RowCount() - 2) + " " +
                     scorers.Cells(GoalListColumn::GoalListTeamName, 1);
        }
        EXPECT_EQ(stored, expected) << xml.left(160).toStdString();
    }
}
