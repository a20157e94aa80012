#include "platform/widgets/StringGridView.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

// Exposes the table's cells to Qt. Reads go straight to the table; writes go through SetEditText so
// that the table reports the user's change exactly once.
class StringGridModel : public QAbstractTableModel {
public:
    explicit StringGridModel(TBKStringGrid* grid, QObject* parent)
        : QAbstractTableModel(parent), grid_(grid) {}
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : grid_->RowCount();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : grid_->ColCount();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return grid_->Cells(index.column(), index.row());
        if (role == Qt::EditRole)
            return grid_->GetEditText(index.column(), index.row());
        return {};
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!index.isValid() || role != Qt::EditRole)
            return false;
        grid_->SetEditorMode(false);
        grid_->SetEditText(index.column(), index.row(), value.toString());
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        const bool fixed = index.column() < grid_->FixedCols() || index.row() < grid_->FixedRows();
        if (grid_->Editable && !fixed)
            f |= Qt::ItemIsEditable;
        return f;
    }
    void reset() {
        beginResetModel();
        endResetModel();
    }

private:
    TBKStringGrid* grid_;
};

// Default drawing (fixed cells in the button colour, the rest in the base colour), then the hook.
class StringGridDelegate : public QStyledItemDelegate {
public:
    explicit StringGridDelegate(StringGridView* view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        TBKStringGrid* grid = view_->Grid();
        StringGridView::DrawState state;
        state.fixed = index.column() < grid->FixedCols() || index.row() < grid->FixedRows();
        state.selected = (option.state & QStyle::State_Selected) && !state.fixed;
        const QPalette& pal = option.palette;
        painter->save();
        painter->fillRect(option.rect, state.fixed      ? pal.button()
                                       : state.selected ? pal.highlight()
                                                        : pal.base());
        painter->setPen(state.selected ? pal.highlightedText().color() : pal.text().color());
        painter->drawText(
            option.rect.adjusted(StringGridView::TextOffsetX, StringGridView::TextOffsetY, -2, 0),
            Qt::AlignTop | Qt::AlignLeft | Qt::TextSingleLine, grid->Cells(index.column(), index.row()));
        if (state.fixed) {
            painter->setPen(pal.mid().color());
            painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
            painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        }
        painter->restore();
        if (view_->OnDrawCell) {
            painter->save();
            painter->setClipRect(option.rect);
            view_->OnDrawCell(*painter, index.column(), index.row(), option.rect, state);
            painter->restore();
        }
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        view_->Grid()->SetEditorMode(true);
        return editor;
    }
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        view_->Grid()->SetEditorMode(false);
        QStyledItemDelegate::destroyEditor(editor, index);
    }

private:
    StringGridView* view_;
};

// The band above the scrolling rows where the fixed rows stay: the view's column header, whose
// sections follow the columns' widths, hiding and horizontal scrolling, painted as the fixed cells.
class FixedRowsHeader : public QHeaderView {
public:
    explicit FixedRowsHeader(StringGridView* view) : QHeaderView(Qt::Horizontal, view), view_(view) {
        setSectionsClickable(false);
        setSectionResizeMode(QHeaderView::Fixed);
        setHighlightSections(false);
    }
    QSize sizeHint() const override {
        return QSize(QHeaderView::sizeHint().width(), view_->FixedRowsHeight());
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        QAbstractItemDelegate* delegate = view_->itemDelegate();
        const TBKStringGrid* grid = view_->Grid();
        int y = rect.top();
        for (int r = 0; r < grid->FixedRows() && r < grid->RowCount(); ++r) {
            QStyleOptionViewItem option;
            option.initFrom(view_);
            option.state &= ~QStyle::State_Selected;
            option.rect = QRect(rect.left(), y, rect.width(), view_->RowHeightOf(r));
            option.widget = view_;
            delegate->paint(painter, option, view_->model()->index(r, logicalIndex));
            y += view_->RowHeightOf(r);
        }
    }

private:
    StringGridView* view_;
};

StringGridView::StringGridView(TBKStringGrid* grid, QWidget* parent)
    : QTableView(parent), grid_(grid), model_(new StringGridModel(grid, this)),
      fixedRows_(new FixedRowsHeader(this)) {
    setModel(model_);
    setHorizontalHeader(fixedRows_);
    setItemDelegate(new StringGridDelegate(this));
    verticalHeader()->hide();
    // A column or row is as narrow as the table says (a 4-pixel spacer stays 4 pixels), not the
    // style's minimum, which would push the last columns out of a list sized to fit them.
    verticalHeader()->setMinimumSectionSize(1);
    fixedRows_->setMinimumSectionSize(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    // Many cells change in one operation; repaint once when the window system gets control again.
    grid_->OnChanged = [this] {
        if (refreshPending_)
            return;
        refreshPending_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Refresh(); }, Qt::QueuedConnection);
    };
    grid_->OnCurrentCellSet = [this] {
        if (!movingFromView_)
            followCurrentCell();
    };
    connect(this, &QAbstractItemView::clicked, this, &StringGridView::Click);
    // The user scrolls: a row set by code no longer pulls the view back.
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] { keepRowInView_ = false; });
    Refresh();
}

