#pragma once

#include <QImage>
#include <QWidget>

// The slider's thumb: a child control that paints one cell of its picture and nothing else.
// It keeps receiving the pointer while a button is held on it (Qt's implicit grab), so a drag
// that leaves it still reaches the slider through its three mouse signals.
class TSliderThumb : public QWidget {
    Q_OBJECT
public:
    explicit TSliderThumb(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    bool pressed() const { return pressed_; }
    int numCells() const { return numCells_; }

    // Copies the picture and takes the size of one of its cells.
    void setPicture(const QImage& picture);
    // Repaints when the flag changes: a pressed thumb shows its second cell.
    void setPressed(bool pressed);
    // Resizes when the count changes.
    void setNumCells(int cells);

Q_SIGNALS:
    // Emitted on the GUI thread by the thumb's own mouse handlers, pos in thumb coordinates.
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);
    void OnMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPoint pos);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fitToCell();

    QImage picture_;
    QImage drawn_;  // picture_ with its transparent colour made see-through
    bool pressed_ = false;
    int numCells_ = 2;
};
