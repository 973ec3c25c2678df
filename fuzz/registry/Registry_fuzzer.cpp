// The registry store over any file contents. The input becomes HKEY_CURRENT_USER.reg; the tree is
// walked through the Reg* functions (key information, subkeys in case-insensitive order, values,
// lookups by name, the answers to buffers that are too small), one value is set, and the tree is
// walked twice more: from the store in memory, and after a forced re-read of the file it wrote.
// Both must equal the first walk with that one value changed, so every key and value the file
// held survives being written back. The walk is bounded so that one input cannot run for long.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/support/Choice.h"
#include "fuzz/support/Scratch.h"
#include "platform/kernel/AsciiCase.h"
#include "platform/registry/Registry.h"

namespace {

using fuzzsupport::Printable;
using namespace win;

constexpr int kDepth = 8;
constexpr std::size_t kKeys = 200;
constexpr std::size_t kSubkeysPerKey = 64;
constexpr std::size_t kValuesPerKey = 128;

struct Value {
    std::string name;
    DWORD type = 0;
    std::string data;
    bool operator==(const Value&) const = default;
};

struct Key {
    std::string path;  // below HKEY_CURRENT_USER, "\"-separated; empty for the root
    std::vector<std::string> subkeys;
    std::vector<Value> values;  // the first kValuesPerKey
    bool operator==(const Key&) const = default;
};

std::string Status(LSTATUS status) { return "status " + std::to_string(status); }

// A name the Reg* functions can take back: a C string without control characters.
bool Openable(const std::string& name) {
    return std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

bool IsCString(const std::string& name) { return name.find('\0') == std::string::npos; }

std::string Join(const std::string& path, const std::string& name) { return path.empty() ? name : path + "\\" + name; }

class Walk {
public:
    std::vector<Key> keys;

    void Visit(HKEY key, const std::string& path, int depth) {
        DWORD subkeyCount = 0, longestSubkey = 0, valueCount = 0, longestName = 0, largestData = 0;
        LSTATUS status = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeyCount, &longestSubkey, nullptr,
                                          &valueCount, &longestName, &largestData, nullptr, nullptr);
        FUZZ_REQUIRE(status == ERROR_SUCCESS, "RegQueryInfoKeyA on " + Printable(path) + ": " + Status(status));
        Key record;
        record.path = path;
        for (DWORD i = 0; i < valueCount && i < kValuesPerKey; ++i)
            record.values.push_back(ValueAt(key, i, longestName, largestData));
        if (valueCount <= kValuesPerKey) ExpectEnd(RegEnumValueNoMore(key, valueCount), "values of " + Printable(path));
        for (DWORD i = 0; i < subkeyCount && i < kSubkeysPerKey; ++i) {
            record.subkeys.push_back(SubkeyAt(key, i, longestSubkey));
            if (i > 0)
                FUZZ_REQUIRE(!LessIgnoringCase(record.subkeys[i], record.subkeys[i - 1]),
                        "subkeys of " + Printable(path) + " out of order");
        }
        if (subkeyCount <= kSubkeysPerKey) ExpectEnd(RegEnumKeyNoMore(key, subkeyCount), "subkeys of " + Printable(path));
        keys.push_back(record);
        if (depth == kDepth) return;
        for (const std::string& name : record.subkeys) {
            if (keys.size() >= kKeys) return;
            if (!IsCString(name) || !Openable(name)) continue;
            HKEY child = nullptr;
            status = RegOpenKeyExA(key, name.c_str(), 0, KEY_READ, &child);
            FUZZ_REQUIRE(status == ERROR_SUCCESS, "cannot open enumerated subkey " + Printable(Join(path, name)) + ": " + Status(status));
            Visit(child, Join(path, name), depth + 1);
            RegCloseKey(child);
        }
    }

private:
    static void ExpectEnd(LSTATUS status, const std::string& what) {
        FUZZ_REQUIRE(status == ERROR_NO_MORE_ITEMS, "enumeration past the count of " + what + ": " + Status(status));
    }
    static LSTATUS RegEnumValueNoMore(HKEY key, DWORD index) {
        char name[8];
        DWORD nameLength = sizeof name;
        return RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
    }
    static LSTATUS RegEnumKeyNoMore(HKEY key, DWORD index) {
        char name[8];
        DWORD nameLength = sizeof name;
        return RegEnumKeyExA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
    }

    static Value ValueAt(HKEY key, DWORD index, DWORD longestName, DWORD largestData) {
        std::vector<char> name(longestName + 1);
        std::vector<BYTE> data(largestData + 1);
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LSTATUS status = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength);
        FUZZ_REQUIRE(status == ERROR_SUCCESS, "RegEnumValueA with the sizes RegQueryInfoKeyA gave: " + Status(status));
        FUZZ_REQUIRE(nameLength <= longestName && dataLength <= largestData, "a value larger than RegQueryInfoKeyA said");
        Value value{std::string(name.data(), nameLength), type, std::string(data.begin(), data.begin() + dataLength)};

        // Too small for the name: ERROR_MORE_DATA and both buffers as they were.
        std::vector<char> shortName(nameLength + 1, 'x');  // one guard byte past what the call is told
        std::vector<BYTE> untouched(dataLength + 1, 0xA5);
        DWORD shortLength = nameLength;
        DWORD untouchedLength = static_cast<DWORD>(untouched.size());
        status = RegEnumValueA(key, index, shortName.data(), &shortLength, nullptr, nullptr, untouched.data(), &untouchedLength);
        FUZZ_REQUIRE(status == ERROR_MORE_DATA && std::all_of(shortName.begin(), shortName.end(), [](char c) { return c == 'x'; }) &&
                    std::all_of(untouched.begin(), untouched.end(), [](BYTE b) { return b == 0xA5; }),
                "RegEnumValueA with a name buffer one too small");

        if (IsCString(value.name)) CheckQuery(key, value);
        return value;
    }

