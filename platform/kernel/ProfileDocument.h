#pragma once
// An .ini file held as its original lines, so that an edit rewrites only the line it touches and
// every comment, blank line and unreadable line survives byte for byte. PrivateProfile.cpp reads a
// file into one, queries or edits it, and writes it back.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/AsciiCase.h"

namespace win {

// Spaces and tabs around names and values do not count in a profile file.
constexpr std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

class ProfileDocument {
public:
    // Splits on CR, LF and CRLF; any bytes are accepted.
    static ProfileDocument Parse(std::string_view bytes);
    std::string Serialize() const;

    // Values come back with surrounding blanks removed but quotes kept; nullopt when absent. The
    // view points into the document.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;
    // Distinct names in file order, first spelling kept.
    std::vector<std::string> SectionNames() const;
    // Keys of the first section of that name; empty when the section is absent.
    std::vector<std::string> KeyNames(std::string_view section) const;

    struct Entry {
        std::string_view key;    // trimmed, as spelled in the file
        std::string_view value;  // trimmed, quotes kept: what Value() gives for this key
    };
    // The entries of the first section of that name in file order, each key once (its first entry,
    // the one Value() finds). The views point into the document and live as long as it does.
    std::vector<Entry> Entries(std::string_view section) const;

    // Each returns whether the document changed.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool DeleteSection(std::string_view section);

private:
    enum class Kind { Blank, Comment, Section, Key, Unreadable };
    struct Line {
        std::string text;        // without its line end
        std::string_view ending;  // "\r\n", "\n", "\r" or "" for a last line without one (literals)
    };
    struct Parsed {
        Kind kind = Kind::Blank;
        std::string_view name;   // section or key name, trimmed
        std::string_view value;  // key value, trimmed
    };
    struct Range {
        size_t header;  // index of the [section] line
        size_t end;     // one past its last line
    };

    static Parsed Classify(std::string_view text);
    std::optional<Range> FindSection(std::string_view section) const;
    size_t NextSectionHeader(size_t from) const;
    void EnsureEnding(size_t index);
    void InsertLine(size_t index, std::string text);

    std::vector<Line> lines_;
};

}  // namespace win
