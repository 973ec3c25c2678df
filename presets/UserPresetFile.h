#pragma once
// The user preset file: the operations on KVX4.ini that the panel, the preset chooser and the save
// and load dialogs run. It holds no state; each operation takes the file name, rereads what it
// needs (other instances of the component share the file) and caches nothing. A name without a
// directory lies in the platform's Windows directory.
//
// Results are 1 for success and 0 for failure. Only SaveNewRoom reports to the user, in message
// boxes; the others leave that to their callers. A failed read never changes the caller's buffer.
#include "presets/UserPreset.h"

namespace win {
class Window;
}

class CUserPresetFile {
public:
    // The stored room count, or 0 when it cannot be read. A damaged file may hold any value,
    // negative ones included.
    int GetNumRooms(const char* file) const;

    // Names the preset (see SetPresetName: longer names are cut to 263 bytes), marks it user-defined
    // and appends it as room count+1, then stores the new count. The preset keeps its new name even
    // when a write fails.
    int SaveNewRoom(const char* file, tagUserPreset* preset, const char* name) const;

    // The lowest-numbered readable room whose name equals `name` exactly, copied into `buffer`.
    int LoadRoomByName(const char* file, tagUserPreset* buffer, const char* name) const;

    // Adds one line per readable room, in room order, with LB_ADDSTRING: mode 1 appends
    // "   (USER DEFINED PATCH)  " to the name, other modes give the bare name. Adds nothing else.
    // Each line's item data is its room number: an unreadable room leaves no line, so a line's
    // position need not be its room number less one.
    void FillRoomList(win::Window* listBox, const char* file, int mode) const;

    // Rewrites the lowest-numbered readable room whose name equals `name` ignoring ASCII case with
    // `preset`, renamed to `name` as passed and marked user-defined. The count stays as it is.
    int OverwriteRoomByName(const char* file, tagUserPreset* preset, const char* name) const;

    // Room `room` (from 1) into `buffer`, whether or not it lies within the count, as long as the
    // count is not 0.
    int LoadRoom(int room, const char* file, tagUserPreset* buffer) const;
};
