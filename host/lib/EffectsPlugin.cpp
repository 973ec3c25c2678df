#include "host/lib/EffectsPlugin.h"

#include <algorithm>

namespace {

constexpr int kPortCount = 4;
constexpr int kChannelCount = 16;
constexpr int kControllerCount = 128;

void Stamp(tagMAREG& record, int port, int channel, int controller) {
    record.port = static_cast<win::BYTE>(port);
    record.channel = static_cast<win::BYTE>(channel);
    record.controller = static_cast<win::BYTE>(controller);
}

}  // namespace

CEffectsPlugin::CEffectsPlugin(Block block) : hasBlock_(block == Block::Present) {
    // A fresh slot has the user presets available; the engine clears this while it cannot load one.
    block_.presetsAvailable = 1;
}

CEffectsPlugin::~CEffectsPlugin() = default;

tagEffectParams* CEffectsPlugin::GetInterface() { return hasBlock_ ? &block_ : nullptr; }

bool CEffectsPlugin::GetBypassMode() {
    Log(HostCallKind::GetBypassMode, nullptr, {}, bypass_);
    return bypass_;
}

void CEffectsPlugin::SetBypassMode(bool bypass) {
    bypass_ = bypass;
    Log(HostCallKind::SetBypassMode, nullptr, {bypass ? 1 : 0}, 0);
}

int CEffectsPlugin::AddAutomation(tagMAREG* record, int port, int channel, int controller) {
    int index = RecordIndex(record);
    bool valid = index >= 0 && port >= 0 && port < kPortCount && channel >= 0 && channel < kChannelCount &&
                 controller >= 0 && controller < kControllerCount;
    if (valid) {
        held_[index] = Held{port, channel, controller};
        Stamp(*record, port, channel, controller);
    }
    Log(HostCallKind::AddAutomation, record, {port, channel, controller}, valid ? 1 : 0);
    if (valid) AutomationChanged();
    return valid ? 1 : 0;
}

int CEffectsPlugin::RemoveAutomation(tagMAREG* record) {
    int index = RecordIndex(record);
    bool removed = index >= 0 && held_[index].has_value();
    if (removed) held_[index].reset();
    Log(HostCallKind::RemoveAutomation, record, {}, removed ? 1 : 0);
    if (removed) AutomationChanged();
    return removed ? 1 : 0;
}

int CEffectsPlugin::IsAutomated(tagMAREG* record) {
    int index = RecordIndex(record);
    int automated = index >= 0 && held_[index].has_value() ? 1 : 0;
    Log(HostCallKind::IsAutomated, record, {}, automated);
    return automated;
}

int CEffectsPlugin::RefreshAutomation(tagMAREG* record) {
    int index = RecordIndex(record);
    int refreshed = 0;
    if (index >= 0 && held_[index]) {
        Stamp(*record, held_[index]->port, held_[index]->channel, held_[index]->controller);
        refreshed = 1;
    }
    Log(HostCallKind::RefreshAutomation, record, {}, refreshed);
    return refreshed;
}

bool CEffectsPlugin::SetValueFromHost(tagMAREG* record, win::BYTE value) {
    if (RecordIndex(record) < 0) return false;
    record->value = value;
    return true;
}

void CEffectsPlugin::SetStatusFlags(win::DWORD flags) { block_.statusFlags = flags; }

int CEffectsPlugin::ApplyControllerMessage(int port, int channel, int controller, int value) {
    if (!hasBlock_) return 0;
    auto byte = static_cast<win::BYTE>(std::clamp(value, 0, 127));
    int changed = 0;
    for (int i = 0; i < kRecordCount; ++i) {
        const auto& held = held_[i];
        if (held && held->port == port && held->channel == channel && held->controller == controller) {
            (block_.*kEffectRecords[i].member).value = byte;
            ++changed;
        }
    }
    return changed;
}

std::optional<AutomationRegistration> CEffectsPlugin::FindRegistration(const tagMAREG* record) const {
    int index = RecordIndex(record);
    if (index < 0 || !held_[index]) return std::nullopt;
    const Held& held = *held_[index];
    return AutomationRegistration{record, kEffectRecords[index].name, held.port, held.channel, held.controller};
}

std::vector<AutomationRegistration> CEffectsPlugin::Registrations() const {
    std::vector<AutomationRegistration> registrations;
    for (int i = 0; i < kRecordCount; ++i) {
        if (!held_[i]) continue;
        const tagMAREG* record = &(block_.*kEffectRecords[i].member);
        registrations.push_back({record, kEffectRecords[i].name, held_[i]->port, held_[i]->channel, held_[i]->controller});
    }
    return registrations;
}

const char* CEffectsPlugin::RecordName(const tagMAREG* record) const {
    if (!record) return "null";
    int index = RecordIndex(record);
    return index >= 0 ? kEffectRecords[index].name : "foreign";
}

int CEffectsPlugin::RecordIndex(const tagMAREG* record) const {
    if (!hasBlock_ || !record) return -1;
    for (int i = 0; i < kRecordCount; ++i) {
        if (&(block_.*kEffectRecords[i].member) == record) return i;
    }
    return -1;
}

void CEffectsPlugin::Log(HostCallKind kind, const tagMAREG* record, std::vector<int> arguments, int result) {
    if (!log_.Enabled()) return;
    bool takesRecord = kind != HostCallKind::GetBypassMode && kind != HostCallKind::SetBypassMode;
    log_.Append(HostCall{kind, record, takesRecord ? RecordName(record) : "", std::move(arguments), result});
}

void CEffectsPlugin::AutomationChanged() {
    ++automationChanges_;
    if (observer_) observer_(*this);
}
