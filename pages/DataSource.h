#pragma once

class RecordGrid;

namespace pages {

class MemData;

// Shows a table in a record grid and keeps their current rows together: a row the listener
// presses becomes the table's current row, and the table's current row is the one the grid
// marks and scrolls into view. Neither is owned.
void ConnectDataSource(MemData* table, RecordGrid* grid);

}  // namespace pages
