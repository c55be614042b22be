#pragma once
// A picture control. The picture is drawn at its natural size at the top-left corner and cut
// at the control's edges, unless the control centres it or stretches it to its own size.
// Auto-size makes the control take its picture's size whenever a picture is assigned.
// Pictures with an alpha channel hold straight (not premultiplied) alpha and are drawn blended
// over whatever lies beneath; the control itself paints no background.

#include <QImage>
#include <QPointer>
#include <QString>

#include "THotSpot.h"

class QMenu;

class TImage : public THotSpot {
    Q_OBJECT
    Q_PROPERTY(QString pictureFile READ pictureFile WRITE setPictureFile)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool center READ center WRITE setCenter)
    Q_PROPERTY(bool stretch READ stretch WRITE setStretch)
public:
    explicit TImage(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);

    // Loads a picture file or resource: JPEG through our libjpeg decoder, anything else through
    // QImage. A file that cannot be read leaves the control without a picture.
    QString pictureFile() const { return pictureFile_; }
    void setPictureFile(const QString& path);

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool center() const { return center_; }
    void setCenter(bool on);
    bool stretch() const { return stretch_; }
    void setStretch(bool on);

    // A right-button press opens this menu at the pointer instead of being reported as a
    // press; the control does not own the menu.
    void setPopupMenu(QMenu* menu);
    QMenu* popupMenu() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void applyAutoSize();

    QImage picture_;
    QString pictureFile_;
    bool autoSize_ = false;
    bool center_ = false;
    bool stretch_ = false;
    QPointer<QMenu> popupMenu_;
};
