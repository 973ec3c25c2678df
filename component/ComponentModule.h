#pragma once
// The component library's module: its file path and its resources (strings, dialog templates,
// menus, bitmaps). Every entry point from the host makes it current with a ModuleStateScope.
#include "platform/module/Module.h"

win::Module& ComponentModule();
