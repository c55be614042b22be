#include "TImage.h"

#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "JpegDecode.h"

TImage::TImage(QWidget* parent) : THotSpot(parent) {}

void TImage::setPicture(const QImage& picture) {
    picture_ = picture;
    applyAutoSize();
    update();
}

void TImage::setPictureFile(const QString& path) {
    pictureFile_ = path;
    QFile file(path);
    QImage loaded;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        loaded = isJpeg(bytes) ? decodeJpeg(bytes) : QImage::fromData(bytes);
    }
    setPicture(loaded);
}

void TImage::setAutoSize(bool on) {
    autoSize_ = on;
    applyAutoSize();
}

void TImage::setCenter(bool on) {
    center_ = on;
    update();
}

void TImage::setStretch(bool on) {
    stretch_ = on;
    update();
}

void TImage::setPopupMenu(QMenu* menu) {
    popupMenu_ = menu;
}

QMenu* TImage::popupMenu() const {
    return popupMenu_;
}

QSize TImage::sizeHint() const {
    return picture_.isNull() ? THotSpot::sizeHint() : picture_.size();
}

void TImage::applyAutoSize() {
    if (autoSize_ && !picture_.isNull())
        resize(picture_.size());
}

void TImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (stretch_) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture_);
    } else if (center_) {
        // Integer halves: an odd remainder leaves the spare column at the right, row below.
        const QPoint origin((width() - picture_.width()) / 2, (height() - picture_.height()) / 2);
        painter.drawImage(origin, picture_);
    } else {
        painter.drawImage(QPoint(0, 0), picture_);
    }
}

void TImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && popupMenu_) {
        popupMenu_->popup(event->globalPosition().toPoint());
        return;
    }
    THotSpot::mousePressEvent(event);
}
