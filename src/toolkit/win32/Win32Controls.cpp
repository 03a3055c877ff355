// Each control is made from its window class and styles, then shows the state its base
// starts with. Clicks come back as BN_CLICKED, context menu requests as WM_CONTEXTMENU, picks as
// CBN_SELCHANGE, thumb moves as WM_HSCROLL and arrow clicks as UDN_DELTAPOS, all through the
// parent.
#include "toolkit/win32/Win32Controls.h"

#include "platform/win32/WideText.h"
#include "toolkit/win32/Win32Parts.h"

#include <uxtheme.h>

#include <algorithm>

namespace kestrune::toolkit::win32 {
namespace {

using platform::win32::Widen;

constexpr int kVisibleListItems = 8;  // rows of a dropped drop-down list

void SetWindowText(HWND window, const std::string& text) {
    SetWindowTextW(window, Widen(text).c_str());
}

// Check boxes and radio buttons of the visual styles draw their caption in the theme's
// colour; the classic style takes the colour the parent gives.
void UseClassicStyle(HWND window) {
    SetWindowTheme(window, L"", L"");
}

DWORD StaticAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Left:
            break;
        case Alignment::Centre:
            return SS_CENTER;
        case Alignment::Right:
            return SS_RIGHT;
    }
    return SS_LEFT;
}

std::optional<LRESULT> FollowPointer(PointerOver& pointer, HWND window, UINT message) {
    if (pointer.Follow(window, message)) {
        InvalidateRect(window, nullptr, FALSE);
    }
    return std::nullopt;
}

}  // namespace

Win32Label::Win32Label(base::Node& parent, const std::string& text)
    : Win32Control({WC_STATICW, SS_LEFT | SS_NOPREFIX}, parent, text) {
    ShowText();
}

void Win32Label::ShowText() {
    SetWindowText(Handle(), Text());
}

void Win32Label::ShowAlignment() {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
    SetWindowLongPtrW(
        Handle(), GWL_STYLE,
        (style & ~static_cast<DWORD>(SS_TYPEMASK)) | StaticAlignment(TextAlignment()));
    InvalidateRect(Handle(), nullptr, TRUE);
}

Size Win32Label::FittedSize() const {
    return FittingSize(TextExtent(Handle(), NativeFont(), Text()), Dpi());
}

Win32Button::Win32Button(base::Node& parent, const std::string& text)
    : Win32Control({WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP}, parent, text) {
    ShowText();
}

std::optional<LRESULT> Win32Button::OnMessage(UINT message, WPARAM, LPARAM) {
    return FollowPointer(pointer_, Handle(), message);
}

void Win32Button::OnCommand(WORD code) {
    if (code == BN_CLICKED) {
        PressedByUser();
    }
}

bool Win32Button::OnDrawItem(const DRAWITEMSTRUCT& item) {
    RECT content = DrawButtonFace(item, BackgroundBrush(), IsFlat(), pointer_.IsOver());
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, enabled ? ToColorRef(GetFont().colour) : GetSysColor(COLOR_GRAYTEXT));
    const HGDIOBJ oldFont = SelectObject(item.hDC, NativeFont());
    DrawTextW(item.hDC, Widen(Text()).c_str(), -1, &content,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, oldFont);
    return true;
}

void Win32Button::ShowText() {
    SetWindowText(Handle(), Text());
}

void Win32Button::ShowFlat() {
    // Only the flat look is drawn here; a plain button is the system's own.
    SendMessageW(Handle(), BM_SETSTYLE, IsFlat() ? BS_OWNERDRAW : BS_PUSHBUTTON, TRUE);
}

Win32ImageButton::Win32ImageButton(base::Node& parent, const ImageList& images, int imageIndex)
    : Win32Control({WC_BUTTONW, BS_OWNERDRAW | WS_TABSTOP}, parent, images, imageIndex) {}

