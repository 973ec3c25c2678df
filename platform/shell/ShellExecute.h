#pragma once
// ShellExecuteA for the one thing the editor asks of it: opening a document (its help file, a web
// page) with whatever the desktop uses for that kind of file.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/base/WinTypes.h"
#include "platform/shell/PathCase.h"

namespace win {

constexpr std::intptr_t SE_ERR_FNF = 2;
constexpr std::intptr_t SE_ERR_PNF = 3;
constexpr std::intptr_t SE_ERR_ACCESSDENIED = 5;
constexpr std::intptr_t SE_ERR_OOM = 8;
constexpr std::intptr_t SE_ERR_NOASSOC = 31;

// Hands a resolved file (or URL) to the desktop. Returns false when it could not be started.
using ShellOpener = std::function<bool(const std::string& resolvedPath, const std::string& workingDirectory)>;

// Replaces the opener used by ShellExecuteA (tests install a recording one); an empty function
// restores the default.
void SetShellOpener(ShellOpener opener);
// Starts `xdg-open <path>` in the working directory with posix_spawnp and does not wait for it.
ShellOpener DefaultShellOpener();

// verb "open" or null (other verbs give SE_ERR_NOASSOC). A relative file is taken against directory
// (the current directory when null), with letter case resolved as on Windows; backslashes are
// accepted as separators when the name does not exist as written. http, https, ftp, mailto and file
// URLs go to the opener unchanged. parameters and showCommand (an SW_ value of the window layer) are
// not used: a document opener takes neither. Returns a value above 32 on success, else SE_ERR_FNF, SE_ERR_PNF or SE_ERR_ACCESSDENIED
// (the opener failed), and sets the last error to match.
std::intptr_t ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                            const char* directory, int showCommand);

}  // namespace win
