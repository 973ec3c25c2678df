#pragma once
// The host's four MIDI input ports in the system's MIDI sequencer, through RtMidi on ALSA: the
// clients "KVX4 Host Port 1" to "KVX4 Host Port 4", which the editor lists as the host's ports 1 to
// 4. RtMidi makes one client per port, and `aconnect` addresses a port by client name and port
// number, so each client has a name of its own. Each port is virtual, for a keyboard, a sequencer
// or `aconnect` to connect to, or, when the user names a source, connected to that source at once.
// Whatever arrives goes to a MidiInput as raw bytes, from RtMidi's own thread.
//
// The MidiInput must outlive this object; destroying it closes the ports and stops the thread.
#include <memory>
#include <string>
#include <vector>

#include "host/app/MidiInput.h"

class RtMidiIn;

class RtMidiPorts {
public:
    static constexpr const char* kClientName = "KVX4 Host";

    // `sources` names existing output ports to connect to, the first to Port 1 and so on: a port's
    // full name, or a part of it without regard to case. Null with *error set when there is no MIDI
    // system; a source that cannot be found leaves its port virtual and adds a line to *warnings.
    static std::unique_ptr<RtMidiPorts> Open(MidiInput& input, const std::vector<std::string>& sources,
                                             std::string* error, std::vector<std::string>* warnings);
    ~RtMidiPorts();
    RtMidiPorts(const RtMidiPorts&) = delete;
    RtMidiPorts& operator=(const RtMidiPorts&) = delete;

    // One line per port: "KVX4 Host Port 1 (virtual)" or "KVX4 Host Port 1 <- Keyboard:Keyboard MIDI 1 20:0".
    std::vector<std::string> Describe() const;

private:
    struct Port;
    RtMidiPorts();

    std::vector<std::unique_ptr<Port>> ports_;
};

// "KVX4 Host Port 1".."KVX4 Host Port 4": the client's name and its port's.
std::string MidiPortName(int port);
