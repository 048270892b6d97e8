// tavlinar-driver: runs a script of steps against Tavlinar.exe's window,
// one step an argument, and fails (exit 1) at the first step that does not
// hold. Message boxes are the process's "#32770" windows; their text is the
// static control with id 0xFFFF.
//
//   start EXE            start the program, its folder as current folder
//   window               wait until its window is shown
//   errorbox TEXT        wait for an error box, check its whole text (\r \n
//                        and \\ written as such) and title, press OK
//   noerrorbox           no error box is open
//   boxes 111000000000   the twelve boxes' states, box 0 first
//   title TEXT           the About page's title reads TEXT
//   click N              click box N
//   tab N                switch the tab control to page N
//   ok | cancel          press the button
//   key return|escape|space|tab   a key, to the control with the focus
//   closebox             the window's close box
//   exited               wait until the program has ended
//   signal PATH          create PATH; await PATH: wait until PATH exists
#include "control/control_ids.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace tavlin::control;

PROCESS_INFORMATION g_process{};
HWND g_form = nullptr;

[[noreturn]] void Fail(const std::wstring& what) {
    std::fwprintf(stdout, L"FAIL: %ls\n", what.c_str());
    std::fflush(stdout);
    if (g_process.hProcess != nullptr) {
        ::TerminateProcess(g_process.hProcess, 99);
    }
    std::exit(1);
}

template <typename Found> void WaitFor(const std::wstring& what, Found&& found, DWORD ms = 10000) {
    const DWORD start = ::GetTickCount();
    while (!found()) {
        if (::GetTickCount() - start > ms) {
            Fail(L"timed out waiting for " + what);
        }
        ::Sleep(20);
    }
}

std::wstring Text(HWND hwnd) {
    wchar_t buffer[2048] = {};
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer),
                          SMTO_ABORTIFHUNG, 5000, nullptr);
    return buffer;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

struct TopSearch {
    const wchar_t* cls;
    HWND found;
};

