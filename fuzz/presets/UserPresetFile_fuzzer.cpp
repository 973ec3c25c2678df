// The user preset file operations over any KVX4.ini. What they should find is worked out beside
// them from the profile functions and the rules of UserPresetFile.h: the rooms are the records
// that read as "Room n" for the room keys the file holds up to the count; the list holds their
// names in room order; a load by name gives the lowest room of exactly that name, with the name
// NUL-terminated inside its 264 bytes; a failed load leaves the buffer alone; an overwrite changes
// only the first room of that name ignoring case; a save appends after both the count and the
// highest room key, stores the new room's number as the count and says so in one message box, and
// no other room changes. Counts of billions cost nothing, since only stored rooms are walked.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/support/Choice.h"
#include "fuzz/support/Scratch.h"
#include "platform/desktop/Desktop.h"
#include "platform/kernel/AsciiCase.h"
#include "platform/kernel/PrivateProfile.h"
#include "platform/module/Module.h"
#include "platform/time/Clock.h"
#include "platform/window/WindowStyles.h"
#include "platform/window/WindowSystem.h"
#include "presets/RoomKeys.h"
#include "presets/UserPreset.h"
#include "presets/UserPresetFile.h"
#include "tests/support/MessageBoxAnswerer.h"
#include "tests/support/RecordingListBox.h"

