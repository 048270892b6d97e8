#include "tools/wordhost/ui_watch_win.h"

#include "common/text_win.h"
#include "common/window_helpers_win.h"
#include "tools/wordhost/report_win.h"

#include <oleacc.h>

#include <algorithm>

namespace wordhost {
namespace {

// The About window's class: its caption speaks Word's language.
constexpr const wchar_t* kAboutClass = L"TavlinAboutWindow";
constexpr const wchar_t* kDialogClass = L"#32770";
// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

struct WindowSearch {
    const wchar_t* className;
    const wchar_t* caption;
    std::vector<HWND> found;
};

// Named CALLBACK functions rather than lambdas: on i686 WNDENUMPROC is
// __stdcall, which a lambda's conversion cannot give.
BOOL CALLBACK CollectMatchingWindow(HWND hwnd, LPARAM searchAddress) {
    auto& wanted = *reinterpret_cast<WindowSearch*>(searchAddress);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hwnd, &processId);
    if (processId != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd)) {
        return TRUE;
    }
    if (wanted.className != nullptr && ClassName(hwnd) != wanted.className) {
        return TRUE;
    }
    if (wanted.caption != nullptr && WindowText(hwnd) != wanted.caption) {
        return TRUE;
    }
    wanted.found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM childrenAddress) {
    reinterpret_cast<std::vector<HWND>*>(childrenAddress)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> WindowsOfThisProcess(const wchar_t* className, const wchar_t* caption) {
    WindowSearch search{className, caption, {}};
    ::EnumWindows(CollectMatchingWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

} // namespace

void PumpMessages(DWORD milliseconds) {
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    do {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (milliseconds > 0) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    } while (::GetTickCount64() < deadline);
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
    auto& watch = *static_cast<MessageBoxWatch*>(self);
    while (!watch.stop_) {
        for (HWND box : WindowsOfThisProcess(kDialogClass, nullptr)) {
            std::string report = "  message box: caption " + Escaped(WindowText(box)) + " text " +
                                 Escaped(WindowText(::GetDlgItem(box, kMessageBoxTextId)));
            std::string buttons;
            for (HWND child : Children(box)) {
                if (ClassName(child) == L"Button") {
                    buttons += (buttons.empty() ? "" : ",") + tavlin::WideToUtf8(WindowText(child));
                }
            }
            watch.seen_.push_back(report + " buttons " + buttons + "\n");
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
    return !WindowsOfThisProcess(kAboutClass, nullptr).empty();
}

// Whether a control shows its whole text: measured in its own font, the
// text fits inside the control, and the control inside the window.
bool TextFits(HWND parent, HWND control, const std::wstring& text) {
    RECT inParent{};
    RECT parentClient{};
    ::GetWindowRect(control, &inParent);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&inParent), 2);
    ::GetClientRect(parent, &parentClient);
    RECT own{};
    ::GetClientRect(control, &own);
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0));
    const tavlin::WindowDc dc(control, font);
    SIZE size{};
    const BOOL measured =
        ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    // A button draws its text inside a border and a focus frame.
    const int border = ClassName(control) == L"Button" ? 8 : 0;
    return measured && size.cx + border <= own.right && size.cy <= own.bottom &&
           inParent.left >= 0 && inParent.top >= 0 && inParent.right <= parentClient.right &&
           inParent.bottom <= parentClient.bottom;
}

