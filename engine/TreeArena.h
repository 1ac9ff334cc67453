#pragma once
// The arena one engine's tree lives in: memory handed out by moving a pointer through blocks
// taken from an upstream resource, each half as large again as the one before, and given back
// all at once by release() or when the arena goes. Giving back one allocation does nothing.
// A tree asks it for hundreds of thousands of small pieces (a node, a list of children), so the
// common case is a few instructions, without the generality of the standard library's arena.

#include <cstddef>
#include <cstdint>
#include <memory_resource>

class TreeArena final : public std::pmr::memory_resource {
public:
    TreeArena(std::size_t firstBlock, std::pmr::memory_resource* upstream);
    TreeArena(const TreeArena&) = delete;
    TreeArena& operator=(const TreeArena&) = delete;
    ~TreeArena() override;

    // Gives every block back to the upstream; the next block is the size of the first again.
    void release();

private:
    struct Block;

    void* do_allocate(std::size_t bytes, std::size_t alignment) override {
        if (bytes == 0) bytes = 1;  // every allocation is a distinct address
        const std::uintptr_t start = (next_ + alignment - 1) & ~(std::uintptr_t{alignment} - 1);
        if (start > end_ || bytes > end_ - start) [[unlikely]]
            return allocateFromNewBlock(bytes, alignment);
        next_ = start + bytes;
        return reinterpret_cast<void*>(start);
    }
    void do_deallocate(void*, std::size_t, std::size_t) override {}
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    void* allocateFromNewBlock(std::size_t bytes, std::size_t alignment);

    std::pmr::memory_resource* upstream_;
    const std::size_t firstBlock_;
    std::size_t nextBlock_;
    Block* blocks_ = nullptr;  // the newest first
    std::uintptr_t next_ = 0;  // the free part of the newest block
    std::uintptr_t end_ = 0;
};
