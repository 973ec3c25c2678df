#include "platform/module/Module.h"
#include "platform/window/WindowStyles.h"
#include "resources/ResourceIds.h"

using namespace win;

void RegisterDialogTemplates(Module& module) {
    // The editor host: a child dialog whose only control is an invisible black frame.
    DialogTemplate host;
    host.style = 0x40000050;  // WS_CHILD | DS_SETFONT | DS_NOFAILCREATE, as stored in the resource
    host.exStyle = 0x400;
    host.cx = 387;
    host.cy = 127;
    host.fontFace = "MS Sans Serif";
    host.pointSize = 8;
    host.items.push_back({"Static", "", IDC_EDITOR_FRAME, WS_CHILD | SS_BLACKFRAME, 0, 0, 0, 387, 126});
    module.AddDialog(IDD_EDITOR_HOST, std::move(host));
}
