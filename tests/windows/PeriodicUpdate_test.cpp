// The periodic update of the match rows and the team details of an added match, offscreen, with the
// slots' event tables prepared by the test and the downloads answered by velkaro-service.
#include "core/DataStore.h"
#include "core/EventLookups.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UGlobal.h"
#include "platform/TextFile.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "support/gui/WindowTestHelpers.h"
#include "viewer/UPartidos.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// Match of the round: Velkaro Demo FC (250101) - Bramley Town (250103), kick-off 2024-03-16 19:00.
const QString RoundMatch = QStringLiteral("712000021");
// Youth match at the same kick-off: 2701001 - 2701003.
const QString YouthMatch = QStringLiteral("130000002");
const QString GoalClass = QStringLiteral(",0,0,0,,0,");

TBKStringGrid& Matches() {
    return FOptions->BKStringGrid10Partidos();
}
QString Cell(int column, int slot) {
    return Matches().Cells(column, slot);
}

void WriteLive(const QString& fetched) {
    WriteFile(
        AppDir + "data/Xml/live.xml",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><HattrickData><FileName>live.xml</FileName><FetchedDate>" +
            fetched.toUtf8() + "</FetchedDate></HattrickData>");
}

class PeriodicUpdate : public ::testing::Test {
protected:
    std::unique_ptr<TestProgram> p;

    void Start(const QString& clock) {
        p = std::make_unique<TestProgram>(
            TestProgram::Options{.withService = true, .speed = 0, .start = clock, .serviceArgs = {}});
        ASSERT_TRUE(p->Service->IsRunning()) << p->Service->ErrorText().toStdString();
        QString result;
        ConexionLogin("demo", "velkaro", result);
        ASSERT_EQ(result, "OK");
        mark = ServiceRequests(*p).size();
    }

    // The file requests sent since the last call.
    QStringList NewRequests() {
        const QStringList all = ServiceRequests(*p);
        const QStringList fresh = all.mid(mark);
        mark = all.size();
        return fresh;
    }

    qsizetype mark = 0;
};

// A goal is counted into the score once the match details were read here; a failed details download
// is tried again at the next update even though the weather event has filled in the crowd.
TEST_F(PeriodicUpdate, GoalsAreRecountedOnceTheDetailsAreRead) {
    Start("2024-03-16 19:30:00");
    SetMatch(0, RoundMatch, "250101", "250103");
    AddEvent(0, {"250101", "20_0", "Velkaro lined up in a 4-4-2 formation.", {}});
    AddEvent(0, {"250103", "20_0", "Bramley lined up in a 3-5-2 formation.", {}});
    AddEvent(0, {"0", "31_0", "With an overcast sky...", {}, "0", "0", "8475"});
    AddEvent(0, {"250103", "332_0"});
    AddEvent(0, {"250101", "100_0", {}, GoalClass});
    WriteLive("2024-03-16 19:30:00");
    ASSERT_TRUE(p->Service->Fault("notfound", 1, "matchdetails"));

    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(NewRequests(), QStringList{"matchdetails&matchID=" + RoundMatch});
    EXPECT_EQ(Cell(MatchColumn::FinishedFlag, 0), "");
    EXPECT_EQ(Cell(MatchColumn::HomeGoals, 0), "") << "no recount before the details were read";
    EXPECT_EQ(Cell(MatchColumn::Spectators, 0), AlignNumberText("8475"));
    EXPECT_EQ(Cell(MatchColumn::HomeFormation, 0), "4-4-2");
    EXPECT_EQ(Cell(MatchColumn::AwayTactic, 0), LanguageIni->ReadString("General", "Tactic2", ""));

    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(NewRequests(), QStringList{"matchdetails&matchID=" + RoundMatch});
    EXPECT_EQ(Cell(MatchColumn::FinishedFlag, 0), "0");
    EXPECT_EQ(Cell(MatchColumn::StadiumName, 0), "Velkaro Park");
    EXPECT_EQ(Cell(MatchColumn::HomeGoals, 0), "1");
    EXPECT_EQ(Cell(MatchColumn::AwayGoals, 0), "0");

    AddEvent(0, {"250103", "140_0", {}, GoalClass});
    AddEvent(0, {"250103", "141_0", {}, ",0,1,0,,0,"}); // a missed chance counts for nobody
    FPartidos->Actualizar10Partidos("");
    EXPECT_TRUE(NewRequests().isEmpty()) << "the details are read once";
    EXPECT_EQ(Cell(MatchColumn::HomeGoals, 0), "1");
    EXPECT_EQ(Cell(MatchColumn::AwayGoals, 0), "1");
    EXPECT_TRUE(p->Boxes.Sleeps.isEmpty());
}

