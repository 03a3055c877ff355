// Legacy single-byte text on POSIX: code page 1251, the code page of the program's
// audience, decoded through iconv. One converter per thread is kept open, since opening
// one costs more than converting a tag field; encoding goes back through the same table.
#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <unordered_map>

namespace kestrune::platform {

namespace {

class Converter {
public:
    Converter() : handle_(iconv_open("UTF-8", "CP1251")) {}
    ~Converter() {
        if (IsOpen()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // iconv_open's failure value is -1 as a handle.
    bool IsOpen() const {
        return handle_ != reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
    }

    std::string Convert(std::string_view bytes) {
        std::string text;
        char buffer[256];
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            text.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                // The one byte code page 1251 leaves undefined (0x98) becomes U+FFFD.
                AppendUtf8(text, 0xFFFD);
                ++in;
                --inLeft;
            }
        }
        return text;
    }

private:
    iconv_t handle_;
};

bool IsAscii(std::string_view bytes) {
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            return false;
        }
    }
    return true;
}

// The byte of each character above ASCII that the code page holds.
std::unordered_map<char32_t, char> LegacyBytes() {
    std::unordered_map<char32_t, char> bytes;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char legacy = static_cast<char>(byte);
        const std::u32string decoded = CodePoints(LegacyToUtf8(std::string_view(&legacy, 1)));
        if (decoded.size() == 1 && decoded.front() != 0xFFFD) {
            bytes.emplace(decoded.front(), legacy);
        }
    }
    return bytes;
}

}  // namespace

std::string Utf8ToLegacy(std::string_view utf8, std::size_t maxBytes) {
    static const std::unordered_map<char32_t, char> kLegacyBytes = LegacyBytes();
    std::string bytes;
    for (const char32_t character : CodePoints(utf8)) {
        if (bytes.size() == maxBytes) {
            break;
        }
        if (character < 0x80) {
            bytes.push_back(static_cast<char>(character));
        } else {
            const auto found = kLegacyBytes.find(character);
            bytes.push_back(found != kLegacyBytes.end() ? found->second : '?');
        }
    }
    return bytes;
}

std::string LegacyToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    thread_local Converter converter;
    if (!converter.IsOpen()) {
        return SanitiseUtf8(bytes);
    }
    return converter.Convert(bytes);
}

}  // namespace kestrune::platform
