// wordhost: loads COM add-ins the way Word 2007 does and reports what they
// do, so the add-in can be tried where Word cannot run.
#include "common/text_win.h"
#include "common/unique_win.h"
#include "tools/wordhost/click_win.h"
#include "tools/wordhost/host_objects_win.h"
#include "tools/wordhost/loading_win.h"
#include "tools/wordhost/options.h"
#include "tools/wordhost/report_win.h"
#include "tools/wordhost/ribbon_outline.h"
#include "tools/wordhost/timing_win.h"
#include "tools/wordhost/ui_watch_win.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <shellapi.h>

namespace {

using namespace wordhost;
using tavlin::WideToUtf8;

bool WriteDocument(const std::wstring& path, const std::string& document) {
    const HANDLE raw = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    const tavlin::UniqueHandle file(raw == INVALID_HANDLE_VALUE ? nullptr : raw);
    DWORD written = 0;
    return file &&
           ::WriteFile(file.get(), document.data(), static_cast<DWORD>(document.size()), &written,
                       nullptr) &&
           written == document.size();
}

// The thread's DPI awareness, where Windows has the call (10 1607 on);
// false where it was asked for and could not be set.
bool SetDpiAwareness(const std::optional<DpiAwareness>& awareness) {
    if (!awareness) {
        return true;
    }
    using SetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    const auto setContext = user32 == nullptr
                                ? nullptr
                                : reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
                                      ::GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
    if (setContext == nullptr) {
        return false;
    }
    switch (*awareness) {
    case DpiAwareness::Unaware:
        return setContext(DPI_AWARENESS_CONTEXT_UNAWARE) != nullptr;
    case DpiAwareness::System:
        return setContext(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE) != nullptr;
    case DpiAwareness::PerMonitor:
        // Wine 8 knows per-monitor awareness, but not its second version.
        return setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) != nullptr ||
               setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE) != nullptr;
    }
    return false;
}

