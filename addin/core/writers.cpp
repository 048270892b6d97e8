// The element writers: every piece of the customUI document goes through
// these. Values are inserted verbatim, without XML escaping: the fixed
// content holds no text that needs it.
#include "addin/core/connect.h"

#include "common/error.h"

#include <charconv>
#include <limits>

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

void Connect::AddControl(std::string_view idMso, std::string_view label, std::string_view imageMso,
                         std::string_view screentip, std::string_view onAction) {
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
    AppendAttribute(" label=\"", label);
    AppendAttribute(" imageMso=\"", imageMso);
    AppendAttribute(" screentip=\"", screentip);
    AppendAttribute(" onAction=\"", onAction);
    Append("/>");
}

void Connect::AddIconButton(std::string_view idMso, std::string_view screentip,
                            std::string_view imageMso, std::string_view onAction) {
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

void Connect::Play(std::span<const RibbonStep> steps, std::string_view idPrefix) {
    using Op = RibbonStep::Op;
    for (const RibbonStep& s : steps) {
        switch (s.op) {
        case Op::Append:
            Append(s.a);
            break;
        case Op::Control:
            AddControl(s.a, s.b, {}, {}, {});
            break;
        case Op::IconButton:
            AddIconButton(s.a, s.b, {}, {});
            break;
        case Op::ComboBox:
            AddComboBox(s.a);
            break;
        case Op::BeginButtonGroup:
            BeginButtonGroup();
            break;
        case Op::EndButtonGroup:
            EndButtonGroup();
            break;
        case Op::GroupBreak:
            EndButtonGroup();
            AddDisabledLabel(s.a);
            BeginButtonGroup();
            break;
        case Op::MenuSeparator:
            AddMenuSeparator();
            break;
        case Op::BeginMenu:
            BeginMenu(s.a, s.b, s.c);
            break;
        case Op::EndMenu:
            EndMenu(s.flag);
            break;
        case Op::OwnButton:
            Append("<button id=\"");
            Append(idPrefix);
            Append(s.a);
            Append(s.b);
            break;
        }
    }
}

} // namespace tavlin
