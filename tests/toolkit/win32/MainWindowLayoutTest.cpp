// The real main window built on the Win32 back end and measured as Windows has it: the
// window opens at 185, 84 with a client area of 641 by 246, every control stands in its
// parent where the layout puts it, the native looks are those the window asks for, and a
// cut cell of the list shows its whole text in a tip; all of it scaled by the window's DPI,
// the system's (scripts/test-windows-gui runs this at 96 and at 144) and another one the
// window is told of as when it moves to another monitor. A size change while the window is
// still being built does no harm.
#include "Unit1/BuildMainWindow.h"
#include "Win32Driver.h"
#include "platform/Locations.h"
#include "platform/win32/WideText.h"
#include "toolkit/win32/Win32Native.h"
#include "toolkit/win32/Win32Parts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace kestrune::toolkit::win32 {
namespace {

namespace fs = std::filesystem;

constexpr int kOptionsPanelWidth = 307;
constexpr int kWindowMargin = 12;

// The DPI of the screen; the test program is aware of it through its manifest.
int SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// A length of the window's layout on a screen of the DPI.
int Scaled(int length, int dpi) {
    return MulDiv(length, dpi, 96);
}

Rect Scaled(const Rect& bounds, int dpi) {
    return {Scaled(bounds.left, dpi), Scaled(bounds.top, dpi), Scaled(bounds.width, dpi),
            Scaled(bounds.height, dpi)};
}

// The window's place in its parent's client area, or on the screen for a top-level window.
Rect Measured(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
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

// The window as it opens, at the system's DPI.
class OpenedMainWindow : public FirstStart {
protected:
    OpenedMainWindow() {
        w = unit1::BuildMainWindow();
        w->window->Show();
    }

    int dpi = SystemDpi();
};

// The window as it opens, or then moved to a monitor of half as many dots per inch more:
// Windows tells it the new DPI and where it suggests the window goes (WM_DPICHANGED).
class MainWindowLayout : public OpenedMainWindow, public ::testing::WithParamInterface<bool> {
protected:
    MainWindowLayout() {
        if (GetParam()) {
            dpi += 48;
            const HWND window = WindowOf(*w->window);
            RECT suggested{};
            GetWindowRect(window, &suggested);
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
        }
    }
};

INSTANTIATE_TEST_SUITE_P(AtEachDpi, MainWindowLayout, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& moved) {
                             return moved.param ? "MovedToAnotherDpi" : "AtTheSystemDpi";
                         });

// While it lives, the first window made with a parent or owner (the hints' tooltip, made
// before the panels) widens that one, as Windows may size a window whose program is still
// filling it; and access violations are counted, also those Windows swallows in the window
// procedures it calls.
class WidenWhileBuilt {
public:
    static constexpr int kWidening = 100;
    static inline bool widened = false;
    static inline int faults = 0;

