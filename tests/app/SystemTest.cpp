#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "DesktopOpener.h"
#include "DeviceId.h"
#include "MessageBox.h"
#include "Settings.h"
#include "SingleInstanceLock.h"

using app::SingleInstanceLock;

namespace {

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

int ayar1Of(const std::string& text) {
    QTemporaryDir dir;
    const auto path = std::filesystem::path(dir.path().toStdString()) / "ayar.ini";
    writeFile(path, text);
    return app::ReadAyar1(QString::fromStdString(path.string()));
}

std::string uniqueName(const char* tag) {
    return std::string("zelkor-test-") + tag + "-" + std::to_string(::getpid());
}

}  // namespace

TEST(Settings, Ayar1IsReadAsADecimalWithZeroForAnythingElse) {
    EXPECT_EQ(ayar1Of("[ayar]\r\nayar1=2\r\n"), 2);
    EXPECT_EQ(ayar1Of("[AYAR]\nAyar1 = -1\n"), -1);
    EXPECT_EQ(ayar1Of("[other]\nayar1=5\n[ayar]\nayar2=7\nayar1=9\n"), 9);
    EXPECT_EQ(ayar1Of("[ayar]\nayar1=abc\n"), 0);
    EXPECT_EQ(ayar1Of("[ayar]\nayar1=\n"), 0);
    EXPECT_EQ(ayar1Of("ayar1=3\n"), 0);
    EXPECT_EQ(ayar1Of("[other]\nayar1=3\n"), 0);
    EXPECT_EQ(app::ReadAyar1(QStringLiteral("/nonexistent/ayar.ini")), 0);
}

TEST(DeviceId, FirstPhysicalAdapterByNameOrZeros) {
    QTemporaryDir dir;
    const std::filesystem::path net = dir.path().toStdString();
    writeFile(net / "lo/address", "00:00:00:00:00:00\n");
    writeFile(net / "docker0/address", "02:42:ac:11:00:02\n");
    writeFile(net / "eth1/address", "00:16:3e:aa:bb:cc\n");
    writeFile(net / "eth1/device/uevent", "");
    writeFile(net / "eth0/address", "00:00:00:00:00:00\n");
    writeFile(net / "eth0/device/uevent", "");
    EXPECT_EQ(app::GetDeviceId(net.string()), "00-16-3E-AA-BB-CC");

    std::filesystem::remove_all(net / "eth1");
    EXPECT_EQ(app::GetDeviceId(net.string()), "02-42-AC-11-00-02");
    EXPECT_EQ(app::GetDeviceId((net / "missing").string()), "00-00-00-00-00-00");
}

TEST(DeviceId, ThisMachineGivesSeventeenUpperCaseCharacters) {
    const std::string id = app::GetDeviceId();
    ASSERT_EQ(id.size(), 17u);
    for (std::size_t i = 0; i < id.size(); ++i) {
        if (i % 3 == 2) {
            EXPECT_EQ(id[i], '-');
        } else {
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(id[i])) ||
                        (id[i] >= 'A' && id[i] <= 'F'));
        }
    }
}

TEST(SingleInstanceLock, NameIsTheFileNameWithoutExe) {
    EXPECT_EQ(SingleInstanceLock::NameFor("/opt/zelkor/zelkorfm"), "zelkorfm");
    EXPECT_EQ(SingleInstanceLock::NameFor("/opt/zelkor/ZELKORFM.exe"), "ZELKORFM");
    EXPECT_EQ(SingleInstanceLock::NameFor("player"), "player");
}

TEST(SingleInstanceLock, SecondHolderIsToldAnotherNameIsNot) {
    const std::string name = uniqueName("twice");
    SingleInstanceLock first;
    SingleInstanceLock second;
    SingleInstanceLock other;
    EXPECT_EQ(first.acquire(name), SingleInstanceLock::Result::Created);
    EXPECT_EQ(second.acquire(name), SingleInstanceLock::Result::AlreadyExists);
    EXPECT_EQ(other.acquire(name + "-copy"), SingleInstanceLock::Result::Created);
}

TEST(SingleInstanceLock, IsReleasedWhenTheHolderIsKilled) {
    const std::string name = uniqueName("killed");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstanceLock lock;
        const char ok = lock.acquire(name) == SingleInstanceLock::Result::Created ? 'y' : 'n';
        (void)!::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, 'y');
    SingleInstanceLock whileHeld;
    EXPECT_EQ(whileHeld.acquire(name), SingleInstanceLock::Result::AlreadyExists);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    SingleInstanceLock after;
    EXPECT_EQ(after.acquire(name), SingleInstanceLock::Result::Created);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(MessageBox, TitleIsTheFileNameUpToTheFirstDotInLowerCaseAfterTheFirstLetter) {
    EXPECT_EQ(app::ApplicationTitleFor(QStringLiteral("ZelkorFM.exe")), QStringLiteral("Zelkorfm"));
    EXPECT_EQ(app::ApplicationTitleFor(QStringLiteral("zelkorfm")), QStringLiteral("zelkorfm"));
    EXPECT_EQ(app::ApplicationTitleFor(QStringLiteral("Radyo.Player.bin")),
              QStringLiteral("Radyo"));
}

TEST(DesktopOpener, OnlyWebAddressesAreHandedOn) {
    EXPECT_TRUE(app::IsWebAddress(QStringLiteral("http://www.zelkorfm.com.tr/")));
    EXPECT_TRUE(app::IsWebAddress(QStringLiteral("HTTPS://example.com/a?b=c")));
    EXPECT_FALSE(app::IsWebAddress(QStringLiteral("file:///etc/passwd")));
    EXPECT_FALSE(app::IsWebAddress(QStringLiteral("/usr/bin/xterm")));
    EXPECT_FALSE(app::IsWebAddress(QStringLiteral("javascript:alert(1)")));
    EXPECT_FALSE(app::IsWebAddress(QStringLiteral("http://")));
    EXPECT_FALSE(app::IsWebAddress(QStringLiteral("http://bad host|x/")));
    EXPECT_FALSE(app::IsWebAddress(QString()));
    EXPECT_FALSE(app::OpenWithDesktop(QStringLiteral("file:///etc/passwd")));
}
