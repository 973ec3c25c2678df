#include "platform/registry/RegistryFileFormat.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/kernel/AsciiCase.h"
#include "platform/registry/Registry.h"

namespace win {

namespace {

void AppendEscaped(std::string& out, const BYTE* data, size_t size) {
    static const char hex[] = "0123456789abcdef";
    out.push_back('"');
    for (size_t i = 0; i < size; ++i) {
        BYTE c = data[i];
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\0': out += "\\0"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    out += "\\x";
                    out.push_back(hex[c >> 4]);
                    out.push_back(hex[c & 15]);
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
    }
    out.push_back('"');
}

void AppendHexList(std::string& out, const std::vector<BYTE>& data) {
    char byte[4];
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", data[i]);
        out += byte;
    }
}

void AppendValue(std::string& out, const RegistryValue& value) {
    if (value.name.empty()) {
        out.push_back('@');
    } else {
        AppendEscaped(out, reinterpret_cast<const BYTE*>(value.name.data()), value.name.size());
    }
    out.push_back('=');
    const std::vector<BYTE>& data = value.data;
    char buffer[32];
    if (value.type == REG_SZ && !data.empty() && data.back() == 0) {
        AppendEscaped(out, data.data(), data.size() - 1);
    } else if (value.type == REG_SZ) {
        out += "str:";
        AppendEscaped(out, data.data(), data.size());
    } else if (value.type == REG_DWORD && data.size() == 4) {
        DWORD number = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<DWORD>(data[3]) << 24);
        std::snprintf(buffer, sizeof buffer, "dword:%08x", number);
        out += buffer;
    } else {
        if (value.type == REG_BINARY) {
            out += "hex:";
        } else {
            std::snprintf(buffer, sizeof buffer, "hex(%x):", value.type);
            out += buffer;
        }
        AppendHexList(out, data);
    }
    out.push_back('\n');
}

