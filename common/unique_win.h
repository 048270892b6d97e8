// Owners of the Windows resources the deliverables hold.
#pragma once

#include "common/unique_resource.h"

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

namespace tavlin {

struct HkeyTraits {
    static HKEY Invalid() noexcept { return nullptr; }
    static void Close(HKEY h) noexcept { ::RegCloseKey(h); }
};
using UniqueHkey = UniqueResource<HkeyTraits>;

struct HandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
using UniqueHandle = UniqueResource<HandleTraits>;

struct FindTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::FindClose(h); }
};
using UniqueFind = UniqueResource<FindTraits>;

struct HmoduleTraits {
    static HMODULE Invalid() noexcept { return nullptr; }
    static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
using UniqueHmodule = UniqueResource<HmoduleTraits>;

struct BstrTraits {
    static BSTR Invalid() noexcept { return nullptr; }
    static void Close(BSTR b) noexcept { ::SysFreeString(b); }
};
using UniqueBstr = UniqueResource<BstrTraits>;

struct GdiTraits {
    static HGDIOBJ Invalid() noexcept { return nullptr; }
    static void Close(HGDIOBJ h) noexcept { ::DeleteObject(h); }
};
using UniqueGdiObject = UniqueResource<GdiTraits>;

struct CursorTraits {
    static HCURSOR Invalid() noexcept { return nullptr; }
    static void Close(HCURSOR h) noexcept { ::DestroyCursor(h); }
};
using UniqueCursor = UniqueResource<CursorTraits>;

// A VARIANT cleared on every exit path.
class UniqueVariant {
public:
    UniqueVariant() noexcept { ::VariantInit(&v_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { ::VariantClear(&v_); }
    VARIANT* get() noexcept { return &v_; }
    VARIANT* put() noexcept {
        ::VariantClear(&v_);
        return &v_;
    }
    VARIANT& operator*() noexcept { return v_; }

private:
    VARIANT v_;
};

} // namespace tavlin
