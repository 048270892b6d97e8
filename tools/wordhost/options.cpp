#include "tools/wordhost/options.h"

namespace wordhost {

const char* const kUsage =
    "usage: wordhost [--name NAME] [--no-window] [--ribbon-out FILE] [--tree]\n"
    "                [--click CALLBACK | --close-about]... [--keep-open SECONDS]\n"
    "                [--repeat N [--baseline PROGID]]\n"
    "\n"
    "Loads every add-in that Word's add-in keys (HKCU, then HKLM) mark with\n"
    "LoadBehavior 3, as Word does: creation, OnConnection, GetCustomUI. A\n"
    "failed load sets LoadBehavior 2. Then, in order:\n"
    "  --ribbon-out FILE  writes the first add-in's document (UTF-8, no BOM)\n"
    "  --tree             prints each document as Word shows it\n"
    "  --click CALLBACK   calls the callback by name as a ribbon click does and\n"
    "                     reports its result, message box or About window\n"
    "  --close-about      presses OK on the open About window\n"
    "  --repeat N         times N rounds of creation, connection and GetCustomUI\n"
    "  --baseline PROGID  times the add-in PROGID in turn with the first one\n"
    "                     and fails when the first one's median round takes\n"
    "                     more than 1.5 times the baseline's\n"
    "  --keep-open SECONDS  leaves an About window open that long at the end\n"
    "--name sets Application.Name (default \"Microsoft Word\"); --no-window\n"
    "makes Application.ActiveWindow fail as with no document open.\n"
    "Exit status: 0 every add-in loaded and every step succeeded, 1 otherwise,\n"
    "2 usage.\n";

std::optional<Options> ParseOptions(std::span<const std::wstring_view> arguments) {
    Options o;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring_view a = arguments[i];
        const auto value = [&]() -> std::optional<std::wstring> {
            if (i + 1 >= arguments.size()) {
                return std::nullopt;
            }
            return std::wstring(arguments[++i]);
        };
        // Six digits at most: a count, never a sign, a blank or an overflow.
        const auto number = [&]() -> std::optional<int> {
            const auto v = value();
            if (!v || v->empty() || v->size() > 6 ||
                v->find_first_not_of(L"0123456789") != std::wstring::npos) {
                return std::nullopt;
            }
            return std::stoi(*v);
        };
        if (a == L"--name") {
            const auto v = value();
            if (!v) {
                return std::nullopt;
            }
            o.hostName = *v;
        } else if (a == L"--no-window") {
            o.hasWindow = false;
        } else if (a == L"--ribbon-out") {
            o.ribbonOut = value();
            if (!o.ribbonOut) {
                return std::nullopt;
            }
        } else if (a == L"--tree") {
            o.tree = true;
        } else if (a == L"--click") {
            const auto v = value();
            if (!v || v->empty()) {
                return std::nullopt;
            }
            o.steps.push_back({Step::Kind::Click, *v});
        } else if (a == L"--close-about") {
            o.steps.push_back({Step::Kind::CloseAbout, {}});
        } else if (a == L"--keep-open") {
            const auto n = number();
            if (!n) {
                return std::nullopt;
            }
            o.keepOpenSeconds = *n;
        } else if (a == L"--repeat") {
            const auto n = number();
            if (!n || *n == 0) {
                return std::nullopt;
            }
            o.repeat = *n;
        } else if (a == L"--baseline") {
            o.baseline = value();
            if (!o.baseline || o.baseline->empty()) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    // A baseline is only ever timed.
    if (o.baseline && o.repeat == 0) {
        return std::nullopt;
    }
    return o;
}

} // namespace wordhost
