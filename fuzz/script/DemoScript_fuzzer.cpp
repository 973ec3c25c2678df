// The demo-script parser over any text. Every line with a command gives one command or one error,
// in line order; a command's numbers are within the documented ranges and were written in the
// documented forms (decimal with an optional minus, or 0x hexadecimal); and the commands, written
// out again in the documented format, parse back to themselves.
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "fuzz/support/Scratch.h"
#include "host/app/DemoScript.h"
#include "platform/gdi/TextCodec.h"
#include "host/app/KeyNames.h"
#include "platform/kernel/AsciiCase.h"

namespace {

using fuzzsupport::Printable;
using namespace script;

constexpr char kSource[] = "fuzz";

// Names for the virtual keys and characters for the strokes the parser can give, found through the
// parser's own lookups so that they stay in step with it.
struct KeyTables {
    std::map<win::UINT, std::string> names;
    std::map<std::tuple<win::UINT, bool, bool, bool>, char> characters;

    KeyTables() {
        std::vector<std::string> candidates;
        const std::string known = KnownKeyNames();
        for (std::size_t start = 0; start < known.size();) {
            const std::size_t end = std::min(known.find(' ', start), known.size());
            candidates.push_back(known.substr(start, end - start));
            start = end + 1;
        }
        for (char c = 'A'; c <= 'Z'; ++c) candidates.emplace_back(1, c);
        for (char c = '0'; c <= '9'; ++c) candidates.emplace_back(1, c);
        for (int f = 1; f <= 12; ++f) candidates.push_back("F" + std::to_string(f));
        for (const std::string& name : candidates)
            if (auto stroke = ParseKeyStroke(name)) names.emplace(stroke->vk, name);
        for (int c = 1; c < 128; ++c) {
            const std::string text(1, static_cast<char>(c));
            if (auto strokes = KeyStrokesForText(text); strokes && (*strokes)[0].vk != 0)
                characters.emplace(std::make_tuple((*strokes)[0].vk, (*strokes)[0].shift, (*strokes)[0].control,
                                                   (*strokes)[0].alt),
                                   static_cast<char>(c));
        }
    }
};

const KeyTables& Keys() {
    static const KeyTables tables;
    return tables;
}

std::string PointText(win::Point p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

std::string Format(const Action& action) {
    if (auto* move = std::get_if<Move>(&action)) return "move " + PointText(move->to);
    if (auto* click = std::get_if<Click>(&action))
        return std::string(click->twice ? "dblclick " : click->button ? "rclick " : "click ") + PointText(click->at);
    if (auto* drag = std::get_if<Drag>(&action))
        return std::string(drag->button ? "rdrag " : "drag ") + PointText(drag->from) + " " + PointText(drag->to);
    if (auto* key = std::get_if<Key>(&action)) {
        const auto name = Keys().names.find(key->stroke.vk);
        FUZZ_REQUIRE(name != Keys().names.end(), "a key stroke with no name: vk " + std::to_string(key->stroke.vk));
        return std::string("key ") + (key->stroke.shift ? "Shift+" : "") + (key->stroke.control ? "Ctrl+" : "") +
               (key->stroke.alt ? "Alt+" : "") + name->second;
    }
    if (auto* type = std::get_if<Type>(&action)) {
        std::string text;
        for (const KeyStroke& s : type->strokes) {
            if (s.vk == 0) {
                FUZZ_REQUIRE(s.character >= 0x20 && s.character <= 0xFF && s.character != 0x7F,
                             "a typed character outside printable Windows-1252");
                text += win::Cp1252ToUtf8(std::string(1, static_cast<char>(s.character)));
                continue;
            }
            const auto c = Keys().characters.find(std::make_tuple(s.vk, s.shift, s.control, s.alt));
            FUZZ_REQUIRE(c != Keys().characters.end(), "a typed stroke no character gives");
            text += c->second;
        }
        return "type " + text;
    }
    if (auto* wait = std::get_if<Wait>(&action)) return "wait " + std::to_string(wait->ms);
    if (auto* shot = std::get_if<Screenshot>(&action)) return "screenshot " + shot->path;
    if (auto* set = std::get_if<Set>(&action))
        return std::string("set ") + FieldName(set->field) + " " + std::to_string(set->value);
    if (auto* cc = std::get_if<ControllerChange>(&action))
        return "cc " + std::to_string(cc->port) + " " + std::to_string(cc->channel) + " " + std::to_string(cc->controller) +
               " " + std::to_string(cc->value);
    if (auto* automate = std::get_if<Automate>(&action))
        return std::string("automate ") + FieldName(automate->field) + " " + std::to_string(automate->port) + " " +
               std::to_string(automate->channel) + " " + std::to_string(automate->controller);
    if (auto* show = std::get_if<Show>(&action)) return show->show ? "show 1" : "show 0";
    if (auto* press = std::get_if<Press>(&action)) return std::string("press ") + HostButtonName(press->button);
    return "quit";
}

std::string FormatAll(const std::vector<Command>& commands) {
    std::string text;
    for (const Command& command : commands) text += Format(command.action) + "\n";
    return text;
}

bool InRange(long long value, long long low, long long high) { return value >= low && value <= high; }

void CheckRanges(const Action& action) {
    auto point = [](win::Point p) { return InRange(p.x, -10000, 10000) && InRange(p.y, -10000, 10000); };
    bool ok = true;
    if (auto* move = std::get_if<Move>(&action)) ok = point(move->to);
    if (auto* click = std::get_if<Click>(&action)) ok = point(click->at) && InRange(click->button, 0, 1);
    if (auto* drag = std::get_if<Drag>(&action)) ok = point(drag->from) && point(drag->to) && InRange(drag->button, 0, 1);
    if (auto* wait = std::get_if<Wait>(&action)) ok = wait->ms <= 3600000;
    if (auto* set = std::get_if<Set>(&action)) ok = set->value <= FieldMaximum(set->field);
    if (auto* cc = std::get_if<ControllerChange>(&action))
        ok = InRange(cc->port, 0, 3) && InRange(cc->channel, 0, 15) && InRange(cc->controller, 0, 127) && InRange(cc->value, 0, 127);
    if (auto* automate = std::get_if<Automate>(&action))
        ok = IsRecordField(automate->field) && InRange(automate->port, 0, 3) && InRange(automate->channel, 0, 15) &&
             InRange(automate->controller, 0, 127);
    if (auto* shot = std::get_if<Screenshot>(&action)) ok = !shot->path.empty();
    FUZZ_REQUIRE(ok, "a command outside its documented ranges: " + Printable(Format(action)));
}

// Decimal with an optional minus, or 0x and hexadecimal digits.
bool IsNumberWord(std::string_view word) {
    auto digits = [](std::string_view s, bool hex) {
        if (s.empty()) return false;
        for (char c : s)
            if (!(c >= '0' && c <= '9') && !(hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))) return false;
        return true;
    };
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) return digits(word.substr(2), true);
    if (!word.empty() && word[0] == '-') word.remove_prefix(1);
    return digits(word, false);
}

