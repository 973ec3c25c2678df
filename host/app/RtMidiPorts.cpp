#include "host/app/RtMidiPorts.h"

#include <alsa/asoundlib.h>
#include <rtmidi/RtMidi.h>

#include "host/app/AlsaMessages.h"
#include "platform/kernel/AsciiCase.h"

namespace {

// RtMidi reports a missing sequencer on standard error and then throws; asking ALSA first gives one
// clear reason and keeps the library's lines off the terminal.
std::string SequencerUnavailable() {
    snd_lib_error_set_handler(DropAlsaMessage);
    snd_seq_t* sequencer = nullptr;
    const int result = snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK);
    if (sequencer) snd_seq_close(sequencer);
    snd_lib_error_set_handler(nullptr);
    return result < 0 ? std::string("cannot open the ALSA sequencer: ") + snd_strerror(result) : std::string();
}

// Errors after opening (a port that vanished, a full queue) must not throw through RtMidi's thread.
void ReportLater(RtMidiError::Type, const std::string&, void*) {}

}  // namespace

struct RtMidiPorts::Port {
    MidiInput* input = nullptr;
    int index = 0;
    std::unique_ptr<RtMidiIn> midi;
    std::string source;  // empty: virtual

    static void Arrived(double, std::vector<unsigned char>* message, void* self) {
        auto* port = static_cast<Port*>(self);
        if (message) port->input->Receive(port->index, *message);
    }
};

std::string MidiPortName(int port) { return std::string(RtMidiPorts::kClientName) + " Port " + std::to_string(port + 1); }

RtMidiPorts::RtMidiPorts() = default;

RtMidiPorts::~RtMidiPorts() {
    for (auto& port : ports_)
        if (port->midi) port->midi->closePort();
}

std::unique_ptr<RtMidiPorts> RtMidiPorts::Open(MidiInput& input, const std::vector<std::string>& sources,
                                               std::string* error, std::vector<std::string>* warnings) {
    if (std::string reason = SequencerUnavailable(); !reason.empty()) {
        *error = reason;
        return nullptr;
    }
    std::unique_ptr<RtMidiPorts> ports(new RtMidiPorts);
    try {
        for (int i = 0; i < MidiInput::kPortCount; ++i) {
            auto port = std::make_unique<Port>();
            port->input = &input;
            port->index = i;
            port->midi = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, MidiPortName(i));
            port->midi->setErrorCallback(ReportLater, nullptr);
            // Every byte reaches the parser, which knows what to skip.
            port->midi->ignoreTypes(false, false, false);
            port->midi->setCallback(&Port::Arrived, port.get());
            const std::string name = i < static_cast<int>(sources.size()) ? sources[static_cast<std::size_t>(i)] : "";
            int found = -1;
            std::string names;
            if (!name.empty()) {
                const unsigned count = port->midi->getPortCount();
                for (unsigned n = 0; n < count && found < 0; ++n) {
                    const std::string candidate = port->midi->getPortName(n);
                    if (candidate.rfind(kClientName, 0) == 0) continue;  // never our own ports
                    if (candidate == name || win::FoldCase(candidate).find(win::FoldCase(name)) != std::string::npos)
                        found = static_cast<int>(n);
                    names += (names.empty() ? "" : ", ") + candidate;
                }
                if (found < 0)
                    warnings->push_back("no MIDI port named \"" + name + "\" (" +
                                        (names.empty() ? std::string("no other ports exist") : "ports: " + names) + "); " +
                                        MidiPortName(i) + " stays a virtual port for aconnect");
            }
            if (found >= 0) {
                port->source = port->midi->getPortName(static_cast<unsigned>(found));
                port->midi->openPort(static_cast<unsigned>(found), MidiPortName(i));
            } else {
                port->midi->openVirtualPort(MidiPortName(i));
            }
            ports->ports_.push_back(std::move(port));
        }
    } catch (const RtMidiError& e) {
        *error = e.getMessage();
        return nullptr;
    }
    return ports;
}

std::vector<std::string> RtMidiPorts::Describe() const {
    std::vector<std::string> lines;
    for (const auto& port : ports_)
        lines.push_back(MidiPortName(port->index) + (port->source.empty() ? " (virtual)" : " <- " + port->source));
    return lines;
}
