// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanningTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace arbolink {
namespace {

using test::RequestFor;
using test::ScriptedHost;
using test::TempFolder;
using ::testing::ElementsAre;

TEST(Planning, ListsWhatIsLeftBehindBeforeTheQuestionOfDisks) {
    TempFolder source;
    source.WriteFile("kept", "k");
    ASSERT_EQ(symlink("/nonexistent", (source / "dangling").c_str()), 0);
    ScriptedHost host;
    PlanningValues values;
    ASSERT_EQ(RunPlanning(values, host, RequestFor(source, 10)), PlanOutcome::Complete);
    EXPECT_THAT(
        host.DialogTexts(),
        ElementsAre("次のものは分割されません（1 件）。\n\ndangling（リンク先がありません）"));
    EXPECT_EQ(host.dialogs[0].kind, DialogKind::Warning);
}

} // namespace
} // namespace arbolink
