// The periodic update of the match rows and the team details of an added match, against velkaro-service.
#include "core/EventLookups.h"
#include "core/UGlobal.h"
#include "platform/TextFile.h"
#include "support/gui/WindowTest.h"

using namespace MatchColumn;

namespace {

// Match of the round: Velkaro Demo FC (250101) - Bramley Town (250103), kick-off 2024-03-16 19:00.
const QString RoundMatch = QStringLiteral("712000021");
const QString YouthMatch = QStringLiteral("130000002"); // youth, same kick-off: 2701001 - 2701003
const QString GoalClass = QStringLiteral(",0,0,0,,0,");
const QString Details = QStringLiteral("matchdetails&matchID=");
const QString Lineup = QStringLiteral("matchlineup&version=1.3&matchID=");

TBKStringGrid& Matches() {
    return FOptions->BKStringGrid10Partidos();
}

// Saved as the program saves it: a new file, so an earlier read of it never passes for this one.
void WriteLive(const QString& fetched, const QString& file = "live.xml") {
    const QString xml = "<HattrickData><FileName>" + file + "</FileName><FetchedDate>" + fetched;
    TextFile::WriteAtomic(AppDir + "data/Xml/live.xml", (xml + "</FetchedDate></HattrickData>").toUtf8());
}

struct PeriodicUpdate : ::testing::Test {
    std::unique_ptr<TestProgram> p;
    qsizetype mark = 0;

    void Start(const QString& clock) {
        p = std::make_unique<TestProgram>(TestProgram::Served(clock));
        Login();
        mark = ServiceRequests(*p).size();
    }
    // The file requests sent since the last call.
    QStringList NewRequests() {
        const QStringList all = ServiceRequests(*p);
        return all.mid(std::exchange(mark, all.size()));
    }
};

} // namespace

// Failed details write nothing and are asked for again (though the weather event filled in the crowd);
// goals count once the details were read; the minute of a live match and of a replay.
TEST_F(PeriodicUpdate, DetailsScoreAndMinuteOfAFollowedMatch) {
    Start("2024-03-16 19:30:00");
    SetMatch(0, RoundMatch, "250101", "250103");
    Matches().SetCells(HomeName, 0, "Velkaro Demo FC");
    Matches().SetCells(StadiumName, 0, "Old Park");
    Matches().SetCells(HomeDress, 0, "B030405");
    AddEvent(0, {"250101", "20_0", "Velkaro lined up in a 4-4-2 formation.", {}});
    AddEvent(0, {"250103", "20_0", "Bramley lined up in a 3-5-2 formation.", {}});
    AddEvent(0, {"0", "31_0", "With an overcast sky...", {}, "0", "0", "8475"});
    AddEvent(0, {"250103", "332_0"});
    AddEvent(0, {"250101", "335_0"});
    AddEvent(0, {"250101", "100_0", {}, GoalClass});
    WriteLive("2024-03-16 19:30:00");
    for (const char* fault : {"errordoc", "notfound"}) {
        ASSERT_TRUE(p->Service->Fault(fault, 1, "matchdetails"));
        FPartidos->Actualizar10Partidos("");
        EXPECT_EQ(NewRequests(), QStringList{Details + RoundMatch}) << fault;
        EXPECT_EQ(RowCells(Matches(), 0,
                           {StadiumName, HomeDress, FinishedFlag, HomeGoals, MinuteText, Spectators,
                            HomeFormation, AwayTactic, HomeTactic}),
                  "Old Park|B030405|||30|" + AlignNumberText("8475") + "|4-4-2|" + TacticText("2") + "|" +
                      TacticText("7"))
            << fault;
    }
    // The live list answered with the error document: the minute stays. The details are read now.
    WriteLive("2024-03-16 20:30:00", "chpperror.xml");
    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(NewRequests(), QStringList{Details + RoundMatch});
    EXPECT_EQ(RowCells(Matches(), 0, {StadiumName, FinishedFlag, HomeGoals, AwayGoals, MinuteText}),
              "Velkaro Park|0|1|0|30");
    AddEvent(0, {"250103", "140_0", {}, GoalClass});
    AddEvent(0, {"250103", "141_0", {}, ",0,1,0,,0,"}); // a missed chance counts for nobody
    FPartidos->Actualizar10Partidos("");
    EXPECT_TRUE(NewRequests().isEmpty()) << "the details are read once";
    EXPECT_EQ(RowCells(Matches(), 0, {HomeGoals, AwayGoals}), "1|1");
    // The minute, half-time taken out. The poll's event step hands on the fetch time it read (step 1:
    // after the save), never that of an older file (step 2: before it). None without a file to read.
    const std::tuple<const char*, const char*, int> bands[] = {
        {"2024-03-16 19:00:00", "0", 1},  {"2024-03-16 19:45:59", "45", 0}, {"2024-03-16 20:00:00", "45", 0},
        {"2024-03-16 20:01:00", "46", 2}, {"2024-03-16 20:45:00", "90", 0}, {"2024-03-18 19:00:00", "", 0}};
    for (const auto& [fetched, minute, step] : bands) {
        if (step == 2)
            FPartidos->EventosPartidos();
        WriteLive(fetched);
        if (step == 1)
            FPartidos->EventosPartidos();
        FPartidos->Actualizar10Partidos("");
        EXPECT_EQ(Matches().Cells(MinuteText, 0), minute) << fetched;
    }
    QFile::remove(AppDir + "data/Xml/live.xml");
    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(Matches().Cells(MinuteText, 0), "");
    FPartidos->RadioGroupTipoPartidos->SetItemIndex(1);
    for (const char* m : {"-1", "0", "91", "abc"}) {
        FPartidos->Actualizar10Partidos(m);
        EXPECT_EQ(Matches().Cells(MinuteText, 0), QString(m) == "-1" ? "0" : m) << m;
    }
}

