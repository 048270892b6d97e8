// The add-in's own texts in the ribbon: the tab, the group, the menus it
// makes and its own buttons. Word's built-in controls are not among them:
// Word names those itself, in its own language. The tables refer to a text
// by its key, so one table of steps serves every language.
#pragma once

#include "common/language.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavlin {

enum class OwnText : std::uint8_t {
    None, // no text: the attribute is left out
    Tab,
    Group,
    All,
    MenuFile,
    MenuEdit,
    MenuView,
    MenuInsert,
    MenuFormat,
    MenuTools,
    MenuTable,
    MenuWindow,
    MenuHelp,
    PageSetup,
    HeaderAndFooter,
    Zoom,
    Comments,
    References,
    Illustrations,
    Arrange,
    LanguageMenu,
    Tracking,
    CompareAndCombine,
    LettersAndMailing,
    Macro,
    Controls,
    Xml,
    TableInsert,
    TableDelete,
    TableSelect,
    TableConvert,
    AboutTavlin,
    UninstallTavlin,
    UninstallTip,
};
inline constexpr std::size_t kOwnTextCount = static_cast<std::size_t>(OwnText::UninstallTip) + 1;

// One language's texts, UTF-8, indexed by OwnText; None is empty.
using OwnTextTable = std::array<std::string_view, kOwnTextCount>;

[[nodiscard]] const OwnTextTable& OwnTexts(Language language);

[[nodiscard]] constexpr std::string_view Lookup(const OwnTextTable& table, OwnText key) {
    return table[static_cast<std::size_t>(key)];
}

} // namespace tavlin
