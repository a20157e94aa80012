// The user's league against velkaro-service, offscreen: the connect with "My league" loads the round
// into slots 0..3 and fills the league panel; polls while the round is played move the live table and
// count the round's goals into the scorers and rankings; the round still loads when a club's matches
// cannot be read or the league files come in the older layout, and without league details nothing is
// loaded and the panel stays hidden.
#include "core/DataStore.h"
#include "core/LeagueGoals.h"
#include "core/LeagueTable.h"
#include "core/UConectar.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

using namespace LeagueTableColumn;

namespace {

// The demo series' standings before round 6, as the service's league file gives them.
const QStringList BeforeRound = {"Velkaro Demo FC",     "Bramley Town",       "Ashford Rovers",
                                 "Castlebridge United", "Elmstead Wanderers", "Granton Albion",
                                 "Fairhaven City",      "Dunmore Athletic"};

TestProgram::Options Service() {
    return {.withService = true, .speed = 0, .start = {}, .serviceArgs = {}};
}

void Connect(int load) {
    FOptions->EditTeamID->setText(QStringLiteral("250101"));
    ConnectDemo(load);
}

QString Cell(int col, int slot) {
    return FOptions->BKStringGrid10Partidos().Cells(col, slot);
}

QStringList Column(const TBKStringGrid& t, int col, int first = 1, int last = 8) {
    QStringList cells;
    for (int r = first; r <= last && r < t.RowCount(); ++r)
        cells << t.Cells(col, r);
    return cells;
}

void Poll(TestProgram& p, const QString& clock) {
    ASSERT_FALSE(p.Service->Control("/_control/clock?set=" + QString(clock).replace(' ', "%20")).isEmpty());
    FPartidos->DescargaLive();
    FPartidos->TimerConexion->stop();
}

// The round's goals so far, from the slots' event tables: per scorer and per scoring team.
struct RoundGoals {
    QMap<QString, int> byPlayer, byTeam, againstTeam;
};
RoundGoals GoalsOfTheRound() {
    RoundGoals goals;
    const TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    for (int s = 0; s < 4; ++s) {
        const TBKStringGrid& events = FOptions->BKStringGridEventos(s);
        for (int r = 0; r < events.RowCount() - 1; ++r) {
            if (!events.Cells(EventColumn::EventClass, r).startsWith(QStringLiteral(",0,0")))
                continue;
            const bool home =
                events.Cells(EventColumn::SubjectTeamId, r) == m.Cells(MatchColumn::HomeTeamId, s);
            goals.byPlayer[events.Cells(EventColumn::SubjectPlayerId, r)]++;
            goals.byTeam[m.Cells(home ? MatchColumn::HomeTeamId : MatchColumn::AwayTeamId, s)]++;
            goals.againstTeam[m.Cells(home ? MatchColumn::AwayTeamId : MatchColumn::HomeTeamId, s)]++;
        }
    }
    return goals;
}

// The live table is the table before the round with the current scores as results: each club's cells,
// the order by points and then goal difference, and the marks of the clubs that moved.
void ExpectLiveTableOfTheScores() {
    const TBKStringGrid& before = FPartidos->BKStringGridLigaInicial;
    const TBKStringGrid& live = FPartidos->BKStringGridLigaActualizada;
    const TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    int lastPoints = 1000, lastDifference = 1000;
    for (int r = 1; r <= 8; ++r) {
        const QString name = live.Cells(TableTeamName, r);
        const int b = static_cast<int>(Column(before, TableTeamName).indexOf(name)) + 1;
        ASSERT_GE(b, 1) << name.toStdString();
        int own = 0, other = 0;
        for (int s = 0; s < 4; ++s) {
            const int home = m.Cells(MatchColumn::HomeGoals, s).toInt(),
                      away = m.Cells(MatchColumn::AwayGoals, s).toInt();
            if (m.Cells(MatchColumn::HomeName, s) == name)
                own = home, other = away;
            else if (m.Cells(MatchColumn::AwayName, s) == name)
                own = away, other = home;
        }
        const int result = own > other ? 3 : own == other ? 1 : 0;
        const int points = TableNumber(before.Cells(TablePoints, b)) + result;
        const int goalsFor = TableNumber(before.Cells(TableGoalsFor, b)) + own;
        const int difference = goalsFor - TableNumber(before.Cells(TableGoalsAgainst, b)) - other;
        EXPECT_EQ(TableNumber(live.Cells(TablePoints, r)), points) << name.toStdString();
        EXPECT_EQ(TableNumber(live.Cells(TableGoalsFor, r)), goalsFor) << name.toStdString();
        EXPECT_EQ(live.Cells(TableGoalDifference, r), TableGoalDifferenceText(difference))
            << name.toStdString();
        EXPECT_EQ(TableNumber(live.Cells(TablePlayed, r)), TableNumber(before.Cells(TablePlayed, b)) + 1);
        EXPECT_TRUE(points < lastPoints || (points == lastPoints && difference <= lastDifference))
            << name.toStdString() << " is out of order";
        lastPoints = points, lastDifference = difference;
        const QString mark = b > r ? MovedUpMark : b < r ? MovedDownMark : QString();
        EXPECT_EQ(live.Cells(TablePosition, r), QStringLiteral("  %1.").arg(r) + mark);
    }
}

// Every goal of the round once in the scorer list and both rankings: totals grew by the round's goals,
// which show as "+n" ("+ 1" for a scorer new to the list).
void ExpectGoalsCounted(const QMap<QString, int>& scorersBefore, const QMap<QString, int>& teamsBefore) {
    const RoundGoals goals = GoalsOfTheRound();
    const TBKStringGrid& scorers = FPartidos->BKStringGridLigaGoleadores;
    for (auto it = goals.byPlayer.cbegin(); it != goals.byPlayer.cend(); ++it) {
        const int row = GoalListRow(scorers, it.key(), 1, scorers.RowCount() - 2);
        ASSERT_GE(row, 1) << it.key().toStdString();
        EXPECT_EQ(TableNumber(scorers.Cells(GoalListColumn::GoalListTotal, row)),
                  scorersBefore.value(it.key()) + it.value());
        const bool firstListed = it.value() == 1 && !scorersBefore.contains(it.key());
        EXPECT_EQ(scorers.Cells(GoalListColumn::GoalListRoundGoals, row),
                  firstListed ? QStringLiteral("+ 1") : QStringLiteral("+%1").arg(it.value()));
        EXPECT_FALSE(scorers.Cells(GoalListColumn::GoalListName, row).isEmpty());
    }
    for (const auto& [ranking, byTeam, before] :
         {std::tuple{&FPartidos->BKStringGridLigaGolesMarcados, goals.byTeam, "GoalsFor"},
          std::tuple{&FPartidos->BKStringGridLigaGolesRecibidos, goals.againstTeam, "GoalsAgainst"}}) {
        for (int r = 1; r <= 8; ++r) {
            const QString team = ranking->Cells(GoalListColumn::GoalListId, r);
            const int n = byTeam.value(team);
            EXPECT_EQ(TableNumber(ranking->Cells(GoalListColumn::GoalListTotal, r)),
                      teamsBefore.value(team + before) + n)
                << team.toStdString();
            EXPECT_EQ(ranking->Cells(GoalListColumn::GoalListRoundGoals, r),
                      n ? QStringLiteral("+%1").arg(n) : QString());
        }
    }
    EXPECT_TRUE(scorers.Cells(GoalListColumn::GoalListId, scorers.RowCount() - 1).isEmpty());
}

QMap<QString, int> Totals(const TBKStringGrid& list, const QString& suffix = {}) {
    QMap<QString, int> totals;
    for (int r = 1; r < list.RowCount(); ++r)
        if (!list.Cells(GoalListColumn::GoalListId, r).isEmpty())
            totals[list.Cells(GoalListColumn::GoalListId, r) + suffix] =
                TableNumber(list.Cells(GoalListColumn::GoalListTotal, r));
    return totals;
}

void ExpectRoundLoaded() {
    QSet<QString> round;
    for (int s = 0; s < 4; ++s) {
        round.insert(Cell(MatchColumn::MatchId, s));
        EXPECT_EQ(Cell(MatchColumn::InitialLoadFlag, s), "1") << s;
        EXPECT_EQ(Cell(MatchColumn::MatchTypeCode, s), "1") << s;
    }
    EXPECT_EQ(round, QSet<QString>({"712000021", "712000022", "712000023", "712000024"}));
    EXPECT_FALSE(FPartidos->PanelLiga->isHidden());
    EXPECT_EQ(Column(FPartidos->BKStringGridLigaInicial, TableTeamName), BeforeRound);
}

} // namespace

