#pragma once
// Hands the latest value from one writer thread to one reader thread without locks or allocation
// (a triple buffer): the writer fills its own slot and swaps it into the middle; the reader swaps
// the middle out when it holds something new. The reader always sees a whole value, the newest
// published before its swap. One writer and one reader at a time.
#include <atomic>
#include <type_traits>

template <typename T>
class SnapshotExchange {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    void Publish(const T& value) {
        slots_[back_] = value;
        back_ = middle_.exchange(back_ | kFresh, std::memory_order_acq_rel) & kIndexMask;
    }

    // Copies the newest value into `out` when one arrived since the last call.
    bool TakeLatest(T& out) {
        if (!(middle_.load(std::memory_order_relaxed) & kFresh)) return false;
        front_ = middle_.exchange(front_, std::memory_order_acq_rel) & kIndexMask;
        out = slots_[front_];
        return true;
    }

private:
    static constexpr unsigned kFresh = 4;
    static constexpr unsigned kIndexMask = 3;

    T slots_[3]{};
    std::atomic<unsigned> middle_{1};
    unsigned back_ = 0;   // the writer's
    unsigned front_ = 2;  // the reader's
};
