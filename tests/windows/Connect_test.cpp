// The connect sequence against velkaro-service, offscreen: a refused login, the full live connect
// with its requests in order and the user's next match in slot 0, the service's live list emptied,
// the recorded-list initial load with a match two list teams share loaded once, and recorded mode
// loading nothing.
#include "core/DataStore.h"
#include "core/UConectar.h"
#include "platform/widgets/Gauge.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr int DemoTeam = 250101;
const QString DemoNextMatch = QStringLiteral("712000021"); // the round about to kick off

TestProgram::Options Service() {
    return {.withService = true, .speed = 0, .start = {}, .serviceArgs = {}};
}

void Connect(const QString& code, int type = 0, int load = 0) {
    FOptions->EditTeamID->setText(QString::number(DemoTeam));
    FPartidos->EditUsuario->setText(QStringLiteral("demo"));
    FPartidos->EditPassword->setText(code);
    FPartidos->RadioGroupTipoPartidos->SetItemIndex(type);
    FPartidos->RadioGroupCargaInicial->SetItemIndex(load);
    FPartidos->BitBtnConectarClick();
}

QString Cell(int col, int slot) {
    return FOptions->BKStringGrid10Partidos().Cells(col, slot);
}

void SetRecordedRow(int row, const QString& name, const QString& id) {
    TBKStringGrid& t = FOptions->BKStringGridListaGrabada();
    t.SetCells(RecordedColumn::RecordedTeamName, row, name);
    t.SetCells(RecordedColumn::RecordedTeamId, row, id);
}

} // namespace

