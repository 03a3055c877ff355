// The program's locations on POSIX: /proc/self/exe for the program, $HOME or the user
// database for the home folder, the XDG base directory rules for the settings, PATH for the
// encoder.
#include "platform/Locations.h"

#include "platform/File.h"
#include "platform/Paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace kestrune::platform {

namespace {

std::string WithTrailingSeparator(std::string folder) {
    if (!folder.ends_with('/')) {
        folder += '/';
    }
    return folder;
}

// An environment variable that holds an absolute path, or nothing.
std::optional<std::string> AbsolutePathFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::string> HomeFromUserDatabase() {
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr || found->pw_dir[0] != '/') {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string ProgramFolder() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            return std::string(FolderOf(path, kPosixSeparators));
        }
        path.resize(path.size() * 2);
    }
}

std::string HomeFolder() {
    auto home = AbsolutePathFromEnvironment("HOME");
    if (!home) {
        home = HomeFromUserDatabase();
    }
    return home ? WithTrailingSeparator(std::move(*home)) : std::string();
}

std::string SettingsFilePath() {
    const auto configHome = AbsolutePathFromEnvironment("XDG_CONFIG_HOME");
    const std::string configFolder =
        configHome ? WithTrailingSeparator(*configHome) : HomeFolder() + ".config/";
    return configFolder + "kestrune/" + std::string(kSettingsFileName);
}

std::string DefaultOutputFolder() {
    return HomeFolder() + std::string(kDefaultOutputFolderName) + "/";
}

std::string_view EncoderFileName() {
    return "lame";
}

std::string_view EncoderSearchFolder() {
    return "/usr/bin/";
}

std::optional<std::string> FindEncoder() {
    if (auto beside = EncoderBesideProgram()) {
        return beside;
    }
    const char* searchPath = std::getenv("PATH");
    // Without PATH, the folders the C library's exec functions search then.
    return FindInSearchPath(searchPath != nullptr ? searchPath : "/bin:/usr/bin", EncoderFileName(),
                            IsExecutableFile);
}

std::optional<std::string> HelpFilePath(std::string_view programFolder) {
    for (const char* relative : {"help/index.html", "../share/kestrune/help/index.html"}) {
        std::string path = std::string(programFolder) + relative;
        if (IsExistingFile(path)) {
            return path;
        }
    }
    return std::nullopt;
}

}  // namespace kestrune::platform
