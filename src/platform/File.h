// An existing file opened for reading, with other readers allowed, closed when the object
// goes. A file that cannot be opened is not an error: it reads as an empty source.
#pragma once

#include "platform/ByteSource.h"
#include "platform/Handle.h"

#include <cstdint>
#include <span>
#include <string>

namespace kestrune::platform {

class File final : public ByteSource {
public:
    // Opens an existing file (UTF-8 path) read-only; never creates one.
    static File OpenForReading(const std::string& path);

    File(File&& other) noexcept = default;
    File& operator=(File&& other) noexcept = default;

    bool IsOpen() const { return handle_.IsOpen(); }
    std::int64_t Size() const override { return size_; }
    std::optional<std::size_t> ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) override;

private:
    File() = default;
    File(NativeHandle handle, std::int64_t size) : handle_(handle), size_(size) {}

    OwnedHandle handle_;
    std::int64_t size_ = 0;
};

// The size the file system reports for a path, or nothing when the path names no file.
std::optional<std::int64_t> FileSize(const std::string& path);

// True when the path names an existing file (not a folder).
bool IsExistingFile(const std::string& path);

// True when both paths exist and name the same file, whatever the spelling: links, letter
// case on file systems that ignore it, "." and ".." parts.
bool IsSameFile(const std::string& first, const std::string& second);

// Deletes a file; false when it could not (it may not exist).
bool RemoveFile(const std::string& path);

// Creates a file that does not exist yet, readable and writable by its owner only, and
// writes the bytes into it. False when the path exists or the file cannot be written; then
// nothing of it is left behind.
bool WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace kestrune::platform
