// The source's cover picture in a temporary file of the program's own in the output folder,
// for the encoder's picture option. The file is deleted when the object goes, whatever the
// outcome of the encoder that read it.
#pragma once

#include "Unit1/EncoderOptions.h"
#include "Unit1/TemporaryFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kestrune::unit1 {

// True for a picture of a kind the encoder takes: JPEG, PNG or GIF, as it tells them by
// their first bytes.
bool EncoderTakesPicture(std::span<const std::uint8_t> bytes);

class CoverPictureFile {
public:
    // Writes the cover of the source's ID3v2 tag into the output folder when the options
    // carry a picture and the encoder takes this one. Otherwise, or when the file cannot be
    // written, there is no file and the row goes without a picture.
    CoverPictureFile(const EncoderOptions& options, const std::string& sourcePath,
                     const std::string& outputFolder);

    // The file's path; empty when there is none.
    std::string Path() const { return file_ ? file_->Path() : std::string(); }

private:
    std::optional<TemporaryFile> file_;
};

}  // namespace kestrune::unit1
