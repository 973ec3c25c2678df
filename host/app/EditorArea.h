#pragma once
// The child window of the host window that the component's editor is created in (the parent given
// to CreateEditor). The editor covers it while shown; otherwise the area shows a short note saying
// why it is empty. The component owns the editor window inside; this window never touches it.
//
// The editor was made for a floating host window: a press on an empty spot of its panel drags "the
// host's window", which is this area. Here the editor is docked, so the area returns to its place
// after every such move.
#include <memory>
#include <string>
#include <string_view>

#include "platform/window/Window.h"

namespace win {
class Font;
}

class EditorArea : public win::Window {
public:
    static constexpr win::Size kSize{582, 408};

    // Where the area belongs, in its parent's client coordinates; set once it is created.
    void Dock(const win::Rect& place) { docked_ = place; }
    void SetNote(std::string_view note);
    const std::string& Note() const { return note_; }

protected:
    win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override;
    void OnPaint() override;
    void OnMove(int x, int y) override;
    void OnSize(win::UINT type, int cx, int cy) override;

private:
    void ReturnLater();

    win::Rect docked_;
    bool returnPosted_ = false;
    std::string note_;
    std::shared_ptr<win::Font> font_;
};
