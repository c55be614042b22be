#pragma once
// Runs a piece of work on the thread of a window object. CallOnGui waits until it has run: a
// direct call on that thread, a blocking queued call from any other; the caller must not hold a
// lock that the window's thread may wait for. PostToGui runs it directly on that thread and
// otherwise queues it and returns at once; work queued from one thread runs in the order it
// was queued, also relative to that thread's later CallOnGui.

#include <functional>

class QObject;

namespace player {

void CallOnGui(QObject* context, const std::function<void()>& work);
void PostToGui(QObject* context, std::function<void()> work);

}  // namespace player
