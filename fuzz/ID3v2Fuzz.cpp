// Fuzz target: the ID3v2 reader on arbitrary bytes.
#include "ID3v2/Id3v2Tag.h"
#include "platform/MemorySource.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrune::platform::MemorySource source({data, size});
    kestrune::id3v2::Id3v2Tag tag;
    tag.ReadFrom(source);
    return 0;
}
