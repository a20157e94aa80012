// The substitute service's world, driven directly (no HTTP): users, the documents of every file kind
// with their elements where the program's readers look for them, the live list and the clock.
#include "scenario/Scenario.h"
#include "scenario/World.h"

#include <QDomDocument>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Params = QMap<QString, QString>;

QDomElement Root(const QByteArray& xml) {
    QDomDocument doc;
    const auto ok = doc.setContent(xml);
    EXPECT_TRUE(static_cast<bool>(ok)) << xml.left(300).constData();
    EXPECT_EQ(doc.documentElement().tagName(), "HattrickData");
    return doc.documentElement();
}

// Element children only, as the program's readers count them.
QDomElement Child(const QDomElement& e, int index) {
    int i = 0;
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        if (i++ == index)
            return c;
    return {};
}

int ChildCount(const QDomElement& e) {
    int n = 0;
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        ++n;
    return n;
}

QString At(const QDomElement& e, const QString& path) {
    QDomElement x = e;
    for (const QString& part : path.split('/'))
        x = x.firstChildElement(part);
    return x.text();
}

class WorldTest : public ::testing::Test {
protected:
    World world;
    int demo = *world.Login("demo", "velkaro");
    int scout = *world.Login("scout", "velkaro");
    QDateTime start = world.DefaultStart();
    QDateTime kickOff = start.addSecs(5 * 60);

    QDomElement Get(int user, const QString& file, const Params& p, const QDateTime& now) {
        const WorldAnswer a = world.Answer(user, file, p, now);
        EXPECT_EQ(a.status, 200);
        return Root(a.body);
    }
    QDomElement Live(int user, const QString& action, const QString& matchId, const QDateTime& now,
                     bool youth = false) {
        Params p{{"version", "1.4"}, {"actionType", action}};
        if (!matchId.isEmpty())
            p.insert("matchID", matchId);
        if (youth)
            p.insert("isYouth", "true");
        return Get(user, "live", p, now);
    }
    // The first match of a team's list that is not finished (what the program follows next).
    QDomElement NextMatch(int user, const QString& teamId, const QDateTime& now) {
        const QDomElement list = Get(user, "matches", {{"teamID", teamId}}, now)
                                     .firstChildElement("Team")
                                     .firstChildElement("MatchList");
        for (QDomElement m = list.firstChildElement(); !m.isNull(); m = m.nextSiblingElement())
            if (At(m, "Status") != "FINISHED")
                return m;
        return {};
    }
};

