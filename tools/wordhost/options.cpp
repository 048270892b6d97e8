#include "tools/wordhost/options.h"

namespace wordhost {

const char* const kUsage =
    "usage: wordhost [--name NAME] [--no-window] [--ui-language LCID|text:LCID|error|none]\n"
    "                [--ribbon-out FILE] [--tree]\n"
    "                [--dpi-awareness unaware|system|per-monitor]\n"
    "                [--click CALLBACK | --close-about | --about-dpi DPI |\n"
    "                 --about-keys KEYS | --about-accessible]... [--keep-open SECONDS]\n"
    "                [--repeat N [--baseline PROGID]] [--then OPTIONS...]...\n"
    "\n"
    "Loads every add-in that Word's add-in keys (HKCU, then HKLM) mark with\n"
    "LoadBehavior 3, as Word does: creation, OnConnection, GetCustomUI. A\n"
    "failed load sets LoadBehavior 2. Then, in order:\n"
    "  --ribbon-out FILE  writes the first add-in's document (UTF-8, no BOM)\n"
    "  --tree             prints each document as Word shows it\n"
    "  --click CALLBACK   calls the callback by name as a ribbon click does and\n"
    "                     reports its result, message box or About window\n"
    "  --close-about      presses OK on the open About window\n"
    "  --about-dpi DPI    sends the About window WM_DPICHANGED for DPI, as a move\n"
    "                     to another monitor does, and reports the window again\n"
    "  --about-keys KEYS  types into the About window, one letter a key: t Tab,\n"
    "                     T Shift+Tab, r Enter, e Esc, s Space, f Alt+F4; reports\n"
    "                     the focus after each key and what the keys opened\n"
    "  --about-accessible reports the About window's controls as a screen reader\n"
    "                     reads them (MSAA): role, name and value of each\n"
    "  --repeat N         times N rounds of creation, connection and GetCustomUI\n"
    "  --baseline PROGID  times the add-in PROGID in turn with the first one\n"
    "                     and fails when the first one's median round takes\n"
    "                     more than 1.5 times the baseline's\n"
    "  --keep-open SECONDS  leaves an About window open that long at the end\n"
    "--dpi-awareness sets the thread's DPI awareness before the add-ins load\n"
    "(Office calls its add-ins system aware).\n"
    "--name sets Application.Name (default \"Microsoft Word\"); --no-window\n"
    "makes Application.ActiveWindow fail as with no document open.\n"
    "--ui-language sets the language id (decimal, default 1033) that\n"
    "Application.LanguageSettings.LanguageID(2) answers; text:LCID answers\n"
    "it as a text, error makes LanguageID fail, none leaves the Application\n"
    "without LanguageSettings.\n"
    "--then ends one start of Word and begins another in the same process:\n"
    "the add-ins are disconnected, then loaded again with the options after\n"
    "it; each start's report is headed \"session N\" (from 1).\n"
    "Exit status: 0 every add-in loaded and every step succeeded, 1 otherwise,\n"
    "2 usage.\n";

std::optional<Options> ParseOptions(std::span<const std::wstring_view> arguments) {
    Options options;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::wstring_view option = arguments[at];
        const auto takeValue = [&]() -> std::optional<std::wstring> {
            if (at + 1 >= arguments.size()) {
                return std::nullopt;
            }
            return std::wstring(arguments[++at]);
        };
        // Six digits at most: a count, never a sign, a blank or an overflow.
        const auto takeCount = [&]() -> std::optional<int> {
            const auto digits = takeValue();
            if (!digits || digits->empty() || digits->size() > 6 ||
                digits->find_first_not_of(L"0123456789") != std::wstring::npos) {
                return std::nullopt;
            }
            return std::stoi(*digits);
        };
        if (option == L"--name") {
            const auto name = takeValue();
            if (!name) {
                return std::nullopt;
            }
            options.hostName = *name;
        } else if (option == L"--ui-language") {
            auto value = takeValue();
            constexpr std::wstring_view kText = L"text:";
            options.uiLanguageAnswer = LanguageAnswer::Number;
            if (value && value->starts_with(kText)) {
                options.uiLanguageAnswer = LanguageAnswer::Text;
                value->erase(0, kText.size());
            }
            if (value == L"none" && options.uiLanguageAnswer == LanguageAnswer::Number) {
                options.uiLanguage.reset();
            } else if (value == L"error" && options.uiLanguageAnswer == LanguageAnswer::Number) {
                options.uiLanguageAnswer = LanguageAnswer::Error;
            } else if (value && !value->empty() && value->size() <= 5 &&
                       value->find_first_not_of(L"0123456789") == std::wstring::npos &&
                       std::stoul(*value) <= 0xFFFF) {
                options.uiLanguage = static_cast<std::uint32_t>(std::stoul(*value));
            } else {
                return std::nullopt;
            }
        } else if (option == L"--no-window") {
            options.hasWindow = false;
        } else if (option == L"--ribbon-out") {
            options.ribbonOutPath = takeValue();
            if (!options.ribbonOutPath) {
                return std::nullopt;
            }
        } else if (option == L"--tree") {
            options.printOutline = true;
        } else if (option == L"--click") {
            const auto callback = takeValue();
            if (!callback || callback->empty()) {
                return std::nullopt;
            }
            options.steps.push_back({Step::Kind::Click, *callback, 0, {}});
        } else if (option == L"--close-about") {
            options.steps.push_back({Step::Kind::CloseAbout, {}, 0, {}});
        } else if (option == L"--about-dpi") {
            const auto dpi = takeCount();
            if (!dpi || *dpi < 48 || *dpi > 960) {
                return std::nullopt;
            }
            options.steps.push_back({Step::Kind::AboutDpi, {}, *dpi, {}});
        } else if (option == L"--about-keys") {
            const auto keys = takeValue();
            if (!keys || keys->empty() ||
                keys->find_first_not_of(L"tTresf") != std::wstring::npos) {
                return std::nullopt;
            }
            options.steps.push_back({Step::Kind::AboutKeys, {}, 0, *keys});
        } else if (option == L"--about-accessible") {
            options.steps.push_back({Step::Kind::AboutAccessible, {}, 0, {}});
        } else if (option == L"--dpi-awareness") {
            const auto value = takeValue();
            if (value == L"unaware") {
                options.dpiAwareness = DpiAwareness::Unaware;
            } else if (value == L"system") {
                options.dpiAwareness = DpiAwareness::System;
            } else if (value == L"per-monitor") {
                options.dpiAwareness = DpiAwareness::PerMonitor;
            } else {
                return std::nullopt;
            }
        } else if (option == L"--keep-open") {
            const auto seconds = takeCount();
            if (!seconds) {
                return std::nullopt;
            }
            options.keepOpenSeconds = *seconds;
        } else if (option == L"--repeat") {
            const auto rounds = takeCount();
            if (!rounds || *rounds == 0) {
                return std::nullopt;
            }
            options.rounds = *rounds;
        } else if (option == L"--baseline") {
            options.baselineProgId = takeValue();
            if (!options.baselineProgId || options.baselineProgId->empty()) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    // A baseline is only ever timed.
    if (options.baselineProgId && options.rounds == 0) {
        return std::nullopt;
    }
    return options;
}

std::optional<std::vector<Options>> ParseSessions(std::span<const std::wstring_view> arguments) {
    std::vector<Options> sessions;
    std::size_t begin = 0;
    for (std::size_t at = 0; at <= arguments.size(); ++at) {
        if (at < arguments.size() && arguments[at] != L"--then") {
            continue;
        }
        const bool separated = at < arguments.size() || !sessions.empty();
        if (separated && at == begin) {
            return std::nullopt;
        }
        auto options = ParseOptions(arguments.subspan(begin, at - begin));
        if (!options) {
            return std::nullopt;
        }
        sessions.push_back(std::move(*options));
        begin = at + 1;
    }
    return sessions;
}

} // namespace wordhost
