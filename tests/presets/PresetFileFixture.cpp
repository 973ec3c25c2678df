#include "tests/presets/PresetFileFixture.h"

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/window/WindowStyles.h"
#include "tests/support/RecordingListBox.h"

namespace presettest {

std::string HexWithChecksum(const std::uint8_t* bytes, std::size_t size) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    unsigned sum = 0;
    auto put = [&](unsigned byte) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    };
    for (std::size_t i = 0; i < size; ++i) {
        put(bytes[i]);
        sum += bytes[i];
    }
    put(sum & 0xFF);
    return text;
}

RecordBytes& RecordBytes::Name(std::string_view name) {
    std::fill(bytes.begin(), bytes.begin() + 264, 0);
    std::memcpy(bytes.data(), name.data(), std::min<std::size_t>(name.size(), 264));
    return *this;
}

RecordBytes& RecordBytes::Int(std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return *this;
}

RecordBytes& RecordBytes::Assignment(std::size_t offset, std::uint8_t channel, std::uint8_t controller,
                                     std::uint8_t port) {
    bytes[offset] = channel;
    bytes[offset + 1] = controller;
    bytes[offset + 2] = port;
    return *this;
}

RecordBytes RecordBytes::Sample(std::string_view name, int seed) {
    RecordBytes r;
    r.Name(name).Int(264, 1).Int(268, 100 + seed).Assignment(272, 3, 7, 1);
    r.Int(276, 10 + seed).Int(280, 20 + seed).Int(284, 30 + seed).Int(288, 40 + seed);
    r.Assignment(292, 0, 74, 0).Assignment(295, 15, 255, 3).Assignment(298, 1, 2, 2).Assignment(301, 9, 121, 0);
    return r.Int(304, 1).Int(308, 0).Int(312, 5 + seed);
}

tagUserPreset RecordBytes::Record() const {
    tagUserPreset record;
    std::memcpy(&record, bytes.data(), sizeof record);
    return record;
}

std::string CountHex(std::int32_t count) {
    RecordBytes scratch;
    scratch.Int(0, count);
    return HexWithChecksum(scratch.bytes.data(), 4);
}

std::string CountSection(std::int32_t count) {
    return "[Total Number of Rooms]\r\nNumRooms=" + CountHex(count) + "\r\n";
}

std::string RoomLine(int room, const RecordBytes& record) {
    return "Room " + std::to_string(room) + "=" + record.Hex() + "\r\n";
}

namespace {

std::string MakeTempDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kvx4-presets-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

}  // namespace

void PresetFileTest::SetUp() {
    HeadlessDesktopTest::SetUp();
    scratchDir_ = MakeTempDirectory();
    ASSERT_FALSE(scratchDir_.empty());
    windowsDir_ = scratchDir_ + "/windows";
    std::filesystem::create_directory(windowsDir_);
    setenv("KVX4_WINDOWS_DIR", windowsDir_.c_str(), 1);
    static int anchor;
    module_.emplace("KVX4", &anchor);
    moduleScope_.emplace(*module_);
    answerer_.emplace(boxes);
}

void PresetFileTest::TearDown() {
    answerer_.reset();
    moduleScope_.reset();
    module_.reset();
    unsetenv("KVX4_WINDOWS_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(scratchDir_, ignored);
    HeadlessDesktopTest::TearDown();
}

void PresetFileTest::GivenFile(const std::string& bytes) const {
    std::ofstream out(IniPath(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string PresetFileTest::FileText() const {
    std::ifstream in(IniPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool PresetFileTest::FileExists() const { return std::filesystem::exists(IniPath()); }

void PresetFileTest::MakeWindowsDirectoryUnwritable() {
    const std::string blocker = scratchDir_ + "/plain-file";
    std::ofstream(blocker) << "not a directory";
    windowsDir_ = blocker + "/windows";
    setenv("KVX4_WINDOWS_DIR", windowsDir_.c_str(), 1);
}

std::vector<std::string> PresetFileTest::ListLines(int mode) {
    testsupport::RecordingListBox list;
    list.Create(nullptr, "list", win::WS_POPUP, {0, 0, 200, 100}, nullptr, 0);
    store.FillRoomList(&list, kFile, mode);
    return list.lines;
}

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    oldSoft_ = limit.rlim_cur;
    // Past the limit, write() fails with EFBIG instead of the process being killed.
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = oldSoft_;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler_);
}

}  // namespace presettest
