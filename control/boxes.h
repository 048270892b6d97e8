// The twelve check boxes of the settings window and the rules that keep
// them consistent. Every change of a box, the program's own included, runs
// that box's rule at once, so one change can set off others.
//
// A box an administrator locked by policy keeps the policy's state; no
// rule changes it:
// - clearing box 0 or the hide switch clears the other boxes but leaves a
//   locked one as it is, and setting box 0 or the hide switch on an empty
//   window sets only the boxes that are not locked: the add-in ignores
//   what a cleared master holds;
// - a box whose rule would set box 0 or the hide switch while that one is
//   locked cleared changes all the same, and the master stays cleared: the
//   add-in ignores the box then, and the user's choice is kept for the day
//   the policy goes;
// - box 1 (Classic tab first) and box 3 (Home hidden) exclude each other:
//   setting one while the other is locked set does not happen, as the
//   add-in would put the tab before a tab it hides.
#pragma once

#include "common/settings_store.h"

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

// A box's key in the settings store, the default the window reads it with,
// and its place on the "Word" page in twips as designed for English (every
// box is kBoxHeight high). The caption is a text of its own (texts.h): it
// is translated, the key never.
struct BoxInfo {
    std::string_view key;
    int readDefault;
    int left;
    int top;
    int width;
};
inline constexpr int kBoxHeight = 375;

// In index order, each box with the store's key of the same index. The
// hide switch is never read back from the store.
inline constexpr std::array<BoxInfo, kBoxCount> kBoxes{{
    {kSettingsKeys[0], 1, 240, 480, 5295},
    {kSettingsKeys[1], 1, 600, 840, 3975},
    {kSettingsKeys[2], 1, 600, 1200, 3375},
    {kSettingsKeys[3], 0, 960, 1920, 1095},
    {kSettingsKeys[4], 0, 960, 2235, 1455},
    {kSettingsKeys[5], 0, 960, 2565, 1455},
    {kSettingsKeys[6], 0, 960, 2880, 1455},
    {kSettingsKeys[7], 0, 2640, 2565, 975},
    {kSettingsKeys[8], 0, 2640, 2235, 1095},
    {kSettingsKeys[9], 0, 2640, 1920, 1200},
    {kSettingsKeys[10], 0, 2640, 2880, 1215},
    {kSettingsKeys[11], 0, 600, 1560, 1815},
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
    // has is no change and runs nothing. False when the locks refuse the
    // change (see above); the boxes are then as they were.
    bool Set(int index, BoxState state);

    // The user's click (mouse or Space): the opposite state.
    bool Toggle(int index);

    // Puts the box in state for good, without running its rule: the policy
    // decides it, not the other boxes.
    void Lock(int index, BoxState state);
    [[nodiscard]] bool IsLocked(int index) const;

private:
    void RunRule(int index);
    [[nodiscard]] bool AllClear(int first, int last) const;
    [[nodiscard]] bool LockedSet(int index) const { return IsLocked(index) && IsSet(index); }

    std::array<BoxState, kBoxCount> states_{};
    std::array<bool, kBoxCount> locked_{};
    Listener listener_;
};

} // namespace tavlin::control
