// skingen: draws every picture of the window's skin and writes it under the folder given as
// the only argument (the repository's skin/). Deterministic: a rerun rewrites the same pixels.

#include <QApplication>
#include <QDir>
#include <QImage>
#include <cstdio>
#include <functional>

#include "AppFonts.h"
#include "Contact.h"
#include "Controls.h"
#include "Icons.h"
#include "Pages.h"
#include "SkinStyle.h"
#include "TabStrip.h"
#include "W95Pictures.h"

namespace {

struct Output {
    const char* name;
    std::function<QImage()> paint;
    bool (*save)(const QImage&, const QString&);
};

// The file names are the resource names the window's form refers to.
QList<Output> windowPictures() {
    using namespace SkinStyle;
    QList<Output> out{
        {"player.png", Pages::player, save24},
        {"schedule.png", Pages::schedule, save24},
        {"announcements.png", Pages::announcements, save24},
        {"message.png", Pages::message, save24},
        {"contact.png", Pages::contact, save24},
        {"tab1.jpg", [] { return TabStrip::paint(1); }, saveJpeg},
        {"play.png", [] { return Controls::transportButton(Controls::Transport::Play); }, save32},
        {"stop.png", [] { return Controls::transportButton(Controls::Transport::Stop); }, save32},
        {"capleft.png", Controls::trackCapLeft, save24},
        {"capright.png", Controls::trackCapRight, save24},
        {"thumb.png", Controls::sliderThumb, save24},
        {"ruler.png", Controls::sliderRuler, save24},
        {"row_schedule.png", [] { return Controls::rowBackground(39); }, save24},
        {"row_announcement.png", [] { return Controls::rowBackground(77); }, save24},
        {"send.png", Controls::sendButton, save32},
        {"contact_mail.png", Contact::mailLine, save32},
        {"contact_web.png", Contact::webLine, save32},
        {"contact_phone.png", Contact::phoneLine, save32},
        {"contact_address.png", Contact::addressLine, save32},
        {"social1.png", Icons::socialF, save32},
        {"social2.png", Icons::socialT, save32},
        {"tab2.png", [] { return TabStrip::paint(2); }, save24},
        {"tab3.png", [] { return TabStrip::paint(3); }, save24},
        {"tab4.png", [] { return TabStrip::paint(4); }, save24},
        {"tab5.png", [] { return TabStrip::paint(5); }, save24},
        {"icon16.png", [] { return Icons::appIcon(16); }, save32},
        {"icon32.png", [] { return Icons::appIcon(32); }, save32},
        {"icon48.png", [] { return Icons::appIcon(48); }, save32},
        {"icon64.png", [] { return Icons::appIcon(64); }, save32},
    };
    return out;
}

bool writeAll(const QDir& dir, const QList<Output>& outputs) {
    if (!dir.mkpath(QStringLiteral(".")))
        return false;
    for (const Output& o : outputs) {
        const QString path = dir.filePath(QString::fromUtf8(o.name));
        if (!o.save(o.paint(), path)) {
            std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen SKIN_DIR\n");
        return 2;
    }
    if (!AppFonts::install().contains(QStringLiteral("Tahoma")))
        std::fprintf(stderr, "skingen: Tahoma is not installed (fonts-wine); captions fall back\n");
    const QDir skin(QString::fromLocal8Bit(argv[1]));
    if (!writeAll(QDir(skin.filePath(QStringLiteral("pictures"))), windowPictures()))
        return 1;
    if (!writeSliderPictures(skin.filePath(QStringLiteral("slider")))) {
        std::fprintf(stderr, "skingen: cannot write the slider's pictures\n");
        return 1;
    }
    return 0;
}
