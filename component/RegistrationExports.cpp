#include "component/RegistrationExports.h"

#include "component/ComponentModule.h"
#include "platform/kernel/ModulePath.h"
#include "platform/window/MessageBox.h"

namespace {

constexpr const char* kDisplayName = "DU Dazaro Veruvur (KVX4)";

void ReportRegistrationProblem() {
    win::MessageBoxA(nullptr, "Problem regi stering component", "KVX4", win::MB_OK);
}

}  // namespace

bool DllRegisterComponent() {
    win::ModuleStateScope scope(ComponentModule());
    char path[CRV_PATH_SIZE] = {};
    // An address with internal linkage, so that no other library's symbol can stand in for ours. A
    // truncated path would announce a library that does not exist, so it counts as a failure.
    win::DWORD length = win::GetModuleFileNameA(reinterpret_cast<const void*>(&ReportRegistrationProblem), path,
                                                CRV_PATH_SIZE);
    if (length == 0 || length >= CRV_PATH_SIZE) {
        ReportRegistrationProblem();
        return false;
    }
    RegisterEffects(kDisplayName, path);
    return true;
}

int DllUnregisterComponent() {
    win::ModuleStateScope scope(ComponentModule());
    return 1;
}

int GetComponentCount(int category) { return CountComponentValues(category); }

bool EnumComponents(int category, tagCRVComponent* records) { return EnumComponentValues(category, records); }

// The plain names as aliases rather than forwarders: one function under two names, with one
// address. The compiler rejects an alias whose target this file does not define, so a changed
// signature cannot leave a plain name pointing nowhere.
extern "C" {
KVX4_REGISTRATION_API int GetComponentCountPlainName(int category) __asm__("GetComponentCount")
    __attribute__((alias("_Z17GetComponentCounti")));
KVX4_REGISTRATION_API bool EnumComponentsPlainName(int category, tagCRVComponent* records) __asm__("EnumComponents")
    __attribute__((alias("_Z14EnumComponentsiP15tagCRVComponent")));
}

bool RegisterWaveEditor(const char* name, const char* path) {
    return RegisterComponentValue(CRV_CATEGORY_WAVE_EDITORS, name, path);
}

bool RegisterInstrumentEditor(const char* name, const char* path) {
    return RegisterComponentValue(CRV_CATEGORY_INSTRUMENT_EDITORS, name, path);
}

bool RegisterSamplerConverter(const char* name, const char* path) {
    return RegisterComponentValue(CRV_CATEGORY_SAMPLE_CONVERTERS, name, path);
}

bool RegisterSequencer(const char* name, const char* path) {
    return RegisterComponentValue(CRV_CATEGORY_SEQUENCERS, name, path);
}

bool RegisterEffects(const char* name, const char* path) {
    return RegisterComponentValue(CRV_CATEGORY_EFFECTS, name, path);
}

bool UnregisterEffects(const char* name, const char* path) {
    return UnregisterComponentValue(CRV_CATEGORY_EFFECTS, name, path);
}

bool RegisterSoftSynth(const char* name, const char* path) {
    return RegisterComponentValue(CRV_CATEGORY_SOFTSYNTH, name, path);
}
