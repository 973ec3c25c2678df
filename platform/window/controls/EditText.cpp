#include "platform/window/controls/EditText.h"

#include <algorithm>

namespace win {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void EditText::Reset(std::string_view text) {
    text_.assign(text);
    anchor_ = caret_ = 0;
    ForgetUndo();
}

void EditText::Select(std::size_t anchor, std::size_t caret) {
    anchor_ = std::min(anchor, text_.size());
    caret_ = std::min(caret, text_.size());
    typingRun_ = false;
}

std::size_t EditText::Room() const {
    const std::size_t kept = text_.size() - (SelEnd() - SelStart());
    return kept >= limit_ ? 0 : limit_ - kept;
}

bool EditText::ReplaceSelection(std::string_view insert) {
    const std::size_t start = SelStart();
    const std::size_t removed = SelEnd() - start;
    if (removed == 0 && insert.empty()) return false;
    text_.replace(start, removed, insert);
    anchor_ = caret_ = start + insert.size();
    return true;
}

void EditText::Erase(std::size_t from, std::size_t to) {
    to = std::min(to, text_.size());
    from = std::min(from, to);
    text_.erase(from, to - from);
    anchor_ = caret_ = from;
}

std::size_t EditText::NextWordStart(std::size_t from) const {
    std::size_t i = std::min(from, text_.size());
    while (i < text_.size() && !IsBlank(text_[i])) ++i;
    while (i < text_.size() && IsBlank(text_[i])) ++i;
    return i;
}

std::size_t EditText::PreviousWordStart(std::size_t from) const {
    std::size_t i = std::min(from, text_.size());
    while (i > 0 && IsBlank(text_[i - 1])) --i;
    while (i > 0 && !IsBlank(text_[i - 1])) --i;
    return i;
}

std::pair<std::size_t, std::size_t> EditText::WordAt(std::size_t index) const {
    if (text_.empty()) return {0, 0};
    std::size_t i = std::min(index, text_.size() - 1);
    // A blank belongs to the word before it; blanks at the very start form a word of their own.
    while (i > 0 && IsBlank(text_[i])) --i;
    std::size_t start = i;
    while (start > 0 && !IsBlank(text_[start - 1])) --start;
    if (IsBlank(text_[start])) start = 0;
    std::size_t end = start;
    while (end < text_.size() && !IsBlank(text_[end])) ++end;
    while (end < text_.size() && IsBlank(text_[end])) ++end;
    return {start, end};
}

void EditText::BeginEdit(EditKind kind) {
    const bool typing = kind == EditKind::Typing;
    if (!typing || !typingRun_) {
        undo_ = {text_, anchor_, caret_};
        canUndo_ = true;
    }
    typingRun_ = typing;
}

void EditText::Undo() {
    if (!canUndo_) return;
    State current{text_, anchor_, caret_};
    text_ = std::move(undo_.text);
    anchor_ = std::min(undo_.anchor, text_.size());
    caret_ = std::min(undo_.caret, text_.size());
    undo_ = std::move(current);
    typingRun_ = false;
}

}  // namespace win
