// The element writers: every piece of the customUI document goes through
// these. Values are inserted verbatim, without XML escaping: the fixed
// content holds no text that needs it.
#include "addin/core/connect.h"

#include "common/error.h"

#include <charconv>
#include <limits>
#include <variant>

namespace tavlin {
namespace {

// A counter that would pass the largest 32-bit value is an overflow, never
// a wrap to a negative id.
std::int32_t Next(std::int32_t& counter) {
    if (counter == std::numeric_limits<std::int32_t>::max()) {
        throw Error::Overflow();
    }
    return ++counter;
}

template <typename... Writes> struct Overloaded : Writes... { using Writes::operator()...; };

} // namespace

void Connect::AppendNumber(std::int32_t n) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, n);
    ribbonXml_.append(digits, result.ptr);
}

void Connect::AppendAttribute(std::string_view name, std::string_view value) {
    if (value.empty()) {
        return;
    }
    ribbonXml_.append(name);
    ribbonXml_.append(value);
    ribbonXml_.push_back('"');
}

// One of Word's controls by its idMso, or, without one, a button of our own
// with the next generated id.
void Connect::OpenControl(std::string_view idMso) {
    if (idMso.empty()) {
        const std::int32_t n = Next(counters_.ControlCounter);
        Append("<button id=\"sep00");
        AppendNumber(n);
        Append("\"");
    } else {
        Append("<control idMso=\"");
        Append(idMso);
        Append("\"");
    }
}

void Connect::AddControl(std::string_view idMso, std::string_view label, std::string_view imageMso,
                         std::string_view screentip, std::string_view onAction) {
    OpenControl(idMso);
    AppendAttribute(" label=\"", label);
    AppendAttribute(" imageMso=\"", imageMso);
    AppendAttribute(" screentip=\"", screentip);
    AppendAttribute(" onAction=\"", onAction);
    Append("/>");
}

void Connect::AddIconButton(std::string_view idMso, std::string_view screentip,
                            std::string_view imageMso, std::string_view onAction) {
    OpenControl(idMso);
    AppendAttribute(" screentip=\"", screentip);
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
    const std::int32_t n = Next(counters_.ButtonGroupCounter);
    Append("<buttonGroup id=\"btnGr00");
    AppendNumber(n);
    Append("\">");
}

void Connect::EndButtonGroup() {
    Append("</buttonGroup>");
}

void Connect::AddDisabledLabel(std::string_view label) {
    const std::int32_t n = Next(counters_.ControlCounter);
    Append("<button id=\"sep00");
    AppendNumber(n);
    Append("\" label=\"");
    Append(label);
    Append("\" enabled=\"false\"/>");
}

void Connect::AddMenuSeparator() {
    const std::int32_t n = Next(counters_.MenuSeparatorCounter);
    Append("<menuSeparator id=\"msep00");
    AppendNumber(n);
    Append("d\"/>");
}

void Connect::BeginMenu(std::string_view label, std::string_view imageMso,
                        std::string_view screentip) {
    const std::int32_t n = Next(counters_.MenuCounter);
    Append("<menu id=\"BR3234");
    AppendNumber(n);
    Append("\"");
    AppendAttribute(" label=\"", label);
    AppendAttribute(" imageMso=\"", imageMso);
    AppendAttribute(" screentip=\"", screentip);
    Append(" tag = \"BR3234");
    AppendNumber(n);
    Append("\">");
}

void Connect::EndMenu(bool addSpacer) {
    Append("</menu>");
    if (addSpacer && menuPass_ == 1) {
        AddDisabledLabel(" ");
    }
}

// The "All" copy of the menus must not repeat the menu row's ids.
void Connect::AddOwnButton(std::string_view id, std::string_view restOfElement) {
    Append("<button id=\"");
    if (menuPass_ != 1) {
        Append("All");
    }
    Append(id);
    Append(restOfElement);
}

void Connect::Play(std::span<const RibbonStep> steps) {
    for (const RibbonStep& s : steps) {
        std::visit(
            Overloaded{
                [&](const step::Literal& x) { Append(x.text); },
                [&](const step::Control& x) { AddControl(x.idMso, x.label, {}, {}, {}); },
                [&](const step::IconButton& x) { AddIconButton(x.idMso, x.screentip, {}, {}); },
                [&](const step::ComboBox& x) { AddComboBox(x.idMso); },
                [&](const step::BeginButtonGroup&) { BeginButtonGroup(); },
                [&](const step::EndButtonGroup&) { EndButtonGroup(); },
                [&](const step::GroupBreak& x) {
                    EndButtonGroup();
                    AddDisabledLabel(x.spacerLabel);
                    BeginButtonGroup();
                },
                [&](const step::MenuSeparator&) { AddMenuSeparator(); },
                [&](const step::BeginMenu& x) { BeginMenu(x.label, x.imageMso, x.screentip); },
                [&](const step::EndMenu& x) { EndMenu(x.spacerInMenuRow); },
                [&](const step::OwnButton& x) { AddOwnButton(x.id, x.restOfElement); },
                [&](const step::Contents& x) {
                    Play({x.first, x.count});
                },
            },
            s.what);
    }
}

} // namespace tavlin
