// A handle of the operating system (a descriptor on POSIX, a HANDLE on Windows) and its
// owner, which closes it when it goes. kNoHandle means no handle is held: a value that names
// nothing on its system (on Windows -1 would be the current process's own pseudo-handle).
#pragma once

#include <cstdint>
#include <utility>

namespace kestrune::platform {

using NativeHandle = std::intptr_t;
#ifdef _WIN32
inline constexpr NativeHandle kNoHandle = 0;
#else
inline constexpr NativeHandle kNoHandle = -1;
#endif

// Releases a handle; kNoHandle is ignored.
void CloseNativeHandle(NativeHandle handle);

class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(NativeHandle handle) : handle_(handle) {}
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, kNoHandle)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, kNoHandle));
        }
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() { CloseNativeHandle(handle_); }

    NativeHandle Get() const { return handle_; }
    bool IsOpen() const { return handle_ != kNoHandle; }
    // Gives up ownership without closing.
    NativeHandle Release() { return std::exchange(handle_, kNoHandle); }
    // Closes the held handle and takes the given one instead.
    void Reset(NativeHandle handle = kNoHandle) {
        CloseNativeHandle(std::exchange(handle_, handle));
    }

private:
    NativeHandle handle_ = kNoHandle;
};

}  // namespace kestrune::platform
