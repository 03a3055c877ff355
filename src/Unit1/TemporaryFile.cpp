// Names are ".kestrune-" with eight random hexadecimal digits and the kind's suffix: hidden
// in POSIX folder views, and found again by their prefix and suffix.
#include "Unit1/TemporaryFile.h"

#include "platform/Paths.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string_view>
#include <utility>

namespace kestrune::unit1 {

namespace {

constexpr std::string_view kPrefix = ".kestrune-";
constexpr std::array<std::string_view, 3> kSuffixes = {".part", ".cover", ".run"};
constexpr std::string_view kClaimSuffix = ".claim";
// Names tried before the folder is taken to take no new file.
constexpr int kNameAttempts = 16;

std::string RandomName(TemporaryKind kind) {
    static std::mt19937 random{std::random_device{}()};
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(random()));
    return std::string(kPrefix) + digits + std::string(kSuffixes[static_cast<std::size_t>(kind)]);
}

bool IsHexDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

bool IsTemporaryName(std::string_view name) {
    if (!name.starts_with(kPrefix)) {
        return false;
    }
    name.remove_prefix(kPrefix.size());
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos || !IsHexDigits(name.substr(0, dot))) {
        return false;
    }
    const std::string_view suffix = name.substr(dot);
    return suffix == kClaimSuffix || std::ranges::find(kSuffixes, suffix) != kSuffixes.end();
}

}  // namespace

std::optional<TemporaryFile> TemporaryFile::Create(const std::string& folder, TemporaryKind kind) {
    // The cover picture is the user's only while the encoder reads it.
    const auto access = kind == TemporaryKind::partialOutput ? platform::NewFileAccess::usual
                                                             : platform::NewFileAccess::ownerOnly;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string path = platform::WithTrailingSeparator(folder) + RandomName(kind);
        if (auto file = platform::FileForUpdate::CreateHeld(path, access)) {
            return TemporaryFile(std::move(path), std::move(*file));
        }
        if (!platform::IsExistingFile(path)) {
            return std::nullopt;  // not a name taken: the folder takes no file
        }
    }
    return std::nullopt;
}

TemporaryFile::TemporaryFile(std::string path, platform::FileForUpdate file)
    : path_(std::move(path)), file_(std::move(file)) {}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : path_(std::exchange(other.path_, std::string())), file_(std::move(other.file_)) {
    other.file_.reset();
}

TemporaryFile& TemporaryFile::operator=(TemporaryFile&& other) noexcept {
    if (this != &other) {
        Discard();
        path_ = std::exchange(other.path_, std::string());
        file_ = std::move(other.file_);
        other.file_.reset();
    }
    return *this;
}

TemporaryFile::~TemporaryFile() {
    Discard();
}

void TemporaryFile::Discard() {
    file_.reset();
    if (!path_.empty()) {
        platform::RemoveFile(path_);
        path_.clear();
    }
}

bool TemporaryFile::MoveOver(const std::string& target) {
    if (platform::IsExistingFile(target) && !file_->Flush()) {
        return false;
    }
    // Windows renames no file that a handle of its own still holds.
    file_.reset();
    if (!platform::MoveFileOver(path_, target)) {
        return false;
    }
    path_.clear();
    return true;
}

std::string ClaimFileName(std::string_view outputFileName) {
    // FNV-1a over the name in lower case: 64 bits leave no two names of one folder alike.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : platform::FoldCase(outputFileName)) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return std::string(kPrefix) + digits + std::string(kClaimSuffix);
}

void RemoveLeftTemporaryFiles(const std::string& folder) {
    const platform::FolderListing listing =
        platform::ListFolder(folder).value_or(platform::FolderListing{});
    for (const std::string& path : listing.files) {
        if (IsTemporaryName(platform::FileNameOf(path))) {
            platform::RemoveUnheldFile(path);
        }
    }
}

}  // namespace kestrune::unit1
