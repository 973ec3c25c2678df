#pragma once
// Windows made from dialog templates: the conversion of dialog units to pixels with the template's
// font, the creation of the window and its controls, and the registry of control classes by name.
#include <functional>
#include <memory>
#include <string>

#include "platform/module/ResourceTemplates.h"
#include "platform/window/Window.h"

namespace win {

// Makes a control object for a class name ("Static", "Button", ...), compared without regard to
// case; registered by each control. MakeControl returns null for a class nobody registered.
using ControlFactory = std::function<Window*()>;
void RegisterControlClass(const std::string& className, ControlFactory factory);
Window* MakeControl(const std::string& className);
bool IsControlClassRegistered(const std::string& className);

// The font a template asks for (DS_SETFONT), or the default GUI font.
std::shared_ptr<Font> TemplateFont(const DialogTemplate& dialog);
// Converts a rectangle in dialog units to pixels, as MapDialogRect does for a font's base units.
Rect MapDialogRect(const Rect& units, Size baseUnits);

// Creates `self` from the template as the dialog window ("#32770") and its controls as children.
// A child template is placed in the parent's client area; a popup is placed relative to its owner's
// client origin. The controls get the template's font; they delete themselves with their windows.
// `id` becomes the window's control id. No WM_INITDIALOG is sent.
// A control whose class is not registered, or whose creation fails, fails the whole creation: the
// window is destroyed again and FALSE returned (with ERROR_CANNOT_FIND_WND_CLASS for an unknown
// class, which is also named on stderr), unless the template has DS_NOFAILCREATE.
BOOL CreateFromTemplate(Window& self, const DialogTemplate& dialog, Window* parent, UINT id = 0);

}  // namespace win
