#pragma once
// The match view's event list is written from a slot's event table, one list row per event row (list
// row 0 holds the captions). A poll's refresh of the match shown mostly adds events at the end: the
// rows the list already shows as they would be written again are kept, and only the others written.
#include "core/BKStringGrid.h"

#include <QString>

// Columns of the event list copied from the event table (the others are worked out from these).
namespace EventListColumn {
enum Value : int {
    EventTypeKey = 0,
    EventHtml = 1,
    Minute = 4, // the event's minute and "'"
    SubjectPlayerId = 7,
    SubjectTeamId = 8,
    ObjectPlayerId = 9,
};
} // namespace EventListColumn

// How many leading event rows of `list` (rows 1..) hold what event rows 0.. of `events` would write:
// the copied cells are equal. The written cells depend only on these and on the rows above, so the
// kept rows need not be written again.
int EventListRowsKept(const TBKStringGrid& list, const TBKStringGrid& events);
