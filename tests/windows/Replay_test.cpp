// Recorded matches: the finished match's events read from the live file into the slot's recorded
// table, released minute by minute into the event table and the events panel with their sounds, and
// a finished match of the substitute service added and replayed at speed 4.
#include "core/DataStore.h"
#include "core/UConectar.h"
#include "platform/MediaPlayer.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QFile>
#include <QLabel>
#include <QSlider>
#include <gtest/gtest.h>

namespace {

struct Ev {
    const char* minute;
    const char* team;
    const char* player;
    const char* key;
    const char* text;
};

QString Link(const char* id, const char* name) {
    return QStringLiteral("<a href=\"/Club/Players/Player.aspx?playerId=%1\">%2</a>")
        .arg(QLatin1String(id), QLatin1String(name));
}

QString MatchXml(const QString& id, const QVector<Ev>& events) {
    QString xml = "<Match><MatchID>" + id + "</MatchID><EventList>";
    int index = 0;
    for (const Ev& e : events)
        xml += QStringLiteral("<Event Index=\"%1\"><Minute>%2</Minute><SubjectPlayerID>%3</SubjectPlayerID>"
                              "<SubjectTeamID>%4</SubjectTeamID><ObjectPlayerID>0</ObjectPlayerID>"
                              "<EventKey>%5</EventKey><EventText>%6</EventText></Event>")
                   .arg(index++)
                   .arg(QLatin1String(e.minute), QLatin1String(e.player), QLatin1String(e.team),
                        QLatin1String(e.key), QString(QLatin1String(e.text)).toHtmlEscaped());
    return xml + "</EventList></Match>";
}

void WriteLive(const TestProgram& p, const QStringList& matches) {
    WriteFile(
        p.Folder.File("data/Xml/live.xml"),
        ("<?xml version=\"1.0\" encoding=\"utf-8\"?><HattrickData><FileName>live.xml</FileName><MatchList>" +
         matches.join("") + "</MatchList></HattrickData>")
            .toUtf8());
}

QStringList Column(TBKStringGrid& t, int col) {
    QStringList out;
    for (int r = 0; r <= t.RowCount() - 2; ++r)
        out << t.Cells(col, r);
    return out;
}

const QString HomeLineup = Link("111", "Smith") + ", " + Link("112", "Brown");
const QString AwayLineup = Link("221", "Jones");

// Match 900 in slot 2: lineups, a goal at 5 with a player link, a chance whose minute is not a number,
// the end at 90. Match 800 in slot 0: a goal at 5 and its end at 90 too.
QString Match900() {
    const QByteArray home = HomeLineup.toUtf8(), away = AwayLineup.toUtf8();
    const QByteArray goal = ("Goal by " + Link("111", "Smith")).toUtf8();
    return MatchXml("900", {{"0", "10", "0", "21_1", home.constData()},
                            {"0", "20", "0", "21_2", away.constData()},
                            {"5", "10", "111", "100_1", goal.constData()},
                            {"x", "20", "221", "200_1", "A chance"},
                            {"90", "0", "0", "599_1", "The end"}});
}

QString Match800() {
    return MatchXml("800",
                    {{"5", "30", "301", "100_1", "Other goal"}, {"90", "0", "0", "599_1", "Other end"}});
}

} // namespace

TEST(Replay, RecordedAddReadsItsOwnMatchFromTheLiveFile) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    SetMatch(0, "800", "30", "40");
    SetMatch(2, "900", "10", "20");
    // Slot 0's recorded match is in the file first; the add of match 900 must read match 900.
    WriteLive(p, {Match800(), Match900()});
    w.EventosPartidosFinalizadoDescarga("800");
    TBKStringGrid& f0 = FOptions->BKStringGridFEventos(0);
    ASSERT_EQ(f0.RowCount(), 3);
    f0.SetCells(EventColumn::EventHtml, 1, "kept");

    w.EventosPartidosFinalizadoDescarga("900");
    EXPECT_EQ(f0.Cells(EventColumn::EventHtml, 1), "kept"); // the other slot is left alone
    TBKStringGrid& f2 = FOptions->BKStringGridFEventos(2);
    ASSERT_EQ(f2.RowCount(), 6);
    EXPECT_EQ(Column(f2, EventColumn::EventNumber), QStringList({"1", "2", "3", "4", "5"}));
    // A minute that is no number is not taken as text.
    EXPECT_EQ(Column(f2, EventColumn::EventMinute), QStringList({"0", "0", "5", "", "90"}));
    EXPECT_EQ(f2.Cells(EventColumn::SubjectPlayerId, 2), "111");
    EXPECT_EQ(f2.Cells(EventColumn::EventClass, 2), ",0,0,0,,4,");
    EXPECT_EQ(f2.Cells(EventColumn::EventClass, 4), ",1,6,,,,");
    // The scorer's link is coloured as a home player, from the lineups read before it.
    EXPECT_EQ(f2.Cells(EventColumn::EventHtml, 0), HomeLineup);
    EXPECT_TRUE(f2.Cells(EventColumn::EventHtml, 2).contains("#5577FF"));
    EXPECT_FALSE(f2.Cells(EventColumn::EventHtml, 2).contains("<a href"));

    // A second recorded match in the same slot leaves only its own events.
    SetMatch(2, "901", "10", "20");
    WriteLive(p, {MatchXml("901", {{"3", "10", "1", "100_1", "Only goal"}})});
    w.EventosPartidosFinalizadoDescarga("901");
    EXPECT_EQ(Column(f2, EventColumn::EventHtml), QStringList({"Only goal"}));

    // A match the answer does not hold, or a file that is not there, reads nothing.
    w.EventosPartidosFinalizadoDescarga("999");
    EXPECT_EQ(f2.RowCount(), 2);
    QFile::remove(p.Folder.File("data/Xml/live.xml"));
    w.EventosPartidosFinalizadoDescarga("901");
    EXPECT_EQ(f2.RowCount(), 2);
}

