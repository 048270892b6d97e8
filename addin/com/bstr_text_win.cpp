#include "addin/com/bstr_text_win.h"

#include "common/error.h"
#include "common/text_win.h"
#include "common/utf16_length.h"

#include <limits>

namespace tavlin::com {

UniqueBstr ToBstr(std::string_view utf8) {
    if (utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw Error::OutOfMemory();
    }
    const int length = static_cast<int>(utf8.size());
    if (length == 0) {
        UniqueBstr empty(::SysAllocStringLen(nullptr, 0));
        if (!empty) {
            throw Error::OutOfMemory();
        }
        return empty;
    }
    // Counting by hand spares the system's converter a whole pass over the
    // document while Word waits.
    int units = static_cast<int>(Utf16Length(utf8));
    UniqueBstr out(::SysAllocStringLen(nullptr, static_cast<UINT>(units)));
    if (!out) {
        throw Error::OutOfMemory();
    }
    // Text that is not well-formed converts to another length: then the
    // system counts, and converts a second time.
    if (::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.get(), units) == units) {
        return out;
    }
    units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (units <= 0) {
        throw PlatformError(::GetLastError());
    }
    out.reset(::SysAllocStringLen(nullptr, static_cast<UINT>(units)));
    if (!out) {
        throw Error::OutOfMemory();
    }
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.get(), units);
    return out;
}

std::string BstrText(BSTR text) {
    return text == nullptr ? std::string{}
                           : WideToUtf8(std::wstring_view(text, ::SysStringLen(text)));
}

} // namespace tavlin::com
