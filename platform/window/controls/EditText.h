#pragma once
// The text of a single-line edit field with its selection, and nothing of windows: the edit control
// (EditControl) owns one and turns keys, clicks and messages into calls on it. Text is bytes of
// Windows-1252, one character each. The selection runs from the anchor (where it began) to the
// caret (its active end, which Shift+keys move). Also keeps the text limit and the one-step undo.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace win {

class EditText {
public:
    // Windows: 32,767 characters until EM_SETLIMITTEXT, as Microsoft's desktop page documents it
    // (the compatibility implementation and the Windows CE pages say 30,000; the documentation
    // wins). EM_SETLIMITTEXT(0) gives 0x7FFFFFFE for a single-line edit (learn.microsoft.com
    // "EM_LIMITTEXT").
    static constexpr std::size_t kDefaultLimit = 32767;
    static constexpr std::size_t kMaximumLimit = 0x7FFFFFFE;

    const std::string& Text() const { return text_; }
    std::size_t Length() const { return text_.size(); }
    std::size_t Anchor() const { return anchor_; }
    std::size_t Caret() const { return caret_; }
    std::size_t SelStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
    std::size_t SelEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
    bool HasSelection() const { return anchor_ != caret_; }
    std::string_view Selection() const { return std::string_view(text_).substr(SelStart(), SelEnd() - SelStart()); }

    // Replaces the whole text; the caret goes to the start and the undo step is forgotten.
    void Reset(std::string_view text);
    // Both ends clamped to the text.
    void Select(std::size_t anchor, std::size_t caret);
    // Moves the caret; with `extend` the anchor stays, so the selection grows or shrinks.
    void MoveCaret(std::size_t to, bool extend) { Select(extend ? anchor_ : to, to); }

    // What the user may still add in place of the selection before the limit (0 when the text is
    // already over it, as text set by the program may be).
    std::size_t Room() const;
    std::size_t Limit() const { return limit_; }
    void SetLimit(std::size_t limit) { limit_ = limit == 0 || limit > kMaximumLimit ? kMaximumLimit : limit; }

    // Replaces the selection with `insert`; the caret ends after it. Returns whether the text changed.
    bool ReplaceSelection(std::string_view insert);
    // Removes the characters from `from` to `to`; the caret ends where they were.
    void Erase(std::size_t from, std::size_t to);

    // Ctrl+Right and Ctrl+Left: the start of the next word, the start of this or the previous one.
    // Windows' default word breaks are blanks only ("three.four" is one word).
    std::size_t NextWordStart(std::size_t from) const;
    std::size_t PreviousWordStart(std::size_t from) const;
    // The word a double click at `index` selects: the word and the blanks after it.
    std::pair<std::size_t, std::size_t> WordAt(std::size_t index) const;

    // Undo keeps the state before the last edit. Characters typed one after another (with
    // Backspace among them) form one edit; anything else starts a new one. Undoing twice redoes.
    enum class EditKind { Typing, Other };
    void BeginEdit(EditKind kind);
    void EndTypingRun() { typingRun_ = false; }
    bool CanUndo() const { return canUndo_; }
    void Undo();
    void ForgetUndo() { canUndo_ = typingRun_ = false; }

private:
    struct State {
        std::string text;
        std::size_t anchor = 0;
        std::size_t caret = 0;
    };

    std::string text_;
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
    std::size_t limit_ = kDefaultLimit;
    State undo_;
    bool canUndo_ = false;
    bool typingRun_ = false;
};

}  // namespace win
