// The follow road: live matches of velkaro-service polled on its clock, from the add to the report;
// answers that repeat and disorder; the clock's polls; the event step on real and hand-made files.
#include "support/Samples.h"
#include "support/gui/WindowTest.h"
#include <QDomDocument>
#include <algorithm>

using namespace EventColumn;
namespace P = PanelEventColumn;

namespace {

const QString AddMatch = QStringLiteral("live&version=1.4&actionType=addMatch&matchID=");

// A live file of hand-made matches; an event is Index (null: none), team, player, key and text.
struct E {
    QString index, team, player, key, text;
};
void WriteLive(const QVector<QPair<QString, QVector<E>>>& matches) {
    QString xml = "<HattrickData><MatchList>";
    for (const auto& [id, events] : matches) {
        xml += "<Match><MatchID>" + id + "</MatchID><EventList>";
        for (const E& e : events)
            xml += (e.index.isNull() ? QString("<Event>") : "<Event Index=\"" + e.index + "\">") +
                   "<Minute>10</Minute><SubjectPlayerID>" + e.player + "</SubjectPlayerID><SubjectTeamID>" +
                   e.team + "</SubjectTeamID><ObjectPlayerID>0</ObjectPlayerID><EventKey>" + e.key +
                   "</EventKey><EventText>" + e.text.toHtmlEscaped() + "</EventText></Event>";
        xml += "</EventList></Match>";
    }
    WriteFile(AppDir + "data/Xml/live.xml", (xml + "</MatchList></HattrickData>").toUtf8());
}

} // namespace