// The minute of a live match from the live file's fetch time, with half-time taken out; in recorded
// mode the replay minute.
TEST_F(PeriodicUpdate, MinuteTextBands) {
    Start("2024-03-16 19:30:00");
    SetMatch(0, RoundMatch, "250101", "250103");
    AddEvent(0, {"250101", "20_0"});
    AddEvent(0, {"250103", "20_0"});
    const struct {
        const char* fetched;
        const char* minute;
    } bands[] = {{"2024-03-16 19:00:00", "0"},  {"2024-03-16 19:45:59", "45"}, {"2024-03-16 20:00:00", "45"},
                 {"2024-03-16 20:01:00", "46"}, {"2024-03-16 20:45:00", "90"}, {"2024-03-18 19:00:00", ""}};
    for (const auto& b : bands) {
        WriteLive(b.fetched);
        FPartidos->Actualizar10Partidos("");
        EXPECT_EQ(Cell(MatchColumn::MinuteText, 0), b.minute) << b.fetched;
    }
    QFile::remove(AppDir + "data/Xml/live.xml"); // an unreadable live file: no fetch time
    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(Cell(MatchColumn::MinuteText, 0), "");

    FPartidos->RadioGroupTipoPartidos->SetItemIndex(1);
    for (const char* m : {"-1", "0", "91", "abc"}) {
        FPartidos->Actualizar10Partidos(m);
        EXPECT_EQ(Cell(MatchColumn::MinuteText, 0), QString(m) == "-1" ? "0" : m) << m;
    }
}

// A poll parses the live file once: the update takes the fetch time its event step read, but only
// for the file that step read; a file saved again in between, or an update without an event step
// before it, reads the file itself.
TEST_F(PeriodicUpdate, TheEventStepHandsOnTheFetchTimeOfTheFileItRead) {
    Start("2024-03-16 19:30:00");
    SetMatch(0, RoundMatch, "250101", "250103");
    AddEvent(0, {"250101", "20_0"});
    AddEvent(0, {"250103", "20_0"});
    const auto saveLive = [](const char* fetched) {
        TextFile::WriteAtomic(AppDir + "data/Xml/live.xml",
                              QByteArray("<HattrickData><FileName>live.xml</FileName><FetchedDate>") +
                                  fetched + "</FetchedDate></HattrickData>");
    };
    saveLive("2024-03-16 19:10:00");
    FPartidos->EventosPartidos();
    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(Cell(MatchColumn::MinuteText, 0), "10");

    FPartidos->EventosPartidos();
    saveLive("2024-03-16 19:20:00");
    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(Cell(MatchColumn::MinuteText, 0), "20");

    WriteLive("2024-03-16 19:35:00");
    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(Cell(MatchColumn::MinuteText, 0), "35");
}

