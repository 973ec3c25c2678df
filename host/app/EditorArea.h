#pragma once
// The child window of the host window that the component's editor is created in (the parent given
// to CreateEditor). The editor covers it while shown; otherwise the area shows a short note saying
// why it is empty. The component owns the editor window inside; this window never touches it.
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

    void SetNote(std::string_view note);
    const std::string& Note() const { return note_; }

protected:
    void OnPaint() override;

private:
    std::string note_;
    std::shared_ptr<win::Font> font_;
};
