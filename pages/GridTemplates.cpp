#include "GridTemplates.h"

#include <QFont>
#include <QImage>

#include "AnnouncementTable.h"
#include "AppFonts.h"
#include "RecordGrid.h"
#include "ScheduleTable.h"

namespace pages {
namespace {

const QColor kSilver(192, 192, 192);
const QColor kGrey(103, 103, 103);
const QColor kDarkBlue(2, 47, 130);

QFont tahoma(bool bold, bool italic) {
    return AppFonts::pixelFont(QStringLiteral("Tahoma"), 11, bold, italic);
}

QFont marker() {
    return AppFonts::pixelFont(QStringLiteral("Arial"), 19, true);
}

void setCommon(RecordGrid* grid, QSize rowSize, int rows, const QImage& rowPicture) {
    grid->setRowSize(rowSize);
    grid->setVisibleRows(rows);
    // The picture starts 2 pixels in, so the panel colour shows as a strip at the left.
    grid->setRowPicture(rowPicture, QPoint(2, 0));
    grid->setPanelColor(kSilver);
    grid->setCurrentPanelColor(Qt::black);
}

}  // namespace

void SetScheduleTemplate(RecordGrid* grid, const QImage& rowPicture) {
    setCommon(grid, QSize(304, 39), 9, rowPicture);
    const QList<MemDataField> fields = ScheduleFields();
    grid->setFields({
        {FieldIndex(fields, QStringLiteral("saat")), QRect(12, 13, 53, 17), tahoma(true, true),
         kGrey, false},
        {FieldIndex(fields, QStringLiteral("program")), QRect(51, 13, 225, 17), tahoma(true, true),
         QColor(), false},
        {FieldIndex(fields, QStringLiteral("ok")), QRect(281, 8, 19, 22), marker(), kDarkBlue,
         false},
    });
}

void SetAnnouncementTemplate(RecordGrid* grid, const QImage& rowPicture) {
    setCommon(grid, QSize(304, 76), 5, rowPicture);
    const QList<MemDataField> fields = AnnouncementFields();
    grid->setFields({
        {FieldIndex(fields, QStringLiteral("baslik")), QRect(9, 5, 272, 17), tahoma(true, true),
         Qt::black, false},
        {FieldIndex(fields, QStringLiteral("detay")), QRect(8, 21, 273, 52), tahoma(false, true),
         QColor(), true},
        {FieldIndex(fields, QStringLiteral("ok")), QRect(281, 26, 19, 22), marker(), kDarkBlue,
         false},
    });
}

}  // namespace pages
