#include "control/switching_win.h"

#include "common/text_win.h"
#include "common/unique_win.h"
#include "common/window_helpers_win.h"

#include <algorithm>
#include <string>

namespace tavlin::control {
namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// The access flag that picks the key's registry view; 32-bit Windows
// ignores it.
REGSAM View(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine64 ? KEY_WOW64_64KEY : 0;
}

void Check(LSTATUS status) {
    if (status != ERROR_SUCCESS) {
        throw PlatformError(static_cast<DWORD>(status));
    }
}

// A folder from one of the calls that answer with the length they need when
// the buffer is too small.
template <typename Call> std::wstring FolderFrom(Call&& call) {
    std::wstring folder(MAX_PATH, L'\0');
    for (;;) {
        const UINT n = call(folder.data(), static_cast<UINT>(folder.size()));
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

Bitness SystemBitness() {
    if constexpr (sizeof(void*) == 8) {
        return Bitness::Bits64;
    }
    BOOL wow64 = FALSE;
    if (!::IsWow64Process(::GetCurrentProcess(), &wow64)) {
        throw PlatformError(::GetLastError());
    }
    return wow64 ? Bitness::Bits64 : Bitness::Bits32;
}

UniqueHkey OpenKey(RegistryRoot root, std::string_view path, REGSAM access) {
    UniqueHkey key;
    const LSTATUS status =
        ::RegOpenKeyExW(RootKey(root), Utf8ToWide(path).c_str(), 0, access | View(root), key.put());
    if (status == ERROR_FILE_NOT_FOUND) {
        return {};
    }
    Check(status);
    return key;
}

// Windows names a program by the path it was started with, which an old
// shortcut or a script may give in its short (8.3) form; the package records
// the installation's folder long, and so must the comparison see ours.
// (Wine names programs long whatever they were started with.) Any failure
// keeps the path as it was.
std::wstring LongPath(const std::wstring& path) {
    const DWORD needed = ::GetLongPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) {
        return path;
    }
    std::wstring longPath(needed, L'\0');
    const DWORD length = ::GetLongPathNameW(path.c_str(), longPath.data(), needed);
    if (length == 0 || length >= needed) {
        return path;
    }
    longPath.resize(length);
    return longPath;
}

} // namespace

SystemFacts WindowsSwitchPlatform::Facts() {
    SystemFacts facts;
    facts.process = sizeof(void*) == 8 ? Bitness::Bits64 : Bitness::Bits32;
    facts.system = SystemBitness();
    // The shared Windows folder, not a terminal-server user's private one.
    facts.windowsFolder = WideToUtf8(FolderFrom(::GetSystemWindowsDirectoryW));
    facts.systemFolder = WideToUtf8(FolderFrom(::GetSystemDirectoryW));
    facts.programFolder = WideToUtf8(LongPath(ProgramFolder()));
    return facts;
}

ToolRun WindowsSwitchPlatform::RunAndWait(std::string_view program, std::string_view commandLine,
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
        return {ToolRun::Outcome::NotStarted, 0, PlatformError(::GetLastError()).description()};
    }
    const UniqueHandle process(info.hProcess);
    const UniqueHandle thread(info.hThread);
    const auto ms = std::clamp<long long>(wait.count(), 0, INFINITE - 1);
    if (::WaitForSingleObject(process.get(), static_cast<DWORD>(ms)) != WAIT_OBJECT_0) {
        return {ToolRun::Outcome::StillRunning, 0, {}};
    }
    DWORD code = 0;
    if (!::GetExitCodeProcess(process.get(), &code)) {
        throw PlatformError(::GetLastError());
    }
    return {ToolRun::Outcome::Ended, code, {}};
}

void WindowsSwitchPlatform::Start(std::string_view program, std::string_view commandLine,
                                  std::string_view workingFolder) {
    const std::wstring application = Utf8ToWide(program);
    std::wstring line = Utf8ToWide(commandLine);
    const std::wstring folder = Utf8ToWide(workingFolder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        throw PlatformError(::GetLastError());
    }
    // Word runs on its own; nothing here waits for it.
    const UniqueHandle process(info.hProcess);
    const UniqueHandle thread(info.hThread);
}

