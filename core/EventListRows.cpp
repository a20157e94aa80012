#include "core/EventListRows.h"

#include "core/DataStore.h"

namespace {

bool ShowsEventRow(const TBKStringGrid& list, int listRow, const TBKStringGrid& events, int row) {
    if (events.Cells(EventColumn::EventNumber, row).isEmpty())
        return false;
    const QString minute = list.Cells(EventListColumn::Minute, listRow);
    const QString eventMinute = events.Cells(EventColumn::EventMinute, row);
    return list.Cells(EventListColumn::EventTypeKey, listRow) ==
               events.Cells(EventColumn::EventTypeKey, row) &&
           list.Cells(EventListColumn::EventHtml, listRow) == events.Cells(EventColumn::EventHtml, row) &&
           list.Cells(EventListColumn::SubjectPlayerId, listRow) ==
               events.Cells(EventColumn::SubjectPlayerId, row) &&
           list.Cells(EventListColumn::SubjectTeamId, listRow) ==
               events.Cells(EventColumn::SubjectTeamId, row) &&
           list.Cells(EventListColumn::ObjectPlayerId, listRow) ==
               events.Cells(EventColumn::ObjectPlayerId, row) &&
           minute.size() == eventMinute.size() + 1 && minute.startsWith(eventMinute) &&
           minute.endsWith(QLatin1Char('\''));
}

} // namespace

int EventListRowsKept(const TBKStringGrid& list, const TBKStringGrid& events) {
    // The list's last row is always the empty one.
    const int shown = list.RowCount() - 2;
    int kept = 0;
    while (kept < shown && kept < events.RowCount() && ShowsEventRow(list, kept + 1, events, kept))
        ++kept;
    return kept;
}
