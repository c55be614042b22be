#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QQuickWindow>
#include <cstdio>

#include "Application.h"
#include "SingleInstanceLock.h"
#include "Unit1.h"

namespace {

// Chromium's sandbox cannot run as root; the web views still work without it.
void allowWebViewsAsRoot() {
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArrayLiteral("1"));
        std::fputs("zelkorfm: running as root, web view sandbox turned off\n", stderr);
    }
}

// The two web views show small pages of one station: one renderer process serves them both
// for the memory of one, instead of a process and its heap per page.
void shareOneRenderer() {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--renderer-process-limit")) {
        flags += QByteArrayLiteral(" --renderer-process-limit=1");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    }
}

// Nothing the player shows needs OpenGL: the window is painted by the CPU and the web views
// show small pages, mostly hidden. Without a GL context the start loads no GL driver (with
// Mesa's software GL, its shader compiler alone is some 50 MiB) and the web engine composites
// in software. A desktop that asks for a GL integration still gets it.
void drawWithoutOpenGL() {
    if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION")) {
        qputenv("QT_XCB_GL_INTEGRATION", QByteArrayLiteral("none"));
    }
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

}  // namespace

int main(int argc, char** argv) {
    allowWebViewsAsRoot();
    shareOneRenderer();
    drawWithoutOpenGL();
    app::Application application(argc, argv);
    // Lets Wayland desktops find the launcher and so the window's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("zelkorfm"));

    app::SingleInstanceLock lock;
    const std::string name =
        app::SingleInstanceLock::NameFor(QCoreApplication::applicationFilePath().toStdString());
    if (lock.acquire(name) == app::SingleInstanceLock::Result::AlreadyExists) {
        QMessageBox box(QMessageBox::NoIcon, QString(),
                        QStringLiteral("Program henüz açık ikinci kez açamazsınız"),
                        QMessageBox::Ok);
        box.exec();
        return 0;
    }

    TForm1 Form1;
    Form1.show();
    // A start-up that asked to end (no directory, a newer version) ends right after the first
    // show, where the event loop would start.
    const int code = Form1.terminationRequested() ? 0 : QApplication::exec();
    // Workers and engine threads may still run: end without running destructors.
    std::fflush(nullptr);
    ::_exit(code);
}
