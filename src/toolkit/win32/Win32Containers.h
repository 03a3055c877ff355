// The Win32 containers, panels and group boxes, and the back end's kinds of control that
// every container makes its children from. A container is a window of our own class: it
// hands its children's notifications to them and paints its background; a group box also
// draws its etched frame and its caption, in the font's colour, at the caption's alignment.
#pragma once

#include "toolkit/base/ContainerBase.h"
#include "toolkit/win32/Win32Controls.h"
#include "toolkit/win32/Win32Edit.h"
#include "toolkit/win32/Win32ListView.h"
#include "toolkit/win32/Win32Parts.h"

#include <string>

namespace kestrune::toolkit::win32 {

struct Win32Kinds;

class Win32Panel final : public Win32Control<base::PanelBase<Win32Kinds>> {
public:
    explicit Win32Panel(base::Node& parent);

    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class Win32GroupBox final : public Win32Control<base::GroupBoxBase<Win32Kinds>> {
public:
    Win32GroupBox(base::Node& parent, const std::string& caption);

    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowCaption() override;
    void Paint();
};

struct Win32Kinds {
    using Panel = Win32Panel;
    using GroupBox = Win32GroupBox;
    using Label = Win32Label;
    using Button = Win32Button;
    using ImageButton = Win32ImageButton;
    using CheckBox = Win32CheckBox;
    using RadioButton = Win32RadioButton;
    using Edit = Win32Edit;
    using ComboBox = Win32ComboBox;
    using ListView = Win32ListView;
    using TrackBar = Win32TrackBar;
    using UpDown = Win32UpDown;
    using ProgressBar = Win32ProgressBar;
    using Timer = Win32Timer;
    using ImageList = Win32ImageList;
    using Hints = Win32Hints;
    using OpenDialog = Win32OpenDialog;
    using FolderDialog = Win32FolderDialog;
};

// What every container of ours does with a message: its children's notifications handed
// to them, its background painted with its brush. Nothing for other messages.
std::optional<LRESULT> ContainerMessage(NativeControl& container, UINT message, WPARAM wParam,
                                        LPARAM lParam);

}  // namespace kestrune::toolkit::win32
