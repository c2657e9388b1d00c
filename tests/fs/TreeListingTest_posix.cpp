// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/TreeListing.h"

#include "fs/TreePaths.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace arbolink {
namespace {

using test::TempFolder;

std::vector<std::string> Names(const std::vector<TreeChild>& children) {
    std::vector<std::string> names;
    for (const TreeChild& child : children) {
        names.push_back(child.name + (child.isFolder ? "/" : ""));
    }
    std::sort(names.begin(), names.end());
    return names;
}

class TreeListing : public ::testing::Test {
protected:
    void SetUp() override {
        root.MakeFolder("Docs/inner");
        root.MakeFolder(".hidden");
        root.MakeFolder("System Volume Information");
        root.MakeFolder("system volume information");
        root.WriteFile("notes.txt", "x");
        root.WriteFile("photo.jpg", "x");
        std::filesystem::create_directory_symlink(root / "Docs", root / "docs-link");
        std::filesystem::create_symlink(root / "notes.txt", root / "notes-link.txt");
        mkfifo((root / "pipe.txt").c_str(), 0600);
    }
    TempFolder root;
};

TEST_F(TreeListing, ListsRealFoldersOnlyByDefault) {
    std::vector<TreeChild> children;
    ASSERT_TRUE(ListTreeChildren(root.path(), {}, children));
    EXPECT_EQ(Names(children),
              (std::vector<std::string>{".hidden/", "Docs/", "system volume information/"}));
    children.clear();
    ASSERT_TRUE(ListTreeChildren(root.path(), {false, false, {}}, children));
    EXPECT_EQ(Names(children), (std::vector<std::string>{"Docs/", "system volume information/"}));
}

TEST_F(TreeListing, ListsMatchingFilesAndFileLinksWithFiles) {
    std::vector<TreeChild> children;
    ASSERT_TRUE(ListTreeChildren(root.path(), {true, true, {".TXT"}}, children));
    EXPECT_EQ(Names(children),
              (std::vector<std::string>{".hidden/", "Docs/", "notes-link.txt", "notes.txt",
                                        "system volume information/"}));
}

TEST_F(TreeListing, TellsWhetherAFolderHasAnythingToExpand) {
    EXPECT_TRUE(HasTreeChildren(root / "Docs", {}));
    EXPECT_FALSE(HasTreeChildren(root / "Docs/inner", {}));
    root.WriteFile("Docs/inner/a.txt", "x");
    EXPECT_FALSE(HasTreeChildren(root / "Docs/inner", {}));
    EXPECT_TRUE(HasTreeChildren(root / "Docs/inner", {true, true, {}}));
    EXPECT_FALSE(HasTreeChildren(root / "Docs/inner", {true, true, {".jpg"}}));
    EXPECT_FALSE(HasTreeChildren(root / "missing", {}));
    std::vector<TreeChild> children;
    EXPECT_FALSE(ListTreeChildren(root / "missing", {}, children));
}

TEST(TreePaths, NormaliseAbsolutePathsAndRefuseWhatNeedsResolving) {
    EXPECT_EQ(TreePathForm("/"), "/");
    EXPECT_EQ(TreePathForm("//home///me/./docs/"), "/home/me/docs");
    EXPECT_EQ(TreePathForm("/home/me/../you"), "");
    EXPECT_EQ(TreePathForm("home/me"), "");
    EXPECT_EQ(TreePathForm(""), "");
}

TEST(TreePaths, GiveTheNamesBelowAFolder) {
    std::vector<std::string> names;
    ASSERT_TRUE(NamesBelow("/media/stick", "/media/stick/a/b", names));
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
    ASSERT_TRUE(NamesBelow("/", "/etc/x", names));
    EXPECT_EQ(names, (std::vector<std::string>{"etc", "x"}));
    ASSERT_TRUE(NamesBelow("/media/stick", "/media/stick", names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(NamesBelow("/media/stick", "/media/sticker/a", names));
    EXPECT_FALSE(NamesBelow("/media/stick", "", names));
}

TEST(TreePaths, FindTheClosestHoldingFolder) {
    std::vector<std::string> drives = {"/", "/home", "/media/stick"};
    EXPECT_EQ(ClosestFolderHolding(drives, "/home/me"), 1);
    EXPECT_EQ(ClosestFolderHolding(drives, "/homework"), 0);
    EXPECT_EQ(ClosestFolderHolding(drives, "/media/stick"), 2);
    EXPECT_EQ(ClosestFolderHolding({"/media/stick"}, "/etc"), -1);
    EXPECT_EQ(ClosestFolderHolding(drives, ""), -1);
    EXPECT_EQ(ChildPath("/", "etc"), "/etc");
    EXPECT_EQ(ChildPath("/etc", "x"), "/etc/x");
}

} // namespace
} // namespace arbolink
