#pragma once
// The process's window system: the window table, the top-level windows in z-order, the message
// queue with its input events, timers, focus, capture, activation and key state. There is one per
// process (one user-interface thread); Window forwards its tree, input and timer operations here.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/window/Window.h"

namespace win {

struct InputEvent {
    enum class Type { MouseMove, MouseDown, MouseUp, MouseWheel, KeyDown, KeyUp, Char, Quit };
    Type type = Type::MouseMove;
    Point screen;       // mouse events
    int button = 0;     // 0 left, 1 right, 2 middle
    int wheelDelta = 0;
    UINT vk = 0;        // key events
    // From a backend whose own text input types the characters (with the user's keyboard layout):
    // TranslateMessage then makes only the control characters from the key.
    bool textSeparately = false;
    UINT ch = 0;        // typed character (Windows-1252), from a backend's text input
    // Mouse events from a native window: the top-level window it shows, which takes the event when
    // it holds the point, whatever lies above it in this desktop's z-order.
    HWND topLevel = nullptr;
};

// In the lParam of a key message: the key came with textSeparately (a bit Windows reserves).
constexpr LPARAM kKeyTextSeparately = LPARAM{1} << 25;

class WindowSystem {
public:
    static WindowSystem& Instance();

    // Window table.
    HWND Register(Window* window);
    void Unregister(Window* window);
    Window* Lookup(HWND hwnd) const;
    const std::vector<Window*>& TopLevels() const { return topLevels_; }  // top of the z-order first
    std::vector<Window*> TopLevelsBottomToTop() const;
    void LinkChild(Window* parent, Window* child);
    void Unlink(Window* window);
    void RaiseTopLevel(Window* window);
    size_t WindowCount() const { return table_.size(); }

    // Queue.
    void Post(const MSG& msg);
    void PostInput(const InputEvent& event);
    bool HasPendingInput() const { return !input_.empty(); }
    // Takes the next message in Windows' order: posted, input, paint, timer. Never waits.
    bool Peek(MSG* msg, bool remove);
    // Like Peek but waits for input or a timer; false on WM_QUIT.
    bool Get(MSG* msg);
    void Quit(int code);
    bool QuitPosted() const { return quitPosted_; }
    int ExitCode() const { return exitCode_; }
    void ResetQuit() { quitPosted_ = false; }

    // Timers.
    UINT_PTR SetTimer(Window* window, UINT_PTR id, UINT elapse);
    bool KillTimer(Window* window, UINT_PTR id);
    void KillTimers(Window* window);
    std::optional<std::uint64_t> NextTimerDue() const;
    bool HasTimer(const Window* window, UINT_PTR id) const;
    void SetTimerLimit(size_t limit) { timerLimit_ = limit; }  // tests: make SetTimer fail

    // Focus, capture, activation.
    Window* Focus() const { return focus_; }
    Window* SetFocus(Window* window);
    Window* Capture() const { return capture_; }
    Window* SetCapture(Window* window);
    bool ReleaseCapture();
    Window* Active() const { return active_; }
    // A popup menu being tracked takes the keyboard without taking the focus.
    void SetKeyboardGrab(Window* window) { keyboardGrab_ = window; }
    Window* KeyboardGrab() const { return keyboardGrab_; }
    void Activate(Window* topLevel, UINT how);
    // Hidden or destroyed: move focus, capture, activation. A hidden child window gives up the focus
    // only when it holds it itself; a control inside it keeps it, as on Windows, so the keyboard
    // (and the control's selection) is still there when the window shows again.
    void WindowGoingAway(Window* window, bool destroyed);

    // Key and pointer state as of the messages already taken from the queue.
    short KeyState(UINT vk) const;
    Point CursorPos() const { return cursor_; }

    // Called whenever a loop runs out of messages, before it waits; tests and scripts answer modal
    // windows from here.
    void SetIdleHook(std::function<void()> hook) { idleHook_ = std::move(hook); }
    void RunIdleHook();
    // Runs before waiting in Get: composes and presents the desktop.
    void SetBeforeWaitHook(std::function<void()> hook) { beforeWait_ = std::move(hook); }
    // Waits for input up to the timeout (none: indefinitely); supplied by the desktop backend.
    void SetWaiter(std::function<void(std::optional<std::uint64_t> timeoutMs)> waiter) { waiter_ = std::move(waiter); }

