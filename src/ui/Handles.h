// Owned Win32 handles. A borrowed handle stays a plain HWND / HFONT / ...
#pragma once

#include <windows.h>

#include <utility>

template <class T, class Deleter>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, T())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, T()));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != T() && handle_ != Deleter::Invalid(); }
    T release() { return std::exchange(handle_, T()); }
    void reset(T handle = T())
    {
        if (*this)
            Deleter::Free(handle_);
        handle_ = handle;
    }

private:
    T handle_ = T();
};

struct KernelHandleDeleter {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { CloseHandle(h); }
};
struct GdiObjectDeleter {
    static HGDIOBJ Invalid() { return nullptr; }
    static void Free(HGDIOBJ h) { DeleteObject(h); }
};
struct WindowDeleter {
    static HWND Invalid() { return nullptr; }
    static void Free(HWND h) { DestroyWindow(h); }
};
struct IconDeleter {
    static HICON Invalid() { return nullptr; }
    static void Free(HICON h) { DestroyIcon(h); }
};
struct MemoryDCDeleter {
    static HDC Invalid() { return nullptr; }
    static void Free(HDC h) { DeleteDC(h); }
};
struct LocalMemoryDeleter {
    static HLOCAL Invalid() { return nullptr; }
    static void Free(HLOCAL h) { LocalFree(h); }
};
struct GlobalMemoryDeleter {
    static HGLOBAL Invalid() { return nullptr; }
    static void Free(HGLOBAL h) { GlobalFree(h); }
};
struct FindDeleter {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { FindClose(h); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleDeleter>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, GdiObjectDeleter>;
using UniqueWindow = UniqueHandle<HWND, WindowDeleter>;
using UniqueIcon = UniqueHandle<HICON, IconDeleter>;
// A DC of CreateCompatibleDC (a window's own DC is a WindowDC).
using UniqueMemoryDC = UniqueHandle<HDC, MemoryDCDeleter>;
using UniqueLocalMemory = UniqueHandle<HLOCAL, LocalMemoryDeleter>;
using UniqueGlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryDeleter>;
// A search of FindFirstFileW.
using UniqueFind = UniqueHandle<HANDLE, FindDeleter>;

// A window's own device context, released at the end of the scope.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint of one WM_PAINT, also when painting fails part-way.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
    ~PaintScope() { EndPaint(window_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Get() const { return dc_; }
    const RECT& Area() const { return ps_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects a GDI object into a DC for one scope.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() { SelectObject(dc_, old_); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};
