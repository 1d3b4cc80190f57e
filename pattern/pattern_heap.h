// A pattern's private heap: every array of one pattern comes from it,
// zero-filled, and all of them go at once when the pattern goes.
#pragma once

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <span>

class PatternHeap {
  public:
    template <typename T>
    std::span<T> allocate(std::size_t count) {
        static_assert(std::is_trivially_destructible_v<T>, "the heap never runs destructors");
        if (count == 0) {
            return {};
        }
        T* first = static_cast<T*>(resource_.allocate(count * sizeof(T), alignof(T)));
        std::uninitialized_value_construct_n(first, count);
        return {first, count};
    }

  private:
    std::pmr::monotonic_buffer_resource resource_;
};
