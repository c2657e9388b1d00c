// SPDX-License-Identifier: GPL-3.0-or-later
// The media watcher's two Linux backends: UDisks2 against a mocked service on a private bus,
// and the mount table with tmpfs media (which needs the right to mount).
#include "fs/MediaWatch.h"

#include "support/TempFolder.h"
#include "support/TmpfsDisk_posix.h"
#include "support/UDisks2Mock_posix.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

using test::TempFolder;
using test::TmpfsDisk;
using test::UDisks2Mock;

// "Inserted /dev/sdb1 at " and so on: what a poll told, one line per event.
std::vector<std::string> Told(const std::vector<MediaEvent>& events) {
    static const char* const kNames[] = {"Inserted", "Mounted", "Unmounted", "Removed"};
    std::vector<std::string> lines;
    for (const MediaEvent& event : events) {
        lines.push_back(std::string(kNames[static_cast<int>(event.change)]) + " " +
                        event.medium.device + " at " + event.medium.mountPoint);
    }
    return lines;
}

TEST(UDisks2Watcher, FollowsSticksMountsAndEjectsThemAndReportsARefusal) {
    UDisks2Mock mock;
    if (!mock.unavailable().empty()) {
        GTEST_SKIP() << mock.unavailable();
    }
    mock.AddStick("sdb", "PHOTOS_1", 4'000'000'000, "/media/u/PHOTOS_1");
    std::unique_ptr<MediaWatcher> watcher = OpenUDisks2Watcher(mock.address());
    ASSERT_NE(watcher, nullptr);
    // What was in at the start is no change, but it is known.
    EXPECT_TRUE(watcher->Poll().empty());
    const Medium* first = watcher->MediumHolding("/media/u/PHOTOS_1/backup");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->device, "/dev/sdb1");
    EXPECT_EQ(first->drive, "/org/freedesktop/UDisks2/drives/sdb");
    EXPECT_EQ(first->label, "PHOTOS_1");
    EXPECT_EQ(first->size, 4'000'000'000);
    EXPECT_EQ(first->kind, "Rem");
    EXPECT_EQ(watcher->MediumHolding("/media/u/PHOTOS_10"), nullptr);

    // Ejecting unmounts the file system and powers the stick off.
    std::string reason;
    ASSERT_TRUE(watcher->CanEject());
    EXPECT_TRUE(watcher->Eject(*first, reason)) << reason;
    EXPECT_EQ(Told(watcher->Poll()),
              (std::vector<std::string>{"Unmounted /dev/sdb1 at /media/u/PHOTOS_1"}));
    mock.RemoveStick("sdb");
    EXPECT_EQ(Told(watcher->Poll()), (std::vector<std::string>{"Removed /dev/sdb1 at "}));

    // A stick that comes without being mounted is mounted on request.
    mock.AddStick("sdc", "BACKUP", 8'000'000'000, "", false);
    std::vector<MediaEvent> events = watcher->Poll();
    ASSERT_EQ(Told(events), (std::vector<std::string>{"Inserted /dev/sdc1 at "}));
    std::string mountPoint;
    EXPECT_TRUE(watcher->Mount(events[0].medium, mountPoint, reason)) << reason;
    EXPECT_EQ(mountPoint, "/media/mock/BACKUP");
    EXPECT_EQ(Told(watcher->Poll()),
              (std::vector<std::string>{"Mounted /dev/sdc1 at /media/mock/BACKUP"}));

    // A busy stick stays in, and the service's reason is told.
    mock.RefuseEject("sdc");
    const Medium* second = watcher->MediumHolding("/media/mock/BACKUP");
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(watcher->Eject(*second, reason));
    EXPECT_EQ(reason, "Device is busy");
    EXPECT_TRUE(watcher->Poll().empty());
    EXPECT_EQ(mock.Calls(), (std::vector<std::string>{"Unmount sdb1", "PowerOff sdb", "Mount sdc1",
                                                      "Unmount sdc1"}));

    // A service that stops answering tells no change: the stick is not taken for gone.
    mock.StopService();
    EXPECT_TRUE(watcher->Poll().empty());
    EXPECT_NE(watcher->MediumHolding("/media/mock/BACKUP"), nullptr);
}

TEST(UDisks2Watcher, IsNotOpenedWhereNoServiceAnswers) {
    TempFolder folder;
    EXPECT_EQ(OpenUDisks2Watcher("unix:path=" + folder.path() + "/no-bus"), nullptr);
}

TEST(MountTableWatcher, SeesTmpfsMediaComeAndGoAtTheirOwnFolders) {
    TempFolder folder;
    folder.MakeFolder("media/STICK1");
    folder.MakeFolder("media/STICK2");
    TmpfsDisk first(folder / "media/STICK1", 1024);
    TmpfsDisk second(folder / "media/STICK2", 2048);
    std::unique_ptr<MediaWatcher> watcher = OpenMountTableWatcher();
    if (!first.Insert()) {
        GTEST_SKIP() << "tmpfs media need the right to mount: " << first.error();
    }
    std::vector<MediaEvent> events = watcher->Poll();
    ASSERT_EQ(Told(events),
              (std::vector<std::string>{"Inserted tmpfs at " + folder / "media/STICK1",
                                        "Mounted tmpfs at " + folder / "media/STICK1"}));
    EXPECT_EQ(events[0].medium.kind, "Ram");
    EXPECT_EQ(events[0].medium.size, 1024 * 1024);
    EXPECT_FALSE(watcher->CanEject());

    // The swap: one goes, the other comes at another folder.
    first.Eject();
    ASSERT_TRUE(second.Insert()) << second.error();
    EXPECT_EQ(Told(watcher->Poll()),
              (std::vector<std::string>{"Unmounted tmpfs at " + folder / "media/STICK1",
                                        "Removed tmpfs at " + folder / "media/STICK1",
                                        "Inserted tmpfs at " + folder / "media/STICK2",
                                        "Mounted tmpfs at " + folder / "media/STICK2"}));
    ASSERT_NE(watcher->MediumHolding(folder / "media/STICK2/@dummy@"), nullptr);
    EXPECT_EQ(watcher->MediumHolding(folder / "media/STICK1"), nullptr);
}

} // namespace
} // namespace arbolink