// The match end sets FinishedFlag "1" for good and fetches the slot's three files once, after one
// wait for the whole update; files an earlier match left in the slot never stand in for them.
TEST_F(PeriodicUpdate, MatchEndFetchesTheFilesOnceAfterOneWait) {
    Start("2024-03-16 22:00:00");
    SetMatch(0, RoundMatch, "250101", "250103");
    Matches().SetCells(MatchColumn::FinishedFlag, 0, "0"); // details already read
    Matches().SetCells(MatchColumn::Spectators, 0, AlignNumberText("8475"));
    AddEvent(0, {"250101", "100_0", {}, GoalClass});
    AddEvent(0, {"250101", "100_0", {}, GoalClass});
    AddEvent(0, {"0", "599_0"});
    SetMatch(1, YouthMatch, "2701001", "2701003", true);
    AddEvent(1, {"2701003", "100_0", {}, GoalClass});
    AddEvent(1, {"0", "599_0"});
    // An earlier match of slot 0 left its files; the new details download fails.
    WriteFile(AppDir + "data/Xml/matchDetails0.xml",
              "<HattrickData><FileName>matchdetails.xml</FileName><Match><HomeTeam><TacticType>7</"
              "TacticType></HomeTeam>"
              "</Match></HattrickData>");
    WriteFile(AppDir + "data/Xml/matchLineup0Home.xml", "<HattrickData><MatchID>1</MatchID></HattrickData>");
    ASSERT_TRUE(p->Service->Fault("notfound", 1, "matchdetails"));
    qsizetype requestsAtSleep = -1;
    Dialogs::SetSleepHook([&](int ms) {
        p->Boxes.Sleeps << ms;
        requestsAtSleep = ServiceRequests(*p).size() - mark;
    });

    FPartidos->Actualizar10Partidos("");
    const QString lineup = "matchlineup&version=1.3&matchID=";
    EXPECT_EQ(NewRequests(),
              (QStringList{"matchdetails&matchID=" + RoundMatch, lineup + RoundMatch + "&teamID=250101",
                           lineup + RoundMatch + "&teamID=250103",
                           "matchdetails&matchID=" + YouthMatch + "&isYouth=true",
                           "matchdetails&matchID=" + YouthMatch + "&isYouth=true",
                           lineup + YouthMatch + "&teamID=2701001&isYouth=true",
                           lineup + YouthMatch + "&teamID=2701003&isYouth=true"}));
    EXPECT_EQ(p->Boxes.Sleeps, QVector<int>{4000});
    EXPECT_EQ(requestsAtSleep, 0) << "the wait comes before the first end-of-match download";
    EXPECT_EQ(Cell(MatchColumn::FinishedFlag, 0), "1");
    EXPECT_EQ(Cell(MatchColumn::FinishedFlag, 1), "1");
    EXPECT_EQ(Cell(MatchColumn::HomeGoals, 0), "2");
    EXPECT_EQ(Cell(MatchColumn::AwayGoals, 1), "1");
    // Slot 0: the stale details file is gone, its lineup replaced; no tactic from the stale file.
    EXPECT_FALSE(QFile::exists(AppDir + "data/Xml/matchDetails0.xml"));
    QFile home(AppDir + "data/Xml/matchLineup0Home.xml");
    ASSERT_TRUE(home.open(QIODevice::ReadOnly));
    EXPECT_TRUE(home.readAll().contains("<MatchID>" + RoundMatch.toUtf8() + "</MatchID>"));
    EXPECT_EQ(Cell(MatchColumn::HomeTactic, 0), "");
    // Slot 1: the tactics of its ended match come from its own details file.
    for (const char* f : {"matchDetails1.xml", "matchLineup1Home.xml", "matchLineup1Away.xml"})
        EXPECT_TRUE(QFile::exists(AppDir + "data/Xml/" + f)) << f;
    EXPECT_FALSE(Cell(MatchColumn::HomeTactic, 1).isEmpty());

    // Ended: nothing more is fetched or awaited, and the score and the flag stay.
    AddEvent(0, {"250103", "140_0", {}, GoalClass});
    FPartidos->Actualizar10Partidos("");
    EXPECT_TRUE(NewRequests().isEmpty());
    EXPECT_EQ(p->Boxes.Sleeps.size(), 1);
    EXPECT_EQ(Cell(MatchColumn::FinishedFlag, 0), "1");
    EXPECT_EQ(Cell(MatchColumn::AwayGoals, 0), "0");
}

// A match that ends before its details could be read stays ended: "1" never turns back into "0",
// and the end-of-match files are not fetched a second time.
TEST_F(PeriodicUpdate, EndBeforeTheDetailsStaysEnded) {
    Start("2024-03-16 22:00:00");
    SetMatch(3, RoundMatch, "250101", "250103");
    AddEvent(3, {"250101", "100_0", {}, GoalClass});
    AddEvent(3, {"0", "599_0"});
    ASSERT_TRUE(p->Service->Fault("notfound", 1, "matchdetails"));
    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(NewRequests().size(), 4);
    EXPECT_EQ(Cell(MatchColumn::FinishedFlag, 3), "1");
    EXPECT_EQ(Cell(MatchColumn::HomeGoals, 3), "1");
    // The tactics of the ended match come from the slot's details file (Velkaro 3, Bramley 0).
    EXPECT_EQ(Cell(MatchColumn::HomeTactic, 3), TacticText("3"));
    EXPECT_EQ(Cell(MatchColumn::AwayTactic, 3), TacticText("0"));

    for (int i = 0; i < 2; ++i)
        FPartidos->Actualizar10Partidos("");
    EXPECT_TRUE(NewRequests().isEmpty());
    EXPECT_EQ(Cell(MatchColumn::FinishedFlag, 3), "1");
    EXPECT_EQ(p->Boxes.Sleeps, QVector<int>{4000});
}

