#include "presets/RoomKeys.h"

#include <climits>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/kernel/AsciiCase.h"
#include "platform/kernel/PrivateProfile.h"

namespace {

// All key names of the room section, NUL-separated, read into a buffer that grows until the list
// fits (the profile functions cut a list that does not).
std::vector<char> RoomKeyList(const char* file) {
    std::vector<char> buffer(4096);
    while (true) {
        const win::DWORD length = win::GetPrivateProfileStringA(kRoomSection, nullptr, "", buffer.data(),
                                                                static_cast<win::DWORD>(buffer.size()), file);
        if (length + 2 < buffer.size() || buffer.size() >= (1u << 30)) {
            buffer.resize(length + 1);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

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

int HighestRoomKey(const char* file) {
    const std::vector<char> list = RoomKeyList(file);
    int highest = 0;
    for (std::size_t start = 0; start < list.size() && list[start] != '\0';) {
        const std::string_view key(&list[start]);
        const int room = RoomNumberOf(key);
        if (room > highest) highest = room;
        start += key.size() + 1;
    }
    return highest;
}
