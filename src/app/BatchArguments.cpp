// Options are read one by one; a value comes as the next argument, or joined to a short
// option ("-j1") or after "=" to a long one ("--encoder=PATH"). Whatever is not an option is
// a file or folder, and so is everything after "--".
#include "app/BatchArguments.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

namespace kestrune::app {

namespace {

std::optional<int> NumberOf(std::string_view text) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end || text.empty()) {
        return std::nullopt;
    }
    return number;
}

std::string BitRateList() {
    std::string list;
    for (const int rate : unit1::kBitRates) {
        list += (list.empty() ? "" : ", ") + std::to_string(rate);
    }
    return list;
}

// "V0 245, V1 225, ..." in lines as wide as the usage's.
std::string NominalVbrRateList() {
    std::string list;
    for (std::size_t quality = 0; quality < unit1::kNominalVbrRates.size(); ++quality) {
        if (quality > 0) {
            list += quality % 5 == 0 ? ",\n                  " : ", ";
        }
        list += 'V';
        list += std::to_string(quality);
        list += ' ';
        list += std::to_string(unit1::kNominalVbrRates[quality]);
    }
    return list;
}

constexpr std::string_view kShortValueOptions[] = {"-o", "-b", "-V", "-j"};
constexpr std::string_view kLongValueOption = "--encoder";

bool IsValueOption(std::string_view option) {
    return option == kLongValueOption ||
           std::ranges::find(kShortValueOptions, option) != std::end(kShortValueOptions);
}

// An option with its value in the same argument: "-j1", "--encoder=PATH".
std::optional<std::pair<std::string, std::string>> JoinedValue(std::string_view argument) {
    for (const std::string_view option : kShortValueOptions) {
        if (argument.size() > option.size() && argument.starts_with(option)) {
            return std::pair{std::string(option), std::string(argument.substr(option.size()))};
        }
    }
    const std::string prefix = std::string(kLongValueOption) + "=";
    if (argument.starts_with(prefix)) {
        return std::pair{std::string(kLongValueOption),
                         std::string(argument.substr(prefix.size()))};
    }
    return std::nullopt;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    std::variant<BatchArguments, ArgumentError> Parse() {
        bool optionsEnded = false;
        while (next_ < arguments_.size()) {
            const std::string& argument = arguments_[next_++];
            if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
                if (argument == "-" && !optionsEnded) {
                    parsed_.pathsFromInput = true;
                } else {
                    parsed_.paths.push_back(argument);
                }
            } else if (argument == "--") {
                optionsEnded = true;
            } else if (!Option(argument)) {
                return ArgumentError{error_};
            }
        }
        if (parsed_.help || parsed_.version) {
            return parsed_;
        }
        if (bitRateGiven_ && qualityGiven_) {
            return ArgumentError{"укажите либо -b, либо -V, но не оба"};
        }
        if (noTags_ && (id3v1_ || id3v2_)) {
            return ArgumentError{"--no-tags нельзя указать вместе с --id3v1 или --id3v2"};
        }
        if (noTags_ || id3v1_ || id3v2_) {
            parsed_.options.tagV1 = id3v1_;
            parsed_.options.tagV2 = id3v2_;
        }
        if (parsed_.outputFolder.empty()) {
            return ArgumentError{"не указана папка для сжатых файлов (-o ПАПКА)"};
        }
        if (parsed_.paths.empty() && !parsed_.pathsFromInput) {
            return ArgumentError{"не указаны файлы или папки"};
        }
        return parsed_;
    }

