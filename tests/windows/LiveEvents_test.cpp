// Live event processing: the live file's new events into the slots' event tables, the events-panel
// queue, the third card and the sounds of a poll. Against velkaro-service with a stopped clock that
// the tests move, and on hand-made live files.
#include "core/DataStore.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "platform/MediaPlayer.h"
#include "shell/UOptions.h"
#include "support/Samples.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

// Every kind sounds, each from its own shipped file.
void SwitchSoundsOn() {
    FOptions->CheckBoxSonidos->setChecked(true);
    for (int k = 0; k < SoundKind::Count; ++k) {
        FOptions->CheckBoxSonidosKind[k]->setChecked(true);
        FOptions->EditSonido[k]->setText(AppDir + SoundKind::DefaultFile(k));
    }
}

QStringList PlayedNames(const MediaPlayerRecorder& rec) {
    QStringList names;
    for (const QString& f : rec.Played())
        names << f.section(QLatin1Char('/'), -1);
    return names;
}

QString Cell(int slot, EventColumn::Value c, int r) {
    return FOptions->BKStringGridEventos(slot).Cells(c, r);
}

QString PanelCell(PanelEventColumn::Value c, int r) {
    return FOptions->BKStringGridEventosPanel().Cells(c, r);
}

QStringList Column(const TBKStringGrid& t, int c) {
    QStringList cells;
    for (int r = 0; r < t.RowCount(); ++r)
        cells << t.Cells(c, r);
    return cells;
}

void Login(TestProgram& p) {
    ASSERT_TRUE(p.Service && p.Service->IsRunning());
    QString r;
    ConexionLogin(QStringLiteral("demo"), QStringLiteral("velkaro"), r);
    ASSERT_EQ(r, "OK");
}

// The add's road for the events: the addMatch answer (every event so far) saved as the live file,
// then the event step.
void AddLive(const QString& matchId) {
    QString r;
    BajarFicheroXML(ChppPath + QStringLiteral("live&version=1.4&actionType=addMatch&matchID=") + matchId,
                    AppDir + "data/Xml/live.xml", r);
    ASSERT_EQ(r, "OK");
    ASSERT_TRUE(ReadFile(AppDir + "data/Xml/live.xml").contains("<MatchID>" + matchId.toUtf8()));
    FPartidos->EventosPartidos();
}

void SetClock(TestProgram& p, const QString& when) {
    ASSERT_FALSE(
        p.Service->Control(QStringLiteral("/_control/clock?set=") + QString(when).replace(' ', "%20"))
            .isEmpty());
}

// A live file of hand-made matches: each match is (MatchID, events); an event is its Index (empty:
// no attribute), team, player, key and text.
struct E {
    QString index, team, player, key, text;
};
void WriteLive(const QVector<QPair<QString, QVector<E>>>& matches) {
    QString xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<HattrickData><MatchList>";
    for (const auto& [id, events] : matches) {
        xml += "<Match><MatchID>" + id + "</MatchID><EventList>";
        for (const E& e : events) {
            xml += e.index.isNull() ? QString("<Event>") : "<Event Index=\"" + e.index + "\">";
            xml += "<Minute>10</Minute><SubjectPlayerID>" + e.player + "</SubjectPlayerID><SubjectTeamID>" +
                   e.team + "</SubjectTeamID><ObjectPlayerID>0</ObjectPlayerID><EventKey>" + e.key +
                   "</EventKey><EventText>" + e.text.toHtmlEscaped() + "</EventText></Event>";
        }
        xml += "</EventList></Match>";
    }
    xml += "</MatchList></HattrickData>";
    WriteFile(AppDir + "data/Xml/live.xml", xml.toUtf8());
}

} // namespace

