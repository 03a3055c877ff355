// Timers are thread timers found again by their id; tips are added with TTF_SUBCLASS, so the
// tooltip window follows the mouse over each control itself.
#include "toolkit/win32/Win32Parts.h"

#include "platform/win32/WideText.h"
#include "toolkit/OpenDialogResult.h"
#include "toolkit/Window.h"
#include "toolkit/win32/Win32Dpi.h"
#include "toolkit/win32/Win32Look.h"
#include "toolkit/win32/Win32Native.h"

#include <commdlg.h>
#include <objbase.h>

#include <cwchar>
#include <map>
#include <vector>

namespace kestrune::toolkit::win32 {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

// Room for the names of a large selection of files, far beyond the classic 64 KB.
constexpr DWORD kOpenDialogBufferSize = 1 << 18;

std::map<UINT_PTR, Win32Timer*>& RunningTimers() {
    static std::map<UINT_PTR, Win32Timer*> timers;
    return timers;
}

HWND HandleOf(const Window* window) {
    return window != nullptr ? dynamic_cast<const NativeControl&>(*window).Handle() : nullptr;
}

// "Description\0pattern\0...\0\0", as the open dialog takes its filters.
std::wstring FilterText(const std::vector<FileFilter>& filters) {
    std::wstring text;
    for (const FileFilter& filter : filters) {
        text += Widen(filter.description) + L'\0' + Widen(filter.pattern) + L'\0';
    }
    return text + L'\0';
}

// The dialog's answer, "folder\0name\0name\0\0" for several files or "path\0\0" for one,
// as the toolkit's result text.
std::string ResultText(const wchar_t* answer) {
    std::vector<std::string> pieces;
    for (const wchar_t* piece = answer; *piece != L'\0'; piece += std::wcslen(piece) + 1) {
        pieces.push_back(Narrow(piece));
    }
    return OpenDialogResultText(pieces.front(), {pieces.begin() + 1, pieces.end()});
}

// COM for the calls of the shell; undone again if this scope started it.
class ComScope {
public:
    ComScope() : started_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~ComScope() {
        if (started_) {
            OleUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool started_;
};

// The strip with each image stretched from one size to another, pixel by pixel, so that its
// transparent colour stays exactly that colour.
BitmapHandle ScaledStrip(HBITMAP strip, const Size& from, const Size& to) {
    BITMAP shape{};
    GetObjectW(strip, sizeof shape, &shape);
    const int images = from.width > 0 ? shape.bmWidth / from.width : 0;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = images * to.width;
    format.bmiHeader.biHeight = to.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;  // as the strips are stored: no alpha channel
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    BitmapHandle scaled(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &pixels, nullptr, 0));
    const MemoryDc source(strip);
    const MemoryDc target(scaled.get());
    SetStretchBltMode(target.Get(), COLORONCOLOR);
    StretchBlt(target.Get(), 0, 0, images * to.width, to.height, source.Get(), 0, 0,
               images * from.width, from.height, SRCCOPY);
    return scaled;
}

int CALLBACK BrowserEvent(HWND browser, UINT event, LPARAM, LPARAM folder) {
    if (event == BFFM_INITIALIZED) {
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
    }
    return 0;
}

}  // namespace

Win32Timer::Win32Timer(int interval) : TimerBase(interval) {}

Win32Timer::~Win32Timer() {
    ShowStopped();
}

void CALLBACK Win32Timer::Ticked(HWND, UINT, UINT_PTR id, DWORD) {
    const auto timer = RunningTimers().find(id);
    if (timer != RunningTimers().end()) {
        timer->second->TickedByPlatform();
    }
}

void Win32Timer::ShowStarted() {
    ShowStopped();
    id_ = SetTimer(nullptr, 0, static_cast<UINT>(Interval()), Ticked);
    if (id_ != 0) {
        RunningTimers()[id_] = this;
    }
}

void Win32Timer::ShowStopped() {
    if (id_ != 0) {
        KillTimer(nullptr, id_);
        RunningTimers().erase(id_);
        id_ = 0;
    }
}

Win32ImageList::Win32ImageList(const std::string& resourceName, const Size& imageSize,
                               const Colour& transparent)
    : resourceName_(resourceName), imageSize_(imageSize), transparent_(transparent) {}

HIMAGELIST Win32ImageList::Handle(int dpi) const {
    ImageListHandle& images = scaled_[dpi];
    if (!images) {
        const Size size{ToDevice(imageSize_.width, dpi), ToDevice(imageSize_.height, dpi)};
        images.reset(ImageList_Create(size.width, size.height, ILC_COLOR32 | ILC_MASK, 0, 4));
        const BitmapHandle strip(
            static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), Widen(resourceName_).c_str(),
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (strip) {
            ImageList_AddMasked(images.get(), ScaledStrip(strip.get(), imageSize_, size).get(),
                                ToColorRef(transparent_));
        }
    }
    return images.get();
}

Win32Hints::Win32Hints(const Window& owner) : HintsBase(owner) {
    PrepareWindowClasses();
    tips_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                HandleOf(&owner), nullptr, GetModuleHandleW(nullptr), nullptr));
    ShowSettings();
}

