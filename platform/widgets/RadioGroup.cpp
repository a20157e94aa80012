#include "platform/widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent), buttons_(new QButtonGroup(this)), layout_(new QGridLayout(this)) {
    layout_->setContentsMargins(4, 4, 4, 4);
    layout_->setHorizontalSpacing(6);
    layout_->setVerticalSpacing(2);
    connect(buttons_, &QButtonGroup::idClicked, this, [this](int id) { SetItemIndex(id); });
}

void RadioGroup::SetItems(const QStringList& items) {
    for (QAbstractButton* b : buttons_->buttons()) {
        buttons_->removeButton(b);
        delete b;
    }
    items_ = items;
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setToolTip(items[i]); // readable also where a narrow column cuts the caption
        buttons_->addButton(b, i);
    }
    placeButtons();
    if (itemIndex_ >= items.size())
        itemIndex_ = -1;
    if (itemIndex_ >= 0)
        buttons_->button(itemIndex_)->setChecked(true);
}

void RadioGroup::SetColumns(int columns) {
    columns_ = qMax(1, columns);
    placeButtons();
}

void RadioGroup::placeButtons() {
    const int n = static_cast<int>(items_.size());
    const int perColumn = qMax(1, (n + columns_ - 1) / columns_);
    for (int i = 0; i < n; ++i) {
        QAbstractButton* b = buttons_->button(i);
        layout_->removeWidget(b);
        layout_->addWidget(b, i % perColumn, i / perColumn);
    }
}

QStringList RadioGroup::Items() const {
    return items_;
}

void RadioGroup::SetItemCaption(int index, const QString& caption) {
    if (index < 0 || index >= items_.size())
        return;
    items_[index] = caption;
    buttons_->button(index)->setText(caption);
    buttons_->button(index)->setToolTip(caption);
}

void RadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= items_.size() || index == itemIndex_) {
        if (index >= 0 && index < items_.size())
            buttons_->button(index)->setChecked(true);
        return;
    }
    itemIndex_ = index;
    if (index >= 0) {
        buttons_->button(index)->setChecked(true);
    } else {
        buttons_->setExclusive(false);
        for (QAbstractButton* b : buttons_->buttons())
            b->setChecked(false);
        buttons_->setExclusive(true);
    }
    if (OnClick)
        OnClick();
}
