// The replay road: a finished match's events read into the slot's recorded table and released minute by
// minute into the event table and the panel; the service's finished matches replayed to their report.
#include "support/gui/WindowTest.h"
#include <QDomDocument>

using namespace EventColumn;

namespace {

QString Link(const char* id, const char* name) {
    return QString("<a href=\"/Club/Players/Player.aspx?playerId=%1\">%2</a>").arg(id, name);
}

// A match of the live file; an event is minute, team, player, key and text.
QString MatchXml(const QString& id, const QVector<QStringList>& events) {
    QString xml = "<Match><MatchID>" + id + "</MatchID><EventList>";
    const QString event =
        "<Event Index=\"%1\"><Minute>%2</Minute><SubjectPlayerID>%3</SubjectPlayerID><SubjectTeamID>"
        "%4</SubjectTeamID><ObjectPlayerID>0</ObjectPlayerID><EventKey>%5</EventKey><EventText>%6</EventText>"
        "</Event>";
    for (int i = 0; i < events.size(); ++i)
        xml += event.arg(i).arg(events[i][0], events[i][2], events[i][1], events[i][3],
                                events[i][4].toHtmlEscaped());
    return xml + "</EventList></Match>";
}

void WriteLive(const QStringList& matches) {
    const QString xml = "<HattrickData><FileName>live.xml</FileName><MatchList>" + matches.join("");
    WriteFile(AppDir + "data/Xml/live.xml", (xml + "</MatchList></HattrickData>").toUtf8());
}

const QString HomeLineup = Link("111", "Smith") + ", " + Link("112", "Brown");

// Match 900: lineups, a linked goal at 5, a chance at no number, the end; match 800: a goal, the end.
const QString Match900 = MatchXml("900", {{"0", "10", "0", "21_1", HomeLineup},
                                          {"0", "20", "0", "21_2", Link("221", "Jones")},
                                          {"5", "10", "111", "100_1", "Goal by " + Link("111", "Smith")},
                                          {"x", "20", "221", "200_1", "A chance"},
                                          {"90", "0", "0", "599_1", "The end"}});
const QString Match800 =
    MatchXml("800", {{"5", "30", "301", "100_1", "Other goal"}, {"90", "0", "0", "599_1", "Other end"}});

int UpTo(const TBKStringGrid& recorded, int minute) {
    int n = 0;
    for (const QString& m : Column(recorded, EventMinute))
        n += m.toInt() <= minute ? 1 : 0;
    return n;
}

} // namespace