// Enumeration callbacks are stdcall on i686, which a lambda cannot be.
BOOL CALLBACK MatchTop(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<TopSearch*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == g_process.dwProcessId && ClassOf(hwnd) == s->cls && ::IsWindowVisible(hwnd)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND TopWindow(const wchar_t* cls) {
    TopSearch search{cls, nullptr};
    ::EnumWindows(&MatchTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct IdSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<IdSearch*>(lp);
    if (::GetDlgCtrlID(hwnd) == s->id) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND Control(int id) {
    if (g_form == nullptr) {
        Fail(L"no window yet");
    }
    IdSearch search{id, nullptr};
    ::EnumChildWindows(g_form, &MatchId, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        Fail(L"no control " + std::to_wstring(id));
    }
    return search.found;
}

std::wstring Unescape(const std::wstring& s) {
    std::wstring out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'\\' && i + 1 < s.size() &&
            (s[i + 1] == L'r' || s[i + 1] == L'n' || s[i + 1] == L'\\')) {
            out += s[i + 1] == L'r' ? L'\r' : s[i + 1] == L'n' ? L'\n' : L'\\';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::wstring Escape(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        out += c == L'\r'   ? L"\\r"
               : c == L'\n' ? L"\\n"
               : c == L'\\' ? L"\\\\"
                            : std::wstring(1, c);
    }
    return out;
}

std::wstring BoxStates() {
    std::wstring states;
    for (int i = 0; i < 12; ++i) {
        const LRESULT state = ::SendMessageW(Control(kFirstBoxId + i), BM_GETCHECK, 0, 0);
        states += state == BST_CHECKED ? L'1' : L'0';
    }
    return states;
}

void Key(const std::wstring& name) {
    UINT vk = 0;
    if (name == L"return") {
        vk = VK_RETURN;
    } else if (name == L"escape") {
        vk = VK_ESCAPE;
    } else if (name == L"space") {
        vk = VK_SPACE;
    } else if (name == L"tab") {
        vk = VK_TAB;
    } else {
        Fail(L"unknown key " + name);
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(g_process.dwThreadId, &info) || info.hwndFocus == nullptr) {
        Fail(L"no focus in the program");
    }
    const wchar_t ch = vk == VK_SPACE ? L' ' : vk == VK_RETURN ? L'\r' : vk == VK_ESCAPE ? 27 : 9;
    ::PostMessageW(info.hwndFocus, WM_KEYDOWN, vk, 1);
    ::PostMessageW(info.hwndFocus, WM_CHAR, ch, 1);
    ::PostMessageW(info.hwndFocus, WM_KEYUP, vk, 0xC0000001);
    // Sent messages wait until the posted ones ahead of them are through
    // only for the same window; a short pause covers the dialog manager.
    ::Sleep(200);
    ::SendMessageTimeoutW(info.hwndFocus, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
}

void Step(const std::vector<std::wstring>& args, std::size_t& i) {
    const std::wstring& op = args[i];
    auto arg = [&]() -> const std::wstring& {
        if (i + 1 >= args.size()) {
            Fail(op + L" needs an argument");
        }
        return args[++i];
    };
    std::fwprintf(stdout, L"step: %ls\n", op.c_str());
    std::fflush(stdout);
    if (op == L"start") {
        std::wstring exe = arg();
        std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
        std::wstring line = L"\"" + exe + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (!::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &si, &g_process)) {
            Fail(L"cannot start " + exe);
        }
        ::WaitForInputIdle(g_process.hProcess, 5000);
    } else if (op == L"window") {
        WaitFor(L"the window", [] { return (g_form = TopWindow(kFormClassName)) != nullptr; });
        if (Text(g_form) != L"Tavlinar") {
            Fail(L"caption is " + Text(g_form));
        }
    } else if (op == L"errorbox") {
        const std::wstring expected = Unescape(arg());
        HWND box = nullptr;
        // OK waits for regsvr32 before its boxes can appear.
        WaitFor(
            L"an error box", [&] { return (box = TopWindow(L"#32770")) != nullptr; }, 40000);
        const std::wstring text = Text(::GetDlgItem(box, 0xFFFF));
        const std::wstring title = Text(box);
        std::fwprintf(stdout, L"box: [%ls] %ls\n", title.c_str(), Escape(text).c_str());
        if (title != L"Application Error") {
            Fail(L"box title " + title);
        }
        if (text != expected) {
            Fail(L"box text " + Escape(text) + L" expected " + Escape(expected));
        }
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitFor(L"the box to close", [&] { return !::IsWindow(box); });
    } else if (op == L"noerrorbox") {
        ::Sleep(100);
        if (HWND box = TopWindow(L"#32770")) {
            Fail(L"unexpected box: " + Escape(Text(::GetDlgItem(box, 0xFFFF))));
        }
    } else if (op == L"boxes") {
        const std::wstring expected = arg();
        const std::wstring states = BoxStates();
        std::fwprintf(stdout, L"boxes: %ls\n", states.c_str());
        if (states != expected) {
            Fail(L"boxes " + states + L" expected " + expected);
        }
    } else if (op == L"title") {
        const std::wstring expected = arg();
        const std::wstring title = Text(Control(kTitleId));
        if (title != expected) {
            Fail(L"About title " + title + L" expected " + expected);
        }
    } else if (op == L"click") {
        ::SendMessageW(Control(kFirstBoxId + std::stoi(arg())), BM_CLICK, 0, 0);
    } else if (op == L"tab") {
        ::SendMessageW(Control(kTabControlId), TCM_SETCURFOCUS, std::stoi(arg()), 0);
    } else if (op == L"ok" || op == L"cancel") {
        // Posted: OK may show boxes and ends the program, and a sent click
        // would wait for all of that.
        ::PostMessageW(Control(op == L"ok" ? kOkButtonId : kCancelButtonId), BM_CLICK, 0, 0);
    } else if (op == L"key") {
        Key(arg());
    } else if (op == L"closebox") {
        ::PostMessageW(g_form, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (op == L"exited") {
        if (::WaitForSingleObject(g_process.hProcess, 40000) != WAIT_OBJECT_0) {
            Fail(L"the program did not end");
        }
        g_form = nullptr;
    } else if (op == L"signal") {
        const HANDLE f = ::CreateFileW(arg().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) {
            Fail(L"cannot signal");
        }
        ::CloseHandle(f);
    } else if (op == L"await") {
        const std::wstring path = arg();
        WaitFor(
            L"file " + path,
            [&] { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 60000);
    } else {
        Fail(L"unknown step " + op);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        Step(args, i);
    }
    std::fwprintf(stdout, L"PASS\n");
    return 0;
}