TEST(League, ConnectLoadsTheRoundAndFillsThePanel) {
    TestProgram p(Service());
    ASSERT_TRUE(p.Service->IsRunning()) << p.Service->ErrorText().toStdString();
    Connect(1);

    ExpectRoundLoaded();
    EXPECT_EQ(Cell(MatchColumn::MatchId, 0), "712000021"); // the user's match first
    for (int s = 4; s < MatchSlotCount; ++s)
        EXPECT_TRUE(Cell(MatchColumn::MatchId, s).isEmpty()) << s;
    EXPECT_TRUE(p.Boxes.Boxes.isEmpty());

    EXPECT_FALSE(FPartidos->PageControlLiga->isHidden());
    EXPECT_EQ(FPartidos->PageControlLiga->currentWidget(), FPartidos->TabSheetLigaActualizada);
    EXPECT_EQ(FPartidos->LabelLiga->text() + FPartidos->Label1->text() + FPartidos->LabelNivel->text() +
                  FPartidos->Label2->text() + FPartidos->LabelNivelMaximo->text(),
              "England  -  IV.12Level4of9");
    const TBKStringGrid& before = FPartidos->BKStringGridLigaInicial;
    EXPECT_EQ(QStringList({before.Cells(0, 1), before.Cells(2, 1), before.Cells(6, 1), before.Cells(7, 1),
                           before.Cells(8, 1), before.Cells(9, 1)}),
              QStringList({"  1.", "    5", "   9", "   4", "  +5", "    9"}));
    EXPECT_EQ(before.Cells(TableGoalDifference, 8), "   -7");

    EXPECT_EQ(FPartidos->LabelJornadaNumero->text(), "Round 7");
    EXPECT_EQ(FPartidos->LabelJornada1->text(), "Ashford Rovers - Velkaro Demo FC");

    const TBKStringGrid& scorers = FPartidos->BKStringGridLigaGoleadores;
    ASSERT_GT(scorers.RowCount(), 5);
    const QStringList counts = Column(scorers, GoalListColumn::GoalListTotal, 1, scorers.RowCount() - 2);
    EXPECT_TRUE(std::is_sorted(counts.rbegin(), counts.rend())); // three characters each: text order
    EXPECT_TRUE(scorers.Cells(GoalListColumn::GoalListId, scorers.RowCount() - 1).isEmpty());
    const TBKStringGrid& scored = FPartidos->BKStringGridLigaGolesMarcados;
    EXPECT_EQ(scored.Cells(GoalListColumn::GoalListTotal, 1), " 11");
    EXPECT_EQ(scored.Cells(GoalListColumn::GoalListName, 1), "Bramley Town");
    const TBKStringGrid& conceded = FPartidos->BKStringGridLigaGolesRecibidos;
    EXPECT_EQ(Column(conceded, GoalListColumn::GoalListTotal).first(), "  4");
    EXPECT_EQ(Column(conceded, GoalListColumn::GoalListTotal).last(), " 10");

    // The league's files, then each club's matches and players, all before the round is registered.
    const QStringList log = ServiceRequests(p);
    const qsizetype details = log.indexOf("leaguedetails");
    EXPECT_EQ(log.mid(details + 1, 9).filter(QRegularExpression("^(leaguefixtures|matches&teamID=)")).size(),
              9);
    EXPECT_EQ(log.filter("players&teamID=").size(), 8);
    EXPECT_LT(log.lastIndexOf(QRegularExpression("players&teamID=.*")),
              log.indexOf(QRegularExpression("live.*addMatch.*")));
}

