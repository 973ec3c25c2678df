#pragma once
// Reads a demo script file, or says why not in words a user can act on.
#include <string>

struct ScriptFileText {
    std::string text;
    std::string error;  // "cannot read script PATH: REASON", empty when read
    bool Ok() const { return error.empty(); }
};

ScriptFileText ReadScriptFile(const std::string& path);
