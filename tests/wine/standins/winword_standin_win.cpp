// Stands in for Word under App Paths: records that it was started and what
// it found of the add-in's registration at that moment, which is what a
// real Word would see.
#include "common/unique_win.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool KeyExists(HKEY root, const wchar_t* path) {
    tavlin::UniqueHkey key;
    return ::RegOpenKeyExW(root, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t logPath[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"TAVLIN_TEST_LOG", logPath, MAX_PATH) == 0) {
        return 2;
    }
    const bool classRegistered = KeyExists(HKEY_CLASSES_ROOT, L"TavlinCom.Connect\\CLSID");
    DWORD loadBehavior = 0;
    DWORD size = sizeof loadBehavior;
    const bool listed =
        ::RegGetValueW(
            HKEY_CURRENT_USER, L"Software\\Microsoft\\Office\\Word\\AddIns\\TavlinCom.Connect",
            L"LoadBehavior", RRF_RT_REG_DWORD, nullptr, &loadBehavior, &size) == ERROR_SUCCESS;
    if (const tavlin::UniqueCFile log(_wfopen(logPath, L"a")); log) {
        std::fprintf(log.get(), "word class=%d loadbehavior=%ld\n", classRegistered ? 1 : 0,
                     listed ? static_cast<long>(loadBehavior) : -1L);
    }
    return 0;
}
