// The connect and the add-and-remove roads against velkaro-service: connects, the recorded list's load,
// recorded mode; adds live, finished and youth, their refusals and removal, and the service's list.
#include "platform/widgets/Gauge.h"
#include "support/LocalHttpServer.h"
#include "support/Samples.h"
#include "support/gui/WindowTest.h"
#include <QRegularExpression>

using namespace MatchColumn;

namespace {

const QString DemoNextMatch = QStringLiteral("712000021"); // the round about to kick off
const QString NationalLive = QStringLiteral("712900001");  // kicks off with the round: not played yet
const QString DemoRoundFive = QStringLiteral("712000017"); // the demo team's match a week ago
const QString YouthLive = QStringLiteral("130000002");
const QString AddMatch = QStringLiteral("live&version=1.4&actionType=addMatch&matchID=");
const QString DeleteMatch = QStringLiteral("live&version=1.4&actionType=deleteMatch&matchID=");

bool Plays(int slot, const QString& team) {
    return MatchCell(HomeTeamId, slot) == team || MatchCell(AwayTeamId, slot) == team;
}

struct Connect : ::testing::Test {
    TestProgram p{TestProgram::Served()};

    static void SetRecordedRow(int row, const QString& name, const QString& id) {
        FOptions->BKStringGridListaGrabada().SetCells(RecordedColumn::RecordedTeamName, row, name);
        FOptions->BKStringGridListaGrabada().SetCells(RecordedColumn::RecordedTeamId, row, id);
    }
};

// The user's add: a typed match ID, or a team chosen in the selector.
void Add(int slot, const QString& matchId, const QString& teamId = {}, bool youth = false) {
    ShowSlot(slot);
    FPartidos->EditAnadir2->setText(matchId);
    FPartidos->EditAnadir12->setText(teamId);
    FPartidos->RadioGroupEsJuveniles->SetItemIndex(youth ? 1 : 0);
    FPartidos->ButtonAnadirPartidoClick();
}

QStringList Row(int slot) {
    QStringList cells;
    for (int c = 0; c < MatchColumn::Count; ++c)
        cells << MatchCell(c, slot);
    return cells;
}

// An add's requests: the match's lineup, then the service's live list.
QStringList AddRequests(const QString& id, const QString& suffix = {}) {
    return {"matchlineup&version=1.3&matchID=" + id + suffix, AddMatch + id + suffix};
}

QString LiveList() {
    QString answer;
    ConexionRequest(ChppPath + "live&version=1.4&actionType=viewNew", answer);
    return answer;
}

} // namespace

