#include "core/BKStringGrid.h"
#include "core/DataStore.h"
#include "core/Encryp.h"
#include "platform/Cursor.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {
const QByteArray kHeader = "TBKStringGrid\r\n1\r\n0\r\n0\r\n";

// A grid of cols x rows without fixed cells, table file in a temporary folder.
struct Table {
    explicit Table(int cols, int rows, bool encryption = false) {
        ShapeTable(grid, cols, rows);
        grid.Encryption = encryption;
        grid.Filename = dir.filePath("table.dat");
    }
    void fill(const QStringList& texts) {
        int i = 0;
        for (int r = 0; r < grid.RowCount(); ++r)
            for (int c = 0; c < grid.ColCount(); ++c)
                grid.SetCells(c, r, i < texts.size() ? texts[i++] : QString());
    }
    QStringList all() const {
        QStringList out;
        for (int r = 0; r < grid.RowCount(); ++r)
            for (int c = 0; c < grid.ColCount(); ++c)
                out << grid.Cells(c, r);
        return out;
    }
    QTemporaryDir dir;
    TBKStringGrid grid;
};

using Rows = QVector<std::pair<QString, QString>>;

// Rows of a sort fixture: column 0 is a fixed label, column 1 the key, column 2 a tag naming the row.
struct SortFixture {
    explicit SortFixture(const Rows& rows) {
        grid.Encryption = false;
        ShapeTable(grid, 3, rows.size() + 1, 1);
        grid.SetFixedCols(1);
        for (int i = 0; i < rows.size(); ++i) {
            grid.SetCells(0, i + 1, QString("L%1").arg(i + 1));
            grid.SetCells(1, i + 1, rows[i].first);
            grid.SetCells(2, i + 1, rows[i].second);
        }
    }
    QStringList column(int c) const {
        QStringList out;
        for (int r = grid.FixedRows(); r < grid.RowCount(); ++r)
            out << grid.Cells(c, r);
        return out;
    }
    TBKStringGrid grid;
};
} // namespace

TEST(StringGrid, ShapeRulesAndBlankCells) {
    TBKStringGrid g;
    g.SetCells(4, 4, "corner");
    g.SetRowCount(1); // not above FixedRows: FixedRows becomes 0
    EXPECT_EQ(g.FixedRows(), 0);
    g.SetRowCount(0);
    EXPECT_EQ(g.RowCount(), 1);
    g.SetRowCount(5);
    g.SetCells(7, 0, "outside");   // ignored
    g.SetEditText(1, 1, "edited"); // the on-screen editor hands its text back
    // Cells outside the grid and cells dropped by a shrink read empty.
    EXPECT_EQ(QStringList({g.Cells(9, -1), g.Cells(4, 4), g.Cells(7, 0), g.Cells(1, 1)}),
              QStringList({"", "", "", "edited"}));
    // Blank means control characters, spaces and delete; a no-break space is text.
    // clang-format off
    const std::pair<QString, bool> blanks[] = {
        {"", true}, {" \t\r\n", true}, {QString(QChar(127)), true}, {" a ", false}, {QString(QChar(0xA0)), false}};
    // clang-format on
    for (const auto& [text, blank] : blanks)
        EXPECT_EQ(TBKStringGrid::IsBlank(text), blank) << text.toStdString();
}

TEST(StringGrid, SavesTheTableFileByteForByte) {
    // clang-format off
    const std::tuple<int, int, int, bool, QStringList, QByteArray> cases[] = { // cols, rows, fixed, scrambled
        {3, 2, 0, false, {"Friends", "Some Team", "123456"}, "Friends\r\nSome Team\r\n123456\r\n\r\n\r\n\r\n"},
        // Fixed rows and columns are saved like any other cell; text is UTF-8.
        {2, 2, 1, false, {"ID", QString::fromUtf8("Año"), "7", ""}, "ID\r\nA\xC3\xB1o\r\n7\r\n\r\n"},
        // A line break inside a plain cell is saved as a blank, so the file still matches the grid.
        {2, 1, 0, false, {"two\r\nlines", "cr\ronly"}, "two  lines\r\ncr only\r\n"},
        // Scrambled cells with the grid key; an empty cell stays empty.
        {1, 3, 0, true, {"0", "", "ab"}, "411A\r\n\r\n41C97E\r\n"}};
    // clang-format on
    for (const auto& [cols, rows, fixed, scrambled, cells, file] : cases) {
        Table t(cols, rows, scrambled);
        t.grid.SetFixedCols(fixed);
        t.grid.SetFixedRows(fixed);
        t.fill(cells);
        t.grid.Scrambler().SetRandomSource([] { return 0x41; });
        t.grid.EncryptionKey = "changed later"; // never reaches the scrambler
        t.grid.SaveToFile();
        EXPECT_EQ(ReadBytes(t.grid.Filename), kHeader + file);
    }
    // A key given at construction is used instead of the grid key.
    TBKStringGrid own("k");
    own.Scrambler().SetRandomSource([] { return 0x41; });
    EXPECT_EQ(own.EncryptCell("a"), "41C9");
    EXPECT_EQ(own.DecryptCell(own.EncryptCell("a")), "a");
}

