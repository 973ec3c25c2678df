#pragma once
// Points, sizes and rectangles in pixels; a rectangle holds left <= x < right, top <= y < bottom.
#include <algorithm>
#include <vector>

namespace win {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
    constexpr Point operator+(Point o) const { return {x + o.x, y + o.y}; }
    constexpr Point operator-(Point o) const { return {x - o.x, y - o.y}; }
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect FromSize(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr Size GetSize() const { return {Width(), Height()}; }
    constexpr Point TopLeft() const { return {left, top}; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr Rect Offset(Point d) const { return Offset(d.x, d.y); }
    Rect Intersect(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    Rect Union(const Rect& o) const {
        if (IsEmpty()) return o;
        if (o.IsEmpty()) return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A set of pixels kept as disjoint rectangles; enough for clip and update areas of a few windows.
class Region {
public:
    Region() = default;
    explicit Region(const Rect& r) { if (!r.IsEmpty()) rects_.push_back(r); }

    const std::vector<Rect>& Rects() const { return rects_; }
    bool IsEmpty() const { return rects_.empty(); }
    Rect Bounds() const {
        Rect b;
        for (const Rect& r : rects_) b = b.Union(r);
        return b;
    }
    bool Contains(Point p) const {
        return std::any_of(rects_.begin(), rects_.end(), [&](const Rect& r) { return r.Contains(p); });
    }

    void Add(const Rect& r) {
        if (r.IsEmpty()) return;
        Region rest(r);
        for (const Rect& mine : rects_) rest.Subtract(mine);
        rects_.insert(rects_.end(), rest.rects_.begin(), rest.rects_.end());
        Coalesce();
    }
    void Add(const Region& o) { for (const Rect& r : o.rects_) Add(r); }

    void Subtract(const Rect& cut) {
        if (cut.IsEmpty()) return;
        std::vector<Rect> out;
        for (const Rect& r : rects_) {
            Rect i = r.Intersect(cut);
            if (i.IsEmpty()) { out.push_back(r); continue; }
            if (r.top < i.top) out.push_back({r.left, r.top, r.right, i.top});
            if (i.bottom < r.bottom) out.push_back({r.left, i.bottom, r.right, r.bottom});
            if (r.left < i.left) out.push_back({r.left, i.top, i.left, i.bottom});
            if (i.right < r.right) out.push_back({i.right, i.top, r.right, i.bottom});
        }
        rects_ = std::move(out);
    }
    void Subtract(const Region& o) { for (const Rect& r : o.rects_) Subtract(r); }

    void Intersect(const Rect& clip) {
        std::vector<Rect> out;
        for (const Rect& r : rects_) {
            Rect i = r.Intersect(clip);
            if (!i.IsEmpty()) out.push_back(i);
        }
        rects_ = std::move(out);
    }
    void Intersect(const Region& o) {
        Region result;
        for (const Rect& clip : o.rects_) {
            Region part = *this;
            part.Intersect(clip);
            result.rects_.insert(result.rects_.end(), part.rects_.begin(), part.rects_.end());
        }
        rects_ = std::move(result.rects_);
    }
    void Offset(int dx, int dy) { for (Rect& r : rects_) r = r.Offset(dx, dy); }
    void Clear() { rects_.clear(); }

private:
    // Merges neighbours that share a full edge, so repeated invalidation stays small.
    void Coalesce() {
        bool merged = true;
        while (merged) {
            merged = false;
            for (size_t i = 0; i < rects_.size() && !merged; ++i)
                for (size_t j = i + 1; j < rects_.size() && !merged; ++j) {
                    Rect& a = rects_[i];
                    const Rect& b = rects_[j];
                    bool vertical = a.left == b.left && a.right == b.right && (a.bottom == b.top || b.bottom == a.top);
                    bool horizontal = a.top == b.top && a.bottom == b.bottom && (a.right == b.left || b.right == a.left);
                    if (vertical || horizontal) {
                        a = a.Union(b);
                        rects_.erase(rects_.begin() + static_cast<long>(j));
                        merged = true;
                    }
                }
        }
    }
    std::vector<Rect> rects_;
};

}  // namespace win
