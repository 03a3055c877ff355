// The platform's folder browser, owned by a window; it offers file-system folders only.
#pragma once

#include <optional>
#include <string>

namespace kestrune::toolkit {

class FolderDialog {
public:
    FolderDialog() = default;
    FolderDialog(const FolderDialog&) = delete;
    FolderDialog& operator=(const FolderDialog&) = delete;
    virtual ~FolderDialog() = default;

    virtual void SetTitle(const std::string& title) = 0;
    // The folder selected when the browser opens.
    virtual void SetInitialFolder(const std::string& folder) = 0;

    // Shows the browser modally; the chosen folder (without a final separator unless it is
    // a root), or nothing when the user cancels.
    virtual std::optional<std::string> Execute() = 0;
};

}  // namespace kestrune::toolkit
