// SPDX-License-Identifier: GPL-3.0-or-later
// Following a drive's media with a watcher whose media the test sets (Linux paths): which new
// medium is the next disk, where its disk folder is, and what the user is told.
#include "core/MediaFollow.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

class FakeWatcher : public MediaWatcher {
public:
    explicit FakeWatcher(std::vector<Medium> media) : now(std::move(media)) { Start(); }

    bool Mount(const Medium& medium, std::string& mountPoint, std::string&) override {
        mounted.push_back(medium.id);
        mountPoint = "/media/u/" + (medium.label.empty() ? medium.id : medium.label);
        for (Medium& m : now) {
            if (m.id == medium.id) {
                m.mountPoint = mountPoint;
            }
        }
        return true;
    }
    bool CanEject() const override { return true; }
    bool Eject(const Medium& medium, std::string&) override {
        ejected.push_back(medium.id);
        return true;
    }

    std::vector<Medium> now;
    std::vector<std::string> mounted;
    std::vector<std::string> ejected;

protected:
    std::vector<Medium> Look() override { return now; }
};

Medium Stick(const std::string& id, const std::string& label, const std::string& mountPoint,
             const std::string& drive = "") {
    return {id, "/dev/" + id, drive, mountPoint, label, 1'000'000, "Rem"};
}

TEST(DriveFollower, TakesTheNextStickWhereverItIsMountedAndKeepsTheFolderBelowItsRoot) {
    FakeWatcher watcher({Stick("sdb1", "PHOTOS_1", "/media/u/PHOTOS_1"),
                         {"sda1", "/dev/sda1", "ata", "/home", "", -1, "HDD"}});
    DriveFollower follower(&watcher, "/media/u/PHOTOS_1/backup/2026/");
    ASSERT_TRUE(follower.Following());
    EXPECT_FALSE(follower.Arrived()); // nothing came yet
    EXPECT_TRUE(follower.Note().empty());

    // A fixed disk mounted meanwhile is no disk of the set; the stick plugged in is.
    watcher.now.push_back({"sdc1", "/dev/sdc1", "ata2", "/mnt/data", "", -1, "HDD"});
    EXPECT_FALSE(follower.Arrived());
    watcher.now.push_back(Stick("sdd1", "BACKUP", "/media/u/BACKUP"));
    EXPECT_TRUE(follower.Arrived());
    EXPECT_TRUE(follower.Arrived()); // it stays arrived until taken
    EXPECT_EQ(follower.Take(), "/media/u/BACKUP/backup/2026/");
    EXPECT_EQ(follower.Note(), "ラベル BACKUP のディスクを使います");
    EXPECT_FALSE(follower.Arrived());

    // Ejecting takes out the medium in hand; a stick that comes unmounted is mounted, and one
    // without a label is named by its folder.
    std::string reason;
    EXPECT_EQ(follower.EjectCurrent(reason), DriveFollower::EjectEnd::Ejected);
    EXPECT_EQ(watcher.ejected, std::vector<std::string>{"sdd1"});
    watcher.now.push_back(Stick("sde1", "", ""));
    EXPECT_TRUE(follower.Arrived());
    EXPECT_EQ(watcher.mounted, std::vector<std::string>{"sde1"});
    EXPECT_EQ(follower.Take(), "/media/u/sde1/backup/2026/");
    EXPECT_EQ(follower.Note(), "/media/u/sde1 のディスクを使います");

    // The disk just written, put back after it was out, is new again: the run's checks refuse it.
    watcher.now.erase(watcher.now.begin());
    EXPECT_FALSE(follower.Arrived());
    watcher.now.push_back(Stick("sdb1", "PHOTOS_1", "/media/u/PHOTOS_1"));
    EXPECT_TRUE(follower.Arrived());
}

TEST(DriveFollower, AnOpticalDriveTakesOnlyTheNextDiscInItself) {
    Medium disc{"sr0-a", "/dev/sr0", "drive-sr0", "/media/u/DISC1", "DISC1", -1, "CD"};
    FakeWatcher watcher({disc});
    DriveFollower follower(&watcher, "/media/u/DISC1/@dummy@/");
    ASSERT_TRUE(follower.Following());
    watcher.now = {{"sr1-a", "/dev/sr1", "drive-sr1", "/media/u/OTHER", "OTHER", -1, "CD"}};
    EXPECT_FALSE(follower.Arrived()); // a disc in another drive
    watcher.now.push_back({"sr0-b", "/dev/sr0", "drive-sr0", "/media/u/DISC2", "DISC2", -1, "CD"});
    EXPECT_TRUE(follower.Arrived());
    EXPECT_EQ(follower.Take(), "/media/u/DISC2/@dummy@/");
}

TEST(DriveFollower, FollowsNothingOnAFixedDiskOrWithoutAWatcher) {
    FakeWatcher watcher({{"sda1", "/dev/sda1", "ata", "/home", "", -1, "HDD"}});
    DriveFollower fixed(&watcher, "/home/me/disks/");
    EXPECT_FALSE(fixed.Following());
    watcher.now.push_back(Stick("sdb1", "NEW", "/media/u/NEW"));
    EXPECT_FALSE(fixed.Arrived());
    std::string reason;
    EXPECT_EQ(fixed.EjectCurrent(reason), DriveFollower::EjectEnd::NotHere);
    DriveFollower none(nullptr, "/media/u/NEW/");
    EXPECT_FALSE(none.Following());
    EXPECT_FALSE(none.Arrived());
}

} // namespace
} // namespace arbolink
