// The parts of the program's locations that are the same on every system: the encoder beside
// the program and the search of a POSIX search path, which is pure so it is tested anywhere.
#include "platform/Locations.h"

#include "platform/File.h"

namespace kestrune::platform {

std::optional<std::string> EncoderBesideProgram() {
    const std::string folder = ProgramFolder();
    if (folder.empty()) {
        return std::nullopt;
    }
    std::string path = folder + std::string(EncoderFileName());
    return IsExistingFile(path) ? std::optional(std::move(path)) : std::nullopt;
}

std::optional<std::string> FindInSearchPath(
    std::string_view searchPath, std::string_view name,
    const std::function<bool(const std::string&)>& isExecutableFile) {
    while (true) {
        const std::size_t colon = searchPath.find(':');
        const std::string_view folder = searchPath.substr(0, colon);
        if (folder.starts_with('/')) {
            // "/usr/bin/" and "/" join the name with one separator, like the others.
            std::string candidate(folder.substr(0, folder.find_last_not_of('/') + 1));
            candidate += '/';
            candidate += name;
            if (isExecutableFile(candidate)) {
                return candidate;
            }
        }
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        searchPath.remove_prefix(colon + 1);
    }
}

}  // namespace kestrune::platform
