#include "core/BKStringGrid.h"
#include "core/Encryp.h"
#include "platform/Cursor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {
const QByteArray kHeader = "TBKStringGrid\r\n1\r\n0\r\n0\r\n";

QByteArray readBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A grid of cols x rows without fixed cells, table file in a temporary folder.
struct Table {
    explicit Table(int cols, int rows, bool encryption = false) {
        grid.SetColCount(cols);
        grid.SetRowCount(rows);
        grid.SetFixedCols(0);
        grid.SetFixedRows(0);
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

// Rows of a sort fixture: column 0 is a fixed label, column 1 the key, column 2 a tag naming the row.
struct SortFixture {
    explicit SortFixture(const QVector<std::pair<QString, QString>>& rows) {
        grid.Encryption = false;
        grid.SetColCount(3);
        grid.SetRowCount(rows.size() + 1);
        grid.SetFixedCols(1);
        grid.SetFixedRows(1);
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

TEST(StringGrid, ShapeRules) {
    TBKStringGrid g;
    EXPECT_EQ(g.Cells(9, -1), ""); // outside the grid
    g.SetCells(4, 4, "corner");
    g.SetRowCount(1); // not above FixedRows: FixedRows becomes 0
    EXPECT_EQ(g.FixedRows(), 0);
    g.SetRowCount(0);
    EXPECT_EQ(g.RowCount(), 1);
    g.SetRowCount(5);
    EXPECT_EQ(g.Cells(4, 4), ""); // dropped by the shrink, new cells are empty
    g.SetCells(7, 0, "outside");  // ignored
    EXPECT_EQ(g.Cells(7, 0), "");
}

TEST(StringGrid, SavesTheTableFileByteForByte) {
    Table t(3, 2);
    t.fill({"Friends", "Some Team", "123456"});
    t.grid.SaveToFile();
    EXPECT_EQ(readBytes(t.grid.Filename), kHeader + "Friends\r\nSome Team\r\n123456\r\n\r\n\r\n\r\n");

    // Fixed rows and columns are saved like any other cell; text is UTF-8.
    Table f(2, 2);
    f.grid.SetFixedCols(1);
    f.grid.SetFixedRows(1);
    f.fill({"ID", QString::fromUtf8("Año"), "7", ""});
    f.grid.SaveToFile();
    EXPECT_EQ(readBytes(f.grid.Filename), kHeader + "ID\r\nA\xC3\xB1o\r\n7\r\n\r\n");

    // A line break inside a plain cell is saved as a blank, so the file still matches the grid.
    Table b(2, 1);
    b.fill({"two\r\nlines", "cr\ronly"});
    b.grid.SaveToFile();
    EXPECT_EQ(readBytes(b.grid.Filename), kHeader + "two  lines\r\ncr only\r\n");
    b.grid.LoadFromFile();
    EXPECT_EQ(b.all(), QStringList({"two  lines", "cr only"}));
}

TEST(StringGrid, SavesScrambledCellsWithTheGridKey) {
    Table t(1, 3, true);
    t.fill({"0", "", "ab"});
    t.grid.Scrambler().SetRandomSource([] { return 0x41; });
    t.grid.EncryptionKey = "changed later"; // never reaches the scrambler
    t.grid.SaveToFile();
    EXPECT_EQ(readBytes(t.grid.Filename), kHeader + "411A\r\n\r\n41C97E\r\n");

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
        t.grid.SaveToFile();
        Table back(2, 4, scrambled);
        back.grid.Filename = t.grid.Filename;
        back.fill({"old", "old", "old", "old", "old", "old", "old", "old"});
        back.grid.LoadFromFile();
        EXPECT_EQ(back.all(), texts) << "scrambled " << scrambled;
    }

    // Each save draws new start bytes, so the scrambled file changes from one save to the next.
    Table t(1, 2, true);
    t.fill({"secret", "code"});
    int next = 0;
    t.grid.Scrambler().SetRandomSource([&next] { return next++; });
    t.grid.SaveToFile();
    const QByteArray first = readBytes(t.grid.Filename);
    t.grid.SaveToFile();
    EXPECT_NE(readBytes(t.grid.Filename), first);
    t.grid.LoadFromFile();
    EXPECT_EQ(t.all(), QStringList({"secret", "code"}));
}

TEST(StringGrid, LoadsShortAndLongFilesAsThePascalReaderDoes) {
    Table t(2, 2);
    t.fill({"a", "b", "c", "d"});

    writeBytes(t.grid.Filename, kHeader); // header only: nothing changes
    t.grid.LoadFromFile();
    EXPECT_EQ(t.all(), QStringList({"a", "b", "c", "d"}));

    writeBytes(t.grid.Filename, kHeader + "1\r\n2\r\n3\r\n"); // one line short: last cell kept
    t.grid.LoadFromFile();
    EXPECT_EQ(t.all(), QStringList({"1", "2", "3", "d"}));

    writeBytes(t.grid.Filename, kHeader + "p\r\n"); // the rest of every row is skipped
    t.grid.LoadFromFile();
    EXPECT_EQ(t.all(), QStringList({"p", "2", "3", "d"}));

    writeBytes(t.grid.Filename, kHeader + "\r\n\r\n\r\n\r\n"); // trailing empty cells are cells
    t.grid.LoadFromFile();
    EXPECT_EQ(t.all(), QStringList({"", "", "", ""}));

    writeBytes(t.grid.Filename, "TBKStringGrid\n1\n0\n0\nw\nx\ny\nz"); // LF only, no final ending
    t.grid.LoadFromFile();
    EXPECT_EQ(t.all(), QStringList({"w", "x", "y", "z"}));

    writeBytes(t.grid.Filename,
               "anything\r\nat\r\nall\r\nhere\r\nEspa\xF1ol\r\n"); // header unchecked, cp1252
    t.grid.LoadFromFile();
    EXPECT_EQ(t.grid.Cells(0, 0), QString::fromUtf8("Español"));
}

TEST(StringGrid, LoadFailuresKeepWhatWasRead) {
    Table t(2, 2);
    t.fill({"a", "b", "c", "d"});

    writeBytes(t.grid.Filename, kHeader + "1\r\n2\r\n3\r\n4\r\n5\r\n"); // one line more
    try {
        t.grid.LoadFromFile();
        ADD_FAILURE() << "no exception";
    } catch (const ETooSmallGrid& e) {
        EXPECT_EQ(e.Message, "Grid too small. Could not load all data");
    }
    EXPECT_EQ(t.all(), QStringList({"1", "2", "3", "4"}));

    t.fill({"a", "b", "c", "d"});
    for (const QByteArray& bad : {QByteArray("TBKStringGrid\r\n1\r\n0\r\n"), QByteArray()}) {
        writeBytes(t.grid.Filename, bad);
        try {
            t.grid.LoadFromFile();
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidFile& e) {
            EXPECT_EQ(e.Message, "Invalid file. Program cannot read data");
        }
        EXPECT_EQ(t.all(), QStringList({"a", "b", "c", "d"}));
    }

    t.grid.Filename = t.dir.filePath("missing.dat");
    EXPECT_THROW(t.grid.LoadFromFile(), EInOutError);

    Table s(1, 3, true);
    s.fill({"a", "b", "c"});
    writeBytes(s.grid.Filename, kHeader + "411A\r\nXYZW\r\n005A\r\n");
    EXPECT_THROW(s.grid.LoadFromFile(), EConvertError);
    EXPECT_EQ(s.all(), QStringList({"0", "b", "c"}));
}

TEST(StringGrid, SaveGoesThroughATemporaryFile) {
    Table t(1, 2);
    t.fill({"old", "data"});
    t.grid.SaveToFile();
    const QByteArray old = readBytes(t.grid.Filename);

    // A second name for the old file keeps the old bytes: the file was replaced, not rewritten.
    const QString link = t.dir.filePath("link.dat");
    ASSERT_EQ(::link(QFile::encodeName(t.grid.Filename), QFile::encodeName(link)), 0);
    t.fill({"new", "text"});
    t.grid.SaveToFile();
    EXPECT_EQ(readBytes(link), old);
    EXPECT_EQ(readBytes(t.grid.Filename), kHeader + "new\r\ntext\r\n");

    // A save that cannot be completed reports the error and leaves the old file whole.
    const QByteArray before = readBytes(t.grid.Filename);
    t.fill({QString(200, 'x'), "y"});
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    try {
        t.grid.SaveToFile();
    } catch (const EInOutError&) {
        failed = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(failed);
    EXPECT_EQ(readBytes(t.grid.Filename), before);
    EXPECT_EQ(QDir(t.dir.path()).entryList(QDir::Files).size(), 2); // no temporary left behind

    t.grid.Filename = t.dir.filePath("no/such/folder/table.dat");
    EXPECT_THROW(t.grid.SaveToFile(), EInOutError);
}

// The tags (column 2) of the rows after sorting by column 1.
QStringList SortedTags(const QVector<std::pair<QString, QString>>& rows, bool ascending,
                       bool caseSensitive = false) {
    SortFixture f(rows);
    f.grid.CaseSensitive = caseSensitive;
    f.grid.SortByColumn(1, ascending);
    return f.column(2);
}

TEST(StringGrid, AscendingSortPutsBlankRowsLast) {
    SortFixture f({{"b", "1"}, {"", ""}, {"a", "3"}});
    f.grid.SortByColumn(1, true);
    EXPECT_EQ(f.column(1), QStringList({"a", "b", ""}));
    EXPECT_EQ(f.column(2), QStringList({"3", "1", ""}));
    EXPECT_EQ(f.column(0), QStringList({"L1", "L2", "L3"})); // fixed column stays
    // Descending is the exact reverse of the ascending order before blanks move.
    EXPECT_EQ(SortedTags({{"b", "1"}, {"", ""}, {"a", "3"}}, false), QStringList({"1", "3", ""}));
}

// Hand-traced through the partition: I and J stop on keys equal to the pivot and swap them, so equal
// keys change places. A stable sort would give 2 4 1 3 5.
TEST(StringGrid, SortTieOrderFollowsThePartition) {
    const QVector<std::pair<QString, QString>> dup{
        {"b", "1"}, {"a", "2"}, {"b", "3"}, {"a", "4"}, {"b", "5"}};
    EXPECT_EQ(SortedTags(dup, true), QStringList({"4", "2", "5", "1", "3"}));
    EXPECT_EQ(SortedTags(dup, false), QStringList({"3", "1", "5", "2", "4"}));
    // With blank rows among duplicates: ascending before blanks move is  - - a5 x1 x3.
    const QVector<std::pair<QString, QString>> blanks{{"x", "1"}, {"", ""}, {"x", "3"}, {"", ""}, {"a", "5"}};
    EXPECT_EQ(SortedTags(blanks, true), QStringList({"5", "1", "3", "", ""}));
    EXPECT_EQ(SortedTags(blanks, false), QStringList({"3", "1", "5", "", ""}));
    // A row with an empty key but a tag is not blank: when it comes first, nothing is moved down.
    EXPECT_EQ(SortedTags({{"", ""}, {"", "t2"}, {"b", "3"}, {"a", "4"}}, true),
              QStringList({"t2", "", "4", "3"}));
    // A leading blank row goes below the rows from the first non-blank on.
    EXPECT_EQ(SortedTags({{"", "t2"}, {"", ""}, {"b", "3"}, {"a", "4"}}, true),
              QStringList({"t2", "4", "3", ""}));
}

TEST(StringGrid, ComparesAsciiLettersWithoutCaseUnlessCaseSensitive) {
    // Letters fold to upper case: "_" (0x5F) sorts after every letter.
    EXPECT_EQ(SortedTags({{"B", "1"}, {"_x", "2"}, {"ax", "3"}, {"b", "4"}, {"A", "5"}, {"", ""}, {"a", "7"}},
                         true),
              QStringList({"5", "7", "3", "1", "4", "2", ""}));
    EXPECT_EQ(SortedTags({{"abc", "1"}, {"ABC", "2"}}, true, true), QStringList({"2", "1"}));
    EXPECT_EQ(SortedTags({{"abc", "1"}, {"ABC", "2"}}, true), QStringList({"2", "1"})); // equal: swapped
    EXPECT_EQ(SortedTags({{"abc", "1"}, {"x", "2"}, {"ABC", "3"}}, true), QStringList({"3", "1", "2"}));
}

TEST(StringGrid, RefusesFixedAndOutOfRangeSortColumns) {
    std::vector<bool> cursor;
    Cursor::SetHook([&cursor](bool busy) { cursor.push_back(busy); });
    for (int col : {0, -1, 3, 99}) {
        SortFixture f({{"b", "1"}, {"a", "2"}});
        int changed = 0;
        f.grid.OnChanged = [&changed] { ++changed; };
        try {
            f.grid.SortByColumn(col, true);
            ADD_FAILURE() << "column " << col;
        } catch (const EWrongCol& e) {
            EXPECT_EQ(e.Message,
                      "You cannot sort by one of the fixed columns when the SortByFixedCol property "
                      "is set to false.");
        }
        EXPECT_EQ(f.column(2), QStringList({"1", "2"}));
        EXPECT_EQ(changed, 1); // repainted also after the refusal
    }
    EXPECT_TRUE(cursor.empty() || !cursor.back());

    // SortByFixedCol allows column 0 and moves the fixed cells with their rows.
    SortFixture f({{"b", "1"}, {"a", "2"}});
    f.grid.SetCells(0, 1, "z");
    f.grid.SortByFixedCol = true;
    f.grid.SortByColumn(0, true);
    EXPECT_EQ(f.column(0), QStringList({"L2", "z"}));
    EXPECT_EQ(f.column(2), QStringList({"2", "1"}));

    cursor.clear();
    SortFixture ok({{"b", "1"}, {"a", "2"}});
    ok.grid.SortByColumn(1, true);
    EXPECT_EQ(cursor, std::vector<bool>({true, false}));
    Cursor::SetHook({});
}

// The shape rules keep one row that is not fixed, so a single data row is the smallest sort.
TEST(StringGrid, SortedEventsFireAlsoForASingleRow) {
    SortFixture e(QVector<std::pair<QString, QString>>{{"only", "1"}});
    EXPECT_EQ(e.grid.FixedRows(), 1);
    EXPECT_EQ(e.grid.RowCount(), 2);
    int asc = 0, desc = 0;
    e.grid.OnSortedAsc = [&](TBKStringGrid* sender) {
        EXPECT_EQ(sender, &e.grid);
        ++asc;
    };
    e.grid.OnSortedDesc = [&desc](TBKStringGrid*) { ++desc; };
    e.grid.SortByColumn(1, true);
    EXPECT_EQ(asc, 1);
    EXPECT_EQ(desc, 0);
    e.grid.SortByColumn(1, false);
    EXPECT_EQ(desc, 1);
    EXPECT_EQ(e.column(1), QStringList({"only"}));
    EXPECT_EQ(e.grid.Cells(1, 0), "");
}

TEST(StringGrid, BlankMeansControlCharactersSpacesAndDelete) {
    EXPECT_TRUE(TBKStringGrid::IsBlank(""));
    EXPECT_TRUE(TBKStringGrid::IsBlank(" \t\r\n"));
    EXPECT_TRUE(TBKStringGrid::IsBlank(QString(QChar(127))));
    EXPECT_FALSE(TBKStringGrid::IsBlank(" a "));
    EXPECT_FALSE(TBKStringGrid::IsBlank(QString(QChar(0xA0))));
}

TEST(StringGrid, ReportsEachUserEditOnce) {
    TBKStringGrid g;
    QStringList events;
    g.OnUserChangedCell = [&events](TBKStringGrid*, int c, int r, const QString& v) {
        events << QString("%1,%2=%3").arg(c).arg(r).arg(v);
    };
    g.SetCells(1, 1, "old");

    // Editor closes with a new text: reported by SetEditText.
    EXPECT_EQ(g.GetEditText(1, 1), "old");
    g.SetEditText(1, 1, "new");
    EXPECT_EQ(events, QStringList({"1,1=new"}));
    EXPECT_EQ(g.Cells(1, 1), "new");

    // Editor closes with the text it started with: nothing.
    g.GetEditText(1, 1);
    g.SetEditText(1, 1, "new");
    EXPECT_EQ(events.size(), 1);

    // Typing with the editor open, then moving on: reported by SelectCell, not again when the editor
    // hands its text back.
    g.SetCol(2);
    g.SetRow(1);
    g.GetEditText(2, 1);
    g.SetEditorMode(true);
    g.SetEditText(2, 1, "typed");
    EXPECT_EQ(events.size(), 1);
    EXPECT_TRUE(g.SelectCell(3, 1));
    EXPECT_EQ(events.last(), "2,1=typed");
    g.SetEditorMode(false);
    g.SetEditText(2, 1, "typed");
    EXPECT_EQ(events.size(), 2);

    // A sort with the editor always shown reports the current cell without comparing.
    g.SetEditorMode(true);
    g.AlwaysShowEditor = true;
    g.SortByColumn(2, true);
    EXPECT_EQ(events.last(), "2,1=typed");
    EXPECT_EQ(events.size(), 3);
}
