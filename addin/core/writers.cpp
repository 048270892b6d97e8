// The element writers: every piece of the customUI document goes through
// these. Values are inserted verbatim, without XML escaping: the fixed
// content and every language's texts hold no character that needs it.
#include "addin/core/connect.h"

#include "common/error.h"

#include <charconv>
#include <limits>
#include <variant>

namespace tavlin {
namespace {

// A counter that would pass the largest 32-bit value is an overflow, never
// a wrap to a negative id.
std::int32_t IncrementCounter(std::int32_t& counter) {
    if (counter == std::numeric_limits<std::int32_t>::max()) {
        throw Error::Overflow();
    }
    return ++counter;
}

template <typename... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };

} // namespace

void Connect::AppendNumber(std::int32_t value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    ribbonXml_.append(digits, result.ptr);
}

void Connect::AppendAttribute(std::string_view nameAndQuote, std::string_view value) {
    if (value.empty()) {
        return;
    }
    ribbonXml_.append(nameAndQuote);
    ribbonXml_.append(value);
    ribbonXml_.push_back('"');
}

// One of Word's controls by its idMso, or, without one, a button of our own
// with the next generated id.
void Connect::AppendControlStart(std::string_view idMso) {
    if (idMso.empty()) {
        const std::int32_t idNumber = IncrementCounter(counters_.ControlCounter);
        Append("<button id=\"sep00");
        AppendNumber(idNumber);
        Append("\"");
    } else {
        Append("<control idMso=\"");
        Append(idMso);
        Append("\"");
    }
}

void Connect::AddControl(std::string_view idMso, std::string_view label, std::string_view imageMso,
                         std::string_view screentip, std::string_view onAction) {
    AppendControlStart(idMso);
    AppendAttribute(" label=\"", idMso.empty() || wordControlsLabelled_ ? label : "");
    AppendAttribute(" imageMso=\"", imageMso);
    AppendAttribute(" screentip=\"", screentip);
    AppendAttribute(" onAction=\"", onAction);
    Append("/>");
}

void Connect::AddIconButton(std::string_view idMso, std::string_view screentip,
                            std::string_view imageMso, std::string_view onAction) {
    AppendControlStart(idMso);
    AppendAttribute(" screentip=\"", idMso.empty() || wordControlsLabelled_ ? screentip : "");
    AppendAttribute(" imageMso=\"", imageMso);
    AppendAttribute(" onAction=\"", onAction);
    Append(" showLabel=\"false\"/>");
}

void Connect::AddComboBox(std::string_view idMso) {
    Append("<comboBox idMso=\"");
    Append(idMso);
    Append("\"/>");
}

void Connect::BeginButtonGroup() {
    const std::int32_t idNumber = IncrementCounter(counters_.ButtonGroupCounter);
    Append("<buttonGroup id=\"btnGr00");
    AppendNumber(idNumber);
    Append("\">");
}

void Connect::EndButtonGroup() {
    Append("</buttonGroup>");
}

void Connect::AddDisabledLabel(std::string_view label) {
    const std::int32_t idNumber = IncrementCounter(counters_.ControlCounter);
    Append("<button id=\"sep00");
    AppendNumber(idNumber);
    Append("\" label=\"");
    Append(label);
    Append("\" enabled=\"false\"/>");
}

void Connect::AddMenuSeparator() {
    const std::int32_t idNumber = IncrementCounter(counters_.MenuSeparatorCounter);
    Append("<menuSeparator id=\"msep00");
    AppendNumber(idNumber);
    Append("d\"/>");
}

void Connect::BeginMenu(std::string_view label, std::string_view imageMso,
                        std::string_view screentip) {
    const std::int32_t idNumber = IncrementCounter(counters_.MenuCounter);
    Append("<menu id=\"BR3234");
    AppendNumber(idNumber);
    Append("\"");
    AppendAttribute(" label=\"", label);
    AppendAttribute(" imageMso=\"", imageMso);
    AppendAttribute(" screentip=\"", screentip);
    Append(" tag = \"BR3234");
    AppendNumber(idNumber);
    Append("\">");
}

void Connect::EndMenu(bool addSpacer) {
    Append("</menu>");
    if (addSpacer && menuPass_ == 1) {
        AddDisabledLabel(" ");
    }
}

// The "All" copy of the menus must not repeat the menu row's ids.
void Connect::AddOwnButton(std::string_view id, std::string_view label, std::string_view screentip,
                           std::string_view onAction) {
    Append("<button id=\"");
    if (menuPass_ != 1) {
        Append("All");
    }
    Append(id);
    Append("\"");
    AppendAttribute(" label=\"", label);
    AppendAttribute(" screentip=\"", screentip);
    AppendAttribute(" onAction=\"", onAction);
    Append("/>");
}

void Connect::WriteSteps(std::span<const RibbonStep> steps) {
    for (const RibbonStep& entry : steps) {
        std::visit(Overloaded{
                       [&](const step::Literal& literal) { Append(literal.text); },
                       [&](const step::Control& control) {
                           AddControl(control.idMso, control.label, {}, {}, {});
                       },
                       [&](const step::IconButton& icon) {
                           AddIconButton(icon.idMso, icon.screentip, {}, {});
                       },
                       [&](const step::ComboBox& combo) { AddComboBox(combo.idMso); },
                       [&](const step::BeginButtonGroup&) { BeginButtonGroup(); },
                       [&](const step::EndButtonGroup&) { EndButtonGroup(); },
                       [&](const step::GroupBreak& groupBreak) {
                           EndButtonGroup();
                           AddDisabledLabel(groupBreak.spacerLabel);
                           BeginButtonGroup();
                       },
                       [&](const step::MenuSeparator&) { AddMenuSeparator(); },
                       [&](const step::BeginMenu& menu) {
                           BeginMenu(Text(menu.label), menu.imageMso, Text(menu.screentip));
                       },
                       [&](const step::EndMenu& menuEnd) { EndMenu(menuEnd.spacerInMenuRow); },
                       [&](const step::OwnButton& button) {
                           AddOwnButton(button.id, Text(button.label), Text(button.screentip),
                                        button.onAction);
                       },
                       [&](const step::Contents& contents) {
                           WriteSteps({contents.first, contents.count});
                       },
                   },
                   entry.action);
    }
}

} // namespace tavlin
