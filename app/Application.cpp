#include "Application.h"

#include <exception>

#include "MessageBox.h"

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowMessage(nullptr, QString::fromLocal8Bit(error.what()));
    }
    return false;
}

}  // namespace app
