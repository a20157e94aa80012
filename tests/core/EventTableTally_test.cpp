#include "core/EventTableTally.h"

#include "core/DataStore.h"

#include <gtest/gtest.h>

namespace {

const QString Home = QStringLiteral("250101");
const QString Away = QStringLiteral("250103");
const QString Goal = QStringLiteral(",0,0,0,,0,");

struct Row {
    QString team, key, html, eventClass;
};

void Append(TBKStringGrid& t, const Row& row) {
    const int r = t.RowCount() - 1;
    t.SetCells(EventColumn::EventNumber, r, QString::number(r + 1));
    t.SetCells(EventColumn::SubjectTeamId, r, row.team);
    t.SetCells(EventColumn::EventTypeKey, r, row.key);
    t.SetCells(EventColumn::EventHtml, r, row.html);
    t.SetCells(EventColumn::EventClass, r, row.eventClass);
    t.SetRowCount(t.RowCount() + 1);
}

} // namespace

// Followed row by row while events are appended, the tally gives what a count over the whole table
// gives after each event: goals by side, the first lineup text for home and the last further one
// for away (an empty first lineup text leaves home to the next one).
TEST(EventTableTally, FollowsAppendedRowsLikeAWholeCount) {
    TBKStringGrid t;
    ShapeTable(t, EventColumn::Count, 1);
    const struct {
        Row row;
        int home, away;
        const char* homeLineup;
        const char* awayLineup;
    } steps[] = {
        {{Home, "21_1", "", ""}, 0, 0, "", ""},
        {{Home, "21_1", "home side", ""}, 0, 0, "home side", ""},
        {{Away, "21_2", "away side", ""}, 0, 0, "home side", "away side"},
        {{Home, "100_1", "", Goal}, 1, 0, "home side", "away side"},
        {{Away, "141_0", "", ",0,1,0,,0,"}, 1, 0, "home side", "away side"}, // a missed chance
        {{Away, "140_0", "", Goal}, 1, 1, "home side", "away side"},
        {{Away, "21_3", "late lineup", ""}, 1, 1, "home side", "late lineup"},
        {{"0", "QZ_3Tarjeta_", "", "QZ_3Tarjeta_"}, 1, 1, "home side", "late lineup"},
    };
    EventTableTally tally;
    for (const auto& step : steps) {
        Append(t, step.row);
        const int last = t.RowCount() - 2;
        const EventTableTally::Score score = tally.GoalsUpTo(t, last, Home);
        QString home, away;
        tally.LineupsUpTo(t, last, home, away);
        EXPECT_EQ(score.Home, step.home) << last;
        EXPECT_EQ(score.Away, step.away) << last;
        EXPECT_EQ(home, step.homeLineup) << last;
        EXPECT_EQ(away, step.awayLineup) << last;
    }

    // Asked about fewer rows than it has read, or for the other side, it counts from row 0 again.
    EXPECT_EQ(tally.GoalsUpTo(t, 3, Home).Home, 1);
    EXPECT_EQ(tally.GoalsUpTo(t, 3, Home).Away, 0);
    EXPECT_EQ(tally.GoalsUpTo(t, t.RowCount() - 2, Away).Home, 1);
    EXPECT_EQ(tally.GoalsUpTo(t, t.RowCount() - 2, Away).Away, 1);
    QString home, away;
    tally.LineupsUpTo(t, 1, home, away);
    EXPECT_EQ(home, "home side");
    EXPECT_EQ(away, "");
}