std::optional<LRESULT> Win32ImageButton::OnMessage(UINT message, WPARAM, LPARAM) {
    // A request left unanswered goes on to the parent, as the system passes it on.
    if (message == WM_CONTEXTMENU && ContextMenuRequestedByUser()) {
        return 0;
    }
    return FollowPointer(pointer_, Handle(), message);
}

void Win32ImageButton::OnCommand(WORD code) {
    if (code == BN_CLICKED) {
        PressedByUser();
    }
}

bool Win32ImageButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const RECT content = DrawButtonFace(item, BackgroundBrush(), IsFlat(), pointer_.IsOver());
    const auto& images = dynamic_cast<const Win32ImageList&>(Images());
    IMAGELISTDRAWPARAMS draw{};
    draw.cbSize = sizeof draw;
    draw.himl = images.Handle(Dpi());
    draw.i = ImageIndex();
    draw.hdcDst = item.hDC;
    draw.x =
        content.left + (content.right - content.left - ToDevice(images.ImageWidth(), Dpi())) / 2;
    draw.y =
        content.top + (content.bottom - content.top - ToDevice(images.ImageHeight(), Dpi())) / 2;
    draw.rgbBk = CLR_NONE;
    draw.rgbFg = CLR_DEFAULT;
    draw.fStyle = ILD_TRANSPARENT;
    // A disabled button shows its picture in grey.
    draw.fState = (item.itemState & ODS_DISABLED) != 0 ? ILS_SATURATE : ILS_NORMAL;
    ImageList_DrawIndirect(&draw);
    return true;
}

void Win32ImageButton::ShowFlat() {
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Win32ImageButton::ShowDpi() {
    Win32Control::ShowDpi();
    InvalidateRect(Handle(), nullptr, TRUE);  // drawn from the images at the new DPI
}

Win32CheckBox::Win32CheckBox(base::Node& parent, const std::string& text)
    : Win32Control({WC_BUTTONW, BS_CHECKBOX | WS_TABSTOP}, parent, text) {
    UseClassicStyle(Handle());
    ShowText();
}

void Win32CheckBox::OnCommand(WORD code) {
    if (code == BN_CLICKED) {
        ToggledByUser(!IsChecked());
    }
}

void Win32CheckBox::ShowText() {
    SetWindowText(Handle(), Text());
}

void Win32CheckBox::ShowChecked() {
    SendMessageW(Handle(), BM_SETCHECK, IsChecked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

Size Win32CheckBox::FittedSize() const {
    // The box, the gap the system leaves after it, the caption and its focus frame.
    const Size caption = TextExtent(Handle(), NativeFont(), Text());
    const int box = SystemMetric(SM_CXMENUCHECK, Dpi());
    const int gap = ToDevice(4, Dpi());
    const int focusFrame = ToDevice(2, Dpi());
    return FittingSize(
        {box + gap + caption.width + focusFrame, std::max(box, caption.height) + focusFrame},
        Dpi());
}

Win32RadioButton::Win32RadioButton(base::Node& parent, const std::string& text)
    : Win32Control({WC_BUTTONW, BS_RADIOBUTTON | WS_TABSTOP}, parent, text) {
    UseClassicStyle(Handle());
    ShowText();
}

void Win32RadioButton::OnCommand(WORD code) {
    if (code == BN_CLICKED) {
        CheckedByUser();
    }
}

void Win32RadioButton::ShowText() {
    SetWindowText(Handle(), Text());
}

void Win32RadioButton::ShowChecked() {
    SendMessageW(Handle(), BM_SETCHECK, IsChecked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

Win32ComboBox::Win32ComboBox(base::Node& parent)
    : Win32Control({WC_COMBOBOXW, CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP},
                   parent) {
    ShowBounds();
}

void Win32ComboBox::OnCommand(WORD code) {
    if (code == CBN_SELCHANGE) {
        SelectedByUser(static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)));
    }
}

void Win32ComboBox::ShowBounds() {
    const Rect bounds = ToDevice(bounds_, Dpi());
    const auto item = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.width,
                 bounds.height + kVisibleListItems * item + 2, SWP_NOZORDER | SWP_NOACTIVATE);
    // The closed box is the selection field and its frame; the field takes what the frame
    // leaves of the height. What the frame adds is measured with the field's height set.
    const auto field = SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    RECT closed{};
    GetWindowRect(Handle(), &closed);
    const auto frame = static_cast<int>(closed.bottom - closed.top - field);
    SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 std::max(1, bounds.height - frame));
}

void Win32ComboBox::ShowFont() {
    Win32Control::ShowFont();
    ShowBounds();
}

void Win32ComboBox::ShowItems() {
    const auto shown = static_cast<std::size_t>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
    const std::vector<std::string>& items = Items();
    if (shown + 1 != items.size()) {
        SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    }
    for (std::size_t i = static_cast<std::size_t>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
         i < items.size(); ++i) {
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(items[i]).c_str()));
    }
    ShowSelection();
}

