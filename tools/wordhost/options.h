// wordhost's command line: what to do after the add-ins are loaded, in the
// order given. Portable, so the parsing is tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wordhost {

extern const char* const kUsage;

struct Step {
    enum class Kind {
        Click,           // calls a callback by name, as a ribbon click does
        CloseAbout,      // presses OK on the open About window
        AboutDpi,        // tells the About window it is now on a monitor of that DPI
        AboutKeys,       // types keys into the About window, as the user would
        AboutAccessible, // what a screen reader reads of the About window
    };
    Kind kind;
    std::wstring callback; // Click only
    int dpi = 0;           // AboutDpi only
    std::wstring keys;     // AboutKeys only: one letter a key (see kUsage)
    friend bool operator==(const Step&, const Step&) = default;
};

// How LanguageSettings.LanguageID answers: with the id as a number, or, to
// try the add-in's fallback, as a text of its digits, or with an error.
enum class LanguageAnswer { Number, Text, Error };

// The thread's DPI awareness while the add-in runs: Office calls its
// callbacks system aware; unaware is a host without a manifest.
enum class DpiAwareness { Unaware, System, PerMonitor };

struct Options {
    std::wstring hostName = L"Microsoft Word";
    bool hasWindow = true;
    std::optional<DpiAwareness> dpiAwareness; // nullopt: the process's own
    // What LanguageSettings.LanguageID(msoLanguageIDUI) answers; nullopt:
    // the Application has no LanguageSettings.
    std::optional<std::uint32_t> uiLanguage = 1033;
    LanguageAnswer uiLanguageAnswer = LanguageAnswer::Number;
    std::optional<std::wstring> ribbonOutPath;
    bool printOutline = false;
    std::vector<Step> steps;
    int keepOpenSeconds = 0;
    int rounds = 0; // timed rounds; none unless asked
    // The ProgID of an add-in timed beside the first loaded one.
    std::optional<std::wstring> baselineProgId;
};

// The arguments after the program's name; nothing when they make no sense.
[[nodiscard]] std::optional<Options> ParseOptions(std::span<const std::wstring_view> arguments);

// Several starts of Word in one process, their arguments separated by
// --then, each parsed as ParseOptions does: a check of many languages need
// not pay for a process start each. Nothing when any part makes no sense or
// is empty (a --then at either end, or two together).
[[nodiscard]] std::optional<std::vector<Options>>
ParseSessions(std::span<const std::wstring_view> arguments);

} // namespace wordhost
