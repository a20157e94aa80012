// Adding and removing matches against velkaro-service, offscreen: live and finished adds by match ID
// and by team, the refusals (already followed, ended, not played, no match found), youth requests,
// the service's live list following the slots, and the slot lookups.
#include "core/DataStore.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString NationalLive = QStringLiteral("712900001");  // kicks off with the round: not played yet
const QString DemoRoundFive = QStringLiteral("712000017"); // the demo team's match a week ago
const QString YouthLive = QStringLiteral("130000002");

TestProgram::Options Service() {
    return {.withService = true, .speed = 0, .start = {}, .serviceArgs = {}};
}

// Connects as the demo user; live mode loads the team's next match into slot 0.
void Connect(bool live) {
    FOptions->EditTeamID->setText(QStringLiteral("250101"));
    FPartidos->EditUsuario->setText(QStringLiteral("demo"));
    FPartidos->EditPassword->setText(QStringLiteral("velkaro"));
    FPartidos->RadioGroupTipoPartidos->SetItemIndex(live ? 0 : 1);
    FPartidos->RadioGroupCargaInicial->SetItemIndex(0);
    FPartidos->BitBtnConectarClick();
    ASSERT_TRUE(FPartidos->PanelConexion->isHidden());
}

// The user's add: a typed match ID, or a team chosen in the selector.
void Add(int slot, const QString& matchId, const QString& teamId = {}, bool youth = false) {
    ShowSlot(slot);
    FPartidos->EditAnadir2->setText(matchId);
    FPartidos->EditAnadir12->setText(teamId);
    FPartidos->RadioGroupEsJuveniles->SetItemIndex(youth ? 1 : 0);
    FPartidos->ButtonAnadirPartidoClick();
}

QString Cell(int col, int slot) {
    return FOptions->BKStringGrid10Partidos().Cells(col, slot);
}

QStringList Row(int slot) {
    QStringList cells;
    for (int c = 0; c < MatchColumn::Count; ++c)
        cells << Cell(c, slot);
    return cells;
}

// The file requests the service received since the mark.
QStringList RequestsSince(const TestProgram& p, int mark) {
    return ServiceRequests(p).mid(mark);
}

// An add's requests: the match's lineup, then the service's live list.
QStringList AddRequests(const QString& id, const QString& suffix = {}) {
    return {QStringLiteral("matchlineup&version=1.3&matchID=") + id + suffix,
            QStringLiteral("live&version=1.4&actionType=addMatch&matchID=") + id + suffix};
}

QString LiveList() {
    QString answer;
    ConexionRequest(ChppPath + QStringLiteral("live&version=1.4&actionType=viewNew"), answer);
    return answer;
}

QStringList BoxTexts(const TestProgram& p) {
    QStringList texts;
    for (const auto& box : p.Boxes.Boxes)
        texts << box.text;
    return texts;
}

} // namespace

TEST(AddRemove, LiveAddByMatchIdOrTeamFillsTheShownSlotAndTheLiveList) {
    TestProgram p(Service());
    Connect(true);
    const int mark = ServiceRequests(p).size();
    FPartidos->TimerConexion->start(); // the clock runs: the add pauses it and starts it again

    Add(1, NationalLive);

    EXPECT_TRUE(BoxTexts(p).isEmpty()) << BoxTexts(p).join('|').toStdString();
    EXPECT_EQ(Cell(MatchColumn::MatchId, 1), NationalLive);
    EXPECT_EQ(Cell(MatchColumn::HomeTeamId, 1), QStringLiteral("3001"));
    EXPECT_EQ(Cell(MatchColumn::AwayTeamId, 1), QStringLiteral("3035"));
    EXPECT_EQ(Cell(MatchColumn::HomeName, 1), QStringLiteral("England"));
    EXPECT_EQ(Cell(MatchColumn::AwayName, 1), QStringLiteral("España"));
    EXPECT_EQ(Cell(MatchColumn::MatchStart, 1), QStringLiteral("2024-03-16 19:00:00"));
    EXPECT_EQ(Cell(MatchColumn::YouthFlag, 1), QStringLiteral("0"));
    EXPECT_EQ(RequestsSince(p, mark).mid(0, 2), AddRequests(NationalLive));
    EXPECT_TRUE(FPartidos->TimerConexion->isActive());
    EXPECT_TRUE(FPartidos->BitBtnStop->isEnabled());
    FPartidos->TimerConexion->stop();
    EXPECT_TRUE(LiveList().contains(NationalLive));

    // Added again on another slot: refused, nothing asked, nothing written.
    const QStringList slot2 = Row(2);
    const int again = ServiceRequests(p).size();
    Add(2, NationalLive);
    ASSERT_EQ(p.Boxes.Boxes.size(), 1);
    EXPECT_EQ(p.Boxes.Boxes[0].text,
              QStringLiteral("This match is already followed in another tab.\nNothing was downloaded."));
    EXPECT_EQ(Row(2), slot2);
    EXPECT_TRUE(RequestsSince(p, again).isEmpty());
    EXPECT_FALSE(FPartidos->TimerConexion->isActive()); // it was stopped before the click

    // A played match cannot be followed live.
    Add(2, DemoRoundFive);
    ASSERT_EQ(p.Boxes.Boxes.size(), 2);
    EXPECT_TRUE(p.Boxes.Boxes[1].text.startsWith(QStringLiteral("This match has already finished")));
    EXPECT_TRUE(p.Boxes.Boxes[1].text.endsWith(QStringLiteral("replay it.\nNothing was downloaded.")));
    EXPECT_EQ(Row(2), slot2);
    EXPECT_FALSE(LiveList().contains(DemoRoundFive));

    // By team: the team's next match, found through its match list.
    const int byTeam = ServiceRequests(p).size();
    Add(3, QString(), QStringLiteral("250104"));
    EXPECT_EQ(p.Boxes.Boxes.size(), 2) << BoxTexts(p).join('|').toStdString();
    const QString id = Cell(MatchColumn::MatchId, 3);
    ASSERT_FALSE(id.isEmpty());
    EXPECT_TRUE(Cell(MatchColumn::HomeTeamId, 3) == QStringLiteral("250104") ||
                Cell(MatchColumn::AwayTeamId, 3) == QStringLiteral("250104"));
    EXPECT_EQ(Cell(MatchColumn::MatchStart, 3), QStringLiteral("2024-03-16 19:00:00"));
    EXPECT_EQ(RequestsSince(p, byTeam).mid(0, 3), QStringList{"matches&teamID=250104"} + AddRequests(id));
}

