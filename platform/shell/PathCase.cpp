#include "platform/shell/PathCase.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/kernel/AsciiCase.h"

namespace win {

namespace {

std::vector<std::string> SplitComponents(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        if (slash > start) parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

std::string Join(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    if (directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

std::optional<std::string> CaseInsensitiveMatch(const std::string& directory, const std::string& name) {
    std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(directory.empty() ? "." : directory.c_str()), closedir);
    if (!listing) return std::nullopt;
    std::optional<std::string> best;
    while (dirent* entry = readdir(listing.get())) {
        std::string candidate = entry->d_name;
        if (!EqualsIgnoringCase(candidate, name)) continue;
        if (!best || candidate < *best) best = candidate;
    }
    return best;
}

bool IsDirectory(const std::string& path) {
    struct stat info{};
    return stat(path.empty() ? "." : path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
    struct stat info{};
    return lstat(path.c_str(), &info) == 0;
}

}  // namespace

PathCaseResult LookUpPathCase(const std::string& path) {
    PathCaseResult result;
    if (path.empty()) return result;
    std::vector<std::string> parts = SplitComponents(path);
    std::string current = path.front() == '/' ? "/" : "";
    for (size_t i = 0; i < parts.size(); ++i) {
        bool last = i + 1 == parts.size();
        std::string exact = Join(current, parts[i]);
        std::string next;
        if (Exists(exact)) {
            next = exact;
        } else if (auto match = CaseInsensitiveMatch(current, parts[i])) {
            next = Join(current, *match);
        } else {
            result.status = last ? PathLookup::FileMissing : PathLookup::PathMissing;
            return result;
        }
        if (!last && !IsDirectory(next)) {
            result.status = PathLookup::PathMissing;
            return result;
        }
        current = std::move(next);
    }
    result.status = PathLookup::Found;
    result.path = current;
    return result;
}

std::optional<std::string> ResolvePathCase(const std::string& path) {
    PathCaseResult result = LookUpPathCase(path);
    if (result.status != PathLookup::Found) return std::nullopt;
    return result.path;
}

}  // namespace win