namespace {

using fuzzsupport::Printable;

constexpr char kFile[] = "KVX4.ini";
constexpr char kListSuffix[] = "   (USER DEFINED PATCH)  ";

std::string Bytes(const tagUserPreset& preset) { return std::string(reinterpret_cast<const char*>(&preset), sizeof preset); }

std::optional<tagUserPreset> ReadRoom(int room) {
    tagUserPreset record;
    const std::string key = "Room " + std::to_string(room);
    if (!win::GetPrivateProfileStructA(kRoomSection, key.c_str(), &record, sizeof record, kFile)) return std::nullopt;
    return record;
}

int StoredCount() {
    std::int32_t count = 0;
    return win::GetPrivateProfileStructA(kRoomCountSection, kRoomCountKey, &count, sizeof count, kFile) ? count : 0;
}

// Every n whose key the lookup of "Room n" finds, in ascending order, from the key list itself.
std::vector<int> RoomNumbers() {
    std::vector<char> list(1 << 16);
    const win::DWORD length = win::GetPrivateProfileStringA(kRoomSection, nullptr, "", list.data(),
                                                            static_cast<win::DWORD>(list.size()), kFile);
    std::vector<int> numbers;
    for (std::size_t start = 0; start < length;) {
        const std::string key(&list[start]);
        start += key.size() + 1;
        if (key.size() < 6 || key.size() > 15 || !win::EqualsIgnoringCase(key.substr(0, 5), "Room ")) continue;
        const long long n = std::atoll(key.c_str() + 5);
        if (n >= 1 && n <= INT_MAX && win::EqualsIgnoringCase(key, "Room " + std::to_string(n)))
            numbers.push_back(static_cast<int>(n));
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

int HighestRoom() {
    const std::vector<int> numbers = RoomNumbers();
    return numbers.empty() ? 0 : numbers.back();
}

// The rooms a walk reads, by number.
struct Rooms {
    int count = 0;
    std::vector<std::pair<int, tagUserPreset>> readable;
};

Rooms ReadRooms() {
    Rooms rooms;
    rooms.count = StoredCount();
    for (int room : RoomNumbers()) {
        if (room > rooms.count) break;
        if (auto record = ReadRoom(room)) rooms.readable.emplace_back(room, *record);
    }
    return rooms;
}

std::vector<std::string> ListLines(const CUserPresetFile& store, int mode) {
    testsupport::RecordingListBox list;
    list.Create(nullptr, "list", win::WS_POPUP, {0, 0, 200, 100}, nullptr, 0);
    store.FillRoomList(&list, kFile, mode);
    return list.lines;
}

tagUserPreset Terminated(tagUserPreset record) {
    TerminatePresetName(record);
    return record;
}

// A load that fails must leave every byte of the buffer as it was.
void CheckLoad(int result, const tagUserPreset& buffer, const tagUserPreset& before, const std::optional<tagUserPreset>& expected,
               const std::string& what) {
    if (!expected) {
        FUZZ_REQUIRE(result == 0, what + " succeeded where nothing reads");
        FUZZ_REQUIRE(Bytes(buffer) == Bytes(before), what + " failed but changed the buffer");
        return;
    }
    FUZZ_REQUIRE(result == 1, what + " failed where a room reads");
    FUZZ_REQUIRE(std::memchr(buffer.name, '\0', kPresetNameSize) != nullptr, what + " gave a name without a NUL");
    FUZZ_REQUIRE(Bytes(buffer) == Bytes(Terminated(*expected)), what + " gave other bytes than the room holds");
}

tagUserPreset Filled(std::uint8_t byte) {
    tagUserPreset preset;
    std::memset(&preset, byte, sizeof preset);
    return preset;
}

void CheckLoadRoom(const CUserPresetFile& store, int room) {
    tagUserPreset buffer = Filled(0xCD);
    const int result = store.LoadRoom(room, kFile, &buffer);
    std::optional<tagUserPreset> expected = StoredCount() == 0 ? std::nullopt : ReadRoom(room);
    CheckLoad(result, buffer, Filled(0xCD), expected, "LoadRoom(" + std::to_string(room) + ")");
}

std::optional<tagUserPreset> FirstNamed(const Rooms& rooms, std::string_view name) {
    for (const auto& [room, record] : rooms.readable)
        if (PresetName(record) == name) return record;
    return std::nullopt;
}

void CheckLoadByName(const CUserPresetFile& store, const Rooms& rooms, const std::string& name) {
    tagUserPreset buffer = Filled(0xEF);
    const int result = store.LoadRoomByName(kFile, &buffer, name.c_str());
    // A C-string argument ends at the first NUL, and so does the name looked for.
    CheckLoad(result, buffer, Filled(0xEF), FirstNamed(rooms, name.c_str()), "LoadRoomByName(" + Printable(name) + ")");
}

void CheckList(const CUserPresetFile& store, const Rooms& rooms) {
    std::vector<std::string> expected;
    for (const auto& [room, record] : rooms.readable) expected.emplace_back(PresetName(record));
    const std::vector<std::string> bare = ListLines(store, 0);
    FUZZ_REQUIRE(bare == expected, "FillRoomList does not list the readable rooms in order");
    const std::vector<std::string> marked = ListLines(store, 1);
    FUZZ_REQUIRE(marked.size() == bare.size(), "FillRoomList mode 1 lists other rooms");
    for (std::size_t i = 0; i < bare.size(); ++i)
        FUZZ_REQUIRE(marked[i] == bare[i] + kListSuffix, "FillRoomList mode 1 line " + Printable(marked[i]));
}

// Every stored room as it reads, whatever the count says.
using StoredRooms = std::vector<std::pair<int, std::optional<tagUserPreset>>>;
StoredRooms ReadStoredRooms() {
    StoredRooms rooms;
    for (int room : RoomNumbers()) rooms.emplace_back(room, ReadRoom(room));
    return rooms;
}

void CheckOnlyRoomChanged(const StoredRooms& before, int room, const tagUserPreset& written, const std::string& what) {
    for (const auto& [number, record] : before) {
        if (number == room) continue;
        const std::optional<tagUserPreset> now = ReadRoom(number);
        FUZZ_REQUIRE(now.has_value() == record.has_value() && (!record || Bytes(*now) == Bytes(*record)),
                     what + " changed room " + std::to_string(number));
    }
    const std::optional<tagUserPreset> now = ReadRoom(room);
    FUZZ_REQUIRE(now && Bytes(*now) == Bytes(written), what + " did not leave room " + std::to_string(room) + " as written");
}

tagUserPreset FromInput(const std::uint8_t* data, std::size_t size) {
    tagUserPreset preset;
    auto* bytes = reinterpret_cast<std::uint8_t*>(&preset);
    for (std::size_t i = 0; i < sizeof preset; ++i) bytes[i] = size ? data[(i * 7) % size] : 0;
    return preset;
}

tagUserPreset NamedAndMarked(tagUserPreset preset, const char* name) {
    SetPresetName(preset, name);
    preset.userDefined = 1;
    return preset;
}

void CheckOverwrite(const CUserPresetFile& store, const Rooms& before, const std::string& name, tagUserPreset preset) {
    const std::string file = fuzzsupport::ReadFile(fuzzsupport::ScratchDirectory() + "/windows/" + kFile);
    int target = 0;
    for (const auto& [room, record] : before.readable)
        if (!target && win::EqualsIgnoringCase(PresetName(record), name.c_str())) target = room;
    const tagUserPreset untouched = preset;
    const StoredRooms roomsBefore = ReadStoredRooms();
    const int result = store.OverwriteRoomByName(kFile, &preset, name.c_str());
    const std::string what = "OverwriteRoomByName(" + Printable(name) + ")";
    if (!target) {
        FUZZ_REQUIRE(result == 0, what + " succeeded without a room of that name");
        FUZZ_REQUIRE(Bytes(preset) == Bytes(untouched), what + " changed the preset without a room of that name");
        FUZZ_REQUIRE(fuzzsupport::ReadFile(fuzzsupport::ScratchDirectory() + "/windows/" + kFile) == file,
                     what + " changed the file without a room of that name");
        return;
    }
    FUZZ_REQUIRE(result == 1, what + " failed to rewrite room " + std::to_string(target));
    const tagUserPreset expected = NamedAndMarked(untouched, name.c_str());
    FUZZ_REQUIRE(Bytes(preset) == Bytes(expected), what + " did not name and mark the preset");
    FUZZ_REQUIRE(StoredCount() == before.count, what + " changed the count");
    CheckOnlyRoomChanged(roomsBefore, target, expected, what);
}

void CheckSave(const CUserPresetFile& store, const std::string& name, bool nullName, tagUserPreset preset) {
    const int last = std::max({StoredCount(), HighestRoom(), 0});
    const StoredRooms roomsBefore = ReadStoredRooms();
    std::vector<testsupport::ShownBox> boxes;
    int result;
    {
        testsupport::MessageBoxAnswerer answerer(boxes);
        result = store.SaveNewRoom(kFile, &preset, nullName ? nullptr : name.c_str());
    }
    const std::string what = "SaveNewRoom(" + (nullName ? std::string("null") : Printable(name)) + ")";
    FUZZ_REQUIRE(boxes.size() == 1, what + " showed " + std::to_string(boxes.size()) + " message boxes");
    if (last == INT_MAX) {
        FUZZ_REQUIRE(result == 0 && !boxes[0].informationIcon, what + " appended past room 2147483647");
        return;
    }
    FUZZ_REQUIRE(result == 1 && boxes[0].informationIcon, what + " failed on a writable file");
    FUZZ_REQUIRE(preset.userDefined == 1, what + " did not mark the preset user-defined");
    FUZZ_REQUIRE(StoredCount() == last + 1, what + " stored count " + std::to_string(StoredCount()) + ", not " +
                                                std::to_string(last + 1));
    tagUserPreset loaded = Filled(0);
    FUZZ_REQUIRE(store.LoadRoom(last + 1, kFile, &loaded) == 1 && Bytes(loaded) == Bytes(preset),
                 what + " did not store the preset as room " + std::to_string(last + 1));
    CheckOnlyRoomChanged(roomsBefore, last + 1, preset, what);
    CheckLoadByName(store, ReadRooms(), std::string(PresetName(preset)));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("KVX4_WINDOWS_DIR", fuzzsupport::MakeScratchSubdirectory("windows").c_str(), 1);
    // As the preset tests have it: a virtual clock, a headless desktop and the component's module
    // current, which names the message boxes. They live as long as the process.
    static win::VirtualClock clock;
    win::SetClock(&clock);
    win::WindowSystem::Instance().ResetForTesting();
    win::Desktop::Instance().SetBackend(nullptr);
    win::Desktop::Instance().SetSize({1024, 768});
    static int anchor;
    static win::Module module("KVX4", &anchor);
    static win::ModuleStateScope scope(module);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::ReplaceFile(fuzzsupport::ScratchDirectory() + "/windows/" + kFile,
                             std::string_view(reinterpret_cast<const char*>(data), size));
    fuzzsupport::Chooser choose(data, size);
    const CUserPresetFile store;
    FUZZ_REQUIRE(store.GetNumRooms(kFile) == StoredCount(), "GetNumRooms differs from the stored count");

    const int highest = HighestRoom();
    for (int room : {1, 2, highest, highest == INT_MAX ? INT_MIN : highest + 1, static_cast<int>(choose.Below(8)) - 1})
        CheckLoadRoom(store, room);

    const Rooms rooms = ReadRooms();
    // The input's own bytes make names nobody would list: long ones, ones cut inside a character.
    const std::string fromInput(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 1 + choose.Below(300)));
    std::vector<std::string> names = {fromInput, "Warm Pad", ""};
    CheckList(store, rooms);
    for (const auto& [room, record] : rooms.readable) names.emplace_back(PresetName(record));
    for (std::size_t i = 0; i < names.size() && i < 8; ++i) CheckLoadByName(store, rooms, names[i]);
    const std::string& name = names[choose.Below(names.size())];
    CheckOverwrite(store, rooms, choose.Respelled(name), FromInput(data, size));
    const std::size_t pick = choose.Below(names.size() + 1);
    CheckSave(store, pick < names.size() ? names[pick] : std::string(), pick == names.size(), FromInput(data + size / 2, size - size / 2));
    win::PumpMessages();
    return 0;
}