TEST(Replay, StepsReleaseEachMinuteIntoTheTablesAndThePanel) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    MediaPlayerRecorder player;
    FOptions->CheckBoxSonidos->setChecked(true);
    FOptions->CheckBoxSonidosFinPartido->setChecked(true);
    SetMatch(0, "800", "30", "40");
    SetMatch(2, "900", "10", "20");
    WriteLive(p, {Match800(), Match900()});
    w.EventosPartidosFinalizadoDescarga("800");
    w.EventosPartidosFinalizadoDescarga("900");
    TBKStringGrid& l0 = FOptions->BKStringGridEventos(0);
    TBKStringGrid& l2 = FOptions->BKStringGridEventos(2);
    TBKStringGrid& f2 = FOptions->BKStringGridFEventos(2);
    TBKStringGrid& queue = FOptions->BKStringGridEventosPanel();

    // The call made when a match is added releases nothing.
    w.EventosPartidosFinalizadoActualizar("-1");
    EXPECT_EQ(l2.RowCount(), 1);
    EXPECT_EQ(queue.RowCount(), 1);
    EXPECT_TRUE(w.SeleccionarImagenTab(2)->pixmap().isNull());

    // Minute 0: both lineups and the chance whose minute is not a number, as exact copies.
    w.EventosPartidosFinalizadoActualizar("0");
    ASSERT_EQ(l2.RowCount(), 4);
    EXPECT_EQ(Column(l2, EventColumn::EventTypeKey), QStringList({"21_1", "21_2", "200_1"}));
    for (int c = 0; c < l2.ColCount(); ++c)
        EXPECT_EQ(l2.Cells(c, 2), f2.Cells(c, 3));
    EXPECT_EQ(l0.RowCount(), 1);
    EXPECT_EQ(Column(queue, PanelEventColumn::MatchId), QStringList({"900", "900", "900"}));
    EXPECT_FALSE(w.SeleccionarImagenTab(2)->pixmap().isNull());
    EXPECT_TRUE(w.SeleccionarImagenTab(0)->pixmap().isNull());

    // Minute 5: slot 0 first, then slot 2; each goal scores in its own match.
    w.EventosPartidosFinalizadoActualizar("5");
    ASSERT_EQ(queue.RowCount(), 6);
    EXPECT_EQ(queue.Cells(PanelEventColumn::EventHtml, 3), "Other goal");
    EXPECT_EQ(queue.Cells(PanelEventColumn::ScoreText, 4), "1 - 0");
    EXPECT_EQ(queue.Cells(PanelEventColumn::CategoryCode, 4), "0");
    EXPECT_FALSE(w.SeleccionarImagenTab(0)->pixmap().isNull());

    // A minute that is not a number acts as minute 1: nothing of these matches.
    w.EventosPartidosFinalizadoActualizar("abc");
    EXPECT_EQ(queue.RowCount(), 6);

    // Both matches end in the same minute: two end rows, one end-of-match sound.
    const int before = player.Played().size();
    w.EventosPartidosFinalizadoActualizar("90");
    ASSERT_EQ(queue.RowCount(), 8);
    EXPECT_TRUE(queue.Cells(PanelEventColumn::EventTypeKey, 5).startsWith("599"));
    EXPECT_TRUE(queue.Cells(PanelEventColumn::EventTypeKey, 6).startsWith("599"));
    const QStringList played = player.Played().mid(before);
    EXPECT_EQ(played, QStringList({p.Folder.File("sounds/MatchEnd.wav")}));
    EXPECT_EQ(l2.RowCount(), f2.RowCount());
    EXPECT_EQ(l0.RowCount(), 3);
}

