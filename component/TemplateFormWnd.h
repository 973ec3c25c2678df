#pragma once
// A child window made from a dialog template of this library, with dialog-style keyboard handling
// (Tab and arrows among its controls) and tooltips for its direct children, whose texts are the
// library's strings with the children's control ids. The base of the editor host window.
//
// Owns the font it gives itself and its direct children at creation (kept in the base's
// font-keeping slot, so it is released only after the window and its children are gone).
#include "platform/window/Window.h"

class CTemplateFormWnd : public win::Window {
public:
    CTemplateFormWnd() = default;
    ~CTemplateFormWnd() override;

    // Creates the window from the template whose resource id is the low word of `id`, as a child
    // of `parent`, placed at `rect` (the parent's client coordinates). A zero style stands for
    // child, visible and bordered. `className` and `windowName` are not used: the template decides
    // the class and the text.
    // Returns 1, or 0 when the pre-creation hook refuses or the window cannot be made.
    virtual win::BOOL Create(const char* className, const char* windowName, win::DWORD style, const win::Rect& rect,
                             win::Window* parent, win::UINT id, void* createContext = nullptr);

    win::BOOL PreTranslateMessage(win::MSG* msg) override;

    win::UINT TemplateId() const { return templateId_; }

protected:
    win::BOOL OnNotify(win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result) override;

private:
    bool AnswerToolTipText(win::TOOLTIPTEXTA& request);
    void GiveFormFont();

    win::UINT templateId_ = 0;
    void* createContext_ = nullptr;  // only while Create runs
};
