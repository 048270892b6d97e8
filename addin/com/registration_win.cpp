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

namespace tavlin::com {
namespace {

using registration::Hive;
using registration::Scope;
using registration::Status;

std::string GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return WideToUtf8(text);
}

Status FromWin32(LONG status) {
    return status == ERROR_SUCCESS ? registration::kOk : HRESULT_FROM_WIN32(status);
}

// Windows leaves a key with subkeys in place under RegDeleteKey, and
// RegDeleteTree is missing on XP, where Word 2007 still runs.
LONG DeleteKeyTree(HKEY parent, const std::wstring& path) {
    UniqueHkey key;
    LONG status = ::RegOpenKeyExW(parent, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE,
                                  key.put());
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
        status = DeleteKeyTree(key.get(), name);
        if (status != ERROR_SUCCESS) {
            return status;
        }
    }
    key.reset();
    return ::RegDeleteKeyW(parent, path.c_str());
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

    Status DeleteTree(Scope scope, const registration::Tree& tree) override {
        const auto [root, path] = Place(scope, tree.hive, tree.path);
        return FromWin32(DeleteKeyTree(root, path));
    }

    Status RegisterTypeLibrary(Scope scope) override {
        std::wstring path = module::Path();
        std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
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
    static std::pair<HKEY, std::wstring> Place(Scope scope, Hive hive, const std::string& path) {
        if (hive == Hive::User) {
            return {HKEY_CURRENT_USER, Utf8ToWide(path)};
        }
        return {scope == Scope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                L"Software\\Classes\\" + Utf8ToWide(path)};
    }
};

registration::Table ThisTable() {
    return registration::AddinTable({GuidText(CLSID_Connect), GuidText(LIBID_TavlinCom),
                                     GuidText(IID__Connect), WideToUtf8(module::Path())});
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
