#pragma once
// The drop-down list's close-up event: runs a handler whenever the list of a combo box closes,
// whether or not the selection changed.

#include <QObject>
#include <functional>

class QComboBox;

namespace player {

class ComboCloseUp : public QObject {
    Q_OBJECT
public:
    // The handler runs on the window's thread once the list has closed and any choice made in
    // it is the combo box's current index.
    ComboCloseUp(QComboBox* combo, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> handler_;
};

}  // namespace player
