// kestrune.exe as a person uses it, driven from another process. The program is started in
// a folder of its own with the stand-in encoder as LAME.EXE; the help button opens the help
// once, on a system of any code page; files are added through the open dialog, the options
// switched, and a run compresses them into the folder chosen in the folder browser, one encoder
// aborted with the progress window's button. Then one encoder per processor is chosen from the
// compress button's context menu, a new list of two stalled encoders runs, and the window is closed
// during that run: the program ends, no file is left, and the settings are written. Windows are
// found by class and caption, controls by class and where they stand, which on a screen of any DPI
// is the program's layout scaled by it (the settings keep the layout's own terms); everything is
// done with window messages. With KESTRUNE_SCREENSHOT_DIR set, screenshots of the main window
// (CBR and VBR), the progress window, the run's message box and the context menu are asked for
// there (scripts/test-windows-gui takes them).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kPatience = std::chrono::seconds(20);

// A path of the build as the program sees it under Wine, which shows the Unix root as Z:.
fs::path WindowsPath(std::string path) {
    if (!path.empty() && path.front() == '/') {
        path = "Z:" + path;
    }
    std::replace(path.begin(), path.end(), '/', '\\');
    return fs::u8path(path);
}

// Polls the condition until it holds (true) or the patience runs out (false).
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds patience = kPatience) {
    const auto end = Clock::now() + patience;
    while (!condition()) {
        if (Clock::now() > end) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

std::wstring TextOf(HWND window) {
    std::wstring text(512, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The DPI of the screen, which the program's windows are scaled by. This process sees it,
// and the windows' true places, once it has said that it is aware of it.
int ScreenDpi() {
    static const int dpi = [] {
        SetProcessDPIAware();
        const HDC screen = GetDC(nullptr);
        const int logPixels = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        return logPixels;
    }();
    return dpi;
}

// A length of the program's layout on the screen.
int Scaled(int length) {
    return MulDiv(length, ScreenDpi(), 96);
}

// The child of that class whose left top corner stands at x, y of the parent's client area,
// in the program's layout.
HWND ChildAt(HWND parent, const wchar_t* className, int x, int y) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT area{};
        GetWindowRect(child, &area);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&area), 2);
        if (area.left == Scaled(x) && area.top == Scaled(y) && ClassOf(child) == className) {
            return child;
        }
    }
    return nullptr;
}

