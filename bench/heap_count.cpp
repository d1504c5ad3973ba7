// The replacement global operator new and delete of the benchmark program:
// they only pass through to malloc and free, and keep a ledger of the blocks
// allocated while a HeapCount counts.

#include "heap_count.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <new>
#include <unordered_map>

namespace arrowplan {

namespace {

// The ledger's own nodes come straight from malloc, so keeping it never
// calls the operator new that feeds it.
template <typename T> struct MallocAllocator {
    using value_type = T;
    MallocAllocator() = default;
    template <typename U> MallocAllocator(const MallocAllocator<U>&) {}
    T* allocate(std::size_t n) {
        if (void* block = std::malloc(n * sizeof(T))) {
            return static_cast<T*>(block);
        }
        throw std::bad_alloc();
    }
    void deallocate(T* block, std::size_t) { std::free(block); }
    template <typename U> bool operator==(const MallocAllocator<U>&) const { return true; }
};

struct Counted {
    std::size_t requested;
    std::size_t heap;
};
using Ledger = std::unordered_map<void*, Counted, std::hash<void*>, std::equal_to<void*>,
                                  MallocAllocator<std::pair<void* const, Counted>>>;

// operator new runs before main and after it too: the ledger is only
// touched while open, which only a HeapCount sets, inside main.
std::mutex ledgerLock;
std::atomic<bool> ledgerOpen = false;
Ledger ledger;
HeapFigures totals;
thread_local bool countingHere = false;

// glibc's malloc puts a header of one word before every block it hands out
// and rounds the block up; both belong to what the block costs.
std::size_t heapSize(void* block) {
    return malloc_usable_size(block) + sizeof(std::size_t);
}

void note(void* block, std::size_t size) {
    const Counted counted{size, heapSize(block)};
    const std::lock_guard hold(ledgerLock);
    ledger.emplace(block, counted);
    totals.requested += counted.requested;
    totals.heap += counted.heap;
    ++totals.blocks;
}

void forget(void* block) {
    if (!ledgerOpen) {
        return;
    }
    const std::lock_guard hold(ledgerLock);
    if (const auto entry = ledger.find(block); entry != ledger.end()) {
        totals.requested -= entry->second.requested;
        totals.heap -= entry->second.heap;
        --totals.blocks;
        ledger.erase(entry);
    }
}

} // namespace

HeapCount::HeapCount() {
    const std::lock_guard hold(ledgerLock);
    totals = {};
    ledgerOpen = true;
}

HeapCount::~HeapCount() {
    const std::lock_guard hold(ledgerLock);
    ledgerOpen = false;
    ledger.clear();
}

HeapFigures HeapCount::live() const {
    const std::lock_guard hold(ledgerLock);
    return totals;
}

HeapCount::Counting::Counting() {
    countingHere = true;
}

HeapCount::Counting::~Counting() {
    countingHere = false;
}

} // namespace arrowplan

void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    if (arrowplan::countingHere && arrowplan::ledgerOpen) {
        arrowplan::note(block, size);
    }
    return block;
}

void operator delete(void* block) noexcept {
    if (block != nullptr) {
        arrowplan::forget(block);
        std::free(block);
    }
}

void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}
