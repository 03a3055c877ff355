// kestrune: builds the main window and runs the message loop until it is closed.
#include "Unit1/BuildMainWindow.h"
#include "adCpuUsage/CpuUsageError.h"

int main() {
    using namespace kestrune;
    std::unique_ptr<unit1::MainWindow> w;
    try {
        w = unit1::BuildMainWindow();
    } catch (const cpuusage::CpuUsageError& error) {
        // Without its processor-load sampler the program cannot watch its encoder.
        toolkit::ShowMessage(nullptr, std::string("Kestrune не может запуститься: ") + error.what(),
                             "Kestrune");
        return 1;
    }
    toolkit::RunMessageLoop(*w->window);
    return 0;
}
