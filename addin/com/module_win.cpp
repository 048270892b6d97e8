// The in-process server's entry points: DllMain, the class factory and the
// four exports (undecorated through TavlinAddin.def).
#include "addin/com/module_win.h"

#include "addin/com/connect_object_win.h"
#include "addin/com/error_boundary_win.h"
#include "addin/com/registration_win.h"
#include "common/com_object_win.h"
#include "tavlin_com_h.h"

#include <atomic>
#include <cstdlib>

namespace tavlin::module {
namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_locks{0};

} // namespace

HMODULE Handle() noexcept {
    return g_module;
}

std::wstring Path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void Lock() noexcept {
    ++g_locks;
}
void Unlock() noexcept {
    --g_locks;
}

} // namespace tavlin::module

namespace {

struct ConnectModule {
    static void Lock() noexcept { tavlin::module::Lock(); }
    static void Unlock() noexcept { tavlin::module::Unlock(); }
    static HRESULT Create(REFIID riid, void** object) noexcept {
        return tavlin::com::CreateConnectObject(riid, object);
    }
};

tavlin::StaticClassFactory<ConnectModule> g_factory;

} // namespace

// The default handler prints the exception's demangled name to a console
// Word does not have, and pulls the demangler and printf into the DLL.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        tavlin::module::g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    try {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (clsid != CLSID_Connect) {
            return CLASS_E_CLASSNOTAVAILABLE;
        }
        return g_factory.QueryInterface(riid, object);
    } catch (...) {
        return tavlin::com::ReportCurrentError();
    }
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return tavlin::module::g_locks.load() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    try {
        return tavlin::com::RegisterServer();
    } catch (...) {
        return tavlin::com::ReportCurrentError();
    }
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    try {
        return tavlin::com::UnregisterServer();
    } catch (...) {
        return tavlin::com::ReportCurrentError();
    }
}
