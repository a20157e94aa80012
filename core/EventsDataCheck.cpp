#include "core/EventsDataCheck.h"

#include "core/DataStore.h"
#include "platform/Exceptions.h"
#include "platform/TextFile.h"

namespace {

bool isShortNumber(const QString& text, int maxDigits) {
    if (text.size() > maxDigits)
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

bool EventsDataFileIsSound(const QString& BaseDir) {
    DataStore store; // the table as the program shapes it
    TBKStringGrid& table = store.BKStringGridEventsData;
    QStringList lines;
    try {
        lines = TextFile::ReadLines(BaseDir + EventsDataFile);
    } catch (const Exception&) {
        return false;
    }
    constexpr int headerLines = 4;
    if (lines.size() != headerLines + qsizetype(table.RowCount()) * table.ColCount() ||
        lines.first() != QLatin1String("TBKStringGrid"))
        return false;
    if (!store.LoadEventsData(BaseDir))
        return false;
    int types = 0;
    for (int r = table.FixedRows(); r < table.RowCount(); ++r) {
        const QString code = table.Cells(EventsDataColumn::EventTypeCode, r);
        if (!code.isEmpty()) {
            if (code.size() != 3 || !isShortNumber(code, 3))
                return false;
            ++types;
        }
        for (int c = EventsDataColumn::EventTypeCode + 1; c < table.ColCount(); ++c)
            if (!isShortNumber(table.Cells(c, r), 3))
                return false;
    }
    return types > 0;
}
