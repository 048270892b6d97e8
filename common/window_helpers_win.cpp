#include "common/window_helpers_win.h"

#include "common/contrast.h"
#include "common/unique_win.h"

#include <shellapi.h>

#include <algorithm>

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

template <typename Function> Function User32Function(const char* name) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return user32 == nullptr ? nullptr
                             : reinterpret_cast<Function>(
                                   reinterpret_cast<void*>(::GetProcAddress(user32, name)));
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

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    using ContextOfWindowFn = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
    using AwarenessOfContextFn = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto getDpi = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    const auto contextOf = User32Function<ContextOfWindowFn>("GetWindowDpiAwarenessContext");
    static const auto awarenessOf =
        User32Function<AwarenessOfContextFn>("GetAwarenessFromDpiAwarenessContext");
    int dpi = 0;
    if (getDpi != nullptr && window != nullptr) {
        dpi = static_cast<int>(getDpi(window));
        // A per-monitor window's DPI is its monitor's, which may be below
        // the system's.
        if (dpi > 0 && contextOf != nullptr && awarenessOf != nullptr &&
            awarenessOf(contextOf(window)) == DPI_AWARENESS_PER_MONITOR_AWARE) {
            return dpi;
        }
    }
    // Wine answers 96 for a window of an unaware thread yet draws it at the
    // system DPI, unstretched: the larger of the two is what shows. Windows
    // gives such a thread 96 from GDI too, and stretches the window itself.
    const WindowDc screen(nullptr);
    const int system = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    dpi = std::max(dpi, system);
    return dpi > 0 ? dpi : 96;
}

int SystemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

int SystemMetricForDpi(int index, int dpi) {
    using MetricForDpiFn = int(WINAPI*)(int, UINT);
    const auto metricForDpi = User32Function<MetricForDpiFn>("GetSystemMetricsForDpi");
    if (metricForDpi != nullptr) {
        return metricForDpi(index, static_cast<UINT>(dpi));
    }
    return ::MulDiv(::GetSystemMetrics(index), dpi, SystemDpi());
}

SIZE FrameSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, clientWidth, clientHeight};
    if (adjustForDpi == nullptr ||
        !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        frame = {0, 0, clientWidth, clientHeight};
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

bool HighContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

COLORREF LinkColor() {
    const auto rgb = [](COLORREF colour) {
        return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    };
    const Rgb chosen = LinkColour(HighContrastOn(), rgb(::GetSysColor(COLOR_BTNFACE)),
                                  rgb(::GetSysColor(COLOR_HOTLIGHT)));
    return RGB(chosen.red, chosen.green, chosen.blue);
}

} // namespace tavlin
