#include "presets/UserPresetFile.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/kernel/AsciiCase.h"
#include "platform/kernel/PrivateProfile.h"
#include "platform/kernel/ProfileSnapshot.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Window.h"
#include "platform/window/controls/ListBoxMessages.h"
#include "presets/RoomKeys.h"

namespace {

constexpr char kListSuffix[] = "   (USER DEFINED PATCH)  ";

std::string_view TextOf(const char* text) { return text ? std::string_view(text) : std::string_view(); }

// One reading of the file, for an operation that looks at the count and at many rooms: one parse,
// however many rooms the file holds.
class RoomFile {
public:
    explicit RoomFile(const char* file) : snapshot_(win::ProfileSnapshot::Read(file)), rooms_(StoredRooms(snapshot_)) {}

    // The stored count; 0 when it cannot be read.
    int Count() const {
        std::int32_t count = 0;
        return snapshot_.GetStruct(kRoomCountSection, kRoomCountKey, &count, sizeof count) == win::ERROR_SUCCESS ? count : 0;
    }

    int HighestRoom() const { return rooms_.empty() ? 0 : rooms_.back().number; }
    // The file is there but could not be read: its count and rooms are unknown, not absent.
    bool Unreadable() const { return snapshot_.Error() != win::ERROR_SUCCESS && snapshot_.Exists(); }

    // Rooms 1 to the count in ascending order, as far as the file holds them; a room that cannot be
    // read is passed over. `visit` returns true to stop.
    template <typename Visit>
    bool FindRoom(Visit visit) const {
        const int count = Count();
        for (const StoredRoom& room : rooms_) {
            if (room.number > count) break;
            tagUserPreset record;
            if (win::DecodeProfileStruct(room.text, &record, sizeof record) != win::ERROR_SUCCESS) continue;
            if (visit(room.number, record)) return true;
        }
        return false;
    }

    bool ReadRoom(int room, tagUserPreset& record) const {
        return snapshot_.GetStruct(kRoomSection, RoomKey(room), &record, sizeof record) == win::ERROR_SUCCESS;
    }

private:
    win::ProfileSnapshot snapshot_;
    std::vector<StoredRoom> rooms_;
};

bool WriteRoom(const char* file, int room, const tagUserPreset& record) {
    return win::WritePrivateProfileStructA(kRoomSection, RoomKey(room).c_str(), &record, sizeof record, file) != 0;
}

// The name text comes from the user and may be longer than the field: the copy is bounded.
void NameAndMark(tagUserPreset& preset, const char* name) {
    SetPresetName(preset, name);
    preset.userDefined = 1;
}

// Callers treat `name` as a C string; a foreign record need not hold a NUL.
void HandOver(tagUserPreset record, tagUserPreset& buffer) {
    TerminatePresetName(record);
    buffer = record;
}

enum class SaveOutcome { Saved, RoomNotWritten, CountNotWritten };

}  // namespace

int CUserPresetFile::GetNumRooms(const char* file) const {
    std::int32_t count = 0;
    if (!win::GetPrivateProfileStructA(kRoomCountSection, kRoomCountKey, &count, sizeof count, file)) return 0;
    return count;
}

int CUserPresetFile::SaveNewRoom(const char* file, tagUserPreset* preset, const char* name) const {
    if (!preset) return 0;
    NameAndMark(*preset, name);
    SaveOutcome outcome = SaveOutcome::Saved;
    {
        // Count, room and new count are one step for every other writer of the file, or two
        // instances saving at once would both take the same room number. The lock is gone before a
        // message box waits for the user.
        win::PrivateProfileLock lock(file);
        const RoomFile rooms(file);
        // After every room the file holds as well as after the count: a room above the count (left
        // by a save whose count was not written) is a preset too. A missing or damaged count does
        // not send the new room back to 1 either.
        const int last = std::max({rooms.Count(), rooms.HighestRoom(), 0});
        const std::int32_t newCount = last == INT_MAX ? 0 : last + 1;
        // Numbering without knowing the rooms, or while another writer may be numbering too, could
        // overwrite a room.
        if (lock.Error() != win::ERROR_SUCCESS || rooms.Unreadable() || newCount == 0 ||
            !WriteRoom(file, newCount, *preset))
            outcome = SaveOutcome::RoomNotWritten;
        else if (!win::WritePrivateProfileStructA(kRoomCountSection, kRoomCountKey, &newCount, sizeof newCount, file))
            outcome = SaveOutcome::CountNotWritten;
    }
    switch (outcome) {
        case SaveOutcome::RoomNotWritten:
            win::AfxMessageBox("Cannot write to User Settings file", win::MB_OK);
            return 0;
        case SaveOutcome::CountNotWritten:
            win::AfxMessageBox("Cannot write number of Rooms to User Settings file", win::MB_OK);
            return 0;
        case SaveOutcome::Saved: break;
    }
    // The stored name, which is what the user will find in the lists.
    const std::string savedText = std::string(PresetName(*preset)) + " has been Saved";
    win::AfxMessageBox(savedText.c_str(), win::MB_OK | win::MB_ICONINFORMATION);
    return 1;
}

int CUserPresetFile::LoadRoomByName(const char* file, tagUserPreset* buffer, const char* name) const {
    if (!buffer) return 0;
    const std::string_view wanted = TextOf(name);
    return RoomFile(file).FindRoom([&](int, const tagUserPreset& record) {
        if (PresetName(record) != wanted) return false;
        HandOver(record, *buffer);
        return true;
    }) ? 1 : 0;
}

void CUserPresetFile::FillRoomList(win::Window* listBox, const char* file, int mode) const {
    if (!listBox) return;
    RoomFile(file).FindRoom([&](int room, const tagUserPreset& record) {
        std::string line(PresetName(record));
        if (mode == 1) line += kListSuffix;
        const win::LRESULT at = listBox->SendMessage(win::LB_ADDSTRING, 0, reinterpret_cast<win::LPARAM>(line.c_str()));
        if (at >= 0) listBox->SendMessage(win::LB_SETITEMDATA, static_cast<win::WPARAM>(at), room);
        return false;
    });
}

int CUserPresetFile::OverwriteRoomByName(const char* file, tagUserPreset* preset, const char* name) const {
    if (!preset) return 0;
    const std::string_view wanted = TextOf(name);
    // The room found must still be that room when it is written.
    win::PrivateProfileLock lock(file);
    if (lock.Error() != win::ERROR_SUCCESS) return 0;
    int written = 0;
    RoomFile(file).FindRoom([&](int room, const tagUserPreset& record) {
        if (!win::EqualsIgnoringCase(PresetName(record), wanted)) return false;
        NameAndMark(*preset, name);
        written = WriteRoom(file, room, *preset) ? 1 : 0;
        return true;
    });
    return written;
}

int CUserPresetFile::LoadRoom(int room, const char* file, tagUserPreset* buffer) const {
    if (!buffer) return 0;
    const RoomFile rooms(file);
    tagUserPreset record;
    if (rooms.Count() == 0 || !rooms.ReadRoom(room, record)) return 0;
    HandOver(record, *buffer);
    return 1;
}
