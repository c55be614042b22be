#pragma once
// A transparent click area: paints nothing, so whatever lies beneath shows through, and
// reports presses and clicks. A click is a left-button press and release both inside the area.

#include <QPoint>
#include <QWidget>

class THotSpot : public QWidget {
    Q_OBJECT
public:
    explicit THotSpot(QWidget* parent = nullptr);

Q_SIGNALS:
    // Emitted on the GUI thread by the widget's own mouse handling; pos is in widget coordinates.
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool leftDown_ = false;  // a left press began inside and has not been released yet
};