TEST(Replay, RecordedEventsAreReadAndReleasedMinuteByMinute) {
    TestProgram p;
    TFPartidos& w = *FPartidos;
    SwitchSoundsOn();
    SetMatch(0, "800", "30", "40");
    SetMatch(2, "900", "10", "20");
    // Slot 0's recorded match is in the file first; the add of match 900 must read match 900.
    WriteLive({Match800, Match900});
    w.EventosPartidosFinalizadoDescarga("800");
    TBKStringGrid& f0 = FOptions->BKStringGridFEventos(0);
    ASSERT_EQ(f0.RowCount(), 3);
    f0.SetCells(EventHtml, 1, "kept");
    w.EventosPartidosFinalizadoDescarga("900");
    EXPECT_EQ(f0.Cells(EventHtml, 1), "kept"); // the other slot is left alone
    TBKStringGrid& f2 = FOptions->BKStringGridFEventos(2);
    ASSERT_EQ(f2.RowCount(), 6);
    EXPECT_EQ(Column(f2, EventNumber), QString("1 2 3 4 5").split(' '));
    EXPECT_EQ(Column(f2, EventMinute), QStringList({"0", "0", "5", "", "90"})); // "x" is not taken
    EXPECT_EQ(RowCells(f2, 2, {SubjectPlayerId, EventClass}), "111|,0,0,0,,4,");
    EXPECT_EQ(f2.Cells(EventClass, 4), ",1,6,,,,");
    // The scorer's link is coloured as a home player, from the lineups read before it.
    EXPECT_EQ(f2.Cells(EventHtml, 0), HomeLineup);
    EXPECT_TRUE(f2.Cells(EventHtml, 2).contains("#5577FF"));
    EXPECT_FALSE(f2.Cells(EventHtml, 2).contains("<a href"));
    TBKStringGrid& l0 = FOptions->BKStringGridEventos(0);
    TBKStringGrid& l2 = FOptions->BKStringGridEventos(2);
    TBKStringGrid& queue = FOptions->BKStringGridEventosPanel();
    // The call made when a match is added releases nothing.
    w.EventosPartidosFinalizadoActualizar("-1");
    EXPECT_EQ(l2.RowCount(), 1);
    EXPECT_EQ(queue.RowCount(), 1);
    EXPECT_TRUE(w.SeleccionarImagenTab(2)->pixmap().isNull());
    // Minute 0: both lineups and the chance whose minute is not a number, as exact copies.
    w.EventosPartidosFinalizadoActualizar("0");
    ASSERT_EQ(l2.RowCount(), 4);
    EXPECT_EQ(Column(l2, EventTypeKey), QStringList({"21_1", "21_2", "200_1"}));
    for (int c = 0; c < l2.ColCount(); ++c)
        EXPECT_EQ(l2.Cells(c, 2), f2.Cells(c, 3));
    EXPECT_EQ(Column(queue, PanelEventColumn::MatchId), QStringList({"900", "900", "900"}));
    EXPECT_FALSE(w.SeleccionarImagenTab(2)->pixmap().isNull());
    EXPECT_TRUE(w.SeleccionarImagenTab(0)->pixmap().isNull());
    // Minute 5: slot 0 first, then slot 2; each goal scores in its own match.
    w.EventosPartidosFinalizadoActualizar("5");
    ASSERT_EQ(queue.RowCount(), 6);
    EXPECT_EQ(queue.Cells(PanelEventColumn::EventHtml, 3), "Other goal");
    EXPECT_EQ(RowCells(queue, 4, {PanelEventColumn::ScoreText, PanelEventColumn::CategoryCode}), "1 - 0|0");
    EXPECT_FALSE(w.SeleccionarImagenTab(0)->pixmap().isNull());
    // A minute that is not a number acts as minute 1: nothing of these matches.
    w.EventosPartidosFinalizadoActualizar("abc");
    EXPECT_EQ(queue.RowCount(), 6);
    // Both matches end in the same minute: two end rows, one end-of-match sound.
    p.Sounds.Calls.clear();
    w.EventosPartidosFinalizadoActualizar("90");
    ASSERT_EQ(queue.RowCount(), 8);
    EXPECT_EQ(Column(queue, PanelEventColumn::EventTypeKey, 5, 6), QStringList({"599_1", "599_1"}));
    EXPECT_EQ(p.Sounds.Played(), QStringList({p.Folder.File("sounds/MatchEnd.wav")}));
    EXPECT_EQ(l2.RowCount(), f2.RowCount());
    EXPECT_EQ(l0.RowCount(), 3);
    // A second match in the slot leaves only its events; a match not in the file, or no file, reads nothing.
    SetMatch(2, "901", "10", "20");
    WriteLive({MatchXml("901", {{"3", "10", "1", "100_1", "Only goal"}})});
    w.EventosPartidosFinalizadoDescarga("901");
    EXPECT_EQ(Column(f2, EventHtml), QStringList({"Only goal"}));
    w.EventosPartidosFinalizadoDescarga("999");
    EXPECT_EQ(f2.RowCount(), 2);
    QFile::remove(AppDir + "data/Xml/live.xml");
    w.EventosPartidosFinalizadoDescarga("901");
    EXPECT_EQ(f2.RowCount(), 2);
}

