#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QWheelEvent>

#include "MemData.h"
#include "RecordGrid.h"

namespace {

const QColor kSilver(192, 192, 192);
const QColor kRowPicture(230, 230, 230);

struct Grid {
    explicit Grid(int rows) {
        for (int i = 0; i < rows; ++i) {
            model.appendRow(new QStandardItem(QStringLiteral("Satır %1").arg(i)));
        }
        grid.resize(321, 351);
        grid.setRowSize(QSize(304, 39));
        grid.setVisibleRows(9);
        QImage row(320, 39, QImage::Format_RGB32);
        row.fill(kRowPicture);
        grid.setRowPicture(row, QPoint(2, 0));
        grid.setPanelColor(kSilver);
        grid.setCurrentPanelColor(Qt::black);
        QFont font;
        font.setPixelSize(11);
        grid.setFields({{0, QRect(51, 13, 225, 17), font, Qt::black, false}});
        grid.setModel(&model);
    }
    QColor pixel(int x, int y) { return grid.grab().toImage().pixelColor(x, y); }

    QStandardItemModel model;
    RecordGrid grid;
};

}  // namespace

TEST(RecordGrid, NineRowsInViewATenthMakesTheScrollBarUsable) {
    Grid nine(9);
    EXPECT_FALSE(nine.grid.verticalScrollBar()->isEnabled());
    EXPECT_EQ(nine.grid.rowRect(8), QRect(0, 312, 304, 39));
    Grid ten(10);
    EXPECT_TRUE(ten.grid.verticalScrollBar()->isEnabled());
    EXPECT_EQ(ten.grid.verticalScrollBar()->maximum(), 1);
    EXPECT_TRUE(ten.grid.rowRect(9).isEmpty());
    EXPECT_EQ(ten.grid.verticalScrollBar()->geometry(), QRect(304, 0, 17, 351));
}

TEST(RecordGrid, CurrentRowShowsABlackStripTheOthersSilver) {
    Grid g(3);
    g.grid.setCurrentRow(1);
    for (const int x : {0, 1}) {
        EXPECT_EQ(g.pixel(x, 39 + 5), QColor(Qt::black)) << x;
        EXPECT_EQ(g.pixel(x, 5), kSilver) << x;
        EXPECT_EQ(g.pixel(x, 78 + 5), kSilver) << x;
    }
    EXPECT_EQ(g.pixel(2, 39 + 5), kRowPicture);
    EXPECT_EQ(g.pixel(2, 5), kRowPicture);
}

TEST(RecordGrid, FieldTextStaysInsideItsLabel) {
    Grid g(1);
    const QImage image = g.grid.grab().toImage();
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < 39; ++y) {
        for (int x = 2; x < 304; ++x) {
            if (image.pixelColor(x, y) != kRowPicture) {
                (QRect(51, 13, 225, 17).contains(x, y) ? inside : outside) += 1;
            }
        }
    }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
}

TEST(RecordGrid, LeftPressMakesTheRowCurrentThenClicks) {
    Grid g(5);
    QSignalSpy clicked(&g.grid, &RecordGrid::clicked);
    QSignalSpy current(&g.grid, &RecordGrid::currentRowChanged);
    int currentAtClick = -1;
    QObject::connect(&g.grid, &RecordGrid::clicked, [&] { currentAtClick = g.grid.currentRow(); });

    QTest::mousePress(&g.grid, Qt::LeftButton, {}, QPoint(100, 3 * 39 + 10));
    EXPECT_EQ(clicked.count(), 1);  // on the press, before any release
    EXPECT_EQ(currentAtClick, 3);
    ASSERT_EQ(current.count(), 1);
    EXPECT_EQ(current.at(0).at(0).toInt(), 3);
    QTest::mouseRelease(&g.grid, Qt::LeftButton, {}, QPoint(100, 3 * 39 + 10));
    EXPECT_EQ(clicked.count(), 1);

    QTest::mousePress(&g.grid, Qt::RightButton, {}, QPoint(100, 10));
    QTest::mousePress(&g.grid, Qt::LeftButton, {}, QPoint(100, 6 * 39 + 10));  // no row there
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(g.grid.currentRow(), 3);
}

TEST(RecordGrid, CurrentRowIsScrolledIntoView) {
    Grid g(20);
    g.grid.setCurrentRow(15);
    EXPECT_EQ(g.grid.topRow(), 7);
    EXPECT_FALSE(g.grid.rowRect(15).isEmpty());
    g.grid.setCurrentRow(2);
    EXPECT_EQ(g.grid.topRow(), 2);
    g.grid.verticalScrollBar()->setValue(11);
    EXPECT_EQ(g.grid.topRow(), 11);
    EXPECT_EQ(g.grid.rowRect(11).top(), 0);
    QTest::mousePress(&g.grid, Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(g.grid.currentRow(), 11);
}

TEST(RecordGrid, KeepsShowingTheOldRowsWhileTheTableIsSuspended) {
    Grid g(0);
    pages::MemData table({{QStringLiteral("ad"), 20}});
    table.append();
    table.setValue(QStringLiteral("ad"), "Eski");
    g.grid.setModel(&table);
    const QImage before = g.grid.grab().toImage();

    table.disableControls();
    table.clear();
    for (int i = 0; i < 12; ++i) {
        table.append();
        table.setValue(QStringLiteral("ad"), "Yeni");
    }
    EXPECT_EQ(g.grid.grab().toImage(), before);
    EXPECT_FALSE(g.grid.verticalScrollBar()->isEnabled());
    table.enableControls();
    EXPECT_NE(g.grid.grab().toImage(), before);
    EXPECT_TRUE(g.grid.verticalScrollBar()->isEnabled());
}

TEST(RecordGrid, TouchpadDeltasAddUpToWholeRows) {
    Grid g(20);
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(100, 100), g.grid.mapToGlobal(QPointF(100, 100)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&g.grid, &event);
    };
    wheel(-120);
    EXPECT_EQ(g.grid.topRow(), 1);
    for (int i = 0; i < 3; ++i) {
        wheel(-30);
    }
    EXPECT_EQ(g.grid.topRow(), 1);
    wheel(-30);
    EXPECT_EQ(g.grid.topRow(), 2);
    wheel(-200);  // one row, and 80 towards the next
    EXPECT_EQ(g.grid.topRow(), 3);
    wheel(-40);
    EXPECT_EQ(g.grid.topRow(), 4);
    // Turning back does not spend what was gathered the other way.
    wheel(-90);
    wheel(60);
    wheel(60);
    EXPECT_EQ(g.grid.topRow(), 3);
    EXPECT_EQ(g.grid.verticalScrollBar()->value(), 3);
}
