#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <stdexcept>

#include "Application.h"

// The application object is the program's own, so this test has a main of its own.
TEST(GeneralErrorHandler, ShowsTheTextOfAnUncaughtErrorAndTheLoopGoesOn) {
    // The program's window stays open; closing the box must not end the loop.
    QWidget window;
    window.show();
    QStringList shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown << box->windowTitle() + QLatin1Char('|') + box->text();
            box->accept();
        }
    });
    closer.start(20);
    int later = 0;
    QTimer::singleShot(0, [] { throw std::runtime_error("Bozuk akış: satır 3"); });
    QTimer::singleShot(50, [] { throw std::out_of_range("index 9"); });
    QTimer::singleShot(300, [&] {
        ++later;
        QCoreApplication::quit();
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(later, 1);
    const QString title = QStringLiteral("application_tests|");
    EXPECT_EQ(shown, (QStringList{title + QStringLiteral("Bozuk akış: satır 3"),
                                  title + QStringLiteral("index 9")}));
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    app::Application application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
