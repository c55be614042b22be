#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "DeviceId.h"
#include "FixtureServer.h"
#include "HttpClient.h"
#include "MessageForm.h"
#include "TImage.h"

namespace {

struct MessageRig {
    MessageRig() {
        version->setText(QStringLiteral("1002"));
        sendButton->setGeometry(89, 357, 145, 58);
        server.route("/iphonebilgi.aspx", fixture::Reply::text("OK"));
        QObject::connect(sendButton, &TImage::clicked, [this] { form.send(); });
        page.show();
    }
    void click() { QTest::mouseClick(sendButton, Qt::LeftButton, {}, QPoint(20, 20)); }
    void fill(const QString& n, const QString& m, const QString& text) {
        name->setText(n);
        mail->setText(m);
        memo->setPlainText(text);
    }

    fixture::FixtureServer server;
    app::HttpClient http;
    QStringList messages;
    QWidget page;
    QLineEdit* name = new QLineEdit(&page);
    QLineEdit* mail = new QLineEdit(&page);
    QPlainTextEdit* memo = new QPlainTextEdit(&page);
    QLineEdit* version = new QLineEdit(&page);
    TImage* sendButton = new TImage(&page);
    pages::MessageForm form{{name, mail, memo, version},
                            http,
                            QString::fromStdString(server.baseUrl()),
                            [this](const QString& text) { messages.append(text); }};
};

// Types text as a keyboard would, Turkish letters included.
void type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

const QString kMissing = QStringLiteral("Eksik Bilgileri Doldurunuz.");

}  // namespace

TEST(MessageForm, EveryFieldMustBeFilled) {
    MessageRig rig;
    rig.click();
    EXPECT_EQ(rig.messages, QStringList{kMissing});
    rig.fill(QStringLiteral("Ali"), {}, QStringLiteral("x"));
    rig.click();
    rig.fill(QStringLiteral("Ali"), QStringLiteral("a@b"), {});
    rig.click();
    EXPECT_EQ(rig.messages, (QStringList{kMissing, kMissing, kMissing}));
    EXPECT_TRUE(rig.server.requests().empty());
    EXPECT_EQ(rig.name->text(), QStringLiteral("Ali"));
}

TEST(MessageForm, SendsTheEncodedQueryThenClears) {
    MessageRig rig;
    rig.name->setText(QStringLiteral(" "));
    rig.mail->setText(QStringLiteral("ali+veli&x=1"));
    type(rig.memo, QStringLiteral("Merhaba %"));
    QTest::keyClick(rig.memo, Qt::Key_Return);
    type(rig.memo, QString::fromUtf8("şİ!$'()*-.@_"));
    rig.click();
    ASSERT_EQ(rig.server.requests().size(), 1u);
    const fixture::Request request = rig.server.requests().at(0);
    EXPECT_EQ(request.path, "/iphonebilgi.aspx");
    EXPECT_EQ(request.query,
              "i=zelkorfm_mesaj_gonder&x_adsoyad=+&x_mail=ali%2Bveli%26x%3D1"
              "&x_mesaj=Merhaba+%25%0D%0A%FE%DD!$'()*-.@_&x_name=Desktop+Player"
              "&x_sysver=1002&x_uuid=" +
                  app::GetDeviceId());
    EXPECT_EQ(rig.messages, QStringList{QString::fromUtf8("Mesaj Gönderildi")});
    EXPECT_TRUE(rig.name->text().isEmpty());
    EXPECT_TRUE(rig.mail->text().isEmpty());
    EXPECT_TRUE(rig.memo->toPlainText().isEmpty());
}

TEST(MessageForm, FailedSendShowsTheErrorAndKeepsTheFields) {
    MessageRig rig;
    rig.server.route("/iphonebilgi.aspx", fixture::Reply::status(500, "Internal Server Error"));
    rig.fill(QStringLiteral("Ali"), QStringLiteral("a@b"), QStringLiteral("selam"));
    rig.click();
    ASSERT_EQ(rig.messages.size(), 1);
    EXPECT_TRUE(rig.messages[0].contains(QStringLiteral("500"))) << rig.messages[0].toStdString();
    EXPECT_EQ(rig.name->text(), QStringLiteral("Ali"));
    EXPECT_EQ(rig.memo->toPlainText(), QStringLiteral("selam"));
}

