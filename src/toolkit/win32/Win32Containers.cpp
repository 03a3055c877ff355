// Containers clip their children, so a child's area is painted by the child alone, and take
// part in the Tab order of the window they are in (WS_EX_CONTROLPARENT).
#include "toolkit/win32/Win32Containers.h"

#include "platform/win32/WideText.h"

namespace kestrune::toolkit::win32 {
namespace {

const NativeClass kContainer{kContainerClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, false};

constexpr int kCaptionIndent = 8;  // from the frame's corner to a caption that is not centred

}  // namespace

std::optional<LRESULT> ContainerMessage(NativeControl& container, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
    if (const auto forwarded = ForwardToChild(message, wParam, lParam)) {
        return forwarded;
    }
    if (message == WM_ERASEBKGND) {
        RECT area{};
        GetClientRect(container.Handle(), &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, container.BackgroundBrush());
        return TRUE;
    }
    return std::nullopt;
}

Win32Panel::Win32Panel(base::Node& parent) : Win32Control(kContainer, parent) {}

std::optional<LRESULT> Win32Panel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ContainerMessage(*this, message, wParam, lParam);
}

Win32GroupBox::Win32GroupBox(base::Node& parent, const std::string& caption)
    : Win32Control(kContainer, parent, caption) {}

std::optional<LRESULT> Win32GroupBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ENABLE:
            InvalidateRect(Handle(), nullptr, TRUE);
            return 0;
        default:
            return ContainerMessage(*this, message, wParam, lParam);
    }
}

void Win32GroupBox::ShowCaption() {
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Win32GroupBox::Paint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(Handle(), &paint);
    const HGDIOBJ oldFont = SelectObject(dc, NativeFont());
    const std::wstring caption = platform::win32::Widen(Caption());
    SIZE text{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);

    RECT frame{};
    GetClientRect(Handle(), &frame);
    const LONG width = frame.right;
    frame.top = metrics.tmHeight / 2;  // the frame's top line runs through the caption
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        const int indent = ToDevice(kCaptionIndent, Dpi());
        LONG left = indent;
        if (CaptionAlignment() == Alignment::Centre) {
            left = (width - text.cx) / 2;
        } else if (CaptionAlignment() == Alignment::Right) {
            left = width - indent - text.cx;
        }
        RECT area{left, 0, left + text.cx, metrics.tmHeight};
        FillRect(dc, &area, BackgroundBrush());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, IsWindowEnabled(Handle()) ? ToColorRef(GetFont().colour)
                                                   : GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area,
                  DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
    EndPaint(Handle(), &paint);
}

}  // namespace kestrune::toolkit::win32
