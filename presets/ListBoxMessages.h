#pragma once
// The list-box messages the preset code sends, with their Windows values. The platform has no list
// box control yet; once it declares these, this header goes and the callers use the platform's.
#include "platform/base/WinTypes.h"

constexpr win::UINT LB_ADDSTRING = 0x0180;