TEST(MessageForm, ASendCutShortByTheServerOrByQuittingKeepsTheFields) {
    MessageRig rig;
    fixture::Reply cut = fixture::Reply::text(std::string(500, 'x'));
    cut.truncateAfter = 100;
    rig.server.route("/iphonebilgi.aspx", cut);
    rig.server.route("/cut", cut);
    rig.fill(QStringLiteral("Ali"), QStringLiteral("a@b"), QStringLiteral("selam"));
    rig.click();
    // What the form shows is the client's own text for a body cut short.
    std::string cutText;
    try {
        app::HttpClient().get(QString::fromStdString(rig.server.url("/cut")));
    } catch (const app::HttpError& e) {
        cutText = e.what();
    }

    fixture::Reply held = fixture::Reply::text("OK");
    held.delayBeforeHead = std::chrono::milliseconds(3000);
    rig.server.route("/iphonebilgi.aspx", held);
    // The window is closed while the send waits: the program quits.
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(200, [] { QCoreApplication::quit(); });
        rig.click();
    });
    QCoreApplication::exec();

    ASSERT_EQ(rig.messages.size(), 2);
    EXPECT_FALSE(cutText.empty());
    EXPECT_EQ(rig.messages[0].toStdString(), cutText);
    EXPECT_EQ(rig.messages[1], QStringLiteral("Request cancelled"));
    EXPECT_EQ(rig.name->text(), QStringLiteral("Ali"));
    EXPECT_EQ(rig.mail->text(), QStringLiteral("a@b"));
    EXPECT_EQ(rig.memo->toPlainText(), QStringLiteral("selam"));
}

TEST(MessageForm, ASecondPressDuringASendIsRefused) {
    MessageRig rig;
    fixture::Reply slow = fixture::Reply::text("OK");
    slow.delayBeforeHead = std::chrono::milliseconds(400);
    rig.server.route("/iphonebilgi.aspx", slow);
    rig.fill(QStringLiteral("Ali"), QStringLiteral("a@b"), QStringLiteral("selam"));
    QTimer::singleShot(100, [&] { rig.click(); });
    rig.click();
    EXPECT_EQ(rig.server.requests().size(), 1u);
    EXPECT_EQ(rig.messages, QStringList{QString::fromUtf8("Mesaj Gönderildi")});
}

TEST(MessageForm, MessageHoldsAtMost300Characters) {
    MessageRig rig;
    rig.memo->setPlainText(QString(299, u'a'));
    rig.memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(rig.memo, QStringLiteral("bc"));
    EXPECT_EQ(rig.memo->toPlainText(), QString(299, u'a') + u'b');

    // A line break goes out as CR LF and needs two places.
    rig.memo->setPlainText(QString(299, u'a'));
    rig.memo->moveCursor(QTextCursor::End);
    QTest::keyClick(rig.memo, Qt::Key_Return);
    EXPECT_EQ(rig.memo->toPlainText().size(), 299);
    rig.memo->setPlainText(QString(298, u'a'));
    rig.memo->moveCursor(QTextCursor::End);
    QTest::keyClick(rig.memo, Qt::Key_Return);
    EXPECT_EQ(rig.memo->toPlainText(), QString(298, u'a') + u'\n');

    // Of a pasted text only the first part that fits stays, wherever it goes in.
    rig.memo->setPlainText(QStringLiteral("abc"));
    QTextCursor cursor = rig.memo->textCursor();
    cursor.setPosition(1);
    rig.memo->setTextCursor(cursor);
    QApplication::clipboard()->setText(QString(150, u'x') + QString(200, u'y'));
    rig.memo->paste();
    EXPECT_EQ(rig.memo->toPlainText(),
              u'a' + QString(150, u'x') + QString(147, u'y') + QStringLiteral("bc"));

    rig.memo->setPlainText(QString(350, u'z'));
    EXPECT_EQ(rig.memo->toPlainText(), QString(300, u'z'));
}
