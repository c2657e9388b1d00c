// A set staged from the command line, its disks copied to the root of a medium, restored
// through the restore command the GUI runs.
#include "CliRestoreFixture.h"
#include "CliRun.h"
#include "core/rFile/RestoreCommand.h"
#include "core/rFile/RestoreMessages.h"
#include "support/TmpfsDisk_posix.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::CliRestoreTest;
using test::kSwap1;
using test::kSwap2;
using test::ScriptedHost;
using test::TreeOf;

TEST_F(CliRestoreTest, AStagedDiskCopiedToTheRootOfAMediumRestoresThroughTheRestoreCommand) {
    ASSERT_EQ(Stage("stage"), 0);
    root().MakeFolder("drive");
    root().MakeFolder("out");
    test::TmpfsDisk medium(root() / "drive", 1024);
    if (!medium.Insert()) {
        GTEST_SKIP() << "tmpfs disks need the right to mount: " << medium.error();
    }
    // The drive root is read, as the GUI reads a disk; its set is in "@dummy@" there.
    auto burn = [&](int n) {
        ASSERT_TRUE(medium.Swap()) << medium.error();
        stdfs::copy(Disk("stage", n), root() / "drive", stdfs::copy_options::recursive);
    };
    burn(3);
    ScriptedHost host;
    set.UseFields(host);
    host.onDialog = [&, next = 0](const test::DialogRecord& dialog) mutable {
        const int order[] = {1, 2};
        if (dialog.buttons.size() > 1 && next < 2) {
            burn(order[next++]);
        }
    };
    host.Answer(Button::Yes, kSwap2);
    host.Answer(Button::Yes, kSwap1);
    Session session;
    BitBtn3Click(session, host);
    medium.Eject();
    EXPECT_EQ(host.DialogTexts().back(), msg::kRestoreFinished);
    EXPECT_EQ(TreeOf(root() / "out"), TreeOf(root() / "src"));
}

} // namespace
} // namespace arbolink
