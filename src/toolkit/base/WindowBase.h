// The Window interface implemented once over the back end's kinds: outer bounds held within
// the minimum size, the client area inside the back end's frame, the window's flags, the
// order of closing (onClose first, then hidden and its timers stopped), and the parts the
// window owns. A back end tells the frame's extent, draws the flags and posts closes.
// Some platforms tell the frame only once the window is shown and framed: until then, each
// side of a size keeps the terms it was asked in (outer, or of the client area), and the
// sizes are settled when the back end reports the frame.
#pragma once

#include "toolkit/Application.h"
#include "toolkit/Window.h"
#include "toolkit/base/ContainerBase.h"
#include "toolkit/base/DefaultSizes.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::toolkit::base {

template <class Kinds>
class WindowBase : public ContainerBase<Window, Kinds> {
public:
    // frame: the frame's extent, or nothing while the platform does not tell it yet.
    WindowBase(const std::string& caption, Window* owner, std::optional<Size> frame)
        : ContainerBase<Window, Kinds>(nullptr,
                                       OuterSize(kWindowClientSize, frame.value_or(Size{}))),
          owner_(owner),
          caption_(caption),
          frameKnown_(frame.has_value()) {
        this->visible_ = false;
    }

    Window* Owner() const override { return owner_; }
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override {
        caption_ = caption;
        ShowCaption();
    }
    void SetBounds(const Rect& bounds) override {
        SizeRequest request = pending_.value_or(CurrentSize());
        if (bounds.width != this->bounds_.width) {
            request.width = {bounds.width, true};
        }
        if (bounds.height != this->bounds_.height) {
            request.height = {bounds.height, true};
        }
        Apply(bounds.left, bounds.top, request);
    }
    Size ClientArea() const override {
        const Size frame = FrameExtent();
        return {std::max(0, this->bounds_.width - frame.width),
                std::max(0, this->bounds_.height - frame.height)};
    }
    void SetClientSize(const Size& size) override {
        Apply(this->bounds_.left, this->bounds_.top, {{size.width, false}, {size.height, false}});
    }
    Size MinimumSize() const override { return minimum_; }
    void SetMinimumSize(const Size& size) override {
        minimum_ = size;
        ShowMinimum();
        Apply(this->bounds_.left, this->bounds_.top, pending_.value_or(CurrentSize()));
    }
    bool IsTopmost() const override { return topmost_; }
    void SetTopmost(bool topmost) override {
        topmost_ = topmost;
        ShowTopmost();
    }
    bool HasCloseCommand() const override { return closeCommand_; }
    void RemoveCloseCommand() override {
        closeCommand_ = false;
        ShowCloseCommand();
    }
    bool IsResizable() const override { return resizable_; }
    void SetResizable(bool resizable) override {
        resizable_ = resizable;
        ShowResizable();
    }
    void CentreOnScreen() override {
        const std::vector<Rect> areas = ScreenWorkAreas();
        if (!areas.empty()) {
            const Rect& area = areas.front();
            Apply(area.left + (area.width - this->bounds_.width) / 2,
                  area.top + (area.height - this->bounds_.height) / 2,
                  pending_.value_or(CurrentSize()));
        }
        centrePending_ = !frameKnown_;
    }
    void Show() override {
        if (closed_) {
            return;
        }
        this->visible_ = true;
        ShowWindow();
        this->TakeFocus();
        if (!shown_) {
            shown_ = true;
            this->OnSizeChanged();
        }
    }
    bool IsClosed() const override { return closed_; }

    Timer& AddTimer(int interval) override { return Keep(timers_, interval); }
    ImageList& AddImageList(const std::string& resourceName, const Size& imageSize,
                            const Colour& transparent) override {
        return Keep(imageLists_, resourceName, imageSize, transparent);
    }
    Hints& AddHints() override { return Keep(hints_, *this); }
    OpenDialog& AddOpenDialog() override { return Keep(openDialogs_, *this); }
    FolderDialog& AddFolderDialog() override { return Keep(folderDialogs_, *this); }

