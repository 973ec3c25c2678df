#pragma once
// The editor host window: the child window, made from dialog template 200, that the component
// object puts into the host's window (582 by 408 pixels at the parent's client origin). It owns
// the editor panel and keeps the effect slot and parameter block it was last bound to, which it
// hands on to the panel. Made and deleted by CEffectComponent.
#include <memory>

#include "component/TemplateFormWnd.h"
#include "platform/window/WindowMessages.h"

class CEditorPanel;
class CEffectsPlugin;
struct tagEffectParams;

// The panel's poll timer, started and stopped with the editor's visibility.
constexpr win::UINT_PTR kPanelPollTimerId = 4;
constexpr win::UINT kPanelPollPeriodMs = 300;

class CEditorHostWnd : public CTemplateFormWnd {
public:
    CEditorHostWnd();
    ~CEditorHostWnd() override;

    // Makes the panel inside the client area and clears the effect slot field, which the panel's
    // own binding has taken over.
    void CreatePanel();
    // Takes the current component's effect slot and its parameter block, keeps both and gives them
    // to the panel, which rebinds its controls and polls the block once.
    void BindEffect();

    // The panel's poll timer; without a panel window there is nothing to start or stop.
    bool StartPollTimer();
    void StopPollTimer();

    CEditorPanel* Panel() const { return panel_.get(); }
    tagEffectParams* Params() const { return params_; }
    CEffectsPlugin* Effect() const { return effect_; }
    // The panel's window, found by its control id, so that window-level work needs nothing of the
    // panel's class.
    win::Window* PanelWindow() const;

private:
    void DeletePanel();

    std::unique_ptr<CEditorPanel> panel_;
    tagEffectParams* params_ = nullptr;
    CEffectsPlugin* effect_ = nullptr;
};
