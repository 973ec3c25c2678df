#include "resources/ComponentResources.h"

#include "resources/ResourceIds.h"
#include "resources/bitmaps/ComponentBitmaps.h"
#include "platform/module/Module.h"

void RegisterComponentResources(win::Module& module) {
    module.AddString(IDS_FX1_CONTROL, "Corvane FX 1 Control");
    module.AddString(IDS_STEREO_DRY_MIXER, "Stereo Dry Mixer");
    module.AddString(IDS_FX_CONTOUR, "FX Contour");
    module.AddString(IDS_FX_MIDI_CONTROL, "FX Midi Control");
    module.AddString(IDS_FX_DEPTH_SLIDER, "FX Depth Slider Wnd");
    RegisterDialogTemplates(module);
    RegisterMenus(module);
    RegisterComponentBitmaps(module);
}