// Team details of an added match: league, series, region, last login, logo, web page of both teams
// and the match type; no request for a free slot or a missing team ID, and none for the match's own
// details (the periodic update reads those by the match ID).
TEST_F(PeriodicUpdate, TeamDetailsAfterAnAdd) {
    Start({});
    SetMatch(0, RoundMatch, "250101", "250103");
    FPartidos->DescargarDatosEquipos(0);
    EXPECT_EQ(NewRequests(),
              (QStringList{"team&teamID=250101", "team&teamID=250103", "matches&teamID=250101"}));
    EXPECT_EQ(Cell(MatchColumn::HomeLeagueName, 0), "England");
    EXPECT_EQ(Cell(MatchColumn::HomeLeagueLevelUnitName, 0), "IV.12");
    EXPECT_EQ(Cell(MatchColumn::HomeLastLogin, 0), "2024-03-10 00:20:00");
    EXPECT_EQ(Cell(MatchColumn::HomeWebPage, 0), "http://127.0.0.1/velkaro-demo-fc");
    EXPECT_EQ(Cell(MatchColumn::AwayRegionName, 0), "Kent");
    EXPECT_EQ(Cell(MatchColumn::AwayLogoUrl, 0), p->Service->BaseUrl() + "/Logos/250103.png");
    EXPECT_EQ(Cell(MatchColumn::MatchTypeCode, 0), "1");
    EXPECT_EQ(Cell(MatchColumn::Spectators, 0), "") << "the periodic update still reads the details";

    // A failed home download still fills the away side.
    SetMatch(4, "712500001", "251017", "250101");
    ASSERT_TRUE(p->Service->Fault("notfound", 1, "team"));
    FPartidos->DescargarDatosEquipos(4);
    EXPECT_EQ(NewRequests().size(), 3);
    EXPECT_EQ(Cell(MatchColumn::HomeLeagueName, 4), "");
    EXPECT_EQ(Cell(MatchColumn::AwayRegionName, 4), "Lancashire");
    EXPECT_EQ(Cell(MatchColumn::MatchTypeCode, 4), "3");

    // Youth: no team request; the match list of the youth team.
    SetMatch(1, YouthMatch, "2701001", "2701003", true);
    Matches().SetCells(MatchColumn::HomeLeagueName, 1, "kept");
    FPartidos->DescargarDatosEquipos(1);
    EXPECT_EQ(NewRequests(), QStringList{"matches&teamID=2701001&isYouth=true"});
    EXPECT_EQ(Cell(MatchColumn::HomeLeagueName, 1), "kept");
    EXPECT_EQ(Cell(MatchColumn::MatchTypeCode, 1), "100");

    // A free slot, a row without team IDs, and an update with nothing to follow ask for nothing.
    FPartidos->DescargarDatosEquipos(2);
    SetMatch(3, "712000022", "", "");
    FPartidos->DescargarDatosEquipos(3);
    FPartidos->DescargarDatosEquipos(10);
    for (int s = 0; s < MatchSlotCount; ++s)
        Matches().SetCells(MatchColumn::MatchId, s, "");
    FPartidos->Actualizar10Partidos("");
    EXPECT_TRUE(NewRequests().isEmpty());
    EXPECT_EQ(Cell(MatchColumn::HomeLeagueName, 2), "");
}

