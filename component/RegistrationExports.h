#pragma once
// The registration entry points the library exports. DllRegisterComponent and
// DllUnregisterComponent carry plain C names; the helpers, GetComponentCount and EnumComponents
// among them, are exported under their C++ signatures, as hosts and other components link them.
// GetComponentCount and EnumComponents also keep the plain C names that earlier builds exported,
// as second names of the same functions, so hosts that look those up still find them.
#include "component/Registration.h"

#define KVX4_REGISTRATION_API __attribute__((visibility("default")))

extern "C" {
KVX4_REGISTRATION_API bool DllRegisterComponent();
KVX4_REGISTRATION_API int DllUnregisterComponent();
}

KVX4_REGISTRATION_API int GetComponentCount(int category);
KVX4_REGISTRATION_API bool EnumComponents(int category, tagCRVComponent* records);

KVX4_REGISTRATION_API bool RegisterWaveEditor(const char* name, const char* path);
KVX4_REGISTRATION_API bool RegisterInstrumentEditor(const char* name, const char* path);
KVX4_REGISTRATION_API bool RegisterSamplerConverter(const char* name, const char* path);
KVX4_REGISTRATION_API bool RegisterSequencer(const char* name, const char* path);
KVX4_REGISTRATION_API bool RegisterEffects(const char* name, const char* path);
KVX4_REGISTRATION_API bool UnregisterEffects(const char* name, const char* path);
KVX4_REGISTRATION_API bool RegisterSoftSynth(const char* name, const char* path);
