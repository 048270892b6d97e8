#include "addin/com/error_boundary_win.h"

#include "addin/com/com_error.h"
#include "common/text_win.h"
#include "common/unique_resource.h"
#include "common/unique_win.h"

#include <oaidl.h>

#include <memory>

namespace tavlin::com {
namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t* p) const noexcept { ::LocalFree(p); }
};

std::string SystemMessage(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreeDeleter> owned(buffer);
    return n == 0 || buffer == nullptr ? std::string{} : WideToUtf8({buffer, n});
}

} // namespace

CallError CallErrorFor(HRESULT hr) {
    return {hr, DescribeHresult(hr, SystemMessage(hr))};
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
