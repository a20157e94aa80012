// Two matches of the demo round followed to the end against velkaro-service, whose answers number
// events like the game (Index with gaps): once with plain answers, once with answers that repeat every
// event so far, and once with one match added late and answers that repeat and disorder their events.
// Every event is stored once: the tables, scores, cards, panel rows and sounds are those of the plain
// run.
#include "core/DataStore.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "platform/MediaPlayer.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "viewer/UPartidos.h"

#include <QLineEdit>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString MatchA = QStringLiteral("712000021"); // the user's match: third card, injury, substitution
const QString MatchB = QStringLiteral("712000022"); // a second yellow card, a bruised player

struct Outcome {
    QStringList rows[2];  // per slot: number | minute | key | player | team of each stored row
    QString score[2];     // "home - away" of the match row
    int cards[2] = {};    // card rows (yellow, second yellow, red)
    QStringList panel[2]; // per match: key | category | score | sound team of its panel rows
    QStringList sounds;   // the files played, in order
};

struct Run {
    QString lateAdd;   // when match B is added ("" with A, before kick-off)
    QStringList modes; // the service's ways of answering live requests ("repeat", "disorder")
};

void SetClock(const TestProgram& p, const QString& when) {
    ASSERT_FALSE(
        p.Service->Control(QStringLiteral("/_control/clock?set=") + QString(when).replace(' ', "%20"))
            .isEmpty());
}

Outcome Follow(const Run& run) {
    Outcome out;
    TestProgram p({.withService = true, .speed = 0, .start = "2024-03-16 18:58:00", .serviceArgs = {}});
    EXPECT_TRUE(p.Service && p.Service->IsRunning());
    QString r;
    ConexionLogin(QStringLiteral("demo"), QStringLiteral("velkaro"), r);
    EXPECT_EQ(r, "OK");
    FOptions->EditTeamID->setText("250101");
    FOptions->CheckBoxSonidos->setChecked(true);
    for (int k = 0; k < SoundKind::Count; ++k) {
        FOptions->CheckBoxSonidosKind[k]->setChecked(true);
        FOptions->EditSonido[k]->setText(AppDir + SoundKind::DefaultFile(k));
    }
    for (const char* team : {"250103", "250104", "250105"})
        BajarFicheroXML(ChppPath + "players&teamID=" + team, AppDir + "data/Xml/players_" + team + ".xml", r);
    for (const QString& mode : run.modes)
        EXPECT_TRUE(p.Service->Fault(mode, 1000, "live"));

    MediaPlayerRecorder rec;
    FPartidos->AnadirPartidoVivo(MatchA, 0, false);
    if (run.lateAdd.isEmpty())
        FPartidos->AnadirPartidoVivo(MatchB, 1, false);
    // One poll every three minutes of the service's clock, to well after both ends.
    const QDateTime kickOff(QDate(2024, 3, 16), QTime(19, 0));
    for (int m = 0; m <= 120; m += 3) {
        const QString now = kickOff.addSecs(m * 60).toString("yyyy-MM-dd HH:mm:ss");
        SetClock(p, now);
        if (now == run.lateAdd)
            FPartidos->AnadirPartidoVivo(MatchB, 1, false);
        FPartidos->DescargaLive();
    }

    const TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
    const TBKStringGrid& panel = FOptions->BKStringGridEventosPanel();
    for (int s = 0; s < 2; ++s) {
        const TBKStringGrid& t = FOptions->BKStringGridEventos(s);
        for (int row = 0; row < t.RowCount() - 1; ++row) {
            QStringList cells;
            for (int c : {EventColumn::EventMinute, EventColumn::EventTypeKey, EventColumn::SubjectPlayerId,
                          EventColumn::SubjectTeamId})
                cells << t.Cells(c, row);
            out.rows[s] << cells.join('|');
            out.cards[s] += t.Cells(EventColumn::EventClass, row).startsWith(",3,") ? 1 : 0;
        }
        out.score[s] =
            matches.Cells(MatchColumn::HomeGoals, s) + " - " + matches.Cells(MatchColumn::AwayGoals, s);
        for (int row = 0; row < panel.RowCount() - 1; ++row)
            if (panel.Cells(PanelEventColumn::MatchId, row) == matches.Cells(MatchColumn::MatchId, s))
                out.panel[s] << QStringList({panel.Cells(PanelEventColumn::EventTypeKey, row),
                                             panel.Cells(PanelEventColumn::CategoryCode, row),
                                             panel.Cells(PanelEventColumn::ScoreText, row),
                                             panel.Cells(PanelEventColumn::SoundTeam, row)})
                                    .join('|');
    }
    for (const QString& f : rec.Played())
        out.sounds << f.section(QLatin1Char('/'), -1);
    return out;
}

void ExpectSameMatches(const Outcome& got, const Outcome& plain) {
    for (int s = 0; s < 2; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(got.rows[s], plain.rows[s]);
        EXPECT_EQ(got.score[s], plain.score[s]);
        EXPECT_EQ(got.cards[s], plain.cards[s]);
        EXPECT_EQ(got.panel[s], plain.panel[s]);
    }
}

QStringList Sorted(QStringList list) {
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

TEST(LiveRepeats, EveryEventOnceWhateverTheAnswersRepeat) {
    const Outcome plain = Follow({});
    for (int s = 0; s < 2; ++s) {
        ASSERT_GT(plain.rows[s].size(), 15) << s;
        EXPECT_TRUE(plain.rows[s].last().contains("|599_")) << s;
        EXPECT_EQ(plain.panel[s].size(), plain.rows[s].size()) << s;
        EXPECT_GE(plain.cards[s], 1) << s;
    }
    // Each key appears as often as the match has such events: no row twice.
    EXPECT_EQ(plain.rows[0].filter("|QZ_3Tarjeta_|").size(), 1);
    EXPECT_EQ(plain.sounds.count("MatchEnd.wav"), 1); // both end in the same poll

    // Every answer repeats every event so far.
    const Outcome repeated = Follow({.lateAdd = {}, .modes = {"repeat"}});
    ExpectSameMatches(repeated, plain);
    EXPECT_EQ(repeated.sounds, plain.sounds);

    // Match B added late in the game: the add gives its past events once (and repeats A's, which
    // are not taken again), the polls then only the new ones, repeated and out of order.
    const Outcome late = Follow({.lateAdd = "2024-03-16 19:51:00", .modes = {"repeat", "disorder"}});
    ExpectSameMatches(late, plain);
    EXPECT_EQ(Sorted(late.sounds), Sorted(plain.sounds));
}
