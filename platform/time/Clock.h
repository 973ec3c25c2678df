#pragma once
// The source of time for timers and Sleep. The program runs on the real clock; tests install a
// VirtualClock, on which Sleep returns at once after advancing time, and timers fire only when the
// test advances time.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/base/WinTypes.h"

namespace win {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint64_t NowMs() const = 0;
    virtual void Sleep(DWORD ms) = 0;
    virtual bool IsVirtual() const { return false; }
};

class RealClock final : public Clock {
public:
    std::uint64_t NowMs() const override;
    void Sleep(DWORD ms) override;
};

class VirtualClock final : public Clock {
public:
    std::uint64_t NowMs() const override { return now_; }
    void Sleep(DWORD ms) override {
        sleeps_.push_back(ms);
        if (onSleep) onSleep(ms);
        now_ += ms;
    }
    bool IsVirtual() const override { return true; }

    void Advance(std::uint64_t ms) { now_ += ms; }
    void AdvanceTo(std::uint64_t ms) { if (ms > now_) now_ = ms; }
    const std::vector<DWORD>& Sleeps() const { return sleeps_; }
    void ClearSleeps() { sleeps_.clear(); }
    // Runs at the start of each sleep, so a test can look at what was written just before it.
    std::function<void(DWORD)> onSleep;

private:
    std::uint64_t now_ = 1000;
    std::vector<DWORD> sleeps_;
};

// The process's clock; the real clock unless one was installed. The installer keeps ownership.
Clock& GetClock();
void SetClock(Clock* clock);  // nullptr restores the real clock

void Sleep(DWORD ms);
DWORD GetTickCount();

}  // namespace win
