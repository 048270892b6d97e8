#include "control/switching_win.h"

#include "common/text_win.h"
#include "common/window_helpers_win.h"

#include <algorithm>
#include <string>

namespace tavlin::control {
namespace {

HKEY RootKey(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    }
    return nullptr;
}

std::wstring SystemFolder() {
    std::wstring folder(MAX_PATH, L'\0');
    for (;;) {
        const UINT n = ::GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
        if (n == 0) {
            throw PlatformError(::GetLastError());
        }
        if (n < folder.size()) {
            folder.resize(n);
            return folder;
        }
        folder.resize(n);
    }
}

} // namespace

void WindowsSwitchPlatform::RunProgram(std::string_view program, std::string_view commandLine,
                                       std::chrono::milliseconds wait) {
    const std::wstring application = Utf8ToWide(program);
    // CreateProcessW may write into the command line.
    std::wstring line = Utf8ToWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION info{};
    // The application name is given in full, so neither the program's own
    // folder nor the current one is searched for a planted regsvr32.exe.
    if (!::CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info)) {
        throw PlatformError(::GetLastError());
    }
    const UniqueHandle process(info.hProcess);
    const UniqueHandle thread(info.hThread);
    const auto ms = std::clamp<long long>(wait.count(), 0, INFINITE - 1);
    ::WaitForSingleObject(process.get(), static_cast<DWORD>(ms));
}

RegistryKey WindowsSwitchPlatform::CreateKey(RegistryRoot root, std::string_view path) {
    const std::wstring name = Utf8ToWide(path);
    UniqueHkey key;
    if (::RegCreateKeyExW(RootKey(root), name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return kNoKey;
    }
    const auto handle = reinterpret_cast<RegistryKey>(key.get());
    open_.push_back(std::move(key));
    return handle;
}

void WindowsSwitchPlatform::DeleteSubkey(RegistryKey key, std::string_view subkey) {
    const auto it = std::find_if(open_.begin(), open_.end(), [key](const UniqueHkey& k) {
        return reinterpret_cast<RegistryKey>(k.get()) == key;
    });
    if (it == open_.end()) {
        return;
    }
    const std::wstring name = Utf8ToWide(subkey);
    ::RegDeleteKeyW(it->get(), name.c_str());
}

void WindowsSwitchPlatform::CloseKey(RegistryKey key) {
    std::erase_if(open_, [key](const UniqueHkey& k) {
        return reinterpret_cast<RegistryKey>(k.get()) == key;
    });
}

SwitchPaths WindowsSwitchPaths() {
    SwitchPaths paths;
    paths.registrationTool = WideToUtf8(SystemFolder() + L"\\regsvr32.exe");
    paths.addinFile = AddinFilePath(WideToUtf8(ProgramFolder()));
    return paths;
}

} // namespace tavlin::control
