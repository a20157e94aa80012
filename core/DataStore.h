#pragma once
// The data store: every table the program keeps its state in, with the size, fixed rows and file each
// table has, the names of their columns and rows, the append protocol of the growing tables, the
// event class lookup and the loading of the stored tables at start.
//
// Column and row names are plain enumerations inside a namespace each, so that callers write
// `t.Cells(MatchColumn::HomeGoals, slot)` and the same name (MatchId, EventTypeKey) may live in
// several tables.
#include "core/BKStringGrid.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>

// A match slot 0..9: tab index of the match tabs, row of the match table, index of the slot's two
// event tables and row slot + 1 of the recorded list. A slot is free when its MatchId is empty.
using MatchSlot = int;
constexpr int MatchSlotCount = 10;

// Columns of BKStringGrid10Partidos. Home columns 11..20 and away columns 21..30 are twins.
namespace MatchColumn {
enum Value : int {
    MatchId = 0,
    HomeTeamId = 1,
    AwayTeamId = 2,
    HomeName = 3,
    AwayName = 4,
    MatchStart = 5,
    MatchTypeCode = 6,
    InitialLoadFlag = 7,
    StadiumName = 8,
    WeatherId = 9,
    Spectators = 10,
    HomeLeagueName = 11,
    HomeLeagueLevelUnitName = 12,
    HomeRegionName = 13,
    HomeDress = 14,
    HomeLastLogin = 15,
    HomeLogoUrl = 16,
    HomeWebPage = 17,
    HomeFormation = 18,
    HomeTactic = 19,
    HomeLevel = 20,
    AwayLeagueName = 21,
    AwayLeagueLevelUnitName = 22,
    AwayRegionName = 23,
    AwayDress = 24,
    AwayLastLogin = 25,
    AwayLogoUrl = 26,
    AwayWebPage = 27,
    AwayFormation = 28,
    AwayTactic = 29,
    AwayLevel = 30,
    YouthFlag = 31,
    FinishedFlag = 32,
    HomeGoals = 33,
    AwayGoals = 34,
    MinuteText = 35,
    // How often the end-of-match files were asked for while one of them had not arrived as asked
    // (an error document, a failed download); empty once all three arrived.
    EndFilesAsked = 36,
};
constexpr int Count = 60; // 37..59 are not used
} // namespace MatchColumn

// Columns of BKStringGridEventos<s> and BKStringGridFEventos<s>.
namespace EventColumn {
enum Value : int {
    EventNumber = 0,
    EventMinute = 1,
    SubjectPlayerId = 2,
    SubjectTeamId = 3,
    ObjectPlayerId = 4,
    EventTypeKey = 5,
    EventHtml = 6,
    EventClass = 7,
    // Live tables only: the list Index of the row's event (empty when it had none). The game numbers
    // its events with gaps, its answers may repeat events and an event may come after a higher Index,
    // so the position in an answer tells nothing about what the slot already holds: the Index values
    // of the rows are what a live answer's events are compared with.
    EventIndex = 8,
};
constexpr int Count = 10; // 9 is not used
} // namespace EventColumn

// Columns of the events-panel queue BKStringGridEventosPanel.
namespace PanelEventColumn {
enum Value : int {
    EventTypeKey = 0,
    EventHtml = 1,
    CategoryCode = 2,
    MatchId = 3,
    EventMinute = 4,
    SubjectPlayerName = 5,
    ScoreText = 6,
    SubjectPlayerId = 7,
    SoundTeam = 8,
    ObjectPlayerId = 9,
    EventClass = 10,
};
constexpr int Count = 11;
} // namespace PanelEventColumn

// Columns of the shipped events-data table BKStringGridEventsData (row 0 holds captions).
namespace EventsDataColumn {
enum Value : int {
    EventTypeCode = 0, // type number padded with "0" to three digits
    ClassPrefix = 1,
    EventGroup = 2,
    EventOutcome = 3,
    ChanceKind = 4,
    SpecialEventType = 5,
    AttackRoute = 6,
};
constexpr int Count = 8; // 7 is not used
} // namespace EventsDataColumn

// Columns of BKStringGridFavoritos.
namespace FavouriteColumn {
enum Value : int {
    FavouriteGroup = 0,
    FavouriteTeamName = 1,
    FavouriteTeamId = 2,
};
constexpr int Count = 3;
} // namespace FavouriteColumn

// Columns of BKStringGridListaGrabada; row 0 holds the captions, row r (1..10) is slot r - 1.
namespace RecordedColumn {
enum Value : int {
    RecordedTeamName = 0, // non-empty: the row is in use
    RecordedTeamId = 1,
};
constexpr int Count = 5; // 2..4 are not used and hidden
} // namespace RecordedColumn

// Rows of BKStringGridSonidos: the sound file of each kind. Rows 8 and 9 are not used.
namespace SoundRow {
enum Value : int {
    SoundMiGol = 0,
    SoundOtroGol = 1,
    SoundOcasion = 2,
    SoundInicioPartido = 3,
    SoundFinPartido = 4,
    SoundTarjeta = 5,
    SoundLesion = 6,
    SoundContraGol = 7,
};
constexpr int Kinds = 8;
constexpr int Count = 10;
} // namespace SoundRow

