#include "AccessibleHotSpot.h"

#include <QRect>

#include "THotSpot.h"

namespace {

// One part of a split area; pressing it presses the area at the part's middle.
class AccessiblePart : public QAccessibleInterface {
public:
    AccessiblePart(THotSpot* spot, int index) : spot_(spot), index_(index) {}

    bool isValid() const override { return spot_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent()->window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(spot_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? spot_->accessibleParts().value(index_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect local = spot_->partRect(index_);
        return QRect(spot_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override { return {}; }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface*>(&actions_)
                   : nullptr;
    }

private:
    class Actions : public QAccessibleActionInterface {
    public:
        explicit Actions(AccessiblePart* part) : part_(part) {}
        QStringList actionNames() const override { return {pressAction()}; }
        void doAction(const QString& name) override {
            if (name == pressAction()) {
                part_->spot_->press(part_->spot_->partRect(part_->index_).center());
            }
        }
        QStringList keyBindingsForAction(const QString&) const override { return {}; }

    private:
        AccessiblePart* part_;
    };

    THotSpot* spot_;
    int index_;
    Actions actions_{this};
};

}  // namespace

AccessibleHotSpot::AccessibleHotSpot(THotSpot* spot) : QAccessibleWidget(spot) {}

QAccessibleInterface* AccessibleHotSpot::create(const QString&, QObject* object) {
    if (auto* spot = qobject_cast<THotSpot*>(object)) {
        return new AccessibleHotSpot(spot);
    }
    return nullptr;
}

THotSpot* AccessibleHotSpot::spot() const {
    return static_cast<THotSpot*>(widget());
}

QAccessible::Role AccessibleHotSpot::role() const {
    return spot()->accessibleParts().isEmpty() ? spot()->accessibleRole()
                                               : QAccessible::PageTabList;
}

int AccessibleHotSpot::childCount() const {
    return static_cast<int>(spot()->accessibleParts().size());
}

QAccessibleInterface* AccessibleHotSpot::child(int index) const {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    while (static_cast<int>(parts_.size()) <= index) {
        auto* part = new AccessiblePart(spot(), static_cast<int>(parts_.size()));
        QAccessible::registerAccessibleInterface(part);
        parts_.push_back(part);
    }
    return parts_[static_cast<std::size_t>(index)];
}

int AccessibleHotSpot::indexOfChild(const QAccessibleInterface* child) const {
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        if (parts_[i] == child) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QStringList AccessibleHotSpot::actionNames() const {
    return spot()->accessibleParts().isEmpty() ? QStringList{pressAction()} : QStringList{};
}

void AccessibleHotSpot::doAction(const QString& actionName) {
    if (actionName == pressAction() && spot()->accessibleParts().isEmpty()) {
        spot()->press(spot()->rect().center());
    }
}
