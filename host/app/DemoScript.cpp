#include "host/app/DemoScript.h"

#include <charconv>
#include <optional>

#include "platform/kernel/AsciiCase.h"

namespace script {
namespace {

constexpr long kCoordinateLimit = 10000;
constexpr long kLongestWait = 3600000;  // an hour; anything longer is a typo

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// A comment starts with # at the start of the line or after a blank.
std::string_view StripComment(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) return line.substr(0, i);
    return line;
}

// Decimal, or hexadecimal with 0x; an optional minus for decimal only.
std::optional<long long> ParseNumber(std::string_view word) {
    long long value = 0;
    const char* begin = word.data();
    const char* end = word.data() + word.size();
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        begin += 2;
        base = 16;
        // from_chars would take "0x-10" as -16.
        if (begin != end && *begin == '-') return std::nullopt;
    }
    auto [stop, error] = std::from_chars(begin, end, value, base);
    if (error != std::errc() || stop != end || begin == end) return std::nullopt;
    return value;
}

// Parses one line's command; returns an error message (without the location) or empty.
class LineParser {
public:
    LineParser(std::string_view body, Command& command) : body_(body), words_(Words(body)), command_(command) {}

    std::string Run() {
        std::string_view verb = words_[0];
        auto is = [&](const char* name) { return win::EqualsIgnoringCase(verb, name); };
        if (is("move")) return Points(1, [&](auto& p) { command_.action = Move{p[0]}; });
        if (is("click")) return Points(1, [&](auto& p) { command_.action = Click{p[0], 0, false}; });
        if (is("rclick")) return Points(1, [&](auto& p) { command_.action = Click{p[0], 1, false}; });
        if (is("dblclick")) return Points(1, [&](auto& p) { command_.action = Click{p[0], 0, true}; });
        if (is("drag")) return Points(2, [&](auto& p) { command_.action = Drag{p[0], p[1], 0}; });
        if (is("rdrag")) return Points(2, [&](auto& p) { command_.action = Drag{p[0], p[1], 1}; });
        if (is("key")) return KeyCommand();
        if (is("type")) return TypeCommand();
        if (is("wait")) return WaitCommand();
        if (is("screenshot")) return ScreenshotCommand();
        if (is("set")) return SetCommand();
        if (is("cc")) return ControllerCommand();
        if (is("automate")) return AutomateCommand();
        if (is("show")) return ShowCommand();
        if (is("press")) return PressCommand();
        if (is("wclick")) return Points(1, [&](auto& p) { command_.action = WindowClick{p[0], 0, false}; });
        if (is("wrclick")) return Points(1, [&](auto& p) { command_.action = WindowClick{p[0], 1, false}; });
        if (is("wdblclick")) return Points(1, [&](auto& p) { command_.action = WindowClick{p[0], 0, true}; });
        if (is("clickid")) return ControlClickCommand();
        if (is("select")) return SelectCommand();
        if (is("print")) return PrintCommand();
        if (is("dump")) return Bare("dump", Dump{});
        if (is("expect")) return ExpectCommand();
        if (is("expect-call")) return ExpectCallCommand();
        if (is("down")) return Points(1, [&](auto& p) { command_.action = Button{p[0], true}; });
        if (is("up")) return Points(1, [&](auto& p) { command_.action = Button{p[0], false}; });
        if (is("seteffect")) return Choice("seteffect slot|none", "slot", "none", [&](bool slot) {
            command_.action = BindEffect{slot};
        });
        if (is("refresh-automation")) return Bare("refresh-automation", RefreshAutomation{});
        if (is("editor")) return Choice("editor create|destroy", "create", "destroy", [&](bool create) {
            command_.action = EditorLife{create};
        });
        if (is("quit")) return Bare("quit", Quit{});
        return "unknown command '" + std::string(verb) + "'";
    }

private:
    bool Count(size_t arguments) const { return words_.size() == arguments + 1; }
    std::string Usage(const char* form) const { return "expected '" + std::string(form) + "'"; }
    std::string Verb() const { return std::string(words_[0]); }
    // Everything after the command word, blanks inside kept.
    std::string_view Rest() const {
        std::string_view rest = body_.substr(static_cast<size_t>(words_[0].data() + words_[0].size() - body_.data()));
        return Trim(rest);
    }