    WidenWhileBuilt() {
        widened = false;
        faults = 0;
    }
    ~WidenWhileBuilt() {
        UnhookWindowsHookEx(hook_);
        RemoveVectoredExceptionHandler(handler_);
    }
    WidenWhileBuilt(const WidenWhileBuilt&) = delete;
    WidenWhileBuilt& operator=(const WidenWhileBuilt&) = delete;

private:
    static LRESULT CALLBACK Widen(int code, WPARAM window, LPARAM details) {
        if (code == HCBT_CREATEWND && !widened) {
            if (const HWND parent = reinterpret_cast<CBT_CREATEWNDW*>(details)->lpcs->hwndParent) {
                widened = true;
                RECT outer{};
                GetWindowRect(parent, &outer);
                SetWindowPos(parent, nullptr, 0, 0, outer.right - outer.left + kWidening,
                             outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        return CallNextHookEx(nullptr, code, window, details);
    }
    static LONG CALLBACK Count(EXCEPTION_POINTERS* exception) {
        faults += exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION ? 1 : 0;
        return EXCEPTION_CONTINUE_SEARCH;
    }

    HHOOK hook_ = SetWindowsHookExW(WH_CBT, Widen, nullptr, GetCurrentThreadId());
    void* handler_ = AddVectoredExceptionHandler(1, Count);
};

TEST_F(FirstStart, ASizeChangeWhileTheWindowIsBuiltIsLaidOutOnceTheControlsExist) {
    {
        const WidenWhileBuilt widen;
        w = unit1::BuildMainWindow();
        ASSERT_TRUE(WidenWhileBuilt::widened);
        EXPECT_EQ(WidenWhileBuilt::faults, 0);
    }
    w->window->Show();
    const int dpi = SystemDpi();
    RECT client{};
    GetClientRect(WindowOf(*w->window), &client);
    EXPECT_EQ(client.right, Scaled(641, dpi) + WidenWhileBuilt::kWidening);
    const int leftWidth = w->window->Width() - kOptionsPanelWidth - kWindowMargin;
    EXPECT_EQ(Measured(WindowOf(*w->fileListView)), Scaled({0, 33, leftWidth, 246 - 33}, dpi));
}

// Wine draws the frame at its own DPI whatever a window is told, so this is measured at the
// system's DPI only.
TEST_F(OpenedMainWindow, OpensAt185And84WithAClientAreaOf641By246) {
    const Rect outer = Measured(WindowOf(*w->window));
    RECT client{};
    GetClientRect(WindowOf(*w->window), &client);
    EXPECT_EQ(outer.left, Scaled(185, dpi));
    EXPECT_EQ(outer.top, Scaled(84, dpi));
    EXPECT_EQ(client.right, Scaled(641, dpi));
    EXPECT_EQ(client.bottom, Scaled(246, dpi));
    // The bounds the settings keep are those of a 96-DPI screen.
    EXPECT_EQ(w->window->Left(), 185);
    EXPECT_EQ(w->window->Top(), 84);
    EXPECT_EQ(w->window->ClientSize(), (Size{641, 246}));
}

TEST_P(MainWindowLayout, EveryControlStandsWhereTheLayoutPutsIt) {
    const int leftWidth = w->window->Width() - kOptionsPanelWidth - kWindowMargin;
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
        const Rect expected = Scaled(place.bounds, dpi);
        if (!place.fitted) {
            EXPECT_EQ(measured, expected);
            continue;
        }
        EXPECT_EQ(measured.left, expected.left);
        EXPECT_EQ(measured.top, expected.top);
        EXPECT_GT(measured.width, 0);
        EXPECT_GT(measured.height, 0);
        for (const int fixed : {expected.width, expected.height}) {
            if (fixed != 0) {
                EXPECT_TRUE(measured.width == fixed || measured.height == fixed);
            }
        }
    }
}

TEST_P(MainWindowLayout, NativeControlsHaveTheLooksTheWindowAsksFor) {
    const auto tipStyle = static_cast<DWORD>(
        GetWindowLongPtrW(dynamic_cast<const Win32Hints&>(*w->hints).Handle(), GWL_STYLE));
    const auto tips = dynamic_cast<const Win32Hints&>(*w->hints).Handle();
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 12);
    EXPECT_EQ(tipStyle & (TTS_BALLOON | TTS_ALWAYSTIP), DWORD{TTS_BALLOON | TTS_ALWAYSTIP});

    const DWORD listLooks = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE |
                            LVS_EX_TRACKSELECT | LVS_EX_FLATSB;
    const HWND list = WindowOf(*w->fileListView);
    EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & listLooks,
              LRESULT{listLooks});
    EXPECT_EQ(StyleOf(*w->fileListView, GWL_EXSTYLE), DWORD{WS_EX_ACCEPTFILES});
    EXPECT_EQ(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0), LRESULT{RGB(0, 0, 255)});
    for (const auto& [column, width] : {std::pair{0, 100}, {1, 100}, {2, 50}, {3, 50}}) {
        EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0), Scaled(width, dpi));
    }
    int imageSize = 0;
    ImageList_GetIconSize(
        reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
        &imageSize, &imageSize);
    EXPECT_EQ(imageSize, Scaled(16, dpi));

    const DWORD trackLooks = TBS_AUTOTICKS | TBS_TOOLTIPS;
    EXPECT_EQ(StyleOf(*w->qualityTrackBar, GWL_STYLE) & trackLooks, trackLooks);
    EXPECT_EQ(SendMessageW(WindowOf(*w->qualityTrackBar), TBM_GETTHUMBLENGTH, 0, 0),
              Scaled(20, dpi));
    EXPECT_EQ(StyleOf(*w->addButton, GWL_STYLE) & BS_TYPEMASK, DWORD{BS_OWNERDRAW});

    // The classic scheme's inactive caption text, light on every system.
    for (const Control* container :
         std::initializer_list<const Control*>{w->leftPanel, w->optionsPanel, w->tagGroup}) {
        LOGBRUSH brush{};
        GetObjectW(dynamic_cast<const NativeControl&>(*container).BackgroundBrush(), sizeof brush,
                   &brush);
        EXPECT_EQ(brush.lbColor, RGB(212, 208, 200));
    }

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(WindowOf(*w->titleLabel), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -Scaled(11, dpi));
    EXPECT_EQ(font.lfCharSet, 204);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
}

// The text of a shown tooltip of this program once the pointer has rested on the list's
// cell; empty when none is shown.
std::wstring TipOnCell(const ListView& list, int row, int column) {
    Win32Driver().Dispatch(0);  // the list is told of rows just added
    const HWND native = WindowOf(list);
    RECT cell{LVIR_LABEL, column, 0, 0};
    SendMessageW(native, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    SendMessageW(native, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    ClientToScreen(native, &at);
    SetCursorPos(at.x, at.y);
    Win32Driver().Dispatch(1500);
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
        std::wstring text(256, L'\0');
        text.resize(static_cast<std::size_t>(
            SendMessageW(tip, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        if (IsWindowVisible(tip) && !text.empty()) {
            return text;
        }
    }
    return {};
}

TEST_P(MainWindowLayout, ACutCellShowsItsWholeTextInATipAndAWholeOneNone) {
    const std::string whole = "Очень длинное имя файла, которое не помещается";
    w->fileListView->AddRow("a.mp3");
    w->fileListView->SetCellText(0, 3, whole);
    EXPECT_EQ(TipOnCell(*w->fileListView, 0, 0), L"");
    EXPECT_EQ(TipOnCell(*w->fileListView, 0, 3), platform::win32::Widen(whole));
}

}  // namespace
}  // namespace kestrune::toolkit::win32
