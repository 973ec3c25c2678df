#pragma once
// The folder that plays the part of the Windows directory: where profile (.ini) files given without
// a directory live.
#include <string>

#include "platform/base/WinTypes.h"

namespace win {

// $KVX4_WINDOWS_DIR, else $XDG_CONFIG_HOME/kvx4/windows, else $HOME/.config/kvx4/windows. Read from
// the environment on every call and not created here: writers create it when they need it.
std::string WindowsDirectory();

// Windows conventions: returns the length copied without the NUL, or, when size is too small, the
// size needed including the NUL and leaves the buffer alone. Returns 0 on failure.
UINT GetWindowsDirectoryA(char* buffer, UINT size);

}  // namespace win
