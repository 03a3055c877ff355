// The toolkit's free functions on Win32: windows, message boxes owned by their window,
// context menus, the monitors' work areas (in the toolkit's pixels), the beep, the message
// loops (keyboard navigation in our windows as in dialogs), finding windows by caption and
// opening files through the shell.
#include "toolkit/Application.h"

#include "platform/win32/WideText.h"
#include "toolkit/win32/Win32Dpi.h"
#include "toolkit/win32/Win32Window.h"

#include <shellapi.h>

#include <algorithm>
#include <memory>

namespace kestrune::toolkit {

namespace {

using platform::win32::Widen;
using win32::NativeControl;
using win32::Win32Window;

HWND HandleOf(const Window* window) {
    return window != nullptr ? dynamic_cast<const NativeControl&>(*window).Handle() : nullptr;
}

// One message as a dialog's loop handles it: Tab and the arrows move between the controls
// of our windows; everything else is translated and dispatched.
void DispatchOne(MSG& message) {
    const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (NativeControl::FromHandle(root) != nullptr && IsDialogMessageW(root, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// A monitor's work area in the toolkit's pixels at its DPI, the DPI of the windows on it.
BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& work = info.rcWork;
        const int dpi = win32::MonitorDpi(monitor);
        const Rect area{win32::FromDevice(work.left, dpi), win32::FromDevice(work.top, dpi),
                        win32::FromDevice(work.right - work.left, dpi),
                        win32::FromDevice(work.bottom - work.top, dpi)};
        auto& list = *reinterpret_cast<std::vector<Rect>*>(areas);
        list.insert((info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? list.begin() : list.end(), area);
    }
    return TRUE;
}

// The code page of the program's Russian texts where they are kept as bytes: the compiled
// help keeps its title so.
constexpr unsigned kTextCodePage = 1251;

// A caption as a window shows it: in Unicode, or as a program that keeps it in bytes of the
// text code page shows it, decoded in the system's ANSI code page (the help viewer does so
// with the help's title). On a Cyrillic system the two are one.
struct CaptionSearch {
    explicit CaptionSearch(const std::string& caption)
        : unicode(Widen(caption)),
          fromBytes(
              platform::win32::FromAnsi(platform::win32::ToCodePage(kTextCodePage, unicode))) {}

    std::wstring unicode;
    std::wstring fromBytes;
    bool found = false;
};

// Our windows count until they are closed; those of other programs while they are visible.
BOOL CALLBACK MatchCaption(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<CaptionSearch*>(search);
    std::wstring caption(std::max(wanted.unicode.size(), wanted.fromBytes.size()) + 2, L'\0');
    caption.resize(static_cast<std::size_t>(
        GetWindowTextW(window, caption.data(), static_cast<int>(caption.size()))));
    if (caption != wanted.unicode && caption != wanted.fromBytes) {
        return TRUE;
    }
    const NativeControl* control = NativeControl::FromHandle(window);
    const auto* ours =
        control != nullptr ? dynamic_cast<const Window*>(&control->Subject()) : nullptr;
    wanted.found = ours != nullptr ? !ours->IsClosed() : IsWindowVisible(window) != FALSE;
    return wanted.found ? FALSE : TRUE;
}

bool OpenThroughShell(HWND owner, const std::string& path) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;  // smaller values are errors
}

}  // namespace

std::unique_ptr<Window> CreateTopLevelWindow(const std::string& caption, Window* owner) {
    return std::make_unique<Win32Window>(caption, dynamic_cast<Win32Window*>(owner));
}

MessageAnswer ShowMessage(const Window* owner, const std::string& text, const std::string& caption,
                          MessageButtons buttons, MessageIcon icon) {
    const UINT style = (buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK) |
                       (icon == MessageIcon::Information ? MB_ICONINFORMATION : 0);
    switch (MessageBoxW(HandleOf(owner), Widen(text).c_str(), Widen(caption).c_str(), style)) {
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Ok;
    }
}

std::optional<int> ShowContextMenu(const Control& control, const std::vector<MenuItem>& items) {
    const HWND window = dynamic_cast<const NativeControl&>(control).Handle();
    const win32::MenuHandle menu(CreatePopupMenu());
    // Item ids count from 1: the menu answers 0 when it was dismissed.
    UINT_PTR id = 0;
    for (const MenuItem& item : items) {
        AppendMenuW(menu.get(), MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED), ++id,
                    Widen(item.text).c_str());
    }
    RECT bounds{};
    GetWindowRect(window, &bounds);
    POINT at{};
    if (!GetCursorPos(&at) || !PtInRect(&bounds, at)) {
        at = {bounds.left, bounds.bottom};
    }
    const BOOL chosen =
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    return chosen > 0 ? std::optional<int>(chosen - 1) : std::nullopt;
}

std::vector<Rect> ScreenWorkAreas() {
    std::vector<Rect> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

void Beep() {
    MessageBeep(0);
}

void ProcessMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the loop that waits for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchOne(message);
    }
}

void RunMessageLoop(Window& mainWindow) {
    mainWindow.Show();
    MSG message{};
    while (!mainWindow.IsClosed() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchOne(message);
    }
}

bool FindTopLevelWindow(const std::string& caption) {
    CaptionSearch search(caption);
    EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ShowHelp(const Window* owner, const std::string& path) {
    // The compiled help's viewer is a program of its own, started through the shell; the
    // owner only parents the shell's error messages.
    return OpenThroughShell(HandleOf(owner), path);
}

bool ShellOpen(const std::string& path) {
    return OpenThroughShell(nullptr, path);
}

}  // namespace kestrune::toolkit
