#pragma once
// Paths of loaded modules: the component finds its help file and presets next to its own .dll.
#include <string>

#include "platform/base/WinTypes.h"

namespace win {

// Full path of the shared object (or the executable) that contains addressInModule; a null address
// stands for the executable, as a null module handle does on Windows. Returns the number of
// characters copied without the NUL. A buffer that is too small receives size-1 characters and a
// NUL, the return value is size and the last error ERROR_INSUFFICIENT_BUFFER. Returns 0 on failure.
DWORD GetModuleFileNameA(const void* addressInModule, char* buffer, DWORD size);

// The same path as a string; empty when the address lies in no module.
std::string ModuleFileName(const void* addressInModule);

}  // namespace win
