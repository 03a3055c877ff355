// Whether the program runs under Wine, which imitates some Windows figures without giving
// their true values.
#pragma once

namespace kestrune::platform::win32 {

// True when ntdll exports wine_get_version, as Wine's does and Windows' never.
bool IsWine();

}  // namespace kestrune::platform::win32
