#include "control/boxes.h"

#include "control/texts.h"

#include "common/error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlin::control {
namespace {

// "110000000000": box i is set when character i is '1'.
std::array<BoxState, kBoxCount> StatesOf(const std::string& text) {
    EXPECT_EQ(text.size(), static_cast<std::size_t>(kBoxCount)) << text;
    std::array<BoxState, kBoxCount> states{};
    for (std::size_t i = 0; i < states.size() && i < text.size(); ++i) {
        states[i] = text[i] == '1' ? kSet : kCleared;
    }
    return states;
}

std::string TextOf(const CheckBoxes& boxes) {
    std::string text;
    for (int i = 0; i < kBoxCount; ++i) {
        text += boxes.IsSet(i) ? '1' : '0';
    }
    return text;
}

// The boxes with a log of every change, as "index=state" in order.
struct Logged {
    explicit Logged(const std::string& start) : boxes(StatesOf(start)) {
        boxes.SetListener([this](int index, BoxState state) {
            log.push_back(std::to_string(index) + "=" + std::to_string(state));
        });
    }
    CheckBoxes boxes;
    std::vector<std::string> log;
};

struct RuleCase {
    const char* name;
    const char* start;
    int box;
    BoxState state;
    const char* end;
    std::vector<std::string> changes;
};

TEST(CheckBoxRules, EveryRowOfTheRuleTable) {
    const std::vector<RuleCase> cases = {
        {"clearing box 0 clears 1 to 11 in order",
         "111111111111",
         0,
         kCleared,
         "000000000000",
         {"0=0", "1=0", "2=0", "3=0", "4=0", "5=0", "6=0", "7=0", "8=0", "9=0", "10=0", "11=0"}},
        {"setting box 0 on an all-clear window sets 1 then 2",
         "000000000000",
         0,
         kSet,
         "111000000000",
         {"0=1", "1=1", "2=1"}},
        {"setting box 0 with box 2 set sets nothing else",
         "001000000000",
         0,
         kSet,
         "101000000000",
         {"0=1"}},
        {"setting box 0 with only the hide switch set",
         "000000000001",
         0,
         kSet,
         "100000000001",
         {"0=1"}},
        {"setting box 1 clears box 3 and sets box 0",
         "000100000000",
         1,
         kSet,
         "110000000000",
         {"1=1", "3=0", "0=1"}},
        {"setting box 2 sets box 0 only", "000000000000", 2, kSet, "101000000000", {"2=1", "0=1"}},
        {"setting box 3 clears box 1", "111000000000", 3, kSet, "101100000000", {"3=1", "1=0"}},
        {"setting box 3 on an all-clear window sets box 0",
         "000000000000",
         3,
         kSet,
         "100100000000",
         {"3=1", "0=1"}},
        {"setting box 7 sets the hide switch and box 0",
         "000000000000",
         7,
         kSet,
         "100000010001",
         {"7=1", "11=1", "0=1"}},
        {"clearing the hide switch clears 3 to 10 in order",
         "110011111111",
         11,
         kCleared,
         "110000000000",
         {"11=0", "4=0", "5=0", "6=0", "7=0", "8=0", "9=0", "10=0"}},
        {"the hide switch on an all-clear window",
         "000000000000",
         11,
         kSet,
         "100111111111",
         {"11=1", "3=1", "0=1", "4=1", "5=1", "6=1", "7=1", "8=1", "9=1", "10=1"}},
        {"the hide switch on the first-run window clears box 1 through box 3",
         "111000000000",
         11,
         kSet,
         "101111111111",
         {"11=1", "3=1", "1=0", "4=1", "5=1", "6=1", "7=1", "8=1", "9=1", "10=1"}},
        {"the hide switch with a tab box set changes nothing else",
         "100100000000",
         11,
         kSet,
         "100100000001",
         {"11=1"}},
        {"clearing the last set tab box leaves the hide switch set",
         "100000010001",
         7,
         kCleared,
         "100000000001",
         {"7=0"}},
    };
    for (const RuleCase& c : cases) {
        Logged t(c.start);
        t.boxes.Set(c.box, c.state);
        EXPECT_EQ(TextOf(t.boxes), c.end) << c.name;
        EXPECT_EQ(t.log, c.changes) << c.name;
    }
}

TEST(CheckBoxRules, EachOfTheBoxes4To10SetsTheHideSwitchThenBox0) {
    for (int box = 4; box <= 10; ++box) {
        Logged t("000000000000");
        t.boxes.Set(box, kSet);
        const std::vector<std::string> expected = {std::to_string(box) + "=1", "11=1", "0=1"};
        EXPECT_EQ(t.log, expected) << box;
    }
}

TEST(CheckBoxRules, ClearingBoxes1To10RunsNothing) {
    for (int box = 1; box <= 10; ++box) {
        Logged t("111111111111");
        t.boxes.Set(box, kCleared);
        const std::vector<std::string> expected = {std::to_string(box) + "=0"};
        EXPECT_EQ(t.log, expected) << box;
    }
}

TEST(CheckBoxRules, SettingTheCurrentStateRunsNothing) {
    for (const char* start : {"000000000000", "111111111111", "101100000001"}) {
        for (int box = 0; box < kBoxCount; ++box) {
            Logged t(start);
            t.boxes.Set(box, t.boxes.State(box));
            EXPECT_TRUE(t.log.empty()) << start << " box " << box;
            EXPECT_EQ(TextOf(t.boxes), start);
        }
    }
}

TEST(CheckBoxRules, Boxes1And3ExcludeEachOther) {
    CheckBoxes boxes;
    boxes.Toggle(1);
    EXPECT_EQ(TextOf(boxes), "110000000000");
    boxes.Toggle(3);
    EXPECT_EQ(TextOf(boxes), "100100000000");
    boxes.Toggle(1);
    EXPECT_EQ(TextOf(boxes), "110000000000");
}

TEST(CheckBoxRules, Box0ClearedAndSetAgain) {
    CheckBoxes boxes(StatesOf("101111111111"));
    boxes.Toggle(0);
    EXPECT_EQ(TextOf(boxes), "000000000000");
    boxes.Toggle(0);
    EXPECT_EQ(TextOf(boxes), "111000000000");
}

TEST(CheckBoxRules, StatesOtherThan0Or1AreRefusedAndChangeNothing) {
    for (const BoxState bad : {BoxState{2}, BoxState{-1}, BoxState{255}, BoxState{-32768}}) {
        Logged t("000000000000");
        try {
            t.boxes.Set(0, bad);
            ADD_FAILURE() << "state " << bad << " accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.code(), ErrorCode::InvalidPropertyValue);
            EXPECT_EQ(e.description(), "Invalid property value");
        }
        EXPECT_TRUE(t.log.empty());
        EXPECT_EQ(TextOf(t.boxes), "000000000000");
    }
    EXPECT_THROW(CheckBoxes(std::array<BoxState, kBoxCount>{0, 0, 2}), Error);
}

TEST(CheckBoxRules, IndexesOutsideTheArrayAreRefused) {
    CheckBoxes boxes;
    EXPECT_ANY_THROW(boxes.Set(-1, kSet));
    EXPECT_ANY_THROW(boxes.Set(kBoxCount, kSet));
    EXPECT_ANY_THROW(boxes.Toggle(kBoxCount));
    EXPECT_ANY_THROW(static_cast<void>(boxes.State(kBoxCount)));
    EXPECT_EQ(TextOf(boxes), "000000000000");
}

TEST(CheckBoxTable, KeysAndDefaultsAsTheStoreHasThem) {
    const char* keys[] = {"Classic", "Left",        "All",        "Home",
                          "Insert",  "Page Layout", "References", "View",
                          "Review",  "Mailings",    "Developer",  "Hide built-in tabs"};
    for (int i = 0; i < kBoxCount; ++i) {
        EXPECT_EQ(kBoxes[static_cast<std::size_t>(i)].key, keys[i]) << i;
        EXPECT_EQ(kBoxes[static_cast<std::size_t>(i)].readDefault, i <= 2 ? 1 : 0) << i;
        if (i >= 3) {
            EXPECT_EQ(kBoxes[static_cast<std::size_t>(i)].key,
                      TextOf(Language::English, BoxCaption(i)))
                << i;
        }
    }
}

// Locks: "." an unlocked box, "0" or "1" a box locked in that state.
TEST(CheckBoxRules, LockedBoxesNeverChangeAndTheRulesGoRoundThem) {
    struct Case {
        const char* name;
        const char* start;
        const char* locks;
        int box;
        BoxState state;
        const char* end;
        bool changed;
    };
    const Case cases[] = {
        {"clearing box 0 clears the others but a locked one", "111111111111", "..1.........", 0,
         kCleared, "001000000000", true},
        {"clearing the hide switch leaves a locked tab box", "100100000001", "...1........", 11,
         kCleared, "100100000000", true},
        {"setting box 0 on an empty window sets only box 2 when box 1 is locked clear",
         "000000000000", ".0..........", 0, kSet, "101000000000", true},
        {"setting the hide switch skips locked tab boxes and box 3 against a locked box 1",
         "110000000000", ".1......0...", 11, kSet, "110011110111", true},
        {"a box changes under a master locked off, which stays off", "000000000000", "0...........",
         2, kSet, "001000000000", true},
        {"a tab box changes under a hide switch locked off", "100000000000", "...........0", 7,
         kSet, "100000010000", true},
        {"box 1 is not set against a locked Home", "100100000001", "...1........", 1, kSet,
         "100100000001", false},
        {"box 3 is not set against a locked box 1", "110000000000", ".1..........", 3, kSet,
         "110000000000", false},
        {"box 1 locked clear does not stop box 3", "100000000000", ".0..........", 3, kSet,
         "100100000000", true},
        {"a locked box itself does not change", "111000000000", "1...........", 0, kCleared,
         "111000000000", false},
        {"setting a locked box to its own state is no change", "111000000000", "1...........", 0,
         kSet, "111000000000", true},
    };
    for (const Case& c : cases) {
        CheckBoxes boxes(StatesOf(c.start));
        for (int i = 0; i < kBoxCount; ++i) {
            if (c.locks[i] != '.') {
                boxes.Lock(i, c.locks[i] == '1' ? kSet : kCleared);
                ASSERT_EQ(boxes.IsSet(i), c.locks[i] == '1') << c.name;
            }
        }
        EXPECT_EQ(boxes.Set(c.box, c.state), c.changed) << c.name;
        EXPECT_EQ(TextOf(boxes), c.end) << c.name;
        for (int i = 0; i < kBoxCount; ++i) {
            EXPECT_EQ(boxes.IsLocked(i), c.locks[i] != '.') << c.name << " box " << i;
        }
    }
}

TEST(CheckBoxRules, LockingShowsTheStateWithoutRunningTheRule) {
    Logged logged("000000000000");
    logged.boxes.Lock(kHomeBox, kSet);
    logged.boxes.Lock(kLeftBox, kCleared);
    EXPECT_EQ(logged.log, (std::vector<std::string>{"3=1"})) << "no rule ran, no change unshown";
    EXPECT_EQ(TextOf(logged.boxes), "000100000000");
    EXPECT_THROW(logged.boxes.Lock(kAllBox, 2), Error);
    EXPECT_FALSE(logged.boxes.IsLocked(kAllBox));
}

} // namespace
} // namespace tavlin::control
