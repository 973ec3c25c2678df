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

template <typename Entries, typename NameOf>
const size_t* RegistryKeyNode::Lookup(const std::unique_ptr<Index>& index, const Entries& entries, NameOf nameOf,
                                      std::string_view name, size_t& scratch) {
    if (index) {
        auto found = index->find(FoldCase(name));
        return found == index->end() ? nullptr : &found->second;
    }
    for (scratch = 0; scratch < entries.size(); ++scratch)
        if (EqualsIgnoringCase(nameOf(entries[scratch]), name)) return &scratch;
    return nullptr;
}

template <typename Entries, typename NameOf>
void RegistryKeyNode::Reindex(std::unique_ptr<Index>& index, const Entries& entries, NameOf nameOf) {
    index.reset();
    if (entries.size() < kIndexFrom) return;
    index = std::make_unique<Index>();
    index->reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) index->emplace(FoldCase(nameOf(entries[i])), i);
}

namespace {
const std::string& ChildName(const std::unique_ptr<RegistryKeyNode>& child) { return child->Name(); }
const std::string& ValueName(const RegistryValue& value) { return value.name; }
}  // namespace

RegistryKeyNode* RegistryKeyNode::Child(std::string_view name) const {
    size_t scratch = 0;
    const size_t* position = Lookup(childIndex_, children_, ChildName, name, scratch);
    return position ? children_[*position].get() : nullptr;
}

RegistryKeyNode& RegistryKeyNode::ChildOrNew(std::string_view name) {
    if (RegistryKeyNode* existing = Child(name)) return *existing;
    children_.push_back(std::make_unique<RegistryKeyNode>(std::string(name)));
    if (childIndex_) childIndex_->emplace(FoldCase(name), children_.size() - 1);
    else if (children_.size() >= kIndexFrom) Reindex(childIndex_, children_, ChildName);
    sortedValid_ = false;
    return *children_.back();
}

bool RegistryKeyNode::RemoveChild(std::string_view name) {
    size_t scratch = 0;
    const size_t* position = Lookup(childIndex_, children_, ChildName, name, scratch);
    if (!position) return false;
    std::unique_ptr<RegistryKeyNode> removed = std::move(children_[*position]);
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(*position));
    ChildrenChanged();
    return true;
}

const RegistryValue* RegistryKeyNode::FindValue(std::string_view name) const {
    size_t scratch = 0;
    const size_t* position = Lookup(valueIndex_, values_, ValueName, name, scratch);
    return position ? &values_[*position] : nullptr;
}

bool RegistryKeyNode::SetValue(std::string_view name, DWORD type, std::vector<BYTE> data) {
    RegistryValue* value = const_cast<RegistryValue*>(FindValue(name));
    if (!value) {
        AddValueIfAbsent(name, type, std::move(data));
        return true;
    }
    if (value->type == type && value->data == data) return false;
    value->type = type;
    value->data = std::move(data);
    return true;
}

void RegistryKeyNode::AddValueIfAbsent(std::string_view name, DWORD type, std::vector<BYTE> data) {
    if (FindValue(name)) return;
    values_.push_back(RegistryValue{std::string(name), type, std::move(data)});
    if (valueIndex_) valueIndex_->emplace(FoldCase(name), values_.size() - 1);
    else if (values_.size() >= kIndexFrom) Reindex(valueIndex_, values_, ValueName);
}

bool RegistryKeyNode::DeleteValue(std::string_view name) {
    size_t scratch = 0;
    const size_t* position = Lookup(valueIndex_, values_, ValueName, name, scratch);
    if (!position) return false;
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(*position));
    ValuesChanged();
    return true;
}

void RegistryKeyNode::Clear() {
    values_.clear();
    ValuesChanged();
    RegistryKeyNode discarded;
    discarded.children_ = std::move(children_);  // destroyed without recursion
    children_.clear();
    ChildrenChanged();
}

void RegistryKeyNode::ValuesChanged() { Reindex(valueIndex_, values_, ValueName); }

void RegistryKeyNode::ChildrenChanged() {
    Reindex(childIndex_, children_, ChildName);
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
