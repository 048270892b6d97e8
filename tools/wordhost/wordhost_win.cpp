// wordhost: does with COM add-ins what Word 2007 does at start-up. Reads
// Word's add-in keys (HKCU, then HKLM); for each with LoadBehavior 3 it
// resolves the ProgID, creates the object in-process, calls
// IDTExtensibility2::OnConnection with an application object of its own,
// then IRibbonExtensibility::GetCustomUI("Microsoft.Word.Document"). Like
// Word, it sets LoadBehavior to 2 for an add-in that fails to load.
#include "common/text_win.h"
#include "common/unique_win.h"
#include "host_app_win.h"
#include "office_interfaces_win.h"
#include "ribbon_tree.h"

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

namespace {

using tavlin::ComPtr;
using tavlin::UniqueBstr;
using tavlin::UniqueHkey;

constexpr const wchar_t* kUsage =
    L"usage: wordhost [--name NAME] [--no-window] [--ribbon-out FILE] [--tree]\n"
    L"                [--keep-open SECONDS] [--repeat N]\n";

struct Options {
    tavlin::wordhost::HostOptions host;
    std::wstring ribbonOut;
    bool tree = false;
    int keepOpenSeconds = 0;
    int repeat = 0;
};

void Print(const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}
void Say(const std::wstring& text) {
    Print(tavlin::WideToUtf8(text));
}

std::wstring Hex(HRESULT hr) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    return buffer;
}

// The failure as the add-in described it, when it set error info.
std::wstring Describe(HRESULT hr) {
    std::wstring text = Hex(hr);
    ComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.put()) == S_OK && info) {
        UniqueBstr description;
        if (SUCCEEDED(info->GetDescription(description.put())) && description.get() != nullptr) {
            text += L" \"";
            text += description.get();
            text += L"\"";
        }
    }
    return text;
}

struct Addin {
    HKEY root;
    std::wstring rootName;
    std::wstring progId;
};

constexpr const wchar_t* kAddinsKey = L"Software\\Microsoft\\Office\\Word\\Addins";

std::vector<Addin> FindAddins() {
    std::vector<Addin> found;
    const std::pair<HKEY, const wchar_t*> roots[] = {{HKEY_CURRENT_USER, L"HKCU"},
                                                     {HKEY_LOCAL_MACHINE, L"HKLM"}};
    for (const auto& [root, rootName] : roots) {
        UniqueHkey addins;
        if (::RegOpenKeyExW(root, kAddinsKey, 0, KEY_READ, addins.put()) != ERROR_SUCCESS) {
            continue;
        }
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD length = 256;
            if (::RegEnumKeyExW(addins.get(), i, name, &length, nullptr, nullptr, nullptr,
                                nullptr) != ERROR_SUCCESS) {
                break;
            }
            DWORD behaviour = 0;
            DWORD size = sizeof behaviour;
            if (::RegGetValueW(addins.get(), name, L"LoadBehavior", RRF_RT_REG_DWORD, nullptr,
                               &behaviour, &size) == ERROR_SUCCESS &&
                behaviour == 3) {
                found.push_back({root, rootName, name});
            }
        }
    }
    return found;
}

void SoftDisable(const Addin& addin) {
    const std::wstring path = std::wstring(kAddinsKey) + L"\\" + addin.progId;
    const DWORD two = 2;
    ::RegSetKeyValueW(addin.root, path.c_str(), L"LoadBehavior", REG_DWORD, &two, sizeof two);
}

struct Loaded {
    ComPtr<IDTExtensibility2> connection;
    std::wstring document;
};

// Creation, connection, ribbon: what Word does for one add-in at start-up.
HRESULT Load(const Addin& addin, IDispatch* application, Loaded& out, std::wstring& failure) {
    CLSID clsid{};
    HRESULT hr = ::CLSIDFromProgID(addin.progId.c_str(), &clsid);
    if (FAILED(hr)) {
        failure = L"the ProgID does not resolve: " + Hex(hr);
        return hr;
    }
    ComPtr<IUnknown> object;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IUnknown),
                            object.put_void());
    if (FAILED(hr)) {
        failure = L"creation failed: " + Hex(hr);
        return hr;
    }
    hr = object->QueryInterface(__uuidof(IDTExtensibility2), out.connection.put_void());
    if (FAILED(hr)) {
        failure = L"no IDTExtensibility2: " + Hex(hr);
        return hr;
    }
    SAFEARRAY* custom = ::SafeArrayCreateVector(VT_VARIANT, 0, 0);
    hr = out.connection->OnConnection(application, ext_cm_Startup, application, &custom);
    if (custom != nullptr) {
        ::SafeArrayDestroy(custom);
    }
    if (FAILED(hr)) {
        failure = L"OnConnection failed: " + Describe(hr);
        return hr;
    }
    ComPtr<IRibbonExtensibility> ribbon;
    if (FAILED(object->QueryInterface(__uuidof(IRibbonExtensibility), ribbon.put_void()))) {
        return S_OK; // an add-in without ribbon customisation
    }
    UniqueBstr id(::SysAllocString(L"Microsoft.Word.Document"));
    UniqueBstr xml;
    hr = ribbon->GetCustomUI(id.get(), xml.put());
    if (FAILED(hr)) {
        failure = L"GetCustomUI failed: " + Describe(hr);
        return hr;
    }
    out.document.assign(xml.get() != nullptr ? xml.get() : L"",
                        xml.get() != nullptr ? ::SysStringLen(xml.get()) : 0);
    return S_OK;
}

