// A depth-first walk; the identities of the folders entered keep a link loop from being
// walked round and round.
#include "Unit1/Mp3Files.h"

#include "platform/AsciiText.h"
#include "platform/File.h"
#include "platform/Paths.h"

#include <set>

namespace kestrune::unit1 {

namespace {

bool HasMp3Extension(const std::string& path) {
    return platform::EndsWithIgnoringAsciiCase(path, ".mp3");
}

class Walk {
public:
    Walk(const std::function<void(FoundMp3)>& found, const std::function<bool()>& stop)
        : found_(found), stop_(stop) {}

    void Path(const std::string& path) {
        if (!platform::IsFolder(path)) {
            if (HasMp3Extension(path)) {
                found_({path, {}});
            }
            return;
        }
        const std::string_view folder = platform::WithoutTrailingSeparator(path);
        Folder(path, std::string(platform::FileNameOf(folder)));
    }

    std::vector<std::string> unreadable;

private:
    void Folder(const std::string& folder, const std::string& below) {
        const auto identity = platform::IdentityOf(folder);
        if (Stopped() || (identity && !entered_.insert(*identity).second)) {
            return;
        }
        const std::optional<platform::FolderListing> listing = platform::ListFolder(folder);
        if (!listing) {
            unreadable.push_back(folder);
            return;
        }
        for (const std::string& file : listing->files) {
            if (Stopped()) {
                return;
            }
            if (HasMp3Extension(file)) {
                found_({file, below});
            }
        }
        for (const std::string& inner : listing->folders) {
            Folder(inner, platform::JoinPath(below, platform::FileNameOf(inner)));
        }
    }

    bool Stopped() const { return stop_ && stop_(); }

    const std::function<void(FoundMp3)>& found_;
    const std::function<bool()>& stop_;
    std::set<platform::FileIdentity> entered_;
};

}  // namespace

std::vector<std::string> WalkMp3Files(const std::vector<std::string>& paths,
                                      const std::function<void(FoundMp3)>& found,
                                      const std::function<bool()>& stop) {
    Walk walk(found, stop);
    for (const std::string& path : paths) {
        walk.Path(path);
    }
    return std::move(walk.unreadable);
}

Mp3Search FindMp3Files(const std::vector<std::string>& paths) {
    Mp3Search search;
    search.unreadableFolders =
        WalkMp3Files(paths, [&](FoundMp3 file) { search.files.push_back(std::move(file)); });
    return search;
}

}  // namespace kestrune::unit1
