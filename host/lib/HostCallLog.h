#pragma once
// The effect slot's record of the calls a component made on it, in order, with their arguments,
// so that tests and the host's readout can check what an editor asked of the host. The log belongs
// to one CEffectsPlugin; only the calls a component makes are logged, never the host's own.
#include <string>
#include <vector>

#include "host/lib/AutomationRecord.h"
#include "host/lib/HostApi.h"

enum class HostCallKind {
    GetBypassMode,
    SetBypassMode,
    AddAutomation,
    RemoveAutomation,
    IsAutomated,
    RefreshAutomation,
};

struct KVX4_HOST_API HostCall {
    HostCallKind kind;
    const tagMAREG* record;  // null for the bypass calls
    std::string recordName;  // the block field it is, "null", or "foreign" for a record outside the block
    std::vector<int> arguments;  // after the record
    int result;

    // "AddAutomation(lowFreq,1,2,7)", "SetBypassMode(1)", "GetBypassMode()".
    std::string ToString() const;
};

KVX4_HOST_API const char* HostCallName(HostCallKind kind);

class KVX4_HOST_API HostCallLog {
public:
    void Append(HostCall call);
    void Clear() { calls_.clear(); }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }

    const std::vector<HostCall>& Calls() const { return calls_; }
    std::vector<std::string> Texts() const;

private:
    std::vector<HostCall> calls_;
    bool enabled_ = true;
};
