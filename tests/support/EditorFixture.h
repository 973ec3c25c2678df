#pragma once
// The editor as the host makes it: a component from the factory, bound to an effect slot, with its
// editor created in a host window on the headless desktop and painted once. Tests reach the panel
// through the window tree and look at its fields, the parameter block and the screen.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "component/FactoryExports.h"
#include "host/app/EditorSite.h"
#include "host/lib/ComponentInterface.h"
#include "host/lib/EffectsPlugin.h"
#include "panel/EditorPanel.h"
#include "platform/gdi/DrawTrace.h"
#include "presets/UserPreset.h"
#include "tests/support/HeadlessDesktop.h"

namespace testsupport {

class EditorFixture : public testsupport::HeadlessDesktopTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Values the host's block holds before the editor starts.
    virtual void PrepareSlot();
    void MakeEditor();

    tagEffectParams& Block() { return *slot.GetInterface(); }
    // Clicks at a point of the panel's client area.
    void ClickPanel(win::Point client) { ClickClient(*panel, client); }
    void PressPanel(win::Point client);
    void ReleasePanel(win::Point client);
    // The copies of resource bitmap `id` that the trace recorded.
    static std::vector<win::DrawTraceEntry> CopiesOf(const std::vector<win::DrawTraceEntry>& trace, int id);
    // Answers the next modal window with Enter and returns its texts as painted.
    void AnswerNextMessageBox(std::vector<std::string>* texts);
    // A preset room written straight into KVX4.ini, as any earlier session would have left it.
    void WriteRoom(int room, const tagUserPreset& preset);
    void WriteRoomCount(int count);

    std::filesystem::path windowsDir;
    CEffectsPlugin slot;
    EditorSite site{nullptr};
    win::Window host;  // the host's window that holds the editor
    IEffectComponent* component = nullptr;
    CEditorPanel* panel = nullptr;
};

}  // namespace testsupport
