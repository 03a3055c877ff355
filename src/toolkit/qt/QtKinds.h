// The Qt back end's kinds of control, part and container, as the skeleton's containers and
// windows make them.
#pragma once

#include "toolkit/base/ContainerBase.h"
#include "toolkit/qt/QtControls.h"
#include "toolkit/qt/QtListView.h"
#include "toolkit/qt/QtServices.h"

#include <QGroupBox>
#include <QWidget>

#include <string>

namespace kestrune::toolkit::qt {

struct QtKinds;

class QtPanel final : public QtControl<base::PanelBase<QtKinds>, QWidget> {
public:
    using QtControl::QtControl;
};

// A framed container whose caption sits on the frame's top edge.
class QtGroupBox final : public QtControl<base::GroupBoxBase<QtKinds>, QGroupBox> {
public:
    QtGroupBox(base::Node& parent, const std::string& caption);

private:
    void ShowCaption() override;
};

struct QtKinds {
    using Panel = QtPanel;
    using GroupBox = QtGroupBox;
    using Label = QtLabel;
    using Button = QtButton;
    using ImageButton = QtImageButton;
    using CheckBox = QtCheckBox;
    using RadioButton = QtRadioButton;
    using Edit = QtEdit;
    using ComboBox = QtComboBox;
    using ListView = QtListView;
    using TrackBar = QtTrackBar;
    using UpDown = QtUpDown;
    using ProgressBar = QtProgressBar;
    using Timer = QtTimer;
    using ImageList = QtImageList;
    using Hints = QtHints;
    using OpenDialog = QtOpenDialog;
    using FolderDialog = QtFolderDialog;
};

}  // namespace kestrune::toolkit::qt
