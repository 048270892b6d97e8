#include "addin/com/registration_win.h"

#include "addin/com/module_win.h"
#include "addin/com/registration.h"
#include "common/text_win.h"
#include "common/unique_resource.h"
#include "common/unique_win.h"
#include "tavlin_com_h.h"

#include <oleauto.h>

#include <string>
#include <variant>
#include <vector>

namespace tavlin::com {
namespace {

using registration::Hive;
using registration::Scope;
using registration::Status;
using registration::View;

std::string GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return WideToUtf8(text);
}

Status FromWin32(LONG status) {
    return status == ERROR_SUCCESS ? registration::kOk : HRESULT_FROM_WIN32(status);
}

using DeleteKeyExFunction = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);

// The access flag that opens the other registry view, or 0 where there is
// none: 32-bit Windows, which a 32-bit process learns from IsWow64Process.
REGSAM OtherViewFlag() {
    if constexpr (sizeof(void*) == 8) {
        return KEY_WOW64_32KEY;
    } else {
        BOOL wow64 = FALSE;
        return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64 ? KEY_WOW64_64KEY : 0;
    }
}

// RegDeleteKey can only delete in the process's own view. RegDeleteKeyEx
// can reach the other one but is missing on 32-bit XP, where Word 2007
// still runs; every system that has a second view has it.
LONG DeleteKey(HKEY root, const std::wstring& path, REGSAM view) {
    if (view == 0) {
        return ::RegDeleteKeyW(root, path.c_str());
    }
    const auto deleteKeyEx = reinterpret_cast<DeleteKeyExFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"advapi32.dll"), "RegDeleteKeyExW")));
    if (deleteKeyEx == nullptr) {
        return ERROR_PROC_NOT_FOUND;
    }
    return deleteKeyEx(root, path.c_str(), view, 0);
}

// Windows leaves a key with subkeys in place under RegDeleteKey, and
// RegDeleteTree is missing on XP. Paths stay whole from the root, so the
// view flag applies at every level.
LONG DeleteKeyTree(HKEY root, const std::wstring& path, REGSAM view) {
    UniqueHkey key;
    LONG status = ::RegOpenKeyExW(root, path.c_str(), 0,
                                  KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | view, key.put());
    if (status != ERROR_SUCCESS) {
        return status;
    }
    for (;;) {
        wchar_t name[256];
        DWORD length = 256;
        status = ::RegEnumKeyExW(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status != ERROR_SUCCESS) {
            return status;
        }
        status = DeleteKeyTree(root, path + L'\\' + name, view);
        if (status != ERROR_SUCCESS) {
            return status;
        }
    }
    key.reset();
    return DeleteKey(root, path, view);
}

using RegisterForUserFunction = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);

class RegistryBackend final : public registration::Backend {
public:
    Status WriteKey(Scope scope, const registration::Key& key) override {
        const auto [root, path] = Place(scope, key.hive, key.path);
        UniqueHkey handle;
        LONG status = ::RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_SET_VALUE, nullptr, handle.put(), nullptr);
        if (status != ERROR_SUCCESS) {
            return FromWin32(status);
        }
        for (const registration::Value& value : key.values) {
            const std::wstring name = Utf8ToWide(value.name);
            if (const auto* text = std::get_if<std::string>(&value.data)) {
                const std::wstring data = Utf8ToWide(*text);
                status = ::RegSetValueExW(handle.get(), name.empty() ? nullptr : name.c_str(), 0,
                                          REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
            } else {
                const DWORD data = std::get<std::uint32_t>(value.data);
                status =
                    ::RegSetValueExW(handle.get(), name.empty() ? nullptr : name.c_str(), 0,
                                     REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
            }
            if (status != ERROR_SUCCESS) {
                return FromWin32(status);
            }
        }
        return registration::kOk;
    }

    Status DeleteTree(Scope scope, View view, const registration::Tree& tree) override {
        const REGSAM flag = ViewFlag(view);
        if (flag == kNoView) {
            return registration::kNotFound;
        }
        const auto [root, path] = Place(scope, tree.hive, tree.path);
        return FromWin32(DeleteKeyTree(root, path, flag));
    }

    bool Exists(Scope scope, View view, const std::string& classesPath) override {
        const REGSAM flag = ViewFlag(view);
        if (flag == kNoView) {
            return false;
        }
        const auto [root, path] = Place(scope, Hive::Classes, classesPath);
        UniqueHkey key;
        return ::RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | flag, key.put()) ==
               ERROR_SUCCESS;
    }

    Status SubKeys(Scope scope, const std::string& classesPath,
                   std::vector<std::string>& names) override {
        const auto [root, path] = Place(scope, Hive::Classes, classesPath);
        UniqueHkey key;
        LONG status = ::RegOpenKeyExW(root, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, key.put());
        for (DWORD i = 0; status == ERROR_SUCCESS; ++i) {
            wchar_t name[256];
            DWORD length = 256;
            status =
                ::RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_SUCCESS) {
                names.push_back(WideToUtf8({name, length}));
            }
        }
        return status == ERROR_NO_MORE_ITEMS ? registration::kOk : FromWin32(status);
    }

    Status RegisterTypeLibrary(Scope scope) override {
        std::wstring path = module::Path();
        std::wstring folder = Utf8ToWide(registration::TypeLibraryHelpFolder(
            WideToUtf8(path),
            sizeof(void*) == 8 ? registration::Platform::Win64 : registration::Platform::Win32));
        ComPtr<ITypeLib> library;
        HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
        if (FAILED(hr)) {
            return hr;
        }
        if (scope == Scope::Machine) {
            hr = ::RegisterTypeLib(library.get(), path.data(), folder.data());
        } else {
            // Not declared by MinGW's headers, and absent from early XP.
            const auto registerForUser =
                reinterpret_cast<RegisterForUserFunction>(reinterpret_cast<void*>(::GetProcAddress(
                    ::GetModuleHandleW(L"oleaut32.dll"), "RegisterTypeLibForUser")));
            if (registerForUser == nullptr) {
                return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
            }
            hr = registerForUser(library.get(), path.data(), folder.data());
        }
        // The system reports a refused registry write in its own code.
        if (hr == TYPE_E_REGISTRYACCESS || hr == E_ACCESSDENIED) {
            return registration::kAccessDenied;
        }
        return hr;
    }

private:
    static constexpr REGSAM kNoView = ~REGSAM{0};

    REGSAM ViewFlag(View view) const {
        if (view == View::Own) {
            return 0;
        }
        return otherView_ == 0 ? kNoView : otherView_;
    }

    static std::pair<HKEY, std::wstring> Place(Scope scope, Hive hive, const std::string& path) {
        if (hive == Hive::User) {
            return {HKEY_CURRENT_USER, Utf8ToWide(path)};
        }
        return {scope == Scope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                L"Software\\Classes\\" + Utf8ToWide(path)};
    }

    const REGSAM otherView_ = OtherViewFlag();
};

registration::Table ThisTable() {
    return registration::AddinTable(
        {GuidText(CLSID_Connect), GuidText(LIBID_TavlinCom), GuidText(IID__Connect),
         WideToUtf8(module::Path()),
         sizeof(void*) == 8 ? registration::Platform::Win64 : registration::Platform::Win32});
}

} // namespace

HRESULT RegisterServer() {
    RegistryBackend backend;
    return registration::Register(backend, ThisTable()).status;
}

HRESULT UnregisterServer() {
    RegistryBackend backend;
    return registration::Unregister(backend, ThisTable());
}

} // namespace tavlin::com