TEST(AddRemove, YouthAddAndRemoveCarryTheYouthSuffixLast) {
    TestProgram p(Service());
    Connect(true);
    const int mark = ServiceRequests(p).size();
    Add(4, YouthLive, {}, true);
    EXPECT_EQ(Cell(MatchColumn::MatchId, 4), YouthLive);
    EXPECT_EQ(Cell(MatchColumn::YouthFlag, 4), QStringLiteral("1"));
    EXPECT_EQ(RequestsSince(p, mark).mid(0, 2), AddRequests(YouthLive, QStringLiteral("&isYouth=true")));

    // Removing it deletes it from the service's list with the suffix, and empties the slot and its
    // events; the other slot stays followed.
    ShowSlot(4);
    const int before = ServiceRequests(p).size();
    FPartidos->ButtonBorrarPartidoClick();
    EXPECT_TRUE(
        RequestsSince(p, before).contains(QStringLiteral("live&version=1.4&actionType=deleteMatch&matchID=") +
                                          YouthLive + QStringLiteral("&isYouth=true")));
    EXPECT_TRUE(Row(4).join(QString()).isEmpty());
    EXPECT_EQ(FPartidos->SeleccionarTablaEventos(4).RowCount(), 1);
    EXPECT_EQ(FPartidos->SeleccionarFila10Partidos(YouthLive), std::nullopt);
    const QString list = LiveList();
    EXPECT_FALSE(list.contains(YouthLive));
    EXPECT_TRUE(list.contains(Cell(MatchColumn::MatchId, 0)));
}

TEST(AddRemove, AnAddWithNoMatchFoundAsksNothingFurtherAndWritesNothing) {
    TestProgram p(Service());
    Connect(true);
    const QStringList slot5 = Row(5);

    // A team the service does not know: no next match.
    int mark = ServiceRequests(p).size();
    Add(5, QString(), QStringLiteral("999999"));
    EXPECT_EQ(BoxTexts(p), QStringList{QStringLiteral("Nothing was downloaded.")});
    QStringList log = RequestsSince(p, mark);
    EXPECT_EQ(log, QStringList{QStringLiteral("matches&teamID=999999")});
    EXPECT_EQ(Row(5), slot5);

    // The team's list cannot be downloaded: one message, then nothing more.
    ASSERT_TRUE(p.Service->Fault(QStringLiteral("notfound"), 1, QStringLiteral("matches")));
    mark = ServiceRequests(p).size();
    Add(5, QString(), QStringLiteral("250104"));
    EXPECT_EQ(BoxTexts(p).size(), 2);
    log = RequestsSince(p, mark);
    EXPECT_EQ(log.size(), 1) << log.join('\n').toStdString();
    EXPECT_EQ(Row(5), slot5);
}

