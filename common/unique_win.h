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
