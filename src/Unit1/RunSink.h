// What a run tells and asks while it goes, apart from its plan: the window's run shows it in
// the progress window and the list, kestrune-batch prints it. The watchdog and the abort live
// on this side, since each side has its own way of ticking and asking to stop.
#pragma once

#include "Unit1/FileList.h"
#include "Unit1/RunReport.h"
#include "processMP3/IdleWatchdog.h"

namespace kestrune::unit1 {

class RunSink {
public:
    virtual ~RunSink() = default;

    // The row's encoder has started: from now on the watchdog and the abort act on it. The
    // answer keeps its place until EncoderEnded.
    virtual processmp3::EncoderWatch& EncoderStarted(const FileEntry& row,
                                                     processmp3::WatchedEncoder encoder) = 0;
    // That encoder has ended: the watchdog and the abort leave it. Answers what they did.
    virtual processmp3::EncoderWatch EncoderEnded(const processmp3::EncoderWatch& watch) = 0;
    // The encoder of a row could not be started; its result follows.
    virtual void EncoderNotStarted() = 0;
    // Called while the run waits for its encoders, at most kRunWaitSlice apart.
    virtual void Dispatch() = 0;
    // A row has its outcome, in the order the rows end.
    virtual void RowEnded(const RowResult& result) = 0;
    // True once no further row may start: the running ones are being ended.
    virtual bool Stopping() const = 0;
};

}  // namespace kestrune::unit1
