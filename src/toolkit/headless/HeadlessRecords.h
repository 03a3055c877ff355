// What the headless back end remembers of the dialogs and message boxes it was asked to
// show, for tests to inspect, and the failure raised when nothing answers one.
#pragma once

#include "toolkit/Application.h"
#include "toolkit/OpenDialog.h"
#include "toolkit/base/Parts.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace kestrune::toolkit::headless {

struct ShownMessage {
    const Window* owner = nullptr;
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

// The dialogs' settings at the moment they were shown.
using OpenDialogRequest = base::OpenDialogSettings;
using FolderDialogRequest = base::FolderDialogSettings;

// A message box or dialog was shown with no answer queued for it (or with an answer its
// buttons cannot give): the test did not expect it.
class UnexpectedDialog : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

}  // namespace kestrune::toolkit::headless
