#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <thread>

#include "StatusBridge.h"
#include "StatusText.h"

namespace player {
namespace {

class StatusBridgeTest : public ::testing::Test {
protected:
    StatusBridgeTest() : bridge({&edt_1, &edt_2, &edt_3, &lbl_kbit, &Timer2}) {
        Timer2.setInterval(500);
        lbl_kbit.setText(QStringLiteral("old"));
    }

    QLineEdit edt_1;
    QLineEdit edt_2;
    QLineEdit edt_3;
    QLabel lbl_kbit;
    QTimer Timer2;
    StatusBridge bridge;
};

TEST_F(StatusBridgeTest, ConnectingClearsTheSlotsAndDisarmsTheRetry) {
    edt_2.setText(QStringLiteral("Song"));
    edt_3.setText(QStringLiteral("ICY 200 OK"));
    Timer2.start();
    bridge.sendStatus(StatusConnecting);
    EXPECT_EQ(edt_1.text(), QString::fromUtf8("Bağlanıyor..."));
    EXPECT_TRUE(edt_2.text().isEmpty());
    EXPECT_TRUE(edt_3.text().isEmpty());
    EXPECT_FALSE(Timer2.isActive());
}

TEST_F(StatusBridgeTest, NoConnectionArmsTheRetryOnce) {
    bridge.sendStatus(StatusNoConnection);
    EXPECT_EQ(edt_1.text(), QString::fromUtf8("Bağlantı Yok"));
    ASSERT_TRUE(Timer2.isActive());
    QTest::qWait(300);
    // A second failure while armed keeps the pending tick where it was.
    bridge.sendStatus(StatusNoConnection);
    EXPECT_LT(Timer2.remainingTime(), 300);
}

TEST_F(StatusBridgeTest, BufferingNameAndTitleTexts) {
    bridge.sendStatus(StatusBuffering, 100);
    EXPECT_EQ(edt_1.text(), QString::fromUtf8("Arabelleğe Alınıyor... 100%"));
    bridge.sendText(StatusStreamName, "Radyo \xDE\x65n");  // code page 1254 bytes
    EXPECT_EQ(edt_1.text(), QString::fromUtf8("Radyo Şen"));
    bridge.sendText(StatusTitle, "Artist - Song");
    EXPECT_EQ(edt_2.text(), QStringLiteral("Artist - Song"));
    bridge.sendText(StatusTitle, "");
    EXPECT_TRUE(edt_2.text().isEmpty());
}

TEST_F(StatusBridgeTest, ServerLineThenBitRate) {
    bridge.sendText(StatusServerReply, "ICY 200 OK");
    EXPECT_EQ(edt_3.text(), QStringLiteral("ICY 200 OK"));
    EXPECT_EQ(lbl_kbit.text(), QStringLiteral("old"));
    bridge.sendText(StatusBitRate, "BitRate: 128");
    EXPECT_EQ(edt_3.text(), QStringLiteral("BitRate: 128"));
    EXPECT_EQ(lbl_kbit.text(), QStringLiteral("128 KBit"));
    // The label keeps the last bit rate through a later status line.
    bridge.sendText(StatusServerReply, "HTTP/1.0 200 OK");
    EXPECT_EQ(lbl_kbit.text(), QStringLiteral("128 KBit"));
}

TEST_F(StatusBridgeTest, EveryMessageRunsTheBitRateRule) {
    edt_3.setText(QStringLiteral("BitRate:64"));
    bridge.sendStatus(5);
    EXPECT_EQ(lbl_kbit.text(), QStringLiteral("64 KBit"));
    EXPECT_TRUE(edt_1.text().isEmpty());
    edt_3.setText(QStringLiteral("BitRate: 128000"));
    bridge.handleMessage(0x0200, StatusConnecting, 0);  // another message: no status effect
    EXPECT_EQ(lbl_kbit.text(), QStringLiteral("1280 KBit"));
    EXPECT_EQ(edt_3.text(), QStringLiteral("BitRate: 128000"));
}

TEST_F(StatusBridgeTest, SlotsSignalOnlyRealChanges) {
    QSignalSpy titleChanges(&edt_2, &QLineEdit::textChanged);
    QSignalSpy statusChanges(&edt_1, &QLineEdit::textChanged);
    bridge.sendText(StatusTitle, "Same");
    bridge.sendText(StatusTitle, "Same");
    EXPECT_EQ(titleChanges.count(), 1);
    bridge.sendStatus(StatusBuffering, 40);
    bridge.sendStatus(StatusBuffering, 40);
    bridge.setStatusText(BufferingText(40));
    EXPECT_EQ(statusChanges.count(), 1);
}

TEST_F(StatusBridgeTest, TextsFromAnotherThreadArriveWholeAndInOrder) {
    QSignalSpy changes(&edt_2, &QLineEdit::textChanged);
    std::thread sender([this] {
        char text[32];
        for (int i = 0; i < 20; ++i) {
            std::snprintf(text, sizeof text, "Title %d", i);
            bridge.sendText(StatusTitle, text);
            // Overwritten at once: a bridge that kept the pointer would show this instead.
            std::memset(text, 'x', sizeof text - 1);
            text[sizeof text - 1] = '\0';
        }
    });
    sender.join();
    // The sender does not wait for the window: everything it sent is still queued here.
    EXPECT_TRUE(QTest::qWaitFor([&] { return changes.count() >= 20; }, 5000));
    ASSERT_EQ(changes.count(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(changes.at(i).at(0).toString(), QStringLiteral("Title %1").arg(i));
    }
}

}  // namespace
}  // namespace player
