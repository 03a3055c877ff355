// Positions count characters (code points of the UTF-8 text), not bytes.
#include "toolkit/base/EditBase.h"

#include "platform/TextCodec.h"
#include "toolkit/base/DefaultSizes.h"

#include <algorithm>

namespace kestrune::toolkit::base {

EditBase::EditBase(Node& parent) : ControlBase(&parent, kEditSize) {}

void EditBase::SetText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    caret_ = CharacterCount();
    ShowText();
    ReportChange();
}

void EditBase::SetCaretPosition(int position) {
    caret_ = std::clamp(position, 0, CharacterCount());
    ShowCaret();
}

void EditBase::SetNumbersOnly(bool numbersOnly) {
    numbersOnly_ = numbersOnly;
    ShowNumbersOnly();
}

void EditBase::SetBorder(bool border) {
    border_ = border;
    ShowBorder();
}

bool EditBase::TakesInput(std::string_view input) const {
    return !numbersOnly_ || std::ranges::all_of(input, [](char c) { return c >= '0' && c <= '9'; });
}

bool EditBase::InsertedByUser(std::string_view input) {
    if (!TakesInput(input)) {
        return false;
    }
    if (input.empty()) {
        return true;
    }
    const std::size_t offset = platform::FirstCharacters(text_, caret_).size();
    text_.insert(offset, input);
    caret_ += static_cast<int>(platform::CountCharacters(input));
    ShowText();
    ShowCaret();
    ReportChange();
    return true;
}

void EditBase::EditedByUser(const std::string& text, int caret) {
    if (text == text_) {
        return;
    }
    text_ = text;
    caret_ = std::clamp(caret, 0, CharacterCount());
    ReportChange();
}

void EditBase::CaretMovedByUser(int caret) {
    caret_ = std::clamp(caret, 0, CharacterCount());
}

int EditBase::CharacterCount() const {
    return static_cast<int>(platform::CountCharacters(text_));
}

void EditBase::ReportChange() {
    if (onChange) {
        onChange();
    }
}

}  // namespace kestrune::toolkit::base
