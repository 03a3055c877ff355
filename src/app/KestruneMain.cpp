// kestrune: builds the main window and runs the message loop until it is closed.
#include "Unit1/BuildMainWindow.h"
#include "adCpuUsage/CpuUsageError.h"

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

int main() {
    using namespace kestrune;
    std::unique_ptr<unit1::MainWindow> w;
    try {
        w = unit1::BuildMainWindow();
    } catch (const cpuusage::CpuUsageError&) {
        toolkit::ShowMessage(nullptr, kNoLoadSampler, "Kestrune");
        return 1;
    }
    toolkit::RunMessageLoop(*w->window);
    return 0;
}
