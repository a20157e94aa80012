// The end-of-match report, offscreen: a followed match of velkaro-service to its end (the three end
// files fetched once, ratings, duels, possession, both lineups with their replaced players, the
// summary), a recorded youth match replayed to its end, and end files that are missing or broken.
#include "core/DataStore.h"
#include "core/EndOfMatchSummary.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "platform/widgets/ColorGauge.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QDomDocument>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TFPartidos& W() {
    return *FPartidos;
}
QString Grid(int c, int r) {
    return W().BKStringGridDetalles.Cells(c, r);
}
QStringList Requests(const TestProgram& p, const QString& kind) {
    return ServiceRequests(p).filter(QRegularExpression("^" + kind));
}

// The user's choice of a page of the report.
void ChoosePage(int page) {
    W().PageControlFinPartido->setCurrentIndex(page);
}

QString SavedElement(const QString& file, const QString& path) {
    QDomDocument doc;
    doc.setContent(ReadFile(AppDir + "data/Xml/" + file));
    QDomElement e = doc.documentElement();
    for (const QString& part : path.split('/'))
        e = e.firstChildElement(part);
    return e.text();
}

// Under a display (xvfb-run, QT_QPA_PLATFORM=xcb) with VELKARO_SHOTS_DIR set: the report's pages, for
// a person to look at.
void Screenshots() {
    const QString shots = qEnvironmentVariable("VELKARO_SHOTS_DIR");
    if (shots.isEmpty() || QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    W().PanelConexion->setHidden(true);
    W().PanelPartidos->setHidden(false);
    W().setGeometry(0, 0, 1280, 1024);
    W().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&W()));
    W().PageControlEventos->setCurrentIndex(1);
    const char* names[] = {"ratings", "lineup-home", "lineup-away", "chances"};
    for (int page = 0; page < 4; ++page) {
        ChoosePage(page);
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(shots + "/summary-" + names[page] + ".png");
    }
    W().hide();
}

} // namespace

