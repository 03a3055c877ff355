// A strip of equally sized images loaded from a bitmap resource of the program, with one
// colour drawn as transparent. Buttons and list views show its images by index.
#pragma once

namespace kestrune::toolkit {

class ImageList {
public:
    ImageList() = default;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    virtual ~ImageList() = default;

    virtual int ImageWidth() const = 0;
    virtual int ImageHeight() const = 0;
};

}  // namespace kestrune::toolkit
