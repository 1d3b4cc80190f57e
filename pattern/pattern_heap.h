// A pattern's private heap: every array of one pattern comes from it,
// zero-filled (or filled from a copy), and all of them go at once when the pattern goes.
#pragma once

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <span>

class PatternHeap {
  public:
    template <typename T>
    std::span<T> allocate(std::size_t count) {
        const std::span<T> memory = uninitialised<T>(count);
        std::uninitialized_value_construct(memory.begin(), memory.end());
        return memory;
    }
    // A copy of `values`: filled from them, with no zero fill first.
    template <typename T>
    std::span<T> copy(std::span<const T> values) {
        const std::span<T> memory = uninitialised<T>(values.size());
        std::uninitialized_copy(values.begin(), values.end(), memory.begin());
        return memory;
    }

  private:
    template <typename T>
    std::span<T> uninitialised(std::size_t count) {
        static_assert(std::is_trivially_destructible_v<T>, "the heap never runs destructors");
        if (count == 0) {
            return {};
        }
        return {static_cast<T*>(resource_.allocate(count * sizeof(T), alignof(T))), count};
    }

    std::pmr::monotonic_buffer_resource resource_;
};