TEST(AddRemove, RecordedAddReplaysItsOwnMatchAndLeavesTheLiveListAlone) {
    TestProgram p(Service());
    Connect(false);
    // The account already follows another match, which the service lists first.
    QString answer;
    ConexionRequest(ChppPath + QStringLiteral("live&version=1.4&actionType=addMatch&matchID=") + NationalLive,
                    answer);
    ASSERT_TRUE(LiveList().contains(NationalLive));
    const int mark = ServiceRequests(p).size();

    Add(0, DemoRoundFive);

    EXPECT_TRUE(BoxTexts(p).isEmpty()) << BoxTexts(p).join('|').toStdString();
    EXPECT_EQ(Cell(MatchColumn::MatchId, 0), DemoRoundFive);
    EXPECT_EQ(Cell(MatchColumn::YouthFlag, 0), QStringLiteral("0"));
    EXPECT_EQ(FPartidos->ReplayMinute, QStringLiteral("-1"));
    EXPECT_TRUE(FPartidos->SpeedButton1->isEnabled());
    // The recorded table holds this match's events; the other match went nowhere.
    EXPECT_GT(FPartidos->SeleccionarTablaFEventos(0).RowCount(), 2);
    for (int slot = 1; slot < MatchSlotCount; ++slot)
        EXPECT_EQ(FPartidos->SeleccionarTablaFEventos(slot).RowCount(), 1) << slot;
    const QStringList log = RequestsSince(p, mark);
    EXPECT_EQ(log.mid(0, 2), AddRequests(DemoRoundFive));
    // The match leaves the service's list once its events were read.
    EXPECT_GT(log.indexOf(QStringLiteral("live&version=1.4&actionType=deleteMatch&matchID=") + DemoRoundFive),
              1)
        << log.join('\n').toStdString();
    const QString list = LiveList();
    EXPECT_FALSE(list.contains(DemoRoundFive));
    EXPECT_TRUE(list.contains(NationalLive));

    // By team: the team's latest finished match.
    Add(1, QString(), QStringLiteral("260201"));
    EXPECT_FALSE(Cell(MatchColumn::MatchId, 1).isEmpty()) << BoxTexts(p).join('|').toStdString();
    EXPECT_TRUE(Cell(MatchColumn::HomeTeamId, 1) == QStringLiteral("260201") ||
                Cell(MatchColumn::AwayTeamId, 1) == QStringLiteral("260201"));
    EXPECT_LT(Cell(MatchColumn::MatchStart, 1), QStringLiteral("2024-03-16"));

    // A match not played yet cannot be replayed.
    const QStringList slot2 = Row(2);
    Add(2, NationalLive); // followed by no slot, only by the service's list
    ASSERT_FALSE(p.Boxes.Boxes.isEmpty());
    EXPECT_EQ(p.Boxes.Boxes.last().text,
              QStringLiteral("This match has not finished yet, so it cannot be replayed. "
                             "Follow it live instead.\nNothing was downloaded."));
    EXPECT_EQ(Row(2), slot2);
}

TEST(AddRemove, SlotLookups) {
    TestProgram p;
    TBKStringGrid& t = FOptions->BKStringGrid10Partidos();
    t.SetCells(MatchColumn::MatchId, 3, QStringLiteral("42"));
    t.SetCells(MatchColumn::MatchId, 7, QStringLiteral("42"));
    EXPECT_EQ(FPartidos->SeleccionarFila10Partidos(QStringLiteral("42")), std::optional<int>(3));
    EXPECT_EQ(FPartidos->SeleccionarFila10Partidos(QStringLiteral("4")), std::nullopt);
    EXPECT_EQ(FPartidos->SeleccionarFila10Partidos(QString()), std::nullopt); // free slots hold no ID
    // Slots beyond the last fall to the last.
    EXPECT_EQ(&FPartidos->SeleccionarTablaEventos(12), &FOptions->BKStringGridEventos(9));
    EXPECT_EQ(&FPartidos->SeleccionarTablaFEventos(10), &FOptions->BKStringGridFEventos(9));
    EXPECT_EQ(FPartidos->SeleccionarImagenTab(200), FPartidos->ImageTab10);
}

// The service's error document in place of the line-up or of the live list: the add stops, tells the
// user with the service's words, and writes nothing.
TEST(AddRemove, AnErrorDocumentStopsTheAddVisibly) {
    TestProgram p(Service());
    Connect(true);
    const QStringList slot5 = Row(5);
    for (const char* file : {"matchlineup", "live"}) {
        ASSERT_TRUE(p.Service->Fault(QStringLiteral("errordoc"), 1, QLatin1String(file)));
        const qsizetype boxes = p.Boxes.Boxes.size();
        Add(5, NationalLive);
        ASSERT_EQ(p.Boxes.Boxes.size(), boxes + 1) << file;
        const QString text = p.Boxes.Boxes.last().text;
        EXPECT_TRUE(text.startsWith(LanguageIni->ReadString("Connection", "MessageWrongAnswer", "") +
                                    "\nUnknown error\n"))
            << text.toStdString();
        EXPECT_EQ(Row(5), slot5) << file;
    }
}
