// The headless edit field: text and caret in memory; user input goes in at the caret.
#pragma once

#include "toolkit/Edit.h"
#include "toolkit/headless/HeadlessControl.h"

#include <string>
#include <string_view>

namespace kestrune::toolkit::headless {

class HeadlessEdit final : public HeadlessControl<Edit> {
public:
    explicit HeadlessEdit(HeadlessNode& parent);

    std::string Text() const override { return text_; }
    // The caret goes to the end of the new text.
    void SetText(const std::string& text) override;
    int CaretPosition() const override { return caret_; }
    void SetCaretPosition(int position) override;
    bool IsNumbersOnly() const override { return numbersOnly_; }
    void SetNumbersOnly(bool numbersOnly) override { numbersOnly_ = numbersOnly; }
    bool HasBorder() const override { return border_; }
    void SetBorder(bool border) override { border_ = border; }

    // Input from the user: inserted at the caret as one change, the caret after it.
    // A number-only field refuses input that holds anything but digits; answers whether
    // the input was taken.
    bool InsertAtCaret(std::string_view input);

private:
    int CharacterCount() const;

    std::string text_;
    int caret_ = 0;
    bool numbersOnly_ = false;
    bool border_ = true;
};

}  // namespace kestrune::toolkit::headless