TEST(Connect, WrongCodeShowsTheLoginErrorAndStaysOnTheConnectionPanel) {
    TestProgram p(Service());
    ASSERT_TRUE(p.Service->IsRunning()) << p.Service->ErrorText().toStdString();
    QFile::remove(p.Folder.File(QStringLiteral("data/Xml/old.xml")));
    QDir().mkpath(p.Folder.File(QStringLiteral("data/Xml/keep")));
    QFile stale(p.Folder.File(QStringLiteral("data/Xml/stale.xml")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();

    Connect(QStringLiteral("wrong"));

    const QStringList memo = FPartidos->MemoConexion->toPlainText().split(QLatin1Char('\n'));
    ASSERT_FALSE(memo.isEmpty());
    EXPECT_TRUE(memo.last().startsWith(QStringLiteral("Error. "))) << memo.last().toStdString();
    EXPECT_TRUE(FPartidos->EditPassword->text().isEmpty());
    EXPECT_EQ(FPartidos->GaugeConexion->Progress(), 0);
    EXPECT_FALSE(FPartidos->PanelConexion->isHidden());
    EXPECT_TRUE(FPartidos->PanelPartidos->isHidden());
    EXPECT_EQ(Connected, 0);
    // Nothing was asked after the refused login; the cache was emptied but its folders kept.
    EXPECT_TRUE(ServiceRequests(p).last().startsWith(QStringLiteral("login")))
        << ServiceRequests(p).join('\n').toStdString();
    EXPECT_FALSE(QFile::exists(p.Folder.File(QStringLiteral("data/Xml/stale.xml"))));
    EXPECT_TRUE(QDir(p.Folder.File(QStringLiteral("data/Xml/keep"))).exists());
}

// The live connect; a click that arrives while the sequence pumps its messages is ignored.
TEST(Connect, LiveConnectLoadsTheTeamsNextMatchAndRegistersIt) {
    TestProgram p(Service());
    ASSERT_TRUE(p.Service->IsRunning());
    int nested = -1;
    QTimer::singleShot(0, FPartidos, [&] {
        const int before = FPartidos->ConnectCount;
        FPartidos->BitBtnConectarClick();
        nested = FPartidos->ConnectCount - before;
    });
    Connect(QStringLiteral("velkaro"));

    EXPECT_EQ(nested, 0);
    EXPECT_EQ(FPartidos->ConnectCount, 1);
    EXPECT_EQ(Connected, 1);
    EXPECT_EQ(FPartidos->GaugeConexion->Progress(), 100);
    EXPECT_TRUE(FPartidos->PanelConexion->isHidden());
    EXPECT_FALSE(FPartidos->PanelPartidos->isHidden());
    EXPECT_EQ(FPartidos->LabelTipoPartido->text(), QStringLiteral("Live"));
    EXPECT_TRUE(FPartidos->TimerConexion->isActive());
    FPartidos->TimerConexion->stop();

    // The team's details reached the options window.
    EXPECT_EQ(FOptions->EditTeam->text(), QStringLiteral("Velkaro Demo FC"));
    EXPECT_EQ(FOptions->EditTeamIDJuveniles->text(), QStringLiteral("2701001"));
    EXPECT_EQ(FOptions->EditLigaID->text(), QStringLiteral("3412"));
    EXPECT_EQ(FOptions->EditLigaNombre->text(), QStringLiteral("IV.12"));

    // Slot 0 holds the team's next match, columns 0..6 only.
    EXPECT_EQ(Cell(MatchColumn::MatchId, 0), DemoNextMatch);
    EXPECT_TRUE(Cell(MatchColumn::HomeTeamId, 0) == QString::number(DemoTeam) ||
                Cell(MatchColumn::AwayTeamId, 0) == QString::number(DemoTeam));
    EXPECT_EQ(Cell(MatchColumn::MatchStart, 0), QStringLiteral("2024-03-16 19:00:00"));
    EXPECT_EQ(Cell(MatchColumn::MatchTypeCode, 0), QStringLiteral("1"));
    EXPECT_TRUE(Cell(MatchColumn::YouthFlag, 0).isEmpty());
    for (int slot = 1; slot < MatchSlotCount; ++slot)
        EXPECT_TRUE(Cell(MatchColumn::MatchId, slot).isEmpty()) << slot;

    // The requests in the sequence's order, up to the registration of slot 0.
    const QStringList log = ServiceRequests(p);
    const QStringList expected = {
        QStringLiteral("servers"),
        QStringLiteral("login&actionType=login"),
        QStringLiteral("team&teamID=250101"),
        QStringLiteral("bookmarks"),
        QStringLiteral("live&version=1.4&actionType=viewNew"),
        QStringLiteral("matches&teamID=250101"),
        QStringLiteral("live&version=1.4&actionType=addMatch&matchID=") + DemoNextMatch,
    };
    int at = 0;
    for (const QString& want : expected) {
        while (at < log.size() && !log[at].startsWith(want))
            ++at;
        EXPECT_LT(at, log.size()) << "missing or out of order: " << want.toStdString() << "\n"
                                  << log.join('\n').toStdString();
    }
    // Nothing but the login comes before the team, and no match was deleted: the live list was empty.
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("servers")));
    EXPECT_FALSE(log.join('\n').contains(QStringLiteral("deleteMatch")));
    EXPECT_EQ(log.filter(QStringLiteral("login&actionType=login")).size(), 1);

    // A second program of the same account finds the match on the list and deletes it at its connect.
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::MatchId, 0, QString());
    FPartidos->BorrarTodosPartidos();
    EXPECT_EQ(
        ServiceRequests(p).mid(log.size()),
        QStringList({QStringLiteral("live&version=1.4&actionType=viewNew"),
                     QStringLiteral("live&version=1.4&actionType=deleteMatch&matchID=") + DemoNextMatch}));
    QString answer;
    ConexionRequest(ChppPath + QStringLiteral("live&version=1.4&actionType=viewNew"), answer);
    EXPECT_FALSE(answer.contains(DemoNextMatch)) << answer.toStdString();
}

