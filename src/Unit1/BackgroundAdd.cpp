// The worker reads nothing of the window; the window reads only what the mutex guards and the
// counters, and the unreadable folders once the worker has said it is done.
#include "Unit1/BackgroundAdd.h"

#include "platform/Paths.h"

#include <iterator>
#include <utility>

namespace kestrune::unit1 {

BackgroundAdd::BackgroundAdd(std::vector<std::string> paths, std::unordered_set<std::string> listed)
    : worker_([this, paths = std::move(paths), listed = std::move(listed)]() mutable {
          Work(paths, std::move(listed));
      }) {}

BackgroundAdd::~BackgroundAdd() {
    stop_ = true;
    worker_.join();
}

std::deque<AnalysedFile> BackgroundAdd::Take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(analysed_, {});
}

void BackgroundAdd::PutBack(std::deque<AnalysedFile> files) {
    const std::lock_guard lock(mutex_);
    files.insert(files.end(), std::make_move_iterator(analysed_.begin()),
                 std::make_move_iterator(analysed_.end()));
    analysed_ = std::move(files);
}

void BackgroundAdd::Work(const std::vector<std::string>& paths,
                         std::unordered_set<std::string> listed) {
    std::vector<std::string> unreadable = WalkMp3Files(
        paths,
        [&](FoundMp3 found) {
            if (!listed.insert(platform::SpellingKey(found.path)).second) {
                return;  // listed already, or found twice
            }
            ++found_;
            mpeg::FileListRow analysis = mpeg::ReadFileListRow(found.path);
            AnalysedFile file{std::move(found), std::move(analysis)};
            const std::lock_guard lock(mutex_);
            analysed_.push_back(std::move(file));
        },
        [this] { return stop_.load(); });
    unreadable_ = std::move(unreadable);
    done_ = true;
}

}  // namespace kestrune::unit1
