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
        QFile::remove(appDir + "data/" + name);
        ASSERT_TRUE(QFile::copy(ShippedData + name, appDir + "data/" + name)) << name.toStdString();
    }
};

} // namespace

TEST(DataStore, AppendProtocolKeepsAnEmptyLastRow) {
    DataStore ds;
    TBKStringGrid& t = ds.BKStringGridEventos(2);
    AppendRow(t, {"1", "0", "11", "22", "", "598_1"});
    AppendRow(t, {"2", "3", "12", "22", "", "100_1"});
    ASSERT_EQ(t.RowCount(), 3);
    EXPECT_EQ(t.Cells(EventColumn::EventNumber, 0), "1");
    EXPECT_EQ(t.Cells(EventColumn::EventTypeKey, 1), "100_1");
    for (int c = 0; c < t.ColCount(); ++c)
        EXPECT_TRUE(t.Cells(c, 2).isEmpty());

    // A shorter row leaves the other columns of the new row alone.
    AppendRow(ds.BKStringGridFavoritos, {"Group", "Team", "42"});
    EXPECT_EQ(ds.BKStringGridFavoritos.RowCount(), 2);
    EXPECT_EQ(ds.BKStringGridFavoritos.Cells(FavouriteColumn::FavouriteTeamId, 0), "42");
}

// The new-event rule over answers as the game gives them: Index values with gaps, answers that
// repeat what the slot holds (all of it or some), out of order, or without Index.
TEST(DataStore, NewLiveEventsTakesEachEventOnce) {
    const std::optional<int> none;
    struct Stored {
        QString number, highest;
    };
    struct Case {
        const char* name;
        QVector<Stored> rows;         // the table's stored rows
        QVector<LiveEventRef> answer; // position, Index
        QVector<NewLiveEvent> expected;
    };
    const Case cases[] = {
        {"empty table takes every event, also without Index",
         {},
         {{1, 5}, {2, none}, {3, 9}},
         {{1, 5}, {2, 5}, {3, 9}}},
        {"gaps: only Index values above the highest stored",
         {{"1", "5"}, {"2", "7"}},
         {{1, 5}, {2, 7}, {3, 9}, {4, 12}},
         {{3, 9}, {4, 12}}},
        {"the whole answer repeated: nothing", {{"1", "5"}, {"2", "9"}}, {{1, 5}, {2, 9}}, {}},
        {"out of order: stored in the order of Index",
         {{"1", "5"}},
         {{1, 9}, {2, 5}, {3, 7}, {4, 6}},
         {{4, 6}, {3, 7}, {1, 9}}},
        {"an Index given twice in one answer is taken once",
         {{"1", "2"}},
         {{1, 4}, {2, 4}, {3, 3}},
         {{3, 3}, {1, 4}}},
        {"an event without Index holds back the later ones",
         {{"1", "3"}},
         {{1, 4}, {2, none}, {3, 5}},
         {{1, 4}}},
        {"rows without Index (a replayed match): by position",
         {{"1", ""}, {"2", ""}},
         {{1, 0}, {2, 1}, {3, 8}},
         {{3, 8}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataStore ds;
        TBKStringGrid& t = ds.BKStringGridEventos(4);
        for (const Stored& row : c.rows) {
            AppendRow(t, {row.number});
            t.SetCells(EventColumn::HighestIndex, t.RowCount() - 2, row.highest);
        }
        const QVector<NewLiveEvent> got = NewLiveEvents(t, c.answer);
        ASSERT_EQ(got.size(), c.expected.size());
        for (int i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].Position, c.expected[i].Position) << i;
            EXPECT_EQ(got[i].HighestIndex, c.expected[i].HighestIndex) << i;
        }
    }
}