// Rows of the proxy table BKStringGridProxy (the matches window's connection settings).
namespace ProxyRow {
enum Value : int {
    ProxyEnabledRow = 0,
    ProxyServerRow = 1,
    ProxyPortRow = 2,
    ProxyUserRow = 3,
    ProxyPasswordRow = 4,
    RememberCodeRow = 5,
    SecurityCodeRow = 6,
};
constexpr int Count = 7;
} // namespace ProxyRow

// Table files, relative to the program folder.
inline const QString FavouritesFile = QStringLiteral("data/Favourites.dat");
inline const QString RecordedListFile = QStringLiteral("data/RecordedList.dat");
inline const QString EventsDataFile = QStringLiteral("data/EventsData.dat");
inline const QString SoundsFile = QStringLiteral("data/Sounds.dat");
inline const QString ProxyConfigFile = QStringLiteral("data/ProxyConfig.dat");

// Gives a table its shape: fixed counts first, so that no intermediate size pulls them down.
void ShapeTable(TBKStringGrid& table, int cols, int rows, int fixedRows = 0);

// Empties every cell of the rows from firstRow on; the table keeps its size.
void BlankCells(TBKStringGrid& table, int firstRow);

// The proxy table belongs to the matches window; this gives it its stored size, file and scrambling.
void SetUpProxyTable(TBKStringGrid& table);

// Append protocol: the last row of a growing table is always empty. Writes cells into columns 0..n-1
// of row RowCount-1, then adds a new empty last row.
void AppendRow(TBKStringGrid& table, const QStringList& cells);

// One event of a match in a live answer: its 1-based position in the match's event list and its
// list Index (none when the event has no Index attribute).
struct LiveEventRef {
    int Position = 0;
    std::optional<int> Index;
};

// An event of a live answer to store, and its Index.
struct NewLiveEvent {
    int Position = 0;
    std::optional<int> Index;
};

// The new-event rule of the live tables: the events of one match of a live answer that the slot's
// live table does not hold yet, in the order to store them. An empty table takes every event. Else
// an event is new when no row holds its Index, also when a higher Index is stored (a late event is
// stored after the others, never lost); rows stored without Index (a replayed match) are compared by
// position: an event is not new at a position up to their highest EventNumber. An event without Index
// cannot be compared: the events after it wait for a later answer. An Index that an answer repeats is taken
// once, and the new events are stored in the order of their Index, whatever order the answer gives them in.
QVector<NewLiveEvent> NewLiveEvents(const TBKStringGrid& table, const QVector<LiveEventRef>& answer);

// The class string of an event type (the number before "_", without leading zeros): the texts of
// columns 1..ColCount-2 of the type's row in an events-data table, each followed by ",". The first
// row from row 1 whose code equals the type padded to three digits wins; an unknown type gives "".
QString EventoClase(const TBKStringGrid& eventsData, const QString& EventType);

// Loads a table from AppDir + its Filename; Filename itself stays relative. Throws what the table's
// load throws.
void LoadTableFrom(TBKStringGrid& table, const QString& AppDir);
// Saves the table to AppDir + its Filename (atomically), keeping Filename relative.
void SaveTableTo(TBKStringGrid& table, const QString& AppDir);

// What the start-up loads leave for the options window's controls.
struct StartupLoadResult {
    bool FavouritesLoaded = false;
    bool RecordedListLoaded = false;
    bool EventsDataLoaded = false;
    bool SoundsLoaded = false;
    QStringList SoundPaths; // rows 0..7 of the sound table, for the eight sound edits
};

class DataStore {
public:
    DataStore();
    DataStore(const DataStore&) = delete;
    DataStore& operator=(const DataStore&) = delete;

    TBKStringGrid BKStringGrid10Partidos;
    TBKStringGrid BKStringGridEventosPanel;
    TBKStringGrid BKStringGridTemp;
    TBKStringGrid BKStringGridTemp2;
    TBKStringGrid BKStringGridFavoritos;
    TBKStringGrid BKStringGridListaGrabada;
    TBKStringGrid BKStringGridEventsData;
    TBKStringGrid BKStringGridSonidos;

    // The live event table and the recorded-match event table of a slot (0..9; others throw
    // std::out_of_range).
    TBKStringGrid& BKStringGridEventos(MatchSlot s) { return eventos_.at(s); }
    TBKStringGrid& BKStringGridFEventos(MatchSlot s) { return fEventos_.at(s); }

    // The class string of an event type, from BKStringGridEventsData.
    QString EventoClase(const QString& EventType) const;

    // The loading at start: favourites and recorded list sized from their files, events data and
    // sounds at their stored sizes. Each load is guarded on its own, so one bad file does not leave
    // the others unloaded. The recorded list keeps 11 rows with its caption row fixed, its unused
    // columns hidden and row 1 selected. Filling the options window's controls is left to the caller.
    StartupLoadResult LoadAtStart(const QString& AppDir);

    bool LoadFavourites(const QString& AppDir);
    bool LoadRecordedList(const QString& AppDir);
    bool LoadEventsData(const QString& AppDir);
    bool LoadSounds(const QString& AppDir);

private:
    std::array<TBKStringGrid, MatchSlotCount> eventos_;
    std::array<TBKStringGrid, MatchSlotCount> fEventos_;
};