// The match end sets FinishedFlag "1" for good and fetches the slot's files once, after one wait; old
// files never stand in for them; a match ending before its details were read stays ended.
TEST_F(PeriodicUpdate, MatchEndFetchesTheFilesOnceAfterOneWait) {
    Start("2024-03-16 22:00:00");
    SetMatch(0, RoundMatch, "250101", "250103");
    Matches().SetCells(FinishedFlag, 0, "0"); // details already read
    Matches().SetCells(Spectators, 0, AlignNumberText("8475"));
    AddEvent(0, {"250101", "100_0", {}, GoalClass});
    AddEvent(0, {"250101", "100_0", {}, GoalClass});
    AddEvent(0, {"0", "599_0"});
    SetMatch(1, YouthMatch, "2701001", "2701003", true);
    AddEvent(1, {"2701003", "100_0", {}, GoalClass});
    AddEvent(1, {"0", "599_0"});
    // An earlier match of slot 0 left its files; slot 0's end details and slot 1's details fail.
    WriteFile(AppDir + "data/Xml/matchDetails0.xml",
              "<HattrickData><FileName>matchdetails.xml</FileName><Match>"
              "<HomeTeam><TacticType>7</TacticType></HomeTeam></Match>"
              "</HattrickData>");
    WriteFile(AppDir + "data/Xml/matchLineup0Home.xml", "<HattrickData><MatchID>1</MatchID></HattrickData>");
    ASSERT_TRUE(p->Service->Fault("notfound", 2, "matchdetails"));
    qsizetype requestsAtSleep = -1;
    Dialogs::SetSleepHook([&](int ms) {
        p->Boxes.Sleeps << ms;
        requestsAtSleep = ServiceRequests(*p).size() - mark;
    });
    FPartidos->Actualizar10Partidos("");
    EXPECT_EQ(NewRequests(),
              QStringList({Details + RoundMatch, Lineup + RoundMatch + "&teamID=250101",
                           Lineup + RoundMatch + "&teamID=250103", Details + YouthMatch + "&isYouth=true",
                           Details + YouthMatch + "&isYouth=true",
                           Lineup + YouthMatch + "&teamID=2701001&isYouth=true",
                           Lineup + YouthMatch + "&teamID=2701003&isYouth=true"}));
    EXPECT_EQ(p->Boxes.Sleeps, QVector<int>{4000});
    EXPECT_EQ(requestsAtSleep, 0) << "the wait comes before the first end-of-match download";
    // Slot 0: the stale details file is gone (no tactics), its lineup replaced.
    EXPECT_EQ(RowCells(Matches(), 0, {FinishedFlag, HomeGoals, HomeTactic}), "1|2|");
    EXPECT_FALSE(QFile::exists(AppDir + "data/Xml/matchDetails0.xml"));
    EXPECT_TRUE(
        ReadFile(AppDir + "data/Xml/matchLineup0Home.xml").contains("<MatchID>" + RoundMatch.toUtf8()));
    EXPECT_EQ(RowCells(Matches(), 1, {FinishedFlag, AwayGoals, HomeTactic, AwayTactic}),
              "1|1|" + TacticText("0") + "|" + TacticText("3"));
    // Ended: slot 0's details, which did not arrive, are asked for again three times at most, without a
    // wait; nothing else is fetched, and the score and the flags stay.
    AddEvent(0, {"250103", "140_0", {}, GoalClass});
    ASSERT_TRUE(p->Service->Fault("errordoc", 3, "matchdetails"));
    for (int update = 0; update < 4; ++update) {
        FPartidos->Actualizar10Partidos("");
        EXPECT_EQ(NewRequests(), update < 3 ? QStringList{Details + RoundMatch} : QStringList()) << update;
    }
    EXPECT_EQ(p->Boxes.Sleeps.size(), 1);
    EXPECT_EQ(Matches().Cells(HomeTactic, 0), ""); // never from the error document
    EXPECT_EQ(RowCells(Matches(), 0, {FinishedFlag, AwayGoals}) + Matches().Cells(FinishedFlag, 1), "1|01");
}