void Win32Hints::ShowSettings() {
    const base::HintsSettings& settings = Settings();
    auto style = static_cast<DWORD>(GetWindowLongPtrW(tips_.get(), GWL_STYLE));
    style = settings.balloon ? style | TTS_BALLOON : style & ~static_cast<DWORD>(TTS_BALLOON);
    style = settings.alwaysTip ? style | TTS_ALWAYSTIP : style & ~static_cast<DWORD>(TTS_ALWAYSTIP);
    SetWindowLongPtrW(tips_.get(), GWL_STYLE, style);
    SendMessageW(tips_.get(), TTM_SETDELAYTIME, TTDT_AUTOMATIC, settings.automaticDelay);
}

void Win32Hints::ShowTip(const Control& control, const std::string& text) {
    const HWND tool = dynamic_cast<const NativeControl&>(control).Handle();
    std::wstring tip = Widen(text);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = tip.data();
    // A new tip replaces the control's earlier one.
    SendMessageW(tips_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

std::optional<std::string> Win32OpenDialog::Execute() {
    const base::OpenDialogSettings& settings = Settings();
    const std::wstring filters = FilterText(settings.filters);
    const std::wstring folder = Widen(settings.initialFolder);
    const std::wstring title = Widen(settings.title);
    std::vector<wchar_t> answer(kOpenDialogBufferSize, L'\0');
    const std::wstring fileName = Widen(settings.fileName);
    fileName.copy(answer.data(), std::min<std::size_t>(fileName.size(), answer.size() - 2));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = HandleOf(settings.owner);
    dialog.lpstrFilter = settings.filters.empty() ? nullptr : filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = answer.data();
    dialog.nMaxFile = static_cast<DWORD>(answer.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_ENABLESIZING |
                   (settings.multipleSelection ? OFN_ALLOWMULTISELECT : 0) |
                   (settings.hideReadOnly ? OFN_HIDEREADONLY : 0) |
                   (settings.createPrompt ? OFN_CREATEPROMPT : OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameW(&dialog)) {
        return std::nullopt;
    }
    return ResultText(answer.data());
}

std::optional<std::string> Win32FolderDialog::Execute() {
    const base::FolderDialogSettings& settings = Settings();
    const ComScope com;
    const std::wstring title = Widen(settings.title);
    const std::wstring folder = Widen(settings.initialFolder);
    std::wstring displayName(MAX_PATH, L'\0');
    BROWSEINFOW browser{};
    browser.hwndOwner = HandleOf(settings.owner);
    browser.pszDisplayName = displayName.data();
    browser.lpszTitle = title.c_str();
    browser.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browser.lpfn = BrowserEvent;
    browser.lParam = reinterpret_cast<LPARAM>(folder.c_str());
    const ItemListHandle chosen(SHBrowseForFolderW(&browser));
    if (!chosen) {
        return std::nullopt;
    }
    std::wstring path(32768, L'\0');  // the longest path Windows knows
    if (!SHGetPathFromIDListEx(chosen.get(), path.data(), static_cast<DWORD>(path.size()),
                               GPFIDL_DEFAULT)) {
        return std::nullopt;
    }
    path.resize(path.find(L'\0'));
    return Narrow(path);
}

}  // namespace kestrune::toolkit::win32
