#pragma once
// The keys and values of one registry root in memory. Names compare without regard to ASCII case
// and keep the spelling they were created with; values keep their insertion order. RegistryStore
// owns one tree and replaces it whenever the file on disk changes.
//
// A key with many values or subkeys finds them by name through a hash index, so a hundred thousand
// of them load in linear time; a key with few (the usual case, and every link of a deep chain) scans
// them and pays nothing for an index. A key nested a million deep is destroyed without recursion.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/kernel/NameIndex.h"

namespace win {

using RegistryPath = std::vector<std::string>;

struct RegistryValue {
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

class RegistryKeyNode {
public:
    explicit RegistryKeyNode(std::string name = {}) : name_(std::move(name)) {}
    ~RegistryKeyNode();
    RegistryKeyNode(RegistryKeyNode&&) = default;
    RegistryKeyNode& operator=(RegistryKeyNode&&) = default;

    const std::string& Name() const { return name_; }
    const std::vector<RegistryValue>& Values() const { return values_; }
    const std::vector<std::unique_ptr<RegistryKeyNode>>& Children() const { return children_; }
    // Subkeys ordered as Windows enumerates them: by name, ignoring case. Kept until the subkeys
    // change, so that enumerating them one index at a time does not sort once per index.
    const std::vector<const RegistryKeyNode*>& SortedChildren() const;

    RegistryKeyNode* Child(std::string_view name) const;
    RegistryKeyNode& ChildOrNew(std::string_view name);
    bool RemoveChild(std::string_view name);

    const RegistryValue* FindValue(std::string_view name) const;
    // An existing value keeps its place and spelling. Returns whether anything changed.
    bool SetValue(std::string_view name, DWORD type, std::vector<BYTE> data);
    // Adds only when no value of that name exists yet (file loading: the first entry wins).
    void AddValueIfAbsent(std::string_view name, DWORD type, std::vector<BYTE> data);
    bool DeleteValue(std::string_view name);
    void Clear();

private:
    // The names the indexes go by, position by position.
    auto ValueNameAt() const {
        return [this](size_t i) -> std::string_view { return values_[i].name; };
    }
    auto ChildNameAt() const {
        return [this](size_t i) -> std::string_view { return children_[i]->name_; };
    }
    std::optional<size_t> ValuePosition(std::string_view name) const;
    std::optional<size_t> ChildPosition(std::string_view name) const;
    void ChildrenChanged();

    std::string name_;
    std::vector<RegistryValue> values_;
    std::vector<std::unique_ptr<RegistryKeyNode>> children_;
    NameIndex valueIndex_;
    NameIndex childIndex_;
    mutable std::vector<const RegistryKeyNode*> sortedChildren_;
    mutable bool sortedValid_ = false;
};

class RegistryTree {
public:
    RegistryKeyNode& Root() { return root_; }
    const RegistryKeyNode& Root() const { return root_; }

    const RegistryKeyNode* Find(const RegistryPath& path) const;
    RegistryKeyNode* Find(const RegistryPath& path);
    // Creates missing keys along the way; created tells whether the last one is new.
    RegistryKeyNode& Create(const RegistryPath& path, bool& created);
    // Path with each component in its stored spelling (the given spelling for missing parts).
    RegistryPath Spelling(const RegistryPath& path) const;

private:
    RegistryKeyNode root_;
};

}  // namespace win
