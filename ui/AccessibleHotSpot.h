#pragma once
// What a screen reader sees of a click area: the role and name the window gives it, and a press
// action that acts as a left click in its middle. An area split into equal parts side by side
// (a strip of tabs drawn in one picture) shows each part as a child of its own.

#include <QAccessibleWidget>
#include <vector>

class THotSpot;

class AccessibleHotSpot : public QAccessibleWidget {
public:
    explicit AccessibleHotSpot(THotSpot* spot);

    // For QAccessible::installFactory: an interface for every THotSpot, nothing for others.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QAccessible::Role role() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    THotSpot* spot() const;

    // The parts' interfaces, made on first use; the accessibility cache owns them.
    mutable std::vector<QAccessibleInterface*> parts_;
};
