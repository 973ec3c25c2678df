#pragma once
// The component object the host drives: a plain class whose table of virtual operations is the
// host's interface, sixteen entries in a fixed order (the host declares the same table as
// IEffectComponent and casts our pointer to it; we do not derive from it, so nothing but these
// sixteen ever enters the table). Made and destroyed by the factory exports.
//
// Owns the editor host window once CreateEditor made it; borrows the host's editor site, parent
// window and effect slot. Every operation but the reserved ones, GetRevision and
// RefreshEffectAutomation runs with the library's module state current, and no exception leaves
// an operation.
#include <memory>

#include "component/ComponentApi.h"
#include "platform/base/WinTypes.h"

class CEditorHostWnd;
class CEffectsPlugin;
class IEditorSite;

class KVX4_COMPONENT_API CEffectComponent final {
public:
    CEffectComponent();
    // Not virtual: the host frees the object through CRVFreeComponentInterface, never through the
    // table, and the table must hold exactly the sixteen operations.
    ~CEffectComponent();
    CEffectComponent(const CEffectComponent&) = delete;
    CEffectComponent& operator=(const CEffectComponent&) = delete;

    virtual int GetKind();                                   // 0
    virtual int QueryFeature(int feature);                   // 1
    virtual char* GetHelpFilePath(char* buffer);             // 2, buffer of 260 bytes
    virtual win::HWND CreateEditor(win::HWND parent);        // 3
    virtual int SetParentWindow(win::HWND parent);           // 4
    virtual bool ShowEditor(bool show);                      // 5
    virtual bool QueryReady(int what);                       // 6
    virtual void SetEditorSite(IEditorSite* site);           // 7
    virtual void Reserved1(int);                             // 8
    virtual void Reserved2(int);                             // 9
    virtual void Reserved3(int);                             // 10
    virtual void Reserved4(int);                             // 11
    virtual int GetRevision();                               // 12
    virtual void SetEffect(CEffectsPlugin* effect);          // 13
    virtual void Reserved5(int);                             // 14
    virtual void RefreshEffectAutomation(CEffectsPlugin* effect);  // 15

    IEditorSite* EditorSite() const { return editorSite_; }
    win::HWND ParentWindow() const { return parentWindow_; }
    CEffectsPlugin* Effect() const { return effect_; }
    CEditorHostWnd* EditorHost() const { return editorHost_.get(); }

private:
    win::HWND MakeEditor(win::HWND parent);
    void ShowOrHideEditor(bool show);

    IEditorSite* editorSite_;
    win::HWND parentWindow_;
    CEffectsPlugin* effect_;
    std::unique_ptr<CEditorHostWnd> editorHost_;
};
