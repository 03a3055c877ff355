// The Win32 list view in report mode. Rows, cells, images and the one selected row live in
// the base; the native list is told their count and asks for what it shows, and while it
// is told the base's state, its own reports of the changes are ignored. The user's clicks move the
// native selection, which is reported to the base (LVN_ITEMCHANGED); dropped files arrive as
// WM_DROPFILES while the list accepts them (WS_EX_ACCEPTFILES), and the pointer coming in is
// followed, as is the cell under it for the tip of a cut cell.
#pragma once

#include "toolkit/base/ListViewBase.h"
#include "toolkit/win32/Win32ButtonFace.h"
#include "toolkit/win32/Win32CellTip.h"
#include "toolkit/win32/Win32Control.h"

#include <shellapi.h>

namespace kestrune::toolkit::win32 {

class Win32ListView final : public Win32Control<base::ListViewBase> {
public:
    explicit Win32ListView(base::Node& parent);

    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> OnNotify(NMHDR& header) override;
    void ShowDpi() override;

private:
    void ShowFont() override;
    void ShowBackground() override;
    void ShowStyle() override;
    void ShowColumnAdded() override;
    void ShowImages() override;
    void ShowRowAdded(int row) override;
    void ShowCell(int row, int column) override;
    void ShowRowImage(int row) override;
    void ShowRowDeleted(int row) override;
    void ShowAllRowsDeleted() override;
    void ShowSelection() override;
    void ShowTextBackground() override;
    void ShowAcceptsFiles() override;

    void ShowRowCount();
    void RedrawRow(int row);
    // Fills in what the list asked of one of its rows.
    void TellItem(LVITEMW& item) const;
    int NativeSelection() const;
    void TakeDrop(HDROP drop);

    bool mirroring_ = false;       // the list is being told the base's state
    int shownRowCount_ = 0;        // the row count the list was last told
    bool rowCountPosted_ = false;  // a message to tell it the count is on its way
    PointerOver pointer_;
    CellTip cellTip_;
};

}  // namespace kestrune::toolkit::win32
