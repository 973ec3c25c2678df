#pragma once
// A dialog box made from a template, with the framework dialog class's defaults: modal (DoModal runs
// a nested loop until EndDialog) or modeless. The dialog manager's keyboard handling as Windows
// dialogs have it: Tab and Shift+Tab among tab stops, arrows within a group, Enter for the default
// button, Escape for Cancel, mnemonics ("&x" in a button's, static's or group box's text, with Alt or
// alone). Dialog data exchange: DoDataExchange lists the members exchanged with the controls
// (DataExchange.h), UpdateData runs it; the default initialisation writes the members into the
// controls, the default OK reads them back and ends with IDOK only when that succeeds.
#include "platform/module/ResourceTemplates.h"
#include "platform/window/Window.h"

namespace win {

class DataExchange;

class Dialog : public Window {
public:
    explicit Dialog(UINT templateId, Window* parent = nullptr);
    explicit Dialog(DialogTemplate dialog, Window* parent = nullptr);

    // Returns the code given to EndDialog, or -1 when the dialog could not be made. Without a
    // parent the dialog is owned by the active window, which is disabled while the dialog runs.
    virtual INT_PTR DoModal();
    // Shown at once only when the template has WS_VISIBLE. EndDialog only hides such a dialog.
    BOOL CreateModeless(Window* parent = nullptr);
    void EndDialog(int result);
    bool IsModalRunning() const { return running_; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // FALSE writes the members into the controls, TRUE reads and validates them; FALSE when a
    // helper failed the exchange (the focus then goes to the control that failed).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(DataExchange& dx);

    // Centres the dialog on its owner (a child on its parent's client area), or on `alternateOwner`,
    // or on the screen when it has neither, the owner is hidden or `onScreen` asks for it; a popup
    // is kept inside the screen.
    void CenterWindow(Window* alternateOwner = nullptr, bool onScreen = false);

    int GetDefaultId() const { return defaultId_; }
    void SetDefaultId(int id);

protected:
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    void OnActivate(UINT state, Window* other, BOOL minimized) override;
    long BackgroundColor() const override;
    // Without a parent the dialog normally belongs to the active window; an ownerless one does not.
    void SetOwnerless() { ownerless_ = true; }
    // The template this dialog is made from: by id from the current module, or the one given.
    const DialogTemplate* Template() const;

private:
    BOOL CreateIndirect(Window* owner, bool show);

    UINT templateId_ = 0;
    DialogTemplate ownTemplate_;
    bool hasOwnTemplate_ = false;
    Window* requestedParent_ = nullptr;
    bool ownerless_ = false;
    bool modeless_ = false;
    bool ended_ = false;
    bool running_ = false;
    int result_ = 0;
    int defaultId_ = IDOK;
    HWND lastFocus_ = nullptr;
};

// Dialog-style keyboard handling for `dialog` and its descendants; TRUE when the message was used.
BOOL IsDialogMessage(Window* dialog, MSG* msg);
// The next (or previous) tab stop among the dialog's children after `from`, wrapping: a visible,
// enabled WS_TABSTOP control that is not a static or a group box (they answer DLGC_STATIC).
Window* GetNextDlgTabItem(Window* dialog, Window* from, bool previous);
Window* GetNextDlgGroupItem(Window* dialog, Window* from, bool previous);

}  // namespace win