TEST_F(WorldTest, UsersAndTheirTeams) {
    EXPECT_NE(demo, scout);
    EXPECT_EQ(world.Login("DEMO", "velkaro"), demo);
    EXPECT_FALSE(world.Login("demo", "wrong").has_value());
    EXPECT_FALSE(world.Login("", "").has_value());
    EXPECT_FALSE(At(Root(world.Answer(999, "team", {}, start).body), "ErrorCode").isEmpty());

    const QDomElement own = Get(demo, "team", {}, start);
    EXPECT_EQ(At(own, "Team/TeamID"), "250101");
    EXPECT_EQ(At(own, "Team/YouthTeamID"), "2701001");
    EXPECT_EQ(At(own, "User/UserID"), QString::number(demo));
    EXPECT_EQ(At(own, "FetchedDate"), start.toString("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(At(Get(scout, "team", {}, start), "Team/YouthTeamID"), "0"); // the second user has none
    EXPECT_FALSE(At(Get(demo, "team", {{"teamID", "250104"}}, start), "Team/Region/RegionName").isEmpty());
    EXPECT_EQ(At(Get(demo, "team", {{"teamID", "3035"}}, start), "Team/TeamName"), "España");
    EXPECT_FALSE(At(Get(demo, "team", {{"teamID", "12ab"}}, start), "ErrorCode").isEmpty());
}

TEST_F(WorldTest, WorldDetailsAndBookmarks) {
    const QDomElement world = Get(demo, "worlddetails", {}, start);
    bool england = false;
    for (QDomElement l = world.firstChildElement("LeagueList").firstChildElement(); !l.isNull();
         l = l.nextSiblingElement())
        if (At(l, "LeagueName") == "England") {
            england = true;
            EXPECT_FALSE(At(l, "Country/CurrencyName").isEmpty());
            EXPECT_FALSE(At(l, "Country/CurrencyRate").isEmpty());
        }
    EXPECT_TRUE(england);
    for (int user : {demo, scout}) {
        const QDomElement list = Get(user, "bookmarks", {}, start).firstChildElement("BookmarkList");
        QSet<QString> types;
        for (QDomElement b = list.firstChildElement(); !b.isNull(); b = b.nextSiblingElement()) {
            types.insert(At(b, "BookmarkTypeID"));
            EXPECT_FALSE(At(b, "Text").isEmpty());
            EXPECT_FALSE(At(b, "ObjectID").isEmpty());
        }
        EXPECT_TRUE(types.contains("1"));
        EXPECT_GE(types.size(), 2); // other kinds too, which the team list leaves out
    }
}

TEST_F(WorldTest, LeagueFilesPutTeamsAndMatchesAtTheReadersPositions) {
    const QDomElement details = Get(demo, "leaguedetails", {}, start);
    EXPECT_EQ(Child(details, 4).tagName(), "ActionType");
    EXPECT_NE(Child(details, 10).tagName(), "Team");
    QSet<QString> ids;
    for (int i = 11; i <= 18; ++i) {
        const QDomElement t = Child(details, i);
        ASSERT_EQ(t.tagName(), "Team") << i;
        ids.insert(At(t, "TeamID"));
        EXPECT_EQ(At(t, "Position"), QString::number(i - 10));
        EXPECT_EQ(At(t, "Matches"), "5"); // rounds 1..5 played before the round
        for (const char* e : {"TeamName", "GoalsFor", "GoalsAgainst", "Points"})
            EXPECT_FALSE(At(t, e).isEmpty());
    }
    EXPECT_TRUE(ids.contains("250101"));
    EXPECT_EQ(At(details, "LeagueName"), "England");
    EXPECT_FALSE(At(details, "MaxLevel").isEmpty());

    const QDomElement fixtures = Get(demo, "leaguefixtures", {}, start);
    EXPECT_NE(Child(fixtures, 7).tagName(), "Match");
    EXPECT_EQ(ChildCount(fixtures), 8 + 56);
    int unplayed = 0;
    for (int i = 8; i <= 63; ++i) {
        const QDomElement m = Child(fixtures, i);
        ASSERT_EQ(m.tagName(), "Match");
        EXPECT_EQ(At(m, "MatchRound"), QString::number((i - 8) / 4 + 1));
        EXPECT_FALSE(At(m, "HomeTeam/HomeTeamName").isEmpty());
        EXPECT_FALSE(At(m, "AwayTeam/AwayTeamName").isEmpty());
        if (At(m, "HomeGoals").isEmpty())
            ++unplayed;
    }
    EXPECT_EQ(unplayed, 9 * 4);

    // The older layout (the second user's, or asked for) lacks ActionType: everything one place earlier.
    for (const QDomElement& old :
         {Get(scout, "leaguedetails", {}, start), Get(demo, "leaguedetails", {{"oldFormat", "1"}}, start)}) {
        EXPECT_EQ(Child(old, 10).tagName(), "Team");
        EXPECT_EQ(At(old, "ActionType"), "");
    }
    EXPECT_EQ(Child(Get(scout, "leaguefixtures", {}, start), 7).tagName(), "Match");
}

TEST_F(WorldTest, TheLeagueRoundIsTheEarliestNextMatchOfAllEightTeams) {
    const QDomElement details = Get(demo, "leaguedetails", {}, start);
    QSet<QString> matches;
    for (int i = 11; i <= 18; ++i) {
        const QDomElement next = NextMatch(demo, At(Child(details, i), "TeamID"), start);
        EXPECT_EQ(At(next, "MatchDate"), kickOff.toString("yyyy-MM-dd HH:mm:ss"));
        EXPECT_EQ(At(next, "MatchType"), "1");
        matches.insert(At(next, "MatchID"));
    }
    EXPECT_EQ(matches.size(), 4);
    // During the round the running match is still the next one; afterwards the following round's.
    EXPECT_EQ(At(NextMatch(demo, "250101", kickOff.addSecs(30 * 60)), "Status"), "ONGOING");
    EXPECT_EQ(At(NextMatch(demo, "250101", kickOff.addSecs(3 * 3600)), "MatchDate").left(10),
              kickOff.addDays(4).toString("yyyy-MM-dd"));
}

TEST_F(WorldTest, LiveListAddViewAndDeletePerUser) {
    const QString own = At(NextMatch(demo, "250101", start), "MatchID");
    QDomElement live = Live(demo, "addMatch", own, start);
    EXPECT_EQ(At(live, "MatchList/Match/MatchID"), own);
    EXPECT_EQ(At(live, "MatchList/Match/IsYouth"), "False");
    EXPECT_EQ(ChildCount(Live(demo, "addMatch", own, start).firstChildElement("MatchList")), 1); // no twice
    Live(demo, "addMatch", "130000002", start, true);
    live = Live(demo, "viewNew", "", start);
    ASSERT_EQ(ChildCount(live.firstChildElement("MatchList")), 2);
    EXPECT_EQ(At(Child(live.firstChildElement("MatchList"), 1), "IsYouth"), "True");
    EXPECT_EQ(ChildCount(Live(scout, "viewNew", "", start).firstChildElement("MatchList")), 0);
    // A youth match is found only with the youth flag; an unknown match gives the error document.
    EXPECT_FALSE(At(Live(demo, "addMatch", "130000002", start), "ErrorCode").isEmpty());
    EXPECT_FALSE(At(Live(demo, "addMatch", "1", start), "ErrorCode").isEmpty());
    Live(demo, "deleteMatch", own, start);
    live = Live(demo, "viewNew", "", start);
    ASSERT_EQ(ChildCount(live.firstChildElement("MatchList")), 1);
    EXPECT_EQ(At(live, "MatchList/Match/MatchID"), "130000002");
}

// Like the game: events appear as the minutes pass, numbered with the game's Index (rising, not from
// 0, with gaps); an add answers every event so far, viewNew only what the user has not been sent.
TEST_F(WorldTest, EventsAppearAsTheMinutesPass) {
    const QString own = At(NextMatch(demo, "250101", start), "MatchID");
    Live(demo, "addMatch", own, start);
    QStringList sent; // the Index values the user was sent, in order
    auto poll = [&](const QDateTime& now, int maxMinute) {
        const QDomElement live = Live(demo, "viewNew", "", now);
        EXPECT_EQ(At(live, "FetchedDate"), now.toString("yyyy-MM-dd HH:mm:ss"));
        const QDomElement list =
            live.firstChildElement("MatchList").firstChildElement("Match").firstChildElement("EventList");
        for (QDomElement e = list.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            sent << e.attribute("Index");
            EXPECT_LE(At(e, "Minute").toInt(), maxMinute);
            for (const char* c :
                 {"SubjectPlayerID", "SubjectTeamID", "ObjectPlayerID", "EventKey", "EventText"})
                EXPECT_FALSE(e.firstChildElement(c).isNull()) << c;
        }
        return list;
    };
    EXPECT_TRUE(poll(start, 0).firstChildElement().isNull()); // nothing before kick-off
    EXPECT_GE(ChildCount(poll(kickOff, 0)), 4);               // line-ups, formations, weather, kick-off
    EXPECT_EQ(ChildCount(poll(kickOff, 0)), 0);               // sent once only
    poll(kickOff.addSecs(30 * 60), 30);
    poll(kickOff.addSecs(55 * 60), 45);                           // the half-time break
    EXPECT_EQ(ChildCount(poll(kickOff.addSecs(60 * 60), 45)), 0); // nothing new during it
    EXPECT_FALSE(At(poll(kickOff.addSecs(100 * 60), 85).lastChildElement(), "EventKey").startsWith("599_"));
    const QDomElement after = poll(kickOff.addSecs(110 * 60), 99);
    EXPECT_TRUE(At(after.lastChildElement(), "EventKey").startsWith("599_"));
    EXPECT_GE(At(after.lastChildElement(), "Minute").toInt(), 90);
    EXPECT_EQ(At(NextMatch(demo, "250101", kickOff.addSecs(110 * 60)), "MatchID") == own, false);

    // The game's numbering: from above 0, rising, with gaps.
    ASSERT_GT(sent.size(), 20);
    EXPECT_GT(sent.first().toInt(), 0);
    for (int i = 1; i < sent.size(); ++i)
        EXPECT_GT(sent[i].toInt(), sent[i - 1].toInt()) << i;
    EXPECT_GT(sent.last().toInt() - sent.first().toInt() + 1, sent.size());
}

// The ways the game may answer: every event so far again, or out of order.
TEST_F(WorldTest, LiveAnswersThatRepeatOrDisorderTheirEvents) {
    const QString own = At(NextMatch(demo, "250101", start), "MatchID");
    auto indexes = [&](const QString& action, LiveAnswerMode mode) {
        const Params p{{"actionType", action}, {"matchID", own}};
        const QDomElement root = Root(world.Answer(demo, "live", p, kickOff.addSecs(40 * 60), mode).body);
        QVector<int> result;
        for (QDomElement e = root.firstChildElement("MatchList")
                                 .firstChildElement("Match")
                                 .firstChildElement("EventList")
                                 .firstChildElement();
             !e.isNull(); e = e.nextSiblingElement())
            result << e.attribute("Index").toInt();
        return result;
    };
    const QVector<int> all = indexes("addMatch", {});
    ASSERT_GT(all.size(), 5);
    EXPECT_TRUE(indexes("viewNew", {}).isEmpty());
    EXPECT_EQ(indexes("viewNew", {.repeat = true, .disorder = false}), all);
    QVector<int> shuffled = indexes("viewNew", {.repeat = true, .disorder = true});
    EXPECT_NE(shuffled, all);
    std::sort(shuffled.begin(), shuffled.end());
    EXPECT_EQ(shuffled, all);
}

TEST_F(WorldTest, DetailsAndLineupOfAFinishedMatch) {
    const QString own = At(NextMatch(demo, "250101", start), "MatchID");
    const Params lineup{{"version", "1.3"}, {"matchID", own}, {"teamID", "250101"}};
    EXPECT_EQ(At(Get(demo, "matchlineup", lineup, start), "Team/Lineup/Player/PlayerID"), "");
    const QDateTime end = kickOff.addSecs(2 * 3600);
    const QDomElement details = Get(demo, "matchdetails", {{"matchID", own}}, end).firstChildElement("Match");
    for (const char* e : {"Arena/ArenaName", "Arena/WeatherID", "Arena/SoldTotal", "HomeTeam/Dress",
                          "AwayTeam/Dress", "HomeTeam/HomeGoals", "AwayTeam/AwayGoals", "HomeTeam/TacticType",
                          "HomeTeam/TacticSkill", "HomeTeam/RatingMidfield", "HomeTeam/RatingRightDef",
                          "HomeTeam/RatingMidDef", "HomeTeam/RatingLeftDef", "HomeTeam/RatingRightAtt",
                          "HomeTeam/RatingMidAtt", "HomeTeam/RatingLeftAtt", "AwayTeam/RatingLeftAtt",
                          "HomeTeam/HomeTeamName", "AwayTeam/AwayTeamName"})
        EXPECT_FALSE(At(details, e).isEmpty()) << e;
    EXPECT_EQ(At(details, "HomeTeam/Dress"), "X0012"); // the demo team's designed kit
    EXPECT_FALSE(At(details, "HomeTeam/TeamAttitude").isEmpty());

    const QDomElement team = Get(demo, "matchlineup", lineup, end).firstChildElement("Team");
    EXPECT_FALSE(At(team, "ExperienceLevel").isEmpty());
    QMap<QString, QStringList> byRole; // role -> player IDs in order
    for (QDomElement p = team.firstChildElement("Lineup").firstChildElement(); !p.isNull();
         p = p.nextSiblingElement()) {
        byRole[At(p, "RoleID")].append(At(p, "PlayerID"));
        // Like the game's answers: set pieces and captain carry a name only, replaced players no behaviour.
        const int role = At(p, "RoleID").toInt();
        EXPECT_FALSE(At(p, "PlayerName").isEmpty());
        EXPECT_EQ(At(p, "RatingStars").isEmpty(), role == 17 || role == 18) << role;
        EXPECT_EQ(p.firstChildElement("Behaviour").isNull(), role >= 17) << role;
    }
    for (int role = 1; role <= 11; ++role)
        EXPECT_FALSE(byRole.value(QString::number(role)).isEmpty()) << role;
    EXPECT_EQ(byRole.value("17").size(), 1);
    EXPECT_EQ(byRole.value("18").size(), 1);
    // The injured player left: his box entry comes first, his replacement second.
    ASSERT_EQ(byRole.value("19").size(), 1);
    const QString out = byRole.value("19").first();
    bool found = false;
    for (int role = 1; role <= 11; ++role) {
        const QStringList ids = byRole.value(QString::number(role));
        if (ids.first() == out) {
            found = true;
            EXPECT_EQ(ids.size(), 2);
        }
    }
    EXPECT_TRUE(found);
    const QString level = At(Get(demo, "playerdetails", {{"playerId", out}}, end), "Player/InjuryLevel");
    EXPECT_GE(level.toInt(), 1);
    EXPECT_EQ(At(Get(demo, "playerdetails", {{"playerId", out}}, start), "Player/InjuryLevel"), "-1");
    // A team that did not play the match gets an error.
    EXPECT_FALSE(
        At(Get(demo, "matchlineup", {{"matchID", own}, {"teamID", "260201"}}, end), "ErrorCode").isEmpty());
    // No match ID: no Match element (the details step that asks with an empty ID reads empty texts).
    EXPECT_TRUE(Get(demo, "matchdetails", {{"matchID", ""}}, end).firstChildElement("Match").isNull());
}

// As in the game's answers, the second half's possession comes with the final whistle; the finished
// youth match replaced a player on each side, whose details are a youth player's.
TEST_F(WorldTest, PossessionAtTheWhistleAndReplacedYouthPlayers) {
    const WorldScenario scenario(WorldScenario::DefaultSeed);
    for (const WorldMatch& m : scenario.Matches()) {
        int possession = -1;
        for (const WorldEvent& e : m.events)
            if ((e.key.startsWith("40_") || e.key.startsWith("47_")) && e.minute > 45)
                possession = e.minute;
        if (m.endMinute > 0) { // not a walkover
            EXPECT_EQ(possession, m.endMinute) << m.id;
        }
    }
    const QDateTime late = kickOff.addDays(1);
    for (const char* team : {"2701002", "2701001"}) {
        const Params lineup{{"matchID", "130000001"}, {"teamID", team}, {"isYouth", "true"}};
        QString replaced;
        const QDomElement list =
            Get(demo, "matchlineup", lineup, late).firstChildElement("Team").firstChildElement("Lineup");
        for (QDomElement p = list.firstChildElement(); !p.isNull(); p = p.nextSiblingElement())
            if (At(p, "RoleID") == "19")
                replaced = At(p, "PlayerID");
        ASSERT_FALSE(replaced.isEmpty()) << team;
        EXPECT_EQ(At(Get(demo, "playerdetails", {{"playerId", replaced}, {"isYouth", "true"}}, late),
                     "Player/PlayerID"),
                  replaced);
        EXPECT_FALSE(At(Get(demo, "playerdetails", {{"playerId", replaced}}, late), "ErrorCode").isEmpty());
    }
}

TEST_F(WorldTest, TheDemoRoundBooksAPlayerWithTwoCardsOnRecord) {
    const QString own = At(NextMatch(demo, "250101", start), "MatchID");
    const QDomElement match = Live(demo, "addMatch", own, kickOff.addSecs(3 * 3600))
                                  .firstChildElement("MatchList")
                                  .firstChildElement("Match");
    bool thirdCard = false;
    for (QDomElement e = match.firstChildElement("EventList").firstChildElement(); !e.isNull();
         e = e.nextSiblingElement()) {
        if (!At(e, "EventKey").startsWith("510_") && !At(e, "EventKey").startsWith("511_"))
            continue;
        const QDomElement list = Get(demo, "players", {{"teamID", At(e, "SubjectTeamID")}}, start)
                                     .firstChildElement("Team")
                                     .firstChildElement("PlayerList");
        for (QDomElement p = list.firstChildElement(); !p.isNull(); p = p.nextSiblingElement())
            if (At(p, "PlayerID") == At(e, "SubjectPlayerID") && At(p, "Cards") == "2")
                thirdCard = true;
    }
    EXPECT_TRUE(thirdCard);
    const QDomElement players = Get(demo, "players", {{"teamID", "250101"}}, start).firstChildElement("Team");
    EXPECT_EQ(At(players, "TeamName"), "Velkaro Demo FC");
    int goals = 0;
    for (QDomElement p = players.firstChildElement("PlayerList").firstChildElement(); !p.isNull();
         p = p.nextSiblingElement())
        goals += At(p, "LeagueGoals").toInt();
    EXPECT_GT(goals, 0);
}

TEST_F(WorldTest, TheScenarioHoldsEveryKindOfMatchAndCommentary) {
    const WorldScenario scenario(WorldScenario::DefaultSeed);
    const QDateTime late = kickOff.addDays(60);
    QSet<int> types;
    QString allText;
    int youthMatches = 0, nationalMatches = 0, replayable = 0;
    for (const WorldMatch& m : scenario.Matches()) {
        const QDomElement match = Live(demo, "addMatch", QString::number(m.id), late, m.youth)
                                      .firstChildElement("MatchList")
                                      .lastChildElement();
        ASSERT_EQ(At(match, "MatchID"), QString::number(m.id));
        Live(demo, "deleteMatch", QString::number(m.id), late, m.youth);
        youthMatches += m.youth && At(match, "IsYouth") == "True";
        nationalMatches += m.home.teamId >= 3000 && m.home.teamId <= 3252;
        if (m.date < start && !m.youth)
            ++replayable;
        for (QDomElement e = match.firstChildElement("EventList").firstChildElement(); !e.isNull();
             e = e.nextSiblingElement()) {
            types.insert(At(e, "EventKey").section('_', 0, 0).toInt());
            allText += At(e, "EventText");
        }
    }
    EXPECT_GE(youthMatches, 2);
    EXPECT_GE(nationalMatches, 2);
    EXPECT_GE(replayable, 30);
    for (int t :
         {21, 20, 25, 26, 27, 30, 40, 45, 47, 90, 91, 92, 352, 501, 502, 510, 512, 514, 597, 598, 599})
        EXPECT_TRUE(types.contains(t)) << t;
    for (const char* form :
         {"=\"/Club/Players/Player.aspx?playerId=", "=\"/Club/Players/YouthPlayer.aspx?YouthPlayerID=",
          "=\"/Common/Players/PlayerDetails.aspx?playerId=", "=\"/Common/PlayerDetails.asp?PlayerID=",
          "=\"/Common/YouthPlayerDetails.aspx?YouthPlayerID=", "=\"PlayerDetails.asp?playerID="})
        EXPECT_TRUE(allText.contains(QString("<a href") + form)) << form;
    EXPECT_TRUE(allText.contains(QRegularExpression("\\d - \\d")));
    EXPECT_TRUE(allText.contains(QRegularExpression("\\d% ")));
    EXPECT_TRUE(allText.contains("<br /><br />&bull;&nbsp;"));
    EXPECT_TRUE(allText.contains("<BR><BR>&bull;&nbsp;"));
}

TEST_F(WorldTest, SameSeedAndClockGiveTheSameDocuments) {
    World other;
    const QDateTime now = kickOff.addSecs(77 * 60);
    for (const auto& [file, params] :
         QList<QPair<QString, Params>>{{"team", {}},
                                       {"leaguedetails", {}},
                                       {"leaguefixtures", {}},
                                       {"matches", {{"teamID", "250101"}}},
                                       {"players", {{"teamID", "250103"}}},
                                       {"matchdetails", {{"matchID", "712000021"}}},
                                       {"matchlineup", {{"matchID", "712500001"}}},
                                       {"live", {{"actionType", "addMatch"}, {"matchID", "712000022"}}}})
        EXPECT_EQ(world.Answer(demo, file, params, now).body, other.Answer(demo, file, params, now).body)
            << file.toStdString();
}

TEST_F(WorldTest, DesignedKitsHaveGifPictures) {
    const QByteArray gif = world.KitPicture("25/250101/X.250101.12.Shirt.gif");
    EXPECT_TRUE(gif.startsWith("GIF89a"));
    EXPECT_EQ(gif, world.KitPicture("/25/250101/X.250101.12.Shirt.gif"));
    for (const char* none : {"25/250101/X.250101.13.Shirt.gif", "26/250101/X.250101.12.Shirt.gif",
                             "25/250102/B.250102.30405.Shirt.gif", "../../etc/passwd"})
        EXPECT_TRUE(world.KitPicture(none).isEmpty()) << none;
}

} // namespace
