// The start-up cost Word measures for each add-in: creation, connection
// and the first document, timed round after round.
#pragma once

#include <optional>
#include <string>

#include <oaidl.h>

namespace wordhost {

// Prints the median round of progId and, given a baseline add-in timed in
// turn with it, the baseline's and the ratio between them. False when a
// round failed or progId is slower than the baseline allows.
[[nodiscard]] bool TimeRounds(const std::wstring& progId,
                              const std::optional<std::wstring>& baselineProgId, int rounds,
                              IDispatch* application);

} // namespace wordhost
