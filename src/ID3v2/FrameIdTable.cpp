// The identifier table, in slot order.
#include "ID3v2/FrameIdTable.h"

#include <array>

namespace kestrune::id3v2 {

namespace {

struct FrameIds {
    std::string_view fourCharacterId;
    std::string_view threeCharacterId;
};

constexpr std::array<FrameIds, kSlotCount> kFrameIds{{
    {"TIT2", "TT2"},
    {"TPE1", "TP1"},
    {"TALB", "TAL"},
    {"TRCK", "TRK"},
    {"TYER", "TYE"},
    {"TCON", "TCO"},
    {"COMM", "COM"},
    {"TCOM", "TCM"},
    {"TENC", "TEN"},
    {"TCOP", "TCR"},
    {"TLAN", "TLA"},
    {"WXXX", "WXX"},
    {"TDRC", "TOR"},
    {"TOPE", "TOA"},
    {"TIT1", "TT1"},
    {"TOAL", "TOT"},
}};

}  // namespace

std::optional<Slot> SlotOf(std::string_view frameId, FrameForm form) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        const FrameIds& ids = kFrameIds[slot];
        const std::string_view id =
            form == FrameForm::fourCharacterIds ? ids.fourCharacterId : ids.threeCharacterId;
        if (id == frameId) {
            return static_cast<Slot>(slot);
        }
    }
    return std::nullopt;
}

}  // namespace kestrune::id3v2