// Team details of both teams and the match type; an error document for one team leaves its columns and
// fills the other side; nothing asked for a free slot, a missing team ID or the match's own details.
TEST_F(PeriodicUpdate, TeamDetailsAfterAnAdd) {
    Start({});
    SetMatch(0, RoundMatch, "250101", "250103");
    FPartidos->DescargarDatosEquipos(0);
    EXPECT_EQ(NewRequests(),
              QStringList({"team&teamID=250101", "team&teamID=250103", "matches&teamID=250101"}));
    EXPECT_EQ(RowCells(Matches(), 0,
                       {HomeLeagueName, HomeLeagueLevelUnitName, HomeLastLogin, HomeWebPage, AwayRegionName,
                        MatchTypeCode, Spectators}),
              "England|IV.12|2024-03-10 00:20:00|http://127.0.0.1/velkaro-demo-fc|Kent|1|");
    EXPECT_EQ(Matches().Cells(AwayLogoUrl, 0), p->Service->BaseUrl() + "/Logos/250103.png");
    Matches().SetCells(HomeLeagueName, 0, "kept");
    ASSERT_TRUE(p->Service->Fault("errordoc", 1, "team"));
    FPartidos->DescargarDatosEquipos(0);
    EXPECT_EQ(RowCells(Matches(), 0, {HomeLeagueName, AwayRegionName}), "kept|Kent");
    NewRequests();
    // Youth: no team request; the match list of the youth team.
    SetMatch(1, YouthMatch, "2701001", "2701003", true);
    Matches().SetCells(HomeLeagueName, 1, "kept");
    FPartidos->DescargarDatosEquipos(1);
    EXPECT_EQ(NewRequests(), QStringList{"matches&teamID=2701001&isYouth=true"});
    EXPECT_EQ(RowCells(Matches(), 1, {HomeLeagueName, MatchTypeCode}), "kept|100");
    // A free slot, a row without team IDs, and an update with nothing to follow ask for nothing.
    FPartidos->DescargarDatosEquipos(2);
    SetMatch(3, "712000022", "", "");
    FPartidos->DescargarDatosEquipos(3);
    FPartidos->DescargarDatosEquipos(10);
    for (int s = 0; s < MatchSlotCount; ++s)
        Matches().SetCells(MatchId, s, "");
    FPartidos->Actualizar10Partidos("");
    EXPECT_TRUE(NewRequests().isEmpty());
    EXPECT_EQ(Matches().Cells(HomeLeagueName, 2), "");
}

// Without a service: the walkover result, a slot with a single event, the recorded match-end text.
TEST(PeriodicUpdateTables, WalkoverSingleEventAndRecordedEnd) {
    TestProgram p;
    for (int s = 0; s < 4; ++s) {
        SetMatch(s, QString::number(s + 1), "10", "20");
        Matches().SetCells(FinishedFlag, s, s == 3 ? "1" : "0");
    }
    // Two away goals, then "501": the home side gets 5, the away side keeps its 2, the scan stops.
    AddEvent(0, {"20", "100_0", {}, GoalClass});
    AddEvent(0, {"20", "100_0", {}, GoalClass});
    AddEvent(0, {"10", "501_0"});
    AddEvent(0, {"10", "100_0", {}, GoalClass}); // after the walkover: not counted
    // "502" first: the away side gets 5, nothing after it counts.
    AddEvent(1, {"20", "502_0"});
    AddEvent(1, {"20", "100_0", {}, GoalClass});
    // One event only: the row is left alone.
    AddEvent(2, {"10", "100_0", {}, GoalClass});
    // Ended before: the recorded minute beyond 90 shows the match end; the score stays.
    Matches().SetCells(HomeGoals, 3, "3");
    AddEvent(3, {"10", "100_0", {}, GoalClass});
    AddEvent(3, {"10", "20_0", "4-4-2", {}});
    FPartidos->RadioGroupTipoPartidos->SetItemIndex(1);
    FPartidos->Actualizar10Partidos("91");
    EXPECT_EQ(RowCells(Matches(), 0, {HomeGoals, AwayGoals, MinuteText}), "5|2|91");
    EXPECT_EQ(RowCells(Matches(), 1, {HomeGoals, AwayGoals}), "0|5");
    EXPECT_EQ(RowCells(Matches(), 2, {HomeGoals, MinuteText}), "|");
    EXPECT_EQ(RowCells(Matches(), 3, {MinuteText, HomeGoals, HomeFormation}),
              LanguageIni->ReadString("Options", "MatchEnds", "") + "|3|4-4-2");
    EXPECT_TRUE(p.Boxes.Sleeps.isEmpty());
}