void Disconnect(Loaded& loaded) {
    if (loaded.connection) {
        SAFEARRAY* custom = ::SafeArrayCreateVector(VT_VARIANT, 0, 0);
        loaded.connection->OnDisconnection(ext_dm_HostShutdown, &custom);
        if (custom != nullptr) {
            ::SafeArrayDestroy(custom);
        }
        loaded.connection.reset();
    }
}

void PumpFor(int seconds) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    while (::GetTickCount64() < end) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

bool WriteUtf8File(const std::wstring& path, const std::string& bytes) {
    tavlin::UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        (void)file.release();
        return false;
    }
    DWORD written = 0;
    return bytes.empty() || (::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                         &written, nullptr) &&
                             written == bytes.size());
}

int Run(const Options& options) {
    tavlin::wordhost::HostOptions host = options.host;
    const ComPtr<IDispatch> application =
        ComPtr<IDispatch>::Attach(tavlin::wordhost::NewApplication(host));
    if (!application) {
        Say(L"wordhost: out of memory\n");
        return 1;
    }
    const std::vector<Addin> addins = FindAddins();
    if (addins.empty()) {
        Say(L"wordhost: no add-in with LoadBehavior 3 under Word's add-in keys\n");
        return 1;
    }
    int status = 0;
    for (const Addin& addin : addins) {
        Loaded loaded;
        std::wstring failure;
        if (FAILED(Load(addin, application.get(), loaded, failure))) {
            Say(L"wordhost: " + addin.rootName + L" " + addin.progId + L": " + failure +
                L"; LoadBehavior set to 2\n");
            Disconnect(loaded);
            SoftDisable(addin);
            status = 1;
            continue;
        }
        Say(L"wordhost: loaded " + addin.rootName + L" " + addin.progId + L", document of " +
            std::to_wstring(loaded.document.size()) + L" characters\n");
        const std::string utf8 = tavlin::WideToUtf8(loaded.document);
        if (!options.ribbonOut.empty() && !WriteUtf8File(options.ribbonOut, utf8)) {
            Say(L"wordhost: cannot write " + options.ribbonOut + L"\n");
            status = 1;
        }
        if (options.tree) {
            try {
                Print(tavlin::wordhost::RibbonTree(utf8));
            } catch (const std::exception& e) {
                Print(std::string("wordhost: unreadable document: ") + e.what() + "\n");
                status = 1;
            }
        }
        if (options.keepOpenSeconds > 0) {
            Say(L"wordhost: keeping the add-in loaded for " +
                std::to_wstring(options.keepOpenSeconds) + L" s\n");
            std::fflush(stdout);
            PumpFor(options.keepOpenSeconds);
        }
        Disconnect(loaded);

        if (options.repeat > 0) {
            std::vector<double> rounds;
            for (int i = 0; i < options.repeat && status == 0; ++i) {
                const auto start = std::chrono::steady_clock::now();
                Loaded again;
                std::wstring why;
                if (FAILED(Load(addin, application.get(), again, why))) {
                    Say(L"wordhost: round " + std::to_wstring(i + 1) + L": " + why + L"\n");
                    status = 1;
                }
                Disconnect(again);
                rounds.push_back(std::chrono::duration<double, std::milli>(
                                     std::chrono::steady_clock::now() - start)
                                     .count());
            }
            if (!rounds.empty()) {
                std::sort(rounds.begin(), rounds.end());
                char line[96];
                std::snprintf(line, sizeof line, "wordhost: %zu rounds, median %.3f ms per round\n",
                              rounds.size(), rounds[rounds.size() / 2]);
                Print(line);
            }
        }
    }
    return status;
}

bool ParseNumber(const wchar_t* text, int& out) {
    wchar_t* end = nullptr;
    const long n = std::wcstol(text, &end, 10);
    if (end == text || *end != L'\0' || n < 0 || n > 1000000) {
        return false;
    }
    out = static_cast<int>(n);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        _setmode(_fileno(stdout), _O_BINARY);
        Options options;
        for (int i = 1; i < argc; ++i) {
            const std::wstring arg = argv[i];
            const bool hasValue = i + 1 < argc;
            if (arg == L"--name" && hasValue) {
                options.host.name = argv[++i];
            } else if (arg == L"--no-window") {
                options.host.hasWindow = false;
            } else if (arg == L"--ribbon-out" && hasValue) {
                options.ribbonOut = argv[++i];
            } else if (arg == L"--tree") {
                options.tree = true;
            } else if (arg == L"--keep-open" && hasValue &&
                       ParseNumber(argv[i + 1], options.keepOpenSeconds)) {
                ++i;
            } else if (arg == L"--repeat" && hasValue && ParseNumber(argv[i + 1], options.repeat)) {
                ++i;
            } else {
                Say(kUsage);
                return 2;
            }
        }
        if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
            Say(L"wordhost: COM could not be started\n");
            return 1;
        }
        const int status = Run(options);
        ::CoUninitialize();
        std::fflush(stdout);
        return status;
    } catch (...) {
        Print("wordhost: " + tavlin::CurrentError().description() + "\n");
        return 1;
    }
}
