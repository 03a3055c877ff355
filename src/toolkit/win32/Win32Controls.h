// The Win32 leaf controls that map onto one window of the system's classes: labels (static
// text), buttons and image buttons (owner-drawn while flat), check boxes and radio buttons
// (drawn in the classic style, whose caption takes the font's colour), the drop-down list,
// the track bar, the up-down arrows and the progress bar. The portable bases keep the state
// and decide; these mirror it and report what the user did.
#pragma once

#include "toolkit/base/Controls.h"
#include "toolkit/win32/Win32ButtonFace.h"
#include "toolkit/win32/Win32Control.h"

#include <string>

namespace kestrune::toolkit::win32 {

class Win32Label final : public Win32Control<base::LabelBase> {
public:
    Win32Label(base::Node& parent, const std::string& text);

private:
    void ShowText() override;
    void ShowAlignment() override;
    Size FittedSize() const override;
};

class Win32Button final : public Win32Control<base::ButtonBase> {
public:
    Win32Button(base::Node& parent, const std::string& text);

    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WORD code) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

private:
    void ShowText() override;
    void ShowFlat() override;

    PointerOver pointer_;
};

class Win32ImageButton final : public Win32Control<base::ImageButtonBase> {
public:
    Win32ImageButton(base::Node& parent, const ImageList& images, int imageIndex);

    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WORD code) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void ShowDpi() override;

private:
    void ShowFlat() override;

    PointerOver pointer_;
};

class Win32CheckBox final : public Win32Control<base::CheckBoxBase> {
public:
    Win32CheckBox(base::Node& parent, const std::string& text);

    void OnCommand(WORD code) override;

private:
    void ShowText() override;
    void ShowChecked() override;
    Size FittedSize() const override;
};

class Win32RadioButton final : public Win32Control<base::RadioButtonBase> {
public:
    Win32RadioButton(base::Node& parent, const std::string& text);

    void OnCommand(WORD code) override;

private:
    void ShowText() override;
    void ShowChecked() override;
};

// The window of a drop-down list is as high as its list when dropped; the toolkit's height
// is that of the closed box, which the selection field is fitted to.
class Win32ComboBox final : public Win32Control<base::ComboBoxBase> {
public:
    explicit Win32ComboBox(base::Node& parent);

    void OnCommand(WORD code) override;

private:
    void ShowBounds() override;
    void ShowFont() override;
    void ShowItems() override;
    void ShowSelection() override;
};

class Win32TrackBar final : public Win32Control<base::TrackBarBase> {
public:
    explicit Win32TrackBar(base::Node& parent);

    void OnScroll(WORD request) override;
    void ShowDpi() override;

private:
    void ShowValue() override;
    void ShowValueTip() override;
};

// The native arrows never move by themselves: each click is stepped by the base and shown.
class Win32UpDown final : public Win32Control<base::UpDownBase> {
public:
    explicit Win32UpDown(base::Node& parent);

    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> OnNotify(NMHDR& header) override;

private:
    void ShowValue() override;
};

class Win32ProgressBar final : public Win32Control<base::ProgressBarBase> {
public:
    explicit Win32ProgressBar(base::Node& parent);

private:
    void ShowValue() override;
    void ShowSmooth() override;
};

}  // namespace kestrune::toolkit::win32
