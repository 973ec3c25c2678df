#pragma once
// Turns the byte strings given to the *A text functions into code points. Strings are taken as
// Windows-1252, the editor's code page, unless they are well-formed UTF-8 containing multi-byte
// sequences (source files on this side are UTF-8); for ASCII both readings agree.
#include <string>
#include <string_view>

namespace win {

void DecodeText(std::string_view text, std::u32string& out);
char32_t Cp1252ToUnicode(unsigned char c);

// Conversions at the edges where text leaves or enters as UTF-8 (the desktop's clipboard and text
// input). Windows-1252 to UTF-8 never fails; the other way, what the code page cannot hold and
// bytes that are not UTF-8 become `replacement`, as a conversion to an ANSI code page gives its
// default character.
std::string EncodeUtf8(std::u32string_view codePoints);
std::string Cp1252ToUtf8(std::string_view text);
std::string Utf8ToCp1252(std::string_view text, char replacement = '?');

}  // namespace win
