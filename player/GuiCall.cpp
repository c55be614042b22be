#include "GuiCall.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <utility>

namespace player {

void CallOnGui(QObject* context, const std::function<void()>& work) {
    if (QThread::currentThread() == context->thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(context, work, Qt::BlockingQueuedConnection);
}

void PostToGui(QObject* context, std::function<void()> work) {
    if (QThread::currentThread() == context->thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(context, std::move(work), Qt::QueuedConnection);
}

}  // namespace player
