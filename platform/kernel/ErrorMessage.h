#pragma once
// The text of a Windows error code, as FormatMessage gives it for the codes the system services
// report, without the final full stop, so that a program can name the reason in its own message
// ("cannot write x.png: access is denied").
#include <string>

#include "platform/base/WinTypes.h"

namespace win {

std::string ErrorMessage(DWORD error);

}  // namespace win
