#include "platform/window/Cursor.h"

namespace win {
namespace {

CursorShape shape = CursorShape::Arrow;
std::function<void(CursorShape)>& Observer() {
    static std::function<void(CursorShape)> observer;
    return observer;
}

}  // namespace

void SetCursorShape(CursorShape next) {
    if (next == shape) return;
    shape = next;
    if (Observer()) Observer()(shape);
}

CursorShape GetCursorShape() { return shape; }
void SetCursorObserver(std::function<void(CursorShape)> observer) { Observer() = std::move(observer); }

}  // namespace win
