#pragma once
// Moves a top-level window with the mouse while the pressed button is held. The desktop's own
// move is used where it offers one (X11 window managers, Wayland compositors); elsewhere the
// window follows the pointer by itself from the press until the button is released, and does
// not move otherwise.

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

class WindowMover : public QObject {
    Q_OBJECT
public:
    // Called on the GUI thread by a press handler while the button is down. pressed is the
    // widget that received the press, globalPress the pointer's position on the screen.
    // Returns true when the desktop took over the move.
    static bool start(QWidget* pressed, QPoint globalPress);

protected:
    // Runs on the GUI thread for every event of the application while following the pointer.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowMover(QWidget* window, QPoint globalPress);
    void finish();

    QPointer<QWidget> window_;
    QPoint grabOffset_;  // pointer position minus window position at the press
};
