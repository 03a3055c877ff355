// Report view in virtual mode: the list asks for the texts and images of the rows it shows
// (LVN_GETDISPINFO), so a row costs the base's storage alone however many there are. The
// extended styles are the ListViewStyle switches; the track selection
// style is the list's hot tracking, which selects the row the pointer rests on. The info
// tips are the list's own cell tip, which covers every column, not only the first.
#include "toolkit/win32/Win32ListView.h"

#include "platform/win32/WideText.h"
#include "toolkit/win32/Win32Parts.h"

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace kestrune::toolkit::win32 {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

// Runs the list's own reports of a change the base asked for past the base.
class Mirroring {
public:
    explicit Mirroring(bool& flag) : flag_(flag), was_(std::exchange(flag, true)) {}
    ~Mirroring() { flag_ = was_; }
    Mirroring(const Mirroring&) = delete;
    Mirroring& operator=(const Mirroring&) = delete;

private:
    bool& flag_;
    bool was_;
};

int ColumnFormat(Alignment alignment) {
    switch (alignment) {
        case Alignment::Left:
            break;
        case Alignment::Centre:
            return LVCFMT_CENTER;
        case Alignment::Right:
            return LVCFMT_RIGHT;
    }
    return LVCFMT_LEFT;
}

// Posted to the list itself when rows have been added since it was last told their count.
constexpr UINT kShowRowCount = WM_APP + 1;

constexpr DWORD kExtendedStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT |
                                  LVS_EX_ONECLICKACTIVATE | LVS_EX_FLATSB;

DWORD ExtendedStyle(const ListViewStyle& style) {
    const std::pair<bool, DWORD> switches[] = {
        {style.gridLines, LVS_EX_GRIDLINES},     {style.fullRowSelect, LVS_EX_FULLROWSELECT},
        {style.hotTracking, LVS_EX_TRACKSELECT}, {style.oneClickActivate, LVS_EX_ONECLICKACTIVATE},
        {style.flatScrollBars, LVS_EX_FLATSB},
    };
    DWORD extended = 0;
    for (const auto& [on, bit] : switches) {
        extended |= on ? bit : 0;
    }
    return extended;
}

}  // namespace

Win32ListView::Win32ListView(base::Node& parent)
    : Win32Control({WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA | LVS_SHAREIMAGELISTS | WS_TABSTOP},
                   parent),
      cellTip_(*this) {
    ShowStyle();
    ShowFont();
    ShowBackground();
    ShowTextBackground();
}

std::optional<LRESULT> Win32ListView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (pointer_.Follow(Handle(), message) && pointer_.IsOver()) {
        EnteredByUser();
    }
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        cellTip_.Follow(message, wParam, lParam);
    }
    if (message == kShowRowCount) {
        ShowRowCount();
        return 0;
    }
    if (message == WM_DROPFILES) {
        TakeDrop(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> Win32ListView::OnNotify(NMHDR& header) {
    if (header.code == LVN_GETDISPINFOW) {
        TellItem(reinterpret_cast<NMLVDISPINFOW&>(header).item);
        return 0;
    }
    if (header.code == LVN_ITEMCHANGED && !mirroring_) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0 &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0) {
            SelectedByUser(NativeSelection());
        }
    }
    return std::nullopt;
}

void Win32ListView::ShowFont() {
    Win32Control::ShowFont();
    SendMessageW(Handle(), LVM_SETTEXTCOLOR, 0, ToColorRef(GetFont().colour));
}

void Win32ListView::ShowBackground() {
    Win32Control::ShowBackground();
    SendMessageW(Handle(), LVM_SETBKCOLOR, 0, ToColorRef(BackgroundColour()));
}

void Win32ListView::ShowStyle() {
    const ListViewStyle style = Style();
    SetStyleBit(Handle(), LVS_NOCOLUMNHEADER, !style.header);
    SetStyleBit(Handle(), LVS_SINGLESEL, style.singleSelection);
    SetStyleBit(Handle(), LVS_SHOWSELALWAYS, style.showSelectionAlways);
    SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, kExtendedStyles, ExtendedStyle(style));
    cellTip_.SetActive(style.infoTips);
}

