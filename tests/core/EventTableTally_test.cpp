#include "core/EventTableTally.h"

#include "core/DataStore.h"
#include "core/ReplayProgress.h"

#include <gtest/gtest.h>

// Followed row by row while events are appended, the tally gives what a count over the whole table
// gives after each event: goals by side, the first lineup text for home and the last further one
// for away (an empty first lineup text leaves home to the next one).
TEST(EventTableTally, FollowsAppendedRowsLikeAWholeCount) {
    const QString Home = "250101", Away = "250103", Goal = ",0,0,0,,0,";
    TBKStringGrid t;
    ShapeTable(t, EventColumn::Count, 1);
    const struct {
        QString team, key, html, eventClass;
        int home, away;
        const char *homeLineup, *awayLineup;
    } steps[] = {
        {Home, "21_1", "", "", 0, 0, "", ""},
        {Home, "21_1", "home side", "", 0, 0, "home side", ""},
        {Away, "21_2", "away side", "", 0, 0, "home side", "away side"},
        {Home, "100_1", "", Goal, 1, 0, "home side", "away side"},
        {Away, "141_0", "", ",0,1,0,,0,", 1, 0, "home side", "away side"}, // a missed chance
        {Away, "140_0", "", Goal, 1, 1, "home side", "away side"},
        {Away, "21_3", "late lineup", "", 1, 1, "home side", "late lineup"},
        {"0", "QZ_3Tarjeta_", "", "QZ_3Tarjeta_", 1, 1, "home side", "late lineup"},
    };
    EventTableTally tally;
    for (const auto& s : steps) {
        AppendRow(t, {QString::number(t.RowCount()), "", "", s.team, "", s.key, s.html, s.eventClass});
        const int last = t.RowCount() - 2;
        const EventTableTally::Score score = tally.GoalsUpTo(t, last, Home);
        QString home, away;
        tally.LineupsUpTo(t, last, home, away);
        EXPECT_EQ(QList<int>({score.Home, score.Away}), QList<int>({s.home, s.away})) << last;
        EXPECT_EQ(QStringList({home, away}), QStringList({s.homeLineup, s.awayLineup})) << last;
    }
    // Asked about fewer rows than it has read, or for the other side, it counts from row 0 again.
    const EventTableTally::Score early = tally.GoalsUpTo(t, 3, Home);
    EXPECT_EQ(QList<int>({early.Home, early.Away}), QList<int>({1, 0}));
    const EventTableTally::Score other = tally.GoalsUpTo(t, t.RowCount() - 2, Away);
    EXPECT_EQ(QList<int>({other.Home, other.Away}), QList<int>({1, 1}));
    QString home, away;
    tally.LineupsUpTo(t, 1, home, away);
    EXPECT_EQ(QStringList({home, away}), QStringList({"home side", ""}));
}

// A replay step releases in each slot every minute after the slot's last released one up to the step's
// own; a slot loaded later catches up from the start, and no minute is released twice.
TEST(ReplayProgress, EachSlotReleasesEveryMinuteOnce) {
    ReplayProgress replay;
    replay.Restart(0);
    EXPECT_TRUE(replay.Releases(0, 0, 3) && replay.Releases(0, 3, 3));
    EXPECT_FALSE(replay.Releases(0, 4, 3));
    replay.Released(0, 3);
    EXPECT_FALSE(replay.Releases(0, 3, 4));
    EXPECT_TRUE(replay.Releases(0, 4, 4));
    EXPECT_TRUE(replay.Releases(1, 2, 4)) << "a slot loaded later starts from the beginning";
    replay.Released(0, 2); // a step of an earlier minute does not take released minutes back
    EXPECT_FALSE(replay.Releases(0, 3, 5));
    replay.Restart(0);
    EXPECT_TRUE(replay.Releases(0, 3, 5));
    EXPECT_FALSE(replay.Releases(10, 1, 5) || replay.Releases(-1, 1, 5));
}
