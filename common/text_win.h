// UTF-8 (the portable code's text) to and from UTF-16 (the Windows APIs').
#pragma once

#include "common/error.h"

#include <string>
#include <string_view>

#include <windows.h>

namespace tavlin {

[[nodiscard]] std::wstring Utf8ToWide(std::string_view text);
[[nodiscard]] std::string WideToUtf8(std::wstring_view text);

// The system's own text for a Win32 error code or an HRESULT, or the code in
// hex where the system has none.
[[nodiscard]] std::string SystemMessageText(DWORD code);

// An Error carrying the system's own text for a Win32 error code.
[[nodiscard]] Error PlatformError(DWORD code);

} // namespace tavlin