std::optional<std::string> WindowsSwitchPlatform::Environment(std::string_view name) {
    const std::wstring wideName = Utf8ToWide(name);
    std::wstring value(256, L'\0');
    for (;;) {
        ::SetLastError(ERROR_SUCCESS);
        const DWORD n = ::GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                                  static_cast<DWORD>(value.size()));
        if (n == 0) {
            // An empty variable is a value; a missing one is not.
            if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            return std::string();
        }
        if (n < value.size()) {
            value.resize(n);
            return WideToUtf8(value);
        }
        value.resize(n);
    }
}

std::optional<std::string>
WindowsSwitchPlatform::ReadString(RegistryRoot root, std::string_view path, std::string_view name) {
    const UniqueHkey key = OpenKey(root, path, KEY_QUERY_VALUE);
    if (!key) {
        return std::nullopt;
    }
    const std::wstring valueName = Utf8ToWide(name);
    for (;;) {
        DWORD type = 0;
        DWORD bytes = 0;
        LSTATUS status =
            ::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &bytes);
        if (status == ERROR_FILE_NOT_FOUND) {
            return std::nullopt;
        }
        Check(status);
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            return std::nullopt;
        }
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD got = bytes;
        status = ::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(text.data()), &got);
        if (status == ERROR_MORE_DATA) {
            continue; // changed between the two calls
        }
        Check(status);
        // The stored text need not carry its terminator, or may carry more.
        text.resize(got / sizeof(wchar_t));
        text.erase(std::find(text.begin(), text.end(), L'\0'), text.end());
        return WideToUtf8(text);
    }
}

void WindowsSwitchPlatform::CreateKey(RegistryRoot root, std::string_view path) {
    UniqueHkey key;
    Check(::RegCreateKeyExW(RootKey(root), Utf8ToWide(path).c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | View(root), nullptr,
                            key.put(), nullptr));
}

void WindowsSwitchPlatform::DeleteKey(RegistryRoot root, std::string_view path) {
    // RegDeleteKeyW cannot reach the other view, and RegDeleteKeyExW is
    // missing from 32-bit Windows XP, where Word 2007 runs.
    if (root == RegistryRoot::LocalMachine64) {
        throw PlatformError(ERROR_NOT_SUPPORTED);
    }
    const LSTATUS status = ::RegDeleteKeyW(RootKey(root), Utf8ToWide(path).c_str());
    if (status != ERROR_FILE_NOT_FOUND) {
        Check(status);
    }
}

void WindowsSwitchPlatform::SetDword(RegistryRoot root, std::string_view path,
                                     std::string_view name, std::uint32_t value) {
    UniqueHkey key;
    Check(::RegCreateKeyExW(RootKey(root), Utf8ToWide(path).c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | View(root), nullptr, key.put(),
                            nullptr));
    const DWORD data = value;
    Check(::RegSetValueExW(key.get(), Utf8ToWide(name).c_str(), 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&data), sizeof data));
}

std::vector<BinaryValue> WindowsSwitchPlatform::BinaryValues(RegistryRoot root,
                                                             std::string_view path) {
    std::vector<BinaryValue> values;
    const UniqueHkey key = OpenKey(root, path, KEY_QUERY_VALUE);
    if (!key) {
        return values;
    }
    DWORD count = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    Check(::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             &count, &longestName, &longestData, nullptr, nullptr));
    std::wstring name(longestName + 1, L'\0');
    // Never empty: given no buffer, RegEnumValueW succeeds with the size
    // alone, and a value written since the key was measured would then be
    // read past the end.
    std::vector<std::uint8_t> data(longestData + 1);
    for (DWORD i = 0; i < count; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD bytes = static_cast<DWORD>(data.size());
        const LSTATUS status = ::RegEnumValueW(key.get(), i, name.data(), &nameLength, nullptr,
                                               &type, data.data(), &bytes);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        // A value written since the key was measured is Word's, not ours.
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        Check(status);
        if (type == REG_BINARY) {
            values.push_back({WideToUtf8(std::wstring_view(name.data(), nameLength)),
                              std::vector<std::uint8_t>(data.begin(), data.begin() + bytes)});
        }
    }
    return values;
}

void WindowsSwitchPlatform::DeleteValue(RegistryRoot root, std::string_view path,
                                        std::string_view name) {
    const UniqueHkey key = OpenKey(root, path, KEY_SET_VALUE);
    if (!key) {
        return;
    }
    const LSTATUS status = ::RegDeleteValueW(key.get(), Utf8ToWide(name).c_str());
    if (status != ERROR_FILE_NOT_FOUND) {
        Check(status);
    }
}

} // namespace tavlin::control
