#pragma once
// Plays a parsed demo script on the host's message loop, one command per timer tick: pointer and
// key commands become injected input (handled before the next tick, so each command sees the
// effect of the one before), "wait" lets time pass with every other timer running, and the rest
// goes to ScriptActions. Because it rides on timers it keeps playing inside the editor's modal
// loops, so a script can answer a dialog it opened. On a virtual clock it runs at once.
//
// A hidden top-level window of its own carries the timer. The actions object must outlive it.
#include <optional>
#include <string>
#include <vector>

#include "host/app/DemoScript.h"
#include "host/app/ScriptActions.h"
#include "platform/window/Window.h"

class ScriptPlayer : public win::Window {
public:
    ScriptPlayer(std::vector<script::Command> commands, std::string sourceName, ScriptActions& actions);

    bool Start();
    bool Finished() const { return finished_; }
    size_t CommandsRun() const { return next_; }

protected:
    void OnTimer(win::UINT_PTR id) override;

private:
    // Runs one command; returns the time until the next, or nullopt when the script stops here.
    std::optional<unsigned> Execute(const script::Command& command);
    // The commands that act on the top-most window; an error message, or empty.
    std::string ExecuteOnTopWindow(const script::Action& action);
    // print FIELD, dump, expect, expect-call and the host's operations; an error message, or empty.
    std::string ExecuteOnSlot(const script::Action& action);
    void Finish(bool quitRequested, const std::string& error);
    std::string Where(const script::Command& command) const;

    std::vector<script::Command> commands_;
    std::string sourceName_;
    ScriptActions& actions_;
    size_t next_ = 0;
    size_t callsChecked_ = 0;  // expect-call looks at the editor's calls from here on
    bool finished_ = false;
};
