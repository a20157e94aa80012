#include "core/DataStore.h"

#include "platform/TextFile.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <exception>
#include <limits>

namespace {

constexpr int RecordedListRows = 11; // caption row + one row per slot
constexpr int EventsDataRows = 601;

// A plain table of the options window: no file, no scrambling.
void SetUpHidden(TBKStringGrid& table, int cols, int rows, int fixedRows = 0) {
    table.Encryption = false;
    ShapeTable(table, cols, rows, fixedRows);
}

// A table stored in a file under the program folder, unscrambled.
void SetUpStored(TBKStringGrid& table, const QString& file, int cols, int rows, int fixedRows = 0) {
    SetUpHidden(table, cols, rows, fixedRows);
    table.Filename = file;
}

// Rows a table gets from the line count of its file: four header lines, then one line per cell.
// Integer division truncates towards zero, as the line count of a damaged file may be below four.
int RowsFromFile(const QString& path, int cols) {
    const int lines = static_cast<int>(TextFile::ReadLines(path).size());
    return std::max(1, (lines - 4) / cols);
}

std::optional<int> NumberIn(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

bool RowIsEmpty(const TBKStringGrid& table, int row) {
    for (int c = 0; c < table.ColCount(); ++c)
        if (!table.Cells(c, row).isEmpty())
            return false;
    return true;
}

template <typename Load> bool Guarded(Load load) {
    try {
        load();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

void BlankCells(TBKStringGrid& table, int firstRow) {
    for (int r = firstRow; r < table.RowCount(); ++r)
        for (int c = 0; c < table.ColCount(); ++c)
            table.SetCells(c, r, QString());
}

void ShapeTable(TBKStringGrid& table, int cols, int rows, int fixedRows) {
    table.SetFixedCols(0);
    table.SetFixedRows(0);
    table.SetColCount(cols);
    table.SetRowCount(rows);
    table.SetFixedRows(fixedRows);
}

void SetUpProxyTable(TBKStringGrid& table) {
    ShapeTable(table, 1, ProxyRow::Count);
    table.Filename = ProxyConfigFile;
    table.Encryption = true;
}

void AppendRow(TBKStringGrid& table, const QStringList& cells) {
    const int row = table.RowCount() - 1;
    for (int c = 0; c < cells.size(); ++c)
        table.SetCells(c, row, cells[c]);
    table.SetRowCount(table.RowCount() + 1);
}

QVector<NewLiveEvent> NewLiveEvents(const TBKStringGrid& table, const QVector<LiveEventRef>& answer) {
    const bool empty = table.RowCount() <= 1;
    QSet<int> held; // the Index values the table holds
    held.reserve(table.RowCount());
    int unindexed = 0; // the highest EventNumber of a row stored without Index
    for (int r = 0; r < table.RowCount() - 1; ++r) {
        if (const std::optional<int> index = NumberIn(table.Cells(EventColumn::EventIndex, r)))
            held.insert(*index);
        else
            unindexed = std::max(unindexed, NumberIn(table.Cells(EventColumn::EventNumber, r)).value_or(0));
    }

    struct Taken {
        LiveEventRef ref;
        long long order; // the Index; an event without one keeps the place after the event before it
    };
    QVector<Taken> taken;
    long long order = std::numeric_limits<long long>::min();
    for (const LiveEventRef& ref : answer) {
        if (!ref.Index && !empty)
            break;
        if (ref.Index)
            order = *ref.Index;
        if (ref.Position <= unindexed || (ref.Index && held.contains(*ref.Index)))
            continue; // held already, or given twice by the answer
        if (ref.Index)
            held.insert(*ref.Index);
        taken.append({ref, order});
    }
    std::stable_sort(taken.begin(), taken.end(),
                     [](const Taken& a, const Taken& b) { return a.order < b.order; });

    QVector<NewLiveEvent> result;
    for (const Taken& t : taken)
        result.append({t.ref.Position, t.ref.Index});
    return result;
}

QString EventoClase(const TBKStringGrid& eventsData, const QString& EventType) {
    // Every stored event, list row and panel row asks for a class: the class strings of the table
    // are built once, keyed by the first row of each code, and built again when the table changes.
    thread_local TBKStringGrid::Stamp indexedVersion;
    thread_local QHash<QString, QString> classes;
    if (indexedVersion != eventsData.Version()) {
        classes.clear();
        for (int r = 1; r < eventsData.RowCount(); ++r) {
            const QString code = eventsData.Cells(EventsDataColumn::EventTypeCode, r);
            if (classes.contains(code))
                continue; // the first row of a code wins
            QString result;
            for (int c = 1; c <= eventsData.ColCount() - 2; ++c)
                result += eventsData.Cells(c, r) + QLatin1Char(',');
            classes.insert(code, result);
        }
        indexedVersion = eventsData.Version();
    }
    QString key = EventType;
    while (key.size() < 3)
        key.prepend(QLatin1Char('0'));
    return classes.value(key);
}

namespace {
// The table reads and writes the file its Filename names; give it the full path for one operation only.
template <typename Operation> void WithFullPath(TBKStringGrid& table, const QString& AppDir, Operation op) {
    struct Restore {
        TBKStringGrid& table;
        QString relative;
        ~Restore() { table.Filename = relative; }
    } restore{table, table.Filename};
    table.Filename = AppDir + restore.relative;
    op();
}
} // namespace

void LoadTableFrom(TBKStringGrid& table, const QString& AppDir) {
    WithFullPath(table, AppDir, [&] { table.LoadFromFile(); });
}

void SaveTableTo(TBKStringGrid& table, const QString& AppDir) {
    WithFullPath(table, AppDir, [&] { table.SaveToFile(); });
}

DataStore::DataStore() {
    SetUpHidden(BKStringGrid10Partidos, MatchColumn::Count, MatchSlotCount);
    for (auto& t : eventos_)
        SetUpHidden(t, EventColumn::Count, 1);
    for (auto& t : fEventos_)
        SetUpHidden(t, EventColumn::Count, 1);
    SetUpHidden(BKStringGridEventosPanel, PanelEventColumn::Count, 1);
    SetUpHidden(BKStringGridTemp, 1, 1);
    SetUpHidden(BKStringGridTemp2, 1, 1);
    SetUpStored(BKStringGridFavoritos, FavouritesFile, FavouriteColumn::Count, 1);
    SetUpStored(BKStringGridListaGrabada, RecordedListFile, RecordedColumn::Count, RecordedListRows, 1);
    SetUpStored(BKStringGridEventsData, EventsDataFile, EventsDataColumn::Count, EventsDataRows, 1);
    SetUpStored(BKStringGridSonidos, SoundsFile, 1, SoundRow::Count);
}

QString DataStore::EventoClase(const QString& EventType) const {
    return ::EventoClase(BKStringGridEventsData, EventType);
}

bool DataStore::LoadFavourites(const QString& AppDir) {
    TBKStringGrid& t = BKStringGridFavoritos;
    const bool loaded = Guarded([&] {
        t.SetRowCount(RowsFromFile(AppDir + t.Filename, t.ColCount()));
        LoadTableFrom(t, AppDir);
    });
    // A damaged file may leave a favourite in the last row, which the next append would overwrite:
    // keep the empty last row the append protocol relies on.
    if (!RowIsEmpty(t, t.RowCount() - 1))
        t.SetRowCount(t.RowCount() + 1);
    return loaded;
}

bool DataStore::LoadRecordedList(const QString& AppDir) {
    TBKStringGrid& t = BKStringGridListaGrabada;
    // Row r stands for slot r - 1 whatever the file holds: the size is not taken from the file.
    ShapeTable(t, RecordedColumn::Count, RecordedListRows, 1);
    const bool loaded = Guarded([&] { LoadTableFrom(t, AppDir); });
    for (int c = 2; c < RecordedColumn::Count; ++c)
        t.SetColWidth(c, -1);
    t.SetRow(1);
    return loaded;
}

bool DataStore::LoadEventsData(const QString& AppDir) {
    return Guarded([&] { LoadTableFrom(BKStringGridEventsData, AppDir); });
}

bool DataStore::LoadSounds(const QString& AppDir) {
    return Guarded([&] { LoadTableFrom(BKStringGridSonidos, AppDir); });
}

StartupLoadResult DataStore::LoadAtStart(const QString& AppDir) {
    StartupLoadResult result;
    result.FavouritesLoaded = LoadFavourites(AppDir);
    result.RecordedListLoaded = LoadRecordedList(AppDir);
    result.EventsDataLoaded = LoadEventsData(AppDir);
    result.SoundsLoaded = LoadSounds(AppDir);
    for (int r = 0; r < SoundRow::Kinds; ++r)
        result.SoundPaths << BKStringGridSonidos.Cells(0, r);
    return result;
}
