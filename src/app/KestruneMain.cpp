// kestrune [FILE|FOLDER]...: builds the main window, lists the MP3 files named on the command
// line as if they had been dropped on the list, and runs the message loop until the window
// is closed. A file manager's "Open with", a drop on the program and "Send to" hand files
// over this way.
#include "Unit1/BuildMainWindow.h"
#include "Unit1/FileDrop.h"
#include "Unit1/StartupArguments.h"
#include "adCpuUsage/CpuUsageError.h"
#include "platform/ProgramArguments.h"

#include <cstdio>

namespace {

// Without a way to sample the processors' load the program does not start; the sampler's
// own message is English and names Windows, so the user is told in Russian what is missing.
constexpr const char* kNoLoadSampler =
#ifdef _WIN32
    "Kestrune не может запуститься: не удалось определить версию Windows.";
#else
    "Kestrune не может запуститься: не удаётся прочитать загрузку процессоров (/proc/stat).";
#endif

}  // namespace

int main(int argc, char** argv) {
    using namespace kestrune;
    const unit1::StartupRequest request =
        unit1::ReadStartupArguments(platform::ProgramArguments(argc, argv));
    if (request.message) {
#ifdef _WIN32  // a program without a console
        toolkit::ShowMessage(nullptr, *request.message, "Kestrune");
#else
        std::fputs(request.message->c_str(), request.exitStatus == 0 ? stdout : stderr);
#endif
        return request.exitStatus;
    }
    std::unique_ptr<unit1::MainWindow> w;
    try {
        w = unit1::BuildMainWindow();
    } catch (const cpuusage::CpuUsageError&) {
        toolkit::ShowMessage(nullptr, kNoLoadSampler, "Kestrune");
        return 1;
    }
    if (!request.paths.empty()) {
        unit1::AddDroppedFiles(*w, request.paths);
    }
    toolkit::RunMessageLoop(*w->window);
    return 0;
}