// The user's match added at minute 25: the add stores every event so far, each poll only the new ones
// (a third card of a player booked twice), the view shows them, and the report comes at the end.
TEST(Follow, TheUsersMatchFromTheAddToTheReport) {
    TestProgram p(TestProgram::Served("2024-03-16 19:25:00"));
    Login();
    FOptions->EditTeamID->setText("250101");
    SwitchSoundsOn();
    SetMatch(0, "712000021", "250101", "250103");
    TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    m.SetCells(MatchColumn::HomeName, 0, "Velkaro Demo FC");
    m.SetCells(MatchColumn::AwayName, 0, "Bramley Town");
    // The add's road for the events: its answer (every event so far) saved as the live file, the step.
    QString r; // the booked player's cards so far come with his team's players
    BajarFicheroXML(ChppPath + "players&teamID=250103", AppDir + "data/Xml/players_250103.xml", r);
    BajarFicheroXML(ChppPath + AddMatch + "712000021", AppDir + "data/Xml/live.xml", r);
    FPartidos->EventosPartidos();
    const TBKStringGrid& t = FOptions->BKStringGridEventos(0);
    ASSERT_EQ(t.RowCount(), 9); // eight events and the empty last row
    EXPECT_EQ(Column(t, EventNumber), QString("1 2 3 4 5 6 7 8").split(' '));
    EXPECT_EQ(RowCells(t, 0, {EventTypeKey, EventClass}), "21_2|,1,2,,,,");
    EXPECT_EQ(RowCells(t, 6, {EventTypeKey, EventClass}), "139_3|,0,0,1,8,,");
    EXPECT_EQ(t.Cells(EventClass, 7), ",0,0,0,,0,");
    EXPECT_GT(t.Cells(EventIndex, 7).toInt(), 8); // the game's Index, with gaps, above the position
    const TBKStringGrid& panel = FOptions->BKStringGridEventosPanel();
    ASSERT_EQ(panel.RowCount(), 9);
    EXPECT_EQ(RowCells(panel, 0, {P::MatchId, P::SoundTeam}), "712000021|250101"); // the user's own lineup
    EXPECT_EQ(panel.Cells(P::SoundTeam, 3), "ContraGol"); // subject team 0: not the user's
    EXPECT_EQ(RowCells(panel, 6, {P::CategoryCode, P::ScoreText, P::SoundTeam}), "0|0 - 1|ContraGol");
    EXPECT_EQ(RowCells(panel, 7, {P::ScoreText, P::SoundTeam}), "1 - 1|250101");
    EXPECT_FALSE(panel.Cells(P::SubjectPlayerName, 7).isEmpty());
    // The sounds of the add, in the order of the queue: the match start, the goal against, ours.
    EXPECT_EQ(PlayedNames(p.Sounds), QStringList({"MatchStart.wav", "GoalAgainst.wav", "GoalMine.wav"}));
    EXPECT_FALSE(FPartidos->SeleccionarImagenTab(0)->pixmap().isNull()); // the new-events marker
    FPartidos->DescargarDatosEquipos(0);
    // Minute 40: three new events (two goals of ours, a yellow card); the booked player had two.
    SetClock(p, "2024-03-16 19:40:00");
    p.Sounds.Calls.clear();
    FPartidos->DescargaLive();
    ASSERT_EQ(t.RowCount(), 13);
    EXPECT_EQ(RowCells(t, 10, {EventNumber, EventTypeKey}), "3|510_0");
    EXPECT_EQ(RowCells(t, 11, {EventNumber, EventMinute, SubjectPlayerId, EventTypeKey, EventClass}),
              "3|38|401220038|QZ_3Tarjeta_|QZ_3Tarjeta_");
    EXPECT_EQ(t.Cells(EventIndex, 11), t.Cells(EventIndex, 10));
    EXPECT_EQ(t.Cells(EventHtml, 11),
              "That was this player's third yellow card: he is suspended for his team's "
              "next official match.  -----  " +
                  t.Cells(EventHtml, 10));
    ASSERT_EQ(panel.RowCount(), 13);
    EXPECT_EQ(Column(panel, P::ScoreText, 8, 9), QStringList({"2 - 1", "3 - 1"}));
    EXPECT_EQ(Column(panel, P::CategoryCode, 10, 11), QStringList({"30", "6"}));
    EXPECT_EQ(PlayedNames(p.Sounds), QStringList({"GoalMine.wav", "GoalMine.wav", "Card.wav"}));
    EXPECT_FALSE(FPartidos->SeleccionarImagenTab(0)->pixmap().isNull()); // a refresh keeps the marker
    // The view: every event listed, the commentary, the results list and the logo the service serves.
    RebuildSlot(0);
    EXPECT_TRUE(FPartidos->SeleccionarImagenTab(0)->pixmap().isNull()); // the user's switch clears it
    EXPECT_EQ(FPartidos->BKStringGridListaEventos.RowCount(), t.RowCount() + 1);
    EXPECT_TRUE(FPartidos->WebBrowserEventos->Html().contains(t.Cells(EventHtml, 0).left(20)));
    EXPECT_EQ(FPartidos->BKStringGridResultados.Cells(1, 0), "Velkaro Demo FC - Bramley Town");
    const QString logo = m.Cells(MatchColumn::HomeLogoUrl, 0);
    EXPECT_TRUE(logo.startsWith(p.Service->BaseUrl() + "/Logos/")) << logo.toStdString();
    EXPECT_TRUE(FPartidos->WebBrowserDetalles1->Html().contains(logo));
    // To the end (without added time) and a little beyond; the end details are lost once.
    ASSERT_TRUE(p.Service->Fault("errordoc", 1, "matchdetails"));
    for (const char* when : {"2024-03-16 21:00:00", "2024-03-16 21:05:00"}) {
        SetClock(p, when);
        FPartidos->DescargaLive();
    }
    TFPartidos& w = *FPartidos;
    auto requests = [&p](const char* kind) { return ServiceRequests(p).filter(kind); };
    EXPECT_EQ(requests("matchlineup").size(), 2) << "each lineup once";
    EXPECT_EQ(requests("matchdetails").size(), 3) << "the running details once, the end details twice";
    EXPECT_TRUE(w.PageControlEventos->isTabVisible(1));
    EXPECT_EQ(w.PageControlEventos->currentIndex(), 0) << "the report appears without being selected";
    // Names from the saved details, possession of both halves.
    const TBKStringGrid& grid = w.BKStringGridDetalles;
    EXPECT_EQ(grid.Cells(1, 1) + "|" + grid.Cells(6, 1), "Velkaro Demo FC|Bramley Town");
    EXPECT_EQ(w.LabelEquipo1->text() + "|" + w.LabelEquipo2->text(), "Velkaro Demo FC|Bramley Town"); // pitch
    for (QLabel* share : {w.LabelPose11, w.LabelPose12, w.LabelPose21, w.LabelPose22})
        EXPECT_TRUE(share->text().endsWith('%')) << share->objectName().toStdString();
    // The summary agrees with the chance counters of the event list.
    const std::pair<const char*, QLabel*> kinds[] = {{"1", w.LabelO11}, {"2", w.LabelO21}, {"5", w.LabelO31},
                                                     {"3", w.LabelO12}, {"4", w.LabelO22}, {"6", w.LabelO32}};
    for (const auto& [counter, listed] : kinds)
        EXPECT_EQ(w.LabelR.value(counter)->text(), listed->text() == "0 (0)" ? "" : listed->text())
            << counter;
    // The formations, which only the match details give: header, ratings page and lineup page.
    const QStringList f = QString(ReadFile(AppDir + "data/Xml/matchDetails0.xml")).split("Formation>");
    const QString formations = w.LabelDetallesFormacion1->text() + "|" + w.LabelDetallesFormacion2->text();
    EXPECT_EQ(formations, f.value(1).section('<', 0, 0) + "|" + f.value(3).section('<', 0, 0));
    EXPECT_EQ(grid.Cells(2, 6) + "|" + grid.Cells(7, 6), formations);
    // The report's own fill reads the away side; each lineup page reloads the one panel with its side.
    EXPECT_EQ(w.LabelHomeTeam->text(), "Bramley Town");
    w.PageControlFinPartido->setCurrentIndex(1);
    EXPECT_EQ(w.PanelFinAlineacion->parentWidget(), w.TabSheetAlineacion1);
    EXPECT_EQ(w.LabelHomeTeam->text(), "Velkaro Demo FC");
    EXPECT_EQ(w.LabelHomeFormacion->text(), w.LabelDetallesFormacion1->text());
    for (int k = 1; k <= 11; ++k)
        EXPECT_FALSE(w.PanelHome[k]->text().isEmpty()) << k;
    // Every behaviour of the game in the line-up: 1 to 4 after the position's word, 5 to 7 on their own.
    QStringList shown; // box 3 was replaced
    for (int box : {2, 4, 5, 6, 7, 8, 9})
        shown << w.LabelHomePos[box]->text();
    EXPECT_EQ(shown.join('|'),
              "Right back (offensive)|Left central defender (defensive)|Left back (towards middle)|"
              "Right winger (towards wing)|Extra forward|Extra inner midfielder|Extra central defender");
    // The demo team's player injured at 55 left the pitch: five weeks out.
    EXPECT_FALSE(w.LabelHomeName[19]->text().isEmpty());
    EXPECT_FALSE(w.ImageHomeLesion[19]->isHidden());
    EXPECT_EQ(w.LabelHomeLesion[19]->text(), "5");
    EXPECT_TRUE(w.LabelHomeName[20]->text().isEmpty() && w.ImageHome[20]->isHidden());
    w.PageControlFinPartido->setCurrentIndex(2);
    EXPECT_EQ(w.PanelFinAlineacion->parentWidget(), w.TabSheetAlineacion2);
    EXPECT_EQ(w.LabelHomeTeam->text(), "Bramley Town");
    EXPECT_FALSE(w.LabelHomeLesion[19]->text().isEmpty());
    w.PageControlFinPartido->setCurrentIndex(1);
    EXPECT_EQ(requests("playerdetails").size(), 2) << "each replaced player's details once";
    // A stored file that holds the service's error instead of the player is asked for again.
    QDomDocument lineup;
    lineup.setContent(ReadFile(AppDir + "data/Xml/matchLineup0Home.xml"));
    const QDomNodeList ids = lineup.elementsByTagName("PlayerID");
    const QString id = ids.at(ids.size() - 1).toElement().text(); // the last entry: the replaced player
    WriteFile(AppDir + "data/Xml/player_" + id + ".xml",
              "<HattrickData><FileName>chpperror.xml</FileName></HattrickData>");
    w.PageControlFinPartido->setCurrentIndex(2);
    w.PageControlFinPartido->setCurrentIndex(1);
    EXPECT_EQ(requests("playerdetails").size(), 3);
    EXPECT_EQ(requests("playerdetails").last(), "playerdetails&playerId=" + id);
    EXPECT_EQ(w.LabelHomeLesion[19]->text(), "5");
    EXPECT_TRUE(p.Boxes.Boxes.isEmpty());
}

