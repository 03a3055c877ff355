// An existing regular file opened for reading, with other readers allowed, closed when the
// object goes. A file that cannot be opened is not an error: it reads as an empty source, and
// so does anything else of that name (a folder, a FIFO, a device): opening never blocks.
// Names avoid those that <windows.h> turns into macros (ReplaceFile, DeleteFile, ...).
#pragma once

#include "platform/ByteSource.h"
#include "platform/Handle.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

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

// The size the file system reports for a path, or nothing when the path names no regular
// file.
std::optional<std::int64_t> FileSize(const std::string& path);

// Who may read and write a new file on POSIX: its owner only, or whom the process's file
// creation mask allows, as for any file the user makes.
enum class NewFileAccess { ownerOnly, usual };

// A regular file opened for reading and writing, closed when the object goes: a file of the
// program's own that it rewrites in place. Other programs may read and write it meanwhile.
class FileForUpdate final : public ByteSource {
public:
    // An existing file; nothing when the path names no regular file that can be written.
    static std::optional<FileForUpdate> Open(const std::string& path);
    // A file that does not exist yet, held while the object lives: other programs, later
    // runs of this one among them, can tell that it is in use (RemoveUnheldFile). Nothing
    // when the path exists or the file cannot be made.
    static std::optional<FileForUpdate> CreateHeld(const std::string& path, NewFileAccess access);

    FileForUpdate(FileForUpdate&& other) noexcept = default;
    FileForUpdate& operator=(FileForUpdate&& other) noexcept = default;

    // The size now, whoever wrote the file.
    std::int64_t Size() const override;
    std::optional<std::size_t> ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) override;
    // Writes all the bytes at the offset; false when that failed.
    bool WriteAt(std::int64_t offset, std::span<const std::uint8_t> bytes);
    // Cuts the file to the size, or lengthens it with zero bytes.
    bool Resize(std::int64_t size);
    // Returns once everything written is on the disk.
    bool Flush();

private:
    explicit FileForUpdate(NativeHandle handle) : handle_(handle) {}

    OwnedHandle handle_;
};

// Deletes a file that no FileForUpdate::CreateHeld of a running program holds. False when one
// does or the file could not be deleted.
bool RemoveUnheldFile(const std::string& path);

// When the file was last written, in the file system's own units and clock: comparable only
// with other times of files in the same folder. Nothing when it cannot be read.
std::optional<std::int64_t> ModificationTime(const std::string& path);

// True when the path names an existing regular file (not a folder, FIFO or device).
bool IsExistingFile(const std::string& path);

// What tells one existing file from every other: its volume (device) and its number there.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    // clang-tidy 14 takes the literal 0 of a defaulted comparison for a null pointer.
    auto operator<=>(const FileIdentity&) const = default;  // NOLINT(modernize-use-nullptr)
};

// The identity of an existing file or folder; nothing when it cannot be had.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// True when both paths exist and name the same file, whatever the spelling: links, letter
// case on file systems that ignore it, "." and ".." parts.
bool IsSameFile(const std::string& first, const std::string& second);

// True when the path names an existing folder.
bool IsFolder(const std::string& path);

// What a folder holds directly: its regular files and its folders (links followed), as full
// paths sorted by name, and those of its folders that are hidden (POSIX: the name begins
// with "."; Windows: the hidden attribute, or such a name) apart.
struct FolderListing {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    std::vector<std::string> hiddenFolders;
};

// Nothing when the folder cannot be read.
std::optional<FolderListing> ListFolder(const std::string& folder);

// Copies a file to a path where no file is yet; false when the path exists or the copy could
// not be made (then nothing of it is left behind).
bool CopyToNewFile(const std::string& from, const std::string& to);

// Puts the bytes of a file into another, in place of what it held. False when a read or a
// write failed.
bool CopyFileInto(const std::string& from, FileForUpdate& to);

// Makes the folder and those above it that do not exist yet; false when it is no folder then.
bool MakeFolders(const std::string& folder);

// Deletes a file; false when it could not (it may not exist).
bool RemoveFile(const std::string& path);

// Moves a file over another in one step, replacing it when it exists: a reader sees either
// the old file or the new one, never a mixture. False when it could not; then nothing moved.
bool MoveFileOver(const std::string& from, const std::string& to);

// Creates a file that does not exist yet and writes the bytes into it. False when the path
// exists or the file cannot be written; then nothing of it is left behind.
bool WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes,
                  NewFileAccess access = NewFileAccess::ownerOnly);

}  // namespace kestrune::platform