TEST(StringGrid, SaveThenLoadGivesEveryCellBack) {
    // A cell may begin with a byte-order mark: it is text, kept like any other character.
    const QStringList texts = {"8080", "", QString::fromUtf8("José Müller"), "proxy.local",
                               "x",    "", QString(QChar(0xFEFF)) + "mark",  "end"};
    for (bool scrambled : {false, true}) {
        Table t(2, 4, scrambled);
        t.fill(texts);
        int next = 0; // each save draws new start bytes: the scrambled file changes every time
        t.grid.Scrambler().SetRandomSource([&next] { return next++; });
        t.grid.SaveToFile();
        const QByteArray first = ReadBytes(t.grid.Filename);
        t.grid.SaveToFile();
        EXPECT_EQ(ReadBytes(t.grid.Filename) != first, scrambled);
        Table back(2, 4, scrambled);
        back.grid.Filename = t.grid.Filename;
        back.fill(QStringList(8, "old"));
        back.grid.LoadFromFile();
        EXPECT_EQ(back.all(), texts) << "scrambled " << scrambled;
    }
}

// Each file is loaded over a grid holding a b c d. A header only changes nothing; a file one line short
// keeps the last cell, a longer one fills what it can and fails; a file without its header or an empty
// one changes nothing.
TEST(StringGrid, LoadsShortAndLongFilesCellByCellAndKeepsWhatWasRead) {
    const QString tooSmall = "Grid too small. Could not load all data",
                  invalid = "Invalid file. Program cannot read data";
    // clang-format off
    const std::tuple<QByteArray, QString, QStringList> cases[] = {
        {kHeader, "", {"a", "b", "c", "d"}}, {kHeader + "1\r\n2\r\n3\r\n", "", {"1", "2", "3", "d"}},
        {kHeader + "p\r\n", "", {"p", "b", "c", "d"}}, {kHeader + "\r\n\r\n\r\n\r\n", "", {"", "", "", ""}},
        {"TBKStringGrid\n1\n0\n0\nw\nx\ny\nz", "", {"w", "x", "y", "z"}}, // LF only, no final ending
        {"any\r\nhead\r\ner\r\nhere\r\nEspa\xF1ol\r\n", "", {QString::fromUtf8("Español"), "b", "c", "d"}}, // cp1252
        {kHeader + "1\r\n2\r\n3\r\n4\r\n5\r\n", tooSmall, {"1", "2", "3", "4"}},
        {"TBKStringGrid\r\n1\r\n0\r\n", invalid, {"a", "b", "c", "d"}}, {"", invalid, {"a", "b", "c", "d"}}};
    // clang-format on
    Table t(2, 2);
    for (const auto& [bytes, message, cells] : cases) {
        t.fill({"a", "b", "c", "d"});
        WriteBytes(t.grid.Filename, bytes);
        QString thrown;
        try {
            t.grid.LoadFromFile();
        } catch (const Exception& e) {
            thrown = e.Message;
        }
        EXPECT_EQ(thrown, message) << bytes.toStdString();
        EXPECT_EQ(t.all(), cells) << bytes.toStdString();
    }
    t.grid.Filename = t.dir.filePath("missing.dat");
    EXPECT_THROW(t.grid.LoadFromFile(), EInOutError);
    Table s(1, 3, true);
    s.fill({"a", "b", "c"});
    WriteBytes(s.grid.Filename, kHeader + "411A\r\nXYZW\r\n005A\r\n");
    EXPECT_THROW(s.grid.LoadFromFile(), EConvertError);
    EXPECT_EQ(s.all(), QStringList({"0", "b", "c"}));
}

