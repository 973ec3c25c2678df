#include "platform/time/Clock.h"

#include <chrono>
#include <thread>

namespace win {
namespace {

RealClock realClock;
Clock* installed = nullptr;

}  // namespace

std::uint64_t RealClock::NowMs() const {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void RealClock::Sleep(DWORD ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

Clock& GetClock() { return installed ? *installed : realClock; }
void SetClock(Clock* clock) { installed = clock; }

void Sleep(DWORD ms) { GetClock().Sleep(ms); }
DWORD GetTickCount() { return static_cast<DWORD>(GetClock().NowMs()); }

}  // namespace win
