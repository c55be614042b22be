#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// Closes every modal dialog that opens while it lives, as a listener pressing OK would, and
// keeps the texts the dialogs showed.
class ModalCloser : public QObject {
public:
    ModalCloser();
    const QStringList& texts() const { return texts_; }

private:
    void closeOpenDialog();

    QTimer timer_;
    QStringList texts_;
};
