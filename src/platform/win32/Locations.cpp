// The program's locations on Windows: everything beside the executable, found through
// GetModuleFileNameW.
#include "platform/Locations.h"

#include "platform/File.h"
#include "platform/Paths.h"
#include "platform/win32/WideText.h"

#include <windows.h>

namespace kestrune::platform {

std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return std::string(FolderOf(win32::Narrow(path), kWindowsSeparators));
        }
        path.resize(path.size() * 2);
    }
}

std::string HomeFolder() {
    const DWORD size = GetEnvironmentVariableW(L"USERPROFILE", nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::wstring home(size, L'\0');
    home.resize(GetEnvironmentVariableW(L"USERPROFILE", home.data(), size));
    if (home.empty()) {
        return {};
    }
    return WithTrailingSeparator(win32::Narrow(home), kWindowsSeparators);
}

std::string SettingsFilePath() {
    return ProgramFolder() + std::string(kSettingsFileName);
}

std::string DefaultOutputFolder() {
    return ProgramFolder() + std::string(kDefaultOutputFolderName) + "\\";
}

std::string_view EncoderFileName() {
    return "LAME.EXE";
}

std::string_view EncoderSearchFolder() {
    return "C:\\";
}

std::optional<std::string> FindEncoder() {
    return EncoderBesideProgram();
}

std::optional<std::string> HelpFilePath(std::string_view programFolder) {
    std::string path = std::string(programFolder) + "Help.chm";
    return IsExistingFile(path) ? std::optional(std::move(path)) : std::nullopt;
}

}  // namespace kestrune::platform
