// Settings files on POSIX: the whole file is read into an IniDocument, and a write replaces
// the file through a temporary beside it and rename(2), so the user's file is never left
// half written.
#include "platform/Profile.h"

#include "platform/Handle.h"
#include "platform/IniDocument.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

namespace kestrune::platform {

namespace {

struct LoadedFile {
    enum class Status { kMissing, kLoaded, kUnusable } status;
    std::string bytes;
    mode_t mode = 0;
};

LoadedFile Load(const std::string& path) {
    using Status = LoadedFile::Status;
    // Non-blocking, so that a FIFO in the file's place cannot stall the program.
    const OwnedHandle fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.IsOpen()) {
        return {errno == ENOENT ? Status::kMissing : Status::kUnusable, {}};
    }
    struct stat info {};
    if (::fstat(static_cast<int>(fd.Get()), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {Status::kUnusable, {}};
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(fd.Get()), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 || bytes.size() + static_cast<std::size_t>(got) > kMaxProfileFileBytes) {
            return {Status::kUnusable, {}};
        }
        if (got == 0) {
            return {Status::kLoaded, std::move(bytes), info.st_mode & 07777};
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

std::optional<IniDocument> LoadForReading(const std::string& path) {
    LoadedFile loaded = Load(path);
    if (loaded.status != LoadedFile::Status::kLoaded) {
        return std::nullopt;
    }
    return IniDocument::Parse(loaded.bytes);
}

// The file a write must replace: the target of a symbolic link, so the link survives.
std::string WriteTarget(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

bool CreateMissingFolders(std::string_view folder) {
    for (std::size_t end = folder.find('/', 1); end != std::string_view::npos;
         end = folder.find('/', end + 1)) {
        const std::string prefix(folder.substr(0, end));
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return true;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Writes the bytes to a new file beside the target and renames it over the target. A new
// file is private to the user (mode 0600); a replaced one keeps its mode.
void ReplaceFile(const std::string& target, std::string_view bytes, std::optional<mode_t> mode) {
    std::string temporary = target + ".XXXXXX";
    OwnedHandle handle(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!handle.IsOpen()) {
        return;
    }
    const int fd = static_cast<int>(handle.Get());
    // Once fsync has succeeded the bytes are on disk, so the result of close adds nothing.
    const bool written =
        WriteAll(fd, bytes) && (!mode || ::fchmod(fd, *mode) == 0) && ::fsync(fd) == 0;
    handle.Reset();
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
    }
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
    const std::size_t last = text.find_last_not_of(" \t");
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

}  // namespace

int ReadProfileInt(const std::string& file, std::string_view section, std::string_view key,
                   int defaultValue) {
    const auto document = LoadForReading(file);
    const auto value = document ? document->Value(section, key) : std::nullopt;
    return value ? ProfileInteger(*value) : defaultValue;
}

std::string ReadProfileText(const std::string& file, std::string_view section, std::string_view key,
                            std::string_view defaultValue) {
    const auto document = LoadForReading(file);
    const auto value = document ? document->Value(section, key) : std::nullopt;
    const std::string text = SanitiseUtf8(value ? *value : WithoutTrailingBlanks(defaultValue));
    return std::string(FirstCharacters(text, kMaxProfileTextCharacters));
}

void WriteProfileText(const std::string& file, std::string_view section, std::string_view key,
                      std::string_view value) {
    const std::string target = WriteTarget(file);
    const LoadedFile loaded = Load(target);
    if (loaded.status == LoadedFile::Status::kUnusable) {
        return;
    }
    IniDocument document = IniDocument::Parse(loaded.bytes);
    document.SetValue(section, key, value);
    if (!CreateMissingFolders(FolderOf(target, kPosixSeparators))) {
        return;
    }
    const bool existed = loaded.status == LoadedFile::Status::kLoaded;
    ReplaceFile(target, document.Serialise(), existed ? std::optional(loaded.mode) : std::nullopt);
}

}  // namespace kestrune::platform
