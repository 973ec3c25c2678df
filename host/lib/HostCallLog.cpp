#include "host/lib/HostCallLog.h"

const char* HostCallName(HostCallKind kind) {
    switch (kind) {
        case HostCallKind::GetBypassMode: return "GetBypassMode";
        case HostCallKind::SetBypassMode: return "SetBypassMode";
        case HostCallKind::AddAutomation: return "AddAutomation";
        case HostCallKind::RemoveAutomation: return "RemoveAutomation";
        case HostCallKind::IsAutomated: return "IsAutomated";
        case HostCallKind::RefreshAutomation: return "RefreshAutomation";
    }
    return "?";
}

std::string HostCall::ToString() const {
    std::string text = HostCallName(kind);
    text += '(';
    bool first = true;
    if (!recordName.empty()) {
        text += recordName;
        first = false;
    }
    for (int argument : arguments) {
        if (!first) text += ',';
        text += std::to_string(argument);
        first = false;
    }
    text += ')';
    return text;
}

void HostCallLog::Append(HostCall call) {
    if (enabled_) calls_.push_back(std::move(call));
}

std::vector<std::string> HostCallLog::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(calls_.size());
    for (const HostCall& call : calls_) texts.push_back(call.ToString());
    return texts;
}
