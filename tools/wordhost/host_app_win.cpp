#include "host_app_win.h"

#include <new>
#include <oleauto.h>
#include <string_view>
#include <windows.h>

namespace tavlin::wordhost {
namespace {

constexpr DISPID kName = 1;
constexpr DISPID kActiveWindow = 2;
constexpr DISPID kDocumentMap = 3;

// Just enough IDispatch for late binding by name: no type information.
class LateBound : public IDispatch {
public:
    virtual ~LateBound() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG n = --refs_;
        if (n == 0) {
            delete this;
        }
        return n;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (names == nullptr || ids == nullptr || count == 0) {
            return E_INVALIDARG;
        }
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
        }
        ids[0] = Lookup(names[0]);
        return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }

protected:
    virtual DISPID Lookup(std::wstring_view name) = 0;

private:
    ULONG refs_ = 1;
};

bool Named(std::wstring_view a, const wchar_t* b) {
    return ::lstrcmpiW(std::wstring(a).c_str(), b) == 0;
}

class Window final : public LateBound {
public:
    explicit Window(HostOptions& options) : options_(options) {}
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (id != kDocumentMap || params == nullptr) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (flags & DISPATCH_PROPERTYPUT) {
            if (params->cArgs != 1) {
                return DISP_E_BADPARAMCOUNT;
            }
            VARIANT v;
            ::VariantInit(&v);
            if (FAILED(::VariantChangeType(&v, &params->rgvarg[0], 0, VT_BOOL))) {
                return DISP_E_TYPEMISMATCH;
            }
            options_.documentMap = V_BOOL(&v) != VARIANT_FALSE;
            return S_OK;
        }
        if ((flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) && result != nullptr) {
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = options_.documentMap ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    DISPID Lookup(std::wstring_view name) override {
        return Named(name, L"DocumentMap") ? kDocumentMap : DISPID_UNKNOWN;
    }
    HostOptions& options_;
};

class Application final : public LateBound {
public:
    explicit Application(HostOptions& options) : options_(options) {}
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO* info, UINT*) override {
        if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) || result == nullptr) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (id == kName) {
            V_VT(result) = VT_BSTR;
            V_BSTR(result) = ::SysAllocString(options_.name.c_str());
            return V_BSTR(result) != nullptr ? S_OK : E_OUTOFMEMORY;
        }
        if (id == kActiveWindow) {
            if (!options_.hasWindow) {
                // What Word raises with no document open.
                if (info != nullptr) {
                    *info = EXCEPINFO{};
                    info->scode = static_cast<SCODE>(0x800A1098);
                    info->bstrSource = ::SysAllocString(L"Microsoft Word");
                    info->bstrDescription = ::SysAllocString(
                        L"This command is not available because no document is open.");
                }
                return DISP_E_EXCEPTION;
            }
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = new (std::nothrow) Window(options_);
            return V_DISPATCH(result) != nullptr ? S_OK : E_OUTOFMEMORY;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    DISPID Lookup(std::wstring_view name) override {
        if (Named(name, L"Name")) {
            return kName;
        }
        return Named(name, L"ActiveWindow") ? kActiveWindow : DISPID_UNKNOWN;
    }
    HostOptions& options_;
};

} // namespace

IDispatch* NewApplication(HostOptions& options) {
    return new (std::nothrow) Application(options);
}

} // namespace tavlin::wordhost
