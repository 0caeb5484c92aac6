// One move-only owner per Win32 handle kind, all from one template, and every kind's traits.
#pragma once

#include <windows.h>

#include <atomic>
#include <utility>

namespace zelvora {

// Kinds that share a family share one count of live handles: the leak tests count GDI objects
// whatever their type.
template <typename Traits>
struct HandleFamily {
    using Type = Traits;
};
template <typename Traits>
requires requires
{
    typename Traits::Family;
}
struct HandleFamily<Traits> {
    using Type = typename Traits::Family;
};
template <typename Family>
inline std::atomic<long> liveHandles{0};

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) { Adopted(handle_); }
    ~UniqueHandle() { reset(); }

    // Handles of this kind owned right now, across the process: the leak tests watch it.
    static long Live() { return live_.load(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }

    Handle release()
    {
        if (handle_ != Traits::Invalid()) --live_;
        return std::exchange(handle_, Traits::Invalid());
    }
    void reset(Handle handle = Traits::Invalid())
    {
        if (handle == handle_) return;
        const Handle old = std::exchange(handle_, handle);
        Adopted(handle_);
        if (old != Traits::Invalid()) {
            --live_;
            Traits::Close(old);
        }
    }

private:
    static void Adopted(Handle handle)
    {
        if (handle != Traits::Invalid()) ++live_;
    }

    Handle handle_ = Traits::Invalid();
    static constexpr std::atomic<long>& live_ = liveHandles<typename HandleFamily<Traits>::Type>;
};

struct WindowTraits {
    using Handle = HWND;
    static HWND Invalid() { return nullptr; }
    static void Close(HWND h) { DestroyWindow(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static HGDIOBJ Invalid() { return nullptr; }
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
// A pen, brush, font, bitmap or region: typed, so no cast is needed where it is used.
template <typename H>
struct TypedGdiTraits {
    using Handle = H;
    using Family = GdiObjectTraits;
    static H Invalid() { return nullptr; }
    static void Close(H h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static HDC Invalid() { return nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
struct IconTraits {
    using Handle = HICON;
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};
struct HookTraits {
    using Handle = HHOOK;
    static HHOOK Invalid() { return nullptr; }
    static void Close(HHOOK h) { UnhookWindowsHookEx(h); }
};
struct KernelObjectTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static HGLOBAL Invalid() { return nullptr; }
    static void Close(HGLOBAL h) { GlobalFree(h); }
};
struct RegistryKeyTraits {
    using Handle = HKEY;
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};

using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniquePen = UniqueHandle<TypedGdiTraits<HPEN>>;
using UniqueBrush = UniqueHandle<TypedGdiTraits<HBRUSH>>;
using UniqueFont = UniqueHandle<TypedGdiTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<TypedGdiTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<TypedGdiTraits<HRGN>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueHook = UniqueHandle<HookTraits>;
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;  // events and the like
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

// One paint of a window: BeginPaint now, EndPaint however the painting ends, so a paint that
// throws does not leave the window invalid (and ask for the same failing paint again).
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return dc_; }
    const PAINTSTRUCT& Info() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A device context from GetDC/GetDCEx: releasing it needs the window it came from.
class WindowDc {
public:
    WindowDc() = default;
    WindowDc(HWND window, HDC dc) : window_(window), dc_(dc) {}
    ~WindowDc() { reset(); }
    WindowDc(WindowDc&& other) noexcept : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&& other) noexcept
    {
        if (this != &other) {
            reset();
            window_ = other.window_;
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void reset()
    {
        if (HDC dc = std::exchange(dc_, nullptr)) ReleaseDC(window_, dc);
    }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back when it goes.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject()
    {
        if (dc_ && previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace zelvora