// The demo round's match of the user's team, added at minute 25 and polled at minute 40: the add
// stores every event so far, the poll only the new ones, with the third card of a player booked
// twice before. The poll's events are numbered by their place in its answer.
TEST(LiveEvents, AddThenOnlyNewEventsWithThirdCard) {
    TestProgram p({.withService = true, .speed = 0, .start = "2024-03-16 19:25:00", .serviceArgs = {}});
    Login(p);
    FOptions->EditTeamID->setText("250101");
    SwitchSoundsOn();
    SetMatch(0, "712000021", "250101", "250103");
    QString r;
    BajarFicheroXML(ChppPath + "players&teamID=250103", AppDir + "data/Xml/players_250103.xml", r);
    ASSERT_EQ(r, "OK");

    MediaPlayerRecorder rec;
    AddLive("712000021");

    const TBKStringGrid& t = FOptions->BKStringGridEventos(0);
    ASSERT_EQ(t.RowCount(), 10); // nine events and the empty last row
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(Cell(0, EventColumn::EventNumber, i), QString::number(i + 1));
    EXPECT_EQ(Cell(0, EventColumn::EventTypeKey, 0), "21_2");
    EXPECT_EQ(Cell(0, EventColumn::EventClass, 0), ",1,2,,,,");
    EXPECT_EQ(Cell(0, EventColumn::EventTypeKey, 7), "139_3");
    EXPECT_EQ(Cell(0, EventColumn::EventClass, 7), ",0,0,1,8,,");
    EXPECT_EQ(Cell(0, EventColumn::EventClass, 8), ",0,0,0,,0,");
    EXPECT_TRUE(Cell(0, EventColumn::EventNumber, 9).isEmpty());
    // The game's Index of the latest event, above its position: the numbering has gaps.
    EXPECT_GT(Cell(0, EventColumn::HighestIndex, 8).toInt(), 9);

    const TBKStringGrid& panel = FOptions->BKStringGridEventosPanel();
    ASSERT_EQ(panel.RowCount(), 10);
    EXPECT_EQ(PanelCell(PanelEventColumn::MatchId, 0), "712000021");
    EXPECT_EQ(PanelCell(PanelEventColumn::SoundTeam, 0), "250101");    // the user's own lineup
    EXPECT_EQ(PanelCell(PanelEventColumn::SoundTeam, 4), "ContraGol"); // subject team 0: not the user's
    EXPECT_EQ(PanelCell(PanelEventColumn::CategoryCode, 7), "0");
    EXPECT_EQ(PanelCell(PanelEventColumn::ScoreText, 7), "0 - 1");
    EXPECT_EQ(PanelCell(PanelEventColumn::SoundTeam, 7), "ContraGol");
    EXPECT_EQ(PanelCell(PanelEventColumn::ScoreText, 8), "1 - 1");
    EXPECT_EQ(PanelCell(PanelEventColumn::SoundTeam, 8), "250101");
    EXPECT_FALSE(PanelCell(PanelEventColumn::SubjectPlayerName, 8).isEmpty());

    // The sounds of the add, in the order of the queue: the match start, the goal against, ours.
    EXPECT_EQ(PlayedNames(rec), QStringList({"MatchStart.wav", "GoalAgainst.wav", "GoalMine.wav"}));
    EXPECT_FALSE(FPartidos->SeleccionarImagenTab(0)->pixmap().isNull()); // the new-events marker

    // Minute 40: three new events (two goals of ours, a yellow card); the booked player had two.
    SetClock(p, "2024-03-16 19:40:00");
    rec.Calls.clear();
    const int rebuilds = FPartidos->RebuildCount;
    FPartidos->DescargaLive();
    EXPECT_EQ(FPartidos->RebuildCount, rebuilds + 1);
    ASSERT_EQ(t.RowCount(), 14);
    EXPECT_EQ(Cell(0, EventColumn::EventNumber, 11), "3");
    EXPECT_EQ(Cell(0, EventColumn::EventTypeKey, 11), "510_0");
    EXPECT_EQ(Cell(0, EventColumn::EventNumber, 12), "3");
    EXPECT_EQ(Cell(0, EventColumn::EventMinute, 12), "38");
    EXPECT_EQ(Cell(0, EventColumn::SubjectPlayerId, 12), "401220038");
    EXPECT_EQ(Cell(0, EventColumn::EventTypeKey, 12), "QZ_3Tarjeta_");
    EXPECT_EQ(Cell(0, EventColumn::EventClass, 12), "QZ_3Tarjeta_");
    EXPECT_EQ(Cell(0, EventColumn::HighestIndex, 12), Cell(0, EventColumn::HighestIndex, 11));
    EXPECT_EQ(Cell(0, EventColumn::EventHtml, 12),
              QStringLiteral("That was this player's third yellow card: he is suspended for his team's next "
                             "official match.  -----  ") +
                  Cell(0, EventColumn::EventHtml, 11));
    ASSERT_EQ(panel.RowCount(), 14);
    EXPECT_EQ(PanelCell(PanelEventColumn::ScoreText, 9), "2 - 1");
    EXPECT_EQ(PanelCell(PanelEventColumn::ScoreText, 10), "3 - 1");
    EXPECT_EQ(PanelCell(PanelEventColumn::CategoryCode, 11), "30");
    EXPECT_EQ(PanelCell(PanelEventColumn::CategoryCode, 12), "6");
    EXPECT_EQ(PlayedNames(rec), QStringList({"GoalMine.wav", "GoalMine.wav", "Card.wav"}));

    // Nothing new, and then every event so far repeated: nothing stored, nothing sounds.
    rec.Calls.clear();
    FPartidos->DescargaLive();
    ASSERT_TRUE(p.Service->Fault("repeat", 1, "live"));
    FPartidos->DescargaLive();
    EXPECT_EQ(t.RowCount(), 14);
    EXPECT_EQ(panel.RowCount(), 14);
    EXPECT_TRUE(rec.Played().isEmpty());
}

