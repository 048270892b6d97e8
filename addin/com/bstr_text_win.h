// The document's UTF-8 and the BSTRs COM callers receive and send.
#pragma once

#include "common/unique_win.h"

#include <string>
#include <string_view>

namespace tavlin::com {

// UTF-8 to a BSTR in one conversion, straight into the BSTR's buffer.
[[nodiscard]] UniqueBstr ToBstr(std::string_view utf8);
// A null BSTR is the empty text.
[[nodiscard]] std::string BstrText(BSTR text);

} // namespace tavlin::com