// Two matches followed to the end with plain answers, and with one added late and answers that repeat
// and disorder their events: every event is stored once, rows, panel and sounds as in the plain run.
TEST(Follow, EveryEventOnceWhateverTheAnswersRepeat) {
    // Per slot each row with its panel row, then the score; the sounds, sorted. B is added at `lateAdd`.
    auto follow = [](const QString& lateAdd, const QStringList& modes) {
        TestProgram p(TestProgram::Served("2024-03-16 18:58:00"));
        Login();
        FOptions->EditTeamID->setText("250101");
        SwitchSoundsOn();
        QString r;
        BajarFicheroXML(ChppPath + "players&teamID=250103", AppDir + "data/Xml/players_250103.xml", r);
        for (const QString& mode : modes)
            EXPECT_TRUE(p.Service->Fault(mode, 1000, "live"));
        FPartidos->AnadirPartidoVivo("712000021", 0, false);
        if (lateAdd.isEmpty())
            FPartidos->AnadirPartidoVivo("712000022", 1, false);
        for (QDateTime t(QDate(2024, 3, 16), QTime(19, 0)); t.time() < QTime(21, 0); t = t.addSecs(180)) {
            SetClock(p, t.toString("yyyy-MM-dd HH:mm:ss"));
            if (t.toString("yyyy-MM-dd HH:mm:ss") == lateAdd)
                FPartidos->AnadirPartidoVivo("712000022", 1, false);
            FPartidos->DescargaLive();
        }
        QStringList rows[2], sounds = PlayedNames(p.Sounds);
        const TBKStringGrid& panel = FOptions->BKStringGridEventosPanel();
        for (int s = 0; s < 2; ++s) {
            const TBKStringGrid& t = FOptions->BKStringGridEventos(s);
            QStringList queued;
            for (int row = 0; row < panel.RowCount() - 1; ++row)
                if (panel.Cells(P::MatchId, row) == MatchCell(MatchColumn::MatchId, s))
                    queued << RowCells(panel, row, {P::CategoryCode, P::ScoreText, P::SoundTeam});
            EXPECT_EQ(queued.size(), t.RowCount() - 1);
            for (int row = 0; row < t.RowCount() - 1; ++row)
                rows[s] << RowCells(t, row, {EventMinute, EventTypeKey, SubjectPlayerId, EventClass}) + "|" +
                               queued.value(row);
            rows[s] << MatchCell(MatchColumn::HomeGoals, s) + " - " + MatchCell(MatchColumn::AwayGoals, s);
        }
        std::sort(sounds.begin(), sounds.end());
        return std::tuple{rows[0], rows[1], sounds};
    };
    const auto plain = follow({}, {});
    for (const QStringList& rows : {std::get<0>(plain), std::get<1>(plain)}) {
        ASSERT_GT(rows.size(), 15);
        EXPECT_EQ(rows.filter("|599_").size(), 1);
        EXPECT_FALSE(rows.filter("|,3,").isEmpty()); // cards
    }
    EXPECT_EQ(std::get<0>(plain).filter("|QZ_3Tarjeta_|").size(), 1);
    // Added late, B gets its past events once (the add repeats A's, not taken again), then new ones.
    EXPECT_EQ(follow("2024-03-16 19:51:00", {"repeat", "disorder"}), plain);
}