// A walkover of the user's league, added when it is long over: every event comes with the add and
// the match end sounds once.
TEST(LiveEvents, WalkoverComesWhole) {
    TestProgram p({.withService = true, .speed = 0, .start = "2024-03-16 19:25:00", .serviceArgs = {}});
    Login(p);
    FOptions->EditTeamID->setText("250101");
    SwitchSoundsOn();
    SetMatch(3, "712000015", "", "");
    MediaPlayerRecorder rec;
    AddLive("712000015");

    const TBKStringGrid& t = FOptions->BKStringGridEventos(3);
    const int n = t.RowCount() - 1;
    ASSERT_GE(n, 1);
    EXPECT_EQ(Cell(3, EventColumn::EventNumber, n - 1), QString::number(n));
    EXPECT_TRUE(Cell(3, EventColumn::EventTypeKey, n - 1).startsWith("599"));
    EXPECT_FALSE(Column(t, EventColumn::EventHtml).filter("walkover").isEmpty());
    EXPECT_EQ(FOptions->BKStringGridEventosPanel().RowCount(), n + 1);
    EXPECT_EQ(PlayedNames(rec).count("MatchEnd.wav"), 1);
    for (int s = 0; s < 10; ++s)
        EXPECT_EQ(FOptions->BKStringGridEventos(s).RowCount(), s == 3 ? n + 1 : 1);
}

// The real live answer of the game (Index 5 to 25 with gaps at 18, 20, 22 and 23) served twice in a
// row: its 17 events are stored, queued and sounded once.
TEST(LiveEvents, RealLiveAnswerServedTwiceStoresItsEventsOnce) {
    TestProgram p;
    SwitchSoundsOn();
    SetMatch(0, "741937041", "2151226", "238555");
    const QByteArray sample = ReadFile(SampleFile("live-view"));
    ASSERT_FALSE(sample.isEmpty());
    MediaPlayerRecorder rec;
    for (int run = 0; run < 2; ++run) {
        WriteFile(AppDir + "data/Xml/live.xml", sample);
        FPartidos->EventosPartidos();
    }
    const TBKStringGrid& t = FOptions->BKStringGridEventos(0);
    ASSERT_EQ(t.RowCount(), 18);
    EXPECT_EQ(Cell(0, EventColumn::EventNumber, 16), "17");
    EXPECT_EQ(Cell(0, EventColumn::HighestIndex, 0), "5");
    EXPECT_EQ(Cell(0, EventColumn::HighestIndex, 16), "25");
    EXPECT_EQ(Cell(0, EventColumn::EventTypeKey, 16), "464_2");
    const TBKStringGrid& panel = FOptions->BKStringGridEventosPanel();
    ASSERT_EQ(panel.RowCount(), 18);
    EXPECT_EQ(PanelCell(PanelEventColumn::ScoreText, 15), "2 - 2"); // the last goal, 47th minute
    // The injury of the 43rd minute is one injury (the body-part event), sounded once.
    EXPECT_EQ(Cell(0, EventColumn::EventTypeKey, 12), "410_2");
    EXPECT_EQ(PanelCell(PanelEventColumn::CategoryCode, 12), "20");
    EXPECT_EQ(PlayedNames(rec), QStringList({"Chance.wav", "Goal.wav", "Chance.wav", "Goal.wav", "Goal.wav",
                                             "Chance.wav", "Injury.wav", "Goal.wav"}));
}

