#include "host/app/HostOptions.h"

#include <charconv>

#include "host/app/DemoScript.h"

namespace {

constexpr int kLargestScale = 8;
constexpr std::size_t kMidiInputPorts = 4;

}  // namespace

HostOptionsResult ParseHostOptions(const std::vector<std::string>& arguments) {
    HostOptionsResult result;
    HostOptions& options = result.options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::string value;
        bool hasValue = false;
        if (size_t equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
            hasValue = true;
        }
        auto takeValue = [&]() -> bool {
            if (hasValue) return true;
            if (i + 1 >= arguments.size()) {
                result.error = name + " needs a value";
                return false;
            }
            value = arguments[++i];
            return true;
        };
        auto noValue = [&]() -> bool {
            if (hasValue) result.error = name + " takes no value";
            return !hasValue;
        };

        if (name == "--help" || name == "-h") {
            if (!noValue()) return result;
            options.help = true;
        } else if (name == "--version") {
            if (!noValue()) return result;
            options.version = true;
        } else if (name == "--register") {
            if (!noValue()) return result;
            options.registerLibrary = true;
        } else if (name == "--list") {
            if (!noValue()) return result;
            options.list = true;
        } else if (name == "--headless") {
            if (!noValue()) return result;
            options.headless = true;
        } else if (name == "--audio-in") {
            if (!noValue()) return result;
            options.audioIn = true;
        } else if (name == "--list-audio") {
            if (!noValue()) return result;
            options.listAudio = true;
        } else if (name == "--float") {
            if (!noValue()) return result;
            options.floatEditor = true;
        } else if (name == "--calls") {
            if (!noValue()) return result;
            options.printCalls = true;
        } else if (name == "--no-session" || name == "--no-midi") {
            if (!noValue()) return result;
            (name == "--no-session" ? options.noSession : options.noMidi) = true;
        } else if (name == "--session" || name == "--midi-in") {
            if (!takeValue()) return result;
            if (value.empty()) {
                result.error = name + " needs a non-empty value";
                return result;
            }
            if (name == "--session") options.session = value;
            else if (options.midiIn.size() < kMidiInputPorts) options.midiIn.push_back(value);
            else {
                result.error = "--midi-in can be given at most " + std::to_string(kMidiInputPorts) + " times, once per port";
                return result;
            }
        } else if (name == "--library" || name == "--script" || name == "--screenshot" || name == "--play") {
            if (!takeValue()) return result;
            if (value.empty()) {
                result.error = name + " needs a non-empty value";
                return result;
            }
            if (name == "--library") options.library = value;
            else if (name == "--script") options.script = value;
            else if (name == "--play") options.playFile = value;
            else {
                options.screenshot = value;
                options.screenshotGiven = true;
            }
        } else if (name == "--render") {
            if (hasValue || i + 2 >= arguments.size() || arguments[i + 1].empty() || arguments[i + 2].empty()) {
                result.error = "--render needs two files: --render IN OUT";
                return result;
            }
            options.renderIn = arguments[++i];
            options.renderOut = arguments[++i];
        } else if (name == "--scale") {
            if (!takeValue()) return result;
            int scale = 0;
            auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), scale);
            if (error != std::errc() || end != value.data() + value.size() || scale < 1 || scale > kLargestScale) {
                result.error = "--scale must be a whole number 1.." + std::to_string(kLargestScale) + ", got '" + value + "'";
                return result;
            }
            options.scale = scale;
        } else {
            result.error = "unknown option '" + arguments[i] + "' (see --help)";
            return result;
        }
    }
    const int sources = !options.renderIn.empty() + !options.playFile.empty() + options.audioIn;
    if (sources > 1) result.error = "--render, --play and --audio-in each feed the engine; give only one";
    if (!options.session.empty() && options.noSession) result.error = "--session and --no-session exclude each other";
    if (!options.midiIn.empty() && options.noMidi) result.error = "--midi-in and --no-midi exclude each other";
    return result;
}

std::string HostVersionText() {
    return std::string("kvx4-host (KVX4) ") + KVX4_VERSION +
           "\nA small effects host for the KVX4 equaliser editor component (KVX4.dll).\n";
}

std::string HostHelpText() {
    return "Usage: kvx4-host [options]\n"
           "\n"
           "Loads the KVX4 equaliser editor component the way its host does (the library path comes\n"
           "from the registry value \"DU Dazaro Veruvur (KVX4)\" under\n"
           "HKEY_CURRENT_USER\\Software\\Corvane\\Tidefall\\Components\\Effects), binds it to an\n"
           "effect slot and shows its editor next to a live readout of the slot's parameter block.\n"
           "\n"
           "Options:\n"
           "  --register          register the component first: load the library (--library PATH,\n"
           "                      else KVX4.dll beside kvx4-host) and call its DllRegisterComponent\n"
           "  --library PATH      load this library instead of the registered one\n"
           "  --list              list the registered effect components and exit\n"
           "  --headless          no window, even when a display is available; runs the script\n"
           "                      (--script, else the default demo) on a virtual clock, instantly,\n"
           "                      and saves a screenshot at the end\n"
           "  --script FILE       run a demo script (in a window: in real time, then stay open\n"
           "                      unless the script ends with quit)\n"
           "  --screenshot PATH   where the final screenshot goes (default kvx4-host.png; in a\n"
           "                      window only when this option is given)\n"
           "  --scale N           enlarge the windows by a whole factor 1..8 (default: from the\n"
           "                      screen's density, 96 dpi being 1; never larger than the screen's\n"
           "                      usable area); headless, enlarge the screenshots\n"
           "  --float             show the editor in a floating window of its own, which a press\n"
           "                      on an empty spot of the panel moves (in a window only)\n"
           "  --calls             print the calls the editor made on the effect slot at exit\n"
           "  --render IN OUT     run headless and stream the sound file IN through the equaliser\n"
           "                      into OUT while the script plays, so its edits land in the audio;\n"
           "                      OUT's extension names its format (.wav, .flac, .aiff, .ogg, ...)\n"
           "  --play FILE         loop the sound file FILE through the equaliser to the default\n"
           "                      audio output\n"
           "  --audio-in          run the default audio input through the equaliser to the default\n"
           "                      output\n"
           "  --list-audio        list the audio devices and exit\n"
           "  --version           print the program's version\n"
           "  --session FILE      restore the session from FILE and save it there at exit (a\n"
           "                      window does so with ~/.local/state/kvx4/session.kvx4session\n"
           "                      unless told otherwise; a headless run only with this option)\n"
           "  --no-session        start fresh and save nothing\n"
           "  --midi-in NAME      connect the next MIDI input port (Port 1, then 2..4) to the\n"
           "                      existing MIDI port whose name contains NAME\n"
           "  --no-midi           open no MIDI input ports (a window opens four virtual ports\n"
           "                      \"KVX4 Host Port 1..4\"; a headless run only with --midi-in)\n"
           "  -h, --help          show this text\n"
           "\n"
           "Without a display ($DISPLAY / $WAYLAND_DISPLAY unset, or no display behind them: SDL's\n"
           "off-screen and dummy drivers do not count) the program says why and runs headless.\n"
           "\n"
           "Demo scripts: one command per line.\n" +
           script::FormatSummary() +
           "\n"
           "Exit status: 0 on success, 1 when the component cannot be found, loaded or driven or a\n"
           "script command fails, 2 for a bad command line or script.\n";
}