    // Reads argument `index` as an integer in [low, high]; on failure fills error_.
    std::optional<long long> Integer(size_t index, const char* what, long long low, long long high) {
        std::optional<long long> value = ParseNumber(words_[index]);
        if (!value || *value < low || *value > high) {
            error_ = std::string(what) + " must be " + std::to_string(low) + ".." + std::to_string(high) + ", got '" +
                     std::string(words_[index]) + "'";
            return std::nullopt;
        }
        return value;
    }

    template <typename Make>
    std::string Points(size_t count, Make make) {
        if (!Count(2 * count))
            return Usage(count == 1 ? (Verb() + " X Y").c_str() : (Verb() + " X1 Y1 X2 Y2").c_str());
        win::Point points[2];
        for (size_t i = 0; i < 2 * count; ++i) {
            auto v = Integer(i + 1, i % 2 ? "Y" : "X", -kCoordinateLimit, kCoordinateLimit);
            if (!v) return error_;
            (i % 2 ? points[i / 2].y : points[i / 2].x) = static_cast<int>(*v);
        }
        make(points);
        return {};
    }

    std::string KeyCommand() {
        if (!Count(1)) return Usage("key NAME");
        std::optional<KeyStroke> stroke = ParseKeyStroke(words_[1]);
        if (!stroke) return "unknown key '" + std::string(words_[1]) + "'";
        command_.action = Key{*stroke};
        return {};
    }

    std::string TypeCommand() {
        std::string_view text = Rest();
        if (text.empty()) return Usage("type TEXT");
        std::string bad;
        auto strokes = KeyStrokesForText(text, &bad);
        if (!strokes) return "cannot type '" + bad + "' (printable Windows-1252 characters only)";
        command_.action = Type{std::move(*strokes)};
        return {};
    }

    std::string WaitCommand() {
        if (!Count(1)) return Usage("wait MS");
        auto ms = Integer(1, "milliseconds", 0, kLongestWait);
        if (!ms) return error_;
        command_.action = Wait{static_cast<unsigned>(*ms)};
        return {};
    }

    std::string ScreenshotCommand() {
        std::string_view path = Rest();
        if (path.empty()) return Usage("screenshot PATH");
        command_.action = Screenshot{std::string(path)};
        return {};
    }

    std::optional<BlockField> Field(size_t index) {
        std::optional<BlockField> field = FieldFromName(words_[index]);
        if (!field) error_ = "unknown field '" + std::string(words_[index]) + "'";
        return field;
    }

    std::string SetCommand() {
        if (!Count(2)) return Usage("set FIELD VALUE");
        auto field = Field(1);
        if (!field) return error_;
        auto value = Integer(2, FieldName(*field), 0, static_cast<long long>(FieldMaximum(*field)));
        if (!value) return error_;
        command_.action = Set{*field, static_cast<unsigned long>(*value)};
        return {};
    }

    std::string ControllerCommand() {
        if (!Count(4)) return Usage("cc PORT CHANNEL CONTROLLER VALUE");
        auto port = Integer(1, "PORT", 0, 3);
        auto channel = port ? Integer(2, "CHANNEL", 0, 15) : std::nullopt;
        auto controller = channel ? Integer(3, "CONTROLLER", 0, 127) : std::nullopt;
        auto value = controller ? Integer(4, "VALUE", 0, 127) : std::nullopt;
        if (!value) return error_;
        command_.action = ControllerChange{static_cast<int>(*port), static_cast<int>(*channel),
                                           static_cast<int>(*controller), static_cast<int>(*value)};
        return {};
    }

