#pragma once
// The host's view of a component object and the host's editor-site callback, as the host declares
// them. A component object is a plain class whose table of virtual operations holds these sixteen
// entries in exactly this order; the host calls nothing else on it.
#include "platform/base/WinTypes.h"

class CEffectsPlugin;

class IEditorSite {
public:
    virtual void Reserved0() = 0;
    virtual void Reserved1() = 0;
    virtual void Reserved2() = 0;
    virtual void Reserved3() = 0;
    virtual void Reserved4() = 0;
    virtual void Reserved5() = 0;
    virtual void Reserved6() = 0;
    virtual void Reserved7() = 0;
    virtual void Reserved8() = 0;
    virtual void Reserved9() = 0;
    virtual void Reserved10() = 0;
    virtual void Reserved11() = 0;
    virtual void Reserved12() = 0;
    virtual void Reserved13() = 0;
    // Slot 14: the editor asks to be closed.
    virtual int OnCloseRequest() = 0;

protected:
    ~IEditorSite() = default;
};

class IEffectComponent {
public:
    virtual int GetKind() = 0;                                 // 0
    virtual int QueryFeature(int feature) = 0;                 // 1
    virtual char* GetHelpFilePath(char* buffer) = 0;           // 2, buffer of 260 bytes
    virtual win::HWND CreateEditor(win::HWND parent) = 0;      // 3
    virtual int SetParentWindow(win::HWND parent) = 0;         // 4
    virtual bool ShowEditor(bool show) = 0;                    // 5
    virtual bool QueryReady(int what) = 0;                     // 6
    virtual void SetEditorSite(IEditorSite* site) = 0;         // 7
    virtual void Reserved1(int) = 0;                           // 8
    virtual void Reserved2(int) = 0;                           // 9
    virtual void Reserved3(int) = 0;                           // 10
    virtual void Reserved4(int) = 0;                           // 11
    virtual int GetRevision() = 0;                             // 12
    virtual void SetEffect(CEffectsPlugin* effect) = 0;        // 13
    virtual void Reserved5(int) = 0;                           // 14
    virtual void RefreshEffectAutomation(CEffectsPlugin* effect) = 0;  // 15

protected:
    ~IEffectComponent() = default;
};

// The factory exports every component library has.
extern "C" {
using CRVGetComponentInterfaceFn = void* (*)(int kind);
using CRVFreeComponentInterfaceFn = void (*)(void* component);
}

constexpr int kEffectsCategory = 0x11040;
