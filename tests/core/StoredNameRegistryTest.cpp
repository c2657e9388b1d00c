// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/StoredNameRegistry.h"

#include "PlanningTestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace arbolink {
namespace {

using test::ValuesWith;

TEST(StoredNameRegistry, KnowsTheRowsNamesInEitherCaseButNotAsTheRowsOwn) {
    PlanningValues values = ValuesWith({{"", "Ärger.txt", 1}, {"d\\", "b", 2}});
    StoredNameRegistry registry(values);
    EXPECT_TRUE(registry.Taken("ÄRGER.TXT", 1));
    EXPECT_FALSE(registry.Taken("ÄRGER.TXT", 0)); // a row may keep its own name
    EXPECT_TRUE(registry.Taken("B", 0));
    EXPECT_FALSE(registry.Taken("B", 1));
    EXPECT_FALSE(registry.Taken("C", 0));
    EXPECT_FALSE(registry.Taken("ärger.txt", 1)); // candidates come upper-cased
}

TEST(StoredNameRegistry, MarksANameSeenForEveryRowThatCarriesIt) {
    PlanningValues values = ValuesWith({{"", "a", 1}, {"x\\", "A", 2}, {"", "b", 3}});
    StoredNameRegistry registry(values);
    EXPECT_FALSE(registry.SeenBefore(0));
    EXPECT_TRUE(registry.SeenBefore(1)); // "A" is "a" to the disks
    EXPECT_FALSE(registry.SeenBefore(2));
    EXPECT_TRUE(registry.SeenBefore(2));
}

TEST(StoredNameRegistry, TakesWhatWasGivenOutAndWhatTheSetKeeps) {
    PlanningValues values = ValuesWith({{"", "a", 1}});
    StoredNameRegistry registry(values);
    EXPECT_FALSE(registry.Taken("A-0", 0));
    registry.GiveOut("A-0");
    EXPECT_TRUE(registry.Taken("A-0", 0));
    registry.GiveOut("A");
    EXPECT_TRUE(registry.Taken("A", 0)); // given out, now even to its own row
    EXPECT_TRUE(registry.Taken("_INDEX.@TXT", 0));
    EXPECT_TRUE(registry.Taken("_DISK.@ID", 0));
    EXPECT_FALSE(registry.Taken("ARBOLINK", 0)); // no program copy

    values.Table.SetCell(Name, 1, "arbolink");
    StoredNameRegistry withProgram(values);
    EXPECT_TRUE(withProgram.Taken("ARBOLINK", 0));
}

TEST(StoredNameRegistry, FindsEveryNameAfterGrowingPastItsFirstSize) {
    PlanningValues values = ValuesWith({{"", "a", 1}, {"", "b", 2}});
    StoredNameRegistry registry(values);
    // Sized for two rows; a thousand given-out names make it grow several times.
    for (int n = 0; n < 1000; ++n) {
        registry.GiveOut("A-" + std::to_string(n));
    }
    for (int n = 0; n < 1000; ++n) {
        ASSERT_TRUE(registry.Taken("A-" + std::to_string(n), 0)) << n;
    }
    EXPECT_FALSE(registry.Taken("A-1000", 0));
    EXPECT_TRUE(registry.Taken("B", 0));
    EXPECT_FALSE(registry.Taken("B", 1));
    EXPECT_FALSE(registry.SeenBefore(1));
    EXPECT_TRUE(registry.SeenBefore(1));
}

} // namespace
} // namespace arbolink
