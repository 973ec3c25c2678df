#pragma once
// Keeps C++ exceptions (in practice std::bad_alloc) from crossing the Windows-style C interface:
// the body's result, or failure when it throws.
#include <utility>

#include "platform/kernel/LastError.h"

namespace win {

template <typename Result, typename Body>
Result NoThrow(Result failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

// For functions that report failure through GetLastError.
template <typename Result, typename Body>
Result NoThrowSettingLastError(Result failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        SetLastError(ERROR_OUTOFMEMORY);
        return failure;
    }
}

}  // namespace win