TEST(DataStore, EventoClaseLooksUpThePaddedType) {
    DataStore ds;
    TBKStringGrid& e = ds.BKStringGridEventsData;
    auto row = [&](int r, const QStringList& cells) {
        for (int c = 0; c < cells.size(); ++c)
            e.SetCells(c, r, cells[c]);
    };
    row(0, {"EventTypeCode", "x", "x", "x", "x", "x", "x"}); // the caption row is never matched
    row(1, {"020", "", "1", "1", "", "", "", "unused"});
    row(2, {"101", "", "0", "0", "0", "", "0"});
    row(3, {"101", "", "9", "9", "9", "9", "9"});
    row(4, {"599", "", "1", "6", "", "", ""});
    row(5, {"1234", "", "4", "13", "", "", ""});

    EXPECT_EQ(ds.EventoClase("20"), ",1,1,,,,");    // column 7 never enters the class
    EXPECT_EQ(ds.EventoClase("101"), ",0,0,0,,0,"); // the first matching row wins
    EXPECT_EQ(ds.EventoClase("599"), ",1,6,,,,");
    EXPECT_EQ(ds.EventoClase("1234"), ",4,13,,,,");
    EXPECT_EQ(ds.EventoClase("020"), ",1,1,,,,");
    EXPECT_EQ(ds.EventoClase("777"), "");
    EXPECT_EQ(ds.EventoClase("EventTypeCode"), "");
    EXPECT_EQ(ds.EventoClase(""), ""); // looks up "000"
    row(6, {"000", "", "1", "10"});
    EXPECT_EQ(ds.EventoClase(""), ",1,10,,,,");
}

TEST(DataStore, FavouritesAreSizedFromTheirFile) {
    ProgramFolder pf;
    const QByteArray header = "TBKStringGrid\r\n1\r\n0\r\n0\r\n";
    const struct {
        QByteArray file;
        bool loaded;
        int rows;
        QString secondName;
    } cases[] = {
        {header, true, 1, ""}, // only the four header lines: one empty row
        // 3 x n cell lines: n rows, the last the empty row of the append protocol.
        {header + "A\r\nAlpha\r\n1\r\nB\r\nBeta\r\n2\r\n\r\n\r\n\r\n", true, 3, "Beta"},
        {"TBKStringGrid\r\n1\r\n", false, 1, ""}, // fewer than four lines: one row, fails quietly
        // A damaged file whose last row holds a favourite gets an empty row after it, so that the next
        // append does not overwrite it.
        {header + "A\r\nAlpha\r\n1\r\nB\r\nBeta\r\n2\r\nx\r\n", false, 3, "Beta"},
    };
    for (const auto& c : cases) {
        WriteBytes(pf.appDir + FavouritesFile, c.file);
        DataStore ds;
        EXPECT_EQ(ds.LoadFavourites(pf.appDir), c.loaded) << &c - cases;
        EXPECT_EQ(ds.BKStringGridFavoritos.RowCount(), c.rows) << &c - cases;
        EXPECT_EQ(ds.BKStringGridFavoritos.Filename, FavouritesFile); // stays relative
        AppendRow(ds.BKStringGridFavoritos, {"C", "Gamma", "3"});
        EXPECT_EQ(ds.BKStringGridFavoritos.Cells(FavouriteColumn::FavouriteTeamName, 1), c.secondName);
    }
}

TEST(DataStore, RecordedListKeepsElevenRowsWhateverItsFileHolds) {
    ProgramFolder pf;
    auto check = [&](const char* what, bool expectLoaded) {
        SCOPED_TRACE(what);
        DataStore ds;
        EXPECT_EQ(ds.LoadRecordedList(pf.appDir), expectLoaded);
        const TBKStringGrid& t = ds.BKStringGridListaGrabada;
        EXPECT_EQ(t.RowCount(), 11);
        EXPECT_EQ(t.FixedRows(), 1);
        EXPECT_EQ(t.ColCount(), 5);
        for (int c = 2; c < 5; ++c)
            EXPECT_EQ(t.ColWidth(c), -1);
        EXPECT_GT(t.ColWidth(0), 0);
        EXPECT_EQ(t.Row(), 1);
        return t.Cells(RecordedColumn::RecordedTeamName, 1);
    };
    // Only the caption row and one slot row.
    pf.WriteTable(RecordedListFile, QStringList{"Team", "TeamID", "", "", "", "Alpha", "7", "", "", ""});
    EXPECT_EQ(check("short file", true), "Alpha");
    // More rows than slots: the first eleven rows load.
    pf.WriteTable(RecordedListFile, QStringList{"Team", "TeamID", "", "", "", "Beta", "8", "", "", ""} +
                                        QStringList(5 * 20, "z"));
    EXPECT_EQ(check("long file", false), "Beta");
    // No file at all.
    QFile::remove(pf.appDir + RecordedListFile);
    EXPECT_EQ(check("missing file", false), "");
}

