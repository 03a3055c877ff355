// Owners of the Windows objects the back end creates: windows, menus, GDI objects, image
// lists, shell item lists and device contexts (of a window, or in memory). Each frees its
// object with the function Windows names for it, once.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <memory>
#include <type_traits>

namespace kestrune::toolkit::win32 {

struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

struct GdiObjectDeleter {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using BrushHandle = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct ImageListDeleter {
    void operator()(HIMAGELIST images) const { ImageList_Destroy(images); }
};
using ImageListHandle = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

struct ItemListDeleter {
    void operator()(ITEMIDLIST* items) const { CoTaskMemFree(items); }
};
using ItemListHandle = std::unique_ptr<ITEMIDLIST, ItemListDeleter>;

// The device context of a window, released again, with one font selected into it for as long
// as it lives.
class WindowDc {
public:
    WindowDc(HWND window, HFONT font)
        : window_(window), dc_(GetDC(window)), oldFont_(SelectObject(dc_, font)) {}
    ~WindowDc() {
        SelectObject(dc_, oldFont_);
        ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ oldFont_;
};

// A memory device context that draws into a bitmap for as long as it lives.
class MemoryDc {
public:
    explicit MemoryDc(HBITMAP bitmap)
        : dc_(CreateCompatibleDC(nullptr)), oldBitmap_(SelectObject(dc_, bitmap)) {}
    ~MemoryDc() {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ oldBitmap_;
};

}  // namespace kestrune::toolkit::win32
