#include "tools/wordhost/rounds.h"

#include <algorithm>

namespace wordhost {

double Median(std::vector<double> milliseconds) {
    if (milliseconds.empty()) {
        return 0;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    const std::size_t half = milliseconds.size() / 2;
    return milliseconds.size() % 2 == 1 ? milliseconds[half]
                                        : (milliseconds[half - 1] + milliseconds[half]) / 2;
}

} // namespace wordhost
