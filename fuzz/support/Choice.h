#pragma once
// Choices derived from the whole input, so that a seed or a regression file is nothing but the file
// under test (an .ini file, a registry store) and still picks its own operation. Any change to the
// input may change every choice; across a corpus they are all taken.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/kernel/AsciiCase.h"

namespace fuzzsupport {

class Chooser {
public:
    Chooser(const std::uint8_t* data, std::size_t size) {
        state_ = 0xcbf29ce484222325ull;  // FNV-1a
        for (std::size_t i = 0; i < size; ++i) state_ = (state_ ^ data[i]) * 0x100000001b3ull;
        state_ |= 1;
    }

    // 0 .. count-1; 0 when count is 0.
    std::size_t Below(std::size_t count) { return count ? Next() % count : 0; }
    bool OneIn(unsigned n) { return Below(n) == 0; }

    // The same name in another ASCII case, which every lookup must treat as the same name.
    std::string Respelled(std::string name) {
        for (char& c : name)
            if (OneIn(2)) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : win::LowerAscii(c);
        return name;
    }

private:
    std::uint64_t Next() {  // xorshift64
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }

    std::uint64_t state_;
};

}  // namespace fuzzsupport
