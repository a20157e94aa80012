// The grid on screen, offscreen, beyond what the match view's tests show: a row set by code before
// the grid is laid out still ends fully in view, and only the user's moves are clicks.
#include "core/BKStringGrid.h"
#include "platform/widgets/StringGridView.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(StringGridView, RowsSetByCodeShowWholeAndOnlyTheUsersMovesAreClicks) {
    // A caption row and 40 data rows; the row is chosen before the grid is shown and made smaller.
    TBKStringGrid table;
    table.SetColCount(2);
    table.SetRowCount(41);
    table.SetFixedCols(0);
    table.SetFixedRows(1);
    StringGridView view(&table);
    view.SetDefaultRowHeight(20);
    table.SetRow(35);
    view.resize(200, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.resize(200, 120);
    QCoreApplication::processEvents();
    const auto wholeInView = [&view](int row) {
        const QRect full = view.visualRect(view.model()->index(row, 0));
        const QRect shown = view.CellRect(0, row);
        return shown.size() == full.size() && shown.top() >= view.CellRect(0, 0).bottom();
    };
    EXPECT_TRUE(wholeInView(35));
    EXPECT_EQ(view.currentIndex().row(), 35);

    QSignalSpy clicks(&view, &StringGridView::Click);
    table.SetRow(2);
    EXPECT_TRUE(wholeInView(2));
    EXPECT_EQ(clicks.count(), 0) << "code moving the row is no click";
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(table.Row(), 3);
    EXPECT_EQ(clicks.count(), 1);
    // The caption row is no row to move to, and a key that moves nothing is no click.
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(table.Row(), 1);
    EXPECT_EQ(clicks.count(), 2);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(view.model()->index(3, 1)).center());
    EXPECT_EQ(table.Row(), 3);
    EXPECT_EQ(clicks.count(), 3);
}
