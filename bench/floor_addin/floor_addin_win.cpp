// The floor of the start-up benchmark: an in-process add-in with the
// interfaces Word asks Tavlin for (IDTExtensibility2, IRibbonExtensibility,
// IDispatch) that does nothing but answer a constant document of the same
// length. Whatever Tavlin's round costs beyond this one's is Tavlin's own.
#include "addin/com/office_interfaces_win.h"
#include "bench/floor_addin/floor_document.h"
#include "common/com_object_win.h"
#include "common/unique_resource.h"

#include <atomic>
#include <new>

#include <windows.h>

namespace {

// {F455C221-9492-451B-B6D9-54422396A441}, FloorAddin.Connect
constexpr CLSID kFloorClsid = {
    0xf455c221, 0x9492, 0x451b, {0xb6, 0xd9, 0x54, 0x42, 0x23, 0x96, 0xa4, 0x41}};
constexpr IID kNullIid{};

// Live objects and server locks together, as Tavlin counts them.
std::atomic<long> g_objectsAndLocks{0};

class FloorConnect final : public tavlin::UntypedDispatch<IDTExtensibility2, IRibbonExtensibility> {
public:
    FloorConnect() { ++g_objectsAndLocks; }
    ~FloorConnect() override { --g_objectsAndLocks; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        IUnknown* chosen = nullptr;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
            riid == __uuidof(IDTExtensibility2)) {
            chosen = static_cast<IDTExtensibility2*>(this);
        } else if (riid == __uuidof(IRibbonExtensibility)) {
            chosen = static_cast<IRibbonExtensibility*>(this);
        }
        return Answer(chosen, object);
    }

    // No members to call by name.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                            DISPID* ids) override {
        for (UINT i = 0; ids != nullptr && i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
        }
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID riid, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        return riid != kNullIid ? DISP_E_UNKNOWNINTERFACE : DISP_E_MEMBERNOTFOUND;
    }

    // The host is kept, as any add-in that uses it must.
    HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, ext_ConnectMode, IDispatch*,
                                           SAFEARRAY**) override {
        application_ = tavlin::ComPtr<IDispatch>::Retain(application);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode, SAFEARRAY**) override {
        application_.reset();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY**) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY**) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY**) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR, BSTR* ribbonXml) override {
        if (ribbonXml == nullptr) {
            return E_POINTER;
        }
        *ribbonXml = ::SysAllocStringLen(floor_addin::kDocument.data(),
                                         static_cast<UINT>(floor_addin::kDocumentLength));
        return *ribbonXml == nullptr ? E_OUTOFMEMORY : S_OK;
    }

private:
    tavlin::ComPtr<IDispatch> application_;
};

struct FloorModule {
    static void Lock() noexcept { ++g_objectsAndLocks; }
    static void Unlock() noexcept { --g_objectsAndLocks; }
    static HRESULT Create(REFIID riid, void** object) noexcept {
        auto* created = new (std::nothrow) FloorConnect();
        if (created == nullptr) {
            return E_OUTOFMEMORY;
        }
        const HRESULT hr = created->QueryInterface(riid, object);
        created->Release();
        return hr;
    }
};

tavlin::StaticClassFactory<FloorModule> g_factory;

} // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (clsid != kFloorClsid) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return g_factory.QueryInterface(riid, object);
}

extern "C" HRESULT __stdcall DllCanUnloadNow() {
    return g_objectsAndLocks == 0 ? S_OK : S_FALSE;
}
