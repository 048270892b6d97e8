// The document side of the add-in class: the customUI text and the state it
// is built from. The COM object of the DLL owns one of these; the native
// tool and the tests use it directly.
#pragma once

#include "addin/core/own_texts.h"
#include "addin/core/ribbon_step.h"
#include "common/language.h"
#include "common/settings_store.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavlin {

// The host application as the document code needs it. The DLL implements
// it by late binding on the host's application object.
class HostApplication {
public:
    virtual ~HostApplication() = default;
    // Raises Error when the host cannot answer.
    [[nodiscard]] virtual std::string Name() = 0;
    // The Windows language id of the host's user interface; nullopt when
    // the host cannot tell (no such member, a failure, not a number).
    [[nodiscard]] virtual std::optional<std::uint32_t> UiLanguageId() { return std::nullopt; }
};

struct IdCounters {
    std::int32_t ButtonGroupCounter = 0;
    std::int32_t ControlCounter = 0;
    std::int32_t MenuSeparatorCounter = 0;
    std::int32_t MenuCounter = 0;
    friend bool operator==(const IdCounters&, const IdCounters&) = default;
};

inline constexpr std::string_view kCustomUiNamespace =
    "http://schemas.microsoft.com/office/2006/01/customui";

// Reaches the private state of a Connect for the unit tests: write one
// table from given counters without two billion calls before it.
class ConnectTestSeam;

class Connect {
public:
    explicit Connect(const SettingsStore& settings) : settings_(settings) {}

    // The host is owned by whoever connected it and must outlive its use
    // here; a second connection replaces the first, nullptr disconnects.
    void SetHostApplication(HostApplication* host) { host_ = host; }

    // The whole customUI document for the current settings, or an empty
    // text when the host is not Word or the Classic tab is switched off.
    // Valid until the next call. Raises Error; RibbonXml then holds what
    // was built up to the failure.
    [[nodiscard]] std::string_view GetRibbonXML();

    [[nodiscard]] const std::string& RibbonXml() const { return ribbonXml_; }
    [[nodiscard]] std::int32_t SettingValue() const { return settingValue_; }
    [[nodiscard]] const IdCounters& counters() const { return counters_; }
    [[nodiscard]] std::int32_t MenuPass() const { return menuPass_; }
    // The language of the last document built; English before the first.
    [[nodiscard]] LanguageChoice UiLanguage() const { return language_; }

private:
    friend class ConnectTestSeam;

    std::int32_t ReadWholeNumber(std::string_view key, int defaultValue);
    void ChooseTexts(LanguageChoice choice);
    [[nodiscard]] std::string_view Text(OwnText key) const { return Lookup(*texts_, key); }

    // The content: the classic menus (pass 1 the row, any other pass the
    // copy inside "All") and the two toolbar rows.
    void AddClassicMenus(std::int16_t pass);
    void AddStandardToolbar();
    void AddFormattingToolbar();
    void WriteSteps(std::span<const RibbonStep> steps);

    // The writers: nothing builds customUI text another way.
    void Append(std::string_view text) { ribbonXml_.append(text); }
    void AddControl(std::string_view idMso, std::string_view label, std::string_view imageMso,
                    std::string_view screentip, std::string_view onAction);
    void AddIconButton(std::string_view idMso, std::string_view screentip,
                       std::string_view imageMso, std::string_view onAction);
    void AddComboBox(std::string_view idMso);
    void BeginButtonGroup();
    void EndButtonGroup();
    void AddDisabledLabel(std::string_view label);
    void AddMenuSeparator();
    void BeginMenu(std::string_view label, std::string_view imageMso, std::string_view screentip);
    void EndMenu(bool addSpacer);
    void AddOwnButton(std::string_view id, std::string_view label, std::string_view screentip,
                      std::string_view onAction);
    void AppendControlStart(std::string_view idMso);
    void AppendNumber(std::int32_t value);
    void AppendAttribute(std::string_view nameAndQuote, std::string_view value);

    const SettingsStore& settings_;
    HostApplication* host_ = nullptr;
    std::string ribbonXml_;
    std::int32_t settingValue_ = 0;
    IdCounters counters_;
    std::int32_t menuPass_ = 0;
    LanguageChoice language_;
    const OwnTextTable* texts_ = &OwnTexts(Language::English);
    // Word's own controls keep the English captions and tips we give them
    // only in an English Word; any other Word shows its own, translated.
    bool wordControlsLabelled_ = true;
};

} // namespace tavlin
