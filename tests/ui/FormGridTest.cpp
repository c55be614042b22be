#include "FormFixture.h"
#include "RecordGrid.h"

TEST_F(FormTest, GridsShowNineAndFiveRows) {
    TForm1& f = create();
    EXPECT_EQ(f.DBCtrlGrid1->visibleRows(), 9);
    EXPECT_EQ(f.DBCtrlGrid1->rowSize(), QSize(304, 39));
    EXPECT_EQ(f.DBCtrlGrid2->visibleRows(), 5);
    EXPECT_EQ(f.DBCtrlGrid2->rowSize(), QSize(304, 76));
}