// Polls at zero and on "now"; a failed poll processes nothing, the clock runs again; while a poll plays
// its sounds, "now" is dropped and a pause is kept rather than undone by the poll's restart.
TEST(Follow, PollsAtZeroAndOnNowAndAreNotReentered) {
    TestProgram p(TestProgram::Served("2024-03-16 19:25:00"));
    Login();
    TFPartidos& w = *FPartidos;
    auto polls = [&p] { return ServiceRequests(p).filter("actionType=viewNew").size(); };
    w.EditTiempo->setText("1");
    w.TimerConexionTimer(); // the count reaches zero: a poll, and the count starts again
    EXPECT_EQ(QString::number(polls()) + "|" + w.EditTiempo->text(), "1|60");
    EXPECT_TRUE(w.TimerConexion->isActive());
    w.ButtonTiempoClick();
    EXPECT_EQ(polls(), 2);
    ASSERT_TRUE(p.Service->Fault("notfound", 1, "live"));
    const int rebuilds = w.RebuildCount;
    w.TimerConexion->stop();
    w.ButtonTiempoClick();
    EXPECT_EQ(w.RebuildCount, rebuilds);
    EXPECT_TRUE(w.TimerConexion->isActive());
    FOptions->EditTeamID->setText("250101");
    SwitchSoundsOn();
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::MatchId, 0, "712000021");
    QString text;
    ConexionRequest(ChppPath + AddMatch + "712000021", text);
    // The add's answer was not stored: the poll repeats every event so far.
    ASSERT_TRUE(p.Service->Fault("repeat", 1, "live"));
    const qsizetype before = polls();
    int nested = 0;
    Dialogs::SetSleepHook([&](int) {
        if (nested++ == 0) {
            w.ButtonTiempoClick();
            w.BitBtnStopClick();
        }
    });
    w.ButtonTiempoClick();
    Dialogs::SetSleepHook([&p](int ms) { p.Boxes.Sleeps << ms; }); // recorded again, never slept
    EXPECT_GT(nested, 0);
    EXPECT_EQ(polls(), before + 1);
    EXPECT_EQ(FOptions->BKStringGridEventos(0).RowCount(), 9);
    EXPECT_FALSE(w.TimerConexion->isActive());
    EXPECT_EQ(w.BitBtnStop->text(), "Continue");
}

