// Each move onto another cell takes the tip down and sets the tool anew on that cell, so a
// tip shows only once the pointer has rested on its cell for the tooltip's delay.
#include "toolkit/win32/Win32CellTip.h"

#include "toolkit/win32/Win32Dpi.h"

namespace kestrune::toolkit::win32 {
namespace {

constexpr UINT_PTR kToolId = 1;
// What the list leaves free on either side of a cell's text, at 96 DPI.
constexpr int kTextMargin = 6;

TTTOOLINFOW ToolOn(HWND list, const RECT& cell, std::wstring& text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = list;
    tool.uId = kToolId;
    tool.rect = cell;
    tool.lpszText = text.data();
    return tool;
}

// The cell's area in the list's client area: its text's area for the first column, which
// holds the row's image too.
RECT CellArea(HWND list, int row, int column) {
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    return cell;
}

}  // namespace

CellTip::CellTip(const NativeControl& list)
    : list_(list),
      tips_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, list.Handle(), nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {
    TTTOOLINFOW tool = ToolOn(list_.Handle(), {}, text_);
    SendMessageW(tips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tips_.get(), TTM_ACTIVATE, FALSE, 0);
}

void CellTip::SetActive(bool active) {
    active_ = active;
    SendMessageW(tips_.get(), TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

void CellTip::Follow(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!active_) {
        return;
    }
    const HWND list = list_.Handle();
    LVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem != row_ || hit.iSubItem != column_) {
        row_ = hit.iItem;
        column_ = hit.iSubItem;
        SendMessageW(tips_.get(), TTM_ACTIVATE, FALSE, 0);
        const bool onCell = row_ >= 0 && column_ >= 0;
        text_ = onCell ? CutText(row_, column_) : std::wstring();
        TTTOOLINFOW tool = ToolOn(list, onCell ? CellArea(list, row_, column_) : RECT{}, text_);
        SendMessageW(tips_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(tips_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(tips_.get(), TTM_ACTIVATE, TRUE, 0);
    }
    MSG relayed{list, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), hit.pt};
    ClientToScreen(list, &relayed.pt);
    SendMessageW(tips_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

std::wstring CellTip::CutText(int row, int column) const {
    const HWND list = list_.Handle();
    std::wstring text(64, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<std::size_t>(
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < text.size()) {
            text.resize(length);
            break;
        }
        text.resize(text.size() * 2);
    }
    const RECT cell = CellArea(list, row, column);
    const auto width = static_cast<int>(
        SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
    const bool cut = width + 2 * ToDevice(kTextMargin, list_.Dpi()) > cell.right - cell.left;
    return cut ? text : std::wstring();
}

}  // namespace kestrune::toolkit::win32
