// Late-bound calls into the host's objects, by member name, as the host's
// object model is reached.
#pragma once

#include "common/unique_resource.h"

#include <oaidl.h>
#include <windows.h>

namespace tavlin::com {

// IID_NULL without linking libuuid, whose objects carry every GUID of the
// SDK into the DLL.
inline constexpr IID kNullIid{};

// Raise CallError with the callee's own code and description.
void GetProperty(IDispatch* target, const wchar_t* name, VARIANT* result);
void PutProperty(IDispatch* target, const wchar_t* name, VARIANT value);
// A property read with one argument, as LanguageID(msoLanguageIDUI).
void GetIndexedProperty(IDispatch* target, const wchar_t* name, VARIANT index, VARIANT* result);
// A property that holds an object; Nothing raises "Object variable not set".
[[nodiscard]] ComPtr<IDispatch> GetObjectProperty(IDispatch* target, const wchar_t* name);

} // namespace tavlin::com
