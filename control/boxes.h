// The twelve check boxes of the settings window and the rules that keep
// them consistent. Every change of a box, the program's own included, runs
// that box's rule at once, so one change can set off others.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

namespace tavlin::control {

using BoxState = std::int16_t;
inline constexpr BoxState kCleared = 0;
inline constexpr BoxState kSet = 1;

inline constexpr int kBoxCount = 12;
inline constexpr int kClassicBox = 0;
inline constexpr int kLeftBox = 1;
inline constexpr int kAllBox = 2;
inline constexpr int kHomeBox = 3;
inline constexpr int kFirstTabBox = 3;
inline constexpr int kLastTabBox = 10;
inline constexpr int kHideTabsBox = 11;

// A box's caption, its key in the settings store, the default the window
// reads it with, and its place on the "Word" page in twips (every box is
// kBoxHeight high).
struct BoxInfo {
    std::string_view caption;
    std::string_view key;
    int readDefault;
    int left;
    int top;
    int width;
};
inline constexpr int kBoxHeight = 375;

// In index order. The hide switch is never read back from the store.
inline constexpr std::array<BoxInfo, kBoxCount> kBoxes{{
    {"Show Classic Menu and Toolbars in Microsoft Word 2007", "Classic", 1, 240, 480, 5295},
    {"Show menu tabs on the left of home tab", "Left", 1, 600, 840, 3975},
    {"Show all items in main menu", "All", 1, 600, 1200, 3375},
    {"Home", "Home", 0, 960, 1920, 1095},
    {"Insert", "Insert", 0, 960, 2235, 1455},
    {"Page Layout", "Page Layout", 0, 960, 2565, 1455},
    {"References", "References", 0, 960, 2880, 1455},
    {"View", "View", 0, 2640, 2565, 975},
    {"Review", "Review", 0, 2640, 2235, 1095},
    {"Mailings", "Mailings", 0, 2640, 1920, 1200},
    {"Developer", "Developer", 0, 2640, 2880, 1215},
    {"Hide built-in tabs", "Hide built-in tabs", 0, 600, 1560, 1815},
}};

class CheckBoxes {
public:
    // Told of every change, in the order the rules make them.
    using Listener = std::function<void(int index, BoxState state)>;

    // Every box cleared, as designed.
    CheckBoxes() = default;
    // The states as given, without running any rule: the window as a
    // designer left it. Each state must be 0 or 1.
    explicit CheckBoxes(const std::array<BoxState, kBoxCount>& states);

    void SetListener(Listener listener) { listener_ = std::move(listener); }

    [[nodiscard]] BoxState State(int index) const;
    [[nodiscard]] bool IsSet(int index) const { return State(index) == kSet; }

    // A box holds 0 or 1 only: any other state raises the invalid-property
    // error and leaves the box as it was. Setting the state a box already
    // has is no change and runs nothing.
    void Set(int index, BoxState state);

    // The user's click (mouse or Space): the opposite state.
    void Toggle(int index);

private:
    void RunRule(int index);
    [[nodiscard]] bool AllClear(int first, int last) const;

    std::array<BoxState, kBoxCount> states_{};
    Listener listener_;
};

} // namespace tavlin::control
