// The figures of a timed run: rounds in milliseconds, summed up the way
// Word's own load-time check is robust to a slow first start.
#pragma once

#include <vector>

namespace wordhost {

// How much slower than the baseline add-in a round may be.
inline constexpr double kLargestRatioToBaseline = 1.5;

// The middle round, or the mean of the two middle ones; 0 for no rounds.
[[nodiscard]] double Median(std::vector<double> milliseconds);

} // namespace wordhost
