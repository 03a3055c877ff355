// Flat buttons in the manner of classic tool bars: a thin raised frame under the pointer,
// a thin sunken one while pressed, the content moved down and right by one pixel then.
#include "toolkit/win32/Win32ButtonFace.h"

namespace kestrune::toolkit::win32 {

bool PointerOver::Follow(HWND window, UINT message) {
    if (message == WM_MOUSEMOVE && !over_) {
        TRACKMOUSEEVENT tracking{sizeof tracking, TME_LEAVE, window, 0};
        TrackMouseEvent(&tracking);
        over_ = true;
        return true;
    }
    if (message == WM_MOUSELEAVE && over_) {
        over_ = false;
        return true;
    }
    return false;
}

RECT DrawButtonFace(const DRAWITEMSTRUCT& item, HBRUSH background, bool flat, bool hot) {
    RECT face = item.rcItem;
    FillRect(item.hDC, &face, background);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    if (pressed) {
        DrawEdge(item.hDC, &face, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    } else if (!flat || (hot && enabled)) {
        DrawEdge(item.hDC, &face, flat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
    }
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = face;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
    RECT content = face;
    if (pressed) {
        OffsetRect(&content, 1, 1);
    }
    return content;
}

}  // namespace kestrune::toolkit::win32