void Win32ComboBox::ShowSelection() {
    SendMessageW(Handle(), CB_SETCURSEL, SelectedIndex(), 0);
}

Win32TrackBar::Win32TrackBar(base::Node& parent)
    : Win32Control({TRACKBAR_CLASSW, TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | TBS_TOOLTIPS |
                                         TBS_FIXEDLENGTH | WS_TABSTOP},
                   parent) {
    ShowValue();
    ShowValueTip();
}

void Win32TrackBar::OnScroll(WORD) {
    MovedByUser(static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)));
}

void Win32TrackBar::ShowValue() {
    SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, Minimum());
    SendMessageW(Handle(), TBM_SETRANGEMAX, FALSE, Maximum());
    SendMessageW(Handle(), TBM_SETPAGESIZE, 0, PageSize());
    SendMessageW(Handle(), TBM_SETTICFREQ, TickFrequency(), 0);
    SendMessageW(Handle(), TBM_SETTHUMBLENGTH, ToDevice(ThumbLength(), Dpi()), 0);
    SendMessageW(Handle(), TBM_SETPOS, TRUE, Position());
}

void Win32TrackBar::ShowDpi() {
    Win32Control::ShowDpi();
    ShowValue();
}

void Win32TrackBar::ShowValueTip() {
    // The tip window exists from the start; the style says whether the bar shows it.
    SetStyleBit(Handle(), TBS_TOOLTIPS, HasValueTip());
}

Win32UpDown::Win32UpDown(base::Node& parent) : Win32Control({UPDOWN_CLASSW, 0}, parent) {
    ShowValue();
}

std::optional<LRESULT> Win32UpDown::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONUP) {
        return std::nullopt;
    }
    // The arrows let go of the mouse first, then the release is reported.
    const LRESULT result = DefSubclassProc(Handle(), message, wParam, lParam);
    ReleasedByUser();
    return result;
}

std::optional<LRESULT> Win32UpDown::OnNotify(NMHDR& header) {
    if (header.code != static_cast<UINT>(UDN_DELTAPOS)) {
        return std::nullopt;
    }
    SteppedByUser(reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0 ? 1 : -1);
    return TRUE;  // the base has moved the position and shown it
}

void Win32UpDown::ShowValue() {
    SendMessageW(Handle(), UDM_SETRANGE32, Minimum(), Maximum());
    SendMessageW(Handle(), UDM_SETPOS32, 0, Position());
    UDACCEL acceleration{0, static_cast<UINT>(std::max(1, Step()))};
    SendMessageW(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&acceleration));
}

Win32ProgressBar::Win32ProgressBar(base::Node& parent)
    : Win32Control({PROGRESS_CLASSW, 0}, parent) {
    ShowValue();
}

void Win32ProgressBar::ShowValue() {
    SendMessageW(Handle(), PBM_SETRANGE32, Minimum(), Maximum());
    SendMessageW(Handle(), PBM_SETPOS, Position(), 0);
}

void Win32ProgressBar::ShowSmooth() {
    SetStyleBit(Handle(), PBS_SMOOTH, IsSmooth());
}

}  // namespace kestrune::toolkit::win32