// Finished matches replayed at speed 4: each step releases its minute's events; one added at 50 catches
// up without the others releasing a minute twice; all reach the end and the youth one its report.
TEST(Replay, RecordedMatchesReplayTogetherToTheirReports) {
    TestProgram p(TestProgram::Served());
    TFPartidos& w = *FPartidos;
    Login();
    w.RadioGroupTipoPartidos->SetItemIndex(1);
    // The demo team's last two matches and a finished youth match.
    const QString first = "712000017", second = "712000018", youth = "130000001";
    TBKStringGrid& queue = FOptions->BKStringGridEventosPanel();
    auto queued = [&queue](const QString& id) { return Column(queue, PanelEventColumn::MatchId).count(id); };
    w.AnadirPartido(first, 0, false);
    w.AnadirPartido(youth, 2, true);
    w.AnadirPartido("712000015", 3, false); // walkovers: the away side did not turn up,
    w.AnadirPartido("712100010", 4, false); // and the home side did not

    TBKStringGrid& recorded0 = FOptions->BKStringGridFEventos(0);
    TBKStringGrid& live0 = FOptions->BKStringGridEventos(0);
    ASSERT_GT(recorded0.RowCount(), 5);
    w.TrackBarVelocidad->setValue(3); // speed 4
    for (int minute = 0; minute <= 2; ++minute) {
        w.DescargaDiferido();
        EXPECT_EQ(w.ReplayMinute, QString::number(minute));
        EXPECT_EQ(live0.RowCount() - 1, UpTo(recorded0, minute));
    }
    while (w.ReplayMinute.toInt() < 50)
        w.DescargaDiferido();
    const int shownBefore = live0.RowCount() - 1;
    ASSERT_EQ(shownBefore, UpTo(recorded0, 50));
    w.AnadirPartido(second, 1, false);
    TBKStringGrid& recorded1 = FOptions->BKStringGridFEventos(1);
    TBKStringGrid& live1 = FOptions->BKStringGridEventos(1);
    ASSERT_GT(recorded1.RowCount(), 5);
    EXPECT_EQ(w.ReplayMinute, "50");
    EXPECT_EQ(live0.RowCount() - 1, shownBefore) << "the first match is not replayed again";
    EXPECT_EQ(queued(first), shownBefore);
    EXPECT_EQ(live1.RowCount() - 1, UpTo(recorded1, 50)) << "the new match caught up";
    while (w.ReplayMinute.toInt() < 95)
        w.DescargaDiferido();
    // Each match's events shown once, in order, and queued once.
    EXPECT_EQ(Column(live0, EventHtml), Column(recorded0, EventHtml));
    EXPECT_EQ(Column(live1, EventHtml), Column(recorded1, EventHtml));
    EXPECT_EQ(queued(first), recorded0.RowCount() - 1);
    EXPECT_EQ(queued(second), recorded1.RowCount() - 1);
    EXPECT_EQ(Column(FOptions->BKStringGrid10Partidos(), MatchColumn::FinishedFlag, 0, 4),
              QStringList({"1", "1", "1", "1", "1"}));
    EXPECT_EQ(Column(w.BKStringGridResultados, 3, 6, 8), QStringList({"5 - 0", "", "0 - 5"})); // walkovers
    // The youth match's report, from its own details; its replaced players are a youth team's.
    RebuildSlot(2);
    EXPECT_TRUE(w.PageControlEventos->isTabVisible(1));
    QDomDocument details;
    details.setContent(ReadFile(AppDir + "data/Xml/matchDetails2.xml"));
    EXPECT_EQ(w.BKStringGridDetalles.Cells(6, 1),
              details.elementsByTagName("AwayTeamName").at(0).toElement().text());
    w.PageControlFinPartido->setCurrentIndex(1);
    EXPECT_FALSE(w.LabelHomeName[19]->text().isEmpty());
    const QStringList requests = ServiceRequests(p);
    ASSERT_EQ(requests.filter("playerdetails").size(), 2);
    for (const QString& request : requests.filter("playerdetails"))
        EXPECT_TRUE(request.endsWith("&isYouth=true")) << request.toStdString();
    EXPECT_EQ(requests.filter("matchlineup&version=1.3&matchID=" + youth + "&teamID").size(), 2);
}
