// The headless top-level window. Its frame is kFrameBorder pixels on each side plus a
// caption bar of kCaptionHeight pixels; it is centred on a screen of kScreenSize.
#pragma once

#include "toolkit/Window.h"
#include "toolkit/headless/HeadlessContainer.h"
#include "toolkit/headless/HeadlessServices.h"
#include "toolkit/headless/HeadlessSession.h"

#include <memory>
#include <string>
#include <vector>

namespace kestrune::toolkit::headless {

inline constexpr int kFrameBorder = 4;
inline constexpr int kCaptionHeight = 23;

class HeadlessWindow final : public HeadlessContainer<Window> {
public:
    HeadlessWindow(const std::string& caption, HeadlessWindow* owner);
    ~HeadlessWindow() override;

    Window* Owner() const override { return owner_; }
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    void SetBounds(const Rect& bounds) override;
    Size ClientArea() const override;
    void SetClientSize(const Size& size) override;
    Size MinimumSize() const override { return minimum_; }
    void SetMinimumSize(const Size& size) override;
    bool IsTopmost() const override { return topmost_; }
    void SetTopmost(bool topmost) override { topmost_ = topmost; }
    bool HasCloseCommand() const override { return closeCommand_; }
    void RemoveCloseCommand() override { closeCommand_ = false; }
    bool IsResizable() const override { return resizable_; }
    void SetResizable(bool resizable) override { resizable_ = resizable; }
    void CentreOnScreen() override;
    void Show() override;
    void PostClose() override;
    bool IsClosed() const override { return closed_; }

    Timer& AddTimer(int interval) override;
    ImageList& AddImageList(const std::string& resourceName, const Size& imageSize,
                            const Colour& transparent) override;
    Hints& AddHints() override;
    OpenDialog& AddOpenDialog() override;
    FolderDialog& AddFolderDialog() override;

    // Runs onClose, then closes: hidden, timers stopped. A closed window stays closed.
    void Close();

private:
    void OnSizeChanged() override;

    HeadlessWindow* owner_;
    std::string caption_;
    Size minimum_;
    bool topmost_ = false;
    bool closeCommand_ = true;
    bool resizable_ = true;
    bool closed_ = false;
    bool shown_ = false;
    std::vector<std::unique_ptr<HeadlessTimer>> timers_;
    std::vector<std::unique_ptr<HeadlessImageList>> imageLists_;
    std::vector<std::unique_ptr<HeadlessHints>> hints_;
    std::vector<std::unique_ptr<HeadlessOpenDialog>> openDialogs_;
    std::vector<std::unique_ptr<HeadlessFolderDialog>> folderDialogs_;
};

}  // namespace kestrune::toolkit::headless
