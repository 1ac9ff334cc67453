#pragma once
// A memory resource that counts what one file's record tree takes from its upstream and refuses
// to go past a limit, so that a damaged or hostile save cannot exhaust the machine. It is meant
// as the upstream of the arena the tree's nodes come from.

#include <cstddef>
#include <limits>
#include <memory_resource>
#include <new>

// Thrown when an allocation would pass the budget. It is a std::bad_alloc: the game-state read
// treats it like any failed allocation, as a corrupted file (code 7).
class MemoryBudgetExceeded : public std::bad_alloc {
public:
    const char* what() const noexcept override;
};

// The most one file's record tree may take: 8 times the size of its game state plus 64 MiB.
// Real saves need 3 to 5 times their game state.
std::size_t treeMemoryBudget(std::size_t gameStateBytes);

// No limit: the budget only counts.
inline constexpr std::size_t UnlimitedMemory = std::numeric_limits<std::size_t>::max();

class MemoryBudget : public std::pmr::memory_resource {
public:
    explicit MemoryBudget(std::size_t limit, std::pmr::memory_resource* upstream = std::pmr::new_delete_resource());

    std::size_t limit() const { return limit_; }
    // A new limit for what comes next; what is already handed out stays.
    void setLimit(std::size_t limit) { limit_ = limit; }
    std::pmr::memory_resource* upstream() const { return upstream_; }
    // Bytes handed out and not yet given back.
    std::size_t allocated() const { return allocated_; }

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* pointer, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    std::size_t limit_;
    std::pmr::memory_resource* upstream_;
    std::size_t allocated_ = 0;
};
