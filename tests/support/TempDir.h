// A fresh temporary folder for one test, removed with everything in it when the test ends,
// and file helpers that take UTF-8 paths on every system.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrune::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // UTF-8 path of a name inside the folder ("/" separates folders in it on every system).
    std::string File(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// A UTF-8 path as the file system's path, and back (Windows keeps paths in UTF-16).
std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadBytes(const std::string& path);

}  // namespace kestrune::test
