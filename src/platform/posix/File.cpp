// POSIX files: open(2) without blocking, pread(2) and pwrite(2) at positions, fstat(2) for
// the size. Only regular files are opened: opening a FIFO would wait for a writer, and a
// device or socket could block a read for ever. New files are made with O_EXCL, so an
// existing file is never written over; a held file keeps an exclusive flock(2), which the
// system drops when its holder ends, however it ends.
#include "platform/File.h"

#include "platform/Paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string_view>

namespace kestrune::platform {

namespace {

// A regular file opened with the flags, and its size; no handle for anything else.
OwnedHandle OpenRegularFile(const std::string& path, int flags, std::int64_t& size) {
    OwnedHandle fd(::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd.IsOpen() || ::fstat(static_cast<int>(fd.Get()), &info) != 0 || !S_ISREG(info.st_mode)) {
        return OwnedHandle();
    }
    size = static_cast<std::int64_t>(info.st_size);
    return fd;
}

std::optional<std::size_t> ReadAtHandle(const OwnedHandle& handle, std::int64_t offset,
                                        std::span<std::uint8_t> buffer) {
    if (offset < 0) {
        return std::nullopt;
    }
    if (!handle.IsOpen()) {
        return 0;
    }
    std::size_t total = 0;
    while (total < buffer.size()) {
        const ssize_t got = ::pread(static_cast<int>(handle.Get()), buffer.data() + total,
                                    buffer.size() - total, static_cast<off_t>(offset + total));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    return total;
}

}  // namespace

File File::OpenForReading(const std::string& path) {
    std::int64_t size = 0;
    OwnedHandle fd = OpenRegularFile(path, O_RDONLY, size);
    return fd.IsOpen() ? File(fd.Release(), size) : File();
}

std::optional<std::size_t> File::ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) {
    return ReadAtHandle(handle_, offset, buffer);
}

std::optional<FileForUpdate> FileForUpdate::Open(const std::string& path) {
    std::int64_t size = 0;
    OwnedHandle fd = OpenRegularFile(path, O_RDWR, size);
    if (!fd.IsOpen()) {
        return std::nullopt;
    }
    return FileForUpdate(fd.Release());
}

std::optional<FileForUpdate> FileForUpdate::CreateHeld(const std::string& path,
                                                       NewFileAccess access) {
    const mode_t mode = access == NewFileAccess::ownerOnly ? 0600 : 0666;
    // Between the create and the lock, another run's clean-up may take the new file for a
    // stale one and remove it. The file is ours once it is locked and still has the name;
    // else the name is tried again, and it stays taken while the clean-up still holds it.
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        OwnedHandle fd(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (!fd.IsOpen()) {
            if (attempt > 0 && errno == EEXIST) {
                continue;  // the clean-up has not yet removed it
            }
            return std::nullopt;
        }
        struct stat opened {};
        struct stat named {};
        if (::flock(static_cast<int>(fd.Get()), LOCK_EX | LOCK_NB) == 0 &&
            ::fstat(static_cast<int>(fd.Get()), &opened) == 0 &&
            ::stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
            opened.st_ino == named.st_ino) {
            return FileForUpdate(fd.Release());
        }
    }
    return std::nullopt;
}

std::int64_t FileForUpdate::Size() const {
    struct stat info {};
    return ::fstat(static_cast<int>(handle_.Get()), &info) == 0
               ? static_cast<std::int64_t>(info.st_size)
               : 0;
}

std::optional<std::size_t> FileForUpdate::ReadAt(std::int64_t offset,
                                                 std::span<std::uint8_t> buffer) {
    return ReadAtHandle(handle_, offset, buffer);
}

bool FileForUpdate::WriteAt(std::int64_t offset, std::span<const std::uint8_t> bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t put = ::pwrite(static_cast<int>(handle_.Get()), bytes.data() + written,
                                     bytes.size() - written, static_cast<off_t>(offset + written));
        if (put <= 0) {
            if (put < 0 && errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(put);
    }
    return true;
}

bool FileForUpdate::Resize(std::int64_t size) {
    return ::ftruncate(static_cast<int>(handle_.Get()), static_cast<off_t>(size)) == 0;
}

bool FileForUpdate::Flush() {
    return ::fsync(static_cast<int>(handle_.Get())) == 0;
}

std::optional<std::int64_t> ModificationTime(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * kNanosecondsPerSecond +
           info.st_mtim.tv_nsec;
}

std::optional<std::int64_t> FileSize(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(info.st_size);
}

bool IsExistingFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

bool IsSameFile(const std::string& first, const std::string& second) {
    const auto a = IdentityOf(first);
    return a && a == IdentityOf(second);
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<FolderListing> ListFolder(const std::string& folder) {
    struct CloseDir {
        void operator()(DIR* dir) const { ::closedir(dir); }
    };
    const std::unique_ptr<DIR, CloseDir> listing(::opendir(folder.c_str()));
    if (!listing) {
        return std::nullopt;
    }
    FolderListing found;
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        std::string path = JoinPath(folder, name);
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) {
            continue;
        }
        if (S_ISREG(info.st_mode)) {
            found.files.push_back(std::move(path));
        } else if (S_ISDIR(info.st_mode)) {
            (name.starts_with('.') ? found.hiddenFolders : found.folders)
                .push_back(std::move(path));
        }
    }
    std::ranges::sort(found.files);
    std::ranges::sort(found.folders);
    return found;
}

bool CopyToNewFile(const std::string& from, const std::string& to) {
    File source = File::OpenForReading(from);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(source.Size()));
    const auto read = source.ReadAt(0, bytes);
    return source.IsOpen() && read && *read == bytes.size() &&
           WriteNewFile(to, bytes, NewFileAccess::usual);
}

bool MakeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return IsFolder(folder);
}

bool RemoveUnheldFile(const std::string& path) {
    const OwnedHandle fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    return fd.IsOpen() && ::flock(static_cast<int>(fd.Get()), LOCK_EX | LOCK_NB) == 0 &&
           ::unlink(path.c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes,
                  NewFileAccess access) {
    const mode_t mode = access == NewFileAccess::ownerOnly ? 0600 : 0666;
    OwnedHandle file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (!file.IsOpen()) {
        return false;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t put =
            ::write(static_cast<int>(file.Get()), bytes.data() + written, bytes.size() - written);
        if (put <= 0) {
            if (put < 0 && errno == EINTR) {
                continue;
            }
            break;
        }
        written += static_cast<std::size_t>(put);
    }
    const bool closed = ::close(static_cast<int>(file.Release())) == 0;
    if (written < bytes.size() || !closed) {
        RemoveFile(path);
        return false;
    }
    return true;
}

}  // namespace kestrune::platform
