// Caret positions are characters for the base and UTF-16 units for the field.
#include "toolkit/win32/Win32Edit.h"

#include "platform/TextCodec.h"
#include "platform/win32/WideText.h"

#include <string>

namespace kestrune::toolkit::win32 {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The clipboard's text, as the field would paste it; empty without text.
std::string ClipboardText(HWND window) {
    if (!OpenClipboard(window)) {
        return {};
    }
    std::string text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Narrow(units);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

Win32Edit::Win32Edit(base::Node& parent)
    : Win32Control({WC_EDITW, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE}, parent) {}

std::optional<LRESULT> Win32Edit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PASTE:
            if (!TakesInput(ClipboardText(Handle()))) {
                MessageBeep(0);
                return 0;
            }
            break;
        case WM_KEYDOWN:
        case WM_LBUTTONUP: {
            // Keys and clicks move the caret without changing the text; the base follows.
            const LRESULT result = DefSubclassProc(Handle(), message, wParam, lParam);
            CaretMovedByUser(NativeCaret(WindowText(Handle())));
            return result;
        }
        default:
            break;
    }
    return std::nullopt;
}

void Win32Edit::OnCommand(WORD code) {
    if (code == EN_CHANGE) {
        const std::wstring text = WindowText(Handle());
        EditedByUser(Narrow(text), NativeCaret(text));
    }
}

int Win32Edit::NativeCaret(std::wstring_view text) const {
    DWORD caret = 0;
    SendMessageW(Handle(), EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    return static_cast<int>(platform::CountCharacters(Narrow(text.substr(0, caret))));
}

void Win32Edit::ShowText() {
    SetWindowTextW(Handle(), Widen(Text()).c_str());
    ShowCaret();
}

void Win32Edit::ShowCaret() {
    const auto units = static_cast<WPARAM>(
        Widen(platform::FirstCharacters(Text(), static_cast<std::size_t>(CaretPosition()))).size());
    SendMessageW(Handle(), EM_SETSEL, units, static_cast<LPARAM>(units));
}

void Win32Edit::ShowNumbersOnly() {
    SetStyleBit(Handle(), ES_NUMBER, IsNumbersOnly());
}

void Win32Edit::ShowBorder() {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE,
                      HasBorder() ? style | WS_EX_CLIENTEDGE : style & ~WS_EX_CLIENTEDGE);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace kestrune::toolkit::win32
