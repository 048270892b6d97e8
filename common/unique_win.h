// Owners of the Windows resources the deliverables hold.
#pragma once

#include "common/unique_resource.h"

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

namespace tavlin {

struct HkeyTraits {
    static HKEY Invalid() noexcept { return nullptr; }
    static void Close(HKEY key) noexcept { ::RegCloseKey(key); }
};
using UniqueHkey = UniqueResource<HkeyTraits>;

struct HandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE handle) noexcept { ::CloseHandle(handle); }
};
using UniqueHandle = UniqueResource<HandleTraits>;

struct HmoduleTraits {
    static HMODULE Invalid() noexcept { return nullptr; }
    static void Close(HMODULE module) noexcept { ::FreeLibrary(module); }
};
using UniqueHmodule = UniqueResource<HmoduleTraits>;

struct BstrTraits {
    static BSTR Invalid() noexcept { return nullptr; }
    static void Close(BSTR text) noexcept { ::SysFreeString(text); }
};
using UniqueBstr = UniqueResource<BstrTraits>;

struct GdiObjectTraits {
    static HGDIOBJ Invalid() noexcept { return nullptr; }
    static void Close(HGDIOBJ object) noexcept { ::DeleteObject(object); }
};
using UniqueGdiObject = UniqueResource<GdiObjectTraits>;

struct CursorTraits {
    static HCURSOR Invalid() noexcept { return nullptr; }
    static void Close(HCURSOR cursor) noexcept { ::DestroyCursor(cursor); }
};
using UniqueCursor = UniqueResource<CursorTraits>;

struct HookTraits {
    static HHOOK Invalid() noexcept { return nullptr; }
    static void Close(HHOOK hook) noexcept { ::UnhookWindowsHookEx(hook); }
};
using UniqueHook = UniqueResource<HookTraits>;

// A window's device context (the screen's for nullptr), given back exactly
// once; with a font, that font is selected into it until then. Measuring
// text is what every window here uses one for.
class WindowDc {
public:
    explicit WindowDc(HWND window, HGDIOBJ font = nullptr) : window_(window), dc_(::GetDC(window)) {
        if (dc_ != nullptr && font != nullptr) {
            old_ = ::SelectObject(dc_, font);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ == nullptr) {
            return;
        }
        if (old_ != nullptr) {
            ::SelectObject(dc_, old_);
        }
        ::ReleaseDC(window_, dc_);
    }
    [[nodiscard]] HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

// A VARIANT cleared on every exit path.
class UniqueVariant {
public:
    UniqueVariant() noexcept { ::VariantInit(&variant_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { ::VariantClear(&variant_); }
    VARIANT* get() noexcept { return &variant_; }
    VARIANT* put() noexcept {
        ::VariantClear(&variant_);
        return &variant_;
    }
    VARIANT& operator*() noexcept { return variant_; }

private:
    VARIANT variant_;
};

} // namespace tavlin
