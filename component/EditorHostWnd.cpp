#include "component/EditorHostWnd.h"

#include "component/CurrentComponent.h"
#include "host/lib/EffectsPlugin.h"
#include "resources/ResourceIds.h"

CEditorHostWnd::~CEditorHostWnd() { DeletePanel(); }

void CEditorHostWnd::CreatePanel() {
    // The editor panel is created here, in the client rectangle, with the text "Corvane FX4", style
    // child, visible and tab stop, control id IDS_FX1_CONTROL and a pointer back to this window.
    // Until the panel class exists the editor runs without one.
    effect_ = nullptr;
}

void CEditorHostWnd::BindEffect() {
    effect_ = CurrentEffect();
    params_ = effect_ ? effect_->GetInterface() : nullptr;
    // The panel, once it exists, takes both here, rebinds its controls and polls the block once.
}

void CEditorHostWnd::DeletePanel() {
    // The panel object is deleted here once the panel class exists; none is ever made before.
    panel_ = nullptr;
}

win::Window* CEditorHostWnd::PanelWindow() const { return GetDlgItem(static_cast<int>(IDS_FX1_CONTROL)); }

bool CEditorHostWnd::StartPollTimer() {
    win::Window* panel = PanelWindow();
    return !panel || panel->SetTimer(kPanelPollTimerId, kPanelPollPeriodMs) != 0;
}

void CEditorHostWnd::StopPollTimer() {
    if (win::Window* panel = PanelWindow()) panel->KillTimer(kPanelPollTimerId);
}
