#include "engine/TreeArena.h"

#include <algorithm>
#include <limits>
#include <new>

// Each block starts with what giving it back takes.
struct TreeArena::Block {
    Block* previous;
    std::size_t size;
    std::size_t alignment;
};

TreeArena::TreeArena(std::size_t firstBlock, std::pmr::memory_resource* upstream)
    : upstream_(upstream), firstBlock_(firstBlock), nextBlock_(firstBlock) {}

TreeArena::~TreeArena() { release(); }

void TreeArena::release() {
    while (blocks_ != nullptr) {
        Block* block = blocks_;
        blocks_ = block->previous;
        upstream_->deallocate(block, block->size, block->alignment);
    }
    next_ = end_ = 0;
    nextBlock_ = firstBlock_;
}

void* TreeArena::allocateFromNewBlock(std::size_t bytes, std::size_t alignment) {
    const std::size_t blockAlignment = std::max(alignment, alignof(std::max_align_t));
    const std::size_t header = (sizeof(Block) + alignment - 1) / alignment * alignment;
    constexpr std::size_t largest = std::numeric_limits<std::size_t>::max() / 4;
    if (bytes > largest - header) throw std::bad_alloc();
    const std::size_t size = std::max(nextBlock_, header + bytes);
    void* memory = upstream_->allocate(size, blockAlignment);
    blocks_ = ::new (memory) Block{blocks_, size, blockAlignment};
    nextBlock_ = std::min(size + size / 2, largest);
    const auto base = reinterpret_cast<std::uintptr_t>(memory);
    next_ = base + header + bytes;
    end_ = base + size;
    return reinterpret_cast<void*>(base + header);
}
