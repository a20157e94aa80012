#include "core/EventTableTally.h"

#include "core/DataStore.h"

EventTableTally::Score EventTableTally::GoalsUpTo(const TBKStringGrid& table, int lastRow,
                                                  const QString& homeTeamId) {
    if (lastRow + 1 < goalRows_ || homeTeamId != homeTeam_) {
        goalRows_ = 0;
        score_ = {};
        homeTeam_ = homeTeamId;
    }
    for (; goalRows_ <= lastRow; ++goalRows_) {
        if (!table.Cells(EventColumn::EventClass, goalRows_).startsWith(QLatin1String(",0,0")))
            continue;
        if (table.Cells(EventColumn::SubjectTeamId, goalRows_) == homeTeamId)
            ++score_.Home;
        else
            ++score_.Away;
    }
    return score_;
}

void EventTableTally::LineupsUpTo(const TBKStringGrid& table, int lastRow, QString& home, QString& away) {
    if (lastRow + 1 < lineupRows_) {
        lineupRows_ = 0;
        homeLineup_.clear();
        awayLineup_.clear();
    }
    for (; lineupRows_ <= lastRow; ++lineupRows_) {
        if (!table.Cells(EventColumn::EventTypeKey, lineupRows_).startsWith(QLatin1String("21_")))
            continue;
        if (homeLineup_.isEmpty())
            homeLineup_ = table.Cells(EventColumn::EventHtml, lineupRows_);
        else
            awayLineup_ = table.Cells(EventColumn::EventHtml, lineupRows_);
    }
    home = homeLineup_;
    away = awayLineup_;
}
