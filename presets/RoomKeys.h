#pragma once
// Where presets live in KVX4.ini: the section and key names of the room count and of each room.
// In the file's own vocabulary a preset is a room.
#include <string>

constexpr char kRoomCountSection[] = "Total Number of Rooms";
constexpr char kRoomCountKey[] = "NumRooms";
constexpr char kRoomSection[] = "Reverb Room Settings";

// "Room %d" with the room number: "Room 1" for the first room.
std::string RoomKey(int room);

// The highest n for which the room section of `file` has a key that reads as "Room n"; 0 when there
// is none. Rooms above it cannot be read, so a damaged count need not be walked to its end.
int HighestRoomKey(const char* file);
