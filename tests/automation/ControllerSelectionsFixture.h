#pragma once
// The editor made through the factory, with the controller selections dialog opened as a user opens
// it (a right click on the mixer's fader, then "Display Automation Settings...") or straight
// through ShowControllerSelections, and answered step by step: each step runs when the modal loops
// have nothing left to do, on whatever window is active then (the menu, the dialog, a message box).
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "automation/ControllerSelectionsDlg.h"
#include "component/ComponentModule.h"
#include "controls/StereoDryMixer.h"
#include "platform/module/Module.h"
#include "platform/window/Menu.h"
#include "platform/window/controls/ListBoxControl.h"
#include "presets/ParameterTable.h"
#include "resources/ResourceIds.h"
#include "tests/support/EditorFixture.h"

namespace selectionstest {

using Step = std::function<void(win::Window& active)>;

// The lines of each parameter's list, by Parameter.
using Lists = std::array<std::vector<std::string>, kParameters.size()>;

using ListIdOf = int (*)(Parameter);
inline constexpr ListIdOf ListId = &CControllerSelectionsDlg::ListId;

class SelectionsTest : public testsupport::EditorFixture {
protected:
    void TearDown() override {
        win::SetIdleHook(nullptr);
        EditorFixture::TearDown();
    }

    tagUserPreset& Preset() { return panel->currentPreset; }
    void Assign(Parameter parameter, int controller, int port = 0, int channel = 0) {
        tagAutomationAssignment& a = Preset().*Info(parameter).assignment;
        a.controller = static_cast<win::BYTE>(controller);
        a.port = static_cast<win::BYTE>(port);
        a.channel = static_cast<win::BYTE>(channel);
    }
    tagMAREG* Record(Parameter parameter) { return &(Block().*Info(parameter).record); }

    void Steps(std::vector<Step> steps) {
        auto queue = std::make_shared<std::deque<Step>>(steps.begin(), steps.end());
        win::SetIdleHook([queue] {
            if (queue->empty()) return;
            Step step = std::move(queue->front());
            queue->pop_front();
            if (win::Window* active = win::Window::GetActiveWindow()) step(*active);
        });
    }
    // Right-clicks the fader and chooses "Display Automation Settings...", then runs the steps in
    // the dialog; the last one must close it.
    void OpenFromMenu(std::vector<Step> steps) {
        steps.insert(steps.begin(), [](win::Window&) {
            const win::Rect item = win::TrackedPopupMenuItemRect(2);
            win::InjectClick({item.left + 5, item.top + item.Height() / 2});
        });
        Steps(std::move(steps));
        ClickClient(*panel->mixer, {98, 120}, 1);
        win::SetIdleHook(nullptr);
    }
    // As the menu command does, on the mixer's preset, within the component's module.
    void OpenDirectly(std::vector<Step> steps) {
        Steps(std::move(steps));
        win::ModuleStateScope scope(ComponentModule());
        panel->mixer->ShowControllerSelections(&Preset());
        win::SetIdleHook(nullptr);
    }

    static Lists Read(win::Window& dialog) {
        Lists lists;
        for (const ParameterInfo& info : kParameters) {
            auto* list = dynamic_cast<win::ListBoxControl*>(dialog.GetDlgItem(ListId(info.parameter)));
            if (!list) continue;
            for (int i = 0; i < list->GetCount(); ++i) {
                std::string line;
                list->GetText(i, line);
                lists[static_cast<int>(info.parameter)].push_back(line);
            }
        }
        return lists;
    }
    // A step that notes the lists.
    static Step ReadInto(Lists& lists) {
        return [&lists](win::Window& dialog) { lists = Read(dialog); };
    }
    static Step Click(int id) {
        return [id](win::Window& dialog) {
            win::Window* button = dialog.GetDlgItem(id);
            ASSERT_NE(button, nullptr);
            win::InjectClick(button->WindowRect().TopLeft() + win::Point{8, 6});
        };
    }
    static Step Key(win::UINT vk) {
        return [vk](win::Window&) { win::InjectKeyPress(vk); };
    }
    // Notes the texts of the active message box and answers it with Enter.
    static Step AnswerBox(std::vector<std::string>& texts) {
        return [&texts](win::Window& box) {
            for (std::string& text : testsupport::PaintedTexts(box)) texts.push_back(std::move(text));
            win::InjectKeyPress(win::VK_RETURN);
        };
    }
    static std::vector<std::string> One(const char* line) { return {line}; }
};

}  // namespace selectionstest
