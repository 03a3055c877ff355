// The headless implementation of the Container interface (creating owned children),
// and the two plain containers built on it: the panel and the group box.
#pragma once

#include "toolkit/GroupBox.h"
#include "toolkit/Panel.h"
#include "toolkit/headless/HeadlessControls.h"
#include "toolkit/headless/HeadlessEdit.h"
#include "toolkit/headless/HeadlessListView.h"

#include <memory>
#include <string>

namespace kestrune::toolkit::headless {

class HeadlessPanel;
class HeadlessGroupBox;

template <class Interface>
class HeadlessContainer : public HeadlessControl<Interface> {
public:
    HeadlessContainer(HeadlessNode* parent, const Size& defaultSize)
        : HeadlessControl<Interface>(parent, defaultSize) {}

    Size ClientSize() const override { return this->ClientArea(); }

    Panel& AddPanel() override;
    GroupBox& AddGroupBox(const std::string& caption) override;
    Label& AddLabel(const std::string& text) override { return Add<HeadlessLabel>(text); }
    Button& AddButton(const std::string& text) override { return Add<HeadlessButton>(text); }
    ImageButton& AddImageButton(const ImageList& images, int imageIndex) override {
        return Add<HeadlessImageButton>(images, imageIndex);
    }
    CheckBox& AddCheckBox(const std::string& text) override { return Add<HeadlessCheckBox>(text); }
    RadioButton& AddRadioButton(const std::string& text) override {
        return Add<HeadlessRadioButton>(text);
    }
    Edit& AddEdit() override { return Add<HeadlessEdit>(); }
    ComboBox& AddComboBox() override { return Add<HeadlessComboBox>(); }
    ListView& AddListView() override { return Add<HeadlessListView>(); }
    TrackBar& AddTrackBar() override { return Add<HeadlessTrackBar>(); }
    UpDown& AddUpDown() override { return Add<HeadlessUpDown>(); }
    ProgressBar& AddProgressBar() override { return Add<HeadlessProgressBar>(); }

protected:
    template <class Child, class... Arguments>
    Child& Add(Arguments&&... arguments) {
        return this->Adopt(std::make_unique<Child>(*this, std::forward<Arguments>(arguments)...));
    }
};

class HeadlessPanel final : public HeadlessContainer<Panel> {
public:
    explicit HeadlessPanel(HeadlessNode& parent) : HeadlessContainer(&parent, {100, 41}) {}
};

class HeadlessGroupBox final : public HeadlessContainer<GroupBox> {
public:
    HeadlessGroupBox(HeadlessNode& parent, const std::string& caption)
        : HeadlessContainer(&parent, {185, 105}), caption_(caption) {}

    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    Alignment CaptionAlignment() const override { return captionAlignment_; }
    void SetCaptionAlignment(Alignment alignment) override { captionAlignment_ = alignment; }

private:
    std::string caption_;
    Alignment captionAlignment_ = Alignment::Left;
};

template <class Interface>
Panel& HeadlessContainer<Interface>::AddPanel() {
    return Add<HeadlessPanel>();
}

template <class Interface>
GroupBox& HeadlessContainer<Interface>::AddGroupBox(const std::string& caption) {
    return Add<HeadlessGroupBox>(caption);
}

}  // namespace kestrune::toolkit::headless
