// The document side of the add-in class: the customUI text and the state it
// is built from. The COM object of the DLL owns one of these; the native
// tool and the tests use it directly.
#pragma once

#include "common/settings_store.h"

#include <cstdint>
#include <memory>
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
};

// One step of fixed ribbon content: the menu catalogue and the toolbar rows
// are tables of these, replayed by Connect::Play.
struct RibbonStep {
    enum class Op : std::uint8_t {
        Append,           // a: literal text
        Control,          // AddControl(a = idMso, b = label, "", "", "")
        IconButton,       // AddIconButton(a = idMso, b = screentip, "", "")
        ComboBox,         // AddComboBox(a = idMso)
        BeginButtonGroup, //
        EndButtonGroup,   //
        GroupBreak,       // EndButtonGroup, AddDisabledLabel(a), BeginButtonGroup
        MenuSeparator,    // AddMenuSeparator()
        BeginMenu,        // BeginMenu(a = label, b = imageMso, c = screentip)
        EndMenu,          // EndMenu(flag)
        OwnButton,        // <button id=" prefix a " then the literal tail b
    };
    Op op;
    std::string_view a{};
    std::string_view b{};
    std::string_view c{};
    bool flag = false;
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

class Connect {
public:
    explicit Connect(const SettingsStore& settings) : settings_(settings) {}

    // Keeps the host; a second connection replaces the first.
    void SetHostApplication(std::unique_ptr<HostApplication> host) { host_ = std::move(host); }
    [[nodiscard]] HostApplication* hostApplication() const { return host_.get(); }

    // The whole customUI document for the current settings, or an empty
    // text when the host is not Word or the Classic tab is switched off.
    // Valid until the next call. Raises Error; RibbonXml then holds what
    // was built up to the failure.
    [[nodiscard]] std::string_view GetRibbonXML();

    [[nodiscard]] const std::string& RibbonXml() const { return ribbonXml_; }
    [[nodiscard]] std::int32_t SettingValue() const { return settingValue_; }
    [[nodiscard]] const IdCounters& counters() const { return counters_; }
    [[nodiscard]] std::int32_t MenuPass() const { return menuPass_; }

    // The writers. Public so the catalogue, the rows and the tests reach
    // them; nothing outside this class builds customUI text another way.
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

    // The content: the classic menus (pass 1 the row, any other pass the
    // copy inside "All") and the two toolbar rows.
    void AddClassicMenus(std::int16_t pass);
    void AddStandardToolbar();
    void AddFormattingToolbar();

    // Replays fixed content; idPrefix goes in front of own buttons' ids.
    void Play(std::span<const RibbonStep> steps, std::string_view idPrefix = {});

    // For tests that start from a given state: a document in progress, and
    // counters near their limit without two billion calls.
    void ResetDocument() { ribbonXml_.clear(); }
    void SetCounters(const IdCounters& counters) { counters_ = counters; }
    void SetMenuPass(std::int32_t pass) { menuPass_ = pass; }

private:
    std::int32_t ReadWholeNumber(std::string_view key, int defaultValue);
    void AppendNumber(std::int32_t n);
    void AppendAttribute(std::string_view name, std::string_view value);

    const SettingsStore& settings_;
    std::unique_ptr<HostApplication> host_;
    std::string ribbonXml_;
    std::int32_t settingValue_ = 0;
    IdCounters counters_;
    std::int32_t menuPass_ = 0;
};

} // namespace tavlin
