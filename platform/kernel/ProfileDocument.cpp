#include "platform/kernel/ProfileDocument.h"

#include "platform/kernel/NameIndex.h"

#include <algorithm>

namespace win {

namespace {

constexpr std::string_view kNewLine = "\r\n";


}  // namespace

ProfileDocument ProfileDocument::Parse(std::string_view bytes) {
    ProfileDocument document;
    document.lines_.reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* start = begin;
    while (start < end) {
        // One pass over the bytes; find_first_of would search the set of two once per byte.
        const char* stop = start;
        while (stop < end && *stop != '\r' && *stop != '\n') ++stop;
        Line line;
        line.text.assign(start, stop);
        if (stop < end && *stop == '\r' && stop + 1 < end && stop[1] == '\n') line.ending = kNewLine;
        else if (stop < end) line.ending = *stop == '\r' ? std::string_view("\r") : std::string_view("\n");
        start = stop + line.ending.size();
        document.lines_.push_back(std::move(line));
    }
    return document;
}

std::string ProfileDocument::Serialize() const {
    std::string out;
    size_t total = 0;
    for (const Line& line : lines_) total += line.text.size() + line.ending.size();
    out.reserve(total);
    for (const Line& line : lines_) out.append(line.text).append(line.ending);
    return out;
}

ProfileDocument::Parsed ProfileDocument::Classify(std::string_view text) {
    Parsed parsed;
    // A NUL cannot come back through a C string; the line is treated as damaged.
    if (text.find('\0') != std::string_view::npos) {
        parsed.kind = Kind::Unreadable;
        return parsed;
    }
    std::string_view body = TrimBlanks(text);
    if (body.empty()) return parsed;
    if (body.front() == ';') {
        parsed.kind = Kind::Comment;
        return parsed;
    }
    if (body.front() == '[') {
        size_t close = body.rfind(']');
        if (close == std::string_view::npos) {
            parsed.kind = Kind::Unreadable;
            return parsed;
        }
        parsed.kind = Kind::Section;
        parsed.name = TrimBlanks(body.substr(1, close - 1));
        return parsed;
    }
    size_t equals = body.find('=');
    std::string_view key = equals == std::string_view::npos ? std::string_view{} : TrimBlanks(body.substr(0, equals));
    if (key.empty()) {
        parsed.kind = Kind::Unreadable;
        return parsed;
    }
    parsed.kind = Kind::Key;
    parsed.name = key;
    parsed.value = TrimBlanks(body.substr(equals + 1));
    return parsed;
}

size_t ProfileDocument::NextSectionHeader(size_t from) const {
    for (size_t i = from; i < lines_.size(); ++i)
        if (Classify(lines_[i].text).kind == Kind::Section) return i;
    return lines_.size();
}

std::optional<ProfileDocument::Range> ProfileDocument::FindSection(std::string_view section) const {
    for (size_t i = NextSectionHeader(0); i < lines_.size(); i = NextSectionHeader(i + 1)) {
        if (EqualsIgnoringCase(Classify(lines_[i].text).name, section))
            return Range{i, NextSectionHeader(i + 1)};
    }
    return std::nullopt;
}

std::optional<std::string_view> ProfileDocument::Value(std::string_view section, std::string_view key) const {
    auto range = FindSection(section);
    if (!range) return std::nullopt;
    for (size_t i = range->header + 1; i < range->end; ++i) {
        Parsed parsed = Classify(lines_[i].text);
        if (parsed.kind == Kind::Key && EqualsIgnoringCase(parsed.name, key)) return parsed.value;
    }
    return std::nullopt;
}

std::vector<std::string> ProfileDocument::SectionNames() const {
    std::vector<std::string> names;
    NameIndex seen;
    auto nameAt = [&](size_t i) -> std::string_view { return names[i]; };
    for (const Line& line : lines_) {
        Parsed parsed = Classify(line.text);
        if (parsed.kind != Kind::Section || seen.Find(parsed.name, names.size(), nameAt)) continue;
        names.emplace_back(parsed.name);
        seen.Appended(names.size(), nameAt);
    }
    return names;
}

std::vector<std::string> ProfileDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    for (const Entry& entry : Entries(section)) names.emplace_back(entry.key);
    return names;
}

std::vector<ProfileDocument::Entry> ProfileDocument::Entries(std::string_view section) const {
    std::vector<Entry> entries;
    auto range = FindSection(section);
    if (!range) return entries;
    entries.reserve(range->end - range->header - 1);
    NameIndex seen;
    auto keyAt = [&](size_t i) { return entries[i].key; };
    for (size_t i = range->header + 1; i < range->end; ++i) {
        Parsed parsed = Classify(lines_[i].text);
        if (parsed.kind != Kind::Key || seen.Find(parsed.name, entries.size(), keyAt)) continue;
        entries.push_back(Entry{parsed.name, parsed.value});
        seen.Appended(entries.size(), keyAt);
    }
    return entries;
}

void ProfileDocument::EnsureEnding(size_t index) {
    if (index < lines_.size() && lines_[index].ending.empty()) lines_[index].ending = kNewLine;
}

void ProfileDocument::InsertLine(size_t index, std::string text) {
    if (index > 0) EnsureEnding(index - 1);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), Line{std::move(text), kNewLine});
}

bool ProfileDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    auto range = FindSection(section);
    if (!range) {
        InsertLine(lines_.size(), "[" + std::string(section) + "]");
        InsertLine(lines_.size(), std::string(key) + "=" + std::string(value));
        return true;
    }
    size_t insertAt = range->header + 1;
    for (size_t i = range->header + 1; i < range->end; ++i) {
        Parsed parsed = Classify(lines_[i].text);
        if (parsed.kind != Kind::Key) continue;
        if (EqualsIgnoringCase(parsed.name, key)) {
            if (parsed.value == value) return false;
            lines_[i].text = std::string(parsed.name) + "=" + std::string(value);
            lines_[i].ending = kNewLine;
            return true;
        }
        insertAt = i + 1;
    }
    InsertLine(insertAt, std::string(key) + "=" + std::string(value));
    return true;
}

bool ProfileDocument::DeleteKey(std::string_view section, std::string_view key) {
    auto range = FindSection(section);
    if (!range) return false;
    bool changed = false;
    // Later duplicates go too; otherwise a shadowed entry would come back after the delete.
    for (size_t i = range->end; i-- > range->header + 1;) {
        Parsed parsed = Classify(lines_[i].text);
        if (parsed.kind == Kind::Key && EqualsIgnoringCase(parsed.name, key)) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            changed = true;
        }
    }
    return changed;
}

bool ProfileDocument::DeleteSection(std::string_view section) {
    bool changed = false;
    while (auto range = FindSection(section)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
        changed = true;
    }
    return changed;
}

}  // namespace win

