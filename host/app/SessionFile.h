#pragma once
// The host's session: what a saved song keeps of its effect slot (the parameter block's values,
// the bypass mode and every automation registration), as a small text file that the host restores
// on start and replaces atomically on exit. The lines use the words of the demo scripts' `set` and
// `automate` commands:
//
//     kvx4-session 1
//     effect 100
//     ...
//     bypass 0
//     automate lowFreq 1 2 7
//
// A file that does not read exactly so is damaged: it is renamed aside (PATH.damaged, then
// PATH.damaged-2, ...) and reported, never read in part and never overwritten.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/app/ParameterFields.h"

struct SessionState {
    static constexpr std::size_t kFieldCount = static_cast<std::size_t>(BlockField::Bypass) + 1;
    struct Registration {
        BlockField field;
        int port, channel, controller;
        bool operator==(const Registration&) const = default;
    };

    std::array<unsigned long, kFieldCount> values{};  // indexed by BlockField
    std::vector<Registration> registrations;          // at most one per record, in block field order

    unsigned long& Value(BlockField field) { return values[static_cast<std::size_t>(field)]; }
    unsigned long Value(BlockField field) const { return values[static_cast<std::size_t>(field)]; }
    bool operator==(const SessionState&) const = default;
};

// Largest session file read; a bigger one is damaged.
constexpr std::size_t kSessionFileLimit = 64 * 1024;

SessionState CaptureSession(CEffectsPlugin& slot);
std::string FormatSession(const SessionState& state);
// The state, or nullopt with *error set to "line N: what is wrong".
std::optional<SessionState> ParseSession(std::string_view text, std::string* error);

struct SessionLoad {
    enum class Outcome {
        Missing,     // nothing there yet: start fresh, save on exit
        Restored,    // `state` holds the session
        SetAside,    // damaged and renamed aside: start fresh, save on exit
        Unreadable,  // there but not readable, or damaged and not movable: start fresh, do not save over it
    };
    Outcome outcome = Outcome::Missing;
    SessionState state;
    std::string message;  // for SetAside and Unreadable: what happened, the path, the reason, what to do
};

SessionLoad LoadSessionFile(const std::string& path);
// Creates the folder when needed; false with *error naming the path and the reason.
bool SaveSessionFile(const std::string& path, const SessionState& state, std::string* error);

// $XDG_STATE_HOME/kvx4/session.kvx4session, else ~/.local/state/kvx4/session.kvx4session.
std::string DefaultSessionPath();
