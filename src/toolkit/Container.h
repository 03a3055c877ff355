// A control that holds other controls: a window, a panel or a group box. It creates its
// children and owns them; the references it hands out stay valid as long as it lives.
// A new child takes a copy of the container's font and background colour, starts enabled
// and visible at the left top corner with the back end's default size for its kind.
#pragma once

#include "toolkit/Control.h"

#include <string>

namespace kestrune::toolkit {

class Button;
class CheckBox;
class ComboBox;
class Edit;
class GroupBox;
class ImageButton;
class ImageList;
class Label;
class ListView;
class Panel;
class ProgressBar;
class RadioButton;
class TrackBar;
class UpDown;

class Container : public Control {
public:
    // The size of the area the children are placed in.
    virtual Size ClientSize() const = 0;

    virtual Panel& AddPanel() = 0;
    virtual GroupBox& AddGroupBox(const std::string& caption) = 0;
    virtual Label& AddLabel(const std::string& text) = 0;
    virtual Button& AddButton(const std::string& text) = 0;
    // The image list must outlive the button.
    virtual ImageButton& AddImageButton(const ImageList& images, int imageIndex) = 0;
    virtual CheckBox& AddCheckBox(const std::string& text) = 0;
    // Radio buttons with the same parent form one group.
    virtual RadioButton& AddRadioButton(const std::string& text) = 0;
    virtual Edit& AddEdit() = 0;
    // A drop-down list the user picks from; no text can be typed into it.
    virtual ComboBox& AddComboBox() = 0;
    virtual ListView& AddListView() = 0;
    virtual TrackBar& AddTrackBar() = 0;
    virtual UpDown& AddUpDown() = 0;
    virtual ProgressBar& AddProgressBar() = 0;
};

}  // namespace kestrune::toolkit
