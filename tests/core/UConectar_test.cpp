// What the substitute service cannot produce: real answers read back, answers cut at byte level, league
// files it never sends. Every failure path against a service is in e2e/ClientService_test.
#include "core/EndOfMatchLineup.h"
#include "core/EndOfMatchRatings.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "core/VersionCheck.h"
#include "platform/HttpClient.h"
#include "platform/XmlDocument.h"

#include "support/LocalHttpServer.h"
#include "support/Samples.h"
#include "support/TestHelpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AnswerText, EndsAtTheFirstZeroByteAndAfterTheFirstClosingTag) {
    EXPECT_EQ(AnswerText(QByteArray("<HattrickData/>\0<junk>", 23)), "<HattrickData/>");
    EXPECT_EQ(AnswerText("<HattrickData>1</HattrickData>\r\n<p>x</p></HattrickData>"),
              "<HattrickData>1</HattrickData>");
    EXPECT_EQ(AnswerText("\xEF\xBB\xBF<a>\xC3\xA9</a>"), QString::fromUtf8("<a>é</a>"));
    EXPECT_EQ(AnswerText("<a>\xE9</a>"), QString::fromUtf8("<a>é</a>")); // not UTF-8: Windows-1252
}

// The real sample answers served one per "file" request, saved and read where the readers look.
TEST(RealAnswers, AreSavedAndReadBackWhereTheReadersLook) {
    const QMap<QString, QString> samples = {
        {"matches", "matches.xml"}, {"worlddetails", "worlddetails-bom"}, {"live", "live-view"}};
    LocalHttpServer service;
    service.http.Get("/common/chpp/chppxml.axd", [&](const httplib::Request& req, httplib::Response& res) {
        const QString sample = samples.value(QString::fromStdString(req.get_param_value("file")));
        res.set_content(ReadBytes(SampleFile(sample)).toStdString(), "text/xml");
    });
    service.start();
    QTemporaryDir dir;
    AppDir = dir.path() + "/";
    DataModule1 = new TDataModule1;
    RecommendedURL = service.url("");
    XmlDocument& doc = DataModule1->XMLDocument1;
    // clang-format off
    const std::tuple<const char*, const char*, const char*> reads[] = {
        {"matches&teamID=1750803", "matchesTemp.xml", "Team/MatchList/Match/HomeTeam/HomeTeamName"},
        {"worlddetails", "worldDetails_Leagues.xml", "LeagueList/League/LeagueName"},
        {"live&version=1.4&actionType=viewNew", "live.xml", "MatchList/Match/EventList/Event/EventText"}};
    // clang-format on
    for (const auto& [request, file, path] : reads) {
        QString result;
        BajarFicheroXML(ChppPath + request, AppDir + "data/Xml/" + file, result);
        ASSERT_EQ(result, "OK") << file;
        doc.LoadFromFile(AppDir + "data/Xml/" + file);
        EXPECT_FALSE(doc.DocumentElement().ChildText(path).isEmpty()) << path;
    }
    EXPECT_TRUE(doc.DocumentElement().Path("MatchList/Match/EventList").Child(0).HasAttribute("Index"));
    doc.SetActive(false);
    delete DataModule1;
    DataModule1 = nullptr;
    RecommendedURL.clear();
}

TEST(InsertMissingActionType, LeavesFilesItCannotRepairAsTheyAre) {
    QTemporaryDir dir;
    const QString details = dir.filePath("leagueDetails.xml");
    // An older details file, but fixed up as fixtures: the eighth child is no Match, nothing moves.
    QByteArray old = "<HattrickData>\r\n<FileName>f.xml</FileName>\r\n<Version>1.0</Version>\r\n"
                     "<UserID>1</UserID>\r\n<FetchedDate>2026-12-06 17:00:00</FetchedDate>\r\n";
    for (int i = 4; i < 10; ++i)
        old += "<F" + QByteArray::number(i) + ">v</F" + QByteArray::number(i) + ">\r\n";
    old += "<Team><N>0</N></Team>\r\n</HattrickData>\r\n";
    WriteBytes(details, old);
    InsertMissingActionType(details, "leagueFixtures");
    EXPECT_EQ(ReadBytes(details), old);
    InsertMissingActionType(dir.filePath("absent.xml"), "leagueDetails");
    EXPECT_FALSE(QFile::exists(dir.filePath("absent.xml")));
    WriteBytes(details, "<HattrickData><FetchedDate>");
    InsertMissingActionType(details, "leagueDetails");
    EXPECT_EQ(ReadBytes(details), "<HattrickData><FetchedDate>");
}

