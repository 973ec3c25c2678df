#pragma once
// The host's four MIDI input ports as the user-interface thread sees them. The MIDI system's thread
// hands over raw bytes with Receive; a 10 ms timer on the host's message loop reads them through
// one MidiByteParser per port and passes every controller change on, so automation lands on the
// user-interface thread like the MIDI CC button's and the editor shows it on its next poll.
//
// A hidden top-level window of its own carries the timer. Receive may be called from any thread
// and at any time, also before Start and after the window is gone.
#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

#include "host/app/MidiByteParser.h"
#include "platform/window/Window.h"

class MidiInput : public win::Window {
public:
    static constexpr int kPortCount = 4;
    // Bytes waiting per port beyond which whole arrivals are dropped, should the host stall.
    static constexpr std::size_t kQueueLimit = 64 * 1024;
    using ControllerSink = std::function<void(int port, int channel, int controller, int value)>;

    explicit MidiInput(ControllerSink sink);

    bool Start();
    // Thread-safe. Bytes for a port outside 0..3 are ignored.
    void Receive(int port, std::span<const std::uint8_t> bytes);
    // Arrivals dropped because a queue was full.
    unsigned long Dropped() const;

protected:
    void OnTimer(win::UINT_PTR id) override;

private:
    ControllerSink sink_;
    mutable std::mutex mutex_;
    std::array<std::vector<std::uint8_t>, kPortCount> queued_;
    unsigned long dropped_ = 0;
    std::array<MidiByteParser, kPortCount> parsers_;
};
