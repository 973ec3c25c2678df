#include "presets/RoomKeys.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/kernel/AsciiCase.h"

namespace {

// The room number a key stands for, or 0. Only a key that the lookup of RoomKey(n) would find
// counts, so "Room 05" or "Room  5" is no room at all, while "room 5" is room 5.
int RoomNumberOf(std::string_view key) {
    constexpr std::string_view prefix = "Room ";
    if (key.size() <= prefix.size() || !win::EqualsIgnoringCase(key.substr(0, prefix.size()), prefix)) return 0;
    long long number = 0;
    for (char c : key.substr(prefix.size())) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
        if (number > INT_MAX) return 0;
    }
    if (number < 1 || !win::EqualsIgnoringCase(key, RoomKey(static_cast<int>(number)))) return 0;
    return static_cast<int>(number);
}

}  // namespace

std::string RoomKey(int room) {
    char key[32];
    std::snprintf(key, sizeof key, "Room %d", room);
    return key;
}

std::vector<StoredRoom> StoredRooms(const win::ProfileSnapshot& file) {
    std::vector<StoredRoom> rooms;
    for (const auto& entry : file.Entries(kRoomSection)) {
        // Entries lists each key once, so two spellings of one room cannot both be here.
        if (const int number = RoomNumberOf(entry.key)) rooms.push_back(StoredRoom{number, entry.value});
    }
    std::sort(rooms.begin(), rooms.end(), [](const StoredRoom& a, const StoredRoom& b) { return a.number < b.number; });
    return rooms;
}
