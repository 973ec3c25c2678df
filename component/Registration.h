#pragma once
// The component registry of the current user: one key per component category, one string value per
// component (display name -> library path). These functions do the work behind the exported
// registration entry points (RegistrationExports.cpp), for any component, not only this one.
#include <cstddef>

constexpr int CRV_CATEGORY_WAVE_EDITORS = 0x11000;
constexpr int CRV_CATEGORY_INSTRUMENT_EDITORS = 0x11010;
constexpr int CRV_CATEGORY_SEQUENCERS = 0x11020;
constexpr int CRV_CATEGORY_SAMPLE_CONVERTERS = 0x11030;
constexpr int CRV_CATEGORY_EFFECTS = 0x11040;
constexpr int CRV_CATEGORY_SOFTSYNTH = 0x11050;

// Size of every path and name buffer of the registration code, the Windows MAX_PATH.
constexpr std::size_t CRV_PATH_SIZE = 260;

// One registered component as EnumComponents reports it.
struct tagCRVComponent {
    char componentName[CRV_PATH_SIZE];  // the value name, zero-terminated
    char componentPath[CRV_PATH_SIZE];  // the value's data, zero-terminated
};
static_assert(sizeof(tagCRVComponent) == 520);

// Writes the category's key path under HKEY_CURRENT_USER into `buffer` (CRV_PATH_SIZE bytes);
// false for an unknown category.
bool ComponentCategoryKey(int category, char* buffer);

// False for null arguments or an unknown category; true when the key cannot be created (nothing is
// written); otherwise whether the value was set. The data is stored without its terminating zero.
bool RegisterComponentValue(int category, const char* name, const char* path);

// False for null arguments or an unknown category; true when the key cannot be opened; otherwise
// whether the value was deleted. `path` must be non-null but is not used.
bool UnregisterComponentValue(int category, const char* name, const char* path);

// The number of values in the category key; 0 for an unknown category or a missing key, -1 when
// the key cannot tell.
int CountComponentValues(int category);

// Fills one record per value, in the registry's own order; the caller provides at least
// CountComponentValues(category) records. False for null records or an unknown category, and when
// a value cannot be read or does not fit a record (the records before it stay filled); true for a
// missing key.
bool EnumComponentValues(int category, tagCRVComponent* records);
