#include "control/texts.h"

#include <array>
#include <stdexcept>

namespace tavlin::control {
namespace {

struct Entry {
    Text key;
    std::string_view text;
};
using Table = std::array<Entry, kTextCount>;

// Each table lists its entries in key order, so a lookup is an index and a
// missing or misplaced entry fails the build rather than showing a wrong
// text.
constexpr bool InKeyOrder(const Table& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (static_cast<std::size_t>(table[i].key) != i) {
            return false;
        }
    }
    return true;
}

// The tables, one a language in the order of Language, made from po/ by
// the build. The ribbon tabs' captions are Word's own names for them in each
// language (Word 2007 to 2013, whose tab "Page Layout" the setting is named
// after).
#include "control_texts.inc"

// The number of a placeholder starting at pattern[at] ("{n}", n from 1 to
// 9), or 0.
int PlaceholderAt(std::string_view pattern, std::size_t at) {
    if (at + 2 < pattern.size() && pattern[at] == '{' && pattern[at + 1] >= '1' &&
        pattern[at + 1] <= '9' && pattern[at + 2] == '}') {
        return pattern[at + 1] - '0';
    }
    return 0;
}

} // namespace

std::string_view TextOf(Language language, Text key) {
    return kTables.at(Index(language))->at(static_cast<std::size_t>(key)).text;
}

Text BoxCaption(int index) {
    if (index < 0 ||
        index > static_cast<int>(Text::BoxHideTabs) - static_cast<int>(Text::BoxClassic)) {
        throw std::out_of_range("Control array element doesn't exist");
    }
    return static_cast<Text>(static_cast<int>(Text::BoxClassic) + index);
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t at = 0; at < pattern.size();) {
        const int number = PlaceholderAt(pattern, at);
        if (number != 0 && static_cast<std::size_t>(number) <= arguments.size()) {
            text += arguments.begin()[number - 1];
            at += 3;
        } else {
            text += pattern[at];
            ++at;
        }
    }
    return text;
}

std::vector<int> Placeholders(std::string_view pattern) {
    std::vector<int> numbers;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (const int number = PlaceholderAt(pattern, at)) {
            numbers.push_back(number);
        }
    }
    return numbers;
}

} // namespace tavlin::control
