#include "addin/com/error_boundary_win.h"

#include "addin/com/com_error.h"
#include "common/text_win.h"
#include "common/unique_resource.h"
#include "common/unique_win.h"

#include <oaidl.h>

namespace tavlin::com {

CallError CallErrorFor(HRESULT hr) {
    return {hr, SystemMessageText(static_cast<DWORD>(hr))};
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
