#include "presets/UserPresetFile.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/kernel/AsciiCase.h"
#include "platform/kernel/PrivateProfile.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Window.h"
#include "presets/ListBoxMessages.h"
#include "presets/RoomKeys.h"

namespace {

constexpr char kListSuffix[] = "   (USER DEFINED PATCH)  ";

std::string_view TextOf(const char* text) { return text ? std::string_view(text) : std::string_view(); }

bool ReadRoom(const char* file, int room, tagUserPreset& record) {
    return win::GetPrivateProfileStructA(kRoomSection, RoomKey(room).c_str(), &record, sizeof record, file) != 0;
}

bool WriteRoom(const char* file, int room, const tagUserPreset& record) {
    return win::WritePrivateProfileStructA(kRoomSection, RoomKey(room).c_str(), &record, sizeof record, file) != 0;
}

// The last room worth reading: a damaged count may claim billions of rooms, but none lies past the
// highest key, and walking to the count would freeze the host.
int LastRoomToRead(const char* file, int count) { return count < 1 ? 0 : std::min(count, HighestRoomKey(file)); }

// The name text comes from the user and may be longer than the field: the copy is bounded.
void NameAndMark(tagUserPreset& preset, const char* name) {
    SetPresetName(preset, name);
    preset.userDefined = 1;
}

}  // namespace

int CUserPresetFile::GetNumRooms(const char* file) const {
    std::int32_t count = 0;
    if (!win::GetPrivateProfileStructA(kRoomCountSection, kRoomCountKey, &count, sizeof count, file)) return 0;
    return count;
}

int CUserPresetFile::SaveNewRoom(const char* file, tagUserPreset* preset, const char* name) const {
    if (!preset) return 0;
    int count = GetNumRooms(file);
    NameAndMark(*preset, name);
    // Without a usable count, appending at room 1 would overwrite rooms the file still holds; going
    // past the highest one keeps them, and a fresh file still starts at room 1.
    if (count < 1) count = HighestRoomKey(file);
    if (count == INT_MAX || !WriteRoom(file, count + 1, *preset)) {
        win::AfxMessageBox("Cannot write to User Settings file", win::MB_OK);
        return 0;
    }
    // The stored name, which is what the user will find in the lists.
    const std::string savedText = std::string(PresetName(*preset)) + " has been Saved";
    const std::int32_t newCount = count + 1;
    if (!win::WritePrivateProfileStructA(kRoomCountSection, kRoomCountKey, &newCount, sizeof newCount, file)) {
        win::AfxMessageBox("Cannot write number of Rooms to User Settings file", win::MB_OK);
        return 0;
    }
    win::AfxMessageBox(savedText.c_str(), win::MB_OK | win::MB_ICONINFORMATION);
    return 1;
}

int CUserPresetFile::LoadRoomByName(const char* file, tagUserPreset* buffer, const char* name) const {
    if (!buffer) return 0;
    const std::string_view wanted = TextOf(name);
    const int last = LastRoomToRead(file, GetNumRooms(file));
    for (int room = 1; room <= last; ++room) {
        tagUserPreset scratch;
        if (!ReadRoom(file, room, scratch) || PresetName(scratch) != wanted) continue;
        // Callers treat `name` as a C string; a foreign record need not hold a NUL.
        TerminatePresetName(scratch);
        *buffer = scratch;
        return 1;
    }
    return 0;
}

void CUserPresetFile::FillRoomList(win::Window* listBox, const char* file, int mode) const {
    if (!listBox) return;
    const int last = LastRoomToRead(file, GetNumRooms(file));
    for (int room = 1; room <= last; ++room) {
        tagUserPreset scratch;
        if (!ReadRoom(file, room, scratch)) continue;
        std::string line(PresetName(scratch));
        if (mode == 1) line += kListSuffix;
        listBox->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<win::LPARAM>(line.c_str()));
    }
}

int CUserPresetFile::OverwriteRoomByName(const char* file, tagUserPreset* preset, const char* name) const {
    if (!preset) return 0;
    const std::string_view wanted = TextOf(name);
    const int last = LastRoomToRead(file, GetNumRooms(file));
    for (int room = 1; room <= last; ++room) {
        tagUserPreset scratch;
        if (!ReadRoom(file, room, scratch) || !win::EqualsIgnoringCase(PresetName(scratch), wanted)) continue;
        NameAndMark(*preset, name);
        return WriteRoom(file, room, *preset) ? 1 : 0;
    }
    return 0;
}

int CUserPresetFile::LoadRoom(int room, const char* file, tagUserPreset* buffer) const {
    if (!buffer || GetNumRooms(file) == 0) return 0;
    tagUserPreset scratch;
    if (!ReadRoom(file, room, scratch)) return 0;
    TerminatePresetName(scratch);
    *buffer = scratch;
    return 1;
}