// The rules of a run over hand-made live files: the new-event rule, a match without slot, an event
// without Index, consecutive match ends, the player name and texts without links, a broken file, and
// the class lookup.
TEST(LiveEvents, RulesOnHandMadeFiles) {
    TestProgram p;
    MediaPlayerRecorder rec;
    SwitchSoundsOn();
    FOptions->EditTeamID->setText("250101");
    SetMatch(0, "1", "100", "200");
    SetMatch(1, "2", "300", "400");
    const QString html = "<a href=\"/Club/Players/Player.aspx?playerId=77\">Jo Bloggs</a> scores";
    // Match 1: an event without Index into an empty table; match 9 is in no slot.
    WriteLive({{"1", {{QString(), "100", "77", "111_0", html}}}, {"9", {{"0", "100", "0", "599_0", "x"}}}});
    FPartidos->EventosPartidos();
    EXPECT_EQ(FOptions->BKStringGridEventos(0).RowCount(), 2);
    EXPECT_EQ(Cell(0, EventColumn::EventHtml, 0), html); // no lineup event: the text as it came
    EXPECT_EQ(PanelCell(PanelEventColumn::SubjectPlayerName, 0), "Jo Bloggs");
    EXPECT_EQ(PanelCell(PanelEventColumn::ScoreText, 0), "1 - 0");
    EXPECT_EQ(PanelCell(PanelEventColumn::SoundTeam, 0), "100"); // the user's team does not play
    for (int s = 1; s < 10; ++s)
        EXPECT_EQ(FOptions->BKStringGridEventos(s).RowCount(), 1);

    // The stored event carries no Index, so the answer is compared by position: Index 1 is new and
    // numbered by its position; an event without Index now ends its match (the later one is not
    // taken); the other match still runs.
    WriteLive({{"1",
                {{"0", "100", "77", "111_0", html},
                 {"1", "200", "5", "111_0", "by>no id</a> here"},
                 {QString(), "200", "5", "111_0", "lost"},
                 {"3", "200", "5", "111_0", "lost"}}},
               {"2", {{"0", "300", "0", "21_2", "plain"}}}});
    FPartidos->EventosPartidos();
    EXPECT_EQ(FOptions->BKStringGridEventos(0).RowCount(), 3);
    EXPECT_EQ(Cell(0, EventColumn::EventNumber, 1), "2");
    EXPECT_EQ(PanelCell(PanelEventColumn::ScoreText, 1), "1 - 1");
    EXPECT_EQ(PanelCell(PanelEventColumn::SubjectPlayerName, 1), "no id"); // ID not in the text
    EXPECT_EQ(FOptions->BKStringGridEventos(1).RowCount(), 2);

    // Two matches end in the same poll: only the second end sounds.
    rec.Calls.clear();
    WriteLive({{"1",
                {{"0", "100", "77", "111_0", html},
                 {"1", "200", "5", "111_0", "x"},
                 {"2", "0", "0", "599_0", "end one"}}},
               {"2", {{"0", "300", "0", "21_2", "plain"}, {"1", "0", "0", "599_1", "end two"}}}});
    const int before = FOptions->BKStringGridEventosPanel().RowCount();
    const int sleeps = p.Boxes.Sleeps.size();
    FPartidos->EventosPartidos();
    EXPECT_EQ(FOptions->BKStringGridEventosPanel().RowCount(), before + 2);
    EXPECT_EQ(PlayedNames(rec), QStringList({"MatchEnd.wav"}));
    EXPECT_EQ(p.Boxes.Sleeps.size(), sleeps + 1);

    // A live file that is not XML stores nothing.
    WriteFile(AppDir + "data/Xml/live.xml", "<HattrickData><MatchList>");
    const int rows = FOptions->BKStringGridEventosPanel().RowCount();
    FPartidos->EventosPartidos();
    EXPECT_EQ(FOptions->BKStringGridEventosPanel().RowCount(), rows);

    // The class lookup pads the type to three digits and takes the first row of that code.
    QString c = "stale";
    FPartidos->EventoClase("20", c);
    EXPECT_EQ(c, ",1,1,,,,");
    FPartidos->EventoClase("9999", c);
    EXPECT_EQ(c, "");
}

// Adding a running match on a machine without audio output: its events are queued and their sounds
// tried, but nothing waits for them.
TEST(LiveEvents, AnAddWithoutAudioOutputDoesNotWait) {
    TestProgram p({.withService = true, .speed = 0, .start = "2024-03-16 19:45:00", .serviceArgs = {}});
    Login(p);
    FOptions->EditTeamID->setText("250101");
    SwitchSoundsOn();
    FPartidos->CreateImageTabs();
    FPartidos->LabelTipoPartido->setText("Live");
    MediaPlayerRecorder rec;
    rec.AudioOutput = false;
    FPartidos->AnadirPartido("712000021", 0, false);
    EXPECT_GT(FOptions->BKStringGridEventos(0).RowCount(), 5);
    EXPECT_FALSE(rec.Played().isEmpty());
    EXPECT_TRUE(p.Boxes.Sleeps.isEmpty()) << p.Boxes.Sleeps.size() << " waits";
}
