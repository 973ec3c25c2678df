#pragma once
// What the preset file tests share: a private Windows directory per test, files written and read
// byte for byte, preset records built from their byte offsets and hex-encoded independently of the
// code under test, a list box that records its lines, and message boxes answered with Enter and
// recorded (caption, painted texts, icon).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/module/Module.h"
#include "presets/UserPreset.h"
#include "presets/UserPresetFile.h"
#include "tests/support/HeadlessDesktop.h"
#include "tests/support/MessageBoxAnswerer.h"

namespace presettest {

// The Windows structure-profile text: two upper-case hex digits per byte, then the byte sum.
std::string HexWithChecksum(const std::uint8_t* bytes, std::size_t size);

// A 316-byte preset record set field by field at the file format's offsets.
class RecordBytes {
public:
    RecordBytes& Name(std::string_view name);  // zero-filled to 264 bytes; may fill all of them
    RecordBytes& Int(std::size_t offset, std::int32_t value);
    RecordBytes& Assignment(std::size_t offset, std::uint8_t channel, std::uint8_t controller, std::uint8_t port);
    // A typical record: values, switches, program number and all five assignments set.
    static RecordBytes Sample(std::string_view name, int seed = 0);

    std::string Hex() const { return HexWithChecksum(bytes.data(), bytes.size()); }
    tagUserPreset Record() const;

    std::array<std::uint8_t, 316> bytes{};
};

std::string CountHex(std::int32_t count);
// "[Total Number of Rooms]" with its one key.
std::string CountSection(std::int32_t count);
// "Room n=<hex>\r\n"
std::string RoomLine(int room, const RecordBytes& record);

using testsupport::ShownBox;

class PresetFileTest : public testsupport::HeadlessDesktopTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string IniPath() const { return windowsDir_ + "/KVX4.ini"; }
    void GivenFile(const std::string& bytes) const;
    std::string FileText() const;
    bool FileExists() const;
    // Points the Windows directory somewhere no file can be written.
    void MakeWindowsDirectoryUnwritable();
    std::vector<std::string> ListLines(int mode);

    static constexpr const char* kFile = "KVX4.ini";
    CUserPresetFile store;
    std::vector<ShownBox> boxes;

private:
    std::string windowsDir_;
    std::string scratchDir_;
    std::optional<win::Module> module_;
    std::optional<win::ModuleStateScope> moduleScope_;
    std::optional<testsupport::MessageBoxAnswerer> answerer_;
};

// Lets files grow no further than `bytes` while it lives, so that a write which changes the file
// fails even for a privileged user; a write that changes nothing still succeeds.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    std::uint64_t oldSoft_ = 0;
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace presettest
