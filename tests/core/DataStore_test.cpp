#include "core/DataStore.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString ShippedData = QStringLiteral(VELKARO_RESOURCES_DIR "/data/");

// A program folder with a data/ subfolder.
struct ProgramFolder {
    QTemporaryDir dir;
    QString appDir = dir.path() + "/";
    ProgramFolder() { QDir(appDir).mkpath("data"); }
    // A table file: the four header lines, then one line per cell.
    void WriteTable(const QString& relative, const QStringList& cells) const {
        QByteArray bytes = "TBKStringGrid\r\n1\r\n0\r\n0\r\n";
        for (const QString& c : cells)
            bytes += c.toUtf8() + "\r\n";
        WriteBytes(appDir + relative, bytes);
    }
    void CopyShipped(const QString& name) const {
        ASSERT_TRUE(QFile::copy(ShippedData + name, appDir + "data/" + name)) << name.toStdString();
    }
};
} // namespace

// The new-event rule over answers as the game gives them: Index values with gaps, answers that
// repeat what the slot holds (all of it or some), out of order, late, or without Index.
TEST(DataStore, NewLiveEventsTakesEachEventOnce) {
    const std::optional<int> none;
    struct Stored {
        QString number, index;
    };
    struct Case {
        const char* name;
        QVector<Stored> rows;         // the table's stored rows
        QVector<LiveEventRef> answer; // position, Index
        QVector<NewLiveEvent> expected;
    };
    // clang-format off
    const Case cases[] = {
        {"empty table takes every event, also without Index", {}, {{1, 5}, {2, none}, {3, 9}},
         {{1, 5}, {2, none}, {3, 9}}},
        {"gaps: only Index values not stored", {{"1", "5"}, {"2", "7"}},
         {{1, 5}, {2, 7}, {3, 9}, {4, 12}}, {{3, 9}, {4, 12}}},
        {"the whole answer repeated: nothing", {{"1", "5"}, {"2", "9"}}, {{1, 5}, {2, 9}}, {}},
        {"out of order: stored in the order of Index", {{"1", "5"}}, {{1, 9}, {2, 5}, {3, 7}, {4, 6}},
         {{4, 6}, {3, 7}, {1, 9}}},
        {"an Index given twice in one answer is taken once", {{"1", "2"}}, {{1, 4}, {2, 4}, {3, 3}},
         {{3, 3}, {1, 4}}},
        {"an event without Index holds back the later ones", {{"1", "3"}}, {{1, 4}, {2, none}, {3, 5}},
         {{1, 4}}},
        {"late: 11 after 12 is stored, after the others", {{"1", "10"}, {"2", "12"}},
         {{1, 10}, {2, 11}, {3, 12}, {4, 13}}, {{2, 11}, {4, 13}}},
        {"rows without Index (a replayed match): by position", {{"1", ""}, {"2", ""}},
         {{1, 0}, {2, 1}, {3, 8}}, {{3, 8}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataStore ds;
        TBKStringGrid& t = ds.BKStringGridEventos(4);
        for (const Stored& row : c.rows) {
            AppendRow(t, {row.number});
            t.SetCells(EventColumn::EventIndex, t.RowCount() - 2, row.index);
        }
        QList<std::pair<int, std::optional<int>>> got, expected;
        for (const NewLiveEvent& e : NewLiveEvents(t, c.answer))
            got.append({e.Position, e.Index});
        for (const NewLiveEvent& e : c.expected)
            expected.append({e.Position, e.Index});
        EXPECT_EQ(got, expected);
    }
}

TEST(DataStore, EventoClaseLooksUpThePaddedType) {
    DataStore ds;
    const QStringList rows[] = {{"EventTypeCode", "x", "x", "x", "x", "x", "x"}, // a caption is never matched
                                {"020", "", "1", "1", "", "", "", "unused"},     // column 7 never enters
                                {"101", "", "0", "0", "0", "", "0"},
                                {"101", "", "9", "9", "9", "9", "9"}, // the first matching row wins
                                {"599", "", "1", "6", "", "", ""},
                                {"1234", "", "4", "13", "", "", ""}};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            ds.BKStringGridEventsData.SetCells(c, r, rows[r][c]);
    // clang-format off
    ExpectAll({{ds.EventoClase("20"), ",1,1,,,,"}, {ds.EventoClase("101"), ",0,0,0,,0,"},
               {ds.EventoClase("599"), ",1,6,,,,"}, {ds.EventoClase("1234"), ",4,13,,,,"},
               {ds.EventoClase("020"), ",1,1,,,,"}, {ds.EventoClase("777"), ""},
               {ds.EventoClase("EventTypeCode"), ""}, {ds.EventoClase(""), ""}}); // "" looks up "000"
    // clang-format on
}

// Only the four header lines: one empty row. 3 x n cell lines: n rows, the last the empty row of the
// append protocol. Fewer than four lines: one row, fails quietly. A damaged file whose last row holds a
// favourite gets an empty row after it, so that the next append does not overwrite it.
TEST(DataStore, FavouritesAreSizedFromTheirFile) {
    ProgramFolder pf;
    const QByteArray header = "TBKStringGrid\r\n1\r\n0\r\n0\r\n",
                     two = "A\r\nAlpha\r\n1\r\nB\r\nBeta\r\n2\r\n";
    const std::tuple<QByteArray, bool, int, QString> cases[] = {
        {header, true, 1, ""},
        {header + two + "\r\n\r\n\r\n", true, 3, "Beta"},
        {"TBKStringGrid\r\n1\r\n", false, 1, ""},
        {header + two + "x\r\n", false, 3, "Beta"}};
    for (const auto& [file, loaded, rows, secondName] : cases) {
        WriteBytes(pf.appDir + FavouritesFile, file);
        DataStore ds;
        EXPECT_EQ(ds.LoadFavourites(pf.appDir), loaded) << file.toStdString();
        EXPECT_EQ(ds.BKStringGridFavoritos.RowCount(), rows) << file.toStdString();
        EXPECT_EQ(ds.BKStringGridFavoritos.Filename, FavouritesFile); // stays relative
        AppendRow(ds.BKStringGridFavoritos, {"C", "Gamma", "3"});
        EXPECT_EQ(ds.BKStringGridFavoritos.Cells(FavouriteColumn::FavouriteTeamName, 1), secondName);
    }
}

// A short file, one with more rows than slots (the first eleven load), and none at all.
TEST(DataStore, RecordedListKeepsElevenRowsWhateverItsFileHolds) {
    ProgramFolder pf;
    const QStringList head = {"Team", "TeamID", "", "", ""};
    const std::tuple<QStringList, bool, QString> cases[] = {
        {head + QStringList{"Alpha", "7", "", "", ""}, true, "Alpha"},
        {head + QStringList{"Beta", "8", "", "", ""} + QStringList(5 * 20, "z"), false, "Beta"},
        {{}, false, ""}};
    for (const auto& [cells, loaded, first] : cases) {
        QFile::remove(pf.appDir + RecordedListFile);
        if (!cells.isEmpty())
            pf.WriteTable(RecordedListFile, cells);
        DataStore ds;
        EXPECT_EQ(ds.LoadRecordedList(pf.appDir), loaded) << first.toStdString();
        const TBKStringGrid& t = ds.BKStringGridListaGrabada;
        EXPECT_EQ(QList<int>({t.RowCount(), t.FixedRows(), t.ColCount(), t.Row()}),
                  QList<int>({11, 1, 5, 1}));
        EXPECT_EQ(QList<int>({t.ColWidth(2), t.ColWidth(3), t.ColWidth(4)}), QList<int>({-1, -1, -1}));
        EXPECT_GT(t.ColWidth(0), 0);
        EXPECT_EQ(t.Cells(RecordedColumn::RecordedTeamName, 1), first);
    }
}

// The shipped files all load; the scrambled proxy file gives no proxy and no remembered security code.
TEST(DataStore, ShippedFilesLoadAtStart) {
    ProgramFolder pf;
    for (const char* f :
         {"Favourites.dat", "RecordedList.dat", "EventsData.dat", "Sounds.dat", "ProxyConfig.dat"})
        pf.CopyShipped(f);
    DataStore ds;
    const StartupLoadResult r = ds.LoadAtStart(pf.appDir);
    EXPECT_TRUE(r.FavouritesLoaded && r.RecordedListLoaded && r.EventsDataLoaded && r.SoundsLoaded);
    EXPECT_EQ(QList<int>({ds.BKStringGridFavoritos.RowCount(), ds.BKStringGridSonidos.RowCount()}),
              QList<int>({1, 10}));
    EXPECT_EQ(r.SoundPaths, QStringList(8, ""));
    QStringList recorded = {ds.BKStringGridListaGrabada.Cells(1, 0)};
    for (int row = 0; row < 11; ++row)
        recorded << ds.BKStringGridListaGrabada.Cells(RecordedColumn::RecordedTeamName, row);
    EXPECT_EQ(recorded, QStringList({"TeamID", "Team"}) + QStringList(10, ""));
    TBKStringGrid proxy;
    SetUpProxyTable(proxy);
    LoadTableFrom(proxy, pf.appDir);
    EXPECT_EQ(
        QStringList({proxy.Cells(0, ProxyRow::ProxyEnabledRow), proxy.Cells(0, ProxyRow::RememberCodeRow),
                     proxy.Cells(0, ProxyRow::ProxyServerRow), proxy.Cells(0, ProxyRow::SecurityCodeRow),
                     proxy.Filename}),
        QStringList({"0", "0", "", "", ProxyConfigFile}));
}

// A favourites file with one line too many, no recorded list, a damaged events-data file: each fails
// alone, what was read stays, and the sounds still load.
TEST(DataStore, OneBadFileDoesNotLeaveTheOthersUnloaded) {
    ProgramFolder pf;
    pf.CopyShipped("EventsData.dat");
    pf.WriteTable(FavouritesFile, {"A", "Alpha", "1", "", "", "", "extra"});
    pf.WriteTable(SoundsFile, QStringList{"/snd/goal.wav", "/snd/other.wav"} + QStringList(8, ""));
    DataStore ds;
    const StartupLoadResult r = ds.LoadAtStart(pf.appDir);
    EXPECT_EQ(QList<bool>({r.FavouritesLoaded, r.RecordedListLoaded, r.EventsDataLoaded, r.SoundsLoaded}),
              QList<bool>({false, false, true, true}));
    EXPECT_EQ(ds.BKStringGridFavoritos.Cells(1, 0), "Alpha");
    EXPECT_EQ(ds.BKStringGridListaGrabada.RowCount(), 11);
    EXPECT_EQ(ds.EventoClase("510"), ",3,0,,,,");
    EXPECT_EQ(r.SoundPaths, QStringList({"/snd/goal.wav", "/snd/other.wav"}) + QStringList(6, ""));
    WriteBytes(pf.appDir + EventsDataFile, "TBKStringGrid\r\n");
    DataStore ds2;
    const StartupLoadResult r2 = ds2.LoadAtStart(pf.appDir);
    EXPECT_TRUE(!r2.EventsDataLoaded && r2.SoundsLoaded);
    EXPECT_EQ(r2.SoundPaths.value(SoundRow::SoundMiGol), "/snd/goal.wav");
}
