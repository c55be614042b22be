#include "RecordGrid.h"

#include <QAbstractItemModel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {
constexpr int kWheelStep = 120;  // the angle of one wheel notch, in eighths of a degree
}  // namespace

RecordGrid::RecordGrid(QWidget* parent) : QWidget(parent), scrollBar_(new QScrollBar(this)) {
    scrollBar_->setOrientation(Qt::Vertical);
    scrollBar_->setSingleStep(1);
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        topRow_ = value;
        takeSnapshot();
        update();
    });
    updateScrollBar();
}

void RecordGrid::setModel(QAbstractItemModel* model) {
    if (model_) {
        disconnect(model_, nullptr, this, nullptr);
    }
    model_ = model;
    resetting_ = false;
    if (model_) {
        connect(model_, &QAbstractItemModel::modelAboutToBeReset, this,
                [this] { resetting_ = true; });
        connect(model_, &QAbstractItemModel::modelReset, this, [this] {
            resetting_ = false;
            modelChanged();
        });
        connect(model_, &QAbstractItemModel::rowsInserted, this, &RecordGrid::modelChanged);
        connect(model_, &QAbstractItemModel::rowsRemoved, this, &RecordGrid::modelChanged);
        connect(model_, &QAbstractItemModel::dataChanged, this, &RecordGrid::modelChanged);
        connect(model_, &QAbstractItemModel::layoutChanged, this, &RecordGrid::modelChanged);
    }
    currentRow_ = -1;
    modelChanged();
}

QAbstractItemModel* RecordGrid::model() const {
    return model_;
}

void RecordGrid::setRowSize(QSize size) {
    rowSize_ = size;
    layoutScrollBar();
    update();
}

void RecordGrid::setVisibleRows(int count) {
    visibleRows_ = std::max(1, count);
    modelChanged();
}

void RecordGrid::setRowPicture(const QImage& picture, QPoint offset) {
    rowPicture_ = picture;
    rowPictureOffset_ = offset;
    update();
}

void RecordGrid::setFields(const QList<RecordGridField>& fields) {
    fields_ = fields;
    takeSnapshot();
    update();
}

void RecordGrid::setPanelColor(const QColor& color) {
    panelColor_ = color;
    update();
}

void RecordGrid::setCurrentPanelColor(const QColor& color) {
    currentPanelColor_ = color;
    update();
}

void RecordGrid::setCurrentRow(int row) {
    const int rows = rowCount();
    const int clamped = rows == 0 ? -1 : std::clamp(row, 0, rows - 1);
    if (clamped == currentRow_) {
        return;
    }
    currentRow_ = clamped;
    scrollToCurrent();
    update();
    Q_EMIT currentRowChanged(currentRow_);
}

QRect RecordGrid::rowRect(int row) const {
    const int slot = row - topRow_;
    if (row < 0 || row >= rowCount() || slot < 0 || slot >= visibleRows_) {
        return {};
    }
    return {QPoint(0, slot * rowSize_.height()), rowSize_};
}

void RecordGrid::modelChanged() {
    if (resetting_) {
        return;
    }
    rows_ = model_ ? model_->rowCount() : 0;
    const int rows = rows_;
    if (currentRow_ >= rows) {
        currentRow_ = rows - 1;
    }
    if (currentRow_ < 0 && rows > 0) {
        currentRow_ = 0;
    }
    updateScrollBar();
    setTopRow(topRow_);
    takeSnapshot();
    update();
}

void RecordGrid::setTopRow(int row) {
    const int last = std::max(0, rowCount() - visibleRows_);
    topRow_ = std::clamp(row, 0, last);
    scrollBar_->setValue(topRow_);
}

void RecordGrid::scrollToCurrent() {
    if (currentRow_ < 0) {
        return;
    }
    if (currentRow_ < topRow_) {
        setTopRow(currentRow_);
    } else if (currentRow_ >= topRow_ + visibleRows_) {
        setTopRow(currentRow_ - visibleRows_ + 1);
    }
    takeSnapshot();
}

void RecordGrid::updateScrollBar() {
    const int rows = rowCount();
    const QSignalBlocker blocker(scrollBar_);
    scrollBar_->setRange(0, std::max(0, rows - visibleRows_));
    scrollBar_->setPageStep(visibleRows_);
    scrollBar_->setEnabled(rows > visibleRows_);
}

void RecordGrid::takeSnapshot() {
    if (resetting_) {
        return;
    }
    shown_.clear();
    if (!model_) {
        return;
    }
    const int last = std::min(model_->rowCount(), topRow_ + visibleRows_);
    for (int row = topRow_; row < last; ++row) {
        QStringList texts;
        for (const RecordGridField& field : std::as_const(fields_)) {
            texts.append(model_->data(model_->index(row, field.column)).toString());
        }
        shown_.append(texts);
    }
}

void RecordGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), panelColor_);
    for (int slot = 0; slot < visibleRows_ && slot < shown_.size(); ++slot) {
        paintRow(painter, slot);
    }
}

void RecordGrid::paintRow(QPainter& painter, int slot) {
    const QRect row(QPoint(0, slot * rowSize_.height()), rowSize_);
    painter.save();
    painter.setClipRect(row);
    painter.translate(row.topLeft());
    const bool current = topRow_ + slot == currentRow_;
    painter.fillRect(QRect(QPoint(0, 0), rowSize_), current ? currentPanelColor_ : panelColor_);
    painter.drawImage(rowPictureOffset_, rowPicture_);
    const QStringList& texts = shown_.at(slot);
    for (qsizetype i = 0; i < fields_.size() && i < texts.size(); ++i) {
        const RecordGridField& field = fields_.at(i);
        painter.save();
        painter.setClipRect(field.rect, Qt::IntersectClip);
        painter.setFont(field.font);
        painter.setPen(field.color.isValid() ? field.color : palette().color(QPalette::WindowText));
        const int wrap = field.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
        painter.drawText(field.rect, Qt::AlignLeft | Qt::AlignTop | wrap, texts.at(i));
        painter.restore();
    }
    painter.restore();
}

void RecordGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    const int slot = pos.y() / rowSize_.height();
    const int row = topRow_ + slot;
    if (pos.x() >= rowSize_.width() || pos.y() < 0 || slot >= visibleRows_ || row >= rowCount()) {
        return;
    }
    setCurrentRow(row);
    Q_EMIT clicked();
}

void RecordGrid::wheelEvent(QWheelEvent* event) {
    // A mouse wheel sends 120 a notch; a touchpad sends many smaller deltas, which add up to
    // whole rows. Turning back starts the count afresh, so the list follows the fingers at once.
    const int delta = event->angleDelta().y();
    if ((delta > 0 && wheelRemainder_ < 0) || (delta < 0 && wheelRemainder_ > 0)) {
        wheelRemainder_ = 0;
    }
    wheelRemainder_ += delta;
    const int steps = wheelRemainder_ / kWheelStep;
    wheelRemainder_ -= steps * kWheelStep;
    if (steps != 0) {
        setTopRow(topRow_ - steps);
    }
    event->accept();
}

void RecordGrid::resizeEvent(QResizeEvent*) {
    layoutScrollBar();
}

void RecordGrid::layoutScrollBar() {
    const int barWidth = std::max(0, width() - rowSize_.width());
    scrollBar_->setGeometry(rowSize_.width(), 0, barWidth, height());
}