TEST(DataStore, ShippedFilesLoadAtStart) {
    ProgramFolder pf;
    for (const char* f : {"Favourites.dat", "RecordedList.dat", "EventsData.dat", "Sounds.dat"})
        pf.CopyShipped(f);
    DataStore ds;
    const StartupLoadResult r = ds.LoadAtStart(pf.appDir);
    EXPECT_TRUE(r.FavouritesLoaded && r.RecordedListLoaded && r.EventsDataLoaded && r.SoundsLoaded);

    EXPECT_EQ(ds.BKStringGridFavoritos.RowCount(), 1);
    EXPECT_EQ(ds.BKStringGridListaGrabada.Cells(0, 0), "Team");
    EXPECT_EQ(ds.BKStringGridListaGrabada.Cells(1, 0), "TeamID");
    for (int r2 = 1; r2 < 11; ++r2)
        EXPECT_EQ(ds.BKStringGridListaGrabada.Cells(RecordedColumn::RecordedTeamName, r2), "");
    EXPECT_EQ(ds.EventoClase("599"), ",1,6,,,,");
    EXPECT_EQ(ds.EventoClase("101"), ",0,0,0,,0,");
    EXPECT_EQ(r.SoundPaths, QStringList(8, ""));
    EXPECT_EQ(ds.BKStringGridSonidos.RowCount(), 10);
    EXPECT_EQ(ds.BKStringGridEventsData.Filename, EventsDataFile);

    // The scrambled proxy file: no proxy, the security code not remembered.
    pf.CopyShipped("ProxyConfig.dat");
    TBKStringGrid proxy;
    SetUpProxyTable(proxy);
    LoadTableFrom(proxy, pf.appDir);
    ExpectAll({{proxy.Cells(0, ProxyRow::ProxyEnabledRow), "0"},
               {proxy.Cells(0, ProxyRow::RememberCodeRow), "0"},
               {proxy.Cells(0, ProxyRow::ProxyServerRow), ""},
               {proxy.Cells(0, ProxyRow::SecurityCodeRow), ""},
               {proxy.Filename, ProxyConfigFile}});
}

TEST(DataStore, OneBadFileDoesNotLeaveTheOthersUnloaded) {
    ProgramFolder pf;
    pf.CopyShipped("EventsData.dat");
    // A favourites file with one line too many, and no recorded list.
    pf.WriteTable(FavouritesFile, {"A", "Alpha", "1", "", "", "", "extra"});
    pf.WriteTable(SoundsFile, QStringList{"/snd/goal.wav", "/snd/other.wav"} + QStringList(8, ""));
    DataStore ds;
    const StartupLoadResult r = ds.LoadAtStart(pf.appDir);
    EXPECT_EQ(QList<bool>({r.FavouritesLoaded, r.RecordedListLoaded, r.EventsDataLoaded, r.SoundsLoaded}),
              QList<bool>({false, false, true, true}));
    EXPECT_EQ(ds.BKStringGridFavoritos.Cells(1, 0), "Alpha"); // what was read stays
    EXPECT_EQ(ds.BKStringGridListaGrabada.RowCount(), 11);
    EXPECT_EQ(ds.EventoClase("510"), ",3,0,,,,");
    ASSERT_EQ(r.SoundPaths.size(), 8);
    EXPECT_EQ(r.SoundPaths[SoundRow::SoundMiGol], "/snd/goal.wav");
    EXPECT_EQ(r.SoundPaths[SoundRow::SoundOtroGol], "/snd/other.wav");

    // A damaged events-data file does not stop the sounds either.
    WriteBytes(pf.appDir + EventsDataFile, "TBKStringGrid\r\n");
    DataStore ds2;
    const StartupLoadResult r2 = ds2.LoadAtStart(pf.appDir);
    EXPECT_FALSE(r2.EventsDataLoaded);
    EXPECT_TRUE(r2.SoundsLoaded);
    EXPECT_EQ(r2.SoundPaths[0], "/snd/goal.wav");
}
