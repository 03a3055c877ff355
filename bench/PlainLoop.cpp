#include "PlainLoop.h"

#include "Unit1/EncoderCommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace kestrune::bench {

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

std::string EmptyFolder(const std::filesystem::path& path) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path.string();
}

double TimePlainLoop(const unit1::RunPlan& plan, const std::filesystem::path& root,
                     unsigned processors) {
    const std::string folder = EmptyFolder(root / "loop");
    const std::string lines = (root / "lines.txt").string();
    {
        std::ofstream out(lines);
        for (std::size_t row = 0; row < plan.rows.size(); ++row) {
            out << unit1::EncoderLineOfRow(plan, row,
                                           unit1::OutputPath(folder, plan.rows[row].outputName))
                << "\n";
        }
    }
    const std::string command =
        "xargs -d '\\n' -n 1 -P " + std::to_string(processors) + " sh -c <" + lines;
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "the plain loop failed\n");
        std::exit(1);
    }
    return Seconds(Clock::now() - start);
}

}  // namespace kestrune::bench
