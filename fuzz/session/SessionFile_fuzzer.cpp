// The session file reader over any file. A file that reads is a whole session within the documented
// ranges that saves back to itself; any other file is set aside byte for byte under a free name and
// never left in place half-read; the reader never reports a file that is there as missing.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz/support/Scratch.h"
#include "host/app/SessionFile.h"

using fuzzsupport::Printable;

namespace {

void CheckRanges(const SessionState& state) {
    for (std::size_t i = 0; i < SessionState::kFieldCount; ++i)
        FUZZ_REQUIRE(state.values[i] <= FieldMaximum(static_cast<BlockField>(i)),
                     std::string(FieldName(static_cast<BlockField>(i))) + " beyond its maximum");
    for (std::size_t i = 0; i < state.registrations.size(); ++i) {
        const auto& r = state.registrations[i];
        FUZZ_REQUIRE(IsRecordField(r.field), "a registration on a field that is not a record");
        FUZZ_REQUIRE(r.port >= 0 && r.port <= 3 && r.channel >= 0 && r.channel <= 15 && r.controller >= 0 &&
                         r.controller <= 127,
                     "a registration out of range");
        FUZZ_REQUIRE(i == 0 || state.registrations[i - 1].field < r.field, "registrations not one per record in order");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<SessionState> parsed = ParseSession(text, &error);
    if (parsed) {
        CheckRanges(*parsed);
        const std::string written = FormatSession(*parsed);
        std::string again;
        const auto reread = ParseSession(written, &again);
        FUZZ_REQUIRE(reread && *reread == *parsed, "a session does not read back as written: " + again);
    } else {
        FUZZ_REQUIRE(!error.empty(), "a refusal without a reason");
    }

    static const std::string directory = fuzzsupport::MakeScratchSubdirectory("session");
    const std::string path = directory + "/session.kvx4session";
    fuzzsupport::ReplaceFile(path, text);
    const SessionLoad load = LoadSessionFile(path);
    switch (load.outcome) {
        case SessionLoad::Outcome::Restored:
            FUZZ_REQUIRE(parsed && load.state == *parsed, "the file restored what the text does not say");
            FUZZ_REQUIRE(size <= kSessionFileLimit, "a file over the limit was read");
            break;
        case SessionLoad::Outcome::SetAside:
            FUZZ_REQUIRE(!parsed || size > kSessionFileLimit, "a good session was set aside");
            FUZZ_REQUIRE(!std::filesystem::exists(path), "the damaged file is still in place");
            FUZZ_REQUIRE(fuzzsupport::ReadFile(path + ".damaged") == text, "the set-aside file is not the damaged one");
            FUZZ_REQUIRE(load.message.find(path) != std::string::npos, "the report does not name the file: " + Printable(load.message));
            std::filesystem::remove(path + ".damaged");
            break;
        default: fuzzsupport::Fail("a readable file reported as " + std::string(load.outcome == SessionLoad::Outcome::Missing ? "missing" : "unreadable"));
    }
    return 0;
}
