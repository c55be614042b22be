#include "MemData.h"

#include <algorithm>
#include <stdexcept>

#include "Codepage.h"

namespace pages {

MemData::MemData(QList<MemDataField> fields, QObject* parent)
    : QAbstractTableModel(parent), fields_(std::move(fields)) {}

int FieldIndex(const QList<MemDataField>& fields, const QString& name) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields.at(i).name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int MemData::fieldIndex(const QString& name) const {
    return FieldIndex(fields_, name);
}

int MemData::requireField(const QString& name) const {
    const int index = fieldIndex(name);
    if (index < 0) {
        throw std::out_of_range("no field " + name.toStdString());
    }
    return index;
}

void MemData::clear() {
    if (suspended_ == 0) {
        beginResetModel();
    }
    rows_.clear();
    currentRow_ = -1;
    if (suspended_ == 0) {
        endResetModel();
    }
    announceCurrentRow();
}

void MemData::append() {
    const int row = static_cast<int>(rows_.size());
    if (suspended_ == 0) {
        beginInsertRows({}, row, row);
    }
    rows_.emplace_back(static_cast<std::size_t>(fields_.size()));
    if (suspended_ == 0) {
        endInsertRows();
    }
    currentRow_ = row;
    announceCurrentRow();
}

void MemData::setValue(const QString& field, const std::string& value) {
    const int column = requireField(field);
    if (currentRow_ < 0) {
        throw std::out_of_range("no current row");
    }
    const auto size = static_cast<std::size_t>(fields_.at(column).size);
    rows_.at(static_cast<std::size_t>(currentRow_)).at(static_cast<std::size_t>(column)) =
        value.substr(0, size);
    if (suspended_ == 0) {
        const QModelIndex changed = index(currentRow_, column);
        Q_EMIT dataChanged(changed, changed);
    }
}

std::string MemData::value(const QString& field) const {
    return value(currentRow_, field);
}

std::string MemData::value(int row, const QString& field) const {
    const int column = requireField(field);
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void MemData::setCurrentRow(int row) {
    currentRow_ = rows_.empty() ? -1 : std::clamp(row, 0, rowCount() - 1);
    announceCurrentRow();
}

void MemData::disableControls() {
    if (suspended_++ == 0) {
        beginResetModel();
    }
}

void MemData::enableControls() {
    if (suspended_ == 0) {
        return;
    }
    if (--suspended_ == 0) {
        endResetModel();
        // Views come back from the reset without a current row of their own.
        announcedRow_ = -2;
        announceCurrentRow();
    }
}

void MemData::announceCurrentRow() {
    if (suspended_ > 0 || announcedRow_ == currentRow_) {
        return;
    }
    announcedRow_ = currentRow_;
    Q_EMIT currentRowChanged(currentRow_);
}

int MemData::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int MemData::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

QVariant MemData::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount() ||
        index.column() >= columnCount()) {
        return {};
    }
    return app::FromCp1254(
        rows_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())]);
}

QVariant MemData::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return fields_.at(section).name;
}

}  // namespace pages
