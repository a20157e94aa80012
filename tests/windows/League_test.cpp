// The league round against velkaro-service: "My league" loads the round into slots 0..3 and the panel;
// polls move the live table and count the round's goals; failures of the league files.
#include "core/LeagueGoals.h"
#include "core/LeagueTable.h"
#include "support/gui/WindowTest.h"
#include <QRegularExpression>
#include <QSet>

using namespace LeagueTableColumn;
using namespace GoalListColumn;

namespace {

void Poll(TestProgram& p, const QString& clock) {
    SetClock(p, clock);
    FPartidos->DescargaLive();
    FPartidos->TimerConexion->stop();
}

// A club's "points|goals for|goal difference|played" in a table.
QString Standing(const TBKStringGrid& t, int r, int points = 0, int scored = 0, int conceded = 0,
                 int played = 0) {
    const int goalsFor = TableNumber(t.Cells(TableGoalsFor, r)) + scored;
    return QString("%1|%2|%3|%4")
        .arg(TableNumber(t.Cells(TablePoints, r)) + points)
        .arg(goalsFor)
        .arg(TableGoalDifferenceText(goalsFor - TableNumber(t.Cells(TableGoalsAgainst, r)) - conceded))
        .arg(TableNumber(t.Cells(TablePlayed, r)) + played);
}

// The live table is the one before the round plus the slots' results, ordered by points then difference,
// movers marked; the round's goals show as "+n" in both club rankings and in the scorers all together.
void ExpectTheRoundCounted() {
    const TBKStringGrid& before = FPartidos->BKStringGridLigaInicial;
    const TBKStringGrid& live = FPartidos->BKStringGridLigaActualizada;
    int round = 0;
    QVector<int> order; // points, then goal difference
    for (int r = 1; r <= 8; ++r) {
        const QString name = live.Cells(TableTeamName, r);
        const int b = static_cast<int>(Column(before, TableTeamName, 1, 8).indexOf(name)) + 1;
        ASSERT_GE(b, 1) << name.toStdString();
        int own = 0, other = 0;
        for (int s = 0; s < 4; ++s)
            for (const bool home : {true, false})
                if (MatchCell(home ? MatchColumn::HomeName : MatchColumn::AwayName, s) == name) {
                    own = MatchCell(home ? MatchColumn::HomeGoals : MatchColumn::AwayGoals, s).toInt();
                    other = MatchCell(home ? MatchColumn::AwayGoals : MatchColumn::HomeGoals, s).toInt();
                }
        round += own;
        // The club's goals of the round in both rankings.
        for (const auto& [ranking, n] : {std::pair{&FPartidos->BKStringGridLigaGolesMarcados, own},
                                         {&FPartidos->BKStringGridLigaGolesRecibidos, other}}) {
            const int row = static_cast<int>(Column(*ranking, GoalListName, 1, 8).indexOf(name)) + 1;
            EXPECT_EQ(ranking->Cells(GoalListRoundGoals, row), n ? QString("+%1").arg(n) : QString())
                << name.toStdString();
        }
        EXPECT_EQ(Standing(live, r), Standing(before, b, own > other ? 3 : own == other, own, other, 1))
            << name.toStdString();
        order << TableNumber(live.Cells(TablePoints, r)) * 1000 +
                     TableNumber(live.Cells(TableGoalDifference, r));
        EXPECT_EQ(live.Cells(TablePosition, r), QString("  %1.").arg(r) + (b > r   ? MovedUpMark
                                                                           : b < r ? MovedDownMark
                                                                                   : QString()));
    }
    EXPECT_TRUE(std::is_sorted(order.rbegin(), order.rend()));
    const TBKStringGrid& scorers = FPartidos->BKStringGridLigaGoleadores;
    int added = 0;
    for (const QString& plus : Column(scorers, GoalListRoundGoals, 1))
        added += QString(plus).remove(' ').toInt();
    EXPECT_EQ(added, round);
    const QStringList scored = Column(FPartidos->BKStringGridLigaGolesMarcados, GoalListTotal, 1, 8);
    EXPECT_TRUE(std::is_sorted(scored.rbegin(), scored.rend())) << scored.join('|').toStdString();
}

void ExpectRoundLoaded() {
    const TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    const QStringList round = Column(m, MatchColumn::MatchId, 0, 3);
    EXPECT_EQ(QSet<QString>(round.begin(), round.end()),
              QSet<QString>({"712000021", "712000022", "712000023", "712000024"}));
    EXPECT_EQ(Column(m, MatchColumn::InitialLoadFlag, 0, 3) + Column(m, MatchColumn::MatchTypeCode, 0, 3),
              QString("1 1 1 1 1 1 1 1").split(' '));
    EXPECT_FALSE(FPartidos->PanelLiga->isHidden());
    // The demo series' standings before the round, as the service's league file gives them.
    EXPECT_EQ(Column(FPartidos->BKStringGridLigaInicial, TableTeamName, 1, 8).join('|'),
              "Velkaro Demo FC|Bramley Town|Ashford Rovers|Castlebridge United|Elmstead Wanderers|"
              "Granton Albion|Fairhaven City|Dunmore Athletic");
}

} // namespace

