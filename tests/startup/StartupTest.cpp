#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>

#include "Audio.h"
#include "FixtureServer.h"
#include "ModalCloser.h"
#include "Unit1.h"

using fixture::FixtureServer;
using fixture::Reply;

namespace {

const QString kNoInternet =
    QStringLiteral("İnternet bağlantınızı kontrol edip programı tekrar çalıştırınız...");

std::string directoryReply(const std::string& version, int stations) {
    std::string text = version + "\r\nhttp://127.0.0.1:1/setup.exe\r\n";
    for (int i = 0; i < stations; ++i) {
        text += "id\r\nRadyo " + std::to_string(i) +
                "\r\nhttp://127.0.0.1:1/live\r\n\r\nhttp://127.0.0.1:1/web\r\n\r\n\r\ng\r\n";
    }
    return text;
}

// Points the form at a fixture directory and writes ayar.ini beside the test executable.
class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("ZELKOR_DIRECTORY_URL", QByteArray::fromStdString(server.baseUrl()));
        QFile::remove(iniPath());
    }
    void TearDown() override { QFile::remove(iniPath()); }

    static QString iniPath() {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/ayar.ini");
    }
    static void writeIni(const QByteArray& text) {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    std::unique_ptr<TForm1> start() {
        TForm1Options options;
        options.openAudio = [] {
            static const bool opened = audio::Init(0, 44100, 0, nullptr);
            return opened;
        };
        options.endProcess = [this] { ++processEnds; };
        return std::make_unique<TForm1>(options);
    }

    FixtureServer server;
    ModalCloser dialogs;
    int processEnds = 0;
};

}  // namespace

TEST_F(Startup, DirectoryRequestCarriesIdentityDeviceAndSetting) {
    server.route("/xml.aspx", Reply::text(directoryReply("1002", 4)));
    for (const auto& [ini, rid] :
         std::vector<std::pair<QByteArray, std::string>>{{"", "0"},
                                                         {"[ayar]\nayar1=2\n", "2"},
                                                         {"[ayar]\nayar1=-1\n", "-1"},
                                                         {"[ayar]\nayar1=x\n", "0"}}) {
        writeIni(ini);
        const auto form = start();
        EXPECT_EQ(form->ayar1, std::stoi(rid));
    }
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    const QRegularExpression shape(QStringLiteral(
        "^/xml\\.aspx\\?i=zelkor&mac=[0-9A-F]{2}(-[0-9A-F]{2}){5}&v=1002&rid=(-?\\d+)$"));
    const std::vector<std::string> rids{"0", "2", "-1", "0"};
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const auto match = shape.match(QString::fromStdString(requests[i].target));
        ASSERT_TRUE(match.hasMatch()) << requests[i].target;
        EXPECT_EQ(match.captured(2).toStdString(), rids[i]);
        EXPECT_EQ(requests[i].header("user-agent"), "Mozilla/3.0 (compatible; Indy Library)");
        EXPECT_EQ(requests[i].header("accept"), "text/html, */*");
        EXPECT_EQ(requests[i].header("accept-encoding"), "UTF-8");
        EXPECT_EQ(requests[i].header("content-type"), "text/html");
    }
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(Startup, SelectorHoldsOneEntryPerCompleteRecord) {
    server.route("/xml.aspx", Reply::text(directoryReply("1002", 3) + "id\r\nhalf\r\n"));
    const auto form = start();
    EXPECT_EQ(form->stationCount, 3);
    ASSERT_EQ(form->cb_radyosec->count(), 3);
    EXPECT_EQ(form->cb_radyosec->itemText(2), QStringLiteral("Radyo 2"));
    EXPECT_EQ(form->cb_radyosec->currentIndex(), 0);
    EXPECT_FALSE(form->cb_radyosec->isHidden());
    EXPECT_FALSE(form->Label6->isHidden());
    EXPECT_TRUE(form->lbl_kbit->text().isEmpty());
    EXPECT_TRUE(form->lbl_sure->text().isEmpty());
    EXPECT_EQ(form->size(), QSize(320, 480));
    EXPECT_EQ(processEnds, 0);
}

TEST_F(Startup, OneStationHidesTheSelectorNoneLeavesItEmpty) {
    server.route("/xml.aspx", Reply::text(directoryReply("1002", 1)));
    auto form = start();
    EXPECT_TRUE(form->cb_radyosec->isHidden());
    EXPECT_TRUE(form->Label6->isHidden());

    server.route("/xml.aspx", Reply::text(directoryReply("1002", 0)));
    form = start();
    EXPECT_EQ(form->cb_radyosec->count(), 0);
    EXPECT_FALSE(form->cb_radyosec->isHidden());

    server.route("/xml.aspx", Reply::text("1002\r\nx\r\nid\r\nRadyo \xFE\r\n"));
    form = start();
    EXPECT_EQ(form->cb_radyosec->count(), 0);
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(Startup, ANewerVersionAsksForTheUpdate) {
    server.route("/xml.aspx", Reply::text(directoryReply("1003", 2)));
    const auto form = start();
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_EQ(dialogs.texts()[0],
              QStringLiteral("Programin Yeni Versiyonu Cikmistir.\nIndirip Kurunuz."));
    EXPECT_EQ(form->cb_radyosec->count(), 2);

    for (const char* version : {"1002", "abc"}) {
        server.route("/xml.aspx", Reply::text(directoryReply(version, 2)));
        start();
    }
    EXPECT_EQ(dialogs.texts().size(), 1);
}

TEST_F(Startup, AnUnreachableOrFailingDirectoryShowsTheBox) {
    server.route("/404/xml.aspx", Reply::status(404, "Not Found"));
    server.route("/500/xml.aspx", Reply::status(500, "Internal Server Error"));
    server.route("/302/xml.aspx", Reply::redirect(server.url("/ok/xml.aspx")));
    server.route("/ok/xml.aspx", Reply::text(directoryReply("1002", 2)));
    for (const std::string& base : {server.url("/404/"), server.url("/500/"), server.url("/302/"),
                                    std::string("http://127.0.0.1:1/")}) {
        qputenv("ZELKOR_DIRECTORY_URL", QByteArray::fromStdString(base));
        const auto form = start();
        EXPECT_EQ(form->cb_radyosec->count(), 0);
    }
    EXPECT_EQ(server.requestCount("/ok/xml.aspx"), 0u);
    ASSERT_EQ(dialogs.texts().size(), 4);
    for (const QString& text : dialogs.texts()) {
        EXPECT_EQ(text, kNoInternet);
    }
    EXPECT_EQ(processEnds, 0);
}

TEST(NoSoundServer, ShowsTheAudioErrorWithItsCodeAndEndsTheProcess) {
    FixtureServer server;
    server.route("/xml.aspx", Reply::text(directoryReply("1002", 2)));
    qputenv("ZELKOR_DIRECTORY_URL", QByteArray::fromStdString(server.baseUrl()));
    ModalCloser dialogs;
    int ends = 0;
    TForm1Options options;
    options.endProcess = [&ends] { ++ends; };
    TForm1 form(options);
    EXPECT_EQ(ends, 1);
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].contains(
        QRegularExpression(QStringLiteral("^Ses Kartı Açılamadı\r\n\\(Hata Kodu: -?\\d+\\)$"))))
        << dialogs.texts()[0].toStdString();
}
