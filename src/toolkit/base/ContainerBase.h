// The Container interface implemented once: a container makes each kind of child from the
// back end's kinds (Kinds::Label is the back end's label, and so on for every kind), adopts
// it and hands out a reference that stays valid as long as the container lives.
#pragma once

#include "toolkit/Container.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Panel.h"
#include "toolkit/base/ControlBase.h"
#include "toolkit/base/DefaultSizes.h"

#include <memory>
#include <string>
#include <utility>

namespace kestrune::toolkit::base {

template <class Interface, class Kinds>
class ContainerBase : public ControlBase<Interface> {
public:
    using ControlBase<Interface>::ControlBase;

    Size ClientSize() const override { return this->ClientArea(); }

    Panel& AddPanel() override { return Add<typename Kinds::Panel>(); }
    GroupBox& AddGroupBox(const std::string& caption) override {
        return Add<typename Kinds::GroupBox>(caption);
    }
    Label& AddLabel(const std::string& text) override { return Add<typename Kinds::Label>(text); }
    Button& AddButton(const std::string& text) override {
        return Add<typename Kinds::Button>(text);
    }
    ImageButton& AddImageButton(const ImageList& images, int imageIndex) override {
        return Add<typename Kinds::ImageButton>(images, imageIndex);
    }
    CheckBox& AddCheckBox(const std::string& text) override {
        return Add<typename Kinds::CheckBox>(text);
    }
    RadioButton& AddRadioButton(const std::string& text) override {
        return Add<typename Kinds::RadioButton>(text);
    }
    Edit& AddEdit() override { return Add<typename Kinds::Edit>(); }
    ComboBox& AddComboBox() override { return Add<typename Kinds::ComboBox>(); }
    ListView& AddListView() override { return Add<typename Kinds::ListView>(); }
    TrackBar& AddTrackBar() override { return Add<typename Kinds::TrackBar>(); }
    UpDown& AddUpDown() override { return Add<typename Kinds::UpDown>(); }
    ProgressBar& AddProgressBar() override { return Add<typename Kinds::ProgressBar>(); }

private:
    template <class Child, class... Arguments>
    Child& Add(Arguments&&... arguments) {
        return this->Adopt(std::make_unique<Child>(*this, std::forward<Arguments>(arguments)...));
    }
};

template <class Kinds>
class PanelBase : public ContainerBase<Panel, Kinds> {
public:
    explicit PanelBase(Node& parent) : ContainerBase<Panel, Kinds>(&parent, kPanelSize) {}
};

template <class Kinds>
class GroupBoxBase : public ContainerBase<GroupBox, Kinds> {
public:
    GroupBoxBase(Node& parent, const std::string& caption)
        : ContainerBase<GroupBox, Kinds>(&parent, kGroupBoxSize), caption_(caption) {}

    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override {
        caption_ = caption;
        ShowCaption();
    }
    Alignment CaptionAlignment() const override { return captionAlignment_; }
    void SetCaptionAlignment(Alignment alignment) override {
        captionAlignment_ = alignment;
        ShowCaption();
    }

protected:
    virtual void ShowCaption() {}

private:
    std::string caption_;
    Alignment captionAlignment_ = Alignment::Left;
};

}  // namespace kestrune::toolkit::base
