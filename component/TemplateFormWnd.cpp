#include "component/TemplateFormWnd.h"

#include "component/ComponentModule.h"
#include "platform/gdi/Font.h"
#include "platform/module/Module.h"
#include "platform/window/Dialog.h"
#include "platform/window/DialogTemplates.h"

using namespace win;

namespace {

constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr const char* kTemplateFace = "Arial";
constexpr int kTemplatePointSize = 8;

// Font request constants the drawing layer does not name.
constexpr DWORD OUT_DEFAULT_PRECIS = 0;
constexpr DWORD CLIP_DEFAULT_PRECIS = 0;
constexpr DWORD DEFAULT_PITCH = 0x00;
constexpr DWORD FF_SWISS = 0x20;

std::shared_ptr<Font> MakeFormFont() {
    return CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       ANTIALIASED_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial");
}

}  // namespace

CTemplateFormWnd::~CTemplateFormWnd() {
    // Take the window and its controls down while this object's overrides are still in place.
    if (GetSafeHwnd()) DestroyWindow();
}

BOOL CTemplateFormWnd::Create(const char*, const char*, DWORD style, const Rect& rect, Window* parent,
                              UINT id, void* createContext) {
    templateId_ = LOWORD(id);
    createContext_ = createContext;
    if (style == 0) style = kDefaultStyle;

    CREATESTRUCTA cs;
    cs.style = style;
    if (!PreCreateWindow(cs)) return FALSE;

    Module* module = CurrentModule();
    const DialogTemplate* found = module ? module->FindDialog(templateId_) : nullptr;
    if (!found) return FALSE;
    DialogTemplate dialog = *found;
    dialog.style |= DS_SETFONT;
    dialog.fontFace = kTemplateFace;
    dialog.pointSize = kTemplatePointSize;
    if (!CreateFromTemplate(*this, dialog, parent, id)) return FALSE;

    EnableToolTips(TRUE);
    GiveFormFont();

    createContext_ = nullptr;
    ModifyStyle(WS_CAPTION, style & WS_CAPTION);
    ModifyStyleEx(WS_EX_CLIENTEDGE, cs.dwExStyle & WS_EX_CLIENTEDGE);
    SetDlgCtrlID(static_cast<int>(id));
    // Templates carry no initialisation data for their controls here, so there is none to run.
    // Class styles are kept per window on this platform; the redraw and save-bits styles go.
    SetClassStyle(ClassStyle() & ~(CS_HREDRAW | CS_VREDRAW | CS_SAVEBITS));

    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (style & WS_VISIBLE) ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CTemplateFormWnd::GiveFormFont() {
    std::shared_ptr<Font> font = MakeFormFont();
    // The template's own font is no longer anyone's once every direct child has this one.
    ownedFont_ = font;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    for (Window* child = GetWindow(GW_CHILD); child && child != this;) {
        child->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        Window* next = child->GetWindow(GW_HWNDNEXT);
        if (next == child) break;
        child = next;
    }
}

BOOL CTemplateFormWnd::PreTranslateMessage(MSG* msg) {
    // The base filters tooltip messages. There are no frame windows here, hence no context-help
    // mode and no frame to offer the message to first.
    if (Window::PreTranslateMessage(msg)) return TRUE;
    return IsDialogMessage(this, msg);
}

BOOL CTemplateFormWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || header->code != TTN_NEEDTEXTA) return Window::OnNotify(wParam, lParam, result);
    if (!AnswerToolTipText(*reinterpret_cast<TOOLTIPTEXTA*>(lParam))) return FALSE;
    if (result) *result = 0;
    return TRUE;
}

bool CTemplateFormWnd::AnswerToolTipText(TOOLTIPTEXTA& request) {
    UINT_PTR id = request.hdr.idFrom;
    if (request.uFlags & TTF_IDISHWND) {
        Window* tool = FromHandle(reinterpret_cast<HWND>(request.hdr.idFrom));
        id = tool ? static_cast<UINT_PTR>(tool->GetDlgCtrlID()) : 0;
    }
    if (id == 0) return false;
    ModuleStateScope scope(ComponentModule());
    LoadStringA(static_cast<UINT>(id), request.szText, static_cast<int>(sizeof request.szText));
    request.lpszText = request.szText;
    return true;
}
