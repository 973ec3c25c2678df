#pragma once
// The lines of a list box in display order: their text, the sort key of a sorted list's line and
// the caller's item data. Kept in a tree that counts its nodes (a treap ordered by position), so
// reading line i, inserting or deleting anywhere and finding where a sorted line goes each cost
// O(log n): filling a sorted list with n lines costs O(n log n), not the O(n²) of shifting an
// array once per line. Owned by ListBoxControl.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace win {

struct ListItem {
    std::string text;
    std::string sortKey;  // ListSortKey(text) in a sorted list, else empty
    std::uintptr_t data = 0;
};

class ListItems {
public:
    ListItems();
    ~ListItems();
    ListItems(const ListItems&) = delete;
    ListItems& operator=(const ListItems&) = delete;

    int Count() const;
    // 0 <= index < Count().
    ListItem& operator[](int index);
    const ListItem& operator[](int index) const;
    // 0 <= index <= Count().
    void Insert(int index, ListItem item);
    void Erase(int index);
    void Clear();
    // The position of the first line whose sort key is not less than `key` (sorted lists only).
    int LowerBound(std::string_view key) const;

private:
    struct Node;
    static int Size(const std::unique_ptr<Node>& node);
    static void Update(Node& node);
    static void Split(std::unique_ptr<Node> tree, int count, std::unique_ptr<Node>& first, std::unique_ptr<Node>& rest);
    static std::unique_ptr<Node> Merge(std::unique_ptr<Node> first, std::unique_ptr<Node> rest);
    Node* At(int index) const;

    std::unique_ptr<Node> root_;
    std::uint32_t seed_ = 0x9E3779B9u;
};

}  // namespace win
