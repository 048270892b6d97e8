// tavlinar-driver: runs a script of steps against Tavlinar.exe's window,
// one step an argument, and fails (exit 1) at the first step that does not
// hold. Message boxes are the process's "#32770" windows; their text is the
// static control with id 0xFFFF.
//
//   start EXE            start the program, its folder as current folder
//   attach               take the program whose window shows next as the
//                        one under test, started by the caller
//   startshort EXE       the same by the path's short (8.3) form, as an old
//                        shortcut or a script may name it; fails when the
//                        path has no short form other than itself
//   window               wait until its window is shown
//   errorbox TEXT        wait for an error box, check its whole text (\r \n
//                        and \\ written as such) and title, press OK
//   errorboxto PATH      wait for an error box, write its title and, on
//                        the next line, its text (written as for errorbox)
//                        to PATH, UTF-8, and press OK: for texts that a
//                        command line under Wine's locale cannot carry
//   noerrorbox           no error box is open
//   boxes 111000000000   the twelve boxes' states, box 0 first
//   enabled 111111111111 which boxes the user can change (1) and which are
//                        greyed (0), box 0 first
//   note TEXT            the policy note reads TEXT (\n between lines;
//                        written as for errorbox); an empty TEXT: no note
//                        is shown
//   title TEXT           the About page's title reads TEXT
//   layout rtl|ltr       the window and its controls are mirrored (rtl),
//                        as a right-to-left language's are, or not (ltr)
//   texts PATH           write the window's texts to PATH, UTF-8, one a
//                        line as NAME<tab>TEXT: tab0 tab1 box0...box11 ok
//                        cancel website
//   fits                 every box's, button's and label's text fits its
//                        control, measured in the window's font (at the
//                        DPI the last "dpi" step gave the window)
//   dpi N                tell the window it is now on a monitor of N DPI
//                        (WM_DPICHANGED, with the rectangle Windows would
//                        suggest), as a per-monitor window is told
//   size                 print the window's size: "size: WxH"
//   accessible PATH      write what a screen reader reads of each control
//                        (MSAA) to PATH, UTF-8, one a line as
//                        NAME<tab>ROLE<tab>ACCESSIBLE NAME[<tab>VALUE]:
//                        box0...box11 ok cancel tabs title websitelabel
//                        website
//   click N              click box N
//   clicknote            click into the policy note (which takes the focus)
//   tab N                switch the tab control to page N
//   ok | cancel          press the button
//   key return|escape|space|tab|shift+tab|ctrl+tab   a key, to the control
//                        with the focus (Shift and Ctrl held in the
//                        program's key state)
//   focus NAME           the focus is on NAME: box0...box11, ok, cancel,
//                        tabs, website, note, or the About title
//   page N               the tab control shows page N
//   focusshown           focus rectangles are drawn (not hidden until the
//                        keyboard is used)
//   closebox             the window's close box
//   exited               wait until the program has ended, and whatever it
//                        started (Word) with it
//   signal PATH          create PATH; await PATH: wait until PATH exists
#include "common/language.h"
#include "common/unique_win.h"
#include "common/window_helpers_win.h"
#include "control/control_ids.h"

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace tavlin::control;

constexpr const wchar_t* kDialogClass = L"#32770";
// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kBoxCount = 12;

// The program under test: its ids for window searches, its handles owned.
struct StartedProgram {
    DWORD processId = 0;
    DWORD threadId = 0;
    tavlin::UniqueHandle process;
    tavlin::UniqueHandle thread;
};
StartedProgram g_program;
HWND g_form = nullptr;
// The DPI the window was last told of; 0: the system's, as it started.
int g_dpi = 0;

[[noreturn]] void Fail(const std::wstring& what) {
    std::fwprintf(stdout, L"FAIL: %ls\n", what.c_str());
    std::fflush(stdout);
    if (g_program.process) {
        ::TerminateProcess(g_program.process.get(), 99);
    }
    std::exit(1);
}

template <typename Found>
void WaitFor(const std::wstring& what, Found&& found, DWORD timeoutMilliseconds = 10000) {
    const DWORD start = ::GetTickCount();
    while (!found()) {
        if (::GetTickCount() - start > timeoutMilliseconds) {
            Fail(L"timed out waiting for " + what);
        }
        ::Sleep(20);
    }
}

