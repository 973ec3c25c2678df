#pragma once
// Where presets live in KVX4.ini: the section and key names of the room count and of each room,
// and the rooms a reading of the file holds. In the file's own vocabulary a preset is a room.
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/ProfileSnapshot.h"

constexpr char kRoomCountSection[] = "Total Number of Rooms";
constexpr char kRoomCountKey[] = "NumRooms";
// The user presets' file, in the folder that stands for the Windows directory.
constexpr char kPresetFileName[] = "KVX4.ini";
constexpr char kRoomSection[] = "Reverb Room Settings";

// "Room %d" with the room number: "Room 1" for the first room.
std::string RoomKey(int room);

struct StoredRoom {
    int number;
    std::string_view text;  // the stored value, pointing into the snapshot it came from
};

// Every room the file holds, in ascending order of number: each key of the room section that the
// lookup of RoomKey(n) would find ("room 5" is room 5, "Room 05" is no room), with the entry that
// lookup would read. Walking these instead of 1..count keeps a damaged count of two billion from
// costing two billion lookups, and gives the same results, since no other room can be read.
std::vector<StoredRoom> StoredRooms(const win::ProfileSnapshot& file);