// With the recorded list too, its rows 5 to 10 go to slots 4 to 9, the round holding the first four.
TEST(League, ConnectLoadsTheRoundAndPollsMoveTheTableAndCountTheGoals) {
    TestProgram p(TestProgram::Served());
    TBKStringGrid& list = FOptions->BKStringGridListaGrabada();
    for (const auto& [row, name, id] :
         {std::tuple{1, "Kingsbury Park Rangers", "251017"}, {5, "Scout IF", "260201"}}) {
        list.SetCells(RecordedColumn::RecordedTeamName, row, name);
        list.SetCells(RecordedColumn::RecordedTeamId, row, id);
    }
    ConnectDemo(0, 3);
    FPartidos->TimerConexion->stop();
    ExpectRoundLoaded();
    EXPECT_EQ(MatchCell(MatchColumn::MatchId, 0), "712000021"); // the user's match first
    EXPECT_EQ(RowCells(FOptions->BKStringGrid10Partidos(), 4,
                       {MatchColumn::InitialLoadFlag, MatchColumn::HomeTeamId, MatchColumn::AwayTeamId}),
              "1|260201|260203");
    EXPECT_TRUE(Column(FOptions->BKStringGrid10Partidos(), MatchColumn::MatchId, 5, 9).join("").isEmpty());
    EXPECT_TRUE(p.Boxes.Boxes.isEmpty());
    TFPartidos& w = *FPartidos;
    EXPECT_FALSE(w.PageControlLiga->isHidden());
    EXPECT_EQ(w.PageControlLiga->currentWidget(), w.TabSheetLigaActualizada);
    EXPECT_EQ(w.LabelLiga->text() + w.Label1->text() + w.LabelNivel->text() + w.Label2->text() +
                  w.LabelNivelMaximo->text(),
              "England  -  IV.12Level4of9");
    EXPECT_EQ(RowCells(w.BKStringGridLigaInicial, 1, {0, 2, 6, 7, 8, 9}), "  1.|    5|   9|   4|  +5|    9");
    EXPECT_EQ(w.BKStringGridLigaInicial.Cells(TableGoalDifference, 8), "   -7");
    EXPECT_EQ(w.LabelJornadaNumero->text(), "Round 7");
    EXPECT_EQ(w.LabelJornada1->text(), "Ashford Rovers - Velkaro Demo FC");
    EXPECT_NE(w.LabelJornada4->text(), "---"); // the round's four fixtures, not the placeholder
    const TBKStringGrid& scorers = w.BKStringGridLigaGoleadores;
    ASSERT_GT(scorers.RowCount(), 5);
    const QStringList counts = Column(scorers, GoalListTotal, 1);
    EXPECT_TRUE(std::is_sorted(counts.rbegin(), counts.rend())); // three characters each: text order
    EXPECT_TRUE(scorers.Cells(GoalListId, scorers.RowCount() - 1).isEmpty());
    EXPECT_EQ(RowCells(w.BKStringGridLigaGolesMarcados, 1, {GoalListTotal, GoalListName}),
              " 11|Bramley Town");
    const QStringList conceded = Column(w.BKStringGridLigaGolesRecibidos, GoalListTotal, 1, 8);
    EXPECT_EQ(conceded.first() + "|" + conceded.last(), "  4| 10");
    // The league's files, each club's matches and players, then the round's registration; no list row 1.
    const QStringList log = ServiceRequests(p);
    EXPECT_FALSE(log.join('\n').contains("matches&teamID=251017"));
    const qsizetype details = log.indexOf("leaguedetails");
    EXPECT_EQ(log.mid(details + 1, 9).filter(QRegularExpression("^(leaguefixtures|matches&teamID=)")).size(),
              9);
    EXPECT_EQ(log.filter("players&teamID=").size(), 8);
    EXPECT_LT(log.lastIndexOf(QRegularExpression("players&teamID=.*")),
              log.indexOf(QRegularExpression("live.*addMatch.*")));
    // A second connect in the same run lists every scorer once.
    const int scorerRows = scorers.RowCount();
    ConnectDemo(0, 3);
    FPartidos->TimerConexion->stop();
    EXPECT_EQ(scorers.RowCount(), scorerRows);
    // Two polls in the first half and one in the second: goals have fallen in the four matches.
    for (const char* clock : {"2024-03-16 19:25:00", "2024-03-16 19:44:00", "2024-03-16 20:30:00"}) {
        Poll(p, clock);
        SCOPED_TRACE(clock);
        ExpectTheRoundCounted();
    }
    for (int s = 0; s < 4; ++s) // every match of the round has goals
        EXPECT_GT(MatchCell(MatchColumn::HomeGoals, s).toInt() + MatchCell(MatchColumn::AwayGoals, s).toInt(),
                  0)
            << s;
    const QString marks = Column(w.BKStringGridLigaActualizada, TablePosition, 1, 8).join('|');
    EXPECT_TRUE(marks.contains(MovedUpMark) && marks.contains(MovedDownMark)) << marks.toStdString();
}

