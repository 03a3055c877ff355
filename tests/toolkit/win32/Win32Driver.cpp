// Mouse actions are sent as the button going down and up at a point of the control's client
// area, as the system sends them to the window under the pointer.
#include "Win32Driver.h"

#include "platform/win32/WideText.h"
#include "toolkit/win32/Win32Native.h"
#include "toolkit/win32/Win32Window.h"

#include <commctrl.h>
#include <shlobj.h>

#include <chrono>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace kestrune::toolkit::win32 {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

// Whether the system would deliver the user's input to the window: it and every window it
// lies in are visible and enabled.
bool Reaches(HWND window) {
    for (HWND w = window; w != nullptr; w = GetAncestor(w, GA_PARENT)) {
        if (w == GetDesktopWindow()) {
            break;
        }
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE));
        if ((style & WS_VISIBLE) == 0 || (style & WS_DISABLED) != 0) {
            return false;
        }
    }
    return true;
}

void ClickAt(HWND window, POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(window, WM_LBUTTONUP, 0, where);
}

// A block of memory that becomes the clipboard's or the receiver's once handed over.
HGLOBAL CopyToGlobal(const void* bytes, std::size_t size) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    return memory;
}

// The drop handle the shell hands a window: the DROPFILES header, then the UTF-16 paths,
// each ending with a zero, and one more zero.
HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
    std::wstring names;
    for (const std::string& path : paths) {
        names += Widen(path) + L'\0';
    }
    names += L'\0';
    std::vector<char> block(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(block.data(), &header, sizeof header);
    std::memcpy(block.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
    return CopyToGlobal(block.data(), block.size());
}

RECT ClientRect(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    return area;
}

constexpr UINT kMenuPollMilliseconds = 10;  // the shortest timer interval

// While it lives, a thread timer looks for a context menu of this thread, records its items
// and answers it with the next queued choice: the arrow key down to the item and Enter, or
// Escape. The menu's modal loop dispatches the timer and takes the posted keys as typed.
class MenuAnswering {
public:
    explicit MenuAnswering(contract::MenuAnswers& answers) : answers_(answers) {
        active = this;
        timer_ = SetTimer(nullptr, 0, kMenuPollMilliseconds, &MenuAnswering::OnTimer);
    }
    ~MenuAnswering() {
        KillTimer(nullptr, timer_);
        active = nullptr;
    }
    MenuAnswering(const MenuAnswering&) = delete;
    MenuAnswering& operator=(const MenuAnswering&) = delete;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (active != nullptr) {
            active->Answer();
        }
    }

    // A shown pop-up menu window of this thread; null when there is none.
    static HWND ShownMenuWindow() {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    static BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
        constexpr std::wstring_view kMenuClass = L"#32768";  // the system's class of menus
        wchar_t className[16]{};
        GetClassNameW(window, className, 16);
        if (className != kMenuClass || !IsWindowVisible(window)) {
            return TRUE;
        }
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    static std::vector<MenuItem> ItemsOf(HMENU menu) {
        std::vector<MenuItem> items;
        const int count = GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            std::wstring text(
                static_cast<std::size_t>(GetMenuStringW(menu, i, nullptr, 0, MF_BYPOSITION)) + 1,
                L'\0');
            text.resize(static_cast<std::size_t>(GetMenuStringW(
                menu, i, text.data(), static_cast<int>(text.size()), MF_BYPOSITION)));
            const bool checked = (GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) != 0;
            items.push_back({Narrow(text), checked});
        }
        return items;
    }

    void Answer() {
        const HWND window = ShownMenuWindow();
        if (window == nullptr || window == answered_) {
            return;
        }
        answered_ = window;
        const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
        const std::optional<int> choice = answers_.Take(ItemsOf(menu));
        const auto press = [window](WPARAM key) { PostMessageW(window, WM_KEYDOWN, key, 0); };
        if (!choice) {
            press(VK_ESCAPE);
            return;
        }
        for (int step = 0; step <= *choice; ++step) {
            press(VK_DOWN);
        }
        press(VK_RETURN);
    }

    static MenuAnswering* active;

    contract::MenuAnswers& answers_;
    UINT_PTR timer_ = 0;
    HWND answered_ = nullptr;  // shown until the menu's loop takes the keys posted to it
};

MenuAnswering* MenuAnswering::active = nullptr;

}  // namespace

HWND WindowOf(const Control& control) {
    return dynamic_cast<const NativeControl&>(control).Handle();
}

bool Win32Driver::Click(Control& control) {
    const HWND window = WindowOf(control);
    if (!Reaches(window)) {
        return false;
    }
    SendMessageW(window, BM_CLICK, 0, 0);
    return true;
}

bool Win32Driver::RightClick(Control& control) {
    const auto* button = dynamic_cast<const ImageButton*>(&control);
    if (button == nullptr) {
        throw std::invalid_argument("RightClick: only image buttons have a context menu");
    }
    const HWND window = WindowOf(control);
    if (!Reaches(window) || !button->onContextMenu) {
        return false;
    }
    const MenuAnswering answering(menus_);
    // The button lets the system turn the release into its WM_CONTEXTMENU.
    const RECT area = ClientRect(window);
    const LPARAM centre = MAKELPARAM(area.right / 2, area.bottom / 2);
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, centre);
    SendMessageW(window, WM_RBUTTONUP, 0, centre);
    return true;
}

