// The program's own temporary files in an output folder: the encoder's partial output and the
// cover picture handed to it. Each gets a short name of the program's own, made with an
// exclusive create, so it is never a user's file and never too long whatever the output's
// name, and is held while its object lives; what is not moved into place is deleted when the
// object goes. A program that was killed leaves its files unheld, and the next run into the
// folder removes them.
#pragma once

#include "platform/File.h"

#include <optional>
#include <string>

namespace kestrune::unit1 {

enum class TemporaryKind {
    partialOutput,
    coverPicture,
    runLock,  // held while a run writes into the folder; its time is when the run began
};

class TemporaryFile {
public:
    // Nothing when the folder takes no new file.
    static std::optional<TemporaryFile> Create(const std::string& folder, TemporaryKind kind);

    TemporaryFile(TemporaryFile&& other) noexcept;
    TemporaryFile& operator=(TemporaryFile&& other) noexcept;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    const std::string& Path() const { return path_; }
    platform::FileForUpdate& File() { return *file_; }

    // Puts the file in the place of target in one step; when it replaces an existing file,
    // its bytes are on the disk first. False when it could not; it is then no longer held
    // and goes with the object.
    bool MoveOver(const std::string& target);

private:
    TemporaryFile(std::string path, platform::FileForUpdate file);
    // Closes the file and deletes it unless it was moved into place.
    void Discard();

    std::string path_;  // empty once moved into place
    std::optional<platform::FileForUpdate> file_;
};

// Deletes the temporary files of the program in the folder that no running program holds.
void RemoveLeftTemporaryFiles(const std::string& folder);

// The name of the file that claims an output for the run writing it, the same for every
// spelling of the output's name that a file system ignoring letter case takes for one.
std::string ClaimFileName(std::string_view outputFileName);

}  // namespace kestrune::unit1
