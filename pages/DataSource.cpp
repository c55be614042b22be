#include "DataSource.h"

#include "MemData.h"
#include "RecordGrid.h"

namespace pages {

void ConnectDataSource(MemData* table, RecordGrid* grid) {
    grid->setModel(table);
    grid->setCurrentRow(table->currentRow());
    QObject::connect(table, &MemData::currentRowChanged, grid, &RecordGrid::setCurrentRow);
    QObject::connect(grid, &RecordGrid::currentRowChanged, table, &MemData::setCurrentRow);
}

}  // namespace pages