// The demo round's match followed live to its end and a little beyond.
TEST(EndOfMatch, FollowedMatchReachesItsEndAndShowsTheReport) {
    TestProgram p({.withService = true, .speed = 0, .start = "2024-03-16 18:59:00", .serviceArgs = {}});
    QString r;
    ConexionLogin("demo", "velkaro", r);
    ASSERT_EQ(r, "OK");
    FOptions->EditTeamID->setText("250101");
    SetMatch(0, "712000021", "250101", "250103");
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::HomeName, 0, "Velkaro Demo FC");
    FOptions->BKStringGrid10Partidos().SetCells(MatchColumn::AwayName, 0, "Bramley Town");
    ConexionRequest(ChppPath + "live&version=1.4&actionType=addMatch&matchID=712000021", r);
    W().DescargarDatosEquipos(0);
    for (const char* when : {"2024-03-16 19:30:00", "2024-03-16 21:00:00", "2024-03-16 21:05:00"}) {
        ASSERT_FALSE(
            p.Service->Control("/_control/clock?set=" + QString(when).replace(' ', "%20")).isEmpty());
        W().DescargaLive();
    }
    EXPECT_EQ(Requests(p, "matchlineup").size(), 2) << "each lineup once";
    EXPECT_EQ(Requests(p, "matchdetails").size(), 2) << "the running details once, the end details once";
    EXPECT_TRUE(W().PageControlEventos->isTabVisible(1));
    EXPECT_EQ(W().PageControlEventos->currentIndex(), 0) << "the report appears without being selected";

    // Ratings from the saved details, duels, possession of both halves.
    EXPECT_EQ(Grid(1, 1), "Velkaro Demo FC");
    EXPECT_EQ(Grid(6, 1), "Bramley Town");
    EXPECT_EQ(Grid(2, 13).trimmed(), SavedElement("matchDetails0.xml", "Match/HomeTeam/RatingMidfield"));
    EXPECT_EQ(Grid(0, 3), W().LabelSumarioTipoPartido->text());
    EXPECT_EQ(Grid(2, 6), W().LabelDetallesFormacion1->text());
    for (const QPoint cell :
         {QPoint(0, 1), QPoint(0, 2), QPoint(0, 3), QPoint(1, 2), QPoint(2, 1), QPoint(2, 3)})
        EXPECT_TRUE(W().StringGridCampo.Cells(cell.x(), cell.y()).endsWith('%')) << cell.x() << cell.y();
    for (QLabel* share : {W().LabelPose11, W().LabelPose12, W().LabelPose21, W().LabelPose22})
        EXPECT_TRUE(share->text().endsWith('%')) << share->objectName().toStdString();
    EXPECT_EQ(W().Gauge2->BackColor(), QColor(0xFF, 0xAA, 0xFF));

    // The summary agrees with the chance counters of the event list.
    EXPECT_EQ(W().LabelEventosAwayName->text(), "Bramley Town");
    const std::pair<const char*, QLabel*> kinds[] = {{"1", W().LabelO11}, {"2", W().LabelO21},
                                                     {"5", W().LabelO31}, {"3", W().LabelO12},
                                                     {"4", W().LabelO22}, {"6", W().LabelO32}};
    for (const auto& [counter, listed] : kinds)
        EXPECT_EQ(W().LabelR.value(counter)->text(), listed->text() == "0 (0)" ? "" : listed->text())
            << counter;

    // The report's own fill reads the away side; each lineup page reloads the one panel with its side.
    EXPECT_EQ(W().LabelHomeTeam->text(), "Bramley Town");
    ChoosePage(1);
    EXPECT_EQ(W().PanelFinAlineacion->parentWidget(), W().TabSheetAlineacion1);
    EXPECT_EQ(W().LabelHomeTeam->text(), "Velkaro Demo FC");
    EXPECT_EQ(W().LabelHomeFormacion->text(), W().LabelDetallesFormacion1->text());
    for (int k = 1; k <= 11; ++k)
        EXPECT_FALSE(W().PanelHome[k]->text().isEmpty()) << k;
    EXPECT_FALSE(W().LabelHomeEstrellas->text().isEmpty());
    // The demo team's player injured at 55 left the pitch: five weeks out.
    EXPECT_FALSE(W().LabelHomeName[19]->text().isEmpty());
    EXPECT_FALSE(W().ImageHomeLesion[19]->isHidden());
    EXPECT_EQ(W().LabelHomeLesion[19]->text(), "5");
    EXPECT_TRUE(W().LabelHomeName[20]->text().isEmpty());
    EXPECT_TRUE(W().ImageHome[20]->isHidden());
    ChoosePage(2);
    EXPECT_EQ(W().PanelFinAlineacion->parentWidget(), W().TabSheetAlineacion2);
    EXPECT_EQ(W().LabelHomeTeam->text(), "Bramley Town");
    EXPECT_FALSE(W().LabelHomeLesion[19]->text().isEmpty());
    ChoosePage(1);
    EXPECT_EQ(Requests(p, "playerdetails").size(), 2) << "each replaced player's details once";
    // A stored file that holds the service's error instead of the player is asked for again.
    QDomDocument lineup;
    lineup.setContent(ReadFile(AppDir + "data/Xml/matchLineup0Home.xml"));
    const QDomNodeList ids = lineup.elementsByTagName("PlayerID");
    const QString id = ids.at(ids.size() - 1).toElement().text(); // the last entry: the replaced player
    WriteFile(AppDir + "data/Xml/player_" + id + ".xml",
              "<HattrickData><FileName>chpperror.xml</FileName></HattrickData>");
    ChoosePage(2);
    ChoosePage(1);
    EXPECT_EQ(Requests(p, "playerdetails").size(), 3);
    EXPECT_EQ(Requests(p, "playerdetails").last(), "playerdetails&playerId=" + id);
    EXPECT_EQ(W().LabelHomeLesion[19]->text(), "5");
    EXPECT_TRUE(p.Boxes.Boxes.isEmpty());
    Screenshots();
}

// A recorded youth match replayed to its end shows the same report; its player details are a youth
// team's.
TEST(EndOfMatch, RecordedYouthMatchShowsTheReportAfterItsReplay) {
    TestProgram p({.withService = true, .speed = 0, .start = "", .serviceArgs = {}});
    QString r;
    ConexionLogin("demo", "velkaro", r);
    ASSERT_EQ(r, "OK");
    W().RadioGroupTipoPartidos->SetItemIndex(1);
    W().AnadirPartido("130000001", 0, true);
    while (W().ReplayMinute.toInt() < 95)
        W().DescargaDiferido();
    EXPECT_EQ(FOptions->BKStringGrid10Partidos().Cells(MatchColumn::FinishedFlag, 0), "1");
    EXPECT_TRUE(W().PageControlEventos->isTabVisible(1));
    EXPECT_EQ(Grid(6, 1), SavedElement("matchDetails0.xml", "Match/AwayTeam/AwayTeamName"));
    EXPECT_FALSE(W().LabelPose21->text().isEmpty());
    EXPECT_FALSE(W().LabelR.value("10")->text().isEmpty());
    ChoosePage(1);
    EXPECT_FALSE(W().LabelHomeName[19]->text().isEmpty());
    const QStringList details = Requests(p, "playerdetails");
    ASSERT_EQ(details.size(), 2);
    for (const QString& request : details)
        EXPECT_TRUE(request.endsWith("&isYouth=true")) << request.toStdString();
    EXPECT_EQ(Requests(p, "matchlineup&version=1.3&matchID=130000001&teamID").size(), 2);
}

