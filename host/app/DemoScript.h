#pragma once
// Demo scripts: plain text, one command per line, that drive the host program the way a person
// would (pointer and keys) and the way the host's engine would (value bytes, controller changes).
// Pointer coordinates are pixels in the editor area, whose top-left corner is 0 0. ParseDemoScript
// turns the text into commands; ScriptPlayer runs them.
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/app/HostButtons.h"
#include "host/app/KeyNames.h"
#include "host/app/ParameterFields.h"
#include "platform/base/Geometry.h"

namespace script {

struct Move { win::Point to; };
struct Click {
    win::Point at;
    int button = 0;  // 0 left, 1 right
    bool twice = false;
};
struct Drag {
    win::Point from;
    win::Point to;
    int button = 0;
};
struct Key { KeyStroke stroke; };
struct Type { std::vector<KeyStroke> strokes; };
struct Wait { unsigned ms = 0; };
struct Screenshot { std::string path; };
struct Set {
    BlockField field = BlockField::Effect;
    unsigned long value = 0;
};
struct ControllerChange { int port = 0, channel = 0, controller = 0, value = 0; };
// The host restores a registration it keeps (as from a saved session), without the editor.
struct Automate {
    BlockField field = BlockField::Effect;
    int port = 0, channel = 0, controller = 0;
};
struct Show { bool show = true; };
struct Press { HostButton button = HostButton::Editor; };
struct Quit {};
// These act on the top-most window (a dialog, a dropped list, a menu, else the host's own window),
// whose place on the screen a script cannot know. Points are in that window's client area.
struct WindowClick {
    win::Point at;
    int button = 0;
    bool twice = false;
};
struct ControlClick { int id = 0; };  // at the middle of the control with this id
struct SelectLine {                   // in the list box with this id, as a click on the line
    int id = 0;
    std::string text;
};
struct Print { int id = 0; };  // 0: the window's title

// Checks and the host's operations on the component, so a script alone can test an editor.
struct PrintField { BlockField field = BlockField::Effect; };
struct Dump {};
struct Expect {
    BlockField field = BlockField::Effect;
    unsigned long value = 0;
};
struct ExpectCall { std::string text; };  // as HostCall::ToString writes it
struct Button {                           // the left button held down or let go, across commands
    win::Point at;
    bool down = true;
};
struct BindEffect { bool bind = true; };  // SetEffect with the host's slot, or with none
struct RefreshAutomation {};              // RefreshEffectAutomation with the host's slot
struct EditorLife { bool create = true; };  // free the component object, or make one and its editor

using Action = std::variant<Move, Click, Drag, Key, Type, Wait, Screenshot, Set, ControllerChange, Automate, Show,
                            Press, Quit, WindowClick, ControlClick, SelectLine, Print, PrintField, Dump, Expect,
                            ExpectCall, Button, BindEffect, RefreshAutomation, EditorLife>;

struct Command {
    int line = 0;
    Action action;
};

struct ParseResult {
    std::vector<Command> commands;
    // One "name:line: message" per bad line, in line order; empty when the script is good.
    std::vector<std::string> errors;
    bool Ok() const { return errors.empty(); }
};

ParseResult Parse(std::string_view text, std::string_view sourceName);

// The blank-separated words of a line, as the scripts and the session file split them.
std::vector<std::string_view> Words(std::string_view line);

// The format as the help text and the README describe it.
std::string FormatSummary();

}  // namespace script
