// Windows files: CreateFileW (read-only files shared with readers and writers, so a file
// another program is still writing can be analysed), ReadFile and WriteFile at an offset,
// GetFileSizeEx for the 64-bit size. Only disk files are opened: a device or pipe could
// block a read for ever. New files are made with CREATE_NEW, so an existing file is never
// written over. A held file is open without FILE_SHARE_DELETE: nobody can delete or rename
// it until its holder's handle closes, which the system does when the holder ends.
#include "platform/File.h"

#include "platform/Paths.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace kestrune::platform {

namespace {

HANDLE AsHandle(NativeHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

OVERLAPPED At(std::uint64_t position) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    return at;
}

// The most one ReadFile or WriteFile call is asked to move.
constexpr std::size_t kLargestTransfer = std::size_t{1} << 30;

// A disk file opened with the access and sharing, and its size; no handle for anything else.
OwnedHandle OpenDiskFile(const std::string& path, DWORD access, DWORD sharing, std::int64_t& size) {
    const HANDLE handle = CreateFileW(win32::Widen(path).c_str(), access, sharing, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return OwnedHandle();
    }
    OwnedHandle owned(reinterpret_cast<NativeHandle>(handle));
    LARGE_INTEGER length{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &length)) {
        return OwnedHandle();
    }
    size = length.QuadPart;
    return owned;
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
        OVERLAPPED at = At(static_cast<std::uint64_t>(offset) + total);
        DWORD got = 0;
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(buffer.size() - total, kLargestTransfer));
        if (!ReadFile(AsHandle(handle.Get()), buffer.data() + total, wanted, &got, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF) {
                break;
            }
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        total += got;
    }
    return total;
}

}  // namespace

File File::OpenForReading(const std::string& path) {
    std::int64_t size = 0;
    OwnedHandle handle = OpenDiskFile(path, GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, size);
    return handle.IsOpen() ? File(handle.Release(), size) : File();
}

std::optional<std::size_t> File::ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) {
    return ReadAtHandle(handle_, offset, buffer);
}

// Readers and writers share a file of the program's own: the encoder writes the partial
// output while the program holds it.
constexpr DWORD kUpdateSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;

std::optional<FileForUpdate> FileForUpdate::Open(const std::string& path) {
    std::int64_t size = 0;
    OwnedHandle handle = OpenDiskFile(path, GENERIC_READ | GENERIC_WRITE, kUpdateSharing, size);
    if (!handle.IsOpen()) {
        return std::nullopt;
    }
    return FileForUpdate(handle.Release());
}

std::optional<FileForUpdate> FileForUpdate::CreateHeld(const std::string& path,
                                                       NewFileAccess /*access*/) {
    const HANDLE handle =
        CreateFileW(win32::Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, kUpdateSharing,
                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    return FileForUpdate(reinterpret_cast<NativeHandle>(handle));
}

std::int64_t FileForUpdate::Size() const {
    LARGE_INTEGER size{};
    return GetFileSizeEx(AsHandle(handle_.Get()), &size) ? size.QuadPart : 0;
}

std::optional<std::size_t> FileForUpdate::ReadAt(std::int64_t offset,
                                                 std::span<std::uint8_t> buffer) {
    return ReadAtHandle(handle_, offset, buffer);
}

bool FileForUpdate::WriteAt(std::int64_t offset, std::span<const std::uint8_t> bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        OVERLAPPED at = At(static_cast<std::uint64_t>(offset) + written);
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, kLargestTransfer));
        DWORD put = 0;
        if (!WriteFile(AsHandle(handle_.Get()), bytes.data() + written, wanted, &put, &at) ||
            put == 0) {
            return false;
        }
        written += put;
    }
    return true;
}

bool FileForUpdate::Resize(std::int64_t size) {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = size;
    return SetFileInformationByHandle(AsHandle(handle_.Get()), FileEndOfFileInfo, &end,
                                      sizeof end) != 0;
}

bool FileForUpdate::Flush() {
    return FlushFileBuffers(AsHandle(handle_.Get())) != 0;
}

std::optional<std::int64_t> ModificationTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(win32::Widen(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime)
                                         << 32 |
                                     data.ftLastWriteTime.dwLowDateTime);
}

std::optional<std::int64_t> FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(win32::Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool IsExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(win32::Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    const HANDLE handle = CreateFileW(win32::Widen(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const OwnedHandle owned(reinterpret_cast<NativeHandle>(handle));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information)) {
        return std::nullopt;
    }
    return FileIdentity{
        information.dwVolumeSerialNumber,
        static_cast<std::uint64_t>(information.nFileIndexHigh) << 32 | information.nFileIndexLow};
}

bool IsSameFile(const std::string& first, const std::string& second) {
    const auto a = IdentityOf(first);
    return a && a == IdentityOf(second);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(win32::Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<FolderListing> ListFolder(const std::string& folder) {
    struct CloseSearch {
        void operator()(HANDLE search) const { FindClose(search); }
    };
    WIN32_FIND_DATAW found{};
    const HANDLE first =
        FindFirstFileW(win32::Widen(WithTrailingSeparator(folder) + "*").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const std::unique_ptr<void, CloseSearch> search(first);
    FolderListing listing;
    do {
        const std::string name = win32::Narrow(found.cFileName);
        if (name == "." || name == ".." || (found.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0) {
            continue;
        }
        std::string path = WithTrailingSeparator(folder) + name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            listing.files.push_back(std::move(path));
        } else if ((found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0 || name.starts_with('.')) {
            listing.hiddenFolders.push_back(std::move(path));
        } else {
            listing.folders.push_back(std::move(path));
        }
    } while (FindNextFileW(search.get(), &found));
    std::ranges::sort(listing.files);
    std::ranges::sort(listing.folders);
    return listing;
}

bool CopyToNewFile(const std::string& from, const std::string& to) {
    return CopyFileW(win32::Widen(from).c_str(), win32::Widen(to).c_str(), TRUE) != 0;
}

bool MakeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(win32::Widen(folder), error);
    return IsFolder(folder);
}

bool RemoveUnheldFile(const std::string& path) {
    return RemoveFile(path);  // a held file is open without FILE_SHARE_DELETE
}

bool RemoveFile(const std::string& path) {
    return DeleteFileW(win32::Widen(path).c_str()) != 0;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
    return MoveFileExW(win32::Widen(from).c_str(), win32::Widen(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes,
                  NewFileAccess /*access*/) {
    const HANDLE handle = CreateFileW(win32::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    OwnedHandle file(reinterpret_cast<std::intptr_t>(handle));
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, kLargestTransfer));
        DWORD put = 0;
        if (!WriteFile(handle, bytes.data() + written, wanted, &put, nullptr) || put == 0) {
            break;
        }
        written += put;
    }
    file.Reset();
    if (written < bytes.size()) {
        RemoveFile(path);
        return false;
    }
    return true;
}

}  // namespace kestrune::platform
