#pragma once
// Turns the byte stream of one MIDI input port into messages, as a receiver must read it: running
// status, real-time bytes (clock, start, stop, active sensing...) that may arrive between any two
// bytes without disturbing the message they interrupt, and system-exclusive data, which is counted
// and skipped, never stored. Bytes that belong to nothing (data without a status, a stray end of
// exclusive) are dropped, as receivers do. One parser per port; not thread-safe.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct MidiMessage {
    enum class Kind { Channel, SystemCommon, RealTime, SystemExclusive };
    Kind kind = Kind::Channel;
    std::uint8_t status = 0;  // the status byte (0xF0 for system-exclusive data)
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::size_t exclusiveLength = 0;  // data bytes between 0xF0 and its end, for SystemExclusive

    int Channel() const { return status & 0x0F; }
    bool IsControlChange() const { return kind == Kind::Channel && (status & 0xF0) == 0xB0; }
    bool operator==(const MidiMessage&) const = default;
};

class MidiByteParser {
public:
    // Appends the messages these bytes complete, in order. A message may span several calls.
    void Feed(std::span<const std::uint8_t> bytes, std::vector<MidiMessage>& messages);

private:
    void Feed(std::uint8_t byte, std::vector<MidiMessage>& messages);
    void Status(std::uint8_t byte, std::vector<MidiMessage>& messages);

    std::uint8_t runningStatus_ = 0;  // 0: none, data bytes are dropped
    int expected_ = 0;                // data bytes the running status takes
    int received_ = 0;
    std::uint8_t data_[2] = {};
    bool inExclusive_ = false;
    std::size_t exclusiveLength_ = 0;
};
