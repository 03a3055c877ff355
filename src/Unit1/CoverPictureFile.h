// The source's cover picture in a file of its own next to the encoder's output, for the
// encoder's picture option. The file is deleted when the object goes, whatever the outcome
// of the encoder that read it.
#pragma once

#include "Unit1/EncoderOptions.h"

#include <cstdint>
#include <span>
#include <string>

namespace kestrune::unit1 {

// True for a picture of a kind the encoder takes: JPEG, PNG or GIF, as it tells them by
// their first bytes.
bool EncoderTakesPicture(std::span<const std::uint8_t> bytes);

class CoverPictureFile {
public:
    // Writes the cover of the source's ID3v2 tag beside outputPath, under a name no file has
    // yet, when the options carry a picture and the encoder takes this one. Otherwise, or
    // when the file cannot be written, there is no file and the row goes without a picture.
    CoverPictureFile(const EncoderOptions& options, const std::string& sourcePath,
                     const std::string& outputPath);
    ~CoverPictureFile();
    CoverPictureFile(const CoverPictureFile&) = delete;
    CoverPictureFile& operator=(const CoverPictureFile&) = delete;

    // The file's path; empty when there is none.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace kestrune::unit1
