#pragma once
// Fault injection for the file layer. This test binary defines open, read, write, fsync, rename and
// flock itself; a program's own definitions come first in symbol lookup, so the platform library's
// calls land here (as they would in an LD_PRELOAD shim) and go on to the C library unless a fault is
// armed. Only calls on paths under the armed directory, and on descriptors opened there, count.
#include <string>

namespace faults {

enum class Call { Open, Read, Write, Fsync, Rename, Lock };
const char* CallName(Call call);

// Makes the nth counted call of that kind (from 1) fail with errnoValue. Replaces an earlier fault.
void Arm(const std::string& directory, Call call, unsigned nth, int errnoValue);
void Disarm();
// Whether the armed fault has struck since it was armed.
bool Struck();

}  // namespace faults