std::wstring WindowText(HWND hwnd) {
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

struct TopWindowSearch {
    const wchar_t* className;
    bool anyProcess; // not only the program's
    HWND found;
};

// Enumeration callbacks are stdcall on i686, which a lambda cannot be.
BOOL CALLBACK MatchTopWindow(HWND hwnd, LPARAM searchAddress) {
    auto* search = reinterpret_cast<TopWindowSearch*>(searchAddress);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hwnd, &processId);
    if ((search->anyProcess || processId == g_program.processId) &&
        ClassOf(hwnd) == search->className && ::IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND TopWindow(const wchar_t* className, bool anyProcess = false) {
    TopWindowSearch search{className, anyProcess, nullptr};
    ::EnumWindows(&MatchTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControlId(HWND hwnd, LPARAM searchAddress) {
    auto* search = reinterpret_cast<ControlSearch*>(searchAddress);
    if (::GetDlgCtrlID(hwnd) == search->id) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND Control(int id) {
    if (g_form == nullptr) {
        Fail(L"no window yet");
    }
    ControlSearch search{id, nullptr};
    ::EnumChildWindows(g_form, &MatchControlId, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        Fail(L"no control " + std::to_wstring(id));
    }
    return search.found;
}

std::wstring Unescape(const std::wstring& escaped) {
    std::wstring text;
    for (std::size_t at = 0; at < escaped.size(); ++at) {
        const wchar_t next = at + 1 < escaped.size() ? escaped[at + 1] : L'\0';
        if (escaped[at] == L'\\' && (next == L'r' || next == L'n' || next == L'\\')) {
            text += next == L'r' ? L'\r' : next == L'n' ? L'\n' : L'\\';
            ++at;
        } else {
            text += escaped[at];
        }
    }
    return text;
}

std::wstring Escape(const std::wstring& text) {
    std::wstring escaped;
    for (wchar_t character : text) {
        escaped += character == L'\r'   ? L"\\r"
                   : character == L'\n' ? L"\\n"
                   : character == L'\\' ? L"\\\\"
                                        : std::wstring(1, character);
    }
    return escaped;
}

std::wstring BoxesEnabled() {
    std::wstring enabled;
    for (int box = 0; box < kBoxCount; ++box) {
        enabled += ::IsWindowEnabled(Control(kFirstBoxId + box)) ? L'1' : L'0';
    }
    return enabled;
}

// The note as the user reads it: nothing while it is hidden, its lines
// joined by \n.
std::wstring PolicyNote() {
    const HWND note = Control(kPolicyNoteId);
    if ((::GetWindowLongPtrW(note, GWL_STYLE) & WS_VISIBLE) == 0) {
        return {};
    }
    std::wstring text;
    for (const wchar_t character : WindowText(note)) {
        if (character != L'\r') {
            text += character;
        }
    }
    return text;
}

// A tab's caption. The tab control writes it into memory of the program's
// own, so the item and its buffer are lent there and read back.
class LentMemory {
public:
    LentMemory(HANDLE process, std::size_t size)
        : process_(process),
          address_(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {
        if (address_ == nullptr) {
            Fail(L"cannot lend memory to the program");
        }
    }
    LentMemory(const LentMemory&) = delete;
    LentMemory& operator=(const LentMemory&) = delete;
    ~LentMemory() { ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    [[nodiscard]] void* get() const { return address_; }

private:
    HANDLE process_;
    void* address_;
};

std::wstring TabCaption(int index) {
    const HANDLE process = g_program.process.get();
    constexpr int kChars = 256;
    const LentMemory lent(process, sizeof(TCITEMW) + kChars * sizeof(wchar_t));
    void* remote = lent.get();
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(TCITEMW));
    item.cchTextMax = kChars;
    std::wstring text(kChars, L'\0');
    const bool read =
        ::WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
        ::SendMessageW(Control(kTabControlId), TCM_GETITEMW, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(remote)) != 0 &&
        ::ReadProcessMemory(process, item.pszText, text.data(), kChars * sizeof(wchar_t), nullptr);
    if (!read) {
        Fail(L"cannot read tab " + std::to_wstring(index));
    }
    text.resize(std::wcslen(text.c_str()));
    return text;
}

// The window's texts by the names the texts step writes them under.
std::vector<std::pair<std::wstring, std::wstring>> WindowTexts() {
    std::vector<std::pair<std::wstring, std::wstring>> texts;
    for (int tab = 0; tab < 2; ++tab) {
        texts.emplace_back(L"tab" + std::to_wstring(tab), TabCaption(tab));
    }
    for (int box = 0; box < kBoxCount; ++box) {
        texts.emplace_back(L"box" + std::to_wstring(box), WindowText(Control(kFirstBoxId + box)));
    }
    texts.emplace_back(L"ok", WindowText(Control(kOkButtonId)));
    texts.emplace_back(L"cancel", WindowText(Control(kCancelButtonId)));
    texts.emplace_back(L"website", WindowText(Control(kWebsiteLabelId)));
    return texts;
}

void WriteUtf8(const std::wstring& path, const std::wstring& text);

// Asked from this process, as a screen reader asks: Windows' own objects
// are made here from the control, ours come from the program.
std::wstring AccessibleLine(HWND control) {
    tavlin::ComPtr<IAccessible> accessible;
    // Asked with MinGW's IID_IAccessible, Wine's oleacc answers
    // E_NOINTERFACE; __uuidof serves.
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                            __uuidof(IAccessible), accessible.put_void())) ||
        !accessible) {
        return L"(none)";
    }
    VARIANT self;
    ::VariantInit(&self);
    V_VT(&self) = VT_I4;
    V_I4(&self) = CHILDID_SELF;
    tavlin::UniqueVariant role;
    wchar_t roleText[128] = L"?";
    if (SUCCEEDED(accessible->get_accRole(self, role.put())) && V_VT(role.get()) == VT_I4) {
        ::GetRoleTextW(static_cast<DWORD>(V_I4(role.get())), roleText, 128);
    }
    tavlin::UniqueBstr name;
    std::wstring line = std::wstring(roleText) + L"\t";
    if (SUCCEEDED(accessible->get_accName(self, name.put())) && name) {
        line += name.get();
    }
    tavlin::UniqueBstr value;
    if (SUCCEEDED(accessible->get_accValue(self, value.put())) && value &&
        ::SysStringLen(value.get()) > 0) {
        line += L"\t" + std::wstring(value.get());
    }
    return line;
}

void WriteAccessible(const std::wstring& path) {
    std::vector<std::pair<std::wstring, int>> controls;
    for (int box = 0; box < kBoxCount; ++box) {
        controls.emplace_back(L"box" + std::to_wstring(box), kFirstBoxId + box);
    }
    for (const auto& named :
         {std::pair{L"ok", kOkButtonId}, std::pair{L"cancel", kCancelButtonId},
          std::pair{L"tabs", kTabControlId}, std::pair{L"title", kTitleId},
          std::pair{L"websitelabel", kWebsiteLabelId}, std::pair{L"website", kWebsiteId}}) {
        controls.emplace_back(named.first, named.second);
    }
    std::wstring lines;
    for (const auto& [name, id] : controls) {
        lines += name + L"\t" + AccessibleLine(Control(id)) + L"\n";
    }
    WriteUtf8(path, lines);
}

void WriteUtf8(const std::wstring& path, const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                          nullptr, nullptr);
    const HANDLE created = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
    const tavlin::UniqueHandle file(created == INVALID_HANDLE_VALUE ? nullptr : created);
    DWORD written = 0;
    if (!file ||
        !::WriteFile(file.get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) ||
        written != utf8.size()) {
        Fail(L"cannot write " + path);
    }
}

void WriteTexts(const std::wstring& path) {
    std::wstring lines;
    for (const auto& [name, text] : WindowTexts()) {
        lines += name + L"\t" + text + L"\n";
    }
    WriteUtf8(path, lines);
}

// Measured as the program measures, in the message font: a caption that
// needs more than its control's width is cut off on the screen. A check
// box's caption starts after the box's square.
void CheckTextsFit() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        Fail(L"no message font");
    }
    // The program suits its font to its language's script, which it
    // takes from the same display language as this process.
    tavlin::SuitFontToScript(metrics.lfMessageFont,
                             tavlin::ChooseLanguage(::GetUserDefaultUILanguage()).language);
    const int dpi = g_dpi != 0 ? g_dpi : tavlin::SystemDpi();
    metrics.lfMessageFont.lfHeight =
        ::MulDiv(metrics.lfMessageFont.lfHeight, dpi, tavlin::SystemDpi());
    const tavlin::UniqueGdiObject font(::CreateFontIndirectW(&metrics.lfMessageFont));
    if (!font) {
        Fail(L"no font to measure with");
    }
    std::wstring cut;
    {
        const tavlin::WindowDc dc(nullptr, font.get());
        if (!dc) {
            Fail(L"no device context to measure with");
        }
        auto check = [&](int id, int before) {
            const HWND control = Control(id);
            const std::wstring text = WindowText(control);
            SIZE size{};
            ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
            RECT r{};
            ::GetClientRect(control, &r);
            std::fwprintf(stdout, L"fits: %d needs %ld of %ld\n", id, before + size.cx, r.right);
            if (before + size.cx > r.right) {
                cut += L" " + std::to_wstring(id) + L" (" + text + L")";
            }
        };
        for (int box = 0; box < kBoxCount; ++box) {
            check(kFirstBoxId + box, tavlin::SystemMetricForDpi(SM_CXMENUCHECK, dpi));
        }
        for (const int id : {kOkButtonId, kCancelButtonId, kWebsiteLabelId}) {
            check(id, 0);
        }
    }
    if (!cut.empty()) {
        Fail(L"texts cut off:" + cut);
    }
}

