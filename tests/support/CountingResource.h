#pragma once
// A memory resource that hands out memory from the default heap and counts it, to see what a
// tree or a budget takes and gives back.

#include <cstddef>
#include <memory_resource>

class CountingResource : public std::pmr::memory_resource {
public:
    std::size_t outstanding = 0;  // handed out and not yet given back
    std::size_t total = 0;        // handed out in all

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override {
        outstanding += bytes;
        total += bytes;
        return std::pmr::new_delete_resource()->allocate(bytes, alignment);
    }
    void do_deallocate(void* pointer, std::size_t bytes, std::size_t alignment) override {
        outstanding -= bytes;
        std::pmr::new_delete_resource()->deallocate(pointer, bytes, alignment);
    }
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }
};
