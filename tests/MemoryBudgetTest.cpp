// The per-save memory budget: what it counts, where it refuses, and the rule that sizes it.

#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <memory_resource>
#include <new>
#include <vector>

#include "engine/MemoryBudget.h"
#include "engine/TreeArena.h"
#include "tests/support/CountingResource.h"

namespace {

constexpr std::size_t MiB = std::size_t{1} << 20;

TEST(MemoryBudget, TreeBudgetIsEightTimesTheGameStatePlus64MiB) {
    struct Case {
        std::size_t gameState;
        std::size_t budget;
    };
    const std::size_t most = std::numeric_limits<std::size_t>::max();
    const std::vector<Case> cases = {
        {0, 64 * MiB},
        {4 * MiB, 96 * MiB},
        {128 * MiB, 1088 * MiB},
        {most / 8, most},  // saturates instead of wrapping round to a small budget
        {most, most},
    };
    for (const Case& c : cases) EXPECT_EQ(treeMemoryBudget(c.gameState), c.budget) << c.gameState;
}

// Allocations up to the limit pass and are counted; the one that would pass it is refused as a
// bad_alloc before the upstream is asked, and freeing makes room again.
TEST(MemoryBudget, RefusesWhatWouldPassTheLimitAndCountsWhatIsGivenBack) {
    CountingResource upstream;
    MemoryBudget budget(1000, &upstream);
    void* first = budget.allocate(600, 8);
    void* second = budget.allocate(400, 8);  // exactly at the limit
    EXPECT_EQ(budget.allocated(), 1000u);
    EXPECT_EQ(upstream.outstanding, 1000u);
    EXPECT_THROW((void)budget.allocate(1, 1), MemoryBudgetExceeded);
    EXPECT_THROW((void)budget.allocate(std::numeric_limits<std::size_t>::max(), 8), std::bad_alloc);
    EXPECT_EQ(budget.allocated(), 1000u);
    EXPECT_EQ(upstream.outstanding, 1000u);

    budget.deallocate(first, 600, 8);
    EXPECT_EQ(budget.allocated(), 400u);
    void* third = budget.allocate(500, 16);
    EXPECT_EQ(upstream.outstanding, 900u);
    budget.deallocate(third, 500, 16);
    budget.deallocate(second, 400, 8);
    EXPECT_EQ(budget.allocated(), 0u);
    EXPECT_EQ(upstream.outstanding, 0u);
}

// As the upstream of an arena, the budget stops the arena growing past it, and everything the
// arena took comes back when the arena goes.
TEST(MemoryBudget, BoundsAnArenaBuiltOnIt) {
    CountingResource upstream;
    MemoryBudget budget(MiB, &upstream);
    std::size_t placed = 0;
    {
        TreeArena arena(4096, &budget);
        try {
            for (;; placed += 64) (void)arena.allocate(64, 8);
        } catch (const MemoryBudgetExceeded&) {
        }
        EXPECT_LE(budget.allocated(), MiB);
        EXPECT_GE(placed, MiB / 4);
    }
    EXPECT_EQ(budget.allocated(), 0u);
    EXPECT_EQ(upstream.outstanding, 0u);
}

}  // namespace
