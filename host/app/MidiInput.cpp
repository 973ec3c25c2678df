#include "host/app/MidiInput.h"

namespace {

constexpr win::UINT_PTR kPollTimer = 1;
constexpr unsigned kPollMs = 10;

}  // namespace

MidiInput::MidiInput(ControllerSink sink) : sink_(std::move(sink)) {}

bool MidiInput::Start() {
    if (!CreateEx(0, nullptr, "MIDI input", win::WS_POPUP, win::Rect::FromSize(0, 0, 1, 1), nullptr, 0)) return false;
    return SetTimer(kPollTimer, kPollMs) != 0;
}

void MidiInput::Receive(int port, std::span<const std::uint8_t> bytes) {
    if (port < 0 || port >= kPortCount) return;
    std::lock_guard guard(mutex_);
    std::vector<std::uint8_t>& queue = queued_[static_cast<std::size_t>(port)];
    if (queue.size() + bytes.size() > kQueueLimit) {
        ++dropped_;
        return;
    }
    queue.insert(queue.end(), bytes.begin(), bytes.end());
}

unsigned long MidiInput::Dropped() const {
    std::lock_guard guard(mutex_);
    return dropped_;
}

void MidiInput::OnTimer(win::UINT_PTR id) {
    if (id != kPollTimer) return;
    std::array<std::vector<std::uint8_t>, kPortCount> arrived;
    {
        std::lock_guard guard(mutex_);
        arrived.swap(queued_);
    }
    std::vector<MidiMessage> messages;
    for (int port = 0; port < kPortCount; ++port) {
        messages.clear();
        parsers_[static_cast<std::size_t>(port)].Feed(arrived[static_cast<std::size_t>(port)], messages);
        for (const MidiMessage& message : messages)
            if (message.IsControlChange()) sink_(port, message.Channel(), message.data1, message.data2);
    }
}
