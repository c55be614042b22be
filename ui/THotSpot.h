#pragma once
// A transparent click area: paints nothing, so whatever lies beneath shows through, and
// reports presses and clicks. A click is a left-button press and release both inside the area.

#include <QAccessible>
#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <utility>

class THotSpot : public QWidget {
    Q_OBJECT
public:
    explicit THotSpot(QWidget* parent = nullptr);

    // For screen readers: the role the area plays (its name is the widget's accessible name),
    // or the names of equal parts side by side, left to right, each then shown as a page tab.
    QAccessible::Role accessibleRole() const { return accessibleRole_; }
    void setAccessibleRole(QAccessible::Role role) { accessibleRole_ = role; }
    const QStringList& accessibleParts() const { return accessibleParts_; }
    void setAccessibleParts(QStringList names) { accessibleParts_ = std::move(names); }
    QRect partRect(int index) const;
    // A left click at pos, as a screen reader's press action asks for it.
    void press(QPoint pos);

Q_SIGNALS:
    // Emitted on the GUI thread by the widget's own mouse handling; pos is in widget coordinates.
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QAccessible::Role accessibleRole_ = QAccessible::Button;
    QStringList accessibleParts_;
    bool leftDown_ = false;  // a left press began inside and has not been released yet
};
