// What the installer's Wine tests need from inside Windows:
//   installer-probe message SECONDS [ok|cancel|retry]
//       waits for a message box, prints its caption and text (UTF-8) and,
//       when told, presses one of its buttons; exit 1 when none appears.
//   installer-probe message SECONDS yes
//       the same, for a box asking yes or no.
//   installer-probe lone-message SECONDS [ok|cancel|retry]
//       the same for a box that no window owns, as one shown before the
//       wizard opens (by the installer's .onInit).
//   installer-probe click SECONDS TEXT
//       waits until a wizard page shows an enabled button labelled TEXT
//       ("&Next >", "&Install", "&Finish") and presses it; exit 1 when none
//       appears. Pages change at their own pace under load, so the test
//       waits for the button rather than for a guessed time.
//   installer-probe texts SECONDS TEXT
//       waits until a dialog shows a control labelled TEXT ("&Next >" when
//       a wizard page is up) and the page in it, then prints that dialog's
//       caption and the text of each of its visible controls, a line each
//       (UTF-8); exit 1 when none appears. The language a page speaks is read so.
//   installer-probe short PATH
//       prints the 8.3 name Windows gives PATH; exit 1 when it has none.
#include "common/text_win.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr const wchar_t* kDialogClass = L"#32770";
// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

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

enum class Owner { Window, None };

struct BoxSearch {
    Owner owner;
    HWND found;
};

