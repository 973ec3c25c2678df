#pragma once
// A fixture for tests that use windows: a virtual clock, a quiet window system and a headless desktop,
// with helpers that give input as a person would and pump the queue.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/desktop/Desktop.h"
#include "platform/time/Clock.h"
#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"

namespace testsupport {

class HeadlessDesktopTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Pump() { win::PumpMessages(); }
    // Lets virtual time pass and handles what became due, timer by timer.
    void Advance(std::uint64_t ms);
    void ClickAt(win::Point screen, int button = 0);
    void ClickClient(win::Window& window, win::Point client, int button = 0);
    void Press(win::UINT vk);
    // The key with Alt held, as a mnemonic or Alt+Down is typed.
    void AltPress(win::UINT vk);
    // Runs `action` from the idle hook of the next modal loop, once.
    void WhenModal(std::function<void()> action);

    win::VirtualClock clock;
};

// A top-level or child window that logs the messages it gets.
class RecordingWindow : public win::Window {
public:
    std::vector<std::string>* log = nullptr;
    std::string name = "w";
    std::function<bool(win::MSG*)> preTranslate;
    int paints = 0;

protected:
    win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override;
    win::BOOL PreTranslateMessage(win::MSG* msg) override;
    void OnPaint() override;
};

std::string MessageName(win::UINT message);

// The non-empty text runs the window paints, in drawing order (it is redrawn to find them).
std::vector<std::string> PaintedTexts(win::Window& window);

}  // namespace testsupport
