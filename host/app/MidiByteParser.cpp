#include "host/app/MidiByteParser.h"

namespace {

// Data bytes after a status byte other than the real-time and exclusive ones.
int DataBytesAfter(std::uint8_t status) {
    switch (status & 0xF0) {
        case 0xC0:
        case 0xD0: return 1;
        case 0xF0: break;
        default: return 2;
    }
    switch (status) {
        case 0xF1:  // time code quarter frame
        case 0xF3: return 1;  // song select
        case 0xF2: return 2;  // song position
        default: return 0;    // tune request, the undefined F4 and F5
    }
}

}  // namespace

void MidiByteParser::Feed(std::span<const std::uint8_t> bytes, std::vector<MidiMessage>& messages) {
    for (std::uint8_t byte : bytes) Feed(byte, messages);
}

void MidiByteParser::Feed(std::uint8_t byte, std::vector<MidiMessage>& messages) {
    if (byte >= 0xF8) {
        messages.push_back({MidiMessage::Kind::RealTime, byte});
        return;
    }
    if (byte & 0x80) {
        Status(byte, messages);
        return;
    }
    if (inExclusive_) {
        ++exclusiveLength_;
        return;
    }
    if (!runningStatus_) return;
    data_[received_++] = byte;
    if (received_ < expected_) return;
    received_ = 0;
    MidiMessage message;
    message.kind = runningStatus_ >= 0xF0 ? MidiMessage::Kind::SystemCommon : MidiMessage::Kind::Channel;
    message.status = runningStatus_;
    message.data1 = data_[0];
    message.data2 = expected_ == 2 ? data_[1] : 0;
    // System common messages do not run: their data bytes come once.
    if (runningStatus_ >= 0xF0) runningStatus_ = 0;
    messages.push_back(message);
}

void MidiByteParser::Status(std::uint8_t byte, std::vector<MidiMessage>& messages) {
    // Any status byte but a real-time one ends system-exclusive data, whether or not it is 0xF7.
    if (inExclusive_) {
        inExclusive_ = false;
        MidiMessage ended{MidiMessage::Kind::SystemExclusive, 0xF0};
        ended.exclusiveLength = exclusiveLength_;
        messages.push_back(ended);
    }
    received_ = 0;
    runningStatus_ = 0;
    if (byte == 0xF7) return;
    if (byte == 0xF0) {
        inExclusive_ = true;
        exclusiveLength_ = 0;
        return;
    }
    expected_ = DataBytesAfter(byte);
    if (expected_ == 0) messages.push_back({MidiMessage::Kind::SystemCommon, byte});
    else runningStatus_ = byte;
}
