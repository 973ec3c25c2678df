// The MIDI byte parser over any byte stream. However the stream is cut into arrivals, the messages
// are the same; real-time bytes come out one message each and, taken out of the stream, leave every
// other message as it was; every message is well formed; system-exclusive lengths never add up to
// more than the stream held.
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#include "fuzz/support/Choice.h"
#include "fuzz/support/Scratch.h"
#include "host/app/MidiByteParser.h"

namespace {

std::string Where(std::size_t index) { return " (message " + std::to_string(index) + ")"; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    std::vector<MidiMessage> whole;
    MidiByteParser().Feed(bytes, whole);

    // Cut into arrivals at positions taken from the input itself.
    fuzzsupport::Chooser choose(data, size);
    MidiByteParser cutParser;
    std::vector<MidiMessage> cut;
    for (std::size_t start = 0; start < size;) {
        const std::size_t length = 1 + choose.Below(std::min<std::size_t>(size - start, 16));
        cutParser.Feed(bytes.subspan(start, length), cut);
        start += length;
    }
    FUZZ_REQUIRE(whole == cut, "cutting the stream into arrivals changed the messages");

    std::vector<std::uint8_t> withoutRealTime;
    std::size_t realTimeBytes = 0, exclusiveBytes = 0;
    for (std::uint8_t byte : bytes) {
        if (byte >= 0xF8) ++realTimeBytes;
        else withoutRealTime.push_back(byte);
    }
    std::vector<MidiMessage> others;
    std::size_t realTimeMessages = 0;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const MidiMessage& m = whole[i];
        switch (m.kind) {
            case MidiMessage::Kind::RealTime:
                ++realTimeMessages;
                FUZZ_REQUIRE(m.status >= 0xF8, "a real-time message with status below 0xF8" + Where(i));
                continue;
            case MidiMessage::Kind::Channel:
                FUZZ_REQUIRE(m.status >= 0x80 && m.status < 0xF0, "a channel message without a channel status" + Where(i));
                break;
            case MidiMessage::Kind::SystemCommon:
                FUZZ_REQUIRE(m.status >= 0xF1 && m.status <= 0xF6, "a system common message with a foreign status" + Where(i));
                break;
            case MidiMessage::Kind::SystemExclusive:
                FUZZ_REQUIRE(m.status == 0xF0, "system-exclusive data without 0xF0" + Where(i));
                exclusiveBytes += m.exclusiveLength + 1;  // with its start; the byte that ends it may start the next
                break;
        }
        FUZZ_REQUIRE(m.data1 < 0x80 && m.data2 < 0x80, "a data byte with the status bit" + Where(i));
        others.push_back(m);
    }
    FUZZ_REQUIRE(realTimeMessages == realTimeBytes, "real-time bytes and messages do not match one for one");
    FUZZ_REQUIRE(exclusiveBytes <= size, "system-exclusive lengths exceed the stream");

    std::vector<MidiMessage> filtered;
    MidiByteParser().Feed(withoutRealTime, filtered);
    FUZZ_REQUIRE(filtered == others, "real-time bytes disturbed the messages around them");
    return 0;
}
