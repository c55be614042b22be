#pragma once
// The program's application object. It holds the general error handler: an exception that an
// event handler does not catch ends up here, its text is shown in the player's message box,
// and the event loop goes on with the next event.

#include <QApplication>

namespace app {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace app