// Every real answer is the answer of the file its request names, and of no other; the service's error
// document and another root are the answer of nothing.
TEST(IsAnswerOf, TellsTheFileAskedForFromErrorDocumentsAndOtherFiles) {
    // clang-format off
    const std::pair<QString, QString> answers[] = {
        {"bookmarks", "bookmarks"}, {"live", "live-view"}, {"matchdetails", "matchdetails.xml"},
        {"matches", "matches.xml"}, {"matchlineup", "matchlineup"}, {"playerdetails", "playerdetails"},
        {"players", "players-bom"}, {"teamdetails", "teamdetails"}, {"worlddetails", "worlddetails-bom"}};
    // clang-format on
    XmlDocument doc;
    for (const auto& [name, sample] : answers) {
        doc.LoadFromFile(SampleFile(sample));
        for (const auto& [other, unused] : answers)
            EXPECT_EQ(IsAnswerOf(doc.DocumentElement(), other + ".xml"), name == other)
                << sample.toStdString();
    }
    for (const char* other :
         {"<HattrickData><FileName>chpperror.xml</FileName><Error>x</Error></HattrickData>",
          "<Other><FileName>matchdetails.xml</FileName></Other>", "<HattrickData/>"}) {
        doc.SetXML(QString::fromLatin1(other));
        doc.SetActive(true);
        EXPECT_FALSE(IsAnswerOf(doc.DocumentElement(), "matchdetails.xml")) << other;
    }
    doc.SetXML("<HattrickData><FileName>\r\n  MatchDetails.XML </FileName></HattrickData>");
    doc.SetActive(true);
    EXPECT_TRUE(IsAnswerOf(doc.DocumentElement(), "matchdetails.xml"));
}

// The new-version check's reading of a page: the body as a browser reports it, then the cut at the
// first "=" and the comparison with the program's own version ("0126700"); a missing local version is
// "9999999", than which no page is newer.
TEST(VersionCheck, PagesGiveTheirResult) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"<html><head><title>x</title></head><body>Version=0126701</body></html>", "New"}, {"", "No"},
        {"<html><body>Version=0126700</body></html>", "Old"}, {"<html><body>Version=0125999</body></html>", "Old"},
        {"<HTML><BODY>\r\nVersion=0127000\r\n</BODY></HTML>", "New"},
        {"<html><body>version=0127000</body></html>", "No"},                     // lower case
        {"<html><body>Version 0127000</body></html>", "No"},                     // no "="
        {"<html><body bgcolor=\"#FFFFFF\">Version=0127000</body></html>", "No"}, // "=" in the body tag
        {"<html><head><meta charset=\"utf-8\"></head><body>Version=0127000</body></html>", "New"},
        {"<html><body><p>Version&#61;0127000</p></body></html>", "New"}, // the browser decodes it
        {"Version=0127000", "New"}};                                     // no body tag: one is made
    // clang-format on
    for (const auto& [page, result] : cases)
        EXPECT_EQ(CompararVersion(VersionPageBody(QString::fromUtf8(page)), "0126700"), result) << page;
    EXPECT_EQ(CompararVersion("<body>Version=9999998</body>", "9999999"), "Old");
    EXPECT_EQ(VersionPageBody("<HTML><Body>a &amp; b &lt;c&gt; &quot;d&quot;&nbsp;e</BODY>"),
              "<body>a &amp; b &lt;c&gt; \"d\"&nbsp;e</body>");
    // The body is read to the seventh character after its first "=", no further.
    EXPECT_EQ(VersionPageBody("<HTML><Body Class=x>a &amp; b</BODY>"), "<body Class=x>a &am");
    EXPECT_EQ(VersionPageBody("<html><head><title>t</title></head>Version=1<!-- note --></html>"),
              "<body>Version=1<!-- n");
}

