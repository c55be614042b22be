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

public Q_SLOTS:
    void open(const QUrl& url) { urls.append(url.toString()); }
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

    rig.station.socialUrl1 = "http://baska.test/bir";
    rig.station.socialUrl2 = "http://baska.test/iki";
    ContactRig::click(rig.label9);
    ContactRig::click(rig.label10);
    EXPECT_EQ(rig.opened.urls, (QStringList{QStringLiteral("https://sosyal.test/iki"),
                                            QStringLiteral("http://baska.test/bir"),
                                            QStringLiteral("http://baska.test/iki")}));
}

TEST(ContactLinks, OnlyWebAddressesAreHandedOver) {
    ContactRig rig;
    rig.station.socialUrl1 = "file:///etc/passwd";
    rig.station.socialUrl2 = "/usr/bin/xterm";
    ContactRig::click(rig.label9);
    ContactRig::click(rig.label10);
    EXPECT_TRUE(rig.opened.urls.isEmpty());
}

#include "ContactLinksTest.moc"