void Win32ListView::ShowColumnAdded() {
    const std::vector<ListColumn> columns = Columns();
    const ListColumn& column = columns.back();
    std::wstring caption = Widen(column.caption);
    LVCOLUMNW native{};
    native.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    native.fmt = ColumnFormat(column.alignment);
    native.cx = ToDevice(column.width, Dpi());
    native.pszText = caption.data();
    native.iSubItem = static_cast<int>(columns.size()) - 1;
    SendMessageW(Handle(), LVM_INSERTCOLUMNW, columns.size() - 1,
                 reinterpret_cast<LPARAM>(&native));
}

void Win32ListView::ShowImages() {
    const auto& images = dynamic_cast<const Win32ImageList&>(*SmallImages());
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(images.Handle(Dpi())));
}

void Win32ListView::ShowDpi() {
    Win32Control::ShowDpi();
    const std::vector<ListColumn> columns = Columns();
    for (std::size_t column = 0; column < columns.size(); ++column) {
        SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, column, ToDevice(columns[column].width, Dpi()));
    }
    if (SmallImages() != nullptr) {
        ShowImages();
    }
}

void Win32ListView::ShowRowAdded(int /*row*/) {
    // Telling the list its count costs time in proportion to the rows under Wine, so rows
    // added together are told once, when the thread next takes its messages.
    if (!rowCountPosted_) {
        rowCountPosted_ = true;
        PostMessageW(Handle(), kShowRowCount, 0, 0);
    }
}

void Win32ListView::ShowCell(int row, int /*column*/) {
    RedrawRow(row);
}

void Win32ListView::ShowRowImage(int row) {
    RedrawRow(row);
}

void Win32ListView::ShowRowDeleted(int /*row*/) {
    ShowRowCount();
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Win32ListView::ShowAllRowsDeleted() {
    ShowRowCount();
}

void Win32ListView::ShowRowCount() {
    rowCountPosted_ = false;
    if (shownRowCount_ == RowCount()) {
        return;
    }
    const Mirroring mirroring(mirroring_);
    shownRowCount_ = RowCount();
    SendMessageW(Handle(), LVM_SETITEMCOUNT, shownRowCount_, LVSICF_NOSCROLL);
}

void Win32ListView::RedrawRow(int row) {
    // A row the list has not been told of yet is drawn once it is.
    if (row < shownRowCount_) {
        SendMessageW(Handle(), LVM_REDRAWITEMS, row, row);
    }
}

void Win32ListView::TellItem(LVITEMW& item) const {
    if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0) {
        const std::wstring text = Widen(CellText(item.iItem, item.iSubItem));
        const std::size_t length =
            std::min(text.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
        std::copy_n(text.begin(), length, item.pszText);
        item.pszText[length] = L'\0';
    }
    if ((item.mask & LVIF_IMAGE) != 0) {
        item.iImage = RowImage(item.iItem);
    }
}

void Win32ListView::ShowSelection() {
    ShowRowCount();  // the row to select may be one just added
    const Mirroring mirroring(mirroring_);
    LVITEMW cleared{};
    cleared.stateMask = LVIS_SELECTED;
    SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&cleared));
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    LVITEMW selected{};
    selected.state = LVIS_SELECTED | LVIS_FOCUSED;
    selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&selected));
    SendMessageW(Handle(), LVM_ENSUREVISIBLE, row, FALSE);
}

void Win32ListView::ShowTextBackground() {
    SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, ToColorRef(TextBackgroundColour()));
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Win32ListView::ShowAcceptsFiles() {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE,
                      AcceptsFiles() ? style | WS_EX_ACCEPTFILES : style & ~WS_EX_ACCEPTFILES);
}

int Win32ListView::NativeSelection() const {
    return static_cast<int>(
        SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Win32ListView::TakeDrop(HDROP drop) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> paths;
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(Narrow(path));
    }
    DragFinish(drop);
    DroppedByUser(paths);
}

}  // namespace kestrune::toolkit::win32
