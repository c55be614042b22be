#pragma once

#include <QString>

namespace app {

// Hands an address to the desktop's default handler. Only http and https addresses are opened:
// a value from a server such as "file:///..." or a program path must never be run. Returns
// whether the address was handed over; the handler's own result is not looked at.
bool OpenWithDesktop(const QString& address);
bool IsWebAddress(const QString& address);

}  // namespace app
