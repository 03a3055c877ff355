// The Win32 list's info tip as the user meets it with the mouse: resting on a cell too narrow
// for its text shows the whole text; on a cell that shows it whole, or with info tips off,
// nothing is shown.
#include "Win32Driver.h"
#include "platform/win32/WideText.h"
#include "toolkit/Toolkit.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <string_view>

namespace kestrune::toolkit::win32 {
namespace {

// The text of a tooltip of this thread that is shown; empty when none is.
std::wstring ShownTip() {
    std::wstring shown;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t className[32]{};
            GetClassNameW(window, className, 32);
            if (std::wstring_view(className) != TOOLTIPS_CLASSW || !IsWindowVisible(window)) {
                return TRUE;
            }
            std::wstring text(256, L'\0');
            text.resize(static_cast<std::size_t>(SendMessageW(
                window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
            *reinterpret_cast<std::wstring*>(found) = text;
            return text.empty() ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

TEST(Win32ListView, AnInfoTipShowsTheWholeTextOfACutCellOnly) {
    const auto window = CreateTopLevelWindow("Test");
    window->SetClientSize({400, 300});
    window->Show();
    ListView& list = window->AddListView();
    list.SetBounds({0, 0, 300, 200});
    list.AddColumn({"Имя файла", 100, Alignment::Left});
    list.AddColumn({"Размер (байт)", 100, Alignment::Left});
    list.AddRow("a.mp3");
    list.AddRow("b.mp3");
    const std::string whole = "Очень длинное имя файла, которое не помещается";
    list.SetCellText(0, 1, whole);
    list.SetCellText(1, 1, "4096");
    Win32Driver driver;
    // The tip shown once the pointer has rested on the cell; empty for none.
    const auto tipOver = [&](int row) {
        const HWND native = WindowOf(list);
        RECT cell{};
        cell.top = 1;
        cell.left = LVIR_BOUNDS;
        SendMessageW(native, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
        POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        SendMessageW(native, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        ClientToScreen(native, &at);
        SetCursorPos(at.x, at.y);
        driver.Dispatch(1500);
        return ShownTip();
    };

    EXPECT_EQ(tipOver(0), L"");
    ListViewStyle style = list.Style();
    style.infoTips = true;
    list.SetStyle(style);
    EXPECT_EQ(tipOver(1), L"");
    EXPECT_EQ(tipOver(0), platform::win32::Widen(whole));
}

}  // namespace
}  // namespace kestrune::toolkit::win32
