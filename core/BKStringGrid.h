#pragma once
// TBKStringGrid: the one table type of the program. A grid of text cells that sorts its rows by one
// column, loads and saves all cells to the table file (optionally scrambled), and reports cells the
// user changed by editing. It is data, not a widget: a StringGridView shows one on screen and drives
// the edit-tracking operations below.
#include "platform/Exceptions.h"

#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class TVeskEncryption;

class EInvalidFile : public Exception {
public:
    EInvalidFile() : Exception("Invalid file. Program cannot read data") {}
};
class ETooSmallGrid : public Exception {
public:
    ETooSmallGrid() : Exception("Grid too small. Could not load all data") {}
};
class EWrongCol : public Exception {
public:
    EWrongCol()
        : Exception("You cannot sort by one of the fixed columns when the SortByFixedCol property is set to "
                    "false.") {}
};

class TBKStringGrid {
public:
    using TNotifyEvent = std::function<void(TBKStringGrid* Sender)>;
    using TSetEditEvent =
        std::function<void(TBKStringGrid* Sender, int ACol, int ARow, const QString& Value)>;

    // encryptionKey: the key the scrambler gets once, at construction (empty: the grid key "kRspwenu").
    explicit TBKStringGrid(const QString& encryptionKey = QString());
    ~TBKStringGrid();
    TBKStringGrid(const TBKStringGrid&) = delete;
    TBKStringGrid& operator=(const TBKStringGrid&) = delete;

    // --- grid shape (the inherited string grid) ---
    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    // A grid keeps at least one row and column; when the new count is not above the fixed count, the fixed
    // count becomes the new count minus 1. Cells beyond the new size are dropped; new cells read "".
    void SetColCount(int n);
    void SetRowCount(int n);
    void SetFixedCols(int n);
    void SetFixedRows(int n);

    QString Cells(int ACol, int ARow) const; // "" outside the grid or never written
    void SetCells(int ACol, int ARow, const QString& text);

    // Current cell and in-place editor state (driven by a view). Setting the current cell tells the
    // view (OnCurrentCellSet), which moves to it and scrolls it into view.
    int Col() const { return col_; }
    int Row() const { return row_; }
    void SetCol(int c) {
        col_ = c;
        if (OnCurrentCellSet)
            OnCurrentCellSet();
    }
    void SetRow(int r) {
        row_ = r;
        if (OnCurrentCellSet)
            OnCurrentCellSet();
    }
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool open) { editorMode_ = open; }
    bool AlwaysShowEditor = false; // goAlwaysShowEditor
    bool Editable = false;         // goEditing

    // Column widths as the layout stores them; -1 hides the column.
    int ColWidth(int ACol) const;
    void SetColWidth(int ACol, int width);
    int DefaultColWidth = 64;

    // --- published properties with their constructor values ---
    bool CaseSensitive = false;
    bool SortByFixedCol = false;
    QString Filename = "TBKStringGrid.txt";
    TNotifyEvent OnSortedAsc;
    TNotifyEvent OnSortedDesc;
    bool BlanksDown = true;
    bool Encryption = true;
    QString EncryptionKey; // later changes never reach the scrambler
    TSetEditEvent OnUserChangedCell;

    // Called after any change of cells or shape, so that a view can repaint. Not part of the table's
    // behaviour; hidden tables leave it empty.
    std::function<void()> OnChanged;
    // Called after SetCol or SetRow. Not part of the table's behaviour either.
    std::function<void()> OnCurrentCellSet;

    // A stamp that changes with every change of cells or shape and that no other table, nor this one
    // in another state, ever carried: what a reader keeps derived from a table is current while the
    // stamp it was made from still is.
    struct Stamp {
        quint64 Table = 0;   // this table among all tables made in the process
        quint64 Changes = 0; // changes of this table so far
        bool operator==(const Stamp&) const = default;
    };
    Stamp Version() const { return {tableId_, changes_}; }

    // --- operations ---
    virtual void SortByColumn(int ACol, bool Ascending);
    void LoadFromFile();
    void SaveToFile();
    QString EncryptCell(const QString& text);
    QString DecryptCell(const QString& text);

    // Edit tracking, called by the view's in-place editor.
    QString GetEditText(int ACol, int ARow);
    bool SelectCell(int ACol, int ARow);
    void SetEditText(int ACol, int ARow, const QString& Value);

    static bool IsBlank(const QString& text);

    // The grid's own scrambler (tests give it a fixed random source).
    TVeskEncryption& Scrambler();

private:
    void QuickSortRows(int L, int R);
    void SwapRows(int A, int B);
    void ReverseRows();
    void MoveBlanksDown();
    bool RowIsBlank(int row) const;
    int Compare(const QString& a, const QString& b) const;
    void Changed();

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int col_ = 1;
    int row_ = 1;
    bool editorMode_ = false;
    QVector<QVector<QString>> cells_; // [row][col]
    QVector<int> colWidths_;

    int sortCol_ = 0;
    std::unique_ptr<TVeskEncryption> scrambler_;
    quint64 tableId_;
    quint64 changes_ = 0;
    bool editTracking_ = true;
    QString editStartText_;
};