TEST(StringGrid, SaveGoesThroughATemporaryFile) {
    Table t(1, 2);
    t.fill({"old", "data"});
    t.grid.SaveToFile();
    const QByteArray old = ReadBytes(t.grid.Filename);
    // A second name for the old file keeps the old bytes: the file was replaced, not rewritten.
    const QString link = t.dir.filePath("link.dat");
    ASSERT_EQ(::link(QFile::encodeName(t.grid.Filename), QFile::encodeName(link)), 0);
    t.fill({"new", "text"});
    t.grid.SaveToFile();
    EXPECT_EQ(ReadBytes(link), old);
    const QByteArray before = ReadBytes(t.grid.Filename);
    EXPECT_EQ(before, kHeader + "new\r\ntext\r\n");
    // A save that cannot be completed reports the error and leaves the old file whole.
    t.fill({QString(200, 'x'), "y"});
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(t.grid.SaveToFile(), EInOutError);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(ReadBytes(t.grid.Filename), before);
    EXPECT_EQ(QDir(t.dir.path()).entryList(QDir::Files).size(), 2); // no temporary left behind
    t.grid.Filename = t.dir.filePath("no/such/folder/table.dat");
    EXPECT_THROW(t.grid.SaveToFile(), EInOutError);
}

// The tags (column 2) after sorting by column 1. Ties follow the partition, hand-traced: I and J stop
// on keys equal to the pivot and swap them, so equal keys change places (a stable sort would not).
TEST(StringGrid, SortOrdersTiesAndBlankRows) {
    const Rows dup{{"b", "1"}, {"a", "2"}, {"b", "3"}, {"a", "4"}, {"b", "5"}};
    const Rows blanks{{"x", "1"}, {"", ""}, {"x", "3"}, {"", ""}, {"a", "5"}};
    const Rows abc{{"abc", "1"}, {"x", "2"}, {"ABC", "3"}};
    const std::tuple<Rows, bool, QStringList> cases[] = {
        // clang-format off
        // Descending is the exact reverse of the ascending order before blanks move.
        {{{"b", "1"}, {"", ""}, {"a", "3"}}, true, {"3", "1", ""}},
        {{{"b", "1"}, {"", ""}, {"a", "3"}}, false, {"1", "3", ""}},
        {dup, true, {"4", "2", "5", "1", "3"}}, {dup, false, {"3", "1", "5", "2", "4"}},
        // With blank rows among duplicates: ascending before blanks move is  - - a5 x1 x3.
        {blanks, true, {"5", "1", "3", "", ""}}, {blanks, false, {"3", "1", "5", "", ""}},
        // A row with an empty key but a tag is not blank: when it comes first, nothing is moved down; a
        // leading blank row goes below the rows from the first non-blank on.
        {{{"", ""}, {"", "t2"}, {"b", "3"}, {"a", "4"}}, true, {"t2", "", "4", "3"}},
        {{{"", "t2"}, {"", ""}, {"b", "3"}, {"a", "4"}}, true, {"t2", "4", "3", ""}},
        // Letters fold to upper case: "_" (0x5F) sorts after every letter. Equal keys swap.
        {{{"B", "1"}, {"_x", "2"}, {"ax", "3"}, {"b", "4"}, {"A", "5"}, {"", ""}, {"a", "7"}}, true,
         {"5", "7", "3", "1", "4", "2", ""}},
        {{{"abc", "1"}, {"ABC", "2"}}, true, {"2", "1"}}, {abc, true, {"3", "1", "2"}},
        // clang-format on
    };
    for (const auto& [rows, ascending, tags] : cases) {
        SortFixture f(rows);
        f.grid.SortByColumn(1, ascending);
        EXPECT_EQ(f.column(2), tags) << tags.join(",").toStdString()
                                     << (ascending ? " ascending" : " descending");
        EXPECT_EQ(f.column(0).first(), "L1"); // the fixed column stays
    }
}

// A fixed or missing column is refused with the grid left as it was, but repainted; a sort shows the
// busy cursor and takes it back.
TEST(StringGrid, RefusesFixedAndOutOfRangeSortColumns) {
    std::vector<bool> cursor;
    Cursor::SetHook([&cursor](bool busy) { cursor.push_back(busy); });
    for (int col : {0, -1, 3, 99}) {
        SortFixture f({{"b", "1"}, {"a", "2"}});
        int changed = 0;
        f.grid.OnChanged = [&changed] { ++changed; };
        EXPECT_THROW(f.grid.SortByColumn(col, true), EWrongCol) << col;
        EXPECT_EQ(f.column(2), QStringList({"1", "2"}));
        EXPECT_EQ(changed, 1);
    }
    EXPECT_TRUE(cursor.empty() || !cursor.back());
    SortFixture f({{"b", "1"}, {"a", "2"}});
    cursor.clear();
    f.grid.SortByColumn(1, true);
    EXPECT_EQ(f.column(2), QStringList({"2", "1"}));
    EXPECT_EQ(cursor, std::vector<bool>({true, false}));
    Cursor::SetHook({});
}
