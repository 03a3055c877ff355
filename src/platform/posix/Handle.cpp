// POSIX handles are descriptors, released with close(2).
#include "platform/Handle.h"

#include <unistd.h>

namespace kestrune::platform {

void CloseNativeHandle(NativeHandle handle) {
    if (handle != kNoHandle) {
        ::close(static_cast<int>(handle));
    }
}

}  // namespace kestrune::platform