std::string AboutReport() {
    const std::vector<HWND> windows = WindowsOfThisProcess(kAboutClass, nullptr);
    std::string report = "  about windows: " + std::to_string(windows.size()) + "\n";
    for (HWND about : windows) {
        std::string texts;
        std::string cut;
        for (HWND child : Children(about)) {
            const std::wstring text = WindowText(child);
            if (!text.empty()) {
                texts += (texts.empty() ? "" : " | ") + tavlin::WideToUtf8(text);
                if (!TextFits(about, child, text)) {
                    cut += (cut.empty() ? "" : " | ") + tavlin::WideToUtf8(text);
                }
            }
        }
        report += "  about: caption " + Escaped(WindowText(about)) + " texts " + texts + "\n";
        RECT frame{};
        ::GetWindowRect(about, &frame);
        report += "  about: window " + std::to_string(frame.right - frame.left) + "x" +
                  std::to_string(frame.bottom - frame.top) + "\n";
        report += cut.empty() ? "  about: every text fits\n" : "  about: cut off: " + cut + "\n";
        // Mirrored as a right-to-left language's window is: the window,
        // and every control with it.
        bool mirrored = (::GetWindowLongW(about, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
        for (HWND child : Children(about)) {
            mirrored = mirrored && (::GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
        }
        report += mirrored ? "  about: layout rtl\n" : "  about: layout ltr\n";
    }
    return report;
}

bool CloseAboutWindows() {
    bool pressed = false;
    for (HWND about : WindowsOfThisProcess(kAboutClass, nullptr)) {
        for (HWND child : Children(about)) {
            if (ClassName(child) == L"Button" && ::GetDlgCtrlID(child) == IDOK) {
                ::SendMessageW(child, BM_CLICK, 0, 0);
                pressed = true;
            }
        }
    }
    PumpMessages(0);
    return pressed && !AboutWindowOpen();
}

bool TellAboutDpi(int dpi) {
    const std::vector<HWND> windows = WindowsOfThisProcess(kAboutClass, nullptr);
    if (windows.empty()) {
        return false;
    }
    for (HWND about : windows) {
        RECT frame{};
        ::GetWindowRect(about, &frame);
        const int current = tavlin::WindowDpi(about);
        RECT suggested{frame.left, frame.top,
                       frame.left + ::MulDiv(frame.right - frame.left, dpi, current),
                       frame.top + ::MulDiv(frame.bottom - frame.top, dpi, current)};
        ::SendMessageW(about, tavlin::kWmDpiChanged, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
    }
    PumpMessages(0);
    return true;
}

namespace {

// What a key does to this thread's input state and queue: Shift is held
// through the thread's key state, which is what the dialog manager reads.
void PostKey(wchar_t key) {
    HWND target = ::GetFocus();
    if (target == nullptr) {
        const std::vector<HWND> windows = WindowsOfThisProcess(kAboutClass, nullptr);
        target = windows.empty() ? nullptr : windows.front();
    }
    if (target == nullptr) {
        return;
    }
    BYTE state[256] = {};
    const bool shifted = key == L'T';
    if (shifted) {
        ::GetKeyboardState(state);
        state[VK_SHIFT] = 0x80;
        ::SetKeyboardState(state);
    }
    UINT virtualKey = VK_TAB;
    switch (key) {
    case L'r':
        virtualKey = VK_RETURN;
        break;
    case L'e':
        virtualKey = VK_ESCAPE;
        break;
    case L's':
        virtualKey = VK_SPACE;
        break;
    case L'f':
        virtualKey = VK_F4;
        break;
    default:
        break;
    }
    const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | static_cast<LPARAM>(scan) << 16;
    const LPARAM up = down | static_cast<LPARAM>(3) << 30;
    if (key == L'f') {
        // Alt held: the context bit of a system key.
        constexpr LPARAM kAltDown = static_cast<LPARAM>(1) << 29;
        ::PostMessageW(target, WM_SYSKEYDOWN, virtualKey, down | kAltDown);
        ::PostMessageW(target, WM_SYSKEYUP, virtualKey, up | kAltDown);
    } else {
        ::PostMessageW(target, WM_KEYDOWN, virtualKey, down);
        ::PostMessageW(target, WM_KEYUP, virtualKey, up);
    }
    PumpMessages(0);
    if (shifted) {
        state[VK_SHIFT] = 0;
        ::SetKeyboardState(state);
    }
}

std::string FocusName() {
    HWND focus = ::GetFocus();
    if (focus == nullptr) {
        return "nothing";
    }
    const std::wstring text = WindowText(focus);
    const std::string name = text.empty() ? tavlin::WideToUtf8(ClassName(focus)) : Escaped(text);
    return ClassName(::GetAncestor(focus, GA_ROOT)) == kAboutClass ? name : "outside " + name;
}

} // namespace

std::string TypeIntoAbout(const std::wstring& keys) {
    std::string report = "  about-keys: focus " + FocusName() + "\n";
    for (const wchar_t key : keys) {
        PostKey(key);
        report += "  about-keys: " + std::string(1, static_cast<char>(key)) + " -> focus " +
                  FocusName() + (AboutWindowOpen() ? "" : ", About window closed") + "\n";
    }
    return report;
}

namespace {

std::string AccessibleLine(HWND hwnd) {
    tavlin::ComPtr<IAccessible> accessible;
    if (const HRESULT hr = ::AccessibleObjectFromWindow(
            hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), accessible.put_void());
        FAILED(hr) || !accessible) {
        return "no accessible object: " + Hex(hr);
    }
    VARIANT self;
    ::VariantInit(&self);
    V_VT(&self) = VT_I4;
    V_I4(&self) = CHILDID_SELF;
    std::string line;
    tavlin::UniqueVariant role;
    wchar_t roleText[128] = L"?";
    if (SUCCEEDED(accessible->get_accRole(self, role.put())) && V_VT(role.get()) == VT_I4) {
        ::GetRoleTextW(static_cast<DWORD>(V_I4(role.get())), roleText, 128);
    }
    line = tavlin::WideToUtf8(roleText);
    tavlin::UniqueBstr name;
    line += " " + (SUCCEEDED(accessible->get_accName(self, name.put())) && name
                       ? Escaped(name.get())
                       : std::string("(no name)"));
    tavlin::UniqueBstr value;
    if (SUCCEEDED(accessible->get_accValue(self, value.put())) && value &&
        ::SysStringLen(value.get()) > 0) {
        line += " value " + Escaped(value.get());
    }
    return line;
}

} // namespace

std::string AboutAccessibility() {
    std::string report;
    for (HWND about : WindowsOfThisProcess(kAboutClass, nullptr)) {
        report += "  accessible: window " + AccessibleLine(about) + "\n";
        for (HWND child : Children(about)) {
            report += "  accessible: " + AccessibleLine(child) + "\n";
        }
    }
    return report;
}

} // namespace wordhost
