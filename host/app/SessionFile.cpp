#include "host/app/SessionFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/app/DemoScript.h"
#include "platform/kernel/AtomicFile.h"
#include "platform/kernel/FileSystem.h"
#include "platform/kernel/ErrorMessage.h"
#include "platform/kernel/LastError.h"

namespace {

constexpr std::string_view kHeader = "kvx4-session 1";

std::optional<unsigned long> Number(std::string_view word, unsigned long maximum) {
    unsigned long value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value > maximum) return std::nullopt;
    return value;
}

using Seen = std::array<bool, SessionState::kFieldCount>;

// "FIELD VALUE"; an error text, or empty.
std::string ReadValue(const std::vector<std::string_view>& words, SessionState& state, Seen& seen) {
    const std::optional<BlockField> field = FieldFromName(words[0]);
    if (!field) return "unknown line \"" + std::string(words[0]) + "\"";
    const std::string name = FieldName(*field);
    if (words.size() != 2) return name + " needs one value";
    if (seen[static_cast<std::size_t>(*field)]) return name + " appears twice";
    const auto value = Number(words[1], FieldMaximum(*field));
    if (!value) return name + " must be 0.." + std::to_string(FieldMaximum(*field));
    seen[static_cast<std::size_t>(*field)] = true;
    state.Value(*field) = *value;
    return {};
}

// "automate FIELD PORT CHANNEL CONTROLLER"; an error text, or empty.
std::string ReadAutomation(const std::vector<std::string_view>& words, SessionState& state) {
    if (words.size() != 5) return "automate needs a field, a port, a channel and a controller";
    const std::optional<BlockField> field = FieldFromName(words[1]);
    if (!field) return "unknown field \"" + std::string(words[1]) + "\"";
    const std::string name = FieldName(*field);
    if (!IsRecordField(*field)) return name + " cannot be automated";
    const auto port = Number(words[2], 3), channel = Number(words[3], 15), controller = Number(words[4], 127);
    if (!port || !channel || !controller) return "automate takes port 0..3, channel 0..15, controller 0..127";
    for (const auto& r : state.registrations)
        if (r.field == *field) return name + " is automated twice";
    state.registrations.push_back(
        {*field, static_cast<int>(*port), static_cast<int>(*channel), static_cast<int>(*controller)});
    return {};
}

// PATH.damaged, PATH.damaged-2, ...: the first name that is free.
std::optional<std::string> FreeAsideName(const std::string& path) {
    for (int n = 1; n <= 1000; ++n) {
        std::string candidate = path + ".damaged" + (n == 1 ? "" : "-" + std::to_string(n));
        struct stat info;
        if (lstat(candidate.c_str(), &info) != 0 && errno == ENOENT) return candidate;
    }
    return std::nullopt;
}

}  // namespace

SessionState CaptureSession(CEffectsPlugin& slot) {
    SessionState state;
    for (std::size_t i = 0; i < SessionState::kFieldCount; ++i) {
        const auto field = static_cast<BlockField>(i);
        state.Value(field) = FieldValue(slot, field).value_or(0);
    }
    if (const tagEffectParams* block = slot.ParameterBlock())
        for (BlockField field : RecordFields())
            if (auto held = slot.FindRegistration(FieldRecord(*block, field)))
                state.registrations.push_back({field, held->port, held->channel, held->controller});
    return state;
}

std::string FormatSession(const SessionState& state) {
    std::string text = "# The effect slot of kvx4-host as it was when the host last closed.\n";
    text += std::string(kHeader) + "\n";
    for (std::size_t i = 0; i < SessionState::kFieldCount; ++i) {
        const auto field = static_cast<BlockField>(i);
        text += std::string(FieldName(field)) + " " + std::to_string(state.Value(field)) + "\n";
    }
    for (const auto& r : state.registrations)
        text += std::string("automate ") + FieldName(r.field) + " " + std::to_string(r.port) + " " +
                std::to_string(r.channel) + " " + std::to_string(r.controller) + "\n";
    return text;
}

