// The host's sound file reader (--render, --play) over any bytes. A refusal names the file and a
// reason; an accepted file has one or two channels and frames, and reading it in blocks of any
// size gives exactly that many frames or one error naming the file, and never writes past the
// block asked for.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/support/Scratch.h"
#include "host/app/SoundFile.h"

namespace {

constexpr float kCanary = -98765.0f;
constexpr std::size_t kLargestBlock = 4096;
// Files that claim hours of audio are read only this far: the reader's own work is per block.
constexpr std::int64_t kFramesRead = 1 << 18;

std::size_t BlockSize(std::string_view bytes) {
    std::size_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
    return 1 + hash % kLargestBlock;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const std::string path = fuzzsupport::MakeScratchSubdirectory("soundfile") + "/input.wav";
    fuzzsupport::ReplaceFile(path, bytes);

    SoundFileReader reader;
    std::string error;
    if (!reader.Open(path, &error)) {
        FUZZ_REQUIRE(error.rfind("cannot read sound file " + path + ": ", 0) == 0, "refusal without the path: " + error);
        return 0;
    }
    FUZZ_REQUIRE(reader.Channels() == 1 || reader.Channels() == 2, "accepted " + std::to_string(reader.Channels()) + " channels");
    FUZZ_REQUIRE(reader.Frames() > 0, "accepted a file without frames");
    FUZZ_REQUIRE(reader.SampleRate() > 0, "accepted a sample rate of " + std::to_string(reader.SampleRate()));

    const std::size_t block = BlockSize(bytes);
    std::vector<float> buffer(2 * block + 1);
    std::int64_t total = 0;
    while (total < kFramesRead) {
        buffer.back() = kCanary;
        const std::int64_t got = reader.ReadStereo(buffer.data(), block, &error);
        FUZZ_REQUIRE(buffer.back() == kCanary, "wrote past a block of " + std::to_string(block) + " frames");
        if (got < 0) {
            FUZZ_REQUIRE(error.rfind("cannot read sound file " + path + ": ", 0) == 0, "read error without the path: " + error);
            return 0;
        }
        FUZZ_REQUIRE(got <= std::int64_t(block), "read more frames than asked");
        if (got == 0) break;
        total += got;
    }
    FUZZ_REQUIRE(total == std::min(reader.Frames(), kFramesRead) || total >= kFramesRead,
                 "read " + std::to_string(total) + " of " + std::to_string(reader.Frames()) + " frames without an error");
    return 0;
}
