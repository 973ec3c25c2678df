#include "component/EditorHostWnd.h"

#include "component/CurrentComponent.h"
#include "host/lib/EffectsPlugin.h"
#include "panel/EditorPanel.h"
#include "resources/ResourceIds.h"

CEditorHostWnd::CEditorHostWnd() = default;

CEditorHostWnd::~CEditorHostWnd() { DeletePanel(); }

void CEditorHostWnd::CreatePanel() {
    panel_ = std::make_unique<CEditorPanel>();
    panel_->CreateEx(0, nullptr, "Corvane FX4", win::WS_CHILD | win::WS_VISIBLE | win::WS_TABSTOP, ClientRect(), this,
                     IDS_FX1_CONTROL);
    panel_->owner = this;
    effect_ = nullptr;
}

void CEditorHostWnd::BindEffect() {
    effect_ = CurrentEffect();
    params_ = effect_ ? effect_->GetInterface() : nullptr;
    if (!panel_) return;
    panel_->paramBlock = params_;
    panel_->effectSlot = effect_;
    panel_->Rebind();
    panel_->PollParameters();
}

void CEditorHostWnd::DeletePanel() {
    panel_.reset();
}

win::Window* CEditorHostWnd::PanelWindow() const { return GetDlgItem(static_cast<int>(IDS_FX1_CONTROL)); }

bool CEditorHostWnd::StartPollTimer() {
    win::Window* panel = PanelWindow();
    return !panel || panel->SetTimer(kPanelPollTimerId, kPanelPollPeriodMs) != 0;
}

void CEditorHostWnd::StopPollTimer() {
    if (win::Window* panel = PanelWindow()) panel->KillTimer(kPanelPollTimerId);
}
