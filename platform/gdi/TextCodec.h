#pragma once
// Turns the byte strings given to the *A text functions into code points. Strings are taken as
// Windows-1252, the editor's code page, unless they are well-formed UTF-8 containing multi-byte
// sequences (source files on this side are UTF-8); for ASCII both readings agree.
#include <string>
#include <string_view>

namespace win {

void DecodeText(std::string_view text, std::u32string& out);
char32_t Cp1252ToUnicode(unsigned char c);

}  // namespace win
