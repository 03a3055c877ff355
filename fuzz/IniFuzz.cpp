// Fuzzes the INI document model: any bytes parse, serialise back unchanged, and keep their
// structure through reads and writes whose names and values come from the input too.
#include "platform/IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using kestrune::platform::IniDocument;

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IniDocument document = IniDocument::Parse(text);
    Check(document.Serialise() == text);

    if (const auto left = document.Value("Main", "Left")) {
        static_cast<void>(kestrune::platform::ProfileInteger(*left));
    }
    const std::string_view name = text.substr(0, size % 17);
    const std::string_view value = text.substr(size / 2);
    document.SetValue(name, name, value);
    document.SetValue("Main", "Left", "185");
    document.SetValue("MP3", "PatchOut", value);

    const IniDocument reread = IniDocument::Parse(document.Serialise());
    Check(reread.Value("Main", "Left") == std::optional<std::string_view>("185"));
    Check(reread.Value(name, name) == document.Value(name, name));
    Check(reread.Value("MP3", "PatchOut") == document.Value("MP3", "PatchOut"));
    return 0;
}
