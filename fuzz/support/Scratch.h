#pragma once
// What the fuzzers that go through files share: one private directory per process, files replaced
// whole, and the way a broken invariant is reported.
#include <string>
#include <string_view>

namespace fuzzsupport {

// Made on first use and removed when the process exits. It lies in $KVX4_FUZZ_TMPDIR, else on
// /dev/shm when there is one, else in the system's temporary directory: the platform syncs every
// file it replaces, which on a disk would cost more than the rest of an iteration.
const std::string& ScratchDirectory();
// A fresh, empty subdirectory of it, for one store.
std::string MakeScratchSubdirectory(const std::string& name);

// Writes a new file and renames it over `path`. The replacement always has its own inode, so a
// store that recognises its file by size, time and inode sees the change even within one clock tick.
void ReplaceFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);

// Prints what broke and aborts; libFuzzer keeps the input as a crash.
[[noreturn]] void Fail(const std::string& what);

// Bytes shown so that control characters and quotes stay visible in a report.
std::string Printable(std::string_view bytes);

}  // namespace fuzzsupport

// A macro so that the message is only built when the check fails: the checks run millions of times.
#define FUZZ_REQUIRE(condition, message)                      \
    do {                                                      \
        if (!(condition)) ::fuzzsupport::Fail(message);       \
    } while (false)
