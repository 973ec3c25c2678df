#include "platform/registry/RegistryHandles.h"

namespace win {

namespace {
// Windows keeps its predefined handles at 0x80000000 and up; ours count up from far below.
constexpr std::uintptr_t kPredefinedFirst = 0x80000000;
constexpr std::uintptr_t kPredefinedLast = 0x80000006;
}  // namespace

bool RegistryHandles::IsPredefined(HKEY key) {
    auto value = reinterpret_cast<std::uintptr_t>(key);
    return value >= kPredefinedFirst && value <= kPredefinedLast;
}

HKEY RegistryHandles::Open(RegistryPath path, REGSAM access) {
    do {
        next_ += 4;
        if (next_ >= kPredefinedFirst && next_ <= kPredefinedLast + 4) next_ = kPredefinedLast + 8;
    } while (open_.count(next_) || next_ == 0);
    open_[next_] = OpenRegistryKey{std::move(path), access};
    return reinterpret_cast<HKEY>(next_);
}

bool RegistryHandles::Close(HKEY key) { return open_.erase(reinterpret_cast<std::uintptr_t>(key)) > 0; }

std::optional<OpenRegistryKey> RegistryHandles::Resolve(HKEY key) const {
    if (key == HKEY_CURRENT_USER) return OpenRegistryKey{{}, KEY_ALL_ACCESS};
    auto it = open_.find(reinterpret_cast<std::uintptr_t>(key));
    if (it == open_.end()) return std::nullopt;
    return it->second;
}

}  // namespace win