    // A lookup by name finds the enumerated value; a buffer one byte short gets the needed size.
    static void CheckQuery(HKEY key, const Value& value) {
        std::vector<BYTE> data(value.data.size() + 1);
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LSTATUS status = RegQueryValueExA(key, value.name.c_str(), nullptr, &type, data.data(), &size);
        FUZZ_REQUIRE(status == ERROR_SUCCESS && type == value.type && std::string(data.begin(), data.begin() + size) == value.data,
                "RegQueryValueExA disagrees with RegEnumValueA on " + Printable(value.name));
        if (value.data.empty()) return;
        std::vector<BYTE> small(value.data.size() - 1 + 1, 0xA5);  // room for one byte less, plus a guard
        size = static_cast<DWORD>(value.data.size() - 1);
        status = RegQueryValueExA(key, value.name.c_str(), nullptr, nullptr, small.data(), &size);
        FUZZ_REQUIRE(status == ERROR_MORE_DATA && size == value.data.size() &&
                    std::all_of(small.begin(), small.end(), [](BYTE b) { return b == 0xA5; }),
                "RegQueryValueExA with a buffer one byte short");
    }

    static std::string SubkeyAt(HKEY key, DWORD index, DWORD longestSubkey) {
        std::vector<char> name(longestSubkey + 1);
        DWORD nameLength = static_cast<DWORD>(name.size());
        LSTATUS status = RegEnumKeyExA(key, index, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
        FUZZ_REQUIRE(status == ERROR_SUCCESS, "RegEnumKeyExA with the size RegQueryInfoKeyA gave: " + Status(status));
        FUZZ_REQUIRE(nameLength >= 1 && nameLength <= longestSubkey, "a subkey name longer than RegQueryInfoKeyA said");
        return std::string(name.data(), nameLength);
    }
};

std::vector<Key> WalkTree() {
    Walk walk;
    walk.Visit(HKEY_CURRENT_USER, "", 0);
    return walk.keys;
}

struct SetValue {
    std::string path;
    std::string name;
    DWORD type = REG_NONE;
    std::string data;
};

SetValue ChooseSet(const std::vector<Key>& tree, const std::uint8_t* bytes, std::size_t size) {
    fuzzsupport::Chooser choose(bytes, size);
    std::vector<const Key*> reachable;  // keys whose whole path can be opened again
    for (const Key& key : tree)
        if (IsCString(key.path)) reachable.push_back(&key);
    const Key& key = *reachable[choose.Below(reachable.size())];
    SetValue set;
    set.path = key.path;
    const std::string input(reinterpret_cast<const char*>(bytes), std::min<std::size_t>(size, 24));
    std::vector<std::string> names;
    for (const Value& value : key.values)
        if (IsCString(value.name)) names.push_back(value.name);
    switch (choose.Below(4)) {
        case 0: set.name = input.substr(0, std::min(input.find('\0'), std::size_t{8})); break;
        case 1: set.name = "FuzzValue"; break;
        default:
            if (!names.empty()) set.name = choose.Respelled(names[choose.Below(names.size())]);
    }
    // Data taken from the input carries quotes, backslashes and control bytes through the escapes.
    const DWORD types[] = {REG_SZ, REG_DWORD, REG_BINARY, REG_MULTI_SZ, REG_NONE, REG_QWORD, 0x7FFFFFFF, 0xFFFFFFFF};
    set.type = types[choose.Below(std::size(types))];
    set.data = input.substr(0, choose.Below(input.size() + 1));
    if (set.type == REG_SZ && choose.OneIn(2)) set.data.push_back('\0');
    if (set.type == REG_DWORD && choose.OneIn(2)) set.data = (input + std::string(4, '\x7f')).substr(0, 4);
    return set;
}

// The first walk with the value set; a value past the walked ones is set where it cannot be seen.
std::vector<Key> Expected(std::vector<Key> tree, const SetValue& set, bool existedBefore) {
    for (Key& key : tree) {
        if (key.path != set.path) continue;
        for (Value& value : key.values) {
            if (!EqualsIgnoringCase(value.name, set.name)) continue;
            value.type = set.type;
            value.data = set.data;  // the stored spelling of the name stays
            return tree;
        }
        if (!existedBefore && key.values.size() < kValuesPerKey) key.values.push_back(Value{set.name, set.type, set.data});
    }
    return tree;
}

void Compare(const std::vector<Key>& expected, const std::vector<Key>& got, const SetValue& set, const char* when) {
    const std::string what = std::string(when) + " setting " + Printable(set.name) + " in " + Printable(set.path) + ": ";
    FUZZ_REQUIRE(got.size() == expected.size(), what + "the walk reached " + std::to_string(got.size()) + " keys, not " +
                                               std::to_string(expected.size()));
    for (std::size_t i = 0; i < got.size(); ++i) {
        FUZZ_REQUIRE(got[i].path == expected[i].path && got[i].subkeys == expected[i].subkeys,
                what + "the keys under " + Printable(expected[i].path) + " changed");
        FUZZ_REQUIRE(got[i].values.size() == expected[i].values.size(), what + "the values of " + Printable(expected[i].path) + " changed in number");
        for (std::size_t v = 0; v < got[i].values.size(); ++v)
            FUZZ_REQUIRE(got[i].values[v] == expected[i].values[v],
                    what + "value " + Printable(expected[i].values[v].name) + " of " + Printable(expected[i].path) +
                        " reads as " + Printable(got[i].values[v].name) + " type " + std::to_string(got[i].values[v].type) +
                        " data " + Printable(got[i].values[v].data));
    }
}

std::string StorePath() { return fuzzsupport::ScratchDirectory() + "/registry/HKEY_CURRENT_USER.reg"; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("KVX4_REGISTRY_DIR", fuzzsupport::MakeScratchSubdirectory("registry").c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    fuzzsupport::ReplaceFile(StorePath(), input);
    // A file with no registry data in it is not ours to overwrite: reads and writes fail, and the
    // bytes stay as they were.
    if (QueryRegistryStore().readProblem == ERROR_BADDB) {
        DWORD values = 0;
        FUZZ_REQUIRE(RegQueryInfoKeyA(HKEY_CURRENT_USER, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                                      nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS,
                     "a store without registry data reads as a key");
        FUZZ_REQUIRE(RegSetValueExA(HKEY_CURRENT_USER, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2) != ERROR_SUCCESS,
                     "a store without registry data took a value");
        FUZZ_REQUIRE(fuzzsupport::ReadFile(StorePath()) == input, "a store without registry data was overwritten");
        return 0;
    }
    const std::vector<Key> before = WalkTree();
    const SetValue set = ChooseSet(before, data, size);

    HKEY key = HKEY_CURRENT_USER;
    LSTATUS status = set.path.empty() ? ERROR_SUCCESS : RegOpenKeyExA(HKEY_CURRENT_USER, set.path.c_str(), 0, KEY_ALL_ACCESS, &key);
    FUZZ_REQUIRE(status == ERROR_SUCCESS, "cannot open walked key " + Printable(set.path) + ": " + Status(status));
    DWORD ignored = 0;
    const bool existed = RegQueryValueExA(key, set.name.c_str(), nullptr, nullptr, nullptr, &ignored) == ERROR_SUCCESS;
    status = RegSetValueExA(key, set.name.c_str(), 0, set.type, reinterpret_cast<const BYTE*>(set.data.data()),
                            static_cast<DWORD>(set.data.size()));
    FUZZ_REQUIRE(status == ERROR_SUCCESS, "RegSetValueExA: " + Status(status));
    if (key != HKEY_CURRENT_USER) RegCloseKey(key);

    const std::vector<Key> expected = Expected(before, set, existed);
    Compare(expected, WalkTree(), set, "in memory, after");
    // A new inode makes the store parse what it wrote, as another process would.
    fuzzsupport::ReplaceFile(StorePath(), fuzzsupport::ReadFile(StorePath()));
    Compare(expected, WalkTree(), set, "read back from the file, after");
    return 0;
}
