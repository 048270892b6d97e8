// The native face of the ribbon core: prints the customUI document that the
// add-in would hand Word for the given settings, to inspect and compare.
#include "addin/core/connect.h"
#include "common/error.h"
#include "common/settings_store.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: tavlin-ribbon [--host NAME] [--ui-language LCID|none] [KEY=VALUE ...]\n"
    "\n"
    "Writes the customUI document for the given settings to standard output\n"
    "(UTF-8, no BOM, no trailing newline). Each KEY=VALUE stores VALUE under\n"
    "KEY (keys without regard to case; the last one wins); other keys read as\n"
    "absent. --host sets the host's Name (default \"Microsoft Word\").\n"
    "--ui-language sets the language id (decimal) Word's LanguageSettings\n"
    "answers for its user interface (default 1033); none: a host without it.\n"
    "Exit status: 0 built (or empty), 1 the document cannot be built, 2 usage.\n";

constexpr std::string_view kHostEquals = "--host=";

class FixedHost final : public tavlin::HostApplication {
public:
    FixedHost(std::string name, std::optional<std::uint32_t> uiLanguage)
        : name_(std::move(name)), uiLanguage_(uiLanguage) {}
    std::string Name() override { return name_; }
    std::optional<std::uint32_t> UiLanguageId() override { return uiLanguage_; }

private:
    std::string name_;
    std::optional<std::uint32_t> uiLanguage_;
};

// A language id as wordhost takes it: decimal digits of a 16-bit id, or
// "none" for a host that cannot tell.
bool ParseLanguage(std::string_view text, std::optional<std::uint32_t>& language) {
    if (text == "none") {
        language.reset();
        return true;
    }
    std::uint32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size() ||
        value > 0xFFFF) {
        return false;
    }
    language = value;
    return true;
}

int Usage(const char* complaint) {
    if (complaint != nullptr) {
        std::fprintf(stderr, "tavlin-ribbon: %s\n", complaint);
    }
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    try {
        tavlin::MemorySettingsStore store;
        std::string hostName = "Microsoft Word";
        std::optional<std::uint32_t> uiLanguage = tavlin::kLangIdEnglishUs;
        for (int i = 1; i < argc; ++i) {
            const std::string_view arg = argv[i];
            if (arg == "--help" || arg == "-h") {
                std::fputs(kUsage, stdout);
                return 0;
            }
            if (arg == "--host") {
                if (i + 1 >= argc) {
                    return Usage("--host needs a name");
                }
                hostName = argv[++i];
                continue;
            }
            if (arg == "--ui-language") {
                if (i + 1 >= argc || !ParseLanguage(argv[i + 1], uiLanguage)) {
                    return Usage("--ui-language needs a decimal language id or none");
                }
                ++i;
                continue;
            }
            if (arg.starts_with(kHostEquals)) {
                hostName = arg.substr(kHostEquals.size());
                continue;
            }
            const auto equalsSign = arg.find('=');
            if (arg.starts_with("-") || equalsSign == std::string_view::npos || equalsSign == 0) {
                std::string complaint = "unexpected argument '" + std::string(arg) + "'";
                return Usage(complaint.c_str());
            }
            store.SettingsWrite(arg.substr(0, equalsSign), arg.substr(equalsSign + 1));
        }

        tavlin::Connect connect(store);
        FixedHost fixedHost(hostName, uiLanguage);
        connect.SetHostApplication(&fixedHost);
        const std::string_view document = connect.GetRibbonXML();
        if (!document.empty() &&
            std::fwrite(document.data(), 1, document.size(), stdout) != document.size()) {
            std::fputs("tavlin-ribbon: cannot write the document\n", stderr);
            return 1;
        }
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (...) {
        const tavlin::Error error = tavlin::CurrentError();
        std::fprintf(stderr, "tavlin-ribbon: %s\n", error.description().c_str());
        return 1;
    }
}