    // Runs onClose, then closes: hidden, timers stopped. A closed window stays closed.
    void Close() {
        if (closed_) {
            return;
        }
        if (this->onClose) {
            this->onClose();
        }
        closed_ = true;
        this->visible_ = false;
        for (const auto& timer : timers_) {
            timer->SetEnabled(false);
        }
        ShowClosed();
    }
    // The user asked to close the window; false when it has no close command.
    bool CloseRequestedByUser() {
        if (closed_ || !closeCommand_) {
            return false;
        }
        Close();
        return true;
    }

protected:
    // What the frame (caption bar and borders) adds to the client area; nothing while the
    // frame is not known.
    virtual Size FrameExtent() const = 0;
    bool FrameKnown() const { return frameKnown_; }
    // The platform has framed the window: the sizes asked for before are settled now, and a
    // window centred before is centred again.
    void FrameNowKnown() {
        if (frameKnown_) {
            return;
        }
        frameKnown_ = true;
        ShowMinimum();
        Apply(this->bounds_.left, this->bounds_.top, pending_.value_or(CurrentSize()));
        if (centrePending_) {
            CentreOnScreen();
        }
    }
    virtual void ShowCaption() {}
    virtual void ShowMinimum() {}
    virtual void ShowTopmost() {}
    virtual void ShowCloseCommand() {}
    virtual void ShowResizable() {}
    // Made visible, brought to the foreground and given the focus.
    virtual void ShowWindow() {}
    // Hidden for good; the message loop of a main window ends.
    virtual void ShowClosed() {}

    void OnSizeChanged() override {
        if (this->onResize) {
            this->onResize();
        }
    }

private:
    // One side of a size the program asked for: of the client area, or outer.
    struct Extent {
        int size = 0;
        bool outer = false;
    };
    struct SizeRequest {
        Extent width;
        Extent height;
    };

    static Size OuterSize(const Size& client, const Size& frame) {
        return {client.width + frame.width, client.height + frame.height};
    }

    // The size as it stands: outer once the frame is known, of the client area before (when
    // the frame counts as nothing).
    SizeRequest CurrentSize() const {
        return {{this->bounds_.width, frameKnown_}, {this->bounds_.height, frameKnown_}};
    }

    // The outer extent of one side, within the minimum. Before the frame is known a client
    // size is taken as it stands: the minimum is an outer size.
    int OuterExtent(const Extent& extent, int frame, int minimum) const {
        if (extent.outer) {
            return std::max(extent.size, minimum);
        }
        return frameKnown_ ? std::max(extent.size + frame, minimum) : extent.size;
    }

    void Apply(int left, int top, const SizeRequest& request) {
        pending_.reset();
        if (!frameKnown_) {
            pending_ = request;
        }
        const Size frame = FrameExtent();
        this->ApplyBounds({left, top, OuterExtent(request.width, frame.width, minimum_.width),
                           OuterExtent(request.height, frame.height, minimum_.height)});
    }

    template <class Part, class... Arguments>
    static Part& Keep(std::vector<std::unique_ptr<Part>>& parts, Arguments&&... arguments) {
        parts.push_back(std::make_unique<Part>(std::forward<Arguments>(arguments)...));
        return *parts.back();
    }

    Window* owner_;
    std::string caption_;
    Size minimum_;
    bool topmost_ = false;
    bool closeCommand_ = true;
    bool resizable_ = true;
    bool closed_ = false;
    bool shown_ = false;
    bool frameKnown_;
    std::optional<SizeRequest> pending_;  // the size last asked for before the frame was known
    bool centrePending_ = false;
    std::vector<std::unique_ptr<typename Kinds::Timer>> timers_;
    std::vector<std::unique_ptr<typename Kinds::ImageList>> imageLists_;
    std::vector<std::unique_ptr<typename Kinds::Hints>> hints_;
    std::vector<std::unique_ptr<typename Kinds::OpenDialog>> openDialogs_;
    std::vector<std::unique_ptr<typename Kinds::FolderDialog>> folderDialogs_;
};

}  // namespace kestrune::toolkit::base
