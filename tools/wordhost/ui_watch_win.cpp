#include "tools/wordhost/ui_watch_win.h"

#include "common/text_win.h"
#include "tools/wordhost/report_win.h"

#include <algorithm>

namespace wordhost {
namespace {

constexpr const wchar_t* kAboutCaption = L"About";

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    const int n = ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(n, 0)));
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

std::vector<HWND> WindowsOfThisProcess(const wchar_t* className, const wchar_t* caption) {
    struct Search {
        const wchar_t* className;
        const wchar_t* caption;
        std::vector<HWND> found;
    } search{className, caption, {}};
    ::EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(p);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hwnd, &pid);
            if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd)) {
                return TRUE;
            }
            if (s.className != nullptr && ClassName(hwnd) != s.className) {
                return TRUE;
            }
            if (s.caption != nullptr && WindowText(hwnd) != s.caption) {
                return TRUE;
            }
            s.found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    ::EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

} // namespace

void Pump(DWORD milliseconds) {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (milliseconds > 0) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    } while (::GetTickCount64() < end);
}

MessageBoxWatch::MessageBoxWatch()
    : thread_(::CreateThread(nullptr, 0, &MessageBoxWatch::Run, this, 0, nullptr)) {}

MessageBoxWatch::~MessageBoxWatch() {
    Stop();
}

void MessageBoxWatch::Stop() {
    stop_ = true;
    if (thread_) {
        ::WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }
}

DWORD WINAPI MessageBoxWatch::Run(void* self) {
    auto& w = *static_cast<MessageBoxWatch*>(self);
    while (!w.stop_) {
        for (HWND box : WindowsOfThisProcess(L"#32770", nullptr)) {
            std::string report = "  message box: caption " + Escaped(WindowText(box)) + " text " +
                                 Escaped(WindowText(::GetDlgItem(box, 0xFFFF)));
            std::string buttons;
            for (HWND child : Children(box)) {
                if (ClassName(child) == L"Button") {
                    buttons += (buttons.empty() ? "" : ",") + tavlin::WideToUtf8(WindowText(child));
                }
            }
            w.seen_.push_back(report + " buttons " + buttons + "\n");
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            // Wait for this box to go before looking for another.
            for (int i = 0; i < 500 && ::IsWindow(box); ++i) {
                ::Sleep(10);
            }
        }
        ::Sleep(10);
    }
    return 0;
}

bool AboutWindowOpen() {
    return !WindowsOfThisProcess(nullptr, kAboutCaption).empty();
}

std::string AboutReport() {
    const std::vector<HWND> windows = WindowsOfThisProcess(nullptr, kAboutCaption);
    std::string report = "  about windows: " + std::to_string(windows.size()) + "\n";
    for (HWND w : windows) {
        std::string texts;
        for (HWND child : Children(w)) {
            const std::wstring text = WindowText(child);
            if (!text.empty()) {
                texts += (texts.empty() ? "" : " | ") + tavlin::WideToUtf8(text);
            }
        }
        report += "  about: caption " + Escaped(WindowText(w)) + " texts " + texts + "\n";
    }
    return report;
}

bool CloseAboutWindows() {
    bool pressed = false;
    for (HWND w : WindowsOfThisProcess(nullptr, kAboutCaption)) {
        for (HWND child : Children(w)) {
            if (ClassName(child) == L"Button" && WindowText(child) == L"OK") {
                ::SendMessageW(child, BM_CLICK, 0, 0);
                pressed = true;
            }
        }
    }
    Pump(0);
    return pressed && !AboutWindowOpen();
}

} // namespace wordhost
