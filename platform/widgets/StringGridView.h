#pragma once
// A TBKStringGrid on screen. The table stays the single owner of the cells; the view shows them, draws
// the fixed rows and columns as headers, hides columns of width -1, lets an OnDrawCell hook paint over
// a cell after the default drawing, and routes the user's edits through the table's edit-tracking
// operations (GetEditText when an edit starts, SetEditText when it ends, SelectCell when the current
// cell moves).
//
// Like the grid it stands for: the fixed rows stay in place while the other rows scroll beneath them;
// a current row set by code (the table's SetRow) is scrolled fully into view; a click on a cell and a
// move of the current cell with the keyboard both report Click.
#include "core/BKStringGrid.h"

#include <QHash>
#include <QTableView>
#include <functional>

class QPainter;
class StringGridModel;

class StringGridView : public QTableView {
    Q_OBJECT
public:
    struct DrawState {
        bool selected = false;
        bool fixed = false;
    };
    // Paints over the default drawing of the cell (ACol, ARow) inside Rect.
    using DrawCellHook =
        std::function<void(QPainter& canvas, int ACol, int ARow, const QRect& Rect, const DrawState& state)>;

    explicit StringGridView(TBKStringGrid* grid, QWidget* parent = nullptr);
    ~StringGridView() override;

    TBKStringGrid* Grid() const { return grid_; }
    DrawCellHook OnDrawCell;
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int h);
    void SetRowHeight(int row, int h);

    // Re-reads shape, widths and cells from the table (also done on the table's OnChanged).
    void Refresh();

    // The rectangle of the cell in this widget's coordinates, where it is drawn now (a fixed row in the
    // band above the scrolling rows); empty when the cell is not shown.
    QRect CellRect(int ACol, int ARow) const;

    // The default drawing writes a cell's text at this offset from the cell's top-left corner.
    static constexpr int TextOffsetX = 2;
    static constexpr int TextOffsetY = 2;

signals:
    // The user clicked a cell, or moved the current cell with the keyboard.
    void Click();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

private:
    friend class StringGridDelegate;
    friend class FixedRowsHeader;
    // The height of a row, also of a fixed row (which the scrolling part hides).
    int RowHeightOf(int row) const;
    int FixedRowsHeight() const;
    // Moves the view to the table's current cell (set by code) and scrolls its row fully into view.
    void followCurrentCell();
    void scrollToCurrentRow();

    TBKStringGrid* grid_;
    StringGridModel* model_;
    class FixedRowsHeader* fixedRows_; // the fixed rows, drawn in the band above the scrolling ones
    QHash<int, int> rowHeights_;       // rows given a height of their own
    bool refreshPending_ = false;
    bool movingFromView_ = false; // the view itself is setting the table's current cell
    bool followingTable_ = false; // the view is moving to a current cell the table was given
    bool keepRowInView_ = false;  // a row set by code stays scrolled into view until the user scrolls
    bool scrolling_ = false;
};

// Deletes the window's child widgets now. A window that keeps the tables its views show as its own
// members calls this from its destructor: QWidget's destructor deletes (and first hides) the children
// only after every member is gone, and a view asked for its size then would read a destroyed table.
void DeleteChildWidgets(QWidget* window);
