#include "platform/widgets/StringGridView.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
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
        painter->drawText(option.rect.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                          grid->Cells(index.column(), index.row()));
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

StringGridView::StringGridView(TBKStringGrid* grid, QWidget* parent)
    : QTableView(parent), grid_(grid), model_(new StringGridModel(grid, this)) {
    setModel(model_);
    setItemDelegate(new StringGridDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
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
    Refresh();
}

StringGridView::~StringGridView() {
    if (grid_)
        grid_->OnChanged = nullptr;
}

int StringGridView::DefaultRowHeight() const {
    return defaultRowHeight_;
}

void StringGridView::SetDefaultRowHeight(int h) {
    defaultRowHeight_ = h;
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(h);
}

void StringGridView::SetRowHeight(int row, int h) {
    verticalHeader()->setMinimumSectionSize(1);
    setRowHeight(row, h);
}

void StringGridView::Refresh() {
    refreshPending_ = false;
    const bool shapeChanged = model_->rowCount() != verticalHeader()->count() ||
                              model_->columnCount() != horizontalHeader()->count();
    if (shapeChanged)
        model_->reset();
    else
        emit model_->dataChanged(model_->index(0, 0),
                                 model_->index(model_->rowCount() - 1, model_->columnCount() - 1));
    for (int c = 0; c < grid_->ColCount(); ++c) {
        const int w = grid_->ColWidth(c);
        setColumnHidden(c, w < 0);
        if (w >= 0)
            setColumnWidth(c, w);
    }
    viewport()->update();
}

void StringGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (current.isValid()) {
        grid_->SelectCell(current.column(), current.row());
        grid_->SetCol(current.column());
        grid_->SetRow(current.row());
    }
    QTableView::currentChanged(current, previous);
}