struct WindowSearch {
    DWORD process;  // any when 0
    std::wstring className;
    std::wstring caption;  // any when empty
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if ((search.process == 0 || process == search.process) && IsWindowVisible(window) &&
        ClassOf(window) == search.className &&
        (search.caption.empty() || TextOf(window) == search.caption)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the process, of that class and caption.
HWND TopLevel(DWORD process, const wchar_t* className, const wchar_t* caption = L"") {
    WindowSearch search{process, className, caption};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevel(DWORD process, const wchar_t* className, const wchar_t* caption = L"") {
    HWND found = nullptr;
    WaitFor([&] { return (found = TopLevel(process, className, caption)) != nullptr; });
    return found;
}

void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void PressOk(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// MinGW's file streams take no path beyond the ANSI code page: files go through the W functions.
void WriteBytes(const fs::path& path, const std::string& bytes) {
    const std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(path.c_str(), L"wb"), fclose);
    ASSERT_NE(file, nullptr) << path.string();
    fwrite(bytes.data(), 1, bytes.size(), file.get());
}

std::string ReadBytes(const fs::path& path) {
    const std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(path.c_str(), L"rb"), fclose);
    std::string bytes;
    char buffer[4096];
    for (std::size_t got;
         file != nullptr && (got = fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
        bytes.append(buffer, got);
    }
    return bytes;
}

// Asks the test script for a screenshot of the window and waits until it is there. Taken
// on a screen of another DPI than 96, its name says which.
void Screenshot(HWND window, std::string name) {
    const char* folder = std::getenv("KESTRUNE_SCREENSHOT_DIR");
    if (folder == nullptr) {
        return;
    }
    if (ScreenDpi() != 96) {
        name += "-" + std::to_string(ScreenDpi()) + "dpi";
    }
    Sleep(300);  // the program has drawn what changed
    RECT area{};
    GetWindowRect(window, &area);
    const fs::path shots = WindowsPath(folder);
    const fs::path picture = shots / (name + ".png");
    fs::remove(picture);
    WriteBytes(shots / (name + ".part"), std::to_string(area.left) + ' ' +
                                             std::to_string(area.top) + ' ' +
                                             std::to_string(area.right - area.left) + ' ' +
                                             std::to_string(area.bottom - area.top) + '\n');
    fs::rename(shots / (name + ".part"), shots / (name + ".request"));
    EXPECT_TRUE(WaitFor([&] { return fs::exists(picture); })) << "no screenshot " << name;
}

// Twenty MPEG-1 Layer III frames of 128 kbit/s at 44.1 kHz: a file the list shows as CBR.
void WriteMp3(const fs::path& path) {
    constexpr unsigned char kHeader[] = {0xFF, 0xFB, 0x90, 0x64};
    constexpr std::size_t kFrameLength = 417;  // 144 * 128000 / 44100
    std::string frames;
    for (int frame = 0; frame < 20; ++frame) {
        std::string bytes(kFrameLength, '\0');
        std::copy(std::begin(kHeader), std::end(kHeader), bytes.begin());
        frames += bytes;
    }
    WriteBytes(path, frames);
}

std::wstring Setting(const fs::path& file, const wchar_t* section, const wchar_t* key) {
    std::wstring value(2048, L'\0');
    value.resize(GetPrivateProfileStringW(section, key, L"", value.data(),
                                          static_cast<DWORD>(value.size()), file.c_str()));
    return value;
}

std::vector<std::string> RecordedArguments(const fs::path& file) {
    std::vector<std::string> arguments;
    const std::string bytes = ReadBytes(file);
    for (std::size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos;
         start = end + 1) {
        arguments.push_back(bytes.substr(start, end - start));
    }
    return arguments;
}

class KestruneWin32 : public ::testing::Test {
protected:
    KestruneWin32()
        : root_(fs::temp_directory_path() /
                ("kestrune-e2e-" + std::to_string(GetCurrentProcessId()))) {
        fs::remove_all(root_);
        for (const fs::path& folder : {program_, in_, out_}) {
            fs::create_directories(folder);
        }
        const fs::path built = WindowsPath(KESTRUNE_PROGRAM);
        fs::copy_file(built, program_ / "kestrune.exe");
        fs::copy_file(built.parent_path() / "Help.chm", program_ / "Help.chm");
        fs::copy_file(WindowsPath(KESTRUNE_STAND_IN), program_ / "LAME.EXE");
        const fs::path settings = program_ / "Kestrune.ini";
        WritePrivateProfileStringW(L"MP3", L"PatchIn", (in_.wstring() + L"\\").c_str(),
                                   settings.c_str());
        WritePrivateProfileStringW(L"MP3", L"PatchOut", out_.wstring().c_str(), settings.c_str());
    }
    ~KestruneWin32() override {
        if (process_.hProcess != nullptr) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // Starts the program with the paths on its command line, as "Open with" and a drop on the
    // program start it.
    void Start(const std::vector<fs::path>& paths = {}) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + (program_ / "kestrune.exe").wstring() + L"\"";
        for (const fs::path& path : paths) {
            commandLine += L" \"" + path.wstring() + L"\"";
        }
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   program_.c_str(), &startup, &process_));
        main_ = WaitForTopLevel(process_.dwProcessId, L"Kestrune.Window", L"Kestrune");
        ASSERT_NE(main_, nullptr);
        leftPanel_ = ChildAt(main_, L"Kestrune.Container", 0, 0);
        RECT client{};
        GetClientRect(main_, &client);
        EXPECT_EQ(client.right, Scaled(641));
        EXPECT_EQ(client.bottom, Scaled(246));
        optionsPanel_ = ChildAt(main_, L"Kestrune.Container", 641 - 307, 0);
        list_ = ChildAt(leftPanel_, L"SysListView32", 0, 33);
        bitRateGroup_ = ChildAt(optionsPanel_, L"Kestrune.Container", 4, 4);
        ASSERT_NE(list_, nullptr);
        ASSERT_NE(bitRateGroup_, nullptr);
    }

    HWND ToolButton(int left) const { return ChildAt(leftPanel_, L"Button", left, 0); }

    // The program's own temporary files in the output folder.
    std::size_t TemporaryFiles(const std::string& suffix) const {
        return static_cast<std::size_t>(std::count_if(
            fs::directory_iterator(out_), fs::directory_iterator(), [&](const auto& entry) {
                const std::string name = entry.path().filename().string();
                return name.starts_with(".kestrune-") && name.ends_with(suffix);
            }));
    }

    int Rows() const {
        return static_cast<int>(SendMessageW(list_, 0x1004 /*LVM_GETITEMCOUNT*/, 0, 0));
    }

    // The add button, and the names typed into the open dialog, which starts in the input folder.
    void AddFiles(const std::wstring& names, int rowsAfter) {
        Click(ToolButton(2));
        const HWND dialog = WaitForTopLevel(process_.dwProcessId, L"#32770");
        ASSERT_NE(dialog, nullptr);
        HWND field = GetDlgItem(dialog, 0x47c);  // cmb13, the file name box
        if (field == nullptr) {
            field = GetDlgItem(dialog, 0x480);  // edt1 in the older dialogs
        }
        ASSERT_NE(field, nullptr);
        SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.c_str()));
        PressOk(dialog);
        EXPECT_TRUE(WaitFor([&] { return Rows() == rowsAfter; })) << Rows() << " rows";
    }

    // The compress button and the folder browser answered with the folder it offers, the
    // output folder of the settings.
    HWND Compress() {
        Click(ToolButton(104));
        const HWND browser = WaitForTopLevel(process_.dwProcessId, L"#32770");
        EXPECT_NE(browser, nullptr);
        PressOk(browser);
        return WaitForTopLevel(process_.dwProcessId, L"Kestrune.Window", L"Выполнение");
    }

    // Waits until the progress window's status line names the row.
    bool WaitForRow(HWND progress, const std::wstring& name) {
        return WaitFor([&] {
            const HWND status = ChildAt(progress, L"Static", 0, 0);
            return status != nullptr && TextOf(status) == L"Обрабатывается: " + name;
        });
    }

    const fs::path root_;
    const fs::path program_ = root_ / "program";
    const fs::path in_ = root_ / "in";
    const fs::path out_ = root_ / "out";
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
    HWND leftPanel_ = nullptr;
    HWND optionsPanel_ = nullptr;
    HWND list_ = nullptr;
    HWND bitRateGroup_ = nullptr;
};

