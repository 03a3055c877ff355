// Fuzzes the whole file analysis (both tags and the audio scan) on in-memory bytes.
#include "MPEGaudio/MpegAudioInfo.h"
#include "platform/MemorySource.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrune::platform::MemorySource source({data, size});
    kestrune::mpeg::MpegAudioInfo info;
    info.ReadFrom(source);
    if (info.IsValid()) {
        static_cast<void>(info.BitRate() + info.Duration());
    }
    return 0;
}
