#include "tests/support/EditorFixture.h"

#include <unistd.h>

#include "platform/kernel/PrivateProfile.h"

using namespace win;

namespace testsupport {

void EditorFixture::SetUp() {
    HeadlessDesktopTest::SetUp();
    windowsDir = std::filesystem::temp_directory_path() / ("kvx4-panel-" + std::to_string(::getpid()));
    std::filesystem::remove_all(windowsDir);
    std::filesystem::create_directories(windowsDir);
    ::setenv("KVX4_WINDOWS_DIR", windowsDir.c_str(), 1);
    host.Create(nullptr, "Host", WS_POPUP | WS_VISIBLE, {100, 100, 100 + 582, 100 + 408}, nullptr, 0);
    PrepareSlot();
    MakeEditor();
}

void EditorFixture::PrepareSlot() {
    tagEffectParams& block = Block();
    block.effect.value = 100;
    block.lowFreq.value = 10;
    block.midFreq.value = 20;
    block.highFreq.value = 30;
    block.midCutoff.value = 40;
    block.optionFlags = 0xFF;
    block.programNumber = 3;
    block.presetsAvailable = 1;
}

void EditorFixture::MakeEditor() {
    component = reinterpret_cast<IEffectComponent*>(CRVGetComponentInterface(0x11040));
    ASSERT_NE(component, nullptr);
    component->SetEffect(&slot);
    component->SetEditorSite(&site);
    HWND editor = component->CreateEditor(host.GetSafeHwnd());
    ASSERT_TRUE(IsWindow(editor));
    component->ShowEditor(true);
    panel = static_cast<CEditorPanel*>(Window::FromHandle(editor)->GetDlgItem(61446));
    ASSERT_NE(panel, nullptr);
    Pump();
}

void EditorFixture::TearDown() {
    if (component) CRVFreeComponentInterface(component);
    host.DestroyWindow();
    clock.onSleep = nullptr;
    std::filesystem::remove_all(windowsDir);
    HeadlessDesktopTest::TearDown();
}

void EditorFixture::PressPanel(Point client) {
    panel->ClientToScreen(&client);
    InjectMouseMove(client);
    InjectMouseButton(client, 0, true);
    Pump();
}

void EditorFixture::ReleasePanel(Point client) {
    panel->ClientToScreen(&client);
    InjectMouseMove(client);
    InjectMouseButton(client, 0, false);
    Pump();
}

std::vector<DrawTraceEntry> EditorFixture::CopiesOf(const std::vector<DrawTraceEntry>& trace, int id) {
    std::vector<DrawTraceEntry> copies;
    for (const DrawTraceEntry& e : trace)
        if (e.op == DrawOp::BitBlt && e.sourceResourceId == id) copies.push_back(e);
    return copies;
}

void EditorFixture::AnswerNextMessageBox(std::vector<std::string>* texts) {
    WhenModal([texts] {
        Window* box = Window::GetActiveWindow();
        if (texts && box) {
            texts->push_back(box->GetWindowText());
            for (std::string& text : PaintedTexts(*box)) texts->push_back(std::move(text));
        }
        InjectKeyPress(VK_RETURN);
    });
}

void EditorFixture::WriteRoom(int room, const tagUserPreset& preset) {
    std::string key = "Room " + std::to_string(room);
    ASSERT_TRUE(WritePrivateProfileStructA("Reverb Room Settings", key.c_str(), &preset, sizeof preset, "KVX4.ini"));
}

void EditorFixture::WriteRoomCount(int count) {
    ASSERT_TRUE(WritePrivateProfileStructA("Total Number of Rooms", "NumRooms", &count, sizeof count, "KVX4.ini"));
}

}  // namespace testsupport
