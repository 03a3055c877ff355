// Headless edit field. Change reports follow the interface: every real change, whoever
// made it, and none for setting the same text.
#include "toolkit/headless/HeadlessEdit.h"

#include "platform/TextCodec.h"

#include <algorithm>

namespace kestrune::toolkit::headless {

HeadlessEdit::HeadlessEdit(HeadlessNode& parent) : HeadlessControl(&parent, {121, 21}) {}

void HeadlessEdit::SetText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    caret_ = CharacterCount();
    if (onChange) {
        onChange();
    }
}

void HeadlessEdit::SetCaretPosition(int position) {
    caret_ = std::clamp(position, 0, CharacterCount());
}

bool HeadlessEdit::InsertAtCaret(std::string_view input) {
    if (numbersOnly_ &&
        !std::all_of(input.begin(), input.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    if (input.empty()) {
        return true;
    }
    const std::size_t offset = platform::FirstCharacters(text_, caret_).size();
    text_.insert(offset, input);
    caret_ += static_cast<int>(platform::CountCharacters(input));
    if (onChange) {
        onChange();
    }
    return true;
}

int HeadlessEdit::CharacterCount() const {
    return static_cast<int>(platform::CountCharacters(text_));
}

}  // namespace kestrune::toolkit::headless