// A wrong code first; then the live connect, ignoring a click that arrives while it pumps messages.
TEST_F(Connect, WrongCodeThenTheLiveConnectLoadsTheTeamsNextMatchAndRegistersIt) {
    QDir().mkpath(p.Folder.File("data/Xml/keep"));
    WriteFile(p.Folder.File("data/Xml/stale.xml"), "");
    ConnectDemo(0, 0, "wrong");
    EXPECT_TRUE(FPartidos->MemoConexion->toPlainText().split('\n').last().startsWith("Error. "))
        << FPartidos->MemoConexion->toPlainText().toStdString();
    EXPECT_TRUE(FPartidos->EditPassword->text().isEmpty());
    EXPECT_EQ(FPartidos->GaugeConexion->Progress(), 0);
    EXPECT_FALSE(FPartidos->PanelConexion->isHidden());
    EXPECT_TRUE(FPartidos->PanelPartidos->isHidden());
    EXPECT_EQ(Connected, 0);
    // Nothing was asked after the refused login; the cache was emptied but its folders kept.
    EXPECT_TRUE(ServiceRequests(p).last().startsWith("login")) << ServiceRequests(p).join('\n').toStdString();
    EXPECT_FALSE(QFile::exists(p.Folder.File("data/Xml/stale.xml")));
    EXPECT_TRUE(QDir(p.Folder.File("data/Xml/keep")).exists());
    const qsizetype mark = ServiceRequests(p).size();
    int nested = -1;
    QTimer::singleShot(0, FPartidos, [&] {
        const int before = FPartidos->ConnectCount;
        FPartidos->BitBtnConectarClick();
        nested = FPartidos->ConnectCount - before;
    });
    ConnectDemo();
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(FPartidos->ConnectCount, 2);
    EXPECT_EQ(Connected, 1);
    EXPECT_EQ(FPartidos->GaugeConexion->Progress(), 100);
    EXPECT_TRUE(FPartidos->PanelConexion->isHidden());
    EXPECT_FALSE(FPartidos->PanelPartidos->isHidden());
    EXPECT_EQ(FPartidos->LabelTipoPartido->text(), "Live");
    EXPECT_TRUE(FPartidos->TimerConexion->isActive());
    FPartidos->TimerConexion->stop();
    // The team's details reached the options window (the service lists the user's other club first).
    EXPECT_EQ(FOptions->EditTeam->text() + "|" + FOptions->EditTeamIDJuveniles->text() + "|" +
                  FOptions->EditLigaID->text() + "|" + FOptions->EditLigaNombre->text(),
              "Velkaro Demo FC|2701001|3412|IV.12");
    // Slot 0 holds the team's next match, columns 0..6 only; the other slots stay free.
    EXPECT_TRUE(Plays(0, "250101"));
    EXPECT_EQ(
        RowCells(FOptions->BKStringGrid10Partidos(), 0, {MatchId, MatchStart, MatchTypeCode, YouthFlag}),
        DemoNextMatch + "|2024-03-16 19:00:00|1|");
    EXPECT_TRUE(Column(FOptions->BKStringGrid10Partidos(), MatchId, 1, 9).join("").isEmpty());
    // The requests in order: one login, no match deleted (the list was empty), slot 0's registration.
    QStringList log = ServiceRequests(p).mid(mark);
    log.replaceInStrings(QRegularExpression("^(login&actionType=login)&.*"), "\\1");
    EXPECT_EQ(log, QStringList({"servers", "login&actionType=login", "team&teamID=250101", "bookmarks",
                                "live&version=1.4&actionType=viewNew", "matches&teamID=250101",
                                AddMatch + DemoNextMatch, "team&teamID=250101", "team&teamID=250103",
                                "matches&teamID=250101"}));
    // A second program of the same account finds the match on the list and deletes it at its connect.
    FOptions->BKStringGrid10Partidos().SetCells(MatchId, 0, QString());
    FPartidos->BorrarTodosPartidos();
    EXPECT_EQ(ServiceRequests(p).mid(mark + log.size()),
              QStringList({"live&version=1.4&actionType=viewNew", DeleteMatch + DemoNextMatch}));
    EXPECT_FALSE(LiveList().contains(DemoNextMatch));
}

TEST_F(Connect, RecordedListLoadFillsItsSlotsOnceAndMarksThem) {
    SetRecordedRow(1, "Castlebridge United", "250104");
    SetRecordedRow(3, "Scout IF", "260201");
    SetRecordedRow(4, "Nowhere FC", "999999"); // no match to come
    SetRecordedRow(10, "Nowhere Else", "999998");
    ConnectDemo(0, 2);
    FPartidos->TimerConexion->stop();
    EXPECT_TRUE(Plays(0, "250104"));
    EXPECT_EQ(Column(FOptions->BKStringGrid10Partidos(), InitialLoadFlag, 0, 3),
              QStringList({"1", "", "1", "1"}));   // slot 3 marked though nothing was found
    EXPECT_EQ(MatchCell(InitialLoadFlag, 9), "1"); // the list's tenth row too
    EXPECT_TRUE(Plays(2, "260201"));
    EXPECT_EQ(MatchCell(MatchId, 1) + MatchCell(MatchId, 3), "");
    const QString log = ServiceRequests(p).join('\n');
    EXPECT_TRUE(log.contains("matches&teamID=250104"));
    EXPECT_FALSE(log.contains("matches&teamID=250101")); // not the user's team
    for (int slot : {0, 2})
        EXPECT_TRUE(log.contains("addMatch&matchID=" + MatchCell(MatchId, slot))) << slot;
    // The opponent of slot 0's team joins the list: its next match is the one slot 0 already follows.
    const QString first = MatchCell(MatchId, 0);
    const bool home = MatchCell(HomeTeamId, 0) == "250104";
    SetRecordedRow(2, "Opponent", MatchCell(home ? AwayTeamId : HomeTeamId, 0));
    FPartidos->BuscarPartidosListaGrabada(2);
    EXPECT_TRUE(MatchCell(MatchId, 1).isEmpty());
    EXPECT_EQ(MatchCell(InitialLoadFlag, 1), "1");
    EXPECT_EQ(FPartidos->SeleccionarFila10Partidos(first), std::optional<int>(0));
}

