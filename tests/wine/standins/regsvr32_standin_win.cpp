// Stands in for a regsvr32 where a test needs it to fail or to take its
// time: records each start's exact command line, waits, then records its
// end, so a test can tell both what was asked and whether the caller waited
// for the answer. The exit code is the test's to choose. It registers
// nothing.
//   TAVLIN_REGSVR32_LOG   file to append to (required)
//   TAVLIN_REGSVR32_EXIT  exit code (default 0)
//   TAVLIN_REGSVR32_WAIT  milliseconds to wait before exiting (default 0)
#include "common/unique_resource.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// Empty when unset or longer than a path.
std::wstring EnvironmentValue(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(value, length);
}

void AppendLine(const std::wstring& logPath, const std::wstring& line) {
    if (const tavlin::UniqueCFile log(_wfopen(logPath.c_str(), L"ab")); log) {
        const std::wstring text = line + L"\n";
        const int bytes =
            ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), bytes, nullptr, nullptr);
        std::fwrite(utf8.data(), 1, utf8.size(), log.get());
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring logPath = EnvironmentValue(L"TAVLIN_REGSVR32_LOG");
    if (logPath.empty()) {
        return 99;
    }
    const int exitCode = _wtoi(EnvironmentValue(L"TAVLIN_REGSVR32_EXIT").c_str());
    const int waitMilliseconds = _wtoi(EnvironmentValue(L"TAVLIN_REGSVR32_WAIT").c_str());
    AppendLine(logPath, L"start " + std::wstring(::GetCommandLineW()));
    if (waitMilliseconds > 0) {
        ::Sleep(static_cast<DWORD>(waitMilliseconds));
    }
    AppendLine(logPath, L"exit " + std::to_wstring(exitCode));
    return exitCode;
}
