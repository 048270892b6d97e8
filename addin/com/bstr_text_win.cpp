#include "addin/com/bstr_text_win.h"

#include "common/error.h"
#include "common/text_win.h"

#include <limits>

namespace tavlin::com {

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

std::string BstrText(BSTR text) {
    return text == nullptr ? std::string{}
                           : WideToUtf8(std::wstring_view(text, ::SysStringLen(text)));
}

} // namespace tavlin::com
