#pragma once
// A record grid: a column of equal row panels, one per row of a table model, each painted from
// one template row (a picture and field labels at fixed places and fonts), with a vertical
// scroll bar on the right. The grid keeps a current row, marked by the panel colour showing in
// the strip the row picture leaves uncovered. A left-button press on a row makes that row
// current and then reports a click, on the press and not on the release. The grid only shows
// and selects rows: it never inserts or deletes them.
//
// While the model is being reset (between modelAboutToBeReset and modelReset) the grid keeps
// showing what it showed before and asks the model nothing: a table that suspends its views
// this way can be refilled without being redrawn half-way.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QWidget>

class QAbstractItemModel;
class QScrollBar;

// One field label of the template row: the model column it shows and where and how it shows it.
struct RecordGridField {
    int column = 0;
    QRect rect;  // inside the row panel
    QFont font;
    QColor color;  // invalid: the palette's window-text colour
    bool wordWrap = false;
};

class RecordGrid : public QWidget {
    Q_OBJECT
public:
    explicit RecordGrid(QWidget* parent = nullptr);

    // The grid does not own the model.
    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const;

    // The template row.
    void setRowSize(QSize size);
    QSize rowSize() const { return rowSize_; }
    void setVisibleRows(int count);
    int visibleRows() const { return visibleRows_; }
    void setRowPicture(const QImage& picture, QPoint offset);
    void setFields(const QList<RecordGridField>& fields);
    void setPanelColor(const QColor& color);
    void setCurrentPanelColor(const QColor& color);

    // -1 when the model has no rows.
    int currentRow() const { return currentRow_; }
    // Moves the current row (clamped to the rows there are) and scrolls it into view.
    void setCurrentRow(int row);
    // The row shown in the top panel.
    int topRow() const { return topRow_; }
    // The panel of a row in widget coordinates; empty when the row is not in view.
    QRect rowRect(int row) const;
    QScrollBar* verticalScrollBar() const { return scrollBar_; }

Q_SIGNALS:
    // Emitted on the GUI thread whenever the current row changes, by a press or from code.
    void currentRowChanged(int row);
    // Emitted on the GUI thread by a left-button press on a row, after the row became current.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int rowCount() const { return rows_; }
    void modelChanged();
    void setTopRow(int row);
    void scrollToCurrent();
    void updateScrollBar();
    void layoutScrollBar();
    void takeSnapshot();
    void paintRow(QPainter& painter, int slot);

    QPointer<QAbstractItemModel> model_;
    QScrollBar* scrollBar_;
    QSize rowSize_{304, 39};
    int visibleRows_ = 1;
    QImage rowPicture_;
    QPoint rowPictureOffset_;
    QList<RecordGridField> fields_;
    QColor panelColor_{Qt::lightGray};
    QColor currentPanelColor_{Qt::black};

    // Widget state, GUI thread only.
    int rows_ = 0;  // the model's row count when last safe to ask it
    int currentRow_ = -1;
    int topRow_ = 0;
    int wheelRemainder_ = 0;  // wheel angle not yet worth a whole row
    bool resetting_ = false;  // the model is between its reset signals: do not ask it anything
    // What the visible panels show: the texts of rows topRow_.. by field, taken from the model
    // whenever it is safe to ask it.
    QList<QStringList> shown_;
};