// The words of a source line as the format defines them: a comment starts at a # that begins the
// line or follows a blank, and words are separated by blanks.
std::vector<std::string_view> SourceWords(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
            line = line.substr(0, i);
            break;
        }
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

void CheckNumberForms(const Command& command, std::string_view line) {
    const std::vector<std::string_view> words = SourceWords(line);
    std::size_t first = 1;  // the first word that is a number
    if (std::holds_alternative<Set>(command.action) || std::holds_alternative<Automate>(command.action)) first = 2;
    const bool numeric = std::holds_alternative<Move>(command.action) || std::holds_alternative<Click>(command.action) ||
                         std::holds_alternative<Drag>(command.action) || std::holds_alternative<Wait>(command.action) ||
                         std::holds_alternative<Set>(command.action) ||
                         std::holds_alternative<ControllerChange>(command.action) ||
                         std::holds_alternative<Automate>(command.action);
    if (!numeric) return;
    for (std::size_t i = first; i < words.size(); ++i)
        FUZZ_REQUIRE(IsNumberWord(words[i]), "line " + std::to_string(command.line) + " accepted " + Printable(words[i]) +
                                            " as a number");
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (true) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return lines;
        text.remove_prefix(end + 1);
    }
}

int ErrorLine(const std::string& error) {
    const std::string prefix = std::string(kSource) + ":";
    FUZZ_REQUIRE(error.rfind(prefix, 0) == 0, "an error without the source name: " + Printable(error));
    const std::size_t colon = error.find(": ", prefix.size());
    FUZZ_REQUIRE(colon != std::string::npos, "an error without a line: " + Printable(error));
    return std::stoi(error.substr(prefix.size(), colon - prefix.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ParseResult result = Parse(text, kSource);
    const std::vector<std::string_view> lines = Lines(text);

    std::vector<bool> used(lines.size() + 1, false);
    int previous = 0;
    for (const Command& command : result.commands) {
        FUZZ_REQUIRE(command.line > previous && command.line <= static_cast<int>(lines.size()), "command lines out of order");
        previous = command.line;
        used[static_cast<std::size_t>(command.line)] = true;
        CheckRanges(command.action);
        CheckNumberForms(command, lines[static_cast<std::size_t>(command.line - 1)]);
    }
    previous = 0;
    for (const std::string& error : result.errors) {
        const int line = ErrorLine(error);
        FUZZ_REQUIRE(line > previous && line <= static_cast<int>(lines.size()), "error lines out of order");
        FUZZ_REQUIRE(!used[static_cast<std::size_t>(line)], "a line gave both a command and an error");
        previous = line;
    }

    const std::string written = FormatAll(result.commands);
    const ParseResult again = Parse(written, kSource);
    FUZZ_REQUIRE(again.Ok(), "a parsed command does not parse when written out: " + (again.Ok() ? "" : again.errors.front()));
    FUZZ_REQUIRE(again.commands.size() == result.commands.size() && FormatAll(again.commands) == written,
            "commands written out parse to different ones:\n" + written);
    return 0;
}