    std::string AutomateCommand() {
        if (!Count(4)) return Usage("automate FIELD PORT CHANNEL CONTROLLER");
        auto field = Field(1);
        if (!field) return error_;
        if (!IsRecordField(*field)) return std::string(FieldName(*field)) + " cannot be automated";
        auto port = Integer(2, "PORT", 0, 3);
        auto channel = port ? Integer(3, "CHANNEL", 0, 15) : std::nullopt;
        auto controller = channel ? Integer(4, "CONTROLLER", 0, 127) : std::nullopt;
        if (!controller) return error_;
        command_.action = Automate{*field, static_cast<int>(*port), static_cast<int>(*channel),
                                   static_cast<int>(*controller)};
        return {};
    }

    std::string ShowCommand() {
        if (!Count(1) || (words_[1] != "0" && words_[1] != "1")) return Usage("show 0|1");
        command_.action = Show{words_[1] == "1"};
        return {};
    }

    std::string PressCommand() {
        if (!Count(1)) return Usage("press editor|clip|cc|presets");
        std::optional<HostButton> button = HostButtonFromName(words_[1]);
        if (!button) return "unknown button '" + std::string(words_[1]) + "' (editor, clip, cc, presets)";
        command_.action = Press{*button};
        return {};
    }

    std::optional<int> ControlId(size_t index) {
        auto id = Integer(index, "ID", 1, 0xFFFF);
        return id ? std::optional<int>(static_cast<int>(*id)) : std::nullopt;
    }

    std::string ControlClickCommand() {
        if (!Count(1)) return Usage("clickid ID");
        auto id = ControlId(1);
        if (!id) return error_;
        command_.action = ControlClick{*id};
        return {};
    }

    std::string SelectCommand() {
        if (words_.size() < 3) return Usage("select ID TEXT");
        auto id = ControlId(1);
        if (!id) return error_;
        // The text runs from the second word to the end of the line, blanks inside kept.
        std::string_view text = Trim(body_.substr(static_cast<size_t>(words_[2].data() - body_.data())));
        command_.action = SelectLine{*id, std::string(text)};
        return {};
    }

    std::string Bare(const char* form, Action action) {
        if (!Count(0)) return Usage(form);
        command_.action = std::move(action);
        return {};
    }

    // A command with one of two words; `make` gets true for the first.
    template <typename Make>
    std::string Choice(const char* form, const char* first, const char* second, Make make) {
        if (!Count(1) || (!win::EqualsIgnoringCase(words_[1], first) && !win::EqualsIgnoringCase(words_[1], second)))
            return Usage(form);
        make(win::EqualsIgnoringCase(words_[1], first));
        return {};
    }

    std::string ExpectCommand() {
        if (!Count(2)) return Usage("expect FIELD VALUE");
        auto field = Field(1);
        if (!field) return error_;
        auto value = Integer(2, FieldName(*field), 0, static_cast<long long>(FieldMaximum(*field)));
        if (!value) return error_;
        command_.action = Expect{*field, static_cast<unsigned long>(*value)};
        return {};
    }

    std::string ExpectCallCommand() {
        std::string_view text = Rest();
        if (text.empty()) return Usage("expect-call TEXT");
        // Calls are written without blanks ("AddAutomation(lowFreq,1,2,7)"); allow them anyway.
        std::string call;
        for (char c : text)
            if (c != ' ' && c != '\t') call += c;
        command_.action = ExpectCall{call};
        return {};
    }

    std::string PrintCommand() {
        if (Count(0)) {
            command_.action = Print{0};
            return {};
        }
        if (!Count(1)) return Usage("print [ID|FIELD]");
        if (std::optional<BlockField> field = FieldFromName(words_[1])) {
            command_.action = PrintField{*field};
            return {};
        }
        auto id = ControlId(1);
        if (!id) return "expected a control id or a field name, got '" + std::string(words_[1]) + "'";
        command_.action = Print{*id};
        return {};
    }

