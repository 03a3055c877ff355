// The headless top-level window. Its frame is kFrameBorder pixels on each side plus a
// caption bar of kCaptionHeight pixels; it is centred on a screen of kScreenSize.
#pragma once

#include "toolkit/base/WindowBase.h"
#include "toolkit/headless/HeadlessControls.h"

#include <string>

namespace kestrune::toolkit::headless {

inline constexpr int kFrameBorder = 4;
inline constexpr int kCaptionHeight = 23;

class HeadlessWindow final : public base::WindowBase<HeadlessKinds> {
public:
    HeadlessWindow(const std::string& caption, HeadlessWindow* owner);
    ~HeadlessWindow() override;
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    void PostClose() override;

private:
    Size FrameExtent() const override;
};

}  // namespace kestrune::toolkit::headless
