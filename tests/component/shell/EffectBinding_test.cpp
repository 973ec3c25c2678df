// Binding the component and its editor to the host's effect slot, refreshing a slot's automation,
// the close request through the editor site, and the end of a component.
#include <string>
#include <vector>

#include "tests/component/shell/ComponentShellTest.h"

using namespace win;
using shelltest::ComponentShellTest;

namespace {

class EffectBindingTest : public ComponentShellTest {
protected:
    void SetUp() override {
        ComponentShellTest::SetUp();
        component = NewComponent();
        ASSERT_NE(component, nullptr);
    }

    static std::vector<std::string> Calls(const CEffectsPlugin& slot) { return slot.CallLog().Texts(); }
    // The editor reads the host's registrations when it starts; it must never change one by itself.
    static std::vector<std::string> RegistrationChanges(const CEffectsPlugin& slot) {
        std::vector<std::string> changes;
        for (const HostCall& call : slot.CallLog().Calls())
            if (call.kind == HostCallKind::AddAutomation || call.kind == HostCallKind::RemoveAutomation)
                changes.push_back(call.ToString());
        return changes;
    }

    IEffectComponent* component = nullptr;
};

TEST_F(EffectBindingTest, SetEffectBindsTheComponentAndItsEditorAndIgnoresNull) {
    CEffectsPlugin first, second;
    component->SetEffect(&first);
    component->SetEffect(nullptr);
    EXPECT_EQ(Object(component)->Effect(), &first);

    CEditorHostWnd* editor = EditorHost(component->CreateEditor(hostWindow.GetSafeHwnd()));
    ASSERT_NE(editor, nullptr);
    // Until the editor is bound again, the panel speaks for the slot.
    EXPECT_EQ(editor->Effect(), nullptr);

    component->SetEffect(&second);
    EXPECT_EQ(Object(component)->Effect(), &second);
    EXPECT_EQ(editor->Effect(), &second);
    EXPECT_EQ(editor->Params(), second.GetInterface());

    component->SetEffect(nullptr);
    EXPECT_EQ(Object(component)->Effect(), &second);
    EXPECT_EQ(editor->Effect(), &second);

    // A slot without a parameter block is reported by the panel.
    CEffectsPlugin empty(CEffectsPlugin::Block::Absent);
    std::string boxes;
    WhenModal([&] {
        boxes = Window::GetActiveWindow()->GetWindowText();
        InjectKeyPress(VK_RETURN);
    });
    component->SetEffect(&empty);
    EXPECT_EQ(boxes, "KVX4");
    EXPECT_EQ(editor->Effect(), &empty);
    EXPECT_EQ(editor->Params(), nullptr);
    EXPECT_TRUE(RegistrationChanges(first).empty() && RegistrationChanges(second).empty());
}

TEST_F(EffectBindingTest, RefreshEffectAutomationRefreshesTheGivenSlotsFiveRecordsInOrder) {
    CEffectsPlugin bound, refreshed;
    component->SetEffect(&bound);
    refreshed.AddAutomation(&refreshed.GetInterface()->lowFreq, 1, 2, 7);
    refreshed.CallLog().Clear();

    component->RefreshEffectAutomation(&refreshed);
    std::vector<std::string> names;
    for (const HostCall& call : refreshed.CallLog().Calls()) {
        EXPECT_EQ(call.kind, HostCallKind::RefreshAutomation);
        names.push_back(call.recordName);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"effect", "highFreq", "midFreq", "lowFreq", "midCutoff"}));
    EXPECT_TRUE(Calls(bound).empty()) << "the bound slot is not the one asked about";

    CEffectsPlugin empty(CEffectsPlugin::Block::Absent);
    component->RefreshEffectAutomation(&empty);
    component->RefreshEffectAutomation(nullptr);
    EXPECT_TRUE(Calls(empty).empty());
}

TEST_F(EffectBindingTest, CloseRequestReachesTheCurrentComponentsSiteInSlotFourteen) {
    auto requestClose = reinterpret_cast<bool (*)()>(Symbol("_Z18RequestEditorClosev"));
    ASSERT_NE(requestClose, nullptr);
    EXPECT_FALSE(requestClose()) << "no site yet";

    shelltest::RecordingSite site, otherSite;
    component->SetEditorSite(&site);
    IEffectComponent* other = NewComponent();
    other->SetEditorSite(&otherSite);
    EXPECT_TRUE(requestClose());
    EXPECT_EQ(site.calls, std::vector<int>{14});
    EXPECT_TRUE(otherSite.calls.empty());

    component->SetEditorSite(nullptr);
    EXPECT_FALSE(requestClose());
    EXPECT_EQ(site.calls.size(), 1u);
}

TEST_F(EffectBindingTest, FreeingTheComponentTakesItsEditorAndNothingOfTheHosts) {
    CEffectsPlugin slot;
    component->SetEffect(&slot);
    HWND editor = component->CreateEditor(hostWindow.GetSafeHwnd());
    ASSERT_TRUE(IsWindow(editor));
    Pump();
    Free(component);
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_TRUE(IsWindow(hostWindow.GetSafeHwnd()));
    EXPECT_TRUE(hostWindow.Children().empty());
    EXPECT_EQ(CurrentComponent(), nullptr);
    EXPECT_TRUE(RegistrationChanges(slot).empty());
}

}  // namespace
