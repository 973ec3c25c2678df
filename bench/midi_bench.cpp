// The MIDI byte parser over one poll's worst case: a full port queue (MidiInput::kQueueLimit bytes)
// of controller changes with running status and clock bytes between them, as a fader sweep under a
// running sequencer sends. The poll runs every 10 ms on the user-interface thread, so reading a full
// queue must take a small part of that.
#include <benchmark/benchmark.h>

#include <vector>

#include "host/app/MidiByteParser.h"
#include "host/app/MidiInput.h"

namespace {

std::vector<std::uint8_t> FullQueue() {
    std::vector<std::uint8_t> bytes{0xB0};
    for (std::uint8_t value = 0; bytes.size() + 3 <= MidiInput::kQueueLimit; value = (value + 1) & 0x7F) {
        bytes.push_back(7);
        bytes.push_back(0xF8);
        bytes.push_back(value);
    }
    return bytes;
}

void BM_MidiParseFullQueue(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = FullQueue();
    MidiByteParser parser;
    std::vector<MidiMessage> messages;
    for (auto _ : state) {
        messages.clear();
        parser.Feed(bytes, messages);
        benchmark::DoNotOptimize(messages.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["messages"] = static_cast<double>(messages.size());
}
BENCHMARK(BM_MidiParseFullQueue)->Unit(benchmark::kMicrosecond);

}  // namespace
