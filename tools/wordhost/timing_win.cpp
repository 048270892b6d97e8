#include "tools/wordhost/timing_win.h"

#include "common/text_win.h"
#include "tools/wordhost/loading_win.h"
#include "tools/wordhost/report_win.h"
#include "tools/wordhost/rounds.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace wordhost {
namespace {

struct Timed {
    std::wstring progId;
    std::vector<double> milliseconds;
};

// One round; false (and a report line) when a step failed.
bool Round(Timed& timed, IDispatch* application, int round) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    Addin addin{timed.progId, nullptr, {}, {}, {}};
    const auto failed = Load(addin, application);
    Disconnect(addin);
    ::QueryPerformanceCounter(&end);
    if (failed) {
        Print("repeat: round " + std::to_string(round) + " of " + tavlin::WideToUtf8(timed.progId) +
              " failed at " + *failed + "\n");
        return false;
    }
    timed.milliseconds.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                                 static_cast<double>(frequency.QuadPart));
    return true;
}

void PrintMedian(const Timed& timed) {
    const auto [least, most] =
        std::minmax_element(timed.milliseconds.begin(), timed.milliseconds.end());
    char line[300];
    std::snprintf(line, sizeof line,
                  "repeat: %d rounds of %s, median %.3f ms per round (min %.3f, max %.3f)\n",
                  static_cast<int>(timed.milliseconds.size()),
                  tavlin::WideToUtf8(timed.progId).c_str(), Median(timed.milliseconds), *least,
                  *most);
    Print(line);
}

} // namespace

bool TimeRounds(const std::wstring& progId, const std::optional<std::wstring>& baseline, int rounds,
                IDispatch* application) {
    Timed measured{progId, {}};
    Timed floor{baseline.value_or(L""), {}};
    // In turn, so both see the same machine load.
    for (int i = 1; i <= rounds; ++i) {
        if (!Round(measured, application, i) || (baseline && !Round(floor, application, i))) {
            return false;
        }
    }
    PrintMedian(measured);
    if (!baseline) {
        return true;
    }
    PrintMedian(floor);
    const double ratio = Median(measured.milliseconds) / Median(floor.milliseconds);
    char line[300];
    std::snprintf(line, sizeof line,
                  "repeat: %s takes %.2f times the median round of %s (at most %.2f)\n",
                  tavlin::WideToUtf8(progId).c_str(), ratio, tavlin::WideToUtf8(*baseline).c_str(),
                  kLargestRatioToBaseline);
    Print(line);
    return ratio <= kLargestRatioToBaseline;
}

} // namespace wordhost