    std::string_view body_;
    std::vector<std::string_view> words_;
    Command& command_;
    std::string error_;
};

}  // namespace

std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        size_t start = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
        if (i > start) words.push_back(s.substr(start, i - start));
    }
    return words;
}

ParseResult Parse(std::string_view text, std::string_view sourceName) {
    ParseResult result;
    int lineNumber = 0;
    while (!text.empty() || lineNumber == 0) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        std::string_view body = Trim(StripComment(line));
        if (body.empty()) continue;
        Command command;
        command.line = lineNumber;
        std::string error = LineParser(body, command).Run();
        if (error.empty()) result.commands.push_back(std::move(command));
        else result.errors.push_back(std::string(sourceName) + ":" + std::to_string(lineNumber) + ": " + error);
    }
    return result;
}

std::string FormatSummary() {
    return "  move X Y                 move the pointer (editor pixels, 0 0 = its top-left corner)\n"
           "  click X Y | rclick X Y | dblclick X Y\n"
           "                           left, right or double click\n"
           "  drag X1 Y1 X2 Y2         press the left button at X1 Y1, move, release at X2 Y2\n"
           "  down X Y | up X Y        press or release the left button there; it stays held\n"
           "                           across the commands between (move drags it)\n"
           "  rdrag X1 Y1 X2 Y2        the same with the right button\n"
           "  key NAME                 press a key: Up, Down, PageUp, PageDown, Tab, Enter, Escape,\n"
           "                           Space, Plus, Minus, A..Z, 0..9, F1..F12; Shift+, Ctrl+, Alt+\n"
           "  type TEXT                type into the control with the focus (printable\n"
           "                           Windows-1252 characters)\n"
           "  wait MS                  let MS milliseconds pass (timers run meanwhile)\n"
           "  screenshot PATH          save the screen as a PNG file\n"
           "  set FIELD VALUE          the host writes a value: effect, lowFreq, midFreq, highFreq,\n"
           "                           midCutoff, programNumber, optionFlags (0..255),\n"
           "                           statusFlags, presetsAvailable (32-bit), bypass (0|1)\n"
           "  cc PORT CHANNEL CONTROLLER VALUE\n"
           "                           an incoming MIDI controller change (0..3, 0..15, 0..127, 0..127)\n"
           "  automate FIELD PORT CHANNEL CONTROLLER\n"
           "                           the host restores a registration for a record\n"
           "  show 0|1                 hide or show the editor\n"
           "  press editor|clip|cc|presets\n"
           "                           click one of the host's buttons\n"
           "  seteffect slot|none      bind the host's effect slot to the component again, or none\n"
           "  refresh-automation       RefreshEffectAutomation with the host's slot\n"
           "  editor destroy|create    free the component object (and its editor), or get a new\n"
           "                           one from the factory and open its editor\n"
           "  print FIELD              print a field of the parameter block (\"lowFreq = 64\")\n"
           "  dump                     print the parameter block and registrations as JSON\n"
           "  expect FIELD VALUE       stop with status 1 unless the field holds VALUE\n"
           "  expect-call TEXT         stop with status 1 unless the editor made this call on the\n"
           "                           slot since the last expect-call, e.g.\n"
           "                           AddAutomation(lowFreq,1,2,7), SetBypassMode(1)\n"
           "  quit                     end the program\n"
           "The top-most window (a dialog, a dropped list, else the host's window):\n"
           "  wclick X Y | wrclick X Y | wdblclick X Y\n"
           "                           click in its client area (0 0 = its top-left corner)\n"
           "  clickid ID               click the middle of its control with this id\n"
           "  select ID TEXT           click the line TEXT of its list box ID (any letter case),\n"
           "                           scrolled into view first\n"
           "  print [ID]               print the control's text, or a list's lines with > before\n"
           "                           the selected one; without ID the window's title\n"
           "  # ...                    comment (at the start of a line or after a blank)\n"
           "Numbers are decimal or 0x hexadecimal.\n";
}

}  // namespace script
