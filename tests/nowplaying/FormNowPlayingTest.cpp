#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>

#include "FormFixture.h"
#include "NowPlayingDisplay.h"

using nowplaying::NowPlayingDisplay;

namespace {

std::string bluePicture() {
    QImage image(40, 30, QImage::Format_RGB888);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes.toStdString();
}

}  // namespace

using FormNowPlaying = FormTest;

TEST_F(FormNowPlaying, TitleSlotDrivesTheLabelsAndTheCover) {
    TForm1& f = create();
    EXPECT_EQ(f.calan2->text(), QString());
    EXPECT_EQ(f.calan2->font().pixelSize(), NowPlayingDisplay::kLargePixels);
    EXPECT_EQ(f.calan2->font().family(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(f.calan2->font().bold());

    server.route("/cover.jpg", fixture::Reply::text(bluePicture(), "image/jpeg"));
    f.CurrentStation.coverArtMode = "w-" + server.url("/cover.jpg?t=");
    f.edt_2->setText(QStringLiteral("Rock & Roll"));
    EXPECT_EQ(f.calan2->text(), QStringLiteral("Rock && Roll"));
    EXPECT_EQ(f.LastCoverTitle(), "Rock & Roll");
    ASSERT_EQ(f.Image3->picture().size(), QSize(70, 70));
    EXPECT_GT(f.Image3->picture().pixelColor(35, 35).blue(), 200);

    // The size chosen for a long title holds once the window's styling has run again.
    f.edt_2->setText(QString(60, u'W'));
    QApplication::processEvents();
    f.calan2->ensurePolished();
    EXPECT_EQ(f.calan2->font().pixelSize(), NowPlayingDisplay::kSmallPixels);
    f.FitTitleLabel(QString());
    QApplication::processEvents();
    EXPECT_EQ(f.calan2->font().pixelSize(), NowPlayingDisplay::kLargePixels);
}