TEST(Connect, RecordedListLoadFillsItsSlotsOnceAndMarksThem) {
    TestProgram p(Service());
    SetRecordedRow(1, QStringLiteral("Castlebridge United"), QStringLiteral("250104"));
    SetRecordedRow(3, QStringLiteral("Scout IF"), QStringLiteral("260201"));
    SetRecordedRow(4, QStringLiteral("Nowhere FC"), QStringLiteral("999999")); // no match to come
    Connect(QStringLiteral("velkaro"), 0, 2);
    FPartidos->TimerConexion->stop();

    EXPECT_FALSE(Cell(MatchColumn::MatchId, 0).isEmpty());
    EXPECT_TRUE(Cell(MatchColumn::HomeTeamId, 0) == QStringLiteral("250104") ||
                Cell(MatchColumn::AwayTeamId, 0) == QStringLiteral("250104"));
    EXPECT_TRUE(Cell(MatchColumn::MatchId, 1).isEmpty());
    EXPECT_FALSE(Cell(MatchColumn::MatchId, 2).isEmpty());
    EXPECT_TRUE(Cell(MatchColumn::MatchId, 3).isEmpty());
    EXPECT_EQ(Cell(MatchColumn::InitialLoadFlag, 0), QStringLiteral("1"));
    EXPECT_EQ(Cell(MatchColumn::InitialLoadFlag, 1), QString());
    EXPECT_EQ(Cell(MatchColumn::InitialLoadFlag, 2), QStringLiteral("1"));
    EXPECT_EQ(Cell(MatchColumn::InitialLoadFlag, 3), QStringLiteral("1")); // marked though nothing was found
    const QString log = ServiceRequests(p).join('\n');
    EXPECT_TRUE(log.contains(QStringLiteral("matches&teamID=250104")));
    EXPECT_FALSE(log.contains(QStringLiteral("matches&teamID=250101"))); // not the user's team
    EXPECT_TRUE(log.contains(QStringLiteral("addMatch&matchID=") + Cell(MatchColumn::MatchId, 0)));
    EXPECT_TRUE(log.contains(QStringLiteral("addMatch&matchID=") + Cell(MatchColumn::MatchId, 2)));

    // The opponent of slot 0's team joins the list: its next match is the one slot 0 already follows.
    const QString first = Cell(MatchColumn::MatchId, 0);
    const QString opponent = Cell(MatchColumn::HomeTeamId, 0) == QStringLiteral("250104")
                                 ? Cell(MatchColumn::AwayTeamId, 0)
                                 : Cell(MatchColumn::HomeTeamId, 0);
    SetRecordedRow(2, QStringLiteral("Opponent"), opponent);
    FPartidos->BuscarPartidosListaGrabada(2);
    EXPECT_TRUE(Cell(MatchColumn::MatchId, 1).isEmpty());
    EXPECT_EQ(Cell(MatchColumn::InitialLoadFlag, 1), QStringLiteral("1"));
    EXPECT_EQ(FPartidos->SeleccionarFila10Partidos(first), std::optional<int>(0));
}

TEST(Connect, LeagueAndListLoadTakesOnlyListRowsFiveToTen) {
    TestProgram p(Service());
    SetRecordedRow(1, QStringLiteral("Kingsbury Park Rangers"), QStringLiteral("251017"));
    SetRecordedRow(5, QStringLiteral("Scout IF"), QStringLiteral("260201"));
    Connect(QStringLiteral("velkaro"), 0, 3);
    FPartidos->TimerConexion->stop();
    // Slots 0..3 hold the league round, the user's match first; list row 5 goes to slot 4.
    EXPECT_EQ(Cell(MatchColumn::MatchId, 0), DemoNextMatch);
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(Cell(MatchColumn::MatchTypeCode, slot), QStringLiteral("1")) << slot;
        EXPECT_EQ(Cell(MatchColumn::InitialLoadFlag, slot), QStringLiteral("1")) << slot;
    }
    EXPECT_TRUE(Cell(MatchColumn::HomeTeamId, 4) == QStringLiteral("260201") ||
                Cell(MatchColumn::AwayTeamId, 4) == QStringLiteral("260201"));
    EXPECT_EQ(Cell(MatchColumn::InitialLoadFlag, 4), QStringLiteral("1"));
    EXPECT_FALSE(FPartidos->PanelLiga->isHidden());
    EXPECT_FALSE(ServiceRequests(p).join('\n').contains(QStringLiteral("matches&teamID=251017")));
}

TEST(Connect, RecordedModeLoadsNoMatchAndLeavesTheClockOff) {
    TestProgram p(Service());
    SetRecordedRow(1, QStringLiteral("Castlebridge United"), QStringLiteral("250104"));
    Connect(QStringLiteral("velkaro"), 1, 2);

    EXPECT_TRUE(FPartidos->PanelConexion->isHidden());
    EXPECT_EQ(FPartidos->LabelTipoPartido->text(), QStringLiteral("Recorded"));
    EXPECT_FALSE(FPartidos->TimerConexion->isActive());
    // The replay controls stay reachable although the clock panel is hidden.
    EXPECT_TRUE(FPartidos->PanelTiempo->isHidden());
    EXPECT_TRUE(FPartidos->PanelVelocidad->isVisibleTo(FPartidos));
    for (int slot = 0; slot < MatchSlotCount; ++slot)
        EXPECT_TRUE(Cell(MatchColumn::MatchId, slot).isEmpty()) << slot;
    const QString log = ServiceRequests(p).join('\n');
    EXPECT_FALSE(log.contains(QStringLiteral("matches&teamID")));
    EXPECT_FALSE(log.contains(QStringLiteral("addMatch")));
}
