#include "control/boxes.h"

#include "common/error.h"

#include <stdexcept>

namespace tavlin::control {
namespace {

void CheckIndex(int index) {
    if (index < 0 || index >= kBoxCount) {
        throw std::out_of_range("Control array element doesn't exist");
    }
}

} // namespace

CheckBoxes::CheckBoxes(const std::array<BoxState, kBoxCount>& states) {
    for (const BoxState state : states) {
        if (state != kCleared && state != kSet) {
            throw Error::InvalidPropertyValue();
        }
    }
    states_ = states;
}

BoxState CheckBoxes::State(int index) const {
    CheckIndex(index);
    return states_[static_cast<std::size_t>(index)];
}

bool CheckBoxes::Set(int index, BoxState state) {
    CheckIndex(index);
    if (state != kCleared && state != kSet) {
        throw Error::InvalidPropertyValue();
    }
    BoxState& slot = states_[static_cast<std::size_t>(index)];
    if (slot == state) {
        return true;
    }
    if (locked_[static_cast<std::size_t>(index)]) {
        return false;
    }
    if (state == kSet && ((index == kLeftBox && LockedSet(kHomeBox)) ||
                          (index == kHomeBox && LockedSet(kLeftBox)))) {
        return false;
    }
    slot = state;
    if (listener_) {
        listener_(index, state);
    }
    RunRule(index);
    return true;
}

bool CheckBoxes::Toggle(int index) {
    return Set(index, IsSet(index) ? kCleared : kSet);
}

void CheckBoxes::Lock(int index, BoxState state) {
    CheckIndex(index);
    if (state != kCleared && state != kSet) {
        throw Error::InvalidPropertyValue();
    }
    const auto at = static_cast<std::size_t>(index);
    locked_[at] = true;
    if (states_[at] != state) {
        states_[at] = state;
        if (listener_) {
            listener_(index, state);
        }
    }
}

bool CheckBoxes::IsLocked(int index) const {
    CheckIndex(index);
    return locked_[static_cast<std::size_t>(index)];
}

bool CheckBoxes::AllClear(int first, int last) const {
    for (int i = first; i <= last; ++i) {
        if (State(i) != kCleared) {
            return false;
        }
    }
    return true;
}

// Each Set below runs its own box's rule before the next line here runs;
// the order of the lines is therefore part of the behaviour. A Set the
// locks refuse is skipped and the rule goes on.
void CheckBoxes::RunRule(int index) {
    const bool set = IsSet(index);
    if (index == kClassicBox) {
        if (!set) {
            for (int i = 1; i < kBoxCount; ++i) {
                Set(i, kCleared);
            }
        } else if (AllClear(1, kBoxCount - 1)) {
            Set(kLeftBox, kSet);
            Set(kAllBox, kSet);
        }
        return;
    }
    if (index == kHideTabsBox) {
        if (!set) {
            for (int i = kFirstTabBox; i <= kLastTabBox; ++i) {
                Set(i, kCleared);
            }
        } else if (AllClear(kFirstTabBox, kLastTabBox)) {
            for (int i = kFirstTabBox; i <= kLastTabBox; ++i) {
                Set(i, kSet);
            }
            Set(kLeftBox, kCleared);
        }
        return;
    }
    if (!set) {
        return;
    }
    if (index == kLeftBox) {
        Set(kHomeBox, kCleared);
    } else if (index == kHomeBox) {
        Set(kLeftBox, kCleared);
    } else if (index != kAllBox) {
        Set(kHideTabsBox, kSet);
    }
    Set(kClassicBox, kSet);
}

} // namespace tavlin::control
