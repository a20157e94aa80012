// The grid on screen, offscreen: its fixed rows stay while the others scroll, a row set by code is
// scrolled fully into view (also when the grid is laid out later), and a keyboard move of the current
// cell is a click.
#include "core/BKStringGrid.h"
#include "platform/widgets/StringGridView.h"

#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Three columns, a caption row and 40 data rows, in a view that shows about eight of them.
struct Grid {
    TBKStringGrid table;
    std::unique_ptr<StringGridView> view;
    Grid() {
        table.SetColCount(3);
        table.SetRowCount(41);
        table.SetFixedCols(0);
        table.SetFixedRows(1);
        table.Encryption = false;
        for (int c = 0; c < 3; ++c) {
            table.SetColWidth(c, 80);
            table.SetCells(c, 0, QStringLiteral("Head %1").arg(c));
        }
        for (int r = 1; r < 41; ++r)
            table.SetCells(0, r, QStringLiteral("row %1").arg(r));
        view = std::make_unique<StringGridView>(&table);
        view->SetDefaultRowHeight(20);
        view->resize(260, 200);
    }
    void show() {
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }
    // The row's cell lies whole inside the scrolling part: nothing of it is cut off.
    bool wholeInView(int row) const {
        const QRect cell = view->CellRect(0, row);
        const QRect full = view->visualRect(view->model()->index(row, 0));
        const QRect area(view->viewport()->mapTo(view.get(), QPoint(0, 0)), view->viewport()->size());
        return !cell.isEmpty() && cell.size() == full.size() && area.contains(cell);
    }
    QColor pixel(const QPoint& at) const { return view->grab().toImage().pixelColor(at); }
};

} // namespace

TEST(StringGridView, FixedRowsStayWhileTheOthersScroll) {
    Grid g;
    g.show();
    const QRect heading = g.view->CellRect(1, 0);
    ASSERT_FALSE(heading.isEmpty());
    const QPoint inside = heading.center() + QPoint(heading.width() / 2 - 4, 0); // right of the text
    const QColor headingColour = g.view->palette().button().color();
    ASSERT_EQ(g.pixel(inside), headingColour);

    g.view->verticalScrollBar()->setValue(g.view->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    EXPECT_EQ(g.view->CellRect(1, 0), heading);
    EXPECT_EQ(g.pixel(inside), headingColour) << "the heading is still drawn at the top";
    EXPECT_TRUE(g.view->CellRect(0, 1).isEmpty()) << "the first data row scrolled away";
    EXPECT_TRUE(g.wholeInView(40));
    // No data row is drawn over the heading.
    for (int r = 1; r <= 40; ++r)
        EXPECT_FALSE(g.view->CellRect(0, r).intersects(heading)) << r;
}

TEST(StringGridView, ARowSetByCodeIsScrolledFullyIntoView) {
    Grid g;
    g.show();
    QSignalSpy clicks(g.view.get(), &StringGridView::Click);
    g.table.SetRow(40);
    EXPECT_TRUE(g.wholeInView(40));
    EXPECT_EQ(g.view->currentIndex().row(), 40);
    g.table.SetRow(1);
    EXPECT_TRUE(g.wholeInView(1));
    EXPECT_EQ(clicks.count(), 0) << "code moving the row is no click";

    // Rows added and the last one chosen at once, as a poll does: the view follows.
    g.table.SetRowCount(61);
    g.table.SetRow(60);
    EXPECT_TRUE(g.wholeInView(60));

    // A grid laid out only after its row was set (a page shown later, a smaller window).
    Grid later;
    later.table.SetRow(35);
    later.show();
    later.view->resize(260, 120);
    QCoreApplication::processEvents();
    EXPECT_TRUE(later.wholeInView(35));
}

TEST(StringGridView, MovingTheCurrentCellWithTheKeyboardIsAClick) {
    Grid g;
    g.show();
    g.table.SetRow(5);
    g.view->setFocus();
    QSignalSpy clicks(g.view.get(), &StringGridView::Click);
    QTest::keyClick(g.view.get(), Qt::Key_Down);
    EXPECT_EQ(g.table.Row(), 6);
    EXPECT_EQ(clicks.count(), 1);
    QTest::keyClick(g.view.get(), Qt::Key_Up);
    QTest::keyClick(g.view.get(), Qt::Key_Up);
    EXPECT_EQ(g.table.Row(), 4);
    EXPECT_EQ(clicks.count(), 3);
    // The heading is not a row to move to: Home stops at the first data row.
    QTest::keyClick(g.view.get(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(g.table.Row(), 1);
    const int before = clicks.count();
    QTest::keyClick(g.view.get(), Qt::Key_Up);
    EXPECT_EQ(g.table.Row(), 1);
    EXPECT_EQ(clicks.count(), before) << "a key that moves nothing is no click";
    // A mouse click on a cell is one too.
    QTest::mouseClick(g.view->viewport(), Qt::LeftButton, {},
                      g.view->visualRect(g.view->model()->index(3, 1)).center());
    EXPECT_EQ(g.table.Row(), 3);
    EXPECT_EQ(clicks.count(), before + 1);
}
