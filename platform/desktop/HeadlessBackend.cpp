#include "platform/desktop/HeadlessBackend.h"

#include <algorithm>

#include "platform/time/Clock.h"

namespace win {

void HeadlessBackend::WaitForInput(std::optional<std::uint64_t> timeoutMs) {
    // Nothing can arrive from outside: only time passes.
    Clock& clock = GetClock();
    std::uint64_t wait = timeoutMs ? *timeoutMs : 50;
    if (clock.IsVirtual()) static_cast<VirtualClock&>(clock).Advance(wait);
    else clock.Sleep(static_cast<DWORD>(std::min<std::uint64_t>(wait, 50)));
}

}  // namespace win
