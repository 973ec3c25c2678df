// The message loop functions with their Windows names: taking, translating, pre-translating and
// dispatching messages, and the nested loops of modal windows.
#include "platform/window/WindowSystem.h"

#include <stdexcept>

#include "platform/module/Module.h"
#include "platform/time/Clock.h"

namespace win {
namespace {

WindowSystem& System() { return WindowSystem::Instance(); }

char CharForKey(UINT vk, bool shift) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<char>(shift ? vk : vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9') {
        static const char shifted[] = ")!@#$%^&*(";
        return shift ? shifted[vk - '0'] : static_cast<char>(vk);
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return static_cast<char>('0' + (vk - VK_NUMPAD0));
    switch (vk) {
        case VK_SPACE: return ' ';
        case VK_RETURN: return '\r';
        case VK_ESCAPE: return 27;
        case VK_BACK: return 8;
        case VK_TAB: return '\t';
        case VK_ADD: return '+';
        case VK_SUBTRACT: return '-';
        case VK_MULTIPLY: return '*';
        case VK_DIVIDE: return '/';
        case VK_DECIMAL: return '.';
        case VK_OEM_MINUS: return shift ? '_' : '-';
        case VK_OEM_PLUS: return shift ? '+' : '=';
        case VK_OEM_COMMA: return shift ? '<' : ',';
        case VK_OEM_PERIOD: return shift ? '>' : '.';
        default: return 0;
    }
}

// With Ctrl held a letter makes its control character (Ctrl+C is 3), as the keyboard layouts of
// Windows do; Ctrl+Backspace is DEL and Ctrl+Enter a line feed.
char ControlCharForKey(UINT vk) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<char>(vk - 'A' + 1);
    switch (vk) {
        case VK_BACK: return 0x7F;
        case VK_RETURN: return '\n';
        case VK_SPACE: return ' ';
        default: return 0;
    }
}

}  // namespace

BOOL GetMessage(MSG* msg) {
    if (System().QuitPosted()) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(System().ExitCode()), 0, 0, {}};
        return FALSE;
    }
    return System().Get(msg) ? TRUE : FALSE;
}

BOOL PeekMessage(MSG* msg, bool remove) { return System().Peek(msg, remove) ? TRUE : FALSE; }

BOOL TranslateMessage(const MSG* msg) {
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return FALSE;
    const UINT vk = static_cast<UINT>(msg->wParam);
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool alt = msg->message == WM_SYSKEYDOWN;
    if (control && alt) return FALSE;
    char ch = control ? ControlCharForKey(vk) : CharForKey(vk, GetKeyState(VK_SHIFT) < 0);
    if (!ch) return FALSE;
    const bool printable = static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F;
    if (!alt && printable && (msg->lParam & kKeyTextSeparately)) return FALSE;
    // The character arrives as the very next message, as the translated key would on Windows.
    MSG charMsg = *msg;
    charMsg.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    charMsg.wParam = static_cast<unsigned char>(ch);
    System().Post(charMsg);
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    Window* window = System().Lookup(msg->hwnd);
    if (!window) return 0;
    if (msg->message != WM_PAINT) return window->SendMessage(msg->message, msg->wParam, msg->lParam);
    HWND hwnd = msg->hwnd;
    window->SendMessage(WM_NCPAINT, 0, 0);
    if (!System().Lookup(hwnd)) return 0;
    if (!window->UpdateRegion().IsEmpty()) window->SendMessage(WM_PAINT, 0, 0);
    // A handler that does not validate would otherwise be asked again for ever.
    if (System().Lookup(hwnd)) window->ValidateRect(nullptr);
    return 0;
}

BOOL WalkPreTranslateTree(MSG* msg) {
    Window* window = System().Lookup(msg->hwnd);
    while (window) {
        HWND hwnd = window->GetSafeHwnd();
        Window* parent = window->GetParent();
        Module* module = window->OwningModule();
        BOOL claimed;
        if (module && module != CurrentModule()) {
            ModuleStateScope scope(*module);
            claimed = window->PreTranslateMessage(msg);
        } else {
            claimed = window->PreTranslateMessage(msg);
        }
        if (claimed) return TRUE;
        if (!System().Lookup(hwnd)) return TRUE;  // destroyed while looking at the message
        window = parent;
    }
    return FALSE;
}

bool PumpOneMessage() {
    MSG msg;
    if (!System().Peek(&msg, true) || msg.message == WM_QUIT) return false;
    if (!WalkPreTranslateTree(&msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return true;
}

int PumpMessages() {
    int count = 0;
    while (!System().QuitPosted() && PumpOneMessage()) ++count;
    return count;
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessage(&msg)) {
        if (!WalkPreTranslateTree(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    return System().ExitCode();
}

void RunModalLoop(const bool& done) {
    WindowSystem& system = System();
    ++system.modalDepth;
    struct DepthGuard {
        WindowSystem& s;
        ~DepthGuard() { --s.modalDepth; }
    } guard{system};
    // On a virtual clock nothing outside can end the loop: a test that leaves a modal window
    // unanswered fails instead of spinning through virtual hours of timer messages.
    const std::uint64_t start = GetClock().NowMs();
    while (!done && !system.QuitPosted()) {
        if (GetClock().IsVirtual() && GetClock().NowMs() - start > 3600u * 1000u)
            throw std::logic_error("a modal loop ran an hour of virtual time without being answered");
        if (PumpOneMessage()) continue;
        if (done || system.QuitPosted()) break;
        system.RunIdleHook();
        if (done) break;
        MSG probe;
        if (system.Peek(&probe, false)) continue;
        MSG msg;
        if (!system.Get(&msg)) break;
        if (!WalkPreTranslateTree(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

void PostQuitMessage(int exitCode) { System().Quit(exitCode); }

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !System().Lookup(hwnd)) return FALSE;
    System().Post(MSG{hwnd, message, wParam, lParam, 0, System().CursorPos()});
    return TRUE;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = System().Lookup(hwnd);
    return window ? window->SendMessage(message, wParam, lParam) : 0;
}

void SetIdleHook(std::function<void()> hook) { System().SetIdleHook(std::move(hook)); }

}  // namespace win
