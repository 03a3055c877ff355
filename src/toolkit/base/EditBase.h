// The state and rules of a single-line edit field on every back end: the text and caret,
// and a report of every real change of the text, whoever made it.
#pragma once

#include "toolkit/Edit.h"
#include "toolkit/base/ControlBase.h"

#include <string>
#include <string_view>

namespace kestrune::toolkit::base {

class EditBase : public ControlBase<Edit> {
public:
    explicit EditBase(Node& parent);

    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    int CaretPosition() const override { return caret_; }
    void SetCaretPosition(int position) override;
    bool IsNumbersOnly() const override { return numbersOnly_; }
    void SetNumbersOnly(bool numbersOnly) override;
    bool HasBorder() const override { return border_; }
    void SetBorder(bool border) override;

    // Whether the field takes this input from the user: a number-only field refuses input
    // that holds anything but digits.
    bool TakesInput(std::string_view input) const;
    // The user typed or pasted the input at the caret: one change, the caret after it, when
    // the field takes it (TakesInput); answers whether it was taken.
    bool InsertedByUser(std::string_view input);
    // The user changed the text in the field itself; the caret stands where it is now.
    void EditedByUser(const std::string& text, int caret);
    // The user moved the caret in the field itself.
    void CaretMovedByUser(int caret);

protected:
    virtual void ShowText() {}
    virtual void ShowCaret() {}
    virtual void ShowNumbersOnly() {}
    virtual void ShowBorder() {}

private:
    int CharacterCount() const;
    void ReportChange();

    std::string text_;
    int caret_ = 0;
    bool numbersOnly_ = false;
    bool border_ = true;
};

}  // namespace kestrune::toolkit::base
