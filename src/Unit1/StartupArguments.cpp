// Options are --help, --version and "--", after which everything is a path.
#include "Unit1/StartupArguments.h"

namespace kestrune::unit1 {

namespace {

constexpr const char* kUsage =
    "Использование: kestrune [ФАЙЛ|ПАПКА]...\n"
    "Открывает окно Kestrune; названные файлы MP3 и файлы MP3 из названных папок\n"
    "сразу попадают в список, как перетащенные на него.\n"
    "\n"
    "  --help      эта справка\n"
    "  --version   версия программы\n"
    "\n"
    "Без окна файлы сжимает kestrune-batch (kestrune-batch --help).\n";

constexpr int kWrongArguments = 2;

}  // namespace

StartupRequest ReadStartupArguments(const std::vector<std::string>& arguments) {
    StartupRequest request;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            return {.paths = {}, .message = kUsage};
        } else if (!optionsEnded && argument == "--version") {
            return {.paths = {}, .message = "Kestrune " KESTRUNE_VERSION "\n"};
        } else if (!optionsEnded && argument.size() > 1 && argument.starts_with('-')) {
            return {.paths = {},
                    .message = "kestrune: неизвестный параметр " + argument + "\n\n" + kUsage,
                    .exitStatus = kWrongArguments};
        } else {
            request.paths.push_back(argument);
        }
    }
    return request;
}

}  // namespace kestrune::unit1
