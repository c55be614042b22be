#include "ModalCloser.h"

#include <QApplication>
#include <QMessageBox>

ModalCloser::ModalCloser() {
    connect(&timer_, &QTimer::timeout, this, &ModalCloser::closeOpenDialog);
    timer_.start(20);
}

void ModalCloser::closeOpenDialog() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
        return;
    }
    texts_ << box->text();
    box->accept();
}
