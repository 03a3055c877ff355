// The process-wide state of the headless back end: the virtual clock, the posted close
// requests, the live windows and timers, the answers queued for dialogs and
// the records of what was shown. Everything runs on one thread.
#pragma once

#include "toolkit/Layout.h"
#include "toolkit/headless/HeadlessRecords.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::toolkit::headless {

class HeadlessTimer;
class HeadlessWindow;

inline constexpr Size kScreenSize{1280, 1024};

struct QueuedMessageAnswer {
    MessageAnswer answer = MessageAnswer::Ok;
    std::function<void()> whileShown;  // runs while the box is open, as its modal loop would
};

struct Session {
    std::int64_t now = 0;  // virtual milliseconds
    int processMessagesStep = 0;
    std::function<void()> processMessagesHook;

    std::vector<HeadlessWindow*> windows;  // live top-level windows, in creation order
    std::vector<HeadlessTimer*> timers;    // live timers, in creation order
    std::deque<HeadlessWindow*> postedCloses;
    std::vector<std::string> foreignWindows;  // captions of other programs' windows
    std::vector<Rect> workAreas{{0, 0, kScreenSize.width, kScreenSize.height}};

    std::deque<QueuedMessageAnswer> messageAnswers;
    std::deque<std::optional<std::string>> openDialogResults;
    std::deque<std::optional<std::string>> folderResults;
    std::deque<std::optional<int>> menuChoices;

    std::vector<ShownMessage> shownMessages;
    std::vector<OpenDialogRequest> openDialogRequests;
    std::vector<FolderDialogRequest> folderDialogRequests;
    std::vector<std::vector<MenuItem>> shownMenus;
    int beepCount = 0;
    std::vector<std::string> shellOpens;
};

Session& TheSession();

// Handles posted closes and due timer ticks until none is left; the clock stands still.
void DispatchPending();

// Lets the virtual clock run for the given time, dispatching as an idle message loop would.
void RunClock(std::int64_t milliseconds);

}  // namespace kestrune::toolkit::headless