TEST(AddRemove, LiveRoad) {
    TestProgram p(TestProgram::Served());
    ConnectDemo();
    qsizetype mark = ServiceRequests(p).size();
    FPartidos->TimerConexion->start(); // the clock runs: the add pauses it and starts it again
    Add(1, NationalLive);
    EXPECT_TRUE(BoxTexts(p).isEmpty()) << BoxTexts(p).join('|').toStdString();
    EXPECT_EQ(Row(1).mid(0, 6),
              QStringList({NationalLive, "3001", "3035", "England", "España", "2024-03-16 19:00:00"}));
    EXPECT_EQ(MatchCell(YouthFlag, 1), "0");
    EXPECT_EQ(ServiceRequests(p).mid(mark, 2), AddRequests(NationalLive));
    EXPECT_TRUE(FPartidos->TimerConexion->isActive() && FPartidos->BitBtnStop->isEnabled());
    FPartidos->TimerConexion->stop();
    EXPECT_TRUE(LiveList().contains(NationalLive));
    // Added again on another slot: refused, nothing asked, nothing written.
    const QStringList slot2 = Row(2);
    mark = ServiceRequests(p).size();
    Add(2, NationalLive);
    EXPECT_EQ(BoxTexts(p),
              QStringList{"This match is already followed in another tab.\nNothing was downloaded."});
    EXPECT_EQ(Row(2), slot2);
    EXPECT_EQ(ServiceRequests(p).size(), mark);
    // A played match cannot be followed live.
    Add(2, DemoRoundFive);
    EXPECT_TRUE(LastBox(p).startsWith("This match has already finished") &&
                LastBox(p).endsWith("replay it.\nNothing was downloaded."))
        << LastBox(p).toStdString();
    EXPECT_EQ(Row(2), slot2);
    EXPECT_FALSE(LiveList().contains(DemoRoundFive));
    // By team: the team's next match, found through its match list.
    mark = ServiceRequests(p).size();
    Add(3, QString(), "250104");
    EXPECT_EQ(p.Boxes.Boxes.size(), 2) << BoxTexts(p).join('|').toStdString();
    const QString id = MatchCell(MatchId, 3);
    EXPECT_TRUE(Plays(3, "250104"));
    EXPECT_EQ(MatchCell(MatchStart, 3), "2024-03-16 19:00:00");
    EXPECT_EQ(ServiceRequests(p).mid(mark, 3), QStringList{"matches&teamID=250104"} + AddRequests(id));
    // Youth: add and removal carry the youth suffix; the removal empties row and live events, not recorded.
    mark = ServiceRequests(p).size();
    Add(4, YouthLive, {}, true);
    EXPECT_EQ(MatchCell(MatchId, 4) + "|" + MatchCell(YouthFlag, 4), YouthLive + "|1");
    EXPECT_EQ(ServiceRequests(p).mid(mark, 2), AddRequests(YouthLive, "&isYouth=true"));
    TBKStringGrid& events = FOptions->BKStringGridEventos(4);
    events.SetRowCount(3);
    events.SetCells(0, 0, "1");
    FOptions->BKStringGridFEventos(4).SetCells(0, 0, "kept");
    mark = ServiceRequests(p).size();
    FPartidos->ButtonBorrarPartidoClick();
    EXPECT_TRUE(ServiceRequests(p).mid(mark).contains(DeleteMatch + YouthLive + "&isYouth=true"));
    EXPECT_FALSE(FPartidos->PanelAnadirEquipo->isHidden());
    EXPECT_TRUE(Row(4).join(QString()).isEmpty());
    EXPECT_EQ(QString::number(events.RowCount()) + events.Cells(0, 0), "1");
    EXPECT_EQ(FOptions->BKStringGridFEventos(4).Cells(0, 0), "kept");
    EXPECT_EQ(FPartidos->SeleccionarFila10Partidos(YouthLive), std::nullopt);
    EXPECT_FALSE(LiveList().contains(YouthLive));
    EXPECT_TRUE(LiveList().contains(MatchCell(MatchId, 0))); // the other slots stay followed
    // No match found (an unknown team, a list that cannot be downloaded): a message, nothing written.
    const QStringList slot5 = Row(5);
    mark = ServiceRequests(p).size();
    Add(5, QString(), "999999");
    EXPECT_EQ(BoxTexts(p).last(), "Nothing was downloaded.");
    EXPECT_EQ(ServiceRequests(p).mid(mark), QStringList{"matches&teamID=999999"});
    ASSERT_TRUE(p.Service->Fault("notfound", 1, "matches"));
    mark = ServiceRequests(p).size();
    Add(5, QString(), "250104");
    EXPECT_EQ(p.Boxes.Boxes.size(), 4);
    EXPECT_EQ(ServiceRequests(p).size(), mark + 1);
    EXPECT_EQ(Row(5), slot5);
    // The service's error document for the line-up or the live list: the add stops with its words.
    for (const char* file : {"matchlineup", "live"}) {
        ASSERT_TRUE(p.Service->Fault("errordoc", 1, file));
        const qsizetype boxes = p.Boxes.Boxes.size();
        Add(5, YouthLive, {}, true); // free again
        ASSERT_EQ(p.Boxes.Boxes.size(), boxes + 1) << file;
        EXPECT_TRUE(p.Boxes.Boxes.last().text.startsWith(
            LanguageIni->ReadString("Connection", "MessageWrongAnswer", "") + "\nUnknown error\n"))
            << p.Boxes.Boxes.last().text.toStdString();
        EXPECT_EQ(Row(5), slot5) << file;
    }
    // Through the selector: the service's team bookmarks (not the player or the match bookmark).
    FPartidos->CompletarGrupoFavoritos(); // as the main window does when its matches tab is chosen
    Choose(FPartidos->ComboBoxAnadir1, "[Hattrick Bookmarks]");
    EXPECT_EQ(Entries(FPartidos->ComboBoxAnadir11),
              QStringList({"Castlebridge United", "England", "Kingsbury Park Rangers", "Scout IF"}));
    Choose(FPartidos->ComboBoxAnadir11, "Scout IF");
    ShowSlot(6);
    const qsizetype boxes = p.Boxes.Boxes.size();
    FPartidos->ButtonAnadirPartido->click();
    EXPECT_EQ(p.Boxes.Boxes.size(), boxes) << BoxTexts(p).join('|').toStdString();
    EXPECT_TRUE(Plays(6, "260201"));
    EXPECT_EQ(ServiceRequests(p).count(AddMatch + MatchCell(MatchId, 6)), 1);
}