// Without a service: the walkover result, a slot with a single event, the recorded match-end text.
TEST(PeriodicUpdateTables, WalkoverSingleEventAndRecordedEnd) {
    TestProgram p;
    // Two home goals, then "501": the away side gets 5, the home side keeps its 2, the scan stops.
    SetMatch(0, "1", "10", "20");
    Matches().SetCells(MatchColumn::FinishedFlag, 0, "0");
    AddEvent(0, {"10", "100_0", {}, GoalClass});
    AddEvent(0, {"10", "100_0", {}, GoalClass});
    AddEvent(0, {"10", "501_0"});
    AddEvent(0, {"20", "100_0", {}, GoalClass}); // after the walkover: not counted
    // "502" first: the home side gets 5, nothing after it counts.
    SetMatch(1, "2", "10", "20");
    Matches().SetCells(MatchColumn::FinishedFlag, 1, "0");
    AddEvent(1, {"20", "502_0"});
    AddEvent(1, {"20", "100_0", {}, GoalClass});
    // One event only: the row is left alone.
    SetMatch(2, "3", "10", "20");
    Matches().SetCells(MatchColumn::FinishedFlag, 2, "0");
    AddEvent(2, {"10", "100_0", {}, GoalClass});
    // Ended before: the recorded minute beyond 90 shows the match end.
    SetMatch(3, "4", "10", "20");
    Matches().SetCells(MatchColumn::FinishedFlag, 3, "1");
    Matches().SetCells(MatchColumn::HomeGoals, 3, "3");
    AddEvent(3, {"10", "100_0", {}, GoalClass});
    AddEvent(3, {"10", "20_0", "4-4-2", {}});

    FPartidos->RadioGroupTipoPartidos->SetItemIndex(1);
    FPartidos->Actualizar10Partidos("91");
    EXPECT_EQ(Cell(MatchColumn::HomeGoals, 0) + "-" + Cell(MatchColumn::AwayGoals, 0), "2-5");
    EXPECT_EQ(Cell(MatchColumn::HomeGoals, 1) + "-" + Cell(MatchColumn::AwayGoals, 1), "5-0");
    EXPECT_EQ(Cell(MatchColumn::MinuteText, 0), "91");
    EXPECT_EQ(Cell(MatchColumn::HomeGoals, 2), "");
    EXPECT_EQ(Cell(MatchColumn::MinuteText, 2), "");
    EXPECT_EQ(Cell(MatchColumn::MinuteText, 3), LanguageIni->ReadString("Options", "MatchEnds", ""));
    EXPECT_EQ(Cell(MatchColumn::HomeGoals, 3), "3") << "an ended match keeps its score";
    EXPECT_EQ(Cell(MatchColumn::HomeFormation, 3), "4-4-2");
    EXPECT_TRUE(p.Boxes.Sleeps.isEmpty());
}

// Error documents of the service instead of the files asked for, while a match is followed: nothing is
// written from them (the header keeps its stadium, the teams their league, the minute its value), and
// the next good answer is read.
TEST_F(PeriodicUpdate, ErrorDocumentsWriteNothingAndAreAskedForAgain) {
    Start("2024-03-16 19:30:00");
    SetMatch(0, RoundMatch, "250101", "250103");
    Matches().SetCells(MatchColumn::HomeName, 0, "Velkaro Demo FC");
    Matches().SetCells(MatchColumn::StadiumName, 0, "Old Park");
    Matches().SetCells(MatchColumn::HomeDress, 0, "B030405");
    AddEvent(0, {"250101", "20_0"});
    AddEvent(0, {"250101", "100_0", {}, GoalClass});
    WriteLive("2024-03-16 19:30:00");
    ASSERT_TRUE(p->Service->Fault("errordoc", 1, "matchdetails"));

    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(NewRequests(), QStringList{"matchdetails&matchID=" + RoundMatch});
    EXPECT_EQ(Cell(MatchColumn::StadiumName, 0), "Old Park");
    EXPECT_EQ(Cell(MatchColumn::HomeDress, 0), "B030405");
    EXPECT_EQ(Cell(MatchColumn::FinishedFlag, 0), "") << "the details are asked for again";
    EXPECT_EQ(Cell(MatchColumn::MinuteText, 0), "30");
    RebuildSlot(0);
    EXPECT_EQ(FPartidos->LabelSumarioEstadio->text(), " Old Park");

    // The live list answered with the error document: the minute stays.
    WriteFile(AppDir + "data/Xml/live.xml",
              "<HattrickData><FileName>chpperror.xml</FileName><FetchedDate>2024-03-16 20:30:00</FetchedDate>"
              "<Error>Unknown error</Error></HattrickData>");
    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(NewRequests(), QStringList{"matchdetails&matchID=" + RoundMatch});
    EXPECT_EQ(Cell(MatchColumn::StadiumName, 0), "Velkaro Park");
    EXPECT_EQ(Cell(MatchColumn::FinishedFlag, 0), "0");
    EXPECT_EQ(Cell(MatchColumn::HomeGoals, 0), "1");
    EXPECT_EQ(Cell(MatchColumn::MinuteText, 0), "30");

    // Team details: the error document for the home team leaves its columns as they were.
    Matches().SetCells(MatchColumn::HomeLeagueName, 0, "kept");
    ASSERT_TRUE(p->Service->Fault("errordoc", 1, "team"));
    FPartidos->DescargarDatosEquipos(0);
    EXPECT_EQ(Cell(MatchColumn::HomeLeagueName, 0), "kept");
    EXPECT_EQ(Cell(MatchColumn::AwayRegionName, 0), "Kent");
}

} // namespace
