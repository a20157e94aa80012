// Two matches of the demo round followed to the end against velkaro-service, whose answers number
// events like the game (Index with gaps): with plain answers, with answers that repeat every event
// so far, and with one match added late and answers that repeat and disorder their events. Every
// event is stored once: rows, score, cards, panel rows and sounds are those of the plain run.
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

struct Outcome {
    QStringList match[2]; // per slot: each stored row with its panel row, then the score
    QStringList sounds;   // the files played, in order
};

// Match B ("712000022") is added with A before kick-off, or at `lateAdd`; the service answers live
// requests in the given modes ("repeat", "disorder").
Outcome Follow(const QString& lateAdd = {}, const QStringList& modes = {}) {
    TestProgram p({.withService = true, .speed = 0, .start = "2024-03-16 18:58:00", .serviceArgs = {}});
    QString r;
    ConexionLogin(QStringLiteral("demo"), QStringLiteral("velkaro"), r);
    EXPECT_EQ(r, "OK");
    FOptions->EditTeamID->setText("250101");
    FOptions->CheckBoxSonidos->setChecked(true);
    for (int k = 0; k < SoundKind::Count; ++k) {
        FOptions->CheckBoxSonidosKind[k]->setChecked(true);
        FOptions->EditSonido[k]->setText(AppDir + SoundKind::DefaultFile(k));
    }
    BajarFicheroXML(ChppPath + "players&teamID=250103", AppDir + "data/Xml/players_250103.xml", r);
    for (const QString& mode : modes)
        EXPECT_TRUE(p.Service->Fault(mode, 1000, "live"));

    MediaPlayerRecorder rec;
    FPartidos->AnadirPartidoVivo("712000021", 0, false);
    if (lateAdd.isEmpty())
        FPartidos->AnadirPartidoVivo("712000022", 1, false);
    for (QDateTime t(QDate(2024, 3, 16), QTime(19, 0)); t.time() < QTime(21, 0); t = t.addSecs(180)) {
        const QString now = t.toString("yyyy-MM-dd HH:mm:ss");
        EXPECT_FALSE(p.Service->Control("/_control/clock?set=" + QString(now).replace(' ', "%20")).isEmpty());
        if (now == lateAdd)
            FPartidos->AnadirPartidoVivo("712000022", 1, false);
        FPartidos->DescargaLive();
    }

    Outcome out;
    const TBKStringGrid& matches = FOptions->BKStringGrid10Partidos();
    const TBKStringGrid& panel = FOptions->BKStringGridEventosPanel();
    for (int s = 0; s < 2; ++s) {
        const TBKStringGrid& t = FOptions->BKStringGridEventos(s);
        QStringList queued;
        for (int row = 0; row < panel.RowCount() - 1; ++row)
            if (panel.Cells(PanelEventColumn::MatchId, row) == matches.Cells(MatchColumn::MatchId, s))
                queued << panel.Cells(PanelEventColumn::CategoryCode, row) + "|" +
                              panel.Cells(PanelEventColumn::ScoreText, row) + "|" +
                              panel.Cells(PanelEventColumn::SoundTeam, row);
        EXPECT_EQ(queued.size(), t.RowCount() - 1);
        for (int row = 0; row < t.RowCount() - 1; ++row)
            out.match[s] << QStringList({t.Cells(EventColumn::EventMinute, row),
                                         t.Cells(EventColumn::EventTypeKey, row),
                                         t.Cells(EventColumn::SubjectPlayerId, row),
                                         t.Cells(EventColumn::EventClass, row), queued.value(row)})
                                .join('|');
        out.match[s] << matches.Cells(MatchColumn::HomeGoals, s) + " - " +
                            matches.Cells(MatchColumn::AwayGoals, s);
    }
    for (const QString& f : rec.Played())
        out.sounds << f.section(QLatin1Char('/'), -1);
    return out;
}

} // namespace

TEST(LiveRepeats, EveryEventOnceWhateverTheAnswersRepeat) {
    const Outcome plain = Follow();
    for (int s = 0; s < 2; ++s) {
        ASSERT_GT(plain.match[s].size(), 15) << s;
        EXPECT_TRUE(plain.match[s].filter("|599_").size() == 1) << s;
        EXPECT_FALSE(plain.match[s].filter("|,3,").isEmpty()) << s; // cards
    }
    EXPECT_EQ(plain.match[0].filter("|QZ_3Tarjeta_|").size(), 1);

    const Outcome repeated = Follow({}, {"repeat"});
    EXPECT_EQ(repeated.match[0], plain.match[0]);
    EXPECT_EQ(repeated.match[1], plain.match[1]);
    EXPECT_EQ(repeated.sounds, plain.sounds);

    // Added late in the game, B gets its past events once (the add repeats A's, not taken again),
    // then only new ones, repeated and out of order: the same rows, sounded at other times.
    Outcome late = Follow("2024-03-16 19:51:00", {"repeat", "disorder"});
    EXPECT_EQ(late.match[0], plain.match[0]);
    EXPECT_EQ(late.match[1], plain.match[1]);
    QStringList sounds = plain.sounds;
    std::sort(sounds.begin(), sounds.end());
    std::sort(late.sounds.begin(), late.sounds.end());
    EXPECT_EQ(late.sounds, sounds);
}