// Recorded mode loads no match, even from the list, and leaves the clock off; it adds finished matches.
TEST_F(Connect, RecordedModeLoadsNothingAndAddsFinishedMatchesOnly) {
    SetRecordedRow(1, "Castlebridge United", "250104");
    ConnectDemo(1, 2);
    EXPECT_EQ(FPartidos->LabelTipoPartido->text(), "Recorded");
    EXPECT_FALSE(FPartidos->TimerConexion->isActive());
    // The replay controls stay reachable although the clock panel is hidden.
    EXPECT_TRUE(FPartidos->PanelTiempo->isHidden());
    EXPECT_TRUE(FPartidos->PanelVelocidad->isVisibleTo(FPartidos));
    EXPECT_TRUE(Column(FOptions->BKStringGrid10Partidos(), MatchId, 0, 9).join("").isEmpty());
    EXPECT_FALSE(ServiceRequests(p).join('\n').contains(QRegularExpression("matches&teamID|addMatch")));
    // The account already follows another match, which the service lists first.
    QString answer;
    ConexionRequest(ChppPath + AddMatch + NationalLive, answer);
    ASSERT_TRUE(LiveList().contains(NationalLive));
    const qsizetype mark = ServiceRequests(p).size();
    Add(0, DemoRoundFive);
    EXPECT_TRUE(BoxTexts(p).isEmpty()) << BoxTexts(p).join('|').toStdString();
    EXPECT_EQ(MatchCell(MatchId, 0) + "|" + MatchCell(YouthFlag, 0), DemoRoundFive + "|0");
    EXPECT_EQ(FPartidos->ReplayMinute, "-1");
    EXPECT_TRUE(FPartidos->SpeedButton1->isEnabled());
    // The recorded table holds this match's events; the other match went nowhere.
    EXPECT_GT(FPartidos->SeleccionarTablaFEventos(0).RowCount(), 2);
    for (int slot = 1; slot < MatchSlotCount; ++slot)
        EXPECT_EQ(FPartidos->SeleccionarTablaFEventos(slot).RowCount(), 1) << slot;
    const QStringList log = ServiceRequests(p).mid(mark);
    EXPECT_EQ(log.mid(0, 2), AddRequests(DemoRoundFive));
    // The match leaves the service's list once its events were read.
    EXPECT_GT(log.indexOf(DeleteMatch + DemoRoundFive), 1) << log.join('\n').toStdString();
    EXPECT_FALSE(LiveList().contains(DemoRoundFive));
    EXPECT_TRUE(LiveList().contains(NationalLive));
    // By team: the team's latest finished match.
    Add(1, QString(), "260201");
    EXPECT_TRUE(Plays(1, "260201")) << BoxTexts(p).join('|').toStdString();
    EXPECT_LT(MatchCell(MatchStart, 1), "2024-03-16");
    // A match not played yet cannot be replayed.
    const QStringList slot2 = Row(2);
    Add(2, NationalLive); // followed by no slot, only by the service's list
    EXPECT_EQ(BoxTexts(p), QStringList{"This match has not finished yet, so it cannot be replayed. "
                                       "Follow it live instead.\nNothing was downloaded."});
    EXPECT_EQ(Row(2), slot2);
}

