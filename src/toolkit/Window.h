// A top-level window: caption, frame, client area, and the non-visual parts it owns
// (timers, image lists, hints, dialogs). Its bounds are the outer frame on the screen.
// Closing, by the user or by a posted request, runs onClose and then closes the window:
// it hides, its timers stop, and a main window's message loop ends. The object itself
// lives on until its owner frees it.
#pragma once

#include "toolkit/Colour.h"
#include "toolkit/Container.h"

#include <functional>
#include <string>

namespace kestrune::toolkit {

class FolderDialog;
class Hints;
class ImageList;
class OpenDialog;
class Timer;

class Window : public Container {
public:
    // The window this one is owned by (it stays above it); null when it has none.
    virtual Window* Owner() const = 0;

    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetClientSize(const Size& size) = 0;
    // The smallest outer size the window can be given, by the user or by the program.
    virtual Size MinimumSize() const = 0;
    virtual void SetMinimumSize(const Size& size) = 0;

    // A topmost window stays above all windows that are not topmost.
    virtual bool IsTopmost() const = 0;
    virtual void SetTopmost(bool topmost) = 0;
    // Without its close command the user cannot close the window; PostClose still can.
    virtual bool HasCloseCommand() const = 0;
    virtual void RemoveCloseCommand() = 0;
    virtual bool IsResizable() const = 0;
    virtual void SetResizable(bool resizable) = 0;
    virtual void CentreOnScreen() = 0;

    // Makes the window visible, brings it to the foreground and gives it the focus.
    virtual void Show() = 0;
    // Asks the window to close once the message loop runs next; not at once.
    virtual void PostClose() = 0;
    virtual bool IsClosed() const = 0;

    // A stopped timer with the given interval in milliseconds.
    virtual Timer& AddTimer(int interval) = 0;
    // Images of imageSize cut from the program's bitmap resource of that name.
    virtual ImageList& AddImageList(const std::string& resourceName, const Size& imageSize,
                                    const Colour& transparent) = 0;
    virtual Hints& AddHints() = 0;
    virtual OpenDialog& AddOpenDialog() = 0;
    virtual FolderDialog& AddFolderDialog() = 0;

    // The window is about to close; runs before it goes.
    std::function<void()> onClose;
    // The size changed, by the user or the program, and once when the window is first
    // shown. Docked children are already placed when it runs.
    std::function<void()> onResize;
};

}  // namespace kestrune::toolkit
