// Windows handles are released with CloseHandle.
#include "platform/Handle.h"

#include <windows.h>

namespace kestrune::platform {

void CloseNativeHandle(NativeHandle handle) {
    if (handle != kNoHandle) {
        ::CloseHandle(reinterpret_cast<HANDLE>(handle));
    }
}

}  // namespace kestrune::platform