std::optional<SessionState> ParseSession(std::string_view text, std::string* error) {
    SessionState state;
    Seen seen{};
    bool headerSeen = false;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find('\0') != std::string_view::npos) {
            *error = "line " + std::to_string(number) + ": a NUL byte";
            return std::nullopt;
        }
        const std::vector<std::string_view> words = script::Words(line);
        if (words.empty() || words[0][0] == '#') continue;
        std::string problem;
        if (!headerSeen) {
            if (words.size() != 2 || words[0] != "kvx4-session" || words[1] != "1")
                problem = "not a kvx4-host session (\"" + std::string(kHeader) + "\" expected)";
            headerSeen = true;
        } else {
            problem = words[0] == "automate" ? ReadAutomation(words, state) : ReadValue(words, state, seen);
        }
        if (!problem.empty()) {
            *error = "line " + std::to_string(number) + ": " + problem;
            return std::nullopt;
        }
    }
    if (!headerSeen) {
        *error = "empty";
        return std::nullopt;
    }
    for (std::size_t i = 0; i < SessionState::kFieldCount; ++i)
        if (!seen[i]) {
            *error = std::string(FieldName(static_cast<BlockField>(i))) + " is missing";
            return std::nullopt;
        }
    // One order whatever the file's, so that a restored session saves as it was read.
    std::stable_sort(state.registrations.begin(), state.registrations.end(),
                     [](const auto& a, const auto& b) { return a.field < b.field; });
    return state;
}

SessionLoad LoadSessionFile(const std::string& path) {
    SessionLoad load;
    const win::FileContents contents = win::ReadWholeFile(path, kSessionFileLimit);
    if (!contents.exists) return load;
    std::string problem;
    if (contents.error == win::ERROR_SUCCESS) {
        if (auto state = ParseSession(contents.bytes, &problem)) {
            load.outcome = SessionLoad::Outcome::Restored;
            load.state = *state;
            return load;
        }
    } else if (contents.error == win::ERROR_FILE_TOO_LARGE) {
        problem = "larger than " + std::to_string(kSessionFileLimit / 1024) + " KiB";
    } else {
        load.outcome = SessionLoad::Outcome::Unreadable;
        load.message = "cannot read the session " + path + ": " + win::ErrorMessage(contents.error) +
                       "; starting fresh and leaving the file alone (fix it, or give --session FILE or --no-session)";
        return load;
    }
    const std::optional<std::string> aside = FreeAsideName(path);
    const bool moved = aside && ::rename(path.c_str(), aside->c_str()) == 0;
    const int renameError = errno;
    if (moved) {
        load.outcome = SessionLoad::Outcome::SetAside;
        load.message = "the session " + path + " is damaged (" + problem + "); kept it as " + *aside +
                       " and starting fresh";
        return load;
    }
    load.outcome = SessionLoad::Outcome::Unreadable;
    load.message = "the session " + path + " is damaged (" + problem + ") and cannot be set aside (" +
                   (aside ? std::string(std::strerror(renameError)) : std::string("no free name")) +
                   "); starting fresh and leaving the file alone (move it away, or give --session FILE or --no-session)";
    return load;
}

bool SaveSessionFile(const std::string& path, const SessionState& state, std::string* error) {
    if (const std::string folder = win::ParentDirectory(path); !folder.empty()) {
        if (win::DWORD failed = win::EnsureDirectory(folder); failed != win::ERROR_SUCCESS) {
            *error = "cannot create the session folder " + folder + ": " + win::ErrorMessage(failed);
            return false;
        }
    }
    if (win::DWORD failed = win::WriteFileAtomically(path, FormatSession(state)); failed != win::ERROR_SUCCESS) {
        *error = "cannot save the session " + path + ": " + win::ErrorMessage(failed) + "; the previous session file is unchanged (free the disk or fix the folder, or give --session FILE "
                 "to save elsewhere)";
        return false;
    }
    return true;
}

std::string DefaultSessionPath() {
    // A relative XDG_STATE_HOME is invalid and must be ignored.
    const char* state = std::getenv("XDG_STATE_HOME");
    const std::string base = state && state[0] == '/' ? state : win::HomeDirectory() + "/.local/state";
    return base + "/kvx4/session.kvx4session";
}