// A registration lost at the connect: the re-add of the next poll also fetches the team details the
// add still owed (the service lists the user's other club first), and only once.
TEST_F(Connect, ALostRegistrationGetsItsTeamDetailsAtTheReAdd) {
    ASSERT_TRUE(p.Service->Fault("notfound", 2, "live")); // the list's emptying, then the registration
    ConnectDemo();
    FPartidos->TimerConexion->stop();
    ASSERT_EQ(MatchCell(MatchId, 0) + "|" + MatchCell(HomeLeagueName, 0), DemoNextMatch + "|");
    for (int poll = 0; poll < 2; ++poll) {
        FPartidos->DescargaLive();
        FPartidos->TimerConexion->stop();
    }
    EXPECT_EQ(ServiceRequests(p).filter("team&teamID=").size(), 1 + 2); // the connect's, then both sides once
    EXPECT_EQ(RowCells(FOptions->BKStringGrid10Partidos(), 0,
                       {HomeRegionName, HomeLastLogin, HomeWebPage, HomeLogoUrl}),
              "Lancashire|2024-03-10 00:20:00|http://127.0.0.1/velkaro-demo-fc|" + p.Service->BaseUrl() +
                  "/Logos/250101.png");
}

// The game's real current team answer, with another club of its manager listed first: the connect and
// the add read the team each request asked for (names cut); an answer that names no such team, or the
// error document, writes nothing.
TEST(AddRemove, TeamDetailsOfTheGamesCurrentAnswers) {
    LocalHttpServer service; // stops after the program's client has closed its connections
    TestProgram p;
    const QString real = QString::fromUtf8(ReadFile(SampleFile("teamdetails"))),
                  login = "2024-09-30 17:59:55";
    QString answer =
        QString(real).replace("<Teams>", "<Teams><Team><TeamID>77</TeamID><League><LeagueName>" +
                                             QString(300, 'L') + "</LeagueName></League></Team>");
    service.http.Get("/common/chpp/chppxml.axd", [&](const httplib::Request& req, httplib::Response& res) {
        const std::string file = req.get_param_value("file");
        res.set_content(file == "servers" ? "<HattrickData><RecommendedURL>" + service.url("").toStdString() +
                                                "</RecommendedURL></HattrickData>"
                        : file == "login" ? "<LoginResult>0</LoginResult>"
                                          : answer.toStdString(),
                        "text/xml");
    });
    service.start();
    p.Folder.SetServiceAddress(service.url(""));
    ConnectDemo(); // asks for team 250101, which the answer does not name: nothing stored
    EXPECT_EQ(FOptions->EditTeam->text(), "");
    FOptions->EditTeamID->setText("295023");
    FPartidos->BitBtnConectarClick();
    EXPECT_EQ(FOptions->EditTeam->text() + "|" + FOptions->EditTeamIDJuveniles->text() + "|" +
                  FOptions->EditLigaID->text(),
              "Les piments verts|10563|21672");
    const std::initializer_list<int> columns = {HomeLeagueName, HomeLastLogin, AwayLeagueName, AwayLastLogin};
    const std::pair<QString, QString> cases[] = {
        {answer, "France|" + login + "|" + QString(200, 'L') + "|" + login},
        {QString(real).replace(">295023</TeamID>", ">1</TeamID>"), "k|k|k|k"},
        {"<HattrickData><FileName>chpperror.xml</FileName></HattrickData>", "k|k|k|k"}};
    for (const auto& [body, cells] : cases) {
        answer = body;
        SetMatch(0, "1", "295023", "77");
        for (int column : columns)
            FOptions->BKStringGrid10Partidos().SetCells(column, 0, "k");
        FPartidos->DescargarDatosEquipos(0);
        EXPECT_EQ(RowCells(FOptions->BKStringGrid10Partidos(), 0, columns), cells);
    }
}
