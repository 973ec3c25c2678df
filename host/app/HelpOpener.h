#pragma once
// The shell opener the host installs for the editor's help button. The editor hands its help
// document to the shell and says nothing when that fails, so where the desktop has no opener to
// start, this one tells the user, through `tell`, where the document is to be read.
#include <functional>
#include <string>

#include "platform/shell/ShellExecute.h"

win::ShellOpener MakeHelpOpener(win::ShellOpener desktop, std::function<void(const std::string&)> tell);
