// The real main window built on the Win32 back end and measured as Windows has it: the
// window opens at 185, 84 with a client area of 641 by 246, every control stands in its
// parent where the layout puts it, and the native looks are those the window asks for. A
// size change while the window is still being built does no harm.
#include "Unit1/BuildMainWindow.h"
#include "Win32Driver.h"
#include "platform/Locations.h"
#include "toolkit/win32/Win32Parts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace kestrune::toolkit::win32 {
namespace {

namespace fs = std::filesystem;

constexpr int kOptionsPanelWidth = 307;
constexpr int kWindowMargin = 12;

// The window's place in its parent's client area, or on the screen for a top-level window.
Rect Measured(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

// The colour a container paints its background with, read from a bitmap it paints.
COLORREF BackgroundOf(const Control& container) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP pixel = CreateCompatibleBitmap(screen, 1, 1);
    const HGDIOBJ old = SelectObject(dc, pixel);
    SendMessageW(WindowOf(container), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const COLORREF colour = GetPixel(dc, 0, 0);
    SelectObject(dc, old);
    DeleteObject(pixel);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colour;
}

DWORD StyleOf(const Control& control, int which) {
    return static_cast<DWORD>(GetWindowLongPtrW(WindowOf(control), which));
}

// A first start: no settings file, an encoder beside the program.
class FirstStart : public ::testing::Test {
protected:
    FirstStart() {
        fs::remove(fs::u8path(folder_ + "Kestrune.ini"));
        std::ofstream(fs::u8path(folder_ + "LAME.EXE"));
    }
    ~FirstStart() override {
        w.reset();
        fs::remove(fs::u8path(folder_ + "LAME.EXE"));
    }

    const std::string folder_ = platform::ProgramFolder();
    std::unique_ptr<unit1::MainWindow> w;
};

class MainWindowLayout : public FirstStart {
protected:
    MainWindowLayout() {
        w = unit1::BuildMainWindow();
        w->window->Show();
    }
};

// Widens the window that owns the first tooltip window made while it lives, as Windows may
// size a window whose program is still filling it: the hints are made before the panels.
class WidenAtFirstTooltip {
public:
    static constexpr int kWidening = 100;

    WidenAtFirstTooltip() : hook_(SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId())) {
        widened = false;
    }
    ~WidenAtFirstTooltip() { UnhookWindowsHookEx(hook_); }
    WidenAtFirstTooltip(const WidenAtFirstTooltip&) = delete;
    WidenAtFirstTooltip& operator=(const WidenAtFirstTooltip&) = delete;

    static bool Widened() { return widened; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM window, LPARAM details) {
        if (code == HCBT_CREATEWND && !widened) {
            const CREATESTRUCTW& made = *reinterpret_cast<CBT_CREATEWNDW*>(details)->lpcs;
            if (!IS_INTRESOURCE(made.lpszClass) &&
                std::wstring_view(made.lpszClass) == TOOLTIPS_CLASSW && made.hwndParent) {
                RECT outer{};
                GetWindowRect(made.hwndParent, &outer);
                SetWindowPos(made.hwndParent, nullptr, 0, 0, outer.right - outer.left + kWidening,
                             outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                widened = true;
            }
        }
        return CallNextHookEx(nullptr, code, window, details);
    }

    static inline bool widened = false;
    HHOOK hook_;
};

// Counts the access violations of this process while it lives, even those Windows swallows
// when they happen in a window procedure it calls back.
class AccessViolations {
public:
    AccessViolations() : handler_(AddVectoredExceptionHandler(1, Count)) { count = 0; }
    ~AccessViolations() { RemoveVectoredExceptionHandler(handler_); }
    AccessViolations(const AccessViolations&) = delete;
    AccessViolations& operator=(const AccessViolations&) = delete;

    static int Seen() { return count; }

private:
    static LONG CALLBACK Count(EXCEPTION_POINTERS* exception) {
        if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) {
            ++count;
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }

    static inline int count = 0;
    void* handler_;
};

TEST_F(FirstStart, ASizeChangeWhileTheWindowIsBuiltIsLaidOutOnceTheControlsExist) {
    {
        const AccessViolations faults;
        const WidenAtFirstTooltip widen;
        w = unit1::BuildMainWindow();
        ASSERT_TRUE(WidenAtFirstTooltip::Widened());
        EXPECT_EQ(AccessViolations::Seen(), 0);
    }
    w->window->Show();
    RECT client{};
    GetClientRect(WindowOf(*w->window), &client);
    EXPECT_EQ(client.right, 641 + WidenAtFirstTooltip::kWidening);
    const int leftWidth = Measured(WindowOf(*w->window)).width - kOptionsPanelWidth - kWindowMargin;
    EXPECT_EQ(Measured(WindowOf(*w->leftPanel)).width, leftWidth);
    EXPECT_EQ(Measured(WindowOf(*w->fileListView)), (Rect{0, 33, leftWidth, 246 - 33}));
}

TEST_F(MainWindowLayout, OpensAt185And84WithAClientAreaOf641By246) {
    const Rect outer = Measured(WindowOf(*w->window));
    RECT client{};
    GetClientRect(WindowOf(*w->window), &client);
    EXPECT_EQ(outer.left, 185);
    EXPECT_EQ(outer.top, 84);
    EXPECT_EQ(client.right, 641);
    EXPECT_EQ(client.bottom, 246);
}

TEST_F(MainWindowLayout, EveryControlStandsWhereTheLayoutPutsIt) {
    const int leftWidth = Measured(WindowOf(*w->window)).width - kOptionsPanelWidth - kWindowMargin;
    struct Place {
        const char* name;
        const Control* control;
        const Control* parent;
        Rect bounds;
        bool fitted;  // sized to its caption: only the position is fixed
    };
    const Control* window = w->window.get();
    const Place places[] = {
        {"leftPanel", w->leftPanel, window, {0, 0, leftWidth, 246}, false},
        {"optionsPanel", w->optionsPanel, window, {641 - 307, 0, 307, 246}, false},
        {"helpButton", w->helpButton, w->leftPanel, {138, 0, 33, 33}, false},
        {"addButton", w->addButton, w->leftPanel, {2, 0, 33, 33}, false},
        {"newListButton", w->newListButton, w->leftPanel, {36, 0, 33, 33}, false},
        {"fileListView", w->fileListView, w->leftPanel, {0, 33, leftWidth, 246 - 33}, false},
        {"compressButton", w->compressButton, w->leftPanel, {104, 0, 33, 33}, false},
        {"deleteRowButton", w->deleteRowButton, w->leftPanel, {70, 0, 33, 33}, false},
        {"monoBox", w->monoBox, w->optionsPanel, {240, 74, 0, 0}, true},
        {"tagGroup", w->tagGroup, w->optionsPanel, {4, 92, 299, 135}, false},
        {"albumLabel", w->albumLabel, w->tagGroup, {4, 74, 0, 0}, true},
        {"artistLabel", w->artistLabel, w->tagGroup, {4, 56, 0, 0}, true},
        {"titleLabel", w->titleLabel, w->tagGroup, {4, 38, 0, 0}, true},
        {"genreLabel", w->genreLabel, w->tagGroup, {112, 92, 0, 0}, true},
        {"yearLabel", w->yearLabel, w->tagGroup, {4, 92, 0, 0}, true},
        {"id3v2Box", w->id3v2Box, w->tagGroup, {236, 14, 0, 0}, true},
        {"id3v1Box", w->id3v1Box, w->tagGroup, {6, 14, 0, 0}, true},
        {"yearEdit", w->yearEdit, w->tagGroup, {70, 90, 39, 17}, false},
        {"albumEdit", w->albumEdit, w->tagGroup, {70, 72, 224, 17}, false},
        {"artistEdit", w->artistEdit, w->tagGroup, {70, 54, 224, 17}, false},
        {"titleEdit", w->titleEdit, w->tagGroup, {70, 36, 224, 17}, false},
        {"saveButton", w->saveButton, w->tagGroup, {0, 135 - 18, 299, 18}, false},
        {"genreBox", w->genreBox, w->tagGroup, {148, 90, 145, 17}, false},
        {"bitRateGroup", w->bitRateGroup, w->optionsPanel, {4, 4, 297, 67}, false},
        {"kbpsLabel", w->kbpsLabel, w->bitRateGroup, {186, 34, 83, 17}, false},
        {"lowerLabel", w->lowerLabel, w->bitRateGroup, {256, 50, 37, 14}, false},
        {"bitRateLabel", w->bitRateLabel, w->bitRateGroup, {138, 32, 25, 19}, false},
        {"higherLabel", w->higherLabel, w->bitRateGroup, {86, 48, 43, 14}, false},
        {"qualityLabel", w->qualityLabel, w->bitRateGroup, {162, 48, 0, 14}, true},
        {"cbrRadio", w->cbrRadio, w->bitRateGroup, {4, 18, 75, 0}, true},
        {"vbrRadio", w->vbrRadio, w->bitRateGroup, {4, 36, 0, 0}, true},
        {"qualityTrackBar", w->qualityTrackBar, w->bitRateGroup, {80, 16, 211, 31}, false},
        {"bitRateUpDown", w->bitRateUpDown, w->bitRateGroup, {163, 32, 20, 19}, false},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        const HWND native = WindowOf(*place.control);
        EXPECT_EQ(GetParent(native), WindowOf(*place.parent));
        const Rect measured = Measured(native);
        if (!place.fitted) {
            EXPECT_EQ(measured, place.bounds);
            continue;
        }
        EXPECT_EQ(measured.left, place.bounds.left);
        EXPECT_EQ(measured.top, place.bounds.top);
        EXPECT_GT(measured.width, 0);
        EXPECT_GT(measured.height, 0);
        for (const int fixed : {place.bounds.width, place.bounds.height}) {
            if (fixed != 0) {
                EXPECT_TRUE(measured.width == fixed || measured.height == fixed);
            }
        }
    }
}

TEST_F(MainWindowLayout, NativeControlsHaveTheLooksTheWindowAsksFor) {
    const auto tipStyle = static_cast<DWORD>(
        GetWindowLongPtrW(dynamic_cast<const Win32Hints&>(*w->hints).Handle(), GWL_STYLE));
    const auto tips = dynamic_cast<const Win32Hints&>(*w->hints).Handle();
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 12);
    EXPECT_EQ(tipStyle & (TTS_BALLOON | TTS_ALWAYSTIP), DWORD{TTS_BALLOON | TTS_ALWAYSTIP});

    const DWORD listLooks = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE |
                            LVS_EX_TRACKSELECT | LVS_EX_FLATSB | LVS_EX_INFOTIP;
    const HWND list = WindowOf(*w->fileListView);
    EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & listLooks,
              LRESULT{listLooks});
    EXPECT_EQ(StyleOf(*w->fileListView, GWL_EXSTYLE), DWORD{WS_EX_ACCEPTFILES});
    EXPECT_EQ(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0), LRESULT{RGB(0, 0, 255)});

    const DWORD trackLooks = TBS_AUTOTICKS | TBS_TOOLTIPS;
    EXPECT_EQ(StyleOf(*w->qualityTrackBar, GWL_STYLE) & trackLooks, trackLooks);
    EXPECT_EQ(SendMessageW(WindowOf(*w->qualityTrackBar), TBM_GETTHUMBLENGTH, 0, 0), 20);
    EXPECT_EQ(StyleOf(*w->addButton, GWL_STYLE) & BS_TYPEMASK, DWORD{BS_OWNERDRAW});

    // The classic scheme's inactive caption text, light on every system.
    for (const Control* container :
         std::initializer_list<const Control*>{w->leftPanel, w->optionsPanel, w->tagGroup}) {
        EXPECT_EQ(BackgroundOf(*container), RGB(212, 208, 200));
    }

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(WindowOf(*w->titleLabel), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(font.lfCharSet, 204);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
}

}  // namespace
}  // namespace kestrune::toolkit::win32