// WM_DPICHANGED carries a pointer, which no process but the window's can
// follow: the rectangle is written into the program's memory and the
// message names it there.
void TellDpi(int dpi) {
    RECT frame{};
    ::GetWindowRect(g_form, &frame);
    const int current = g_dpi != 0 ? g_dpi : tavlin::SystemDpi();
    const RECT suggested{frame.left, frame.top,
                         frame.left + ::MulDiv(frame.right - frame.left, dpi, current),
                         frame.top + ::MulDiv(frame.bottom - frame.top, dpi, current)};
    void* remote = ::VirtualAllocEx(g_program.process.get(), nullptr, sizeof suggested,
                                    MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr || !::WriteProcessMemory(g_program.process.get(), remote, &suggested,
                                                   sizeof suggested, nullptr)) {
        Fail(L"cannot hand the program a rectangle");
    }
    DWORD_PTR result = 0;
    const LRESULT sent =
        ::SendMessageTimeoutW(g_form, tavlin::kWmDpiChanged, MAKEWPARAM(dpi, dpi),
                              reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 10000, &result);
    ::VirtualFreeEx(g_program.process.get(), remote, 0, MEM_RELEASE);
    if (sent == 0) {
        Fail(L"the window did not take WM_DPICHANGED");
    }
    g_dpi = dpi;
}