void Win32Driver::QueueMenuChoice(std::optional<int> item) {
    menus_.Queue(item);
}

const std::vector<std::vector<MenuItem>>& Win32Driver::ShownMenus() const {
    return menus_.Shown();
}

void Win32Driver::TypeText(Edit& edit, std::string_view text) {
    const HWND window = WindowOf(edit);
    if (!Reaches(window)) {
        return;
    }
    for (const wchar_t unit : Widen(text)) {
        SendMessageW(window, WM_CHAR, unit, 1);
    }
}

bool Win32Driver::Paste(Edit& edit, std::string_view text) {
    const HWND window = WindowOf(edit);
    if (!Reaches(window) || !OpenClipboard(window)) {
        return false;
    }
    const std::wstring units = Widen(text);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT,
                     CopyToGlobal(units.c_str(), (units.size() + 1) * sizeof(wchar_t)));
    CloseClipboard();
    const std::string before = edit.Text();
    SendMessageW(window, WM_PASTE, 0, 0);
    return text.empty() || edit.Text() != before;
}

bool Win32Driver::SelectRow(ListView& listView, int row) {
    const HWND window = WindowOf(listView);
    if (!Reaches(window)) {
        return false;
    }
    // A user's click is taken after what was posted before it, such as the rows' count.
    ProcessMessages();
    RECT item{};
    item.left = LVIR_LABEL;
    POINT point{};
    if (row >= 0 && SendMessageW(window, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item))) {
        point = {item.left + 2, (item.top + item.bottom) / 2};
    } else {
        // The empty area: below every row, above the list's bottom edge.
        point = {2, ClientRect(window).bottom - 2};
    }
    ClickAt(window, point);
    return true;
}

bool Win32Driver::SelectComboItem(ComboBox& comboBox, int index) {
    if (index < 0 || index >= comboBox.ItemCount()) {
        throw std::out_of_range("SelectComboItem: no such item");
    }
    const HWND window = WindowOf(comboBox);
    if (!Reaches(window)) {
        return false;
    }
    SendMessageW(window, CB_SETCURSEL, index, 0);
    SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window));
    return true;
}

bool Win32Driver::ReleaseUpDown(UpDown& upDown, Arrow arrow) {
    const HWND window = WindowOf(upDown);
    if (!Reaches(window)) {
        return false;
    }
    const RECT area = ClientRect(window);
    const LONG quarter = (area.bottom - area.top) / 4;
    ClickAt(window, {area.right / 2, arrow == Arrow::Up ? quarter : area.bottom - quarter});
    return true;
}

bool Win32Driver::DragTrackBar(TrackBar& trackBar, int position) {
    const HWND window = WindowOf(trackBar);
    if (!Reaches(window)) {
        return false;
    }
    RECT thumb{};
    RECT channel{};
    SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageW(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const int span = std::max(1, trackBar.Maximum() - trackBar.Minimum());
    const LONG thumbWidth = thumb.right - thumb.left;
    const LONG travel = channel.right - channel.left - thumbWidth;
    const LONG x = channel.left + thumbWidth / 2 + travel * (position - trackBar.Minimum()) / span;
    const POINT grip{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, grip.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, grip.y));
    return true;
}

void Win32Driver::MouseEnter(ListView& listView) {
    const HWND window = WindowOf(listView);
    if (Reaches(window)) {
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    }
}

bool Win32Driver::DropFiles(ListView& listView, const std::vector<std::string>& paths) {
    const HWND window = WindowOf(listView);
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    // The shell drops only on a window that accepts files and takes input.
    if ((exStyle & WS_EX_ACCEPTFILES) == 0 || !Reaches(window)) {
        return false;
    }
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    return true;
}

bool Win32Driver::RequestClose(Window& window) {
    if (window.IsClosed()) {
        return false;
    }
    SendMessageW(WindowOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
    return window.IsClosed();
}

bool Win32Driver::ResizeByUser(Window& window, const Size& outerSize) {
    const HWND handle = WindowOf(window);
    // The user drags where the window offers a sizing border; the system keeps the drag
    // within the window's minimum tracking size.
    RECT outer{};
    GetWindowRect(handle, &outer);
    const LPARAM rightEdge = MAKELPARAM(outer.right - 1, (outer.top + outer.bottom) / 2);
    if (SendMessageW(handle, WM_NCHITTEST, 0, rightEdge) != HTRIGHT) {
        return false;
    }
    const Rect device = dynamic_cast<const Win32Window&>(window).DeviceBounds(
        {0, 0, outerSize.width, outerSize.height});
    SetWindowPos(handle, nullptr, 0, 0, device.width, device.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void Win32Driver::Dispatch(int milliseconds) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        ProcessMessages();
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

const Control* Win32Driver::FocusedControl() const {
    const NativeControl* focused = NativeControl::FromHandle(GetFocus());
    return focused != nullptr ? &focused->Subject() : nullptr;
}

}  // namespace kestrune::toolkit::win32
