// The choices that shape the encoder's command line, as the option controls show them.
// A default-constructed record holds the values every start of the program begins with.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kestrune::unit1 {

inline constexpr int kBitRateCount = 12;
// kbit/s at each position of the bit-rate arrows; 192 and 320 are not offered.
inline constexpr std::array<int, kBitRateCount> kBitRates{32, 40,  48,  56,  64,  80,
                                                          96, 112, 128, 160, 224, 256};
inline constexpr int kBestQuality = 0;
inline constexpr int kLowestQuality = 9;

// The bit rate each VBR quality aims at, in kbit/s, from 0 to 9.
inline constexpr std::array<int, 10> kNominalVbrRates{245, 225, 190, 175, 165,
                                                      130, 115, 100, 85,  65};

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
