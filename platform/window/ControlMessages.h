#pragma once
// The messages that the dialog manager and dialog data exchange send to controls: the edit's and the
// list box's own, and WM_NEXTDLGCTL.
#include "platform/base/WinTypes.h"
#include "platform/window/controls/EditMessages.h"
#include "platform/window/controls/ListBoxMessages.h"

namespace win {

constexpr UINT WM_NEXTDLGCTL = 0x0028;

}  // namespace win
