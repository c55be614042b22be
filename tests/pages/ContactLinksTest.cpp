#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

#include "ContactLinks.h"
#include "THotSpot.h"
#include "TImage.h"

namespace {

// Takes the addresses the desktop would be asked to open, for every scheme a link could carry.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    OpenedUrls() {
        for (const char* scheme : {"http", "https", "file", "mailto", "ftp"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
        }
    }
    ~OpenedUrls() override {
        for (const char* scheme : {"http", "https", "file", "mailto", "ftp"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }
    QStringList urls;
    QStringList encoded;  // as the desktop's handler gets it

public Q_SLOTS:
    void open(const QUrl& url) {
        urls.append(url.toString());
        encoded.append(QString::fromLatin1(url.toEncoded()));
    }
};

struct ContactRig {
    ContactRig() {
        for (QWidget* w : {static_cast<QWidget*>(image6), static_cast<QWidget*>(image8),
                           static_cast<QWidget*>(label9), static_cast<QWidget*>(label10)}) {
            w->resize(40, 40);
        }
        QObject::connect(image6, &TImage::clicked, [this] { links.openWebSite(); });
        QObject::connect(image8, &TImage::clicked, [this] { links.openMap(); });
        QObject::connect(label9, &THotSpot::clicked, [this] { links.openSocial1(); });
        QObject::connect(label10, &THotSpot::clicked, [this] { links.openSocial2(); });
        page.show();
    }
    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(10, 10)); }
    // Gives the station these social addresses and clicks both icons.
    void clickSocial(std::string first, std::string second) {
        station.socialUrl1 = std::move(first);
        station.socialUrl2 = std::move(second);
        click(label9);
        click(label10);
    }

    OpenedUrls opened;
    app::StationRecord station;
    QWidget page;
    TImage* image6 = new TImage(&page);
    TImage* image8 = new TImage(&page);
    THotSpot* label9 = new THotSpot(&page);
    THotSpot* label10 = new THotSpot(&page);
    pages::ContactLinks links{
        {QStringLiteral("http://www.istasyon.test/"), QStringLiteral("https://harita.test/"),
         QStringLiteral("http://www.yapimci.test/")},
        [this] { return station; }};
};

}  // namespace

TEST(ContactLinks, FixedLinksOpenTheirAddresses) {
    ContactRig rig;
    ContactRig::click(rig.image6);
    ContactRig::click(rig.image8);
    rig.links.openMaker();
    ASSERT_EQ(rig.opened.urls.size(), 3);
    EXPECT_EQ(rig.opened.urls[0], QStringLiteral("http://www.istasyon.test/"));
    EXPECT_TRUE(QRegularExpression(
                    QStringLiteral(R"(^https://harita\.test/maps\?f=q&source=s_q&hl=tr&geocode=&q=)"
                                   R"(\d+\.\d{6},\d+\.\d{6}&z=17$)"))
                    .match(rig.opened.urls[1])
                    .hasMatch())
        << rig.opened.urls[1].toStdString();
    EXPECT_EQ(rig.opened.urls[2], QStringLiteral("http://www.yapimci.test/"));
}

TEST(ContactLinks, SocialLinksFollowTheStationAndSkipEmptyOnes) {
    ContactRig rig;
    rig.station.socialUrl2 = "https://sosyal.test/iki";
    ContactRig::click(rig.label9);
    ContactRig::click(rig.label10);
    EXPECT_EQ(rig.opened.urls, QStringList{QStringLiteral("https://sosyal.test/iki")});

    rig.clickSocial("http://baska.test/bir", "http://baska.test/iki");
    EXPECT_EQ(rig.opened.urls, (QStringList{QStringLiteral("https://sosyal.test/iki"),
                                            QStringLiteral("http://baska.test/bir"),
                                            QStringLiteral("http://baska.test/iki")}));
}

TEST(ContactLinks, OnlyWebAddressesAreHandedOver) {
    ContactRig rig;
    rig.clickSocial("file:///etc/passwd", "/usr/bin/xterm");
    EXPECT_TRUE(rig.opened.urls.isEmpty());
}

TEST(ContactLinks, WebAddressesWithSpacesOrBarsAreOpenedEscaped) {
    ContactRig rig;
    rig.clickSocial("https://sosyal.test/Zelkor FM|resmi", "file:///tmp/a b|c");
    rig.clickSocial("javascript:open('a b|c')", "http://sosyal.test/?ad=a b");
    EXPECT_EQ(rig.opened.encoded,
              (QStringList{QStringLiteral("https://sosyal.test/Zelkor%20FM%7Cresmi"),
                           QStringLiteral("http://sosyal.test/?ad=a%20b")}));
}

#include "ContactLinksTest.moc"
