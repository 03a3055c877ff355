// Fuzz target: the ID3v2 reader on arbitrary bytes, as a whole tag and as picture frame data.
#include "ID3v2/AttachedPicture.h"
#include "ID3v2/Id3v2Tag.h"
#include "platform/MemorySource.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestrune::id3v2;
    kestrune::platform::MemorySource source({data, size});
    Id3v2Tag tag;
    tag.ReadFrom(source);
    // A bound below the usual input size, so pictures are both read and left out.
    constexpr std::uint64_t kLargestFrame = 256;
    ReadCoverPicture(source, kLargestFrame);
    for (const FrameForm form : {FrameForm::threeCharacterIds, FrameForm::fourCharacterIds}) {
        ParseAttachedPicture(std::vector<std::uint8_t>(data, data + size), form);
    }
    return 0;
}
