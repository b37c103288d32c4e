// Small owning types for Win32 handles. Each owns one handle, cannot be copied,
// can be moved, and releases its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace fw {

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle h) noexcept : m_h(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return m_h != Traits::Invalid(); }

    Handle release() noexcept { return std::exchange(m_h, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid()) noexcept {
        Handle old = std::exchange(m_h, h);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    Handle m_h = Traits::Invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
struct MappedViewTraits {
    using Handle = const void*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::UnmapViewOfFile(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::RegCloseKey(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyMenu(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueMappedView = UniqueHandle<MappedViewTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

// A window's device context, released when the object goes.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) noexcept : m_hwnd(hwnd), m_hdc(::GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (m_hdc) ::ReleaseDC(m_hwnd, m_hdc);
    }
    HDC get() const noexcept { return m_hdc; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// Selects an object into a device context and selects the previous one back.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC hdc, HGDIOBJ obj) noexcept
        : m_hdc(hdc), m_old(obj ? ::SelectObject(hdc, obj) : nullptr) {}
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ~ScopedSelectObject() {
        if (m_old) ::SelectObject(m_hdc, m_old);
    }

private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

}  // namespace fw