TEST_F(KestruneWin32, CompressesAddedFilesAbortsOnRequestAndWritesTheSettingsWhenClosed) {
    for (const char* name : {"Песня", "abort", "last", "stall", "stall2"}) {
        WriteMp3(in_ / fs::u8path(std::string(name) + ".mp3"));
    }
    for (const char* stalls : {"abort", "stall", "stall2"}) {
        WriteBytes(in_ / (std::string(stalls) + ".mp3.actions"), "sleep 60000");
    }
    WriteBytes(in_ / "last.mp3.actions", "args-to-file " + (root_ / "last.args").string());
    Start();
    ASSERT_FALSE(HasFatalFailure());

    // The help button opens the help in its viewer, once, whatever the system's code page. The
    // viewer reads the help's title, stored in code page 1251, in that code page.
    Click(ToolButton(138));
    const HWND help = WaitForTopLevel(0, L"HH Parent");
    ASSERT_NE(help, nullptr);
    if (GetACP() == 1251) {
        EXPECT_EQ(TextOf(help), L"Справка");
    }
    Click(ToolButton(138));
    Sleep(1500);
    int helpWindows = 0;
    for (HWND w = FindWindowW(L"HH Parent", nullptr); w != nullptr;
         w = FindWindowExW(nullptr, w, L"HH Parent", nullptr)) {
        helpWindows += IsWindowVisible(w) ? 1 : 0;
    }
    EXPECT_EQ(helpWindows, 1);
    PostMessageW(help, WM_CLOSE, 0, 0);

    AddFiles(L"\"Песня.mp3\" \"abort.mp3\" \"last.mp3\"", 3);
    Screenshot(main_, "main-window-cbr");
    const HWND vbr = ChildAt(bitRateGroup_, L"Button", 4, 36);
    const HWND cbr = ChildAt(bitRateGroup_, L"Button", 4, 18);
    const HWND quality = ChildAt(bitRateGroup_, L"msctls_trackbar32", 80, 16);
    Click(vbr);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(quality) != FALSE; }));
    Screenshot(main_, "main-window-vbr");
    Click(cbr);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(quality) == FALSE; }));

    const HWND progress = Compress();
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(WaitForRow(progress, L"abort"));
    Screenshot(progress, "progress-window");
    Click(FindWindowExW(progress, nullptr, L"Button", L"Прервать"));
    const HWND report = WaitForTopLevel(process_.dwProcessId, L"#32770", L"Kestrune");
    ASSERT_NE(report, nullptr);
    Screenshot(report, "message-box");
    const std::wstring text = TextOf(GetDlgItem(report, 0xFFFF));
    EXPECT_NE(text.find(L"abort"), std::wstring::npos) << "report: " << text.size();
    EXPECT_NE(text.find(L"прервано"), std::wstring::npos);
    PressOk(report);

    // What the encoder wrote, then the ID3v1 tag Kestrune adds ("ID3v1" is ticked at start).
    for (const fs::path& output : {out_ / fs::u8path("Песня.mp3"), out_ / "last.mp3"}) {
        const std::string bytes = ReadBytes(output);
        ASSERT_GE(bytes.size(), 128u) << output;
        EXPECT_EQ(bytes.substr(0, bytes.size() - 128), "partial encoded") << output;
        EXPECT_EQ(bytes.substr(bytes.size() - 128, 3), "TAG") << output;
    }
    EXPECT_FALSE(fs::exists(out_ / "abort.mp3"));
    const std::vector<std::string> arguments = RecordedArguments(root_ / "last.args");
    ASSERT_GE(arguments.size(), 4u);
    EXPECT_EQ(arguments.front(), "--mp3input");
    EXPECT_NE(std::search_n(arguments.begin(), arguments.end(), 1, "-b"), arguments.end());
    EXPECT_EQ(*std::next(std::find(arguments.begin(), arguments.end(), "-b")), "32");
    EXPECT_EQ(fs::u8path(arguments[arguments.size() - 2]), in_ / "last.mp3");
    // The encoder writes a temporary file of the program's own, moved over the output after.
    EXPECT_EQ(fs::u8path(arguments.back()).parent_path(), out_);
    EXPECT_TRUE(fs::u8path(arguments.back()).filename().string().starts_with(".kestrune-"));

    // One encoder per processor, from the compress button's context menu: its only item.
    const HWND compress = ToolButton(104);
    PostMessageW(compress, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageW(compress, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    const HWND menu = WaitForTopLevel(process_.dwProcessId, L"#32768");
    ASSERT_NE(menu, nullptr);
    Screenshot(menu, "compress-menu");
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(WaitFor([&] { return TopLevel(process_.dwProcessId, L"#32768") == nullptr; }));

    // A new list of encoders that never end, both running at once where there are two
    // processors; closing the window ends them and the program.
    Click(ToolButton(36));
    ASSERT_TRUE(WaitFor([&] { return Rows() == 0; }));
    AddFiles(L"\"stall.mp3\" \"stall2.mp3\"", 2);
    const HWND stalled = Compress();
    ASSERT_NE(stalled, nullptr);
    const bool together = std::thread::hardware_concurrency() >= 2;
    ASSERT_TRUE(WaitForRow(stalled, together ? L"stall2" : L"stall"));
    EXPECT_EQ(TemporaryFiles(".part"), together ? 2u : 1u);
    PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, 20000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);

    const fs::path settings = program_ / "Kestrune.ini";
    EXPECT_EQ(Setting(settings, L"Main", L"Left"), L"185");
    EXPECT_EQ(Setting(settings, L"Main", L"Top"), L"84");
    EXPECT_EQ(Setting(settings, L"Lame", L"Patch"), (program_ / "LAME.EXE").wstring());
    EXPECT_EQ(Setting(settings, L"MP3", L"PatchIn"), in_.wstring() + L"\\");
    EXPECT_EQ(Setting(settings, L"MP3", L"PatchOut"), out_.wstring());
    EXPECT_EQ(Setting(settings, L"Options", L"Encoders"), L"0");
    for (const char* leftover : {"stall.mp3", "stall2.mp3"}) {
        EXPECT_FALSE(fs::exists(out_ / leftover)) << leftover;
    }
    EXPECT_EQ(TemporaryFiles(""), 0u);
}

// "Open with", "Send to" and a drop on kestrune.exe hand files and folders over on the wide
// command line; they are listed as a drop on the list lists them.
TEST_F(KestruneWin32, ListsTheFilesAndFoldersOfItsCommandLine) {
    fs::create_directories(in_ / fs::u8path("Альбом"));
    for (const char* name : {"Альбом/1.mp3", "Альбом/2.mp3", "Песня.mp3"}) {
        WriteMp3(in_ / fs::u8path(name));
    }
    Start({in_ / fs::u8path("Песня.mp3"), in_ / fs::u8path("Альбом")});
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(WaitFor([&] { return Rows() == 3; })) << Rows() << " rows";
    PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(WaitForSingleObject(process_.hProcess, 20000), WAIT_OBJECT_0);
}

}  // namespace
