// SPDX-License-Identifier: GPL-3.0-or-later
// A restore of names that only letter case or Unicode normalisation tells apart, into a
// temporary folder: on a file system that folds case (Windows), the later of two such names
// is restored under a free name and named; where names stay apart, each keeps its own.
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestoreRun.h"
#include "fs/Folders.h"
#include "support/CaseClashSet.h"
#include "support/PhraseLead.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

using test::CaseClashFiles;
using test::DiskSetFixture;
using test::ExpectEveryFileBack;
using test::ScriptedHost;

// A restore into out, empty or holding "a.txt" from before.
void RestoreClashes(bool withEarlierFile) {
    DiskSetFixture set;
    ScriptedHost host;
    Session session;
    set.UseFields(host);
    set.root.MakeFolder("out");
    if (withEarlierFile) {
        set.root.WriteFile("out/a.txt", "there before");
    }
    set.WriteSet("2026/12/09 10:00:00", CaseClashFiles(), 1);
    set.Insert(1);
    RestoreDisks(session, host);
    EXPECT_FALSE(host.dialogs.empty());
    const test::DialogRecord closing =
        host.dialogs.empty() ? test::DialogRecord{} : host.dialogs.back();
    const std::size_t renamed =
        ExpectEveryFileBack(set.root / "out", closing.text, CaseClashFiles());
    if (ProbeLetterCase(set.root / "out") == LetterCase::Folded) {
        // A.txt and a.txt meet, and so do Docs\report.txt and docs\report.txt.
        EXPECT_EQ(renamed, 2u) << closing.text;
        EXPECT_EQ(closing.kind, DialogKind::Warning);
        EXPECT_NE(closing.text.find(test::Lead(msg::kRenamedFiles)), std::string::npos);
    } else {
        EXPECT_EQ(renamed, 0u) << closing.text;
        EXPECT_EQ(closing.text, msg::kRestoreFinished);
    }
}

TEST(RestoreCaseClash, EveryFileComesBackUnderItsOwnNameOrANamedFreeOne) {
    {
        SCOPED_TRACE("empty restore folder");
        RestoreClashes(false);
    }
    SCOPED_TRACE("restore folder holding a.txt");
    // Into a folder the user chose to restore into as it stands: the file there before is
    // replaced, as the user agreed, but no file of the run takes the place of another.
    RestoreClashes(true);
}

} // namespace
} // namespace arbolink
