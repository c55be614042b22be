#include "FormFixture.h"

#include <QTest>
#include <string>

#include "AppFonts.h"
#include "Audio.h"

namespace {

std::string directoryReply(int stations) {
    std::string text = "1002\r\nhttp://127.0.0.1:1/setup.exe\r\n";
    for (int i = 0; i < stations; ++i) {
        text += "id\r\nRadyo " + std::to_string(i) +
                "\r\nhttp://127.0.0.1:1/live\r\n\r\nhttp://127.0.0.1:1/web\r\n\r\n\r\ng\r\n";
    }
    return text;
}

}  // namespace

void FormTest::SetUpTestSuite() {
    AppFonts::install();
}

void FormTest::SetUp() {
    qputenv("ZELKOR_DIRECTORY_URL", QByteArray::fromStdString(server.baseUrl()));
}

void FormTest::TearDown() {
    form.reset();
    qunsetenv("ZELKOR_DIRECTORY_URL");
}

TForm1& FormTest::create(int stations) {
    server.route("/xml.aspx", fixture::Reply::text(directoryReply(stations)));
    TForm1Options options;
    options.openAudio = [] {
        static const bool opened = audio::Init(0, 44100, 0, nullptr);
        return opened;
    };
    options.endProcess = [] { ADD_FAILURE() << "the window ended the process"; };
    form = std::make_unique<TForm1>(options);
    return *form;
}

TForm1& FormTest::start(int stations) {
    create(stations);
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return *form;
}

void FormTest::showPage(QWidget* page) {
    for (QWidget* p : std::initializer_list<QWidget*>{form->panel_yayin, form->Panel_yayinakisi,
                                                      form->panel_duyurular, form->panel_mesaj,
                                                      form->panel_iletisim})
        p->setVisible(p == page);
    QTest::qWait(10);
}
