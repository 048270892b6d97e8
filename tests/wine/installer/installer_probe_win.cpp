// What the installer's Wine tests need from inside Windows:
//   installer-probe message SECONDS [ok|cancel|retry]
//       waits for a message box, prints its caption and text (UTF-8) and,
//       when told, presses one of its buttons; exit 1 when none appears.
//   installer-probe click SECONDS TEXT
//       waits until a wizard page shows an enabled button labelled TEXT
//       ("&Next >", "&Install", "&Finish") and presses it; exit 1 when none
//       appears. Pages change at their own pace under load, so the test
//       waits for the button rather than for a guessed time.
//   installer-probe short PATH
//       prints the 8.3 name Windows gives PATH; exit 1 when it has none.
#include "common/text_win.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void PrintUtf8(const std::wstring& text) {
    const std::string utf8 = tavlin::WideToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A message box is an owned dialog whose text is the static control 0xFFFF.
// The wizard is a dialog too, with static controls of that id on its pages,
// but nothing owns it.
HWND FindMessageBox() {
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            wchar_t cls[16] = {};
            ::GetClassNameW(window, cls, 16);
            if (std::wcscmp(cls, L"#32770") != 0 || !::IsWindowVisible(window)) {
                return TRUE;
            }
            HWND text = ::GetDlgItem(window, 0xFFFF);
            if (text == nullptr || ::GetWindow(window, GW_OWNER) == nullptr) {
                return TRUE;
            }
            *reinterpret_cast<HWND*>(param) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

int Message(int seconds, const wchar_t* button) {
    int id = 0;
    if (button != nullptr) {
        id = std::wcscmp(button, L"ok") == 0       ? IDOK
             : std::wcscmp(button, L"cancel") == 0 ? IDCANCEL
             : std::wcscmp(button, L"retry") == 0  ? IDRETRY
                                                   : -1;
        if (id < 0) {
            return 2;
        }
    }
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        if (HWND box = FindMessageBox()) {
            PrintUtf8(WindowText(box));
            PrintUtf8(WindowText(::GetDlgItem(box, 0xFFFF)));
            if (id != 0) {
                HWND pressed = ::GetDlgItem(box, id);
                if (pressed == nullptr) {
                    return 3;
                }
                ::SendMessageW(pressed, BM_CLICK, 0, 0);
            }
            return 0;
        }
        ::Sleep(100);
    }
    return 1;
}

struct ButtonSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK FindButtonIn(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ButtonSearch*>(param);
    wchar_t cls[16] = {};
    ::GetClassNameW(child, cls, 16);
    if (_wcsicmp(cls, L"Button") == 0 && ::IsWindowVisible(child) && ::IsWindowEnabled(child) &&
        WindowText(child) == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

int Click(int seconds, const wchar_t* text) {
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        ButtonSearch search{text, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                wchar_t cls[16] = {};
                ::GetClassNameW(window, cls, 16);
                if (std::wcscmp(cls, L"#32770") == 0 && ::IsWindowVisible(window)) {
                    ::EnumChildWindows(window, FindButtonIn, param);
                }
                return reinterpret_cast<ButtonSearch*>(param)->found == nullptr;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(search.found, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
            return 0;
        }
        ::Sleep(100);
    }
    return 1;
}

int Short(const wchar_t* path) {
    wchar_t out[MAX_PATH] = {};
    const DWORD n = ::GetShortPathNameW(path, out, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        return 1;
    }
    PrintUtf8(out);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wcscmp(argv[1], L"message") == 0) {
        return Message(_wtoi(argv[2]), argc >= 4 ? argv[3] : nullptr);
    }
    if (argc == 4 && std::wcscmp(argv[1], L"click") == 0) {
        return Click(_wtoi(argv[2]), argv[3]);
    }
    if (argc == 3 && std::wcscmp(argv[1], L"short") == 0) {
        return Short(argv[2]);
    }
    std::fputs("usage: installer-probe message SECONDS [ok|cancel|retry] | click SECONDS TEXT | "
               "short PATH\n",
               stderr);
    return 2;
}
