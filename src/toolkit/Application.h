// What the window toolkit offers beyond controls: top-level windows, message boxes, context
// menus, the beep, the message loop, finding windows by caption and opening files through the
// shell. One back end (Qt, Win32 or headless) is linked into a program and defines these.
#pragma once

#include "toolkit/Window.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::toolkit {

// A new top-level window, hidden until shown, with the back end's default size. An owned
// window stays above its owner and must be freed before it.
std::unique_ptr<Window> CreateTopLevelWindow(const std::string& caption, Window* owner = nullptr);

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information };
enum class MessageAnswer { Ok, Yes, No };

// A modal message box; window timers keep ticking while it is shown.
MessageAnswer ShowMessage(const Window* owner, const std::string& text, const std::string& caption,
                          MessageButtons buttons = MessageButtons::Ok,
                          MessageIcon icon = MessageIcon::None);

// One item of a context menu; a checked item shows a check mark.
struct MenuItem {
    std::string text;
    bool checked = false;

    bool operator==(const MenuItem&) const = default;
};

// Shows a pop-up menu of the items at the mouse pointer, or below the control when the
// pointer is not over it (the menu key), and waits for the user: the index of the item
// chosen, nothing when the menu was dismissed.
std::optional<int> ShowContextMenu(const Control& control, const std::vector<MenuItem>& items);

// The work area of each screen (the screen less its task bars) in screen coordinates, the
// primary screen first.
std::vector<Rect> ScreenWorkAreas();

// The platform's default alert sound.
void Beep();

// Dispatches every message pending for the GUI thread (input, posted closes, due timer
// ticks) and returns without waiting for more.
void ProcessMessages();

// Shows the main window and dispatches messages until it is closed.
void RunMessageLoop(Window& mainWindow);

// True when a top-level window with exactly this caption exists, in any program; also where
// a program keeps it as bytes of the Russian code page and the system reads them in another.
bool FindTopLevelWindow(const std::string& caption);

// Shows a help file of the program in the platform's help viewer, whose window carries the
// help's own title and is owned by the given window: the compiled help's viewer on
// Windows, a window of the program elsewhere. False when it could not be shown.
bool ShowHelp(const Window* owner, const std::string& path);

// Opens a file with the program the platform associates with it; false when it could not.
bool ShellOpen(const std::string& path);

}  // namespace kestrune::toolkit
