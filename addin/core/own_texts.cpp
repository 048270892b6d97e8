// Every language's own texts, made from its PO file (po/). Menu names are
// those Word's own classic menus had in that language (Word 2003); the rest
// follow Microsoft's Office terminology of the language. Where English has
// "…", so does every language: it says that a dialog follows.
#include "addin/core/own_texts.h"

#include <initializer_list>
#include <utility>

namespace tavlin {
namespace {

using Entry = std::pair<OwnText, std::string_view>;

// Places each text under its key; a key left out or given twice stops the
// build, so no language can miss a text unnoticed.
consteval OwnTextTable Table(std::initializer_list<Entry> entries) {
    OwnTextTable table{};
    std::array<bool, kOwnTextCount> given{};
    given[0] = true;
    for (const Entry& entry : entries) {
        const auto at = static_cast<std::size_t>(entry.first);
        if (at == 0 || given[at] || entry.second.empty()) {
            throw "a text is given twice, for None, or empty";
        }
        given[at] = true;
        table[at] = entry.second;
    }
    for (const bool isGiven : given) {
        if (!isGiven) {
            throw "a text is missing";
        }
    }
    return table;
}

// The tables, one a language, made from po/ by the build.
#include "own_texts.inc"

} // namespace

const OwnTextTable& OwnTexts(Language language) {
    return kTables[Index(language)];
}

} // namespace tavlin
