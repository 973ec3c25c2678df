#pragma once
// Declares every resource of the component library (string table, dialog templates, menus,
// bitmaps) in its module.
namespace win { class Module; }

void RegisterComponentResources(win::Module& module);
