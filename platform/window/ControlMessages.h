#pragma once
// The edit and list box messages that the dialog manager and dialog data exchange send to controls,
// with their Windows values; the controls themselves answer them.
#include "platform/base/WinTypes.h"

namespace win {

constexpr UINT WM_NEXTDLGCTL = 0x0028;

constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;

constexpr LRESULT LB_ERR = -1;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_SELECTSTRING = 0x018C;

}  // namespace win