std::wstring BoxStates() {
    std::wstring states;
    for (int box = 0; box < kBoxCount; ++box) {
        const LRESULT state = ::SendMessageW(Control(kFirstBoxId + box), BM_GETCHECK, 0, 0);
        states += state == BST_CHECKED ? L'1' : L'0';
    }
    return states;
}

void PressKey(const std::wstring& given) {
    UINT virtualKey = 0;
    std::wstring name = given;
    std::vector<UINT> held;
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, key] :
             {std::pair{L"shift+", VK_SHIFT}, std::pair{L"ctrl+", VK_CONTROL}}) {
            if (name.starts_with(prefix)) {
                held.push_back(static_cast<UINT>(key));
                name.erase(0, std::wcslen(prefix));
                found = true;
            }
        }
    }
    if (name == L"return") {
        virtualKey = VK_RETURN;
    } else if (name == L"escape") {
        virtualKey = VK_ESCAPE;
    } else if (name == L"space") {
        virtualKey = VK_SPACE;
    } else if (name == L"tab") {
        virtualKey = VK_TAB;
    } else {
        Fail(L"unknown key " + given);
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(g_program.threadId, &info) || info.hwndFocus == nullptr) {
        Fail(L"no focus in the program");
    }
    // A held key is the program's thread's key state, which an attached
    // thread shares.
    const DWORD self = ::GetCurrentThreadId();
    BYTE state[256] = {};
    if (!held.empty()) {
        if (!::AttachThreadInput(self, g_program.threadId, TRUE)) {
            Fail(L"cannot share the program's key state");
        }
        ::GetKeyboardState(state);
        for (const UINT key : held) {
            state[key] = 0x80;
        }
        ::SetKeyboardState(state);
    }
    const wchar_t character = virtualKey == VK_SPACE    ? L' '
                              : virtualKey == VK_RETURN ? L'\r'
                              : virtualKey == VK_ESCAPE ? 27
                                                        : 9;
    ::PostMessageW(info.hwndFocus, WM_KEYDOWN, virtualKey, 1);
    ::PostMessageW(info.hwndFocus, WM_CHAR, character, 1);
    ::PostMessageW(info.hwndFocus, WM_KEYUP, virtualKey, 0xC0000001);
    // Sent messages wait until the posted ones ahead of them are through
    // only for the same window; a short pause covers the dialog manager.
    ::Sleep(200);
    ::SendMessageTimeoutW(info.hwndFocus, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    if (!held.empty()) {
        for (const UINT key : held) {
            state[key] = 0;
        }
        ::SetKeyboardState(state);
        ::AttachThreadInput(self, g_program.threadId, FALSE);
    }
}

