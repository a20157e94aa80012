#pragma once
// A TBKStringGrid on screen. The table stays the single owner of the cells; the view shows them, draws
// the fixed rows and columns as headers, hides columns of width -1, lets an OnDrawCell hook paint over
// a cell after the default drawing, and routes the user's edits through the table's edit-tracking
// operations (GetEditText when an edit starts, SetEditText when it ends, SelectCell when the current
// cell moves).
#include "core/BKStringGrid.h"

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

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class StringGridDelegate;
    TBKStringGrid* grid_;
    StringGridModel* model_;
    int defaultRowHeight_ = 24;
    bool refreshPending_ = false;
};
