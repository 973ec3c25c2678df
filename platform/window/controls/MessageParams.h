#pragma once
// The arguments the list and combo box messages carry: an index in wParam, a C string in lParam.
#include <cstdint>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace win {

inline int IntParam(WPARAM wParam) { return static_cast<int>(static_cast<std::intptr_t>(wParam)); }

// A null pointer reads as the empty string.
inline std::string_view TextParam(LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    return text ? std::string_view(text) : std::string_view();
}

}  // namespace win
