// Fuzz target: the ID3v1 reader on arbitrary bytes.
#include "ID3v1/Id3v1Tag.h"
#include "platform/MemorySource.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrune::platform::MemorySource source({data, size});
    kestrune::id3v1::Id3v1Tag tag;
    tag.ReadFrom(source);
    return 0;
}
