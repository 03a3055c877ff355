// The Qt single-line edit field, a frameless-capable QLineEdit.
#pragma once

#include "toolkit/Edit.h"
#include "toolkit/qt/QtControl.h"

#include <QLineEdit>

#include <string>

namespace kestrune::toolkit::qt {

class QtEdit final : public QtControl<Edit, QLineEdit> {
public:
    explicit QtEdit(QtNode& parent);
    std::string Text() const override;
    void SetText(const std::string& text) override;
    int CaretPosition() const override { return View().cursorPosition(); }
    void SetCaretPosition(int position) override { View().setCursorPosition(position); }
    bool IsNumbersOnly() const override { return View().validator() != nullptr; }
    void SetNumbersOnly(bool numbersOnly) override;
    bool HasBorder() const override { return View().hasFrame(); }
    void SetBorder(bool border) override { View().setFrame(border); }
};

}  // namespace kestrune::toolkit::qt
