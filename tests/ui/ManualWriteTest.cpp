// SPDX-License-Identifier: GPL-3.0-or-later
// The manual shows every message of writing a disk set in its exact words. A program of its
// own file, so that its names need no qualification beside the restore run's.
#include "ManualText.h"
#include "core/wFile/WriteMessages.h"

namespace arbolink {
namespace {

using test::ExpectInManual;
using test::ManualHtml;

#define EXPECT_MESSAGE(html, name) test::ExpectInManuals(html, #name, msg::name)

TEST(Manual, ShowsEveryDiskWritingMessage) {
    const std::string html = ManualHtml();
    EXPECT_MESSAGE(html, kInsertDisk);
    EXPECT_MESSAGE(html, kNoDisk);
    EXPECT_MESSAGE(html, kNotEnoughRoom);
    EXPECT_MESSAGE(html, kSwapDisk);
    EXPECT_MESSAGE(html, kCopyFinished);
    EXPECT_MESSAGE(html, kSplitCopyFailed);
    EXPECT_MESSAGE(html, kNotCopiedHeader);
    EXPECT_MESSAGE(html, kNotCopiedMore);
    EXPECT_MESSAGE(html, kCopyFinishedNotCarried);
    EXPECT_MESSAGE(html, kNotCarriedAlso);
    EXPECT_MESSAGE(html, kReasonNoSpace);
    EXPECT_MESSAGE(html, kReasonAccess);
    EXPECT_MESSAGE(html, kReasonNotFound);
    EXPECT_MESSAGE(html, kReasonReadOnly);
    EXPECT_MESSAGE(html, kReasonIo);
    EXPECT_MESSAGE(html, kReasonName);
    EXPECT_MESSAGE(html, kReasonTooLarge);
    EXPECT_MESSAGE(html, kReasonNotRegular);
    EXPECT_MESSAGE(html, kReasonSizeChanged);
    EXPECT_MESSAGE(html, kReasonOther);
    EXPECT_MESSAGE(html, kReasonNoDisk);
    EXPECT_MESSAGE(html, kReasonTargetFolderGone);
    EXPECT_MESSAGE(html, kReasonLinkInTheWay);
    EXPECT_MESSAGE(html, kReasonFileInTheWay);
}

} // namespace
} // namespace arbolink
