// The Win32 single-line edit field. The field edits its text itself and reports each change
// (EN_CHANGE) and each move of the caret by keys or clicks to the base; the number-only
// style is the system's own for typing, and a paste the base would refuse is refused
// before the field takes it.
#pragma once

#include "toolkit/base/EditBase.h"
#include "toolkit/win32/Win32Control.h"

#include <string_view>

namespace kestrune::toolkit::win32 {

class Win32Edit final : public Win32Control<base::EditBase> {
public:
    explicit Win32Edit(base::Node& parent);

    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WORD code) override;

private:
    // The field's caret in characters of its text.
    int NativeCaret(std::wstring_view text) const;

    void ShowText() override;
    void ShowCaret() override;
    void ShowNumbersOnly() override;
    void ShowBorder() override;
};

}  // namespace kestrune::toolkit::win32