// The event step over hand-made live files (the new-event rule, a match without slot, an event without
// Index, consecutive match ends, names and texts without links, a broken file) and the game's own.
TEST(Follow, EventRulesOnHandMadeFilesAndTheGamesAnswer) {
    TestProgram p;
    SwitchSoundsOn();
    FOptions->EditTeamID->setText("250101");
    SetMatch(0, "1", "100", "200");
    SetMatch(1, "2", "300", "400");
    const TBKStringGrid& panel = FOptions->BKStringGridEventosPanel();
    const TBKStringGrid& t0 = FOptions->BKStringGridEventos(0);
    const QString html = "<a href=\"/Club/Players/Player.aspx?playerId=77\">Jo Bloggs</a> scores";
    // Match 1: an event without Index into an empty table; match 9 is in no slot.
    WriteLive({{"1", {{QString(), "100", "77", "111_0", html}}}, {"9", {{"0", "100", "0", "599_0", "x"}}}});
    FPartidos->EventosPartidos();
    EXPECT_EQ(t0.RowCount(), 2);
    EXPECT_EQ(t0.Cells(EventHtml, 0), html); // no lineup event: as it came
    // The user's team does not play: the sound team is the subject team. Match 9 went nowhere.
    EXPECT_EQ(RowCells(panel, 0, {P::SubjectPlayerName, P::ScoreText, P::SoundTeam}), "Jo Bloggs|1 - 0|100");
    EXPECT_EQ(panel.RowCount(), 2);
    // The stored event has no Index, so the answer is compared by position; an event without Index
    // now holds back the later one; the other match still runs.
    WriteLive({{"1",
                {{"0", "100", "77", "111_0", html},
                 {"1", "200", "5", "111_0", "by>no id</a> here"},
                 {QString(), "200", "5", "111_0", "lost"},
                 {"3", "200", "5", "111_0", "lost"}}},
               {"2", {{"0", "300", "0", "21_2", "plain"}}}});
    FPartidos->EventosPartidos();
    EXPECT_EQ(t0.RowCount(), 3);
    EXPECT_EQ(t0.Cells(EventNumber, 1), "2");
    EXPECT_EQ(RowCells(panel, 1, {P::ScoreText, P::SubjectPlayerName}), "1 - 1|no id"); // ID not in the text
    EXPECT_EQ(FOptions->BKStringGridEventos(1).RowCount(), 2);
    // Two matches end in the same poll: only the second end sounds.
    p.Sounds.Calls.clear();
    WriteLive({{"1",
                {{"0", "100", "77", "111_0", html},
                 {"1", "200", "5", "111_0", "x"},
                 {"2", "0", "0", "599_0", "e"}}},
               {"2", {{"0", "300", "0", "21_2", "plain"}, {"1", "0", "0", "599_1", "end two"}}}});
    const int before = panel.RowCount();
    const qsizetype sleeps = p.Boxes.Sleeps.size();
    FPartidos->EventosPartidos();
    EXPECT_EQ(panel.RowCount(), before + 2);
    EXPECT_EQ(PlayedNames(p.Sounds), QStringList({"MatchEnd.wav"}));
    EXPECT_EQ(p.Boxes.Sleeps.size(), sleeps + 1);
    // A live file that is not XML stores nothing.
    WriteFile(AppDir + "data/Xml/live.xml", "<HattrickData><MatchList>");
    FPartidos->EventosPartidos();
    EXPECT_EQ(panel.RowCount(), before + 2);
    // The game's live answer (Index 5 to 25 with gaps) served twice: its 17 events are taken once.
    SetMatch(2, "741937041", "2151226", "238555");
    p.Sounds.Calls.clear();
    const int base = panel.RowCount() - 1;
    for (int run = 0; run < 2; ++run) {
        WriteFile(AppDir + "data/Xml/live.xml", ReadFile(SampleFile("live-view")));
        FPartidos->EventosPartidos();
    }
    const TBKStringGrid& t = FOptions->BKStringGridEventos(2);
    ASSERT_EQ(t.RowCount(), 18);
    EXPECT_EQ(RowCells(t, 16, {EventNumber, EventIndex, EventTypeKey}), "17|25|464_2");
    ASSERT_EQ(panel.RowCount(), base + 18);
    EXPECT_EQ(panel.Cells(P::ScoreText, base + 15), "2 - 2"); // the last goal, 47th minute
    // The injury of the 43rd minute is one injury (the body-part event), sounded once.
    EXPECT_EQ(t.Cells(EventTypeKey, 12) + "|" + panel.Cells(P::CategoryCode, base + 12), "410_2|20");
    EXPECT_EQ(PlayedNames(p.Sounds), QStringList({"Chance.wav", "Goal.wav", "Chance.wav", "Goal.wav",
                                                  "Goal.wav", "Chance.wav", "Injury.wav", "Goal.wav"}));
}