int Run(const Options& options) {
    bool allSucceeded = true;
    if (!SetDpiAwareness(options.dpiAwareness)) {
        Print("dpi-awareness: the thread's awareness cannot be set\n");
        allSucceeded = false;
    }
    HostState host;
    host.applicationName = options.hostName;
    host.hasWindow = options.hasWindow;
    host.uiLanguage = options.uiLanguage;
    host.uiLanguageAnswer = options.uiLanguageAnswer;
    const tavlin::ComPtr<IDispatch> application = MakeApplication(host);
    std::vector<Addin> loaded;
    for (const auto& [root, progId] : ListedAddins()) {
        const std::string hive = root == HKEY_CURRENT_USER ? "HKCU" : "HKLM";
        const auto behavior = LoadBehavior(root, progId);
        if (behavior != 3u) {
            Print("addin " + WideToUtf8(progId) + " (" + hive + "): not loaded, LoadBehavior " +
                  (behavior ? std::to_string(*behavior) : std::string("missing")) + "\n");
            continue;
        }
        Addin addin{progId, root, {}, {}, {}};
        if (const auto failed = Load(addin, application.get())) {
            SoftDisable(root, progId);
            Print("addin " + WideToUtf8(progId) + " (" + hive + "): failed at " + *failed +
                  "; LoadBehavior set to 2\n");
            Disconnect(addin);
            allSucceeded = false;
            continue;
        }
        Print("addin " + WideToUtf8(progId) + " (" + hive + "): loaded, document of " +
              std::to_string(addin.document.size()) + " bytes\n");
        loaded.push_back(std::move(addin));
    }
    if (loaded.empty()) {
        Print("no add-in loaded\n");
        allSucceeded = false;
    }

    if (options.ribbonOutPath && !loaded.empty() &&
        !WriteDocument(*options.ribbonOutPath, loaded.front().document)) {
        Print("ribbon-out: cannot write the file\n");
        allSucceeded = false;
    }
    if (options.printOutline) {
        for (const Addin& addin : loaded) {
            Print("ribbon of " + WideToUtf8(addin.progId) + ":\n");
            try {
                Print(RibbonOutline(addin.document));
            } catch (const std::exception& malformed) {
                Print(std::string("  ") + malformed.what() + "\n");
                allSucceeded = false;
            }
        }
    }

    for (const Step& step : options.steps) {
        switch (step.kind) {
        case Step::Kind::CloseAbout: {
            const bool closed = CloseAboutWindows();
            Print(std::string("close-about: ") + (closed ? "closed" : "no About window closed") +
                  "\n");
            allSucceeded = allSucceeded && closed;
            break;
        }
        case Step::Kind::AboutDpi: {
            const bool told = TellAboutDpi(step.dpi);
            Print("about-dpi " + std::to_string(step.dpi) + ": " +
                  (told ? "sent" : "no About window") + "\n");
            if (told) {
                Print(AboutReport());
            }
            allSucceeded = allSucceeded && told;
            break;
        }
        case Step::Kind::AboutKeys: {
            const bool open = AboutWindowOpen();
            Print(open ? TypeIntoAbout(step.keys) : "about-keys: no About window\n");
            allSucceeded = allSucceeded && open;
            break;
        }
        case Step::Kind::AboutAccessible: {
            const bool open = AboutWindowOpen();
            Print(open ? AboutAccessibility() : "about-accessible: no About window\n");
            allSucceeded = allSucceeded && open;
            break;
        }
        case Step::Kind::Click: {
            // Word calls the add-in whose document names the callback.
            const std::string callback = WideToUtf8(step.callback);
            Addin* target = loaded.empty() ? nullptr : &loaded.front();
            for (Addin& addin : loaded) {
                if (ControlForAction(addin.document, callback)) {
                    target = &addin;
                    break;
                }
            }
            if (target == nullptr) {
                Print("click " + callback + ": no add-in loaded\n");
                allSucceeded = false;
                break;
            }
            allSucceeded = Click(*target, step.callback, host) && allSucceeded;
            break;
        }
        }
    }

    if (options.rounds > 0 && !loaded.empty()) {
        // The timed rounds load each library as a start of Word does, so
        // the load above lets go of it first; an open About window keeps
        // its library, and the rounds say so.
        if (!AboutWindowOpen()) {
            for (Addin& addin : loaded) {
                Disconnect(addin);
            }
            ::CoFreeUnusedLibrariesEx(0, 0);
        }
        allSucceeded = TimeRounds(loaded.front().progId, options.baselineProgId, options.rounds,
                                  application.get()) &&
                       allSucceeded;
    }
    if (options.keepOpenSeconds > 0 && AboutWindowOpen()) {
        // What was reported is readable while the window stays open: a
        // caller waits for it before photographing the window.
        std::fflush(stdout);
        PumpMessages(static_cast<DWORD>(options.keepOpenSeconds) * 1000);
    }
    if (AboutWindowOpen() && !CloseAboutWindows()) {
        Print("about: the window did not close with OK\n");
        allSucceeded = false;
    }
    for (Addin& addin : loaded) {
        Disconnect(addin);
    }
    return allSucceeded ? 0 : 1;
}

struct LocalFreeDeleter {
    void operator()(wchar_t** arguments) const noexcept { ::LocalFree(arguments); }
};

} // namespace

int main() {
    int argc = 0;
    const std::unique_ptr<wchar_t*, LocalFreeDeleter> argv(
        ::CommandLineToArgvW(::GetCommandLineW(), &argc));
    if (!argv) {
        return 2;
    }
    const std::vector<std::wstring_view> arguments(argv.get() + std::min(argc, 1),
                                                   argv.get() + argc);
    const std::optional<std::vector<Options>> sessions = ParseSessions(arguments);
    if (!sessions) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (FAILED(::OleInitialize(nullptr))) {
        std::fputs("wordhost: OLE cannot start\n", stderr);
        return 1;
    }
    int exitCode = 0;
    for (std::size_t n = 0; n < sessions->size(); ++n) {
        if (sessions->size() > 1) {
            Print("session " + std::to_string(n + 1) + "\n");
        }
        // One session's failure is reported and the next still runs, so a
        // caller learns of every one.
        try {
            exitCode = std::max(exitCode, Run((*sessions)[n]));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "wordhost: %s\n", error.what());
            exitCode = 1;
        } catch (...) {
            std::fputs("wordhost: unexpected failure\n", stderr);
            exitCode = 1;
        }
    }
    std::fflush(stdout);
    ::CoFreeUnusedLibraries();
    ::OleUninitialize();
    return exitCode;
}
