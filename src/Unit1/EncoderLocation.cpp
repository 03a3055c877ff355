// The encoder search: a question, the shared open dialog with the encoder's name as its
// only filter, and the closing of the program when no encoder comes of it.
#include "Unit1/EncoderLocation.h"

#include "platform/AsciiText.h"
#include "platform/Locations.h"

namespace kestrune::unit1 {

namespace {

// The open dialog's only filter: the encoder's own file name.
toolkit::FileFilter EncoderFilter() {
    const std::string name(platform::EncoderFileName());
    return {"MP3 Encoder " + platform::AsciiUpper(name), name};
}

}  // namespace

std::string EncoderMissingMessage() {
    return "К сожалению, без LAME.EXE программа не будет работать\r\n"
           "       Рабочую версию кодека можно взять здесь:\r\n"
           "           " KESTRUNE_DOWNLOAD_SITE
           "/progs/lame.zip\r\n"
           "                   или здесь:\r\n"
           "             https://lame.sourceforge.io/ ";
}

bool IsEncoderFileName(std::string_view path, std::string_view upperCaseName,
                       platform::PathSeparators separators) {
    return platform::AsciiUpper(platform::FileNameOf(path, separators)) == upperCaseName;
}

void LocateEncoder(MainWindow& w) {
    toolkit::Window& window = *w.window;
    const std::string caption = window.Caption();
    const toolkit::MessageAnswer answer =
        toolkit::ShowMessage(&window, "Не найден кодек LAME.EXE\r\n         Будем искать?", caption,
                             toolkit::MessageButtons::YesNo);
    if (answer == toolkit::MessageAnswer::Yes) {
        w.openDialog->SetFilters({EncoderFilter()});
        w.openDialog->SetInitialFolder(std::string(platform::EncoderSearchFolder()));
        w.openDialog->SetTitle("Поиск кодека LAME");
        const auto picked = w.openDialog->Execute();
        if (picked && IsEncoderFileName(*picked, platform::AsciiUpper(platform::EncoderFileName()),
                                        platform::kNativeSeparators)) {
            w.encoderPath = *picked;
            return;
        }
        toolkit::ShowMessage(&window, EncoderMissingMessage(), caption);
    } else {
        toolkit::ShowMessage(&window, EncoderMissingMessage(), caption, toolkit::MessageButtons::Ok,
                             toolkit::MessageIcon::Information);
    }
    window.PostClose();
}

}  // namespace kestrune::unit1
