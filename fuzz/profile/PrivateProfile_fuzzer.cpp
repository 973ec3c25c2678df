// The private-profile functions over any file contents. Everything the file offers is read (section
// and key lists, values, integers, structures, and the cut forms of a list and a value that do not
// fit), one change is made, and everything is read again: only the entry the change names may read
// differently, and it must read as written. Sections and keys compare ignoring ASCII case; the
// first of duplicates is the one read and the one changed.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/support/Choice.h"
#include "fuzz/support/Scratch.h"
#include "platform/kernel/AsciiCase.h"
#include "platform/kernel/PrivateProfile.h"

namespace {

using fuzzsupport::Printable;
using win::DWORD;
using win::UINT;

constexpr char kFile[] = "fuzz.ini";
// No value can hold a line break, so this default shows when a key that was listed did not read.
constexpr char kAbsent[] = "\n";
// Enough to check the rules on every kind of line without making a long file slow.
constexpr std::size_t kSectionsExamined = 24;
constexpr std::size_t kKeysExamined = 48;
// Keys of a section that also get the cut read and the structure read of their own length.
constexpr std::size_t kKeysExaminedClosely = 8;

struct Entry {
    std::string key;
    std::string value;
    UINT number = 0;
    std::optional<std::vector<std::uint8_t>> structOfFour;
    std::optional<std::vector<std::uint8_t>> structOfItsLength;  // the size the text's length gives
    bool closely = false;                                         // whether the line above was read
};

// A key that moved into or out of the closely examined ones is compared on what both reads hold.
bool SameReads(const Entry& a, const Entry& b) {
    return a.key == b.key && a.value == b.value && a.number == b.number && a.structOfFour == b.structOfFour &&
           (!a.closely || !b.closely || a.structOfItsLength == b.structOfItsLength);
}

struct Section {
    std::string name;
    std::vector<std::string> keys;
    std::vector<Entry> entries;  // the first kKeysExamined keys
};

struct Snapshot {
    std::vector<std::string> names;
    std::vector<Section> sections;  // the first kSectionsExamined names
};

// The list is split by the length the call returns, so that an empty name (from "[]") does not
// end it early. A list that does not fit must be cut to size-2 and end in two NULs.
std::vector<std::string> ReadList(const char* section, std::size_t capacity) {
    std::vector<char> buffer(capacity, 'x');
    const DWORD length = win::GetPrivateProfileStringA(section, nullptr, "", buffer.data(), static_cast<DWORD>(capacity), kFile);
    FUZZ_REQUIRE(length + 2 <= capacity, "a list does not fit a buffer twice the file's size");
    FUZZ_REQUIRE(buffer[length] == '\0' && (length == 0 || buffer[length - 1] == '\0'), "list not double-NUL terminated");
    const std::string joined(buffer.data(), length);
    if (length >= 2) {
        std::vector<char> small(length, 'x');
        const DWORD cut = win::GetPrivateProfileStringA(section, nullptr, "", small.data(), length, kFile);
        FUZZ_REQUIRE(cut == length - 2 && small[length - 2] == '\0' && small[length - 1] == '\0' &&
                    std::memcmp(small.data(), joined.data(), length - 2) == 0,
                "a list that does not fit is not cut to size-2 with two NULs: " + Printable(joined));
    }
    std::vector<std::string> names;
    for (std::size_t start = 0; start < joined.size();) {
        const std::size_t end = joined.find('\0', start);
        names.push_back(joined.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::optional<std::vector<std::uint8_t>> ReadStruct(const std::string& section, const std::string& key, UINT size) {
    std::vector<std::uint8_t> data(size + 1, 0xA5);
    const std::vector<std::uint8_t> before = data;
    if (!win::GetPrivateProfileStructA(section.c_str(), key.c_str(), data.data(), size, kFile)) {
        FUZZ_REQUIRE(data == before, "a failed structure read changed the buffer");
        return std::nullopt;
    }
    FUZZ_REQUIRE(data[size] == 0xA5, "a structure read wrote past its size");
    data.pop_back();
    return data;
}

Entry ReadEntry(const std::string& section, const std::string& key, std::size_t fileSize, bool closely) {
    Entry entry;
    entry.key = key;
    entry.closely = closely;
    std::vector<char> buffer(fileSize + 16);
    const DWORD length = win::GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, buffer.data(),
                                                       static_cast<DWORD>(buffer.size()), kFile);
    entry.value.assign(buffer.data(), length);
    FUZZ_REQUIRE(entry.value != kAbsent, "listed key does not read: [" + Printable(section) + "] " + Printable(key));
    FUZZ_REQUIRE(std::strlen(buffer.data()) == length, "value length differs from the returned count");
    if (closely && length >= 1) {
        std::vector<char> small(length, 'x');
        const DWORD cut = win::GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, small.data(), length, kFile);
        FUZZ_REQUIRE(cut == length - 1 && small[length - 1] == '\0' && entry.value.compare(0, length - 1, small.data()) == 0,
                "a value that does not fit is not cut to size-1: " + Printable(entry.value));
    }
    entry.number = win::GetPrivateProfileIntA(section.c_str(), key.c_str(), 12345, kFile);
    entry.structOfFour = ReadStruct(section, key, 4);
    if (closely && length >= 2) entry.structOfItsLength = ReadStruct(section, key, length / 2 - 1);
    return entry;
}

Section ReadSection(const std::string& name, std::size_t fileSize) {
    Section section;
    section.name = name;
    section.keys = ReadList(name.c_str(), 2 * fileSize + 16);
    for (std::size_t i = 0; i < section.keys.size() && i < kKeysExamined; ++i)
        section.entries.push_back(ReadEntry(name, section.keys[i], fileSize, i < kKeysExaminedClosely));
    return section;
}

Snapshot ReadAll(std::size_t fileSize) {
    Snapshot snapshot;
    snapshot.names = ReadList(nullptr, 2 * fileSize + 16);
    for (std::size_t i = 0; i < snapshot.names.size() && i < kSectionsExamined; ++i)
        snapshot.sections.push_back(ReadSection(snapshot.names[i], fileSize));
    return snapshot;
}

// What a value reads as once stored: surrounding blanks go, then one pair of matching quotes.
std::string AsRead(std::string value) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.erase(0, 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

std::string HexWithChecksum(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    unsigned sum = 0;
    for (std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
        sum += b;
    }
    text += digits[(sum >> 4) & 15];
    text += digits[sum & 15];
    return text;
}

std::ptrdiff_t IndexIgnoringCase(const std::vector<std::string>& names, const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (win::EqualsIgnoringCase(names[i], name)) return static_cast<std::ptrdiff_t>(i);
    return -1;
}

enum class Change { SetString, SetStruct, DeleteKey };

struct Write {
    Change change = Change::SetString;
    std::string section;
    std::string key;
    std::string value;                // SetString
    std::vector<std::uint8_t> bytes;  // SetStruct
};

Write ChooseWrite(const Snapshot& before, const std::uint8_t* data, std::size_t size) {
    fuzzsupport::Chooser choose(data, size);
    Write write;
    const std::size_t kind = choose.Below(8);
    write.change = kind < 4 ? Change::SetString : kind < 6 ? Change::SetStruct : Change::DeleteKey;
    const Section* section = nullptr;
    if (!before.sections.empty() && !choose.OneIn(5)) {
        section = &before.sections[choose.Below(before.sections.size())];
        write.section = choose.Respelled(section->name);
    } else {
        write.section = "Fuzz Section";
    }
    if (section && !section->keys.empty() && !choose.OneIn(3))
        write.key = choose.Respelled(section->keys[choose.Below(section->keys.size())]);
    else
        write.key = "FuzzKey";
    // Bytes of the input itself give values no list of examples would think of.
    std::string fromInput(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 12));
    fromInput = fromInput.substr(0, fromInput.find_first_of(std::string("\r\n\0", 3)));
    const std::string values[] = {"written", "", "\"quoted value\"", "'x'", "a=b;c", "  padded\t ",
                                  "0x7f", "-12", "[not a section]", "; not a comment", fromInput};
    write.value = values[choose.Below(std::size(values))];
    write.bytes.assign(data, data + std::min<std::size_t>(size, 1 + choose.Below(8)));
    return write;
}

// The snapshot the write must leave: `before` with only the named entry changed.
Snapshot Expected(const Snapshot& before, const Write& write) {
    Snapshot expected = before;
    std::ptrdiff_t s = IndexIgnoringCase(expected.names, write.section);
    if (s < 0) {
        if (write.change == Change::DeleteKey) return expected;
        expected.names.push_back(write.section);
        if (expected.sections.size() < kSectionsExamined) expected.sections.push_back(Section{write.section, {}, {}});
        s = static_cast<std::ptrdiff_t>(expected.names.size() - 1);
    }
    if (static_cast<std::size_t>(s) >= expected.sections.size()) return expected;  // not examined
    Section& section = expected.sections[static_cast<std::size_t>(s)];
    const std::ptrdiff_t k = IndexIgnoringCase(section.keys, write.key);
    if (write.change == Change::DeleteKey) {
        if (k < 0) return expected;
        section.keys.erase(section.keys.begin() + k);
        if (static_cast<std::size_t>(k) < section.entries.size()) section.entries.erase(section.entries.begin() + k);
        return expected;
    }
    const std::string stored = write.change == Change::SetString ? write.value : HexWithChecksum(write.bytes);
    Entry* entry = nullptr;
    if (k >= 0) {
        if (static_cast<std::size_t>(k) < section.entries.size()) entry = &section.entries[static_cast<std::size_t>(k)];
    } else {
        section.keys.push_back(write.key);
        if (section.entries.size() < kKeysExamined) {
            section.entries.push_back(Entry{write.key, {}, 0, {}, {}, false});
            entry = &section.entries.back();
        }
    }
    if (entry) entry->value = AsRead(stored);  // the rest of the entry is compared separately
    return expected;
}

void CompareAfterWrite(const Snapshot& expected, const Snapshot& after, const Write& write) {
    const std::string what = "after writing [" + Printable(write.section) + "] " + Printable(write.key) + ": ";
    FUZZ_REQUIRE(after.names == expected.names, what + "the section list changed unexpectedly");
    FUZZ_REQUIRE(after.sections.size() == expected.sections.size(), what + "sections examined differ");
    for (std::size_t s = 0; s < after.sections.size(); ++s) {
        const Section& got = after.sections[s];
        const Section& want = expected.sections[s];
        FUZZ_REQUIRE(got.keys == want.keys, what + "the keys of [" + Printable(want.name) + "] changed unexpectedly");
        FUZZ_REQUIRE(got.entries.size() == want.entries.size(), what + "keys examined differ");
        for (std::size_t k = 0; k < got.entries.size(); ++k) {
            const bool written = win::EqualsIgnoringCase(want.name, write.section) &&
                                 win::EqualsIgnoringCase(want.entries[k].key, write.key);
            if (!written) {
                FUZZ_REQUIRE(SameReads(got.entries[k], want.entries[k]),
                        what + "[" + Printable(want.name) + "] " + Printable(want.entries[k].key) + " reads differently");
                continue;
            }
            FUZZ_REQUIRE(got.entries[k].value == want.entries[k].value,
                    what + "reads back " + Printable(got.entries[k].value) + ", not " + Printable(want.entries[k].value));
            if (write.change == Change::SetStruct)
                FUZZ_REQUIRE(ReadStruct(write.section, write.key, static_cast<UINT>(write.bytes.size())) == write.bytes,
                        what + "the structure does not read back");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("KVX4_WINDOWS_DIR", fuzzsupport::MakeScratchSubdirectory("windows").c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzsupport::ScratchDirectory() + "/windows/" + kFile;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    fuzzsupport::ReplaceFile(path, input);

    const Snapshot before = ReadAll(size);
    const Write write = ChooseWrite(before, data, size);
    win::BOOL ok = win::FALSE;
    switch (write.change) {
        case Change::SetString:
            ok = win::WritePrivateProfileStringA(write.section.c_str(), write.key.c_str(), write.value.c_str(), kFile);
            break;
        case Change::SetStruct:
            ok = win::WritePrivateProfileStructA(write.section.c_str(), write.key.c_str(), write.bytes.data(),
                                                 static_cast<UINT>(write.bytes.size()), kFile);
            break;
        case Change::DeleteKey:
            ok = win::WritePrivateProfileStringA(write.section.c_str(), write.key.c_str(), nullptr, kFile);
            break;
    }
    FUZZ_REQUIRE(ok, "a write with names the file itself holds failed");
    const std::string written = fuzzsupport::ReadFile(path);
    if (write.change == Change::DeleteKey) {
        const std::ptrdiff_t s = IndexIgnoringCase(before.names, write.section);
        const bool present = s >= 0 && static_cast<std::size_t>(s) < before.sections.size() &&
                             IndexIgnoringCase(before.sections[static_cast<std::size_t>(s)].keys, write.key) >= 0;
        if (!present && (s < 0 || static_cast<std::size_t>(s) < before.sections.size()))
            FUZZ_REQUIRE(written == input, "deleting a key that is not there changed the file");
    }
    CompareAfterWrite(Expected(before, write), ReadAll(written.size()), write);
    return 0;
}
