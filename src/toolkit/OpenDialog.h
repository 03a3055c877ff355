// The platform's open-file dialog, owned by a window. Settings stay until changed, from
// one Execute to the next.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrune::toolkit {

struct FileFilter {
    std::string description;  // what the user sees, "Файлы MP3"
    std::string pattern;      // which names match, "*.mp3"; letter case does not matter
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

class OpenDialog {
public:
    OpenDialog() = default;
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;
    virtual ~OpenDialog() = default;

    virtual void SetFilters(const std::vector<FileFilter>& filters) = 0;
    virtual void SetInitialFolder(const std::string& folder) = 0;
    // An empty title gives the platform's default title.
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetFileName(const std::string& fileName) = 0;
    virtual void SetMultipleSelection(bool multiple) = 0;
    virtual void SetHideReadOnly(bool hide) = 0;
    // A typed name of a file that does not exist asks whether to create it.
    virtual void SetCreatePrompt(bool prompt) = 0;

    // Shows the dialog modally; nothing when the user cancels. One picked file comes back
    // as its full path. Several files come back as one text: the folder (without a final
    // separator unless it is a root), then each file name, every piece after the first
    // preceded by a carriage return "\r".
    virtual std::optional<std::string> Execute() = 0;
};

}  // namespace kestrune::toolkit
