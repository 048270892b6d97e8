// COM at the add-in's edges: late-bound calls into the host's objects, and
// the one way every method of ours turns a C++ exception into an HRESULT
// with error info.
#pragma once

#include "common/error.h"
#include "common/unique_resource.h"
#include "common/unique_win.h"

#include <string>
#include <string_view>

#include <oaidl.h>
#include <windows.h>

namespace tavlin::com {

// IID_NULL without linking libuuid, whose objects carry every GUID of the
// SDK into the DLL.
inline constexpr IID kNullIid{};

// A call into another object failed: its HRESULT and description travel
// to our own caller unchanged, as a late-bound call's error would.
class CallError : public Error {
public:
    CallError(HRESULT hr, std::string description)
        : Error(ErrorCode::Platform, std::move(description)), hr_(hr) {}
    [[nodiscard]] HRESULT hresult() const noexcept { return hr_; }

private:
    HRESULT hr_;
};

// Late binding by member name, as the host's object model is reached.
// Raise CallError with the callee's own code and description.
void GetProperty(IDispatch* target, const wchar_t* name, VARIANT* result);
void PutProperty(IDispatch* target, const wchar_t* name, VARIANT value);
// A property that holds an object; Nothing raises "Object variable not set".
[[nodiscard]] ComPtr<IDispatch> GetObjectProperty(IDispatch* target, const wchar_t* name);

// UTF-8 to a BSTR in one conversion, straight into the BSTR's buffer.
[[nodiscard]] UniqueBstr ToBstr(std::string_view utf8);

// The catch part of every guard: records the error info (source
// "TavlinCom.Connect") for the exception in flight and returns its HRESULT.
// Call only inside a catch block.
[[nodiscard]] HRESULT ReportCurrentError() noexcept;

} // namespace tavlin::com
