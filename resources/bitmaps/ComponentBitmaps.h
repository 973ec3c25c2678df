#pragma once
// The editor's bitmaps, embedded by the build from resources/bitmaps/<id>.bmp (cmake/EmbedBitmaps.cmake)
// and declared in the component's module under their ids.
namespace win { class Module; }

void RegisterComponentBitmaps(win::Module& module);