private:
    // Takes one option, with its value when it has one. False with error_ set when wrong.
    bool Option(const std::string& option) {
        if (option == "--help" || option == "-h") {
            parsed_.help = true;
        } else if (option == "--version") {
            parsed_.version = true;
        } else if (option == "--mono") {
            parsed_.options.mono = true;
        } else if (option == "--id3v1") {
            id3v1_ = true;
        } else if (option == "--id3v2") {
            id3v2_ = true;
        } else if (option == "--no-tags") {
            noTags_ = true;
        } else if (option == "--keep-folders") {
            parsed_.keepFolders = true;
        } else if (option == "--never-larger") {
            parsed_.neverLarger = true;
        } else if (option == "--settings") {
            parsed_.fromSettings = true;
        } else if (option == "--dry-run") {
            parsed_.dryRun = true;
        } else if (option == "-0") {
            parsed_.nulSeparated = true;
        } else if (IsValueOption(option)) {
            if (next_ == arguments_.size()) {
                error_ = "у параметра " + option + " нет значения";
                return false;
            }
            return OptionValue(option, arguments_[next_++]);
        } else if (const auto joined = JoinedValue(option)) {
            return OptionValue(joined->first, joined->second);
        } else {
            error_ = "неизвестный параметр " + option;
            return false;
        }
        return true;
    }

    bool OptionValue(const std::string& option, const std::string& value) {
        const std::optional<int> number = NumberOf(value);
        if (option == "-o") {
            parsed_.outputFolder = value;
        } else if (option == "--encoder") {
            parsed_.encoderPath = value;
        } else if (option == "-b") {
            if (!number || std::ranges::find(unit1::kBitRates, *number) == unit1::kBitRates.end()) {
                error_ = "битрейт " + value + " не поддерживается (можно: " + BitRateList() + ")";
                return false;
            }
            bitRateGiven_ = true;
            parsed_.options.constantBitRate = true;
            parsed_.options.variableBitRate = false;
            parsed_.options.bitRateText = value;
        } else if (option == "-V") {
            if (!number || *number < unit1::kBestQuality || *number > unit1::kLowestQuality) {
                error_ = "качество VBR " + value + " вне пределов 0..9";
                return false;
            }
            qualityGiven_ = true;
            parsed_.options.constantBitRate = false;
            parsed_.options.variableBitRate = true;
            parsed_.options.vbrQuality = *number;
        } else if (option == "-j") {
            if (!number || *number < 0) {
                error_ = "число кодеров " + value + " должно быть целым, не меньше 0";
                return false;
            }
            parsed_.encoders = *number;
        }
        return true;
    }

    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
    BatchArguments parsed_;
    std::string error_;
    bool bitRateGiven_ = false;
    bool qualityGiven_ = false;
    bool id3v1_ = false;
    bool id3v2_ = false;
    bool noTags_ = false;
};

}  // namespace

std::variant<BatchArguments, ArgumentError> ParseBatchArguments(
    const std::vector<std::string>& arguments) {
    return Parser(arguments).Parse();
}

std::string BatchUsage() {
    return "Использование: kestrune-batch [ПАРАМЕТРЫ] -o ПАПКА ФАЙЛ|ПАПКА...\n"
           "Сжимает файлы MP3 кодеком LAME так же, как окно Kestrune, без окна.\n"
           "\n"
           "  -o ПАПКА        папка для сжатых файлов (должна существовать)\n"
           "  ФАЙЛ|ПАПКА      файлы MP3; из папки берутся все файлы *.mp3 в ней и в её\n"
           "                  вложенных папках, кроме скрытых\n"
           "  -               читать пути со стандартного ввода, по одному в строке\n"
           "  -0              пути со стандартного ввода разделены нулевым байтом\n"
           "  -b КБИТ/С       постоянный битрейт: 32, 40, 48, 56, 64, 80, 96, 112, 128, 160,\n"
           "                  224 или 256 (по умолчанию 32)\n"
           "  -V 0..9         переменный битрейт с этим качеством (0 — лучшее)\n"
           "  --mono          моно\n"
           "  --id3v1         записать тег ID3v1\n"
           "  --id3v2         записать тег ID3v2 (версии 2.3)\n"
           "  --no-tags       не записывать значения тегов (тег ID3v2 исходного файла\n"
           "                  переносится как есть); по умолчанию — только ID3v1, как в окне\n"
           "  -j N            сколько кодеров сразу; 0 — по числу процессоров (по умолчанию)\n"
           "  --encoder ПУТЬ  кодек LAME (по умолчанию ищется так же, как в окне)\n"
           "  --keep-folders  сохранять структуру папок: файлы из папки ПАПКА/А/Б пишутся\n"
           "                  в -o ПАПКА/ПАПКА/А/Б вместе с картинками (*.jpg, *.png, ...)\n"
           "  --never-larger  не делать файлы больше исходных: файл с битрейтом не выше\n"
           "                  заданного (для VBR: " +
           NominalVbrRateList() +
           " кбит/с)\n"
           "                  и файл, который вышел бы больше исходного, копируются\n"
           "                  с новыми тегами\n"
           "  --settings      взять кодек, число кодеров и эти два переключателя\n"
           "                  из Kestrune.ini\n"
           "  --dry-run       только напечатать командные строки кодека, ничего не запуская\n"
           "  --help          эта справка\n"
           "  --version       версия программы\n"
           "\n"
           "Стандартный вывод: по строке на каждый законченный файл, поля через табуляцию:\n"
           "исходный файл, сжатый файл, итог (encoded, copied, failed, stalled, skipped,\n"
           "not-valid), "
           "байт до, байт после, секунд. Причины неудач — в стандартный поток ошибок.\n"
           "Код выхода: 0 — сжаты все файлы, 1 — не все, 2 — неверные параметры,\n"
           "130 — прервано (Ctrl+C).\n";
}

}  // namespace kestrune::app
