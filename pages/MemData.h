#pragma once
// A small in-memory table: text fields of fixed sizes in a fixed order, rows kept in the order
// they were appended (no index, no sorting), and a current row. Values are code page 1254
// bytes; one longer than its field is cut to the field's size. As a Qt model it has one column
// per field and shows each value as Unicode text.
//
// Views can be suspended while the table is refilled: between disableControls() and the
// matching enableControls() the table is inside one model reset, so views neither redraw nor
// ask for data, and the current-row signal waits until the views are back.

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <string>
#include <vector>

namespace pages {

struct MemDataField {
    QString name;
    int size = 0;  // in 8-bit characters
};

// The index of the field of that name; -1 when there is none.
int FieldIndex(const QList<MemDataField>& fields, const QString& name);

class MemData : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit MemData(QList<MemDataField> fields, QObject* parent = nullptr);

    const QList<MemDataField>& fields() const { return fields_; }
    int fieldIndex(const QString& name) const;  // -1 when there is no such field

    // Closes and reopens the table: no rows, no current row.
    void clear();
    // Appends a row of empty values and makes it the current row.
    void append();
    // Sets a value of the current row, cut to the field's size. Throws std::out_of_range when
    // there is no current row or no such field.
    void setValue(const QString& field, const std::string& value);
    // A value of the current row; empty when there is no current row.
    std::string value(const QString& field) const;
    std::string value(int row, const QString& field) const;

    int currentRow() const { return currentRow_; }
    void setCurrentRow(int row);  // clamped to the rows there are
    void first() { setCurrentRow(0); }

    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return suspended_ > 0; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // Emitted on the GUI thread when the current row changes while views are not suspended,
    // and once when they are resumed.
    void currentRowChanged(int row);

private:
    int requireField(const QString& name) const;
    void announceCurrentRow();

    // Owned by the GUI thread, like every model.
    QList<MemDataField> fields_;
    std::vector<std::vector<std::string>> rows_;
    int currentRow_ = -1;
    int announcedRow_ = -1;  // the current row the views were last told about
    int suspended_ = 0;
};

}  // namespace pages
