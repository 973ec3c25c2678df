#pragma once
// The help file's path: the library's own path in lower case with its first ".dll" turned into
// ".hlp" and everything after it cut off, whether or not that file exists.
#include <cstddef>

#include "component/ComponentApi.h"

// The size of the caller's buffer, the Windows MAX_PATH.
constexpr std::size_t kHelpFilePathSize = 260;

// Turns the zero-terminated library path in `path` into the help file's path, in place. Returns
// `path`, or null when it holds no ".dll" (the path is left lower-cased then).
KVX4_COMPONENT_API char* MakeHelpFilePath(char* path);

// Fills `buffer` (kHelpFilePathSize bytes) with this library's help file path. Null when the
// library's path cannot be had (or would not fit) or holds no ".dll".
char* LibraryHelpFilePath(char* buffer);
