#include "addin/core/connect.h"

#include "addin/catalogue/classic_menus.h"
#include "addin/toolbars/toolbar_rows.h"

#include "common/convert.h"
#include "common/error.h"

#include <array>
#include <new>

namespace tavlin {
namespace {

struct HiddenTab {
    std::string_view key;
    std::string_view idMso;
};

// The add-in's own order; the settings window lists the boxes differently,
// but keys are looked up by name, so the two orders never meet.
constexpr std::array<HiddenTab, 8> kHiddenTabs{{
    {"Home", "TabHome"},
    {"Insert", "TabInsert"},
    {"Page Layout", "TabPageLayoutWord"},
    {"References", "TabReferences"},
    {"Mailings", "TabMailings"},
    {"Review", "TabReviewWord"},
    {"View", "TabView"},
    {"Developer", "TabDeveloper"},
}};

// The largest document is about 44.6 KB: seven of the eight built-in tabs
// hidden, each by an element of its own (all eight start from scratch).
constexpr std::size_t kExpectedDocumentSize = 48 * 1024;

} // namespace

void Connect::ChooseTexts(LanguageChoice choice) {
    language_ = choice;
    texts_ = &OwnTexts(choice.language);
    wordControlsLabelled_ = choice.english;
}

std::int32_t Connect::ReadWholeNumber(std::string_view key, int defaultValue) {
    settingValue_ = ToWholeNumber(settings_.SettingsRead(key, defaultValue));
    return settingValue_;
}

void Connect::AddClassicMenus(std::int16_t pass) {
    menuPass_ = pass;
    for (const std::span<const RibbonStep> menu : ClassicMenus()) {
        WriteSteps(menu);
    }
}

void Connect::AddStandardToolbar() {
    WriteSteps(StandardToolbar());
}

void Connect::AddFormattingToolbar() {
    WriteSteps(FormattingToolbar());
}

std::string_view Connect::GetRibbonXML() {
    try {
        counters_ = IdCounters{};

        if (host_ == nullptr) {
            throw Error::ObjectNotSet();
        }
        if (host_->Name().find("Word") == std::string::npos) {
            return {};
        }
        if (ReadWholeNumber("Classic", 1) == 0) {
            return {};
        }
        // Asked on every build: the user may have switched Word's language
        // since the last one. A host that cannot tell gets English.
        const std::optional<std::uint32_t> uiLanguage = host_->UiLanguageId();
        ChooseTexts(uiLanguage ? ChooseLanguage(*uiLanguage) : LanguageChoice{});

        ribbonXml_.clear();
        // Word waits for this at every start: one allocation for the whole
        // document instead of a dozen as it grows.
        ribbonXml_.reserve(kExpectedDocumentSize);
        Append("<customUI xmlns=\"");
        Append(kCustomUiNamespace);
        Append("\" >");

        if (ReadWholeNumber("Hide built-in Tabs", 0) == 1) {
            // Each key once: every read is a trip to the registry at Word's
            // start, and one reading cannot disagree with itself.
            std::array<double, kHiddenTabs.size()> tabKeyValues{};
            std::int32_t tabKeysSum = 0;
            for (std::size_t i = 0; i < kHiddenTabs.size(); ++i) {
                tabKeyValues[i] = ToNumber(settings_.SettingsRead(kHiddenTabs[i].key, 0));
                tabKeysSum = RoundToInt32(tabKeysSum + tabKeyValues[i]);
            }
            if (tabKeysSum == static_cast<std::int32_t>(kHiddenTabs.size())) {
                Append("<ribbon startFromScratch=\"true\">");
                Append("<tabs>");
            } else {
                Append("<ribbon>");
                Append("<tabs>");
                for (std::size_t i = 0; i < kHiddenTabs.size(); ++i) {
                    const HiddenTab& tab = kHiddenTabs[i];
                    if (tabKeyValues[i] == 1.0) {
                        Append("<tab idMso=\"");
                        Append(tab.idMso);
                        Append("\" visible=\"false\"/>");
                    }
                }
            }
        } else {
            Append("<ribbon>");
            Append("<tabs>");
        }

        Append("<tab id=\"Menus\" label=\"");
        Append(Text(OwnText::Tab));
        if (ReadWholeNumber("Left", 1) == 1) {
            Append("\" insertBeforeMso=\"TabHome\">");
        } else {
            Append("\">");
        }
        Append("<group id=\"ToolsPanel\" label=\"");
        Append(Text(OwnText::Group));
        Append("\">");
        Append("<box id=\"boxNew1\" boxStyle=\"horizontal\">");

        if (ReadWholeNumber("All", 1) == 1) {
            BeginMenu(Text(OwnText::All), {}, {});
            AddClassicMenus(2);
            EndMenu(true);
        }
        AddClassicMenus(1);
        Append("</box>");

        AddStandardToolbar();
        AddFormattingToolbar();

        Append("</group >");
        Append("</tab>");
        Append("</tabs>");
        Append("</ribbon>");
        Append("</customUI>");
        return ribbonXml_;
    } catch (const std::bad_alloc&) {
        throw Error::OutOfMemory();
    }
}

} // namespace tavlin
