#pragma once
// The pointer's shape. The desktop backend shows it; tests can read it.
#include <functional>

namespace win {

enum class CursorShape { Arrow, Wait };

void SetCursorShape(CursorShape shape);
CursorShape GetCursorShape();
// The backend's way of showing a new shape.
void SetCursorObserver(std::function<void(CursorShape)> observer);

// Shows the wait cursor for a scope and restores the previous shape, also when an exception passes.
class WaitCursor {
public:
    WaitCursor() : previous_(GetCursorShape()) { SetCursorShape(CursorShape::Wait); }
    ~WaitCursor() { SetCursorShape(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    CursorShape previous_;
};

}  // namespace win
