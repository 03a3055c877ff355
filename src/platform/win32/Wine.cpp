// Asks ntdll once; the answer cannot change while the program runs.
#include "platform/win32/Wine.h"

#include <windows.h>

namespace kestrune::platform::win32 {

bool IsWine() {
    static const bool wine = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

}  // namespace kestrune::platform::win32
