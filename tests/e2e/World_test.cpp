// The substitute service's world driven directly: users, the live list and the clock, as the game answers.
#include "platform/XmlDocument.h"
#include "scenario/World.h"

#include <gtest/gtest.h>

namespace {

using Params = QMap<QString, QString>;

XmlNode Root(const QByteArray& xml) {
    XmlDocument doc;
    doc.SetXML(QString::fromUtf8(xml));
    EXPECT_NO_THROW(doc.SetActive(true)) << xml.left(300).constData();
    EXPECT_EQ(doc.DocumentElement().NodeName(), "HattrickData");
    return doc.DocumentElement(); // the node keeps the parsed document
}

// The names (or a child's text) of an element's children, in order.
QStringList Names(const XmlNode& parent, const QString& child = {}) {
    QStringList names;
    for (const XmlNode& n : parent.Children())
        names << (child.isEmpty() ? n.NodeName() : n.ChildText(child));
    return names;
}

// The events of the first match of a live answer.
QList<XmlNode> Events(const XmlNode& live) {
    QList<XmlNode> list;
    for (const XmlNode& e : live.Path("MatchList/Match/EventList").Children())
        list << e;
    return list;
}

class WorldTest : public ::testing::Test {
protected:
    World world;
    int demo = *world.Login("demo", "velkaro");
    int scout = *world.Login("scout", "velkaro");
    QDateTime start = world.DefaultStart();
    QDateTime kickOff = start.addSecs(5 * 60);

    XmlNode Get(int user, const QString& file, const Params& p, const QDateTime& now) {
        const WorldAnswer a = world.Answer(user, file, p, now);
        EXPECT_EQ(a.status, 200);
        return Root(a.body);
    }
    XmlNode Live(int user, const QString& action, const QString& matchId, const QDateTime& now,
                 bool youth = false) {
        Params p{{"version", "1.4"}, {"actionType", action}};
        if (!matchId.isEmpty())
            p.insert("matchID", matchId);
        if (youth)
            p.insert("isYouth", "true");
        return Get(user, "live", p, now);
    }
    // The demo team's first match that is not finished (what the program follows next).
    QString NextMatch(const QDateTime& now) {
        const XmlNode matches = Get(demo, "matches", {{"teamID", "250101"}}, now); // kept while read
        for (const XmlNode& m : matches.Path("Team/MatchList").Children())
            if (m.ChildText("Status") != "FINISHED")
                return m.ChildText("MatchID");
        return {};
    }
};

// Users by name and code, each with a live list of its own (the other answers are read by other tests).
TEST_F(WorldTest, LiveListAddViewAndDeletePerUser) {
    EXPECT_EQ(world.Login("DEMO", "velkaro"), demo);
    EXPECT_FALSE(world.Login("demo", "wrong").has_value());
    EXPECT_FALSE(world.Login("", "").has_value());
    EXPECT_FALSE(Root(world.Answer(999, "team", {}, start).body).ChildText("ErrorCode").isEmpty());
    const QString own = NextMatch(start);
    XmlNode live = Live(demo, "addMatch", own, start);
    EXPECT_EQ(live.ChildText("MatchList/Match/MatchID"), own);
    EXPECT_EQ(live.ChildText("MatchList/Match/IsYouth"), "False");
    EXPECT_EQ(Names(Live(demo, "addMatch", own, start).Path("MatchList")).size(), 1); // not twice
    Live(demo, "addMatch", "130000002", start, true);
    live = Live(demo, "viewNew", "", start);
    EXPECT_EQ(Names(live.Path("MatchList"), "IsYouth"), QStringList({"False", "True"}));
    EXPECT_TRUE(Names(Live(scout, "viewNew", "", start).Path("MatchList")).isEmpty());
    // A youth match is found only with the youth flag; an unknown match gives the error document.
    EXPECT_FALSE(Live(demo, "addMatch", "130000002", start).ChildText("ErrorCode").isEmpty());
    EXPECT_FALSE(Live(demo, "addMatch", "1", start).ChildText("ErrorCode").isEmpty());
    Live(demo, "deleteMatch", own, start);
    live = Live(demo, "viewNew", "", start);
    EXPECT_EQ(Names(live.Path("MatchList"), "MatchID"), QStringList{"130000002"});
}

// A manager's clubs, the primary last; a Swedish club's friendly (type 4) on the round's day, first.
TEST_F(WorldTest, SeveralClubsAndAFriendlyBeforeTheRound) {
    EXPECT_EQ(Names(Get(demo, "team", {{"teamID", "250101"}}, start).Path("Teams"), "TeamID"),
              QStringList({"260301", "250101"}));
    EXPECT_EQ(Names(Get(scout, "matches", {{"teamID", "260205"}}, start).Path("Team/MatchList"), "MatchType")
                  .join(""),
              "111114111111111");
}

// Like the game: events appear as the minutes pass, their Index rising, not from 0, with gaps; an add
// answers every event so far, viewNew what the user was not sent, or (as the game may) all again, shuffled.
TEST_F(WorldTest, EventsAppearAsTheMinutesPass) {
    const QString own = NextMatch(start);
    Live(demo, "addMatch", own, start);
    QStringList sent;       // the Index values the user was sent, in order
    QList<XmlNode> answers; // kept while their events are read
    auto poll = [&](int minutes, int maxMinute) {
        const QDateTime now = kickOff.addSecs(minutes * 60);
        const XmlNode live = answers.emplace_back(Live(demo, "viewNew", "", now));
        EXPECT_EQ(live.ChildText("FetchedDate"), now.toString("yyyy-MM-dd HH:mm:ss"));
        const QList<XmlNode> events = Events(live);
        for (const XmlNode& e : events) {
            sent << e.Attribute("Index");
            EXPECT_LE(e.ChildText("Minute").toInt(), maxMinute);
            for (const char* c :
                 {"SubjectPlayerID", "SubjectTeamID", "ObjectPlayerID", "EventKey", "EventText"})
                EXPECT_FALSE(e.Child(c).IsNull()) << c;
        }
        return events;
    };
    EXPECT_TRUE(poll(-5, 0).isEmpty()); // nothing before kick-off
    EXPECT_GE(poll(0, 0).size(), 4);    // line-ups, formations, weather, kick-off
    EXPECT_TRUE(poll(0, 0).isEmpty());  // sent once only
    poll(30, 30);
    poll(55, 45);                        // the half-time break
    EXPECT_TRUE(poll(60, 45).isEmpty()); // nothing new during it
    EXPECT_FALSE(poll(100, 85).last().ChildText("EventKey").startsWith("599_"));
    const XmlNode last = poll(110, 99).last();
    EXPECT_TRUE(last.ChildText("EventKey").startsWith("599_"));
    EXPECT_GE(last.ChildText("Minute").toInt(), 90);
    EXPECT_NE(NextMatch(kickOff.addSecs(110 * 60)), own);
    ASSERT_GT(sent.size(), 20);
    EXPECT_GT(sent.first().toInt(), 0);
    for (int i = 1; i < sent.size(); ++i)
        EXPECT_GT(sent[i].toInt(), sent[i - 1].toInt()) << i;
    EXPECT_GT(sent.last().toInt() - sent.first().toInt() + 1, sent.size());
    auto indexes = [&](const QString& action, LiveAnswerMode mode) {
        const Params p{{"actionType", action}, {"matchID", own}};
        QVector<int> result;
        const XmlNode live = Root(world.Answer(scout, "live", p, kickOff.addSecs(40 * 60), mode).body);
        for (const XmlNode& e : Events(live))
            result << e.Attribute("Index").toInt();
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
