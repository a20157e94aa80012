#pragma once
// A titled group of radio buttons addressed by index. Setting ItemIndex from code runs the click
// handler when the index changes, as the window code expects of a radio group.
#include <QGroupBox>
#include <QStringList>
#include <functional>

class QButtonGroup;
class QGridLayout;

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(QWidget* parent = nullptr);

    void SetItems(const QStringList& items); // keeps ItemIndex when still in range, else -1
    QStringList Items() const;
    void SetItemCaption(int index, const QString& caption);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // Items run down the columns one after the other, as many per column as needed.
    int Columns() const { return columns_; }
    void SetColumns(int columns);

    std::function<void()> OnClick;

private:
    QButtonGroup* buttons_;
    QGridLayout* layout_;
    int columns_ = 1;
    void placeButtons();
    QStringList items_;
    int itemIndex_ = -1;
};
