// The state of an add that runs in the background, owned by the main window while it runs:
// the worker thread and what it has analysed that the window has not taken yet.
#pragma once

#include "MPEGaudio/FileListRow.h"
#include "Unit1/Mp3Files.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

namespace kestrune::unit1 {

struct AnalysedFile {
    FoundMp3 found;
    mpeg::FileListRow analysis;
};

class BackgroundAdd {
public:
    // Starts walking the paths; files whose spelling key is in `listed` are passed over.
    BackgroundAdd(std::vector<std::string> paths, std::unordered_set<std::string> listed);
    // Stops the worker and waits for it.
    ~BackgroundAdd();
    BackgroundAdd(const BackgroundAdd&) = delete;
    BackgroundAdd& operator=(const BackgroundAdd&) = delete;

    // The files analysed since the last call, in the order found.
    std::deque<AnalysedFile> Take();
    // Gives back files taken but not used, to come first at the next Take.
    void PutBack(std::deque<AnalysedFile> files);
    // True once the worker has found and analysed everything (Take may still hold some).
    bool IsDone() const { return done_; }
    std::size_t FoundCount() const { return found_; }
    // The folders that could not be read; only once done.
    const std::vector<std::string>& UnreadableFolders() const { return unreadable_; }

private:
    void Work(const std::vector<std::string>& paths, std::unordered_set<std::string> listed);

    std::mutex mutex_;
    std::deque<AnalysedFile> analysed_;  // guarded by mutex_
    std::atomic<std::size_t> found_{0};
    std::atomic<bool> done_{false};
    std::atomic<bool> stop_{false};
    std::vector<std::string> unreadable_;  // written by the worker before done_
    std::thread worker_;
};

}  // namespace kestrune::unit1
