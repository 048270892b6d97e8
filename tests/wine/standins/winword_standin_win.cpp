// Stands in for Word under App Paths: records that it was started and what
// it found of the add-in's registration at that moment, as a Word of this
// program's bitness would find it: the ProgID's class (shared by both
// registry views) and that class's server in this process's own view, which
// must be a DLL of this process's bitness for Word to load it.
//   class=1          registered in this view, with a DLL Word could load
//   class=0          not registered in this view
//   class=unloadable registered in this view, but with a file that is
//                    missing or of the other bitness
#include "common/unique_resource.h"
#include "common/unique_win.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

// The key's default text value; nothing when the key or value is missing.
std::optional<std::wstring> DefaultText(const std::wstring& path) {
    wchar_t text[MAX_PATH * 2] = {};
    DWORD size = sizeof text;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text,
                       &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text);
}

// The machine a program file's header names; 0 when it is not one.
WORD Machine(const std::wstring& path) {
    const tavlin::UniqueCFile file(_wfopen(path.c_str(), L"rb"));
    if (!file) {
        return 0;
    }
    IMAGE_DOS_HEADER dos{};
    DWORD signature = 0;
    IMAGE_FILE_HEADER header{};
    if (std::fread(&dos, sizeof dos, 1, file.get()) != 1 || dos.e_magic != IMAGE_DOS_SIGNATURE ||
        std::fseek(file.get(), dos.e_lfanew, SEEK_SET) != 0 ||
        std::fread(&signature, sizeof signature, 1, file.get()) != 1 ||
        signature != IMAGE_NT_SIGNATURE || std::fread(&header, sizeof header, 1, file.get()) != 1) {
        return 0;
    }
    return header.Machine;
}

const char* ClassState() {
    const std::optional<std::wstring> clsid = DefaultText(L"TavlinCom.Connect\\CLSID");
    if (!clsid) {
        return "0";
    }
    const std::optional<std::wstring> server =
        DefaultText(L"CLSID\\" + *clsid + L"\\InprocServer32");
    if (!server) {
        return "0";
    }
    constexpr WORD kOwnMachine =
        sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386;
    return Machine(*server) == kOwnMachine ? "1" : "unloadable";
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t logPath[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"TAVLIN_TEST_LOG", logPath, MAX_PATH) == 0) {
        return 2;
    }
    const char* classState = ClassState();
    DWORD loadBehavior = 0;
    DWORD size = sizeof loadBehavior;
    const bool listed =
        ::RegGetValueW(
            HKEY_CURRENT_USER, L"Software\\Microsoft\\Office\\Word\\AddIns\\TavlinCom.Connect",
            L"LoadBehavior", RRF_RT_REG_DWORD, nullptr, &loadBehavior, &size) == ERROR_SUCCESS;
    if (const tavlin::UniqueCFile log(_wfopen(logPath, L"a")); log) {
        std::fprintf(log.get(), "word class=%s loadbehavior=%ld\n", classState,
                     listed ? static_cast<long>(loadBehavior) : -1L);
    }
    return 0;
}
