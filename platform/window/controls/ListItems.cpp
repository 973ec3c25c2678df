#include "platform/window/controls/ListItems.h"

#include <utility>

namespace win {

// A treap: in-order position is the line's index, priorities keep it balanced (expected depth
// O(log n)), and every node knows the size of its subtree.
struct ListItems::Node {
    ListItem item;
    std::uint32_t priority = 0;
    int size = 1;
    std::unique_ptr<Node> left, right;
};

ListItems::ListItems() = default;
ListItems::~ListItems() = default;

int ListItems::Size(const std::unique_ptr<Node>& node) { return node ? node->size : 0; }

void ListItems::Update(Node& node) { node.size = 1 + Size(node.left) + Size(node.right); }

void ListItems::Split(std::unique_ptr<Node> tree, int count, std::unique_ptr<Node>& first,
                      std::unique_ptr<Node>& rest) {
    if (!tree) {
        first.reset();
        rest.reset();
        return;
    }
    const int leftSize = Size(tree->left);
    if (leftSize < count) {
        std::unique_ptr<Node> tail;
        Split(std::move(tree->right), count - leftSize - 1, tree->right, tail);
        Update(*tree);
        first = std::move(tree);
        rest = std::move(tail);
    } else {
        std::unique_ptr<Node> head;
        Split(std::move(tree->left), count, head, tree->left);
        Update(*tree);
        first = std::move(head);
        rest = std::move(tree);
    }
}

std::unique_ptr<ListItems::Node> ListItems::Merge(std::unique_ptr<Node> first, std::unique_ptr<Node> rest) {
    if (!first) return rest;
    if (!rest) return first;
    if (first->priority > rest->priority) {
        first->right = Merge(std::move(first->right), std::move(rest));
        Update(*first);
        return first;
    }
    rest->left = Merge(std::move(first), std::move(rest->left));
    Update(*rest);
    return rest;
}

int ListItems::Count() const { return Size(root_); }

ListItems::Node* ListItems::At(int index) const {
    Node* node = root_.get();
    while (node) {
        const int leftSize = Size(node->left);
        if (index < leftSize) {
            node = node->left.get();
        } else if (index == leftSize) {
            return node;
        } else {
            index -= leftSize + 1;
            node = node->right.get();
        }
    }
    return nullptr;
}

ListItem& ListItems::operator[](int index) { return At(index)->item; }
const ListItem& ListItems::operator[](int index) const { return At(index)->item; }

void ListItems::Insert(int index, ListItem item) {
    auto node = std::make_unique<Node>();
    node->item = std::move(item);
    // xorshift32: any spread of priorities keeps the expected depth logarithmic.
    seed_ ^= seed_ << 13;
    seed_ ^= seed_ >> 17;
    seed_ ^= seed_ << 5;
    node->priority = seed_;
    std::unique_ptr<Node> first, rest;
    Split(std::move(root_), index, first, rest);
    root_ = Merge(Merge(std::move(first), std::move(node)), std::move(rest));
}

void ListItems::Erase(int index) {
    std::unique_ptr<Node> first, rest, erased;
    Split(std::move(root_), index, first, rest);
    Split(std::move(rest), 1, erased, rest);
    root_ = Merge(std::move(first), std::move(rest));
}

void ListItems::Clear() { root_.reset(); }

int ListItems::LowerBound(std::string_view key) const {
    int position = 0;
    int found = Count();
    for (const Node* node = root_.get(); node;) {
        if (std::string_view(node->item.sortKey) < key) {
            position += Size(node->left) + 1;
            node = node->right.get();
        } else {
            found = position + Size(node->left);
            node = node->left.get();
        }
    }
    return found;
}

}  // namespace win