// Depth first without recursion, with one path string that grows and shrinks as the walk goes, so
// that a key nested fifty thousand deep costs neither stack nor a copy of its path per level. A key
// with no values gets no header of its own when a subkey's header implies it: written out, the
// headers of a deep chain of empty keys would grow with the square of its depth.
void AppendTree(std::string& out, const RegistryKeyNode& root, std::string_view rootName) {
    struct Visit {
        const RegistryKeyNode* key;
        size_t nextChild;
        size_t pathLength;  // the length of `path` up to and including this key
    };
    std::string path(rootName);
    std::vector<Visit> stack{{&root, 0, path.size()}};
    auto appendHeader = [&](const RegistryKeyNode& key) {
        if (key.Values().empty() && !key.Children().empty()) return;
        out += "[" + path + "]\n";
        for (const RegistryValue& value : key.Values()) AppendValue(out, value);
        out.push_back('\n');
    };
    appendHeader(root);
    while (!stack.empty()) {
        Visit& visit = stack.back();
        if (visit.nextChild == visit.key->Children().size()) {
            stack.pop_back();
            continue;
        }
        const RegistryKeyNode& child = *visit.key->Children()[visit.nextChild++];
        path.resize(visit.pathLength);
        path.push_back('\\');
        path += child.Name();
        stack.push_back(Visit{&child, 0, path.size()});
        appendHeader(child);
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a quoted, escaped string at the front of text and consumes it.
std::optional<std::vector<BYTE>> TakeQuoted(std::string_view& text) {
    if (text.empty() || text.front() != '"') return std::nullopt;
    std::vector<BYTE> bytes;
    size_t i = 1;
    while (i < text.size()) {
        char c = text[i++];
        if (c == '"') {
            text.remove_prefix(i);
            return bytes;
        }
        if (c != '\\') {
            bytes.push_back(static_cast<BYTE>(c));
            continue;
        }
        if (i >= text.size()) return std::nullopt;
        char e = text[i++];
        switch (e) {
            case '\\': bytes.push_back('\\'); break;
            case '"': bytes.push_back('"'); break;
            case '0': bytes.push_back(0); break;
            case 'r': bytes.push_back('\r'); break;
            case 'n': bytes.push_back('\n'); break;
            case 't': bytes.push_back('\t'); break;
            case 'x': {
                if (i + 2 > text.size()) return std::nullopt;
                int high = HexValue(text[i]), low = HexValue(text[i + 1]);
                if (high < 0 || low < 0) return std::nullopt;
                bytes.push_back(static_cast<BYTE>(high * 16 + low));
                i += 2;
                break;
            }
            default: return std::nullopt;
        }
    }
    return std::nullopt;  // no closing quote: a cut-off line
}

bool ConsumePrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() < prefix.size() || !EqualsIgnoringCase(text.substr(0, prefix.size()), prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::optional<std::vector<BYTE>> ParseHexList(std::string_view text) {
    std::vector<BYTE> bytes;
    text = TrimBlanks(text);
    if (text.empty()) return bytes;
    while (true) {
        text = TrimBlanks(text);
        if (text.size() < 2) return std::nullopt;
        int high = HexValue(text[0]), low = HexValue(text[1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<BYTE>(high * 16 + low));
        text = TrimBlanks(text.substr(2));
        if (text.empty()) return bytes;
        if (text.front() != ',') return std::nullopt;
        text.remove_prefix(1);
    }
}

struct ParsedValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

std::optional<ParsedValue> ParseValueLine(std::string_view line) {
    ParsedValue value;
    if (!line.empty() && line.front() == '@') {
        line.remove_prefix(1);
    } else {
        auto name = TakeQuoted(line);
        if (!name) return std::nullopt;
        value.name.assign(name->begin(), name->end());
    }
    line = TrimBlanks(line);
    if (line.empty() || line.front() != '=') return std::nullopt;
    line = TrimBlanks(line.substr(1));
    if (!line.empty() && line.front() == '"') {
        auto text = TakeQuoted(line);
        if (!text || !TrimBlanks(line).empty()) return std::nullopt;
        value.type = REG_SZ;
        value.data = std::move(*text);
        value.data.push_back(0);
    } else if (ConsumePrefix(line, "str:")) {
        auto text = TakeQuoted(line);
        if (!text || !TrimBlanks(line).empty()) return std::nullopt;
        value.type = REG_SZ;
        value.data = std::move(*text);
    } else if (ConsumePrefix(line, "dword:")) {
        line = TrimBlanks(line);
        if (line.empty() || line.size() > 8) return std::nullopt;
        DWORD number = 0;
        for (char c : line) {
            int digit = HexValue(c);
            if (digit < 0) return std::nullopt;
            number = number * 16 + static_cast<DWORD>(digit);
        }
        value.type = REG_DWORD;
        value.data = {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
                      static_cast<BYTE>(number >> 24)};
    } else if (ConsumePrefix(line, "hex")) {
        value.type = REG_BINARY;
        if (!line.empty() && line.front() == '(') {
            size_t close = line.find(')');
            if (close == std::string_view::npos || close < 2 || close > 9) return std::nullopt;
            DWORD type = 0;
            for (char c : line.substr(1, close - 1)) {
                int digit = HexValue(c);
                if (digit < 0) return std::nullopt;
                type = type * 16 + static_cast<DWORD>(digit);
            }
            value.type = type;
            line.remove_prefix(close + 1);
        }
        if (line.empty() || line.front() != ':') return std::nullopt;
        auto bytes = ParseHexList(line.substr(1));
        if (!bytes) return std::nullopt;
        value.data = std::move(*bytes);
    } else {
        return std::nullopt;
    }
    return value;
}

// "HKEY_CURRENT_USER\A\B" -> {"A","B"}; nullopt for another root or an empty component.
std::optional<RegistryPath> ParseKeyPath(std::string_view text, std::string_view rootName) {
    if (!ConsumePrefix(text, rootName)) return std::nullopt;
    RegistryPath path;
    if (text.empty()) return path;
    if (text.front() != '\\') return std::nullopt;
    text.remove_prefix(1);
    while (true) {
        size_t slash = text.find('\\');
        std::string_view part = text.substr(0, slash);
        if (part.empty()) return std::nullopt;
        path.emplace_back(part);
        if (slash == std::string_view::npos) return path;
        text.remove_prefix(slash + 1);
    }
}

}  // namespace

std::string SerializeRegistry(const RegistryTree& tree, std::string_view rootName) {
    std::string out = "; Registry store for " + std::string(rootName) + ", rewritten whole on every change.\n\n";
    AppendTree(out, tree.Root(), rootName);
    return out;
}

RegistryTree ParseRegistry(std::string_view text, std::string_view rootName, bool* readable) {
    RegistryTree tree;
    RegistryKeyNode* current = nullptr;
    size_t lines = 0, read = 0;
    auto addValue = [&](std::string_view line) {
        if (!current) return;
        if (auto value = ParseValueLine(line)) {
            current->AddValueIfAbsent(value->name, value->type, std::move(value->data));
            ++read;
        }
    };
    // A hex list may go on over lines that end in a backslash, as regedit writes long ones. Only
    // lines of hex digits continue it, so a cut-off list cannot swallow the next key header.
    std::string pending;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = TrimBlanks(text.substr(start, end - start));
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);

        if (!pending.empty()) {
            bool continues = !line.empty() && HexValue(line.front()) >= 0;
            if (continues) pending.append(line);
            if (continues && pending.back() == '\\') {
                pending.pop_back();
                continue;
            }
            addValue(pending);
            pending.clear();
            if (continues) continue;
        }
        if (line.empty() || line.front() == ';') continue;
        // regedit's first line says which format follows; it is no data, and no damage either.
        if (line.rfind("Windows Registry Editor", 0) == 0 || line == "REGEDIT4") continue;
        ++lines;
        if (line.front() == '[') {
            size_t close = line.rfind(']');
            std::optional<RegistryPath> path;
            if (close != std::string_view::npos) path = ParseKeyPath(line.substr(1, close - 1), rootName);
            bool created = false;
            current = path ? &tree.Create(*path, created) : nullptr;
            if (path) ++read;
            continue;
        }
        if (line.back() == '\\' && line.find("=hex") != std::string_view::npos) {
            pending.assign(line.substr(0, line.size() - 1));
            continue;
        }
        addValue(line);
    }
    if (!pending.empty()) addValue(pending);
    if (readable) *readable = lines == 0 || read > 0;
    return tree;
}

}  // namespace win
