// Lines are written whole and flushed at once, so that a script reading them sees each file
// as soon as it has ended.
#include "app/ConsoleRunSink.h"

#include "platform/Console.h"
#include "platform/TextCodec.h"

#include <cstdio>

namespace kestrune::app {

namespace {

constexpr std::chrono::milliseconds kProgressInterval{250};

void Write(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

std::string MinutesAndSeconds(std::int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

}  // namespace

std::string_view ResultWord(const unit1::RowResult& result) {
    if (!result.failure) {
        return result.copied ? "copied" : "encoded";
    }
    switch (*result.failure) {
        case unit1::RowFailure::StoppedAsIdle:
            return "stalled";
        case unit1::RowFailure::Skipped:
            return "skipped";
        case unit1::RowFailure::NotMp3:
            return "not-valid";
        default:
            return "failed";
    }
}

std::string ResultLine(const unit1::RowResult& result) {
    return result.sourcePath + '\t' + result.outputPath + '\t' + std::string(ResultWord(result)) +
           '\t' + std::to_string(result.bytesBefore) + '\t' + std::to_string(result.bytesAfter) +
           '\t' + Seconds(result.seconds);
}

ConsoleRunSink::ConsoleRunSink(cpuusage::CpuUsageMonitor& monitor, std::size_t rowCount)
    : watchdog_(monitor), rowCount_(rowCount), progressShown_(platform::IsTerminal(stderr)) {}

ConsoleRunSink::~ConsoleRunSink() {
    if (progressShown_ && progressLength_ > 0) {
        Write(stderr, "\n");
    }
}

processmp3::EncoderWatch& ConsoleRunSink::EncoderStarted(const unit1::FileEntry& /*row*/,
                                                         processmp3::WatchedEncoder encoder) {
    return watchdog_.Begin(std::move(encoder));
}

processmp3::EncoderWatch ConsoleRunSink::EncoderEnded(const processmp3::EncoderWatch& watch) {
    return watchdog_.End(watch);
}

void ConsoleRunSink::Dispatch() {
    if (platform::InterruptRequested() && !interrupted_) {
        interrupted_ = true;
        watchdog_.AbortAll();
    }
    const auto now = Clock::now();
    if (now >= nextTick_) {
        watchdog_.Tick();
        nextTick_ = now + std::chrono::milliseconds(processmp3::kWatchdogInterval);
    }
    if (now >= nextProgress_) {
        ShowProgress();
    }
}

void ConsoleRunSink::RowEnded(const unit1::RowResult& result) {
    ++ended_;
    if (result.failure) {
        ClearProgress();
        Write(stderr, result.sourcePath + ": " + unit1::FailureText(result) +
                          (result.detail.empty() ? "" : ": " + result.detail) + "\n");
    } else {
        ++encoded_;
        bytesSaved_ += result.bytesBefore - result.bytesAfter;
    }
    Write(stdout, ResultLine(result) + "\n");
    ShowProgress();
}

bool ConsoleRunSink::Stopping() const {
    return interrupted_ || platform::InterruptRequested();
}

void ConsoleRunSink::ShowProgress() {
    if (!progressShown_) {
        return;
    }
    const auto now = Clock::now();
    nextProgress_ = now + kProgressInterval;
    std::string line = "Файлов: " + std::to_string(ended_) + " из " + std::to_string(rowCount_) +
                       ", сэкономлено " +
                       std::to_string(bytesSaved_ / (std::int64_t{1024} * 1024)) + " МБ";
    if (ended_ > 0 && ended_ < rowCount_) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now - started_);
        const auto left = elapsed.count() * static_cast<std::int64_t>(rowCount_ - ended_) /
                          static_cast<std::int64_t>(ended_);
        line += ", осталось около " + MinutesAndSeconds(left);
    }
    // Blanks cover the end of a longer line shown before.
    const std::size_t length = platform::CountCharacters(line);
    line.append(progressLength_ > length ? progressLength_ - length : 0, ' ');
    progressLength_ = length;
    Write(stderr, "\r" + line);
}

void ConsoleRunSink::ClearProgress() {
    if (progressShown_ && progressLength_ > 0) {
        std::string blank(progressLength_ + 2, ' ');
        blank.front() = '\r';
        blank.back() = '\r';
        Write(stderr, blank);
        progressLength_ = 0;
    }
}

}  // namespace kestrune::app
