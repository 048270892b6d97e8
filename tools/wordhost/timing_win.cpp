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

struct TimedAddin {
    std::wstring progId;
    std::wstring library; // the file COM loads for progId
    std::vector<double> milliseconds;
    int warmRounds = 0; // rounds that found the library still loaded
};

// The server file the class of progId names, as COM will load it.
std::wstring LibraryOf(const std::wstring& progId) {
    CLSID clsid;
    wchar_t clsidText[40];
    if (FAILED(::CLSIDFromProgID(progId.c_str(), &clsid)) ||
        ::StringFromGUID2(clsid, clsidText, 40) == 0) {
        return {};
    }
    const std::wstring key = std::wstring(L"CLSID\\") + clsidText + L"\\InprocServer32";
    wchar_t path[MAX_PATH];
    DWORD size = sizeof path;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path,
                       &size) != ERROR_SUCCESS) {
        return {};
    }
    return path;
}

// One round; false (and a report line) when a step failed.
bool TimeOneRound(TimedAddin& timed, IDispatch* application, int roundNumber) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    ::QueryPerformanceFrequency(&frequency);
    // Word loads each add-in's library once per start, and that load is
    // part of what it times: a round that finds the library loaded from
    // the round before measures less than a start does.
    if (timed.library.empty() || ::GetModuleHandleW(timed.library.c_str()) != nullptr) {
        ++timed.warmRounds;
    }
    ::QueryPerformanceCounter(&start);
    Addin addin{timed.progId, nullptr, {}, {}, {}};
    const auto failed = Load(addin, application);
    Disconnect(addin);
    ::QueryPerformanceCounter(&end);
    // Word unloads at exit, outside the time it measures.
    ::CoFreeUnusedLibrariesEx(0, 0);
    if (failed) {
        Print("repeat: round " + std::to_string(roundNumber) + " of " +
              tavlin::WideToUtf8(timed.progId) + " failed at " + *failed + "\n");
        return false;
    }
    timed.milliseconds.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                                 static_cast<double>(frequency.QuadPart));
    return true;
}

void PrintMedian(const TimedAddin& timed) {
    const auto [least, most] =
        std::minmax_element(timed.milliseconds.begin(), timed.milliseconds.end());
    char line[300];
    std::snprintf(line, sizeof line,
                  "repeat: %d rounds of %s, median %.3f ms per round (min %.3f, max %.3f)\n",
                  static_cast<int>(timed.milliseconds.size()),
                  tavlin::WideToUtf8(timed.progId).c_str(), Median(timed.milliseconds), *least,
                  *most);
    Print(line);
    if (timed.warmRounds == 0) {
        Print("repeat: every round of " + tavlin::WideToUtf8(timed.progId) +
              " loaded its library anew\n");
    } else {
        Print("repeat: " + std::to_string(timed.warmRounds) + " rounds of " +
              tavlin::WideToUtf8(timed.progId) + " found the library already loaded\n");
    }
}

} // namespace

bool TimeRounds(const std::wstring& progId, const std::optional<std::wstring>& baselineProgId,
                int rounds, IDispatch* application) {
    TimedAddin measured{progId, LibraryOf(progId), {}};
    TimedAddin baseline{baselineProgId.value_or(L""),
                        baselineProgId ? LibraryOf(*baselineProgId) : std::wstring{},
                        {}};
    // In turn, so both see the same machine load.
    for (int round = 1; round <= rounds; ++round) {
        if (!TimeOneRound(measured, application, round) ||
            (baselineProgId && !TimeOneRound(baseline, application, round))) {
            return false;
        }
    }
    PrintMedian(measured);
    if (!baselineProgId) {
        return true;
    }
    PrintMedian(baseline);
    const double ratio = Median(measured.milliseconds) / Median(baseline.milliseconds);
    char line[300];
    std::snprintf(line, sizeof line,
                  "repeat: %s takes %.2f times the median round of %s (at most %.2f)\n",
                  tavlin::WideToUtf8(progId).c_str(), ratio,
                  tavlin::WideToUtf8(*baselineProgId).c_str(), kLargestRatioToBaseline);
    Print(line);
    return ratio <= kLargestRatioToBaseline;
}

} // namespace wordhost