std::wstring FocusName() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(g_program.threadId, &info) || info.hwndFocus == nullptr) {
        return L"nothing";
    }
    const int id = ::GetDlgCtrlID(info.hwndFocus);
    if (id >= kFirstBoxId && id < kFirstBoxId + kBoxCount) {
        return L"box" + std::to_wstring(id - kFirstBoxId);
    }
    for (const auto& [named, name] :
         {std::pair{kOkButtonId, L"ok"}, std::pair{kCancelButtonId, L"cancel"},
          std::pair{kTabControlId, L"tabs"}, std::pair{kWebsiteId, L"website"},
          std::pair{kPolicyNoteId, L"note"}, std::pair{kTitleId, L"title"}}) {
        if (id == named) {
            return name;
        }
    }
    return L"control " + std::to_wstring(id);
}

// Wine starts its desktop process (explorer.exe /desktop) from the first
// program that shows a window after the prefix's server started anew, as
// that program's child; it lives as long as the server, and the program
// did not start it.
bool StartedByWine(const wchar_t* exeFile) {
    return ::lstrcmpiW(exeFile, L"explorer.exe") == 0;
}

// The program does not wait for the Word it starts; a test that reads what
// Word saw must. The children are still listed after their parent ended.
void WaitForChildren(DWORD parentId) {
    const HANDLE created = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    const tavlin::UniqueHandle snapshot(created == INVALID_HANDLE_VALUE ? nullptr : created);
    if (!snapshot) {
        Fail(L"cannot list the processes");
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID != parentId || StartedByWine(entry.szExeFile)) {
            continue;
        }
        // One that has ended since the list was made cannot be opened.
        const tavlin::UniqueHandle child(::OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (child && ::WaitForSingleObject(child.get(), 40000) != WAIT_OBJECT_0) {
            Fail(std::wstring(L"a program it started did not end: ") + entry.szExeFile);
        }
    }
}

