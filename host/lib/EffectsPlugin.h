#pragma once
// One equaliser slot of the host's mixer. It owns the slot's parameter block, its bypass state and
// the MIDI automation registrations on the block's five records, and logs every call a component
// makes on it. The host creates and destroys slots; a component borrows one (through SetEffect) and
// must not use it after the host destroyed it. Every call comes from the host's user-interface
// thread, so nothing here locks.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/lib/AutomationRecord.h"
#include "host/lib/AutomationRegistration.h"
#include "host/lib/EffectParams.h"
#include "host/lib/HostApi.h"
#include "host/lib/HostCallLog.h"
#include "platform/base/WinTypes.h"

class KVX4_HOST_API CEffectsPlugin {
public:
    // A slot without a parameter block stands for a host whose engine has not attached one yet.
    enum class Block { Present, Absent };
    using AutomationObserver = std::function<void(const CEffectsPlugin&)>;

    explicit CEffectsPlugin(Block block = Block::Present);
    ~CEffectsPlugin();
    CEffectsPlugin(const CEffectsPlugin&) = delete;
    CEffectsPlugin& operator=(const CEffectsPlugin&) = delete;

    // What components call. Automation calls take only the records of this slot's own block; any
    // other record, or a slot without a block, gets 0 and nothing is written.
    tagEffectParams* GetInterface();
    bool GetBypassMode();
    void SetBypassMode(bool bypass);
    // Registers (or re-registers) the record and stamps port, channel and controller into its
    // bytes 1..3. 1 on success, 0 when an argument is out of range (port 0..3, channel 0..15,
    // controller 0..127).
    int AddAutomation(tagMAREG* record, int port, int channel, int controller);
    // Withdraws the registration; bytes 1..3 keep the last registration, as the host leaves them.
    int RemoveAutomation(tagMAREG* record);
    int IsAutomated(tagMAREG* record);
    // Stamps the held registration into the record again; 0 when none is held.
    int RefreshAutomation(tagMAREG* record);

    // The host's side: its engine and its MIDI input change the block behind the editor's back.
    bool SetValueFromHost(tagMAREG* record, win::BYTE value);
    void SetStatusFlags(win::DWORD flags);
    // An incoming controller change: every record registered for (port, channel, controller) takes
    // the value, clamped to 0..127. Returns the number of records changed.
    int ApplyControllerMessage(int port, int channel, int controller, int value);

    // For the host's readout; none of these is logged.
    const tagEffectParams* ParameterBlock() const { return hasBlock_ ? &block_ : nullptr; }
    bool BypassMode() const { return bypass_; }
    std::optional<AutomationRegistration> FindRegistration(const tagMAREG* record) const;
    std::vector<AutomationRegistration> Registrations() const;  // in block field order
    // Counts every registration added, replaced or withdrawn; the observer runs after each.
    unsigned AutomationChangeCount() const { return automationChanges_; }
    void SetAutomationObserver(AutomationObserver observer) { observer_ = std::move(observer); }
    // "effect", "highFreq", "midFreq", "lowFreq", "midCutoff", "null" or "foreign".
    const char* RecordName(const tagMAREG* record) const;

    HostCallLog& CallLog() { return log_; }
    const HostCallLog& CallLog() const { return log_; }

private:
    static constexpr int kRecordCount = static_cast<int>(kEffectRecords.size());
    struct Held {
        int port;
        int channel;
        int controller;
    };

    int RecordIndex(const tagMAREG* record) const;
    void Log(HostCallKind kind, const tagMAREG* record, std::vector<int> arguments, int result);
    void AutomationChanged();

    tagEffectParams block_{};
    bool hasBlock_;
    bool bypass_ = false;
    std::array<std::optional<Held>, kRecordCount> held_;
    unsigned automationChanges_ = 0;
    AutomationObserver observer_;
    HostCallLog log_;
};
