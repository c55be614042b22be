#include <gtest/gtest.h>

#include <QSignalSpy>
#include <stdexcept>

#include "MemData.h"

using pages::MemData;

namespace {

MemData twoFields() {
    return MemData({{QStringLiteral("saat"), 10}, {QStringLiteral("ok"), 1}});
}

}  // namespace

TEST(MemData, FieldsInOrderAndValuesCutToSize) {
    MemData table = twoFields();
    ASSERT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.headerData(0, Qt::Horizontal).toString(), QStringLiteral("saat"));
    EXPECT_EQ(table.fieldIndex(QStringLiteral("ok")), 1);
    EXPECT_EQ(table.fieldIndex(QStringLiteral("yok")), -1);

    for (const std::size_t length : {9u, 10u, 11u}) {
        table.append();
        table.setValue(QStringLiteral("saat"), std::string(length, 'x'));
        EXPECT_EQ(table.value(QStringLiteral("saat")).size(), std::min<std::size_t>(length, 10));
    }
    table.setValue(QStringLiteral("ok"), ">>");
    EXPECT_EQ(table.value(QStringLiteral("ok")), ">");
    EXPECT_THROW(table.setValue(QStringLiteral("yok"), "x"), std::out_of_range);
}

TEST(MemData, RowsStayInAppendOrderAndTheNewRowIsCurrent) {
    MemData table = twoFields();
    EXPECT_EQ(table.currentRow(), -1);
    EXPECT_THROW(table.setValue(QStringLiteral("saat"), "x"), std::out_of_range);
    for (const char* hour : {"22:00", "08:00", "15:00"}) {
        table.append();
        table.setValue(QStringLiteral("saat"), hour);
    }
    EXPECT_EQ(table.currentRow(), 2);
    EXPECT_EQ(table.value(0, QStringLiteral("saat")), "22:00");
    EXPECT_EQ(table.value(1, QStringLiteral("saat")), "08:00");
    table.first();
    EXPECT_EQ(table.value(QStringLiteral("saat")), "22:00");
    table.setCurrentRow(99);
    EXPECT_EQ(table.currentRow(), 2);
    table.clear();
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.currentRow(), -1);
    EXPECT_EQ(table.value(QStringLiteral("saat")), "");
}

TEST(MemData, ShowsCodePageBytesAsUnicode) {
    MemData table = twoFields();
    table.append();
    table.setValue(QStringLiteral("saat"), "\xDE\xFE\xFD");
    EXPECT_EQ(table.data(table.index(0, 0)).toString(), QString::fromUtf8("Şşı"));
    EXPECT_FALSE(table.data(table.index(0, 0), Qt::EditRole).isValid());
}

TEST(MemData, SuspendedViewsSeeOneResetAndOneCurrentRow) {
    MemData table = twoFields();
    QSignalSpy inserted(&table, &MemData::rowsInserted);
    QSignalSpy reset(&table, &MemData::modelReset);
    QSignalSpy current(&table, &MemData::currentRowChanged);

    table.disableControls();
    table.disableControls();
    for (int i = 0; i < 5; ++i) {
        table.append();
        table.setValue(QStringLiteral("saat"), "x");
    }
    table.enableControls();
    EXPECT_TRUE(table.controlsDisabled());
    EXPECT_EQ(reset.count(), 0);
    table.enableControls();
    EXPECT_FALSE(table.controlsDisabled());

    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(reset.count(), 1);
    ASSERT_EQ(current.count(), 1);
    EXPECT_EQ(current.at(0).at(0).toInt(), 4);

    table.append();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(current.count(), 2);
}