void RunStep(const std::vector<std::wstring>& script, std::size_t& at) {
    const std::wstring& step = script[at];
    auto argument = [&]() -> const std::wstring& {
        if (at + 1 >= script.size()) {
            Fail(step + L" needs an argument");
        }
        return script[++at];
    };
    std::fwprintf(stdout, L"step: %ls\n", step.c_str());
    std::fflush(stdout);
    if (step == L"start" || step == L"startshort") {
        std::wstring exe = argument();
        if (step == L"startshort") {
            std::wstring shortPath(32768, L'\0');
            const DWORD length = ::GetShortPathNameW(exe.c_str(), shortPath.data(),
                                                     static_cast<DWORD>(shortPath.size()));
            if (length == 0 || length >= shortPath.size()) {
                Fail(L"no short path for " + exe);
            }
            shortPath.resize(length);
            if (shortPath == exe) {
                Fail(L"the short path is the path itself: " + exe);
            }
            std::fwprintf(stdout, L"short path: %ls\n", shortPath.c_str());
            exe = shortPath;
        }
        std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
        std::wstring commandLine = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &startup, &started)) {
            Fail(L"cannot start " + exe);
        }
        g_program.processId = started.dwProcessId;
        g_program.threadId = started.dwThreadId;
        g_program.process.reset(started.hProcess);
        g_program.thread.reset(started.hThread);
        ::WaitForInputIdle(g_program.process.get(), 5000);
    } else if (step == L"attach") {
        // A program its caller started, in an environment of its own (Wine
        // takes a program's language from LC_ALL, which a program started
        // from here would not get): the one whose window shows next.
        HWND form = nullptr;
        WaitFor(
            L"a window to attach to",
            [&] { return (form = TopWindow(kFormClassName, true)) != nullptr; }, 60000);
        DWORD processId = 0;
        const DWORD threadId = ::GetWindowThreadProcessId(form, &processId);
        // As much as a start gives: some steps lend the program memory.
        tavlin::UniqueHandle process(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
        if (!process) {
            Fail(L"cannot open the program's process");
        }
        g_program.processId = processId;
        g_program.threadId = threadId;
        g_program.process = std::move(process);
        g_program.thread.reset();
    } else if (step == L"window") {
        WaitFor(L"the window", [] { return (g_form = TopWindow(kFormClassName)) != nullptr; });
        if (WindowText(g_form) != L"Tavlinar") {
            Fail(L"caption is " + WindowText(g_form));
        }
    } else if (step == L"errorbox" || step == L"errorboxto") {
        const std::wstring given = argument();
        HWND box = nullptr;
        // OK waits for regsvr32 before its boxes can appear.
        WaitFor(
            L"an error box", [&] { return (box = TopWindow(kDialogClass)) != nullptr; }, 40000);
        const std::wstring text = WindowText(::GetDlgItem(box, kMessageBoxTextId));
        const std::wstring title = WindowText(box);
        std::fwprintf(stdout, L"box: [%ls] %ls\n", title.c_str(), Escape(text).c_str());
        if (step == L"errorboxto") {
            WriteUtf8(given, title + L"\n" + Escape(text));
        } else if (title != L"Application Error") {
            Fail(L"box title " + title);
        } else if (text != Unescape(given)) {
            Fail(L"box text " + Escape(text) + L" expected " + given);
        }
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitFor(L"the box to close", [&] { return !::IsWindow(box); });
    } else if (step == L"noerrorbox") {
        ::Sleep(100);
        if (HWND box = TopWindow(kDialogClass)) {
            Fail(L"unexpected box: " + Escape(WindowText(::GetDlgItem(box, kMessageBoxTextId))));
        }
    } else if (step == L"boxes") {
        const std::wstring expected = argument();
        const std::wstring states = BoxStates();
        std::fwprintf(stdout, L"boxes: %ls\n", states.c_str());
        if (states != expected) {
            Fail(L"boxes " + states + L" expected " + expected);
        }
    } else if (step == L"enabled") {
        const std::wstring expected = argument();
        const std::wstring enabled = BoxesEnabled();
        std::fwprintf(stdout, L"enabled: %ls\n", enabled.c_str());
        if (enabled != expected) {
            Fail(L"enabled " + enabled + L" expected " + expected);
        }
    } else if (step == L"note") {
        const std::wstring expected = Unescape(argument());
        const std::wstring note = PolicyNote();
        std::fwprintf(stdout, L"note: %ls\n", Escape(note).c_str());
        if (note != expected) {
            Fail(L"note " + Escape(note) + L" expected " + Escape(expected));
        }
    } else if (step == L"title") {
        const std::wstring expected = argument();
        const std::wstring title = WindowText(Control(kTitleId));
        if (title != expected) {
            Fail(L"About title " + title + L" expected " + expected);
        }
    } else if (step == L"layout") {
        // A control that does not inherit the mirroring would read left
        // to right inside a mirrored window.
        const std::wstring expected = argument();
        if (expected != L"rtl" && expected != L"ltr") {
            Fail(L"layout rtl or ltr, not " + expected);
        }
        const auto mirrored = [](HWND hwnd) {
            return (::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
        };
        const bool rtl = expected == L"rtl";
        if (g_form == nullptr || mirrored(g_form) != rtl || mirrored(Control(kFirstBoxId)) != rtl ||
            mirrored(Control(kOkButtonId)) != rtl) {
            Fail(L"the window's layout is not " + expected);
        }
    } else if (step == L"texts") {
        WriteTexts(argument());
    } else if (step == L"fits") {
        CheckTextsFit();
    } else if (step == L"dpi") {
        TellDpi(std::stoi(argument()));
    } else if (step == L"focus") {
        const std::wstring expected = argument();
        const std::wstring focus = FocusName();
        std::fwprintf(stdout, L"focus: %ls\n", focus.c_str());
        if (focus != expected) {
            Fail(L"focus on " + focus + L", expected " + expected);
        }
    } else if (step == L"page") {
        const auto shown =
            static_cast<int>(::SendMessageW(Control(kTabControlId), TCM_GETCURSEL, 0, 0));
        std::fwprintf(stdout, L"page: %d\n", shown);
        if (shown != std::stoi(argument())) {
            Fail(L"page " + std::to_wstring(shown) + L" shown, expected " + argument());
        }
    } else if (step == L"focusshown") {
        DWORD_PTR state = 0;
        ::SendMessageTimeoutW(g_form, WM_QUERYUISTATE, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
        if ((state & UISF_HIDEFOCUS) != 0) {
            Fail(L"focus rectangles are hidden");
        }
    } else if (step == L"accessible") {
        WriteAccessible(argument());
    } else if (step == L"size") {
        RECT frame{};
        ::GetWindowRect(g_form, &frame);
        std::fwprintf(stdout, L"size: %ldx%ld\n", frame.right - frame.left,
                      frame.bottom - frame.top);
    } else if (step == L"click") {
        ::SendMessageW(Control(kFirstBoxId + std::stoi(argument())), BM_CLICK, 0, 0);
    } else if (step == L"clicknote") {
        const HWND note = Control(kPolicyNoteId);
        ::PostMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::PostMessageW(note, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        // Posted messages go after any sent one: wait for what they do.
        WaitFor(L"the note to take the focus", [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return ::GetGUIThreadInfo(g_program.threadId, &info) && info.hwndFocus == note;
        });
    } else if (step == L"tab") {
        ::SendMessageW(Control(kTabControlId), TCM_SETCURFOCUS, std::stoi(argument()), 0);
    } else if (step == L"ok" || step == L"cancel") {
        // Posted: OK may show boxes and ends the program, and a sent click
        // would wait for all of that.
        ::PostMessageW(Control(step == L"ok" ? kOkButtonId : kCancelButtonId), BM_CLICK, 0, 0);
    } else if (step == L"key") {
        PressKey(argument());
    } else if (step == L"closebox") {
        ::PostMessageW(g_form, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (step == L"exited") {
        if (::WaitForSingleObject(g_program.process.get(), 40000) != WAIT_OBJECT_0) {
            Fail(L"the program did not end");
        }
        WaitForChildren(g_program.processId);
        g_form = nullptr;
    } else if (step == L"signal") {
        const HANDLE created = ::CreateFileW(argument().c_str(), GENERIC_WRITE, 0, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        const tavlin::UniqueHandle signalFile(created == INVALID_HANDLE_VALUE ? nullptr : created);
        if (!signalFile) {
            Fail(L"cannot signal");
        }
    } else if (step == L"await") {
        const std::wstring path = argument();
        WaitFor(
            L"file " + path,
            [&] { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 60000);
    } else {
        Fail(L"unknown step " + step);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // A screen reader's side of MSAA needs COM.
    if (FAILED(::CoInitialize(nullptr))) {
        Fail(L"COM cannot start");
    }
    std::vector<std::wstring> script(argv + 1, argv + argc);
    for (std::size_t at = 0; at < script.size(); ++at) {
        RunStep(script, at);
    }
    std::fwprintf(stdout, L"PASS\n");
    return 0;
}