// End files that are missing or not the answers they should be leave the report's pages empty, with
// no message; the summary and final rows come from the event table all the same.
TEST(EndOfMatch, MissingOrBrokenEndFilesLeaveThePagesEmpty) {
    TestProgram p;
    SetMatch(2, "900", "100", "200");
    TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    m.SetCells(MatchColumn::HomeName, 2, "Home Rovers");
    m.SetCells(MatchColumn::FinishedFlag, 2, "1");
    m.SetCells(MatchColumn::HomeFormation, 2, "4-4-2");
    AddEvent(2, {"100", "100_0", "", ",0,0,0,,0,", "12"});
    AddEvent(2, {"100", "40_0", "", "", "45", "0", "60"});
    const QByteArray sides =
        "<HomeTeam><HomeTeamName>Home Rovers</HomeTeamName><TacticSkill>3</TacticSkill>"
        "<RatingMidfield>9</RatingMidfield></HomeTeam><AwayTeam><TacticSkill>2</TacticSkill>"
        "<RatingMidfield>7</RatingMidfield></AwayTeam>";
    WriteFile(AppDir + "data/Xml/matchDetails2.xml",
              "<HattrickData><FileName>matchdetails.xml</FileName><Match>" + sides +
                  "</Match></HattrickData>");
    WriteFile(
        AppDir + "data/Xml/matchLineup2Away.xml",
        "<HattrickData><FileName>matchlineup.xml</FileName><Team><TeamName>Away United</TeamName><Lineup>"
        "<Player><RoleID>1</RoleID><PlayerID>11</PlayerID><PositionCode>1</PositionCode><Behaviour>0"
        "</Behaviour><PlayerName>Kim Keeper</PlayerName><RatingStars>3.5</RatingStars></Player>"
        "</Lineup></Team></HattrickData>");
    RebuildSlot(2);
    EXPECT_EQ(Grid(1, 1), "Home Rovers");
    EXPECT_EQ(W().Gauge1->Progress(), 60);
    EXPECT_EQ(W().PanelHome[1]->text(), "Kim Keeper");
    EXPECT_EQ(W().LabelHomeEstrellas->text(), "3" + QLocale().decimalPoint() + "5");

    // The service's error document stands where the details should be; the lineup is gone.
    WriteFile(AppDir + "data/Xml/matchDetails2.xml",
              "<HattrickData><FileName>chpperror.xml</FileName><Match>" + sides + "</Match></HattrickData>");
    QFile::remove(AppDir + "data/Xml/matchLineup2Away.xml");
    RebuildSlot(2);
    EXPECT_TRUE(W().PageControlEventos->isTabVisible(1));
    for (int r = 0; r < 22; ++r)
        for (int c = 1; c < 10; ++c)
            if (!(r == 6 && c == 2)) { // the home formation of the final rows
                EXPECT_EQ(Grid(c, r), "") << c << " " << r;
            }
    EXPECT_EQ(Grid(0, 13), "Midfield") << "the row labels stay";
    EXPECT_EQ(Grid(2, 6), "4-4-2");
    EXPECT_EQ(W().StringGridCampo.Cells(1, 2), "");
    EXPECT_EQ(W().Gauge1->Progress(), 0) << "no possession without the details";
    EXPECT_EQ(W().Gauge1->BackColor(), QColor(Qt::white));
    EXPECT_EQ(W().LabelPose11->text(), "");
    EXPECT_EQ(W().LabelMatchID->text(), "MatchID: 900");
    EXPECT_EQ(W().PanelHome[1]->text(), "") << "a lineup that cannot be read shows nobody";
    EXPECT_EQ(W().LabelR.value("10")->text(), "1 (1)");
    EXPECT_EQ(W().LabelEventosHomeName->text(), "Home Rovers");
    // The report's words come from the English file.
    EXPECT_EQ(W().PageControlFinPartido->tabText(2), "Lineup - Away");
    EXPECT_EQ(W().LabelT.value("10")->text(), "Chances (Goals)");
    EXPECT_EQ(W().LabelT.value("411")->text(), "Tired defender");
    EXPECT_EQ(W().LabelHomePos[17]->text(), "Set pieces");
    EXPECT_EQ(W().LabelR.size(), 48);
    for (const QString& counter : ChanceCounterNames())
        EXPECT_NE(W().LabelR.value(counter), nullptr) << counter.toStdString();

    // Not XML at all.
    WriteFile(AppDir + "data/Xml/matchDetails2.xml", "<HattrickData><Match>");
    RebuildSlot(2);
    EXPECT_EQ(Grid(1, 1), "");
    EXPECT_TRUE(p.Boxes.Boxes.isEmpty());
}
