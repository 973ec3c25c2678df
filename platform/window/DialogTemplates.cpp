#include "platform/window/DialogTemplates.h"

#include <map>

#include "platform/gdi/Font.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/kernel/MulDiv.h"
#include "platform/window/PaintDC.h"

namespace win {
namespace {

std::map<std::string, ControlFactory, std::less<>>& Factories() {
    static std::map<std::string, ControlFactory, std::less<>> factories;
    return factories;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return s;
}

}  // namespace

void RegisterControlClass(const std::string& className, ControlFactory factory) {
    Factories()[Lower(className)] = std::move(factory);
}

Window* MakeControl(const std::string& className) {
    auto it = Factories().find(Lower(className));
    return it == Factories().end() ? new Window() : it->second();
}

std::shared_ptr<Font> TemplateFont(const DialogTemplate& dialog) {
    if (!(dialog.style & DS_SETFONT) || dialog.fontFace.empty())
        return std::shared_ptr<Font>(std::shared_ptr<Font>(), DefaultGuiFont());
    int height = -MulDiv(dialog.pointSize, 96, 72);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, dialog.fontFace.c_str());
}

Rect MapDialogRect(const Rect& units, Size baseUnits) {
    return {MulDiv(units.left, baseUnits.cx, 4), MulDiv(units.top, baseUnits.cy, 8),
            MulDiv(units.right, baseUnits.cx, 4), MulDiv(units.bottom, baseUnits.cy, 8)};
}

BOOL CreateFromTemplate(Window& self, const DialogTemplate& dialog, Window* parent, UINT id) {
    std::shared_ptr<Font> font = TemplateFont(dialog);
    if (!font) font = std::shared_ptr<Font>(std::shared_ptr<Font>(), DefaultGuiFont());
    const Size base = DialogBaseUnits(*font);
    Rect client = MapDialogRect({dialog.x, dialog.y, dialog.x + dialog.cx, dialog.y + dialog.cy}, base);

    // The template gives the client size; the window grows by its frame and caption.
    Window probe;
    probe.style_ = dialog.style;
    probe.exStyle_ = dialog.exStyle;
    probe.className_ = "#32770";
    Rect insets = probe.NonClientInsets();
    Rect outer{client.left, client.top, client.right + insets.left + insets.right,
               client.bottom + insets.top + insets.bottom};
    if (!(dialog.style & WS_CHILD) && parent) {
        Point origin = parent->ClientOriginOnScreen();
        outer = outer.Offset(origin);
    }

    const DWORD style = dialog.style & ~WS_VISIBLE;
    if (!self.CreateEx(dialog.exStyle, "#32770", dialog.caption.c_str(), style, outer, parent, id)) return FALSE;
    self.ownedFont_ = font;
    self.font_ = font.get();

    for (const DialogItemTemplate& item : dialog.items) {
        Window* control = MakeControl(item.className);
        Rect r = MapDialogRect({item.x, item.y, item.x + item.cx, item.y + item.cy}, base);
        // Owned here until it stands: a control whose WM_CREATE fails is destroyed but not yet deleted.
        if (!control->CreateEx(item.exStyle, item.className.c_str(), item.text.c_str(), item.style | WS_CHILD, r,
                               &self, item.id)) {
            delete control;
            continue;
        }
        control->autoDelete_ = true;
        control->SetFont(font.get(), FALSE);
    }
    if (dialog.style & WS_VISIBLE) self.ShowWindow((dialog.style & WS_CHILD) ? SW_SHOWNA : SW_SHOW);
    return TRUE;
}

}  // namespace win