    // What changed on screen since the desktop was last composed: everything (a window moved,
    // appeared or went), or the parts of surfaces that were drawn on, in screen coordinates.
    void NoteDamage() { fullDamage_ = true; }
    void NoteDamage(const Window* topLevel, const Rect& surfaceArea);
    Region TakeDamage(const Rect& screen);
    Window* NextWindowToPaint() const;

    // The screen the top-level windows are placed on; the desktop sets it whenever it changes size.
    Size ScreenSize() const { return screenSize_; }
    void SetScreenSize(Size size) { screenSize_ = size; }

    // Forgets queued messages, input, timers, key state, focus, capture and activation, so that each
    // test starts from a quiet window system. Windows themselves stay.
    void ResetForTesting();

    int modalDepth = 0;

private:
    WindowSystem() = default;
    bool TranslateInput(const InputEvent& event, MSG* msg);
    bool RouteMouse(const InputEvent& event, MSG* msg);
    bool RouteKey(const InputEvent& event, MSG* msg);
    bool TakeTimer(MSG* msg);
    void WaitForSomething();

    struct Timer {
        Window* window;
        UINT_PTR id;
        UINT period;
        std::uint64_t due;
    };

    std::unordered_map<HWND, Window*> table_;
    std::uintptr_t nextHandle_ = 0x10010;
    std::vector<Window*> topLevels_;
    std::deque<MSG> posted_;
    std::deque<InputEvent> input_;
    std::vector<Timer> timers_;
    size_t timerLimit_ = 10000;
    bool quitPosted_ = false;
    int exitCode_ = 0;
    Window* focus_ = nullptr;
    Window* capture_ = nullptr;
    Window* active_ = nullptr;
    Window* keyboardGrab_ = nullptr;
    Size screenSize_{1024, 768};
    bool keys_[256] = {};
    bool buttons_[3] = {};
    Point cursor_;
    bool fullDamage_ = true;
    Region damage_;
    std::function<void()> idleHook_;
    std::function<void()> beforeWait_;
    std::function<void(std::optional<std::uint64_t>)> waiter_;

    // Double clicks and the caption drag of top-level windows.
    HWND lastClickWindow_ = nullptr;
    std::uint64_t lastClickTime_ = 0;
    Point lastClickPoint_;
    int lastClickButton_ = -1;
    Window* movingWindow_ = nullptr;
    Point moveGrab_;
};

// Free functions with the Windows names.
BOOL GetMessage(MSG* msg);
BOOL PeekMessage(MSG* msg, bool remove = true);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
// Offers the message to PreTranslateMessage of its window and each ancestor, innermost first.
BOOL WalkPreTranslateTree(MSG* msg);
// Takes, pre-translates and dispatches one message; false when there was none (or WM_QUIT).
bool PumpOneMessage();
// Handles every message that is ready now, without waiting; returns how many.
int PumpMessages();
// The program's loop until WM_QUIT; returns its exit code.
int RunMessageLoop();
// A nested loop until `done` becomes true or WM_QUIT arrives (which is posted again for the outer
// loop). While nothing is ready, runs the idle hook, then waits.
void RunModalLoop(const bool& done);
void PostQuitMessage(int exitCode);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
short GetKeyState(int vk);
BOOL GetCursorPos(Point* point);
Window* WindowFromPoint(Point screen);
void SetIdleHook(std::function<void()> hook);

// Input as a person gives it: tests, scripts and the SDL backend all come through here.
void InjectMouseMove(Point screen, HWND topLevel = nullptr);
void InjectMouseButton(Point screen, int button, bool down, HWND topLevel = nullptr);
void InjectKey(UINT vk, bool down, bool textSeparately = false);
void InjectKeyPress(UINT vk);  // down and up
// A typed character as a backend's text input gives it: WM_CHAR to the focus.
void InjectChar(UINT ch);
void InjectClick(Point screen, int button = 0);

}  // namespace win
