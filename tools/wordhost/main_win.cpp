// wordhost: loads COM add-ins the way Word 2007 does and reports what they
// do, so the add-in can be tried where Word cannot run.
#include "addin/com/office_interfaces_win.h"
#include "common/product.h"
#include "common/text_win.h"
#include "common/unique_resource.h"
#include "common/unique_win.h"
#include "tools/wordhost/host_objects_win.h"
#include "tools/wordhost/ribbon_outline.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include <shellapi.h>

namespace {

using tavlin::ComPtr;
using tavlin::UniqueBstr;
using tavlin::UniqueHandle;
using tavlin::UniqueHkey;
using tavlin::WideToUtf8;
using wordhost::HostState;

constexpr IID kNullIid{};

constexpr const char* kUsage =
    "usage: wordhost [--name NAME] [--no-window] [--ribbon-out FILE] [--tree]\n"
    "                [--click CALLBACK | --close-about]... [--keep-open SECONDS]\n"
    "                [--repeat N]\n"
    "\n"
    "Loads every add-in that Word's add-in keys (HKCU, then HKLM) mark with\n"
    "LoadBehavior 3, as Word does: creation, OnConnection, GetCustomUI. A\n"
    "failed load sets LoadBehavior 2. Then, in order:\n"
    "  --ribbon-out FILE  writes the first add-in's document (UTF-8, no BOM)\n"
    "  --tree             prints each document as Word shows it\n"
    "  --click CALLBACK   calls the callback by name as a ribbon click does and\n"
    "                     reports its result, message box or About window\n"
    "  --close-about      presses OK on the open About window\n"
    "  --repeat N         times N rounds of creation, connection and GetCustomUI\n"
    "  --keep-open SECONDS  leaves an About window open that long at the end\n"
    "--name sets Application.Name (default \"Microsoft Word\"); --no-window\n"
    "makes Application.ActiveWindow fail as with no document open.\n"
    "Exit status: 0 every add-in loaded and every step succeeded, 1 otherwise,\n"
    "2 usage.\n";

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string Hex(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(hr));
    return buffer;
}

