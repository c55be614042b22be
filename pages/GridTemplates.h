#pragma once
// The template rows of the two record grids: row size, rows in view, the row picture and the
// field labels with their places, fonts and colours. Columns are the tables' field indexes.

class QImage;
class RecordGrid;

namespace pages {

// DBCtrlGrid1: 9 rows of 304 x 39; saat, program and the ">" marker.
void SetScheduleTemplate(RecordGrid* grid, const QImage& rowPicture);
// DBCtrlGrid2: 5 rows of 304 x 76; baslik, detay (word-wrapped) and the ">" marker.
void SetAnnouncementTemplate(RecordGrid* grid, const QImage& rowPicture);

}  // namespace pages
