#pragma once
// Included ahead of every source of the WebAssembly build: its standard library (libc++ 14) lacks
// std::make_unique_for_overwrite, which leaves an array's bytes uninitialised.
#include <cstddef>
#include <memory>
#include <type_traits>

#ifndef __cpp_lib_smart_ptr_for_overwrite
namespace std {
template <class T>
    requires is_unbounded_array_v<T>
unique_ptr<T> make_unique_for_overwrite(size_t n) {
    return unique_ptr<T>(new remove_extent_t<T>[n]);
}
}  // namespace std
#endif
