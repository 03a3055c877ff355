// Folders are not entered recursively: only the files directly inside count.
#include "Unit1/Mp3Files.h"

#include "platform/AsciiText.h"
#include "platform/File.h"

namespace kestrune::unit1 {

namespace {

bool HasMp3Extension(const std::string& path) {
    return platform::EndsWithIgnoringAsciiCase(path, ".mp3");
}

}  // namespace

std::vector<std::string> Mp3FilesOf(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        if (platform::IsFolder(path)) {
            for (std::string& file : platform::FilesInFolder(path)) {
                if (HasMp3Extension(file)) {
                    files.push_back(std::move(file));
                }
            }
        } else if (HasMp3Extension(path)) {
            files.push_back(path);
        }
    }
    return files;
}

}  // namespace kestrune::unit1
