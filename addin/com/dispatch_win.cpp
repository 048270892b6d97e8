#include "addin/com/dispatch_win.h"

#include "addin/com/com_error.h"
#include "common/text_win.h"

#include <limits>

namespace tavlin::com {
namespace {

std::string BstrText(BSTR b) {
    return b == nullptr ? std::string{} : WideToUtf8(std::wstring_view(b, ::SysStringLen(b)));
}

DISPID MemberId(IDispatch* target, const wchar_t* name) {
    if (target == nullptr) {
        throw Error::ObjectNotSet();
    }
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    const HRESULT hr = target->GetIDsOfNames(kNullIid, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        // What an automation client reports for a member the object lacks.
        throw CallError(hr, "Object doesn't support this property or method");
    }
    return id;
}

[[noreturn]] void ThrowCallFailure(HRESULT hr, EXCEPINFO& info) {
    if (hr == DISP_E_EXCEPTION) {
        if (info.pfnDeferredFillIn != nullptr) {
            info.pfnDeferredFillIn(&info);
        }
        UniqueBstr source(info.bstrSource);
        UniqueBstr description(info.bstrDescription);
        UniqueBstr help(info.bstrHelpFile);
        HRESULT code = info.scode;
        if (code == S_OK && info.wCode != 0) {
            code = ControlError(info.wCode);
        }
        if (SUCCEEDED(code)) {
            code = DISP_E_EXCEPTION;
        }
        std::string text = BstrText(description.get());
        if (text.empty()) {
            text = PlatformError(static_cast<DWORD>(code)).description();
        }
        throw CallError(code, std::move(text));
    }
    throw CallError(hr, PlatformError(static_cast<DWORD>(hr)).description());
}

void Call(IDispatch* target, const wchar_t* name, WORD flags, DISPPARAMS& params, VARIANT* result) {
    const DISPID id = MemberId(target, name);
    EXCEPINFO info{};
    UINT argError = 0;
    const HRESULT hr =
        target->Invoke(id, kNullIid, LOCALE_USER_DEFAULT, flags, &params, result, &info, &argError);
    if (FAILED(hr)) {
        ThrowCallFailure(hr, info);
    }
}

} // namespace

void GetProperty(IDispatch* target, const wchar_t* name, VARIANT* result) {
    DISPPARAMS none{};
    Call(target, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, none, result);
}

void PutProperty(IDispatch* target, const wchar_t* name, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    Call(target, name, DISPATCH_PROPERTYPUT, params, nullptr);
}

ComPtr<IDispatch> GetObjectProperty(IDispatch* target, const wchar_t* name) {
    UniqueVariant v;
    GetProperty(target, name, v.get());
    if (V_VT(v.get()) != VT_DISPATCH && V_VT(v.get()) != VT_UNKNOWN) {
        throw Error::TypeMismatch();
    }
    ComPtr<IDispatch> object;
    if (V_UNKNOWN(v.get()) != nullptr) {
        const HRESULT hr =
            V_UNKNOWN(v.get())->QueryInterface(__uuidof(IDispatch), object.put_void());
        if (FAILED(hr)) {
            throw Error::TypeMismatch();
        }
    }
    if (!object) {
        throw Error::ObjectNotSet();
    }
    return object;
}

UniqueBstr ToBstr(std::string_view utf8) {
    if (utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw Error::OutOfMemory();
    }
    const int length = static_cast<int>(utf8.size());
    const int n =
        utf8.empty() ? 0 : ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (n < 0 || (n == 0 && !utf8.empty())) {
        throw PlatformError(::GetLastError());
    }
    UniqueBstr out(::SysAllocStringLen(nullptr, static_cast<UINT>(n)));
    if (!out) {
        throw Error::OutOfMemory();
    }
    if (n > 0) {
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.get(), n);
    }
    return out;
}

HRESULT ReportCurrentError() noexcept {
    HRESULT hr = E_FAIL;
    std::string description;
    try {
        try {
            throw;
        } catch (const CallError& e) {
            hr = e.hresult();
            description = e.description();
        } catch (...) {
            const Error e = CurrentError();
            hr = HresultFor(e.code());
            description = e.description();
        }
    } catch (...) {
        // Not even the description could be copied: memory is gone.
        hr = E_OUTOFMEMORY;
        description.clear();
    }

    ComPtr<ICreateErrorInfo> create;
    if (FAILED(::CreateErrorInfo(create.put()))) {
        return hr;
    }
    try {
        const std::wstring source = Utf8ToWide(kErrorSource);
        const std::wstring text =
            description.empty() && hr == E_OUTOFMEMORY ? L"Out of memory" : Utf8ToWide(description);
        create->SetSource(const_cast<LPOLESTR>(source.c_str()));
        create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
    } catch (...) {
        // The code alone still reaches the caller.
    }
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create->QueryInterface(__uuidof(IErrorInfo), info.put_void()))) {
        ::SetErrorInfo(0, info.get());
    }
    return hr;
}

} // namespace tavlin::com
