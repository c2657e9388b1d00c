#include "fs/FolderListText.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

// Linux paths tell case apart, so a folder is filed as given and compared exactly.
TEST(FolderListText, KeepsThePathAndComparesExactly) {
    EXPECT_EQ(FolderListText("/media/me/Backup"), "/media/me/Backup");
    EXPECT_EQ(FolderListText("/データ/ÄÖ"), "/データ/ÄÖ");
    EXPECT_TRUE(SameFolderListEntry("/media/me/Backup", "/media/me/Backup"));
    EXPECT_FALSE(SameFolderListEntry("/media/me/Backup", "/media/me/backup"));
    EXPECT_FALSE(SameFolderListEntry("/media/me/Backup", "/media/me/Backup/"));
    EXPECT_TRUE(SameFolderListEntry("", ""));
}

} // namespace
} // namespace arbolink
