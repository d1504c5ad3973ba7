#pragma once

#include <cstddef>

namespace arrowplan {

// The blocks a HeapCount counted that are not deleted yet.
struct HeapFigures {
    std::size_t requested = 0; // the bytes operator new was asked for
    std::size_t heap = 0;      // what malloc set aside for them, its own headers included
    std::size_t blocks = 0;
};

// Counts what the global operator new of this program hands out on this
// thread inside counted(), and takes a block off again when it is deleted,
// whenever and wherever that happens while the count lives. Everything else
// (the driver's own work between the calls, other threads) is not counted,
// so the figures are what the measured code still holds. One count at a time.
class HeapCount {
  public:
    HeapCount();
    ~HeapCount();
    HeapCount(const HeapCount&) = delete;
    HeapCount& operator=(const HeapCount&) = delete;

    template <typename Work> void counted(Work&& work) {
        const Counting on;
        work();
    }
    HeapFigures live() const;

  private:
    struct Counting {
        Counting();
        ~Counting();
    };
};

} // namespace arrowplan
