// A replay step releases in each slot every minute after the slot's last released one up to the step's
// own; a slot loaded later catches up from the start, and no minute is released twice.
#include "core/ReplayProgress.h"

#include <gtest/gtest.h>

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