TEST(League, PollsWithGoalsMoveTheLiveTableAndCountTheGoals) {
    TestProgram p(Service());
    ASSERT_TRUE(p.Service->IsRunning());
    Connect(1);
    const QMap<QString, int> scorersBefore = Totals(FPartidos->BKStringGridLigaGoleadores);
    QMap<QString, int> teamsBefore = Totals(FPartidos->BKStringGridLigaGolesMarcados, "GoalsFor");
    teamsBefore.insert(Totals(FPartidos->BKStringGridLigaGolesRecibidos, "GoalsAgainst"));

    // Two polls in the first half and one in the second: goals have fallen in the four matches.
    int goalsSeen = 0;
    for (const char* clock : {"2024-03-16 19:25:00", "2024-03-16 19:44:00", "2024-03-16 20:30:00"}) {
        Poll(p, clock);
        SCOPED_TRACE(clock);
        ExpectLiveTableOfTheScores();
        ExpectGoalsCounted(scorersBefore, teamsBefore);
        const RoundGoals goals = GoalsOfTheRound();
        int total = 0;
        for (int n : goals.byTeam)
            total += n;
        EXPECT_GT(total, goalsSeen);
        goalsSeen = total;
    }
    QSet<int> slotsWithGoals;
    for (int s = 0; s < 4; ++s)
        if (Cell(MatchColumn::HomeGoals, s).toInt() + Cell(MatchColumn::AwayGoals, s).toInt() > 0)
            slotsWithGoals.insert(s);
    EXPECT_EQ(slotsWithGoals.size(), 4) << "every match of the round has goals";
    const QStringList marks = Column(FPartidos->BKStringGridLigaActualizada, TablePosition);
    EXPECT_TRUE(marks.join('|').contains(MovedUpMark) && marks.join('|').contains(MovedDownMark))
        << marks.join('|').toStdString();
}

