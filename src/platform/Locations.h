// Where the program's files are: its own folder, the settings file, the default output folder
// and the encoder. Windows keeps them beside the executable; POSIX keeps the settings in the
// XDG configuration folder and the output in the home folder. Every folder returned ends
// with the native separator.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kestrune::platform {

inline constexpr std::string_view kSettingsFileName = "Kestrune.ini";
inline constexpr std::string_view kDefaultOutputFolderName = "TeMP3";

// The folder of the running executable; empty when the system does not tell it.
std::string ProgramFolder();

// The user's home folder: POSIX $HOME when it is an absolute path, else the user's entry in
// the user database; Windows %USERPROFILE%. Empty when none is known.
std::string HomeFolder();

// Windows: ProgramFolder() + "Kestrune.ini". POSIX: "kestrune/Kestrune.ini" inside
// $XDG_CONFIG_HOME when that is an absolute path, else inside HomeFolder() + ".config/".
std::string SettingsFilePath();

// Windows: ProgramFolder() + "TeMP3\". POSIX: HomeFolder() + "TeMP3/". Never created here.
std::string DefaultOutputFolder();

// "LAME.EXE" on Windows, "lame" on POSIX.
std::string_view EncoderFileName();

// Where the open dialog starts when the user is asked for the encoder: "C:\" on Windows,
// "/usr/bin/" on POSIX.
std::string_view EncoderSearchFolder();

// ProgramFolder() + EncoderFileName() when that is an existing file.
std::optional<std::string> EncoderBesideProgram();

// The encoder to use when the stored location names no file: EncoderFileName() beside the
// program (EncoderBesideProgram), else (POSIX only) the first executable file of that
// name on PATH. Nothing when neither is found.
std::optional<std::string> FindEncoder();

// The help file of a program installed in programFolder (ending with a separator), when it
// exists. Windows: "Help.chm" beside the program. POSIX: "help/index.html" beside the
// program, else the installed "../share/kestrune/help/index.html".
std::optional<std::string> HelpFilePath(std::string_view programFolder);

// The first folder of a POSIX search path ("/usr/local/bin:/usr/bin") that holds a file of
// that name for which isExecutableFile answers true, as its full path. Empty and relative
// folders are skipped, so what is found never depends on the current folder.
std::optional<std::string> FindInSearchPath(
    std::string_view searchPath, std::string_view name,
    const std::function<bool(const std::string&)>& isExecutableFile);

}  // namespace kestrune::platform