StringGridView::~StringGridView() {
    if (grid_) {
        grid_->OnChanged = nullptr;
        grid_->OnCurrentCellSet = nullptr;
    }
}

int StringGridView::DefaultRowHeight() const {
    return verticalHeader()->defaultSectionSize();
}

void StringGridView::SetDefaultRowHeight(int h) {
    verticalHeader()->setDefaultSectionSize(h);
    Refresh();
}

void StringGridView::SetRowHeight(int row, int h) {
    rowHeights_.insert(row, h);
    setRowHeight(row, h);
    Refresh();
}

int StringGridView::RowHeightOf(int row) const {
    return rowHeights_.value(row, verticalHeader()->defaultSectionSize());
}

int StringGridView::FixedRowsHeight() const {
    int h = 0;
    for (int r = 0; r < grid_->FixedRows() && r < grid_->RowCount(); ++r)
        h += RowHeightOf(r);
    return h;
}

void StringGridView::Refresh() {
    refreshPending_ = false;
    const bool shapeChanged = model_->rowCount() != verticalHeader()->count() ||
                              model_->columnCount() != horizontalHeader()->count();
    if (shapeChanged) {
        model_->reset();
        for (auto it = rowHeights_.cbegin(); it != rowHeights_.cend(); ++it)
            if (it.key() < model_->rowCount())
                setRowHeight(it.key(), it.value());
    } else {
        emit model_->dataChanged(model_->index(0, 0),
                                 model_->index(model_->rowCount() - 1, model_->columnCount() - 1));
    }
    for (int c = 0; c < grid_->ColCount(); ++c) {
        const int w = grid_->ColWidth(c);
        setColumnHidden(c, w < 0);
        if (w >= 0)
            setColumnWidth(c, w);
    }
    // The fixed rows are drawn in the band above; the scrolling part shows the others.
    for (int r = 0; r < model_->rowCount(); ++r)
        setRowHidden(r, r < grid_->FixedRows());
    fixedRows_->setVisible(grid_->FixedRows() > 0);
    updateGeometries();
    fixedRows_->viewport()->update();
    viewport()->update();
}

QRect StringGridView::CellRect(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ACol >= model_->columnCount() || ARow >= model_->rowCount() ||
        isColumnHidden(ACol))
        return {};
    if (ARow < grid_->FixedRows()) {
        if (fixedRows_->isHidden())
            return {};
        int y = 0;
        for (int r = 0; r < ARow; ++r)
            y += RowHeightOf(r);
        const QRect cell(fixedRows_->sectionViewportPosition(ACol), y, columnWidth(ACol), RowHeightOf(ARow));
        const QRect shown = cell.intersected(fixedRows_->viewport()->rect());
        return shown.translated(fixedRows_->viewport()->mapTo(this, QPoint(0, 0)));
    }
    const QRect shown = visualRect(model_->index(ARow, ACol)).intersected(viewport()->rect());
    return shown.translated(viewport()->mapTo(this, QPoint(0, 0)));
}

void StringGridView::followCurrentCell() {
    if (refreshPending_)
        Refresh();
    const int row = grid_->Row();
    if (row < grid_->FixedRows() || row >= model_->rowCount())
        return;
    int col = grid_->Col();
    if (col < 0 || col >= model_->columnCount() || isColumnHidden(col))
        col = columnAt(0) >= 0 ? columnAt(0) : 0;
    followingTable_ = true;
    setCurrentIndex(model_->index(row, col));
    followingTable_ = false;
    keepRowInView_ = true;
    scrollToCurrentRow();
}

void StringGridView::scrollToCurrentRow() {
    const QModelIndex current = currentIndex();
    if (scrolling_ || !current.isValid())
        return;
    scrolling_ = true;
    // Only vertically: the columns shown stay as they are.
    const int col = columnAt(0) >= 0 ? columnAt(0) : current.column();
    scrollTo(model_->index(current.row(), col), QAbstractItemView::EnsureVisible);
    scrolling_ = false;
}

void StringGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (current.isValid() && !followingTable_) {
        grid_->SelectCell(current.column(), current.row());
        movingFromView_ = true;
        grid_->SetCol(current.column());
        grid_->SetRow(current.row());
        movingFromView_ = false;
    }
    QTableView::currentChanged(current, previous);
}

void StringGridView::keyPressEvent(QKeyEvent* event) {
    keepRowInView_ = false;
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(event);
    // Moving the current cell with the keyboard is a click on the cell it reaches.
    if (currentIndex().isValid() && currentIndex() != before)
        emit Click();
}

void StringGridView::wheelEvent(QWheelEvent* event) {
    keepRowInView_ = false;
    QTableView::wheelEvent(event);
}

void StringGridView::mousePressEvent(QMouseEvent* event) {
    keepRowInView_ = false;
    QTableView::mousePressEvent(event);
}

void StringGridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (keepRowInView_)
        scrollToCurrentRow();
}

void StringGridView::updateGeometries() {
    QTableView::updateGeometries();
    // The view may be laid out only after its row was set (a page shown, a window resized).
    if (keepRowInView_)
        scrollToCurrentRow();
}

void DeleteChildWidgets(QWidget* window) {
    qDeleteAll(window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}