// Texts as a script can compare them: control characters escaped.
std::string Escaped(const std::wstring& text) {
    std::string out = "\"";
    for (const char c : WideToUtf8(text)) {
        switch (c) {
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

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

// The error a vtable call left behind, as Word would log it.
std::string FailureText(HRESULT hr) {
    std::string text = Hex(hr);
    ComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.put()) == S_OK && info) {
        UniqueBstr description;
        UniqueBstr source;
        if (SUCCEEDED(info->GetDescription(description.put())) && description) {
            text += " " + Escaped(description.get());
        }
        if (SUCCEEDED(info->GetSource(source.put())) && source) {
            text += " source " + Escaped(source.get());
        }
    }
    return text;
}

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

// A message box blocks the callback until closed, so a second thread
// reads it and presses OK, as the user would.
struct MessageBoxWatch {
    std::atomic<bool> stop{false};
    std::vector<std::string> seen;

    static DWORD WINAPI Run(void* p) {
        auto& w = *static_cast<MessageBoxWatch*>(p);
        while (!w.stop) {
            for (HWND box : WindowsOfThisProcess(L"#32770", nullptr)) {
                std::string report = "  message box: caption " + Escaped(WindowText(box)) +
                                     " text " + Escaped(WindowText(::GetDlgItem(box, 0xFFFF)));
                std::string buttons;
                for (HWND child : Children(box)) {
                    if (ClassName(child) == L"Button") {
                        buttons += (buttons.empty() ? "" : ",") + WideToUtf8(WindowText(child));
                    }
                }
                w.seen.push_back(report + " buttons " + buttons + "\n");
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
};

constexpr const wchar_t* kAboutCaption = L"About";

std::string AboutReport() {
    const std::vector<HWND> windows = WindowsOfThisProcess(nullptr, kAboutCaption);
    std::string report = "  about windows: " + std::to_string(windows.size()) + "\n";
    for (HWND w : windows) {
        std::string texts;
        for (HWND child : Children(w)) {
            const std::wstring text = WindowText(child);
            if (!text.empty()) {
                texts += (texts.empty() ? "" : " | ") + WideToUtf8(text);
            }
        }
        report += "  about: caption " + Escaped(WindowText(w)) + " texts " + texts + "\n";
    }
    return report;
}

// Presses OK on every About window; true when they all went.
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
    return pressed && WindowsOfThisProcess(nullptr, kAboutCaption).empty();
}

struct SafeArrayTraits {
    static SAFEARRAY* Invalid() noexcept { return nullptr; }
    static void Close(SAFEARRAY* a) noexcept { ::SafeArrayDestroy(a); }
};
using UniqueSafeArray = tavlin::UniqueResource<SafeArrayTraits>;

struct Addin {
    std::wstring progId;
    HKEY root = nullptr;
    ComPtr<IDTExtensibility2> extensibility;
    ComPtr<IRibbonExtensibility> ribbon;
    std::string document;
};

struct Options {
    HostState host;
    std::optional<std::wstring> ribbonOut;
    bool tree = false;
    std::vector<std::pair<std::string, std::wstring>> steps; // "click"/"close-about"
    int keepOpenSeconds = 0;
    int repeat = 0;
};

// Word's add-ins as the registry lists them: the user's first; a ProgID
// listed in both loads once.
std::vector<std::pair<HKEY, std::wstring>> ListedAddins() {
    std::vector<std::pair<HKEY, std::wstring>> listed;
    const std::wstring path = tavlin::Utf8ToWide(tavlin::kWordAddinsKey);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        UniqueHkey key;
        if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
            continue;
        }
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD length = 256;
            if (::RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            const bool known = std::any_of(listed.begin(), listed.end(), [&](const auto& a) {
                return ::CompareStringOrdinal(a.second.c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
            });
            if (!known) {
                listed.emplace_back(root, name);
            }
        }
    }
    return listed;
}

std::optional<DWORD> LoadBehavior(HKEY root, const std::wstring& progId) {
    const std::wstring path = tavlin::Utf8ToWide(tavlin::kWordAddinsKey) + L"\\" + progId;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValueW(root, path.c_str(), L"LoadBehavior", RRF_RT_REG_DWORD, nullptr, &value,
                       &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

void SoftDisable(HKEY root, const std::wstring& progId) {
    const std::wstring path = tavlin::Utf8ToWide(tavlin::kWordAddinsKey) + L"\\" + progId;
    UniqueHkey key;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS) {
        const DWORD disabled = 2;
        ::RegSetValueExW(key.get(), L"LoadBehavior", 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&disabled), sizeof disabled);
    }
}

// Creation, connection and the ribbon, in Word's order. Returns the failed
// step, or nothing.
std::optional<std::string> Load(Addin& addin, IDispatch* application) {
    CLSID clsid;
    HRESULT hr = ::CLSIDFromProgID(addin.progId.c_str(), &clsid);
    if (FAILED(hr)) {
        return "CLSIDFromProgID " + Hex(hr);
    }
    ComPtr<IUnknown> object;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IUnknown),
                            object.put_void());
    if (FAILED(hr)) {
        return "CoCreateInstance " + FailureText(hr);
    }
    hr = object->QueryInterface(__uuidof(IDTExtensibility2), addin.extensibility.put_void());
    if (FAILED(hr)) {
        return "QueryInterface(IDTExtensibility2) " + Hex(hr);
    }
    const ComPtr<IDispatch> addInInst = wordhost::MakeAddInObject(addin.progId);
    UniqueSafeArray custom(::SafeArrayCreateVector(VT_VARIANT, 0, 0));
    SAFEARRAY* customArray = custom.get();
    hr = addin.extensibility->OnConnection(application, ext_cm_Startup, addInInst.get(),
                                           &customArray);
    if (FAILED(hr)) {
        return "OnConnection " + FailureText(hr);
    }
    // An add-in without IRibbonExtensibility is loaded but shows nothing.
    if (FAILED(object->QueryInterface(__uuidof(IRibbonExtensibility), addin.ribbon.put_void()))) {
        return std::nullopt;
    }
    UniqueBstr ribbonId(::SysAllocString(L"Microsoft.Word.Document"));
    UniqueBstr xml;
    hr = addin.ribbon->GetCustomUI(ribbonId.get(), xml.put());
    if (FAILED(hr)) {
        return "GetCustomUI " + FailureText(hr);
    }
    if (xml) {
        addin.document = WideToUtf8({xml.get(), ::SysStringLen(xml.get())});
    }
    return std::nullopt;
}

void Disconnect(Addin& addin) {
    if (addin.extensibility) {
        UniqueSafeArray custom(::SafeArrayCreateVector(VT_VARIANT, 0, 0));
        SAFEARRAY* customArray = custom.get();
        addin.extensibility->OnDisconnection(ext_dm_HostShutdown, &customArray);
    }
    addin.ribbon.reset();
    addin.extensibility.reset();
}

