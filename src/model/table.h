#pragma once

#include "model/range_error.h"

#include <array>
#include <cstddef>
#include <string>

namespace arrowplan {

// Every table of the project has the slots 0..100; nodes and jobs use 1..100.
inline constexpr int tableSlots = 101;
inline constexpr int maxItems = tableSlots - 1;

inline bool isSlot(long long index) {
    return index >= 0 && index < tableSlots;
}

// A fixed table whose every access is range-checked, so a bad node or job
// number ends the command instead of reaching memory. The index is taken as a
// long long so that no caller's value is narrowed before it is checked.
template <typename T> class Table {
  public:
    T& operator[](long long index) { return slots_[checked(index)]; }
    const T& operator[](long long index) const { return slots_[checked(index)]; }

    void fill(const T& value) { slots_.fill(value); }
    bool operator==(const Table&) const = default;

  private:
    static std::size_t checked(long long index) {
        if (!isSlot(index)) {
            throw RangeError("table index " + std::to_string(index) + " is outside 0..100");
        }
        return static_cast<std::size_t>(index);
    }

    std::array<T, tableSlots> slots_{};
};

} // namespace arrowplan
