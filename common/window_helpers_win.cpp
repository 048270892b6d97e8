#include "common/window_helpers_win.h"

#include <shellapi.h>

namespace tavlin {
namespace {

constexpr const wchar_t* kSkinProperty = L"Tavlin.Skin";

// Any address inside this module names it: inside Word that is the DLL, not
// WINWORD.EXE, so files are looked for beside the add-in.
HMODULE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

} // namespace

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(ThisModule(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        // A path that fills the buffer may have been cut short: grow and ask
        // again.
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring{} : path.substr(0, slash);
}

void OpenWebPage(HWND owner, std::wstring_view target) {
    const std::wstring file(target);
    const std::wstring folder = ProgramFolder();
    ::ShellExecuteW(owner, nullptr, file.c_str(), nullptr,
                    folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
}

bool FileExists(std::wstring_view path) {
    // The W call needs a terminated copy.
    const std::wstring terminatedPath(path);
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    return ::GetFileAttributesExW(terminatedPath.c_str(), GetFileExInfoStandard, &attributes) != 0;
}

bool ApplySkin(HWND window) {
    if (!FileExists(ProgramFolder() + std::wstring(kSkinFile))) {
        return false;
    }
    ::SetPropW(window, kSkinProperty, reinterpret_cast<HANDLE>(1));
    ::InvalidateRect(window, nullptr, TRUE);
    return true;
}

bool IsSkinned(HWND window) {
    return ::GetPropW(window, kSkinProperty) != nullptr;
}

HBRUSH SkinBackground(HWND window, HDC dc) {
    if (!IsSkinned(window)) {
        return nullptr;
    }
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

} // namespace tavlin