// A ribbon click: the dispatch part of the add-in's IRibbonExtensibility,
// the callback's DISPID by name, one IRibbonControl argument.
bool Click(Addin& addin, const std::wstring& callback, HostState& host) {
    Print("click " + WideToUtf8(callback) + ":");
    if (!addin.ribbon) {
        Print(" no ribbon\n");
        return false;
    }
    ComPtr<IDispatch> dispatch;
    HRESULT hr = addin.ribbon->QueryInterface(__uuidof(IDispatch), dispatch.put_void());
    if (FAILED(hr)) {
        Print(" QueryInterface(IDispatch) " + Hex(hr) + "\n");
        return false;
    }
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(callback.c_str())};
    hr = dispatch->GetIDsOfNames(kNullIid, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        Print(" GetIDsOfNames " + Hex(hr) + "\n");
        return false;
    }
    const auto controlId = wordhost::ControlForAction(addin.document, WideToUtf8(callback));
    const ComPtr<IRibbonControl> control = wordhost::MakeRibbonControl(
        tavlin::Utf8ToWide(controlId.value_or(WideToUtf8(callback))), nullptr);
    VARIANT argument;
    ::VariantInit(&argument);
    V_VT(&argument) = VT_DISPATCH;
    V_DISPATCH(&argument) = control.get();
    DISPPARAMS params{&argument, nullptr, 1, 0};
    EXCEPINFO exception{};
    UINT argError = 0;

    host.activeWindowReads = host.documentMapReads = host.documentMapWrites = 0;
    const bool mapBefore = host.documentMap;
    MessageBoxWatch watch;
    UniqueHandle watcher(::CreateThread(nullptr, 0, &MessageBoxWatch::Run, &watch, 0, nullptr));
    hr = dispatch->Invoke(id, kNullIid, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                          &exception, &argError);
    watch.stop = true;
    if (watcher) {
        ::WaitForSingleObject(watcher.get(), INFINITE);
    }
    Pump(0);

    if (SUCCEEDED(hr)) {
        Print(" ok " + Hex(hr) + "\n");
    } else {
        std::string text = " failed " + Hex(hr);
        if (hr == DISP_E_EXCEPTION) {
            if (exception.pfnDeferredFillIn != nullptr) {
                exception.pfnDeferredFillIn(&exception);
            }
            UniqueBstr source(exception.bstrSource);
            UniqueBstr description(exception.bstrDescription);
            UniqueBstr help(exception.bstrHelpFile);
            text += " scode " + Hex(exception.scode);
            if (description) {
                text += " " + Escaped(description.get());
            }
            if (source) {
                text += " source " + Escaped(source.get());
            }
        }
        Print(text + "\n");
    }
    for (const std::string& line : watch.seen) {
        Print(line);
    }
    if (!WindowsOfThisProcess(nullptr, kAboutCaption).empty()) {
        Print(AboutReport());
    }
    if (host.activeWindowReads > 0) {
        Print("  ActiveWindow read " + std::to_string(host.activeWindowReads) +
              " times; DocumentMap read " + std::to_string(host.documentMapReads) + ", written " +
              std::to_string(host.documentMapWrites) + "; " + (mapBefore ? "true" : "false") +
              " -> " + (host.documentMap ? "true" : "false") + "\n");
    }
    return SUCCEEDED(hr);
}

void Repeat(const std::wstring& progId, int rounds, IDispatch* application) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(rounds));
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        ::QueryPerformanceCounter(&start);
        Addin addin{progId, nullptr, {}, {}, {}};
        const auto failed = Load(addin, application);
        Disconnect(addin);
        ::QueryPerformanceCounter(&end);
        if (failed) {
            Print("repeat: round " + std::to_string(i + 1) + " failed at " + *failed + "\n");
            return;
        }
        times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2 == 1
                              ? times[times.size() / 2]
                              : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    char line[200];
    std::snprintf(line, sizeof line,
                  "repeat: %d rounds of %s, median %.3f ms per round (min %.3f, max %.3f)\n",
                  rounds, WideToUtf8(progId).c_str(), median, times.front(), times.back());
    Print(line);
}

std::optional<Options> Parse(int argc, wchar_t** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        auto value = [&]() -> std::optional<std::wstring> {
            if (i + 1 >= argc) {
                return std::nullopt;
            }
            return std::wstring(argv[++i]);
        };
        auto number = [&]() -> std::optional<int> {
            const auto v = value();
            if (!v || v->empty() || v->size() > 6 ||
                v->find_first_not_of(L"0123456789") != std::wstring::npos) {
                return std::nullopt;
            }
            return std::stoi(*v);
        };
        if (a == L"--name") {
            const auto v = value();
            if (!v) {
                return std::nullopt;
            }
            o.host.name = *v;
        } else if (a == L"--no-window") {
            o.host.hasWindow = false;
        } else if (a == L"--ribbon-out") {
            o.ribbonOut = value();
            if (!o.ribbonOut) {
                return std::nullopt;
            }
        } else if (a == L"--tree") {
            o.tree = true;
        } else if (a == L"--click") {
            const auto v = value();
            if (!v || v->empty()) {
                return std::nullopt;
            }
            o.steps.emplace_back("click", *v);
        } else if (a == L"--close-about") {
            o.steps.emplace_back("close-about", L"");
        } else if (a == L"--keep-open") {
            const auto n = number();
            if (!n) {
                return std::nullopt;
            }
            o.keepOpenSeconds = *n;
        } else if (a == L"--repeat") {
            const auto n = number();
            if (!n || *n == 0) {
                return std::nullopt;
            }
            o.repeat = *n;
        } else {
            return std::nullopt;
        }
    }
    return o;
}

