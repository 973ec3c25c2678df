#include "platform/registry/RegistryTree.h"

#include <algorithm>

#include "platform/kernel/AsciiCase.h"

namespace win {

RegistryKeyNode::~RegistryKeyNode() {
    // Each node's children are moved out before it dies, so no destructor nests inside another.
    std::vector<std::unique_ptr<RegistryKeyNode>> pending = std::move(children_);
    while (!pending.empty()) {
        std::unique_ptr<RegistryKeyNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children_) pending.push_back(std::move(child));
        node->children_.clear();
    }
}

const std::vector<const RegistryKeyNode*>& RegistryKeyNode::SortedChildren() const {
    if (sortedValid_) return sortedChildren_;
    sortedChildren_.clear();
    sortedChildren_.reserve(children_.size());
    for (const auto& child : children_) sortedChildren_.push_back(child.get());
    std::stable_sort(sortedChildren_.begin(), sortedChildren_.end(),
                     [](const RegistryKeyNode* a, const RegistryKeyNode* b) { return LessIgnoringCase(a->name_, b->name_); });
    sortedValid_ = true;
    return sortedChildren_;
}

std::optional<size_t> RegistryKeyNode::ValuePosition(std::string_view name) const {
    return valueIndex_.Find(name, values_.size(), ValueNameAt());
}

std::optional<size_t> RegistryKeyNode::ChildPosition(std::string_view name) const {
    return childIndex_.Find(name, children_.size(), ChildNameAt());
}

RegistryKeyNode* RegistryKeyNode::Child(std::string_view name) const {
    const std::optional<size_t> position = ChildPosition(name);
    return position ? children_[*position].get() : nullptr;
}

RegistryKeyNode& RegistryKeyNode::ChildOrNew(std::string_view name) {
    if (RegistryKeyNode* existing = Child(name)) return *existing;
    children_.push_back(std::make_unique<RegistryKeyNode>(std::string(name)));
    childIndex_.Appended(children_.size(), ChildNameAt());
    sortedValid_ = false;
    return *children_.back();
}

bool RegistryKeyNode::RemoveChild(std::string_view name) {
    const std::optional<size_t> position = ChildPosition(name);
    if (!position) return false;
    std::unique_ptr<RegistryKeyNode> removed = std::move(children_[*position]);
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(*position));
    ChildrenChanged();
    return true;
}

const RegistryValue* RegistryKeyNode::FindValue(std::string_view name) const {
    const std::optional<size_t> position = ValuePosition(name);
    return position ? &values_[*position] : nullptr;
}

bool RegistryKeyNode::SetValue(std::string_view name, DWORD type, std::vector<BYTE> data) {
    const std::optional<size_t> position = ValuePosition(name);
    if (!position) {
        AddValueIfAbsent(name, type, std::move(data));
        return true;
    }
    RegistryValue& value = values_[*position];
    if (value.type == type && value.data == data) return false;
    value.type = type;
    value.data = std::move(data);
    return true;
}

void RegistryKeyNode::AddValueIfAbsent(std::string_view name, DWORD type, std::vector<BYTE> data) {
    if (ValuePosition(name)) return;
    values_.push_back(RegistryValue{std::string(name), type, std::move(data)});
    valueIndex_.Appended(values_.size(), ValueNameAt());
}

bool RegistryKeyNode::DeleteValue(std::string_view name) {
    const std::optional<size_t> position = ValuePosition(name);
    if (!position) return false;
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(*position));
    valueIndex_.Rebuild(values_.size(), ValueNameAt());
    return true;
}

void RegistryKeyNode::Clear() {
    values_.clear();
    valueIndex_.Rebuild(0, ValueNameAt());
    RegistryKeyNode discarded;
    discarded.children_ = std::move(children_);  // destroyed without recursion
    children_.clear();
    ChildrenChanged();
}

void RegistryKeyNode::ChildrenChanged() {
    childIndex_.Rebuild(children_.size(), ChildNameAt());
    sortedValid_ = false;
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
