#pragma once
// The host program's main window: the editor area on the left, the parameter readout on the right
// and a row of host buttons with a status line below. It owns those child windows; what the
// buttons do, and what closing means, is decided by its Listener (the host session), which must
// outlive the window. The component's editor lives inside Editor() and is never owned here.
#include <array>
#include <memory>
#include <string_view>

#include "host/app/EditorArea.h"
#include "host/app/HostButtonControl.h"
#include "host/app/HostButtons.h"
#include "host/app/ReadoutPanel.h"
#include "platform/window/Window.h"
#include "platform/window/controls/StaticControl.h"

class HostWindow : public win::Window {
public:
    class Listener {
    public:
        virtual void OnHostButton(HostButton button) = 0;
        virtual void OnHostWindowClose() = 0;
        // Delivered from the message queue after PostEditorCloseRequest.
        virtual void OnEditorCloseRequest() = 0;

    protected:
        ~Listener() = default;
    };

    static constexpr win::DWORD kStyle = win::WS_OVERLAPPED | win::WS_CAPTION | win::WS_SYSMENU;
    // Between the host window and a floating editor's window to its right.
    static constexpr int kFloatingGap = 8;

    explicit HostWindow(CEffectsPlugin& slot) : readout_(slot) {}

    // The window's full size, frame and caption included.
    static win::Size OuterSize(bool floatingEditor = false);
    // Creates the window, visible, with its top-left corner at `origin` on the desktop. With
    // `floatingEditor` the editor area is a top-level window of its own beside it, owned by it,
    // which the editor moves when dragged on an empty spot, as hosts float plug-in editors.
    bool Create(std::string_view title, win::Point origin, Listener* listener, bool floatingEditor = false);

    EditorArea& Editor() { return editor_; }
    ReadoutPanel& Readout() { return readout_; }
    void SetStatus(std::string_view text);
    std::string Status() const { return status_.GetWindowText(); }
    void SetButtonText(HostButton button, std::string_view text);
    win::Point ButtonCenterOnScreen(HostButton button) const;

    // The editor's close request arrives inside the editor's own message handling; acting on it
    // from the queue keeps the host from reaching back into the component mid-call.
    void PostEditorCloseRequest();

protected:
    win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override;
    void OnPaint() override;
    win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;
    void OnClose() override;
    long BackgroundColor() const override;

private:
    static win::Size ClientSize(bool floatingEditor);

    Listener* listener_ = nullptr;
    bool floating_ = false;
    EditorArea editor_;
    ReadoutPanel readout_;
    std::array<std::unique_ptr<HostButtonControl>, 4> buttons_;
    win::StaticControl status_;
};
