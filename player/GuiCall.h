#pragma once
// Runs a piece of work on the thread of a window object and waits until it has run: a direct
// call on that thread, a blocking queued call from any other. The caller must not hold a lock
// that the window's thread may wait for.

#include <functional>

class QObject;

namespace player {

void CallOnGui(QObject* context, const std::function<void()>& work);

}  // namespace player
