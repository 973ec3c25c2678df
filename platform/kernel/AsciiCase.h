#pragma once
// ASCII case folding, which is how profile sections and keys, registry names and file names on a
// Windows volume compare in the places this library needs it.
#include <algorithm>
#include <string>
#include <string_view>

namespace win {

constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// The key under which names that compare equal ignoring case meet in a hash table.
inline std::string FoldCase(std::string_view s) {
    std::string folded(s);
    for (char& c : folded) c = LowerAscii(c);
    return folded;
}

// A hash under which names that compare equal ignoring case meet, without a folded copy.
struct HashIgnoringCase {
    size_t operator()(std::string_view s) const {
        size_t hash = 14695981039346656037ull;  // FNV-1a
        for (char c : s) hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ull;
        return hash;
    }
};

inline bool LessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
    });
}

}  // namespace win
