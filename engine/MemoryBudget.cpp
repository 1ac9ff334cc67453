#include "engine/MemoryBudget.h"

#include <limits>

namespace {

constexpr std::size_t BudgetPerGameStateByte = 8;
constexpr std::size_t BudgetBase = std::size_t{64} << 20;

}  // namespace

const char* MemoryBudgetExceeded::what() const noexcept { return "memory budget of the save exceeded"; }

std::size_t treeMemoryBudget(std::size_t gameStateBytes) {
    constexpr std::size_t most = std::numeric_limits<std::size_t>::max();
    if (gameStateBytes > (most - BudgetBase) / BudgetPerGameStateByte) return most;
    return BudgetPerGameStateByte * gameStateBytes + BudgetBase;
}

MemoryBudget::MemoryBudget(std::size_t limit, std::pmr::memory_resource* upstream)
    : limit_(limit), upstream_(upstream) {}

void* MemoryBudget::do_allocate(std::size_t bytes, std::size_t alignment) {
    if (bytes > limit_ - allocated_) throw MemoryBudgetExceeded();
    void* pointer = upstream_->allocate(bytes, alignment);
    allocated_ += bytes;
    return pointer;
}

void MemoryBudget::do_deallocate(void* pointer, std::size_t bytes, std::size_t alignment) {
    upstream_->deallocate(pointer, bytes, alignment);
    allocated_ -= bytes;
}
