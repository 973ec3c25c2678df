#include "platform/registry/RegistryTree.h"

#include <algorithm>

#include "platform/kernel/AsciiCase.h"

namespace win {

std::vector<const RegistryKeyNode*> RegistryKeyNode::SortedChildren() const {
    std::vector<const RegistryKeyNode*> sorted;
    sorted.reserve(children_.size());
    for (const auto& child : children_) sorted.push_back(child.get());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const RegistryKeyNode* a, const RegistryKeyNode* b) { return LessIgnoringCase(a->name_, b->name_); });
    return sorted;
}

RegistryKeyNode* RegistryKeyNode::Child(std::string_view name) const {
    for (const auto& child : children_)
        if (EqualsIgnoringCase(child->name_, name)) return child.get();
    return nullptr;
}

RegistryKeyNode& RegistryKeyNode::ChildOrNew(std::string_view name) {
    if (RegistryKeyNode* existing = Child(name)) return *existing;
    children_.push_back(std::make_unique<RegistryKeyNode>(std::string(name)));
    return *children_.back();
}

bool RegistryKeyNode::RemoveChild(std::string_view name) {
    auto it = std::find_if(children_.begin(), children_.end(),
                           [&](const auto& child) { return EqualsIgnoringCase(child->name_, name); });
    if (it == children_.end()) return false;
    children_.erase(it);
    return true;
}

const RegistryValue* RegistryKeyNode::FindValue(std::string_view name) const {
    for (const RegistryValue& value : values_)
        if (EqualsIgnoringCase(value.name, name)) return &value;
    return nullptr;
}

bool RegistryKeyNode::SetValue(std::string_view name, DWORD type, std::vector<BYTE> data) {
    for (RegistryValue& value : values_) {
        if (!EqualsIgnoringCase(value.name, name)) continue;
        if (value.type == type && value.data == data) return false;
        value.type = type;
        value.data = std::move(data);
        return true;
    }
    values_.push_back(RegistryValue{std::string(name), type, std::move(data)});
    return true;
}

void RegistryKeyNode::AddValueIfAbsent(std::string_view name, DWORD type, std::vector<BYTE> data) {
    if (!FindValue(name)) values_.push_back(RegistryValue{std::string(name), type, std::move(data)});
}

bool RegistryKeyNode::DeleteValue(std::string_view name) {
    auto it = std::find_if(values_.begin(), values_.end(),
                           [&](const RegistryValue& value) { return EqualsIgnoringCase(value.name, name); });
    if (it == values_.end()) return false;
    values_.erase(it);
    return true;
}

void RegistryKeyNode::Clear() {
    values_.clear();
    children_.clear();
}

const RegistryKeyNode* RegistryTree::Find(const RegistryPath& path) const {
    const RegistryKeyNode* node = &root_;
    for (const std::string& part : path)
        if (!(node = node->Child(part))) return nullptr;
    return node;
}

RegistryKeyNode* RegistryTree::Find(const RegistryPath& path) {
    return const_cast<RegistryKeyNode*>(static_cast<const RegistryTree*>(this)->Find(path));
}

RegistryKeyNode& RegistryTree::Create(const RegistryPath& path, bool& created) {
    created = false;
    RegistryKeyNode* node = &root_;
    for (const std::string& part : path) {
        RegistryKeyNode* next = node->Child(part);
        created = next == nullptr;
        node = next ? next : &node->ChildOrNew(part);
    }
    return *node;
}

RegistryPath RegistryTree::Spelling(const RegistryPath& path) const {
    RegistryPath spelled;
    const RegistryKeyNode* node = &root_;
    for (const std::string& part : path) {
        node = node ? node->Child(part) : nullptr;
        spelled.push_back(node ? node->Name() : part);
    }
    return spelled;
}

}  // namespace win