// A message box is a dialog holding a kMessageBoxTextId control. The wizard
// is a dialog too, with static controls of that id on its pages, but nothing
// owns it, so a box is looked for among owned dialogs. One shown before the
// wizard has no owner either; the wizard is then told apart by its page, a
// dialog inside it, which a message box never holds.
BOOL CALLBACK MatchMessageBox(HWND window, LPARAM searchAddress) {
    auto* search = reinterpret_cast<BoxSearch*>(searchAddress);
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wcscmp(className, kDialogClass) != 0 || !::IsWindowVisible(window) ||
        ::GetDlgItem(window, kMessageBoxTextId) == nullptr) {
        return TRUE;
    }
    const bool owned = ::GetWindow(window, GW_OWNER) != nullptr;
    if (search->owner == Owner::Window
            ? !owned
            : owned || ::FindWindowExW(window, nullptr, kDialogClass, nullptr) != nullptr) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND FindMessageBox(Owner owner) {
    BoxSearch search{owner, nullptr};
    ::EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int ReadMessageBox(Owner owner, int seconds, const wchar_t* buttonName) {
    int buttonId = 0;
    if (buttonName != nullptr) {
        buttonId = std::wcscmp(buttonName, L"ok") == 0       ? IDOK
                   : std::wcscmp(buttonName, L"cancel") == 0 ? IDCANCEL
                   : std::wcscmp(buttonName, L"retry") == 0  ? IDRETRY
                   : std::wcscmp(buttonName, L"yes") == 0    ? IDYES
                                                             : -1;
        if (buttonId < 0) {
            return 2;
        }
    }
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        if (HWND box = FindMessageBox(owner)) {
            PrintUtf8(WindowText(box));
            PrintUtf8(WindowText(::GetDlgItem(box, kMessageBoxTextId)));
            if (buttonId != 0) {
                HWND button = ::GetDlgItem(box, buttonId);
                if (button == nullptr) {
                    return 3;
                }
                ::SendMessageW(button, BM_CLICK, 0, 0);
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

BOOL CALLBACK MatchEnabledButton(HWND child, LPARAM searchAddress) {
    auto* search = reinterpret_cast<ButtonSearch*>(searchAddress);
    wchar_t className[16] = {};
    ::GetClassNameW(child, className, 16);
    if (_wcsicmp(className, L"Button") == 0 && ::IsWindowVisible(child) &&
        ::IsWindowEnabled(child) && WindowText(child) == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

int ClickWizardButton(int seconds, const wchar_t* text) {
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        ButtonSearch search{text, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM searchAddress) -> BOOL {
                wchar_t className[16] = {};
                ::GetClassNameW(window, className, 16);
                if (std::wcscmp(className, kDialogClass) == 0 && ::IsWindowVisible(window)) {
                    ::EnumChildWindows(window, MatchEnabledButton, searchAddress);
                }
                return reinterpret_cast<ButtonSearch*>(searchAddress)->found == nullptr;
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

struct TextSearch {
    const wchar_t* text;
    HWND dialog;
};

BOOL CALLBACK MatchVisibleText(HWND child, LPARAM searchAddress) {
    auto* search = reinterpret_cast<TextSearch*>(searchAddress);
    if (::IsWindowVisible(child) && WindowText(child) == search->text) {
        search->dialog = ::GetAncestor(child, GA_ROOT);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK PrintVisibleText(HWND child, LPARAM) {
    if (::IsWindowVisible(child)) {
        const std::wstring text = WindowText(child);
        if (!text.empty()) {
            PrintUtf8(text);
        }
    }
    return TRUE;
}

// A wizard's buttons come before its page, an inner dialog whose texts are
// set before it is shown: the page is there once a visible control with a
// text stands in a visible inner dialog.
BOOL CALLBACK MatchPageText(HWND child, LPARAM rootAddress) {
    const HWND root = *reinterpret_cast<HWND*>(rootAddress);
    const HWND parent = ::GetParent(child);
    wchar_t className[16] = {};
    ::GetClassNameW(parent, className, 16);
    if (parent != root && std::wcscmp(className, kDialogClass) == 0 && ::IsWindowVisible(parent) &&
        ::IsWindowVisible(child) && !WindowText(child).empty()) {
        *reinterpret_cast<HWND*>(rootAddress) = nullptr;
        return FALSE;
    }
    return TRUE;
}

bool PageShown(HWND dialog) {
    HWND root = dialog;
    ::EnumChildWindows(dialog, MatchPageText, reinterpret_cast<LPARAM>(&root));
    return root == nullptr;
}

int PrintDialogTexts(int seconds, const wchar_t* text) {
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        TextSearch search{text, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM searchAddress) -> BOOL {
                wchar_t className[16] = {};
                ::GetClassNameW(window, className, 16);
                if (std::wcscmp(className, kDialogClass) == 0 && ::IsWindowVisible(window)) {
                    ::EnumChildWindows(window, MatchVisibleText, searchAddress);
                }
                return reinterpret_cast<TextSearch*>(searchAddress)->dialog == nullptr;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.dialog != nullptr && PageShown(search.dialog)) {
            PrintUtf8(WindowText(search.dialog));
            ::EnumChildWindows(search.dialog, PrintVisibleText, 0);
            return 0;
        }
        ::Sleep(100);
    }
    return 1;
}

int PrintShortPath(const wchar_t* path) {
    wchar_t shortPath[MAX_PATH] = {};
    const DWORD length = ::GetShortPathNameW(path, shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 1;
    }
    PrintUtf8(shortPath);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wcscmp(argv[1], L"message") == 0) {
        return ReadMessageBox(Owner::Window, _wtoi(argv[2]), argc >= 4 ? argv[3] : nullptr);
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"lone-message") == 0) {
        return ReadMessageBox(Owner::None, _wtoi(argv[2]), argc >= 4 ? argv[3] : nullptr);
    }
    if (argc == 4 && std::wcscmp(argv[1], L"click") == 0) {
        return ClickWizardButton(_wtoi(argv[2]), argv[3]);
    }
    if (argc == 4 && std::wcscmp(argv[1], L"texts") == 0) {
        return PrintDialogTexts(_wtoi(argv[2]), argv[3]);
    }
    if (argc == 3 && std::wcscmp(argv[1], L"short") == 0) {
        return PrintShortPath(argv[2]);
    }
    std::fputs("usage: installer-probe message|lone-message SECONDS [ok|cancel|retry|yes] | "
               "click SECONDS TEXT | texts SECONDS TEXT | short PATH\n",
               stderr);
    return 2;
}
