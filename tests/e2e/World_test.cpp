// The substitute service's world, driven directly (no HTTP): users, the live list and the clock, as the
// game answers live requests.
#include "scenario/World.h"

#include <QDomDocument>
#include <gtest/gtest.h>

namespace {

using Params = QMap<QString, QString>;

QDomElement Root(const QByteArray& xml) {
    QDomDocument doc;
    EXPECT_TRUE(static_cast<bool>(doc.setContent(xml))) << xml.left(300).constData();
    EXPECT_EQ(doc.documentElement().tagName(), "HattrickData");
    return doc.documentElement();
}

// The element found by a path of child names ("Team/TeamID").
QDomElement Find(const QDomElement& e, const QString& path) {
    QDomElement x = e;
    for (const QString& part : path.split('/'))
        x = x.firstChildElement(part);
    return x;
}

QString At(const QDomElement& e, const QString& path) {
    return Find(e, path).text();
}

// Element children only, as the program's readers count them.
QList<QDomElement> Children(const QDomElement& e) {
    QList<QDomElement> list;
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        list << c;
    return list;
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
    // The events of the first match of a live answer.
    static QList<QDomElement> Events(const QDomElement& live) {
        return Children(Find(live, "MatchList/Match/EventList"));
    }
    // The first match of a team's list that is not finished (what the program follows next).
    QDomElement NextMatch(int user, const QString& teamId, const QDateTime& now) {
        for (const QDomElement& m :
             Children(Find(Get(user, "matches", {{"teamID", teamId}}, now), "Team/MatchList")))
            if (At(m, "Status") != "FINISHED")
                return m;
        return {};
    }
};

// Users by name and code, each with a live list of its own. (The team, world, bookmark and league
// answers are read through the service by ClientService_test and the window tests.)
TEST_F(WorldTest, LiveListAddViewAndDeletePerUser) {
    EXPECT_NE(demo, scout);
    EXPECT_EQ(world.Login("DEMO", "velkaro"), demo);
    EXPECT_FALSE(world.Login("demo", "wrong").has_value());
    EXPECT_FALSE(world.Login("", "").has_value());
    EXPECT_FALSE(At(Root(world.Answer(999, "team", {}, start).body), "ErrorCode").isEmpty());
    const QString own = At(NextMatch(demo, "250101", start), "MatchID");
    QDomElement live = Live(demo, "addMatch", own, start);
    EXPECT_EQ(At(live, "MatchList/Match/MatchID"), own);
    EXPECT_EQ(At(live, "MatchList/Match/IsYouth"), "False");
    EXPECT_EQ(Children(Find(Live(demo, "addMatch", own, start), "MatchList")).size(), 1); // not twice
    Live(demo, "addMatch", "130000002", start, true);
    const QList<QDomElement> both = Children(Find(Live(demo, "viewNew", "", start), "MatchList"));
    ASSERT_EQ(both.size(), 2);
    EXPECT_EQ(At(both[1], "IsYouth"), "True");
    EXPECT_TRUE(Children(Find(Live(scout, "viewNew", "", start), "MatchList")).isEmpty());
    // A youth match is found only with the youth flag; an unknown match gives the error document.
    EXPECT_FALSE(At(Live(demo, "addMatch", "130000002", start), "ErrorCode").isEmpty());
    EXPECT_FALSE(At(Live(demo, "addMatch", "1", start), "ErrorCode").isEmpty());
    Live(demo, "deleteMatch", own, start);
    live = Live(demo, "viewNew", "", start);
    ASSERT_EQ(Children(Find(live, "MatchList")).size(), 1);
    EXPECT_EQ(At(live, "MatchList/Match/MatchID"), "130000002");
}

// Like the game: events appear as the minutes pass, numbered with the game's Index (rising, not from
// 0, with gaps); an add answers every event so far, viewNew only what the user has not been sent, or
// (as the game may) every event so far again, or out of order.
TEST_F(WorldTest, EventsAppearAsTheMinutesPass) {
    const QString own = At(NextMatch(demo, "250101", start), "MatchID");
    Live(demo, "addMatch", own, start);
    QStringList sent; // the Index values the user was sent, in order
    auto poll = [&](int minutes, int maxMinute) {
        const QDateTime now = kickOff.addSecs(minutes * 60);
        const QDomElement live = Live(demo, "viewNew", "", now);
        EXPECT_EQ(At(live, "FetchedDate"), now.toString("yyyy-MM-dd HH:mm:ss"));
        const QList<QDomElement> events = Events(live);
        for (const QDomElement& e : events) {
            sent << e.attribute("Index");
            EXPECT_LE(At(e, "Minute").toInt(), maxMinute);
            for (const char* c :
                 {"SubjectPlayerID", "SubjectTeamID", "ObjectPlayerID", "EventKey", "EventText"})
                EXPECT_FALSE(e.firstChildElement(c).isNull()) << c;
        }
        return events;
    };
    EXPECT_TRUE(poll(-5, 0).isEmpty()); // nothing before kick-off
    EXPECT_GE(poll(0, 0).size(), 4);    // line-ups, formations, weather, kick-off
    EXPECT_TRUE(poll(0, 0).isEmpty());  // sent once only
    poll(30, 30);
    poll(55, 45);                        // the half-time break
    EXPECT_TRUE(poll(60, 45).isEmpty()); // nothing new during it
    EXPECT_FALSE(At(poll(100, 85).last(), "EventKey").startsWith("599_"));
    const QList<QDomElement> after = poll(110, 99);
    EXPECT_TRUE(At(after.last(), "EventKey").startsWith("599_"));
    EXPECT_GE(At(after.last(), "Minute").toInt(), 90);
    EXPECT_NE(At(NextMatch(demo, "250101", kickOff.addSecs(110 * 60)), "MatchID"), own);

    ASSERT_GT(sent.size(), 20);
    EXPECT_GT(sent.first().toInt(), 0);
    for (int i = 1; i < sent.size(); ++i)
        EXPECT_GT(sent[i].toInt(), sent[i - 1].toInt()) << i;
    EXPECT_GT(sent.last().toInt() - sent.first().toInt() + 1, sent.size());

    auto indexes = [&](const QString& action, LiveAnswerMode mode) {
        const Params p{{"actionType", action}, {"matchID", own}};
        QVector<int> result;
        for (const QDomElement& e :
             Events(Root(world.Answer(scout, "live", p, kickOff.addSecs(40 * 60), mode).body)))
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

} // namespace
