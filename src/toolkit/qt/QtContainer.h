// The Qt implementation of the Container interface (creating owned children), and the
// two plain containers built on it: the panel and the group box. A container's client
// area is its whole widget, as child coordinates start at its left top corner.
#pragma once

#include "toolkit/GroupBox.h"
#include "toolkit/Panel.h"
#include "toolkit/qt/QtControls.h"
#include "toolkit/qt/QtEdit.h"
#include "toolkit/qt/QtListView.h"
#include "toolkit/qt/QtUpDown.h"

#include <QGroupBox>
#include <QWidget>

#include <memory>
#include <string>

namespace kestrune::toolkit::qt {

template <class Interface, class QtWidget>
class QtContainer : public QtControl<Interface, QtWidget> {
public:
    using QtControl<Interface, QtWidget>::QtControl;

    Size ClientSize() const override {
        const QSize size = this->Widget().size();
        return {size.width(), size.height()};
    }

    Panel& AddPanel() override;
    GroupBox& AddGroupBox(const std::string& caption) override;
    Label& AddLabel(const std::string& text) override { return Add<QtLabel>(text); }
    Button& AddButton(const std::string& text) override { return Add<QtButton>(text); }
    ImageButton& AddImageButton(const ImageList& images, int imageIndex) override {
        return Add<QtImageButton>(images, imageIndex);
    }
    CheckBox& AddCheckBox(const std::string& text) override { return Add<QtCheckBox>(text); }
    RadioButton& AddRadioButton(const std::string& text) override {
        return Add<QtRadioButton>(text);
    }
    Edit& AddEdit() override { return Add<QtEdit>(); }
    ComboBox& AddComboBox() override { return Add<QtComboBox>(); }
    ListView& AddListView() override { return Add<QtListView>(); }
    TrackBar& AddTrackBar() override { return Add<QtTrackBar>(); }
    UpDown& AddUpDown() override { return Add<QtUpDown>(); }
    ProgressBar& AddProgressBar() override { return Add<QtProgressBar>(); }

protected:
    template <class Child, class... Arguments>
    Child& Add(Arguments&&... arguments) {
        return this->Adopt(std::make_unique<Child>(*this, std::forward<Arguments>(arguments)...));
    }
};

class QtPanel final : public QtContainer<Panel, QWidget> {
public:
    explicit QtPanel(QtNode& parent) : QtContainer(&parent, {100, 41}) {}
};

class QtGroupBox final : public QtContainer<GroupBox, QGroupBox> {
public:
    QtGroupBox(QtNode& parent, const std::string& caption);
    std::string Caption() const override { return View().title().toStdString(); }
    void SetCaption(const std::string& caption) override;
    Alignment CaptionAlignment() const override { return captionAlignment_; }
    void SetCaptionAlignment(Alignment alignment) override;

private:
    Alignment captionAlignment_ = Alignment::Left;
};

template <class Interface, class QtWidget>
Panel& QtContainer<Interface, QtWidget>::AddPanel() {
    return Add<QtPanel>();
}

template <class Interface, class QtWidget>
GroupBox& QtContainer<Interface, QtWidget>::AddGroupBox(const std::string& caption) {
    return Add<QtGroupBox>(caption);
}

}  // namespace kestrune::toolkit::qt
