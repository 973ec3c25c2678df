#pragma once
// Finds an entry of a list (a registry key's values or subkeys, the names a profile lists) by name
// without regard to ASCII case. A handful of entries are scanned; from kIndexFrom on, an
// open-addressing table of positions answers instead.
// The table holds positions into the owner's list, never names or pointers, so it costs no
// allocation per entry and stays right when the owner's list is moved; the owner passes a function
// that names the entry at a position.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/kernel/AsciiCase.h"

namespace win {

class NameIndex {
public:
    static constexpr size_t kIndexFrom = 16;

    template <typename NameOf>
    std::optional<size_t> Find(std::string_view name, size_t count, NameOf nameOf) const {
        if (slots_.empty()) {
            for (size_t i = 0; i < count; ++i)
                if (EqualsIgnoringCase(nameOf(i), name)) return i;
            return std::nullopt;
        }
        const size_t mask = slots_.size() - 1;
        for (size_t slot = SlotOf(name); slots_[slot & mask]; ++slot) {
            const size_t position = slots_[slot & mask] - 1;
            if (EqualsIgnoringCase(nameOf(position), name)) return position;
        }
        return std::nullopt;
    }

    // The entry at count - 1 was just appended.
    template <typename NameOf>
    void Appended(size_t count, NameOf nameOf) {
        if (slots_.empty() ? count >= kIndexFrom : 2 * count > slots_.size()) return Rebuild(count, nameOf);
        if (!slots_.empty()) Place(count - 1, nameOf(count - 1));
    }

    // After entries were removed or reordered.
    template <typename NameOf>
    void Rebuild(size_t count, NameOf nameOf) {
        slots_.clear();
        if (count < kIndexFrom) return;
        size_t capacity = 64;
        while (capacity < 4 * count) capacity *= 2;  // half full at the most before the next rebuild
        slots_.assign(capacity, 0);
        for (size_t i = 0; i < count; ++i) Place(i, nameOf(i));
    }

private:
    static size_t SlotOf(std::string_view name) {
        const std::uint64_t hash = HashIgnoringCase{}(name);
        return static_cast<size_t>(hash ^ (hash >> 29));  // FNV's low bits alone are weak
    }

    void Place(size_t position, std::string_view name) {
        const size_t mask = slots_.size() - 1;
        size_t slot = SlotOf(name);
        while (slots_[slot & mask]) ++slot;
        slots_[slot & mask] = static_cast<std::uint32_t>(position + 1);
    }

    std::vector<std::uint32_t> slots_;  // position + 1; 0 marks an empty slot
};

}  // namespace win