// The round still loads when the user's own club's matches cannot be read (its next date is unknown)
// or when both league files come in the older layout without ActionType; without league details
// nothing is loaded, no message is shown and the panel stays hidden.
TEST(League, FailuresOfTheLeagueFiles) {
    const struct {
        const char* fault;
        int count;
        const char* file;
        bool loads;
    } cases[] = {{"notfound", 1, "matches", true},
                 {"oldformat", 2, "", true},
                 {"errordoc", 1, "leaguedetails", false},
                 {"notfound", 1, "leaguedetails", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + " " + c.file);
        TestProgram p(Service());
        ASSERT_TRUE(p.Service->Fault(c.fault, c.count, c.file));
        Connect(1);
        EXPECT_TRUE(p.Boxes.Boxes.isEmpty());
        if (c.loads) {
            ExpectRoundLoaded();
            EXPECT_EQ(FPartidos->LabelLiga->text(), "England  -  IV.12");
            continue;
        }
        for (int s = 0; s < MatchSlotCount; ++s)
            EXPECT_TRUE(Cell(MatchColumn::MatchId, s).isEmpty()) << s;
        EXPECT_TRUE(FPartidos->PanelLiga->isHidden());
        EXPECT_TRUE(FPartidos->PageControlLiga->isHidden());
        EXPECT_FALSE(FPartidos->PanelPartidos->isHidden());
    }
}

// With "My team" no round is loaded: the panel stays hidden and the round's goals are not counted.
TEST(League, WithoutALeagueRoundThePanelStaysHidden) {
    TestProgram p(Service());
    Connect(0);
    Poll(p, "2024-03-16 20:30:00");
    EXPECT_TRUE(FPartidos->PanelLiga->isHidden());
    EXPECT_EQ(FPartidos->BKStringGridLigaGoleadores.RowCount(), 2);
    EXPECT_TRUE(FPartidos->BKStringGridLigaActualizada.Cells(TableTeamName, 1).isEmpty());
}
