// The vocabulary of the fixed ribbon content. The menu catalogue and the
// toolbar rows are const tables of these steps; the document assembly writes
// them through its writers, so the tables hold data and nothing else.
#pragma once

#include "addin/core/own_texts.h"

#include <cstddef>
#include <span>
#include <string_view>
#include <variant>

namespace tavlin {

struct RibbonStep;

namespace step {

// Text that goes into the document as it stands.
struct Literal {
    std::string_view text;
};
// One of Word's own controls with its English caption. Only an English
// Word gets the caption; any other names the control itself.
struct Control {
    std::string_view idMso;
    std::string_view label;
};
// One of Word's own controls shown as an icon only; its tip, like a
// control's caption, goes only to an English Word.
struct IconButton {
    std::string_view idMso;
    std::string_view screentip;
};
struct ComboBox {
    std::string_view idMso;
};
struct BeginButtonGroup {};
struct EndButtonGroup {};
// Closes the button group, writes a disabled button whose label is the
// blank run that spaces the row, and opens the next group.
struct GroupBreak {
    std::string_view spacerLabel;
};
struct MenuSeparator {};
// A menu shows its label, or, on a toolbar row, only an image and a tip.
struct BeginMenu {
    OwnText label;
    std::string_view imageMso;
    OwnText screentip;
};
struct EndMenu {
    // A top-level menu of the menu row is followed by a spacer; the copy
    // inside "All" and every submenu are not.
    bool spacerInMenuRow;
};
// One of the add-in's own buttons. The menu row and the "All" copy must not
// share ids, so the id gets the copy's prefix.
struct OwnButton {
    std::string_view id;
    OwnText label;
    OwnText screentip;
    std::string_view onAction;
};
// Another table written in place: one submenu's entries serve the menu row
// and a toolbar row alike.
struct Contents {
    const RibbonStep* first;
    std::size_t count;
};

} // namespace step

struct RibbonStep {
    std::variant<step::Literal, step::Control, step::IconButton, step::ComboBox,
                 step::BeginButtonGroup, step::EndButtonGroup, step::GroupBreak,
                 step::MenuSeparator, step::BeginMenu, step::EndMenu, step::OwnButton,
                 step::Contents>
        action;
};

// The entries every table writes alike.
namespace steps {

[[nodiscard]] constexpr RibbonStep Item(std::string_view idMso, std::string_view label) {
    return {step::Control{idMso, label}};
}
[[nodiscard]] constexpr RibbonStep Separator() {
    return {step::MenuSeparator{}};
}
[[nodiscard]] constexpr RibbonStep Contents(std::span<const RibbonStep> table) {
    return {step::Contents{table.data(), table.size()}};
}

} // namespace steps

} // namespace tavlin