TEST(Replay, FinishedMatchOfTheServiceReplayedAtSpeedFour) {
    TestProgram p({.withService = true, .speed = 0, .start = "", .serviceArgs = {}});
    TFPartidos& w = *FPartidos;
    MediaPlayerRecorder player;
    QString result;
    ConexionLogin("demo", "velkaro", result);
    ASSERT_EQ(result, "OK");
    w.RadioGroupTipoPartidos->SetItemIndex(1);
    w.LabelTipoPartido->setText("Recorded");

    // The demo team's match of the round before last, finished a week ago.
    const QString matchId = "712000017";
    w.AnadirPartido(matchId, 0, false);
    TBKStringGrid& recorded = FOptions->BKStringGridFEventos(0);
    TBKStringGrid& live = FOptions->BKStringGridEventos(0);
    ASSERT_GT(recorded.RowCount(), 5);
    w.TrackBarVelocidad->setValue(3); // speed 4

    // A few steps, driven directly: each releases exactly the events of its minute.
    for (int minute = 0; minute <= 2; ++minute) {
        w.DescargaDiferido();
        EXPECT_EQ(w.ReplayMinute, QString::number(minute));
    }
    int upToTwo = 0;
    for (const QString& m : Column(recorded, EventColumn::EventMinute))
        upToTwo += m.toInt() <= 2 ? 1 : 0;
    EXPECT_EQ(live.RowCount() - 1, upToTwo);

    // To the end of the match: every event is in the event table and was queued once.
    while (w.ReplayMinute.toInt() < 95)
        w.DescargaDiferido();
    EXPECT_EQ(Column(live, EventColumn::EventHtml), Column(recorded, EventColumn::EventHtml));
    TBKStringGrid& queue = FOptions->BKStringGridEventosPanel();
    EXPECT_EQ(Column(queue, PanelEventColumn::MatchId).filter(matchId).size(), recorded.RowCount() - 1);
    EXPECT_EQ(queue.RowCount(), recorded.RowCount());
    EXPECT_EQ(FOptions->BKStringGrid10Partidos().Cells(MatchColumn::FinishedFlag, 0), "1");
}

// A second recorded match added while the replay runs: the first slot never releases a minute twice,
// the new one catches up from minute 0 to the shared minute, and both play on together to the end.
TEST(Replay, TwoRecordedMatchesReplayTogether) {
    TestProgram p({.withService = true, .speed = 0, .start = "", .serviceArgs = {}});
    TFPartidos& w = *FPartidos;
    QString result;
    ConexionLogin("demo", "velkaro", result);
    ASSERT_EQ(result, "OK");
    w.RadioGroupTipoPartidos->SetItemIndex(1);
    w.LabelTipoPartido->setText("Recorded");
    const QString first = "712000017", second = "712000018";
    TBKStringGrid& queue = FOptions->BKStringGridEventosPanel();
    auto upTo = [](TBKStringGrid& recorded, int minute) {
        int n = 0;
        for (const QString& m : Column(recorded, EventColumn::EventMinute))
            n += m.toInt() <= minute ? 1 : 0;
        return n;
    };
    auto queued = [&queue](const QString& id) { return Column(queue, PanelEventColumn::MatchId).count(id); };

    w.AnadirPartido(first, 0, false);
    TBKStringGrid& recorded0 = FOptions->BKStringGridFEventos(0);
    TBKStringGrid& live0 = FOptions->BKStringGridEventos(0);
    while (w.ReplayMinute.toInt() < 50)
        w.DescargaDiferido();
    const int shownBefore = live0.RowCount() - 1;
    ASSERT_EQ(shownBefore, upTo(recorded0, 50));
    ASSERT_GT(shownBefore, 3);

    w.AnadirPartido(second, 1, false);
    TBKStringGrid& recorded1 = FOptions->BKStringGridFEventos(1);
    TBKStringGrid& live1 = FOptions->BKStringGridEventos(1);
    ASSERT_GT(recorded1.RowCount(), 5);
    EXPECT_EQ(w.ReplayMinute, "50");
    EXPECT_EQ(live0.RowCount() - 1, shownBefore) << "the first match is not replayed again";
    EXPECT_EQ(queued(first), shownBefore);
    EXPECT_EQ(live1.RowCount() - 1, upTo(recorded1, 50)) << "the new match caught up";

    while (w.ReplayMinute.toInt() < 95)
        w.DescargaDiferido();
    // Each match's events shown once, in order, and queued once.
    EXPECT_EQ(live0.RowCount(), recorded0.RowCount());
    EXPECT_TRUE(Column(live0, EventColumn::EventHtml) == Column(recorded0, EventColumn::EventHtml));
    EXPECT_EQ(live1.RowCount(), recorded1.RowCount());
    EXPECT_TRUE(Column(live1, EventColumn::EventHtml) == Column(recorded1, EventColumn::EventHtml));
    EXPECT_EQ(queued(first), recorded0.RowCount() - 1);
    EXPECT_EQ(queued(second), recorded1.RowCount() - 1);
}
