#pragma once
// FILETIME: 100-nanosecond intervals since 1601-01-01 UTC, as the registry reports write times.
#include <cstdint>
#include <ctime>

#include "platform/base/WinTypes.h"

namespace win {

struct FILETIME {
    DWORD dwLowDateTime = 0;
    DWORD dwHighDateTime = 0;
};

inline FILETIME FileTimeFromUnix(const timespec& time) {
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
    std::int64_t ticks = (static_cast<std::int64_t>(time.tv_sec) + kSecondsFrom1601To1970) * 10000000 + time.tv_nsec / 100;
    if (ticks < 0) ticks = 0;
    auto value = static_cast<std::uint64_t>(ticks);
    return FILETIME{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
}

}  // namespace win