// Hostile pages as large as an answer may be: the body read stays a few dozen characters (the first
// seven, the seven before the first "=", it and seven after), and the result is the one the whole page
// gives.
TEST(VersionCheck, HostilePagesAreReadToWhatTheCheckNeeds) {
    const qsizetype huge = HttpClient::DefaultMaxAnswerBytes;
    const std::pair<QByteArray, const char*> pages[] = {
        {"<html><body><h1>404 Not Found</h1></body></html>", "No"},              // the host's error page
        {"<HattrickData><Error>x</Error></HattrickData>", "No"},                 // another kind of answer
        {"<html><body>Versi", "No"},                                             // truncated
        {QByteArray(huge, '&'), "No"},                                           // a reference at every byte
        {QByteArray(huge, '<'), "No"},                                           // each written as "&lt;"
        {"<body>" + QByteArray(huge, 'x') + "Version=0127000", "New"},           // the version at the end
        {"<body><!-- a=b" + QByteArray(huge, '-') + "-->Version=0127000", "No"}, // the comment's "=" first
        {"<body>" + QByteArray(huge, ' ') + "<p>Version=0127000999999</p>", "New"}, // seven digits read
        {"<body>Version=" + QByteArray(huge, '9'), "New"}};
    for (const auto& [page, result] : pages) {
        const QString body = VersionPageBody(QString::fromLatin1(page));
        EXPECT_LE(body.size(), 64) << page.left(40).constData();
        EXPECT_EQ(CompararVersion(body, "0126700"), result) << page.left(40).constData();
    }
}

// Hostile lineup and match details answers through their readers: entries whose IDs are no numbers are
// passed over, codes out of range read as none, names are cut, and a lineup keeps at most 64 entries.
TEST(HostileAnswers, LineupAndRatingsKeepOnlyCheckedAndBoundedValues) {
    const auto root = [](const QString& xml) {
        auto doc = std::make_shared<XmlDocument>();
        doc->SetXML(xml);
        doc->SetActive(true);
        return doc->DocumentElement();
    };
    const QString entry = "<Player><RoleID>%1</RoleID><PlayerID>%2</PlayerID><PositionCode>%3</PositionCode>"
                          "<PlayerName>%4</PlayerName></Player>";
    const QString longName(10000, 'n');
    const auto lineup = [&](const QString& players) {
        return ReadLineup(root("<HattrickData><Team><TeamName>" + longName + "</TeamName><Lineup>" + players +
                               "</Lineup></Team></HattrickData>"));
    };
    EXPECT_TRUE(ReadLineup(root("<HattrickData><Error>x</Error></HattrickData>")).Entries.isEmpty());
    EXPECT_TRUE(ReadLineup(root(ReadBytes(SampleFile("matchdetails")))).Entries.isEmpty()); // other kind
    EXPECT_EQ(lineup(entry.arg("1", "5", "1", "A").repeated(100000)).Entries.size(), kMaxLineupEntries);
    const TeamLineup read = lineup(entry.arg("../1", "5", "1", "A") + entry.arg("1", "abc", "1", "A") +
                                   entry.arg("2", "6", "123456", longName));
    ASSERT_EQ(read.Entries.size(), 1);
    EXPECT_EQ(read.Entries[0].PositionCode, "");
    EXPECT_EQ(read.Entries[0].PlayerName.size(), 200);
    EXPECT_EQ(read.TeamName.size(), 200);

    TBKStringGrid grid, pitch;
    ShapeRatingsGrid(grid);
    ShapePitchGrid(pitch);
    const QString details =
        "<HattrickData><Match><HomeTeam><HomeTeamName>" + longName +
        "</HomeTeamName><HomeGoals>../x</HomeGoals><TacticSkill>%1</TacticSkill>"
        "<RatingMidfield>%2</RatingMidfield></HomeTeam><AwayTeam><TacticSkill>1</TacticSkill></AwayTeam>"
        "<Arena><SoldTotal>%2</SoldTotal></Arena></Match></HattrickData>";
    const QString huge = QString(300, '0') + "1";
    EXPECT_THROW(FillRatings(grid, pitch, root(details.arg("abc", huge))), EConvertError); // stops there
    EXPECT_EQ(grid.Cells(1, RatingsRow::Names).size(), 200);
    EXPECT_EQ(grid.Cells(2, RatingsRow::Names), "");
    FillRatings(grid, pitch, root(details.arg("1", huge + "x")));
    EXPECT_EQ((grid.Cells(2, RatingsRow::Midfield) + grid.Cells(1, RatingsRow::Crowd)).trimmed(), "");
}
