#include "GuiCall.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace player {

void CallOnGui(QObject* context, const std::function<void()>& work) {
    if (QThread::currentThread() == context->thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(context, work, Qt::BlockingQueuedConnection);
}

}  // namespace player
