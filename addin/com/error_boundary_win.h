// Where the add-in's errors meet its COM callers: every method of ours
// ends in one guard that turns the exception in flight into an HRESULT
// with error info, and a failed call into another object keeps its code.
#pragma once

#include "common/error.h"

#include <string>

#include <windows.h>

namespace tavlin::com {

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

// A failure that came with nothing but its code: the system's message for
// that code, or the code itself in hexadecimal where the system has none.
[[nodiscard]] CallError CallErrorFor(HRESULT hr);

// The catch part of every guard: records the error info (source
// "TavlinCom.Connect") for the exception in flight and returns its HRESULT.
// Call only inside a catch block.
[[nodiscard]] HRESULT ReportCurrentError() noexcept;

} // namespace tavlin::com