// The round still loads when the user's club's matches cannot be read or both league files come in the
// older layout; without league details (silently) or with "My team" no round is loaded or counted.
TEST(League, FailuresOfTheLeagueFilesAndNoLeagueRound) {
    const struct {
        const char *fault, *file;
        int count;
        bool loads;
    } cases[] = {{"notfound", "matches", 1, true},
                 {"oldformat", "", 2, true},
                 {"errordoc", "leaguedetails", 1, false},
                 {"", "", 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + " " + c.file);
        TestProgram p(TestProgram::Served());
        ASSERT_TRUE(!*c.fault || p.Service->Fault(c.fault, c.count, c.file));
        ConnectDemo(0, *c.fault ? 1 : 0);
        FPartidos->TimerConexion->stop();
        EXPECT_TRUE(p.Boxes.Boxes.isEmpty());
        if (c.loads) {
            ExpectRoundLoaded();
            EXPECT_EQ(FPartidos->LabelLiga->text(), "England  -  IV.12");
            continue;
        }
        if (*c.fault)
            EXPECT_TRUE(
                Column(FOptions->BKStringGrid10Partidos(), MatchColumn::MatchId, 0, 9).join("").isEmpty());
        else
            Poll(p, "2024-03-16 20:30:00");
        EXPECT_TRUE(FPartidos->PanelLiga->isHidden());
        EXPECT_TRUE(FPartidos->PageControlLiga->isHidden());
        EXPECT_FALSE(FPartidos->PanelPartidos->isHidden());
        EXPECT_EQ(FPartidos->BKStringGridLigaGoleadores.RowCount(), 2);
        EXPECT_TRUE(FPartidos->BKStringGridLigaActualizada.Cells(TableTeamName, 1).isEmpty());
    }
}