int Run(Options& options) {
    bool ok = true;
    const ComPtr<IDispatch> application = wordhost::MakeApplication(options.host);
    std::vector<Addin> loaded;
    for (const auto& [root, progId] : ListedAddins()) {
        const std::string where = root == HKEY_CURRENT_USER ? "HKCU" : "HKLM";
        const auto behavior = LoadBehavior(root, progId);
        if (behavior != 3u) {
            Print("addin " + WideToUtf8(progId) + " (" + where + "): not loaded, LoadBehavior " +
                  (behavior ? std::to_string(*behavior) : std::string("missing")) + "\n");
            continue;
        }
        Addin addin{progId, root, {}, {}, {}};
        if (const auto failed = Load(addin, application.get())) {
            // As Word does: the add-in stays listed but no longer loads.
            SoftDisable(root, progId);
            Print("addin " + WideToUtf8(progId) + " (" + where + "): failed at " + *failed +
                  "; LoadBehavior set to 2\n");
            Disconnect(addin);
            ok = false;
            continue;
        }
        Print("addin " + WideToUtf8(progId) + " (" + where + "): loaded, document of " +
              std::to_string(addin.document.size()) + " bytes\n");
        loaded.push_back(std::move(addin));
    }
    if (loaded.empty()) {
        Print("no add-in loaded\n");
        ok = false;
    }

    if (options.ribbonOut && !loaded.empty()) {
        const HANDLE raw = ::CreateFileW(options.ribbonOut->c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        UniqueHandle file(raw == INVALID_HANDLE_VALUE ? nullptr : raw);
        DWORD written = 0;
        const std::string& doc = loaded.front().document;
        if (!file ||
            !::WriteFile(file.get(), doc.data(), static_cast<DWORD>(doc.size()), &written,
                         nullptr) ||
            written != doc.size()) {
            Print("ribbon-out: cannot write the file\n");
            ok = false;
        }
    }
    if (options.tree) {
        for (const Addin& addin : loaded) {
            Print("ribbon of " + WideToUtf8(addin.progId) + ":\n");
            try {
                Print(wordhost::RibbonOutline(addin.document));
            } catch (const std::exception& e) {
                Print(std::string("  ") + e.what() + "\n");
                ok = false;
            }
        }
    }

    for (const auto& [kind, name] : options.steps) {
        if (kind == "close-about") {
            const bool closed = CloseAboutWindows();
            Print(std::string("close-about: ") + (closed ? "closed" : "no About window closed") +
                  "\n");
            ok = ok && closed;
            continue;
        }
        // Word calls the add-in whose document names the callback.
        Addin* target = loaded.empty() ? nullptr : &loaded.front();
        for (Addin& addin : loaded) {
            if (wordhost::ControlForAction(addin.document, WideToUtf8(name))) {
                target = &addin;
                break;
            }
        }
        if (target == nullptr) {
            Print("click " + WideToUtf8(name) + ": no add-in loaded\n");
            ok = false;
            continue;
        }
        ok = Click(*target, name, options.host) && ok;
    }

    if (options.repeat > 0 && !loaded.empty()) {
        Repeat(loaded.front().progId, options.repeat, application.get());
    }
    if (options.keepOpenSeconds > 0 && !WindowsOfThisProcess(nullptr, kAboutCaption).empty()) {
        Pump(static_cast<DWORD>(options.keepOpenSeconds) * 1000);
    }
    if (!WindowsOfThisProcess(nullptr, kAboutCaption).empty() && !CloseAboutWindows()) {
        Print("about: the window did not close with OK\n");
        ok = false;
    }
    for (Addin& addin : loaded) {
        Disconnect(addin);
    }
    return ok ? 0 : 1;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr) {
        return 2;
    }
    struct ArgvFree {
        wchar_t** p;
        ~ArgvFree() { ::LocalFree(p); }
    } argvFree{argv};
    std::optional<Options> options = Parse(argc, argv);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (FAILED(::OleInitialize(nullptr))) {
        std::fputs("wordhost: OLE cannot start\n", stderr);
        return 1;
    }
    int status = 1;
    try {
        status = Run(*options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wordhost: %s\n", e.what());
    } catch (...) {
        std::fputs("wordhost: unexpected failure\n", stderr);
    }
    std::fflush(stdout);
    ::CoFreeUnusedLibraries();
    ::OleUninitialize();
    return status;
}
