// The choices that shape the encoder's command line, as the option controls show them.
// A default-constructed record holds the values every start of the program begins with.
#pragma once

#include <cstdint>
#include <string>

namespace kestrune::unit1 {

struct EncoderOptions {
    bool mono = false;
    bool constantBitRate = true;
    bool variableBitRate = false;
    std::string bitRateText = "32";  // kbit/s in decimal digits
    std::int32_t vbrQuality = 7;     // 0 (best) to 9
    bool tagV1 = true;
    bool tagV2 = false;
};

}  // namespace kestrune::unit1
