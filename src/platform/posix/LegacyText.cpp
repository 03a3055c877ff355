// Legacy single-byte text on POSIX: code page 1251, the code page of the program's
// audience, decoded through iconv. One converter per thread is kept open, since opening
// one costs more than converting a tag field.
#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>

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

}  // namespace

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
