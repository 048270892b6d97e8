#include "control/settings_form.h"

#include "common/error.h"
#include "common/product.h"
#include "fake_switch_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tavlin::control {
namespace {

using Log = std::vector<std::string>;

// One log for everything the form does to the outside, in order.
struct FakeView final : FormView {
    explicit FakeView(Log& log) : log(log) {}
    void ShowErrorBox(std::string_view text, std::string_view title) override {
        log.push_back("box");
        boxTexts.emplace_back(text);
        EXPECT_EQ(title, expectedTitle);
    }
    void ApplySkin() override { log.push_back("skin"); }
    void SetCaption(std::string_view caption) override {
        log.push_back("caption " + std::string(caption));
    }
    void SetProgramIcon() override { log.push_back("icon"); }
    void CenterForm() override { log.push_back("center"); }
    bool HandPointerFileExists() override {
        log.push_back("hand?");
        return handFile;
    }
    void LoadHandPointer() override {
        log.push_back("hand");
        if (handBroken) {
            throw Error(ErrorCode::Platform, "Invalid picture");
        }
    }
    void ShowBox(int index, BoxState state) override { shown[index] = state; }
    void LockBox(int index) override { locked.insert(index); }
    void ShowPolicyNote(std::string_view text) override {
        note = text;
        if (!text.empty()) {
            log.push_back("note");
        }
    }
    void OpenWebPage(std::string_view target) override {
        log.push_back("open " + std::string(target));
    }
    void CloseWindow() override { log.push_back("close"); }

    Log& log;
    std::vector<std::string> boxTexts;
    std::map<int, BoxState> shown;
    std::set<int> locked;
    std::string note;
    std::string expectedTitle = "Application Error";
    bool handFile = false;
    bool handBroken = false;
};

struct FakeSwitch final : AddinSwitch {
    explicit FakeSwitch(Log& log) : log(log) {}
    std::vector<Error> EnableAddin() override {
        log.push_back("enable");
        if (failEnable) {
            throw Error(ErrorCode::Platform, "Access is denied.");
        }
        return enableFailures;
    }
    std::vector<Error> DisableAddin() override {
        log.push_back("disable");
        return disableFailures;
    }
    void StartWord() override {
        log.push_back("start word");
        if (failWord) {
            throw Error(ErrorCode::Platform, "No Word.");
        }
    }
    bool MachineWide() override {
        if (failMachineWide) {
            throw Error(ErrorCode::Platform, "Access is denied.");
        }
        return machineWide;
    }
    Log& log;
    bool failEnable = false;
    bool failWord = false;
    bool machineWide = false;
    bool failMachineWide = false;
    std::vector<Error> enableFailures;
    std::vector<Error> disableFailures;
};

// A store that logs writes and refuses the keys it is told to.
struct FakeStore final : SettingsStore {
    explicit FakeStore(Log& log) : log(log) {}
    std::string SettingsRead(std::string_view key, int defaultValue) const override {
        return memory.SettingsRead(key, defaultValue);
    }
    void SettingsWrite(std::string_view key, std::string_view text) override {
        log.push_back("write " + std::string(key) + "=" + std::string(text));
        if (refused.count(std::string(key)) != 0) {
            throw Error(ErrorCode::Platform, "Access is denied.");
        }
        memory.SettingsWrite(key, text);
    }
    Log& log;
    MemorySettingsStore memory;
    std::set<std::string> refused;
};

// A form over fakes that log what it does; a table test builds one a case.
struct FakeForm {
    FakeForm() = default;
    explicit FakeForm(Language language, std::string_view title)
        : form{store, computer, user, view, addin, language} {
        view.expectedTitle = title;
    }

    Log log;
    FakeView view{log};
    FakeSwitch addin{log};
    FakeStore store{log};
    MemoryPolicySource computer;
    MemoryPolicySource user;
    SettingsForm form{store, computer, user, view, addin};

    void Store(std::map<std::string, std::string> values) {
        for (const auto& [key, text] : values) {
            store.memory.SettingsWrite(key, text);
        }
    }
    std::string Boxes() const {
        std::string text;
        for (int i = 0; i < kBoxCount; ++i) {
            text += form.Boxes().IsSet(i) ? '1' : '0';
        }
        return text;
    }
    Log Writes() const {
        Log writes;
        for (const std::string& entry : log) {
            if (entry.rfind("write ", 0) == 0) {
                writes.push_back(entry);
            }
        }
        return writes;
    }
    void FailAt(Handler handler, int label) {
        form.SetStepProbe([handler, label](Handler h, int l) {
            if (h == handler && l == label) {
                throw Error::TypeMismatch();
            }
        });
    }
};

struct FormTest : ::testing::Test, FakeForm {};

std::string Box(const char* description, const char* handler, int label) {
    return std::string(description) + "\r\nin TavlinPanel2016/06/15.Form1." + handler +
           " at line " + std::to_string(label) + "\r\rPlease email screenshot of this message to " +
           std::string(kSupportEmail);
}

TEST_F(FormTest, InitializeAppliesTheSkinSetsCaptionAndIconThenLoads) {
    form.InitializeFromStore();
    EXPECT_EQ(log, (Log{"skin", "caption Tavlinar", "icon"}));
    EXPECT_EQ(Boxes(), "111000000000");
    // The window's controls follow the model.
    EXPECT_EQ(view.shown, (std::map<int, BoxState>{{0, 1}, {1, 1}, {2, 1}}));
}

TEST(FormLoading, StoredSettingsGiveTheseBoxes) {
    struct Case {
        const char* name;
        std::map<std::string, std::string> stored;
        const char* boxes;
    };
    const std::vector<Case> cases = {
        {"empty store", {}, "111000000000"},
        {"Classic 0 alone: Left's default sets box 0 again", {{"Classic", "0"}}, "111000000000"},
        {"everything off", {{"Classic", "0"}, {"Left", "0"}, {"All", "0"}}, "000000000000"},
        {"Review 1", {{"Review", "1"}}, "111000001001"},
        {"Review 1 whatever Classic holds",
         {{"Classic", "0"}, {"Left", "0"}, {"All", "0"}, {"Review", "1"}},
         "100000001001"},
        {"Home 1 clears box 1 although Left is 1", {{"Left", "1"}, {"Home", "1"}}, "101100000000"},
        {"the hide switch is not read", {{"Hide built-in tabs", "1"}}, "111000000000"},
        {"keys compare without case", {{"PAGE LAYOUT", "1"}, {"left", "0"}}, "101001000001"},
        {"numbers as the conversion reads them",
         {{"Classic", " 1 "}, {"Left", "0.4"}, {"All", "1e0"}, {"Mailings", "+1"}},
         "101000000101"},
        {"all tab boxes",
         {{"Home", "1"},
          {"Insert", "1"},
          {"Page Layout", "1"},
          {"References", "1"},
          {"View", "1"},
          {"Review", "1"},
          {"Mailings", "1"},
          {"Developer", "1"}},
         "101111111111"},
    };
    for (const Case& c : cases) {
        FakeForm f;
        f.Store(c.stored);
        f.form.InitializeFromStore();
        EXPECT_EQ(f.Boxes(), c.boxes) << c.name;
        EXPECT_TRUE(f.view.boxTexts.empty()) << c.name;
    }
}

TEST(FormLoading, ABadStoredValueCostsOneBoxAndLeavesItsBoxAsItWas) {
    struct Case {
        std::map<std::string, std::string> stored;
        const char* description;
        int label;
        const char* boxes;
    };
    const std::vector<Case> cases = {
        {{{"Left", "x"}}, "Type mismatch", 106, "111000000000"},
        {{{"Classic", "0"}, {"Left", "x"}, {"All", "0"}}, "Type mismatch", 106, "000000000000"},
        {{{"Classic", "0"}, {"Left", "2"}, {"All", "0"}},
         "Invalid property value",
         106,
         "000000000000"},
        {{{"Classic", "0"}, {"Left", "-1"}, {"All", "0"}},
         "Invalid property value",
         106,
         "000000000000"},
        {{{"Classic", "0"}, {"Left", "32768"}, {"All", "0"}}, "Overflow", 106, "000000000000"},
        {{{"Classic", ""}}, "Type mismatch", 104, "111000000000"},
        {{{"All", "yes"}, {"Classic", "0"}, {"Left", "0"}}, "Type mismatch", 108, "000000000000"},
        // The loop goes on with the next tab box.
        {{{"Insert", "abc"}, {"Page Layout", "1"}}, "Type mismatch", 112, "111001000001"},
        {{{"Developer", "1.5e9"}, {"Home", "1"}}, "Overflow", 112, "101100000000"},
    };
    for (const Case& c : cases) {
        FakeForm f;
        f.Store(c.stored);
        f.form.InitializeFromStore();
        EXPECT_EQ(f.Boxes(), c.boxes) << c.label;
        EXPECT_EQ(f.view.boxTexts, (Log{Box(c.description, "Form_Initialize", c.label)}));
    }
}

TEST_F(FormTest, SeveralBadValuesShowOneBoxEachInStepOrder) {
    Store({{"Developer", "d"}, {"Classic", "a"}, {"Home", "c"}, {"Left", "b"}});
    form.InitializeFromStore();
    EXPECT_EQ(view.boxTexts, (Log{Box("Type mismatch", "Form_Initialize", 104),
                                  Box("Type mismatch", "Form_Initialize", 106),
                                  Box("Type mismatch", "Form_Initialize", 112),
                                  Box("Type mismatch", "Form_Initialize", 112)}));
    // "All" still loads and sets box 0 through its rule.
    EXPECT_EQ(Boxes(), "101000000000");
}

TEST_F(FormTest, AFailingSkinOrCaptionStepDoesNotStopTheLoading) {
    form.SetStepProbe([](Handler h, int label) {
        if (h == Handler::Initialize && (label == 100 || label == 102)) {
            throw Error::ObjectNotSet();
        }
    });
    form.InitializeFromStore();
    EXPECT_EQ(view.boxTexts, (Log{Box("Object variable not set", "Form_Initialize", 100),
                                  Box("Object variable not set", "Form_Initialize", 102)}));
    EXPECT_EQ(Boxes(), "111000000000");
}

TEST_F(FormTest, LoadCentresAndLooksForTheHandPointer) {
    form.PrepareToShow();
    EXPECT_EQ(log, (Log{"caption Tavlinar", "center", "hand?"}));
    log.clear();
    view.handFile = true;
    form.PrepareToShow();
    EXPECT_EQ(log, (Log{"caption Tavlinar", "center", "hand?", "hand"}));
}

TEST_F(FormTest, LoadReportsABrokenHandPointerAtLine106) {
    view.handFile = true;
    view.handBroken = true;
    form.PrepareToShow();
    EXPECT_EQ(view.boxTexts, (Log{Box("Invalid picture", "Form_Load", 106)}));
}

TEST_F(FormTest, AFailingTestOfTheHandPointerFileLoadsThePointer) {
    FailAt(Handler::Load, 104);
    form.PrepareToShow();
    EXPECT_EQ(log, (Log{"caption Tavlinar", "center", "box", "hand"}));
    EXPECT_EQ(view.boxTexts, (Log{Box("Type mismatch", "Form_Load", 104)}));
}

TEST_F(FormTest, FirstRunOkWritesTwelveValuesInBoxOrderThenSwitchesOnAndStartsWord) {
    form.InitializeFromStore();
    log.clear();
    form.PressButton(kOkButton);
    EXPECT_EQ(log, (Log{"write Classic=1", "write Left=1", "write All=1", "write Home=0",
                        "write Insert=0", "write Page Layout=0", "write References=0",
                        "write View=0", "write Review=0", "write Mailings=0", "write Developer=0",
                        "write Hide built-in tabs=0", "enable", "start word", "close"}));
    EXPECT_TRUE(view.boxTexts.empty());
}

TEST_F(FormTest, SettingPageLayoutAndOkStoresItWithTheHideSwitch) {
    form.InitializeFromStore();
    form.ClickBox(5);
    log.clear();
    form.PressButton(kOkButton);
    EXPECT_EQ(Writes(), (Log{"write Classic=1", "write Left=1", "write All=1", "write Home=0",
                             "write Insert=0", "write Page Layout=1", "write References=0",
                             "write View=0", "write Review=0", "write Mailings=0",
                             "write Developer=0", "write Hide built-in tabs=1"}));
    EXPECT_EQ(store.memory.SettingsRead("Hide built-in Tabs", 0), "1");
}

TEST_F(FormTest, OkWithBox0ClearedSwitchesOff) {
    form.InitializeFromStore();
    form.ClickBox(0);
    log.clear();
    form.PressButton(kOkButton);
    ASSERT_EQ(log.size(), 15u);
    EXPECT_EQ(log[0], "write Classic=0");
    EXPECT_EQ(Log(log.end() - 3, log.end()), (Log{"disable", "start word", "close"}));
    for (const auto& [key, text] : store.memory.values()) {
        EXPECT_EQ(text, "0") << key;
    }
}

TEST_F(FormTest, CancelWritesNothingAndSwitchesNothing) {
    form.InitializeFromStore();
    form.ClickBox(0);
    form.ClickBox(7);
    log.clear();
    form.PressButton(kCancelButton);
    EXPECT_EQ(log, (Log{"close"}));
    EXPECT_TRUE(store.memory.values().empty());
}

TEST_F(FormTest, ButtonsOtherThanOkAndCancelDoNothing) {
    for (int index : {0, 3, -1}) {
        form.PressButton(index);
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(FormTest, AFailingTestOfBox0SwitchesOnAndStartsWord) {
    Store({{"Classic", "0"}, {"Left", "0"}, {"All", "0"}});
    form.InitializeFromStore();
    ASSERT_FALSE(form.Boxes().IsSet(0));
    FailAt(Handler::OkOrCancel, 114);
    log.clear();
    form.PressButton(kOkButton);
    EXPECT_EQ(Log(log.end() - 4, log.end()), (Log{"box", "enable", "start word", "close"}));
    EXPECT_EQ(view.boxTexts, (Log{Box("Type mismatch", "PushButton22_Click", 114)}));
}

TEST_F(FormTest, ARefusedWriteInTheLoopGoesOnWithTheNextBox) {
    store.refused = {"Page Layout"};
    form.InitializeFromStore();
    log.clear();
    form.PressButton(kOkButton);
    EXPECT_EQ(view.boxTexts, (Log{Box("Access is denied.", "PushButton22_Click", 112)}));
    EXPECT_EQ(Writes().size(), 12u);
    EXPECT_EQ(store.memory.values().size(), 11u);
    EXPECT_EQ(Log(log.end() - 3, log.end()), (Log{"enable", "start word", "close"}));
}

TEST_F(FormTest, SeveralFailuresDuringOkShowOneBoxEachInStepOrder) {
    store.refused = {"Classic", "All", "Developer"};
    addin.failEnable = true;
    form.InitializeFromStore();
    form.PressButton(kOkButton);
    EXPECT_EQ(view.boxTexts, (Log{Box("Access is denied.", "PushButton22_Click", 104),
                                  Box("Access is denied.", "PushButton22_Click", 108),
                                  Box("Access is denied.", "PushButton22_Click", 112),
                                  Box("Access is denied.", "PushButton22_Click", 116)}));
    EXPECT_EQ(Log(log.end() - 2, log.end()), (Log{"start word", "close"}));
}

TEST_F(FormTest, EveryOkStepReportsItsOwnLabel) {
    // The label each step reports when it is the one that fails.
    for (int label : {100, 104, 106, 108, 112, 116, 120, 122}) {
        Log local;
        FakeView v(local);
        FakeSwitch s(local);
        FakeStore st(local);
        SettingsForm f(st, v, s);
        f.InitializeFromStore();
        f.SetStepProbe([label](Handler h, int l) {
            if (h == Handler::OkOrCancel && l == label) {
                throw Error::Overflow();
            }
        });
        f.PressButton(kOkButton);
        EXPECT_EQ(v.boxTexts.size(), label == 112 ? 9u : 1u) << label;
        if (!v.boxTexts.empty()) {
            EXPECT_EQ(v.boxTexts[0], Box("Overflow", "PushButton22_Click", label));
        }
    }
    FailAt(Handler::OkOrCancel, 124);
    form.PressButton(kCancelButton);
    EXPECT_EQ(view.boxTexts, (Log{Box("Type mismatch", "PushButton22_Click", 124)}));
}

TEST_F(FormTest, EachAddinTheSwitchCouldNotSwitchCostsOneBox) {
    addin.enableFailures = {Error(ErrorCode::Platform, "The add-in A could not be switched on."),
                            Error(ErrorCode::Platform, "The add-in B could not be switched on.")};
    addin.disableFailures = {Error(ErrorCode::Platform, "C could not be switched off.")};
    form.InitializeFromStore();
    form.PressButton(kOkButton);
    EXPECT_EQ(view.boxTexts,
              (Log{Box("The add-in A could not be switched on.", "PushButton22_Click", 116),
                   Box("The add-in B could not be switched on.", "PushButton22_Click", 116)}));
    // OK goes on after the boxes: Word, then the window closes.
    EXPECT_EQ(Log(log.end() - 2, log.end()), (Log{"start word", "close"}));

    view.boxTexts.clear();
    form.ClickBox(0);
    form.PressButton(kOkButton);
    EXPECT_EQ(view.boxTexts, (Log{Box("C could not be switched off.", "PushButton22_Click", 118)}));
}

TEST_F(FormTest, WordThatCannotStartIsReportedAtLine120AndTheWindowStillCloses) {
    addin.failWord = true;
    form.InitializeFromStore();
    form.PressButton(kOkButton);
    EXPECT_EQ(view.boxTexts, (Log{Box("No Word.", "PushButton22_Click", 120)}));
    EXPECT_EQ(log.back(), "close");
}

// The whole of OK over a fake system: what the user is shown and what is
// left in the registry.
struct OkOverFakeSystem : ::testing::Test {
    Log log;
    FakeView view{log};
    FakeStore store{log};
    testing::FakeSwitchPlatform platform;
    PlatformAddinSwitch addin{platform};
    SettingsForm form{store, view, addin};
    const std::string dll32 = "C:\\Program Files\\Tavlin\\TavlinAddin.dll";
    const std::string dll64 = "C:\\Program Files\\Tavlin\\x64\\TavlinAddin.dll";
    const std::string addinKey = "HKCU\\" + std::string(kWordAddinKey);

    // installFolder: what a machine-wide installation's package recorded.
    explicit OkOverFakeSystem(std::optional<std::string> installFolder = std::nullopt) {
        platform.strings[testing::FakeSwitchPlatform::Name(
            RegistryRoot::LocalMachine, kWordAppPathKey, "")] = "C:\\Office\\WINWORD.EXE";
        if (installFolder) {
            platform.strings[testing::FakeSwitchPlatform::Name(
                RegistryRoot::LocalMachine64, kMachineInstallKey, kMachineInstallFolderValue)] =
                *installFolder;
        }
        form.InitializeFromStore();
    }
    std::string NotLoaded(const std::string& file) const {
        return Box(("The add-in " + file +
                    " could not be switched on. The file is missing or cannot be loaded (regsvr32 "
                    "exit code 3).")
                       .c_str(),
                   "PushButton22_Click", 116);
    }
    bool WordStarted() const {
        return !platform.log.empty() && platform.log.back().rfind("start C:\\Office", 0) == 0;
    }
};

TEST_F(OkOverFakeSystem, OneAddinFailingShowsOneBoxAndTheOtherIsListed) {
    platform.runs[dll64] = {ToolRun::Outcome::Ended, 3, {}};
    form.PressButton(kOkButton);
    EXPECT_EQ(view.boxTexts, (Log{NotLoaded(dll64)}));
    EXPECT_EQ(platform.keys.count(addinKey), 1u);
    EXPECT_TRUE(WordStarted());
    EXPECT_EQ(log.back(), "close");
}

TEST_F(OkOverFakeSystem, BothFailingShowTwoBoxesAndListNothing) {
    platform.runs[dll32] = {ToolRun::Outcome::Ended, 3, {}};
    platform.runs[dll64] = {ToolRun::Outcome::Ended, 3, {}};
    form.PressButton(kOkButton);
    EXPECT_EQ(view.boxTexts, (Log{NotLoaded(dll32), NotLoaded(dll64)}));
    EXPECT_EQ(platform.keys.count(addinKey), 0u);
    EXPECT_TRUE(WordStarted());
}

TEST_F(OkOverFakeSystem, AMissingToolIsNamedInTheBox) {
    const ToolRun missing{ToolRun::Outcome::NotStarted, 0, "File not found."};
    platform.runs[dll32] = missing;
    platform.runs[dll64] = missing;
    form.ClickBox(0);
    platform.keys.insert(addinKey);
    form.PressButton(kOkButton);
    EXPECT_EQ(view.boxTexts,
              (Log{Box(("The add-in " + dll32 +
                        " could not be switched off. C:\\Windows\\SysWOW64\\regsvr32.exe "
                        "could not be started: File not found.")
                           .c_str(),
                       "PushButton22_Click", 118),
                   Box(("The add-in " + dll64 +
                        " could not be switched off. C:\\Windows\\System32\\regsvr32.exe "
                        "could not be started: File not found.")
                           .c_str(),
                       "PushButton22_Click", 118)}));
    EXPECT_EQ(platform.keys.count(addinKey), 1u) << "nothing was unregistered";
    EXPECT_TRUE(WordStarted());
}

TEST_F(OkOverFakeSystem, NoWordRegisteredIsReportedAtLine120) {
    platform.strings.clear();
    form.PressButton(kOkButton);
    EXPECT_EQ(view.boxTexts,
              (Log{Box("Microsoft Word could not be started: no Word is registered on this "
                       "computer.",
                       "PushButton22_Click", 120)}));
    EXPECT_EQ(log.back(), "close");
}

// A machine-wide installation: the package wrote its marker for the folder
// the fake Tavlinar runs from.
struct MachineWideOk : OkOverFakeSystem {
    MachineWideOk() : OkOverFakeSystem("C:\\Program Files\\Tavlin\\") {}
    // Everything the switch did to the system but read it.
    Log Changes() const {
        Log changes;
        for (const std::string& entry : platform.log) {
            if (entry.rfind("list ", 0) != 0 && entry.rfind("start ", 0) != 0) {
                changes.push_back(entry);
            }
        }
        return changes;
    }
};

TEST_F(MachineWideOk, TheSettingAloneSwitchesTheClassicTabForThisUser) {
    EXPECT_EQ(view.note, "Tavlin is installed for all users of this computer.");
    platform.keys.insert(addinKey); // from an earlier per-user installation
    for (const bool on : {true, false}) {
        if (!on) {
            form.ClickBox(kClassicBox);
        }
        platform.log.clear();
        form.PressButton(kOkButton);
        EXPECT_TRUE(view.boxTexts.empty()) << on;
        EXPECT_EQ(Changes(), Log{}) << on;
        EXPECT_EQ(store.memory.SettingsRead("Classic", 9), on ? "1" : "0");
        EXPECT_EQ(platform.keys, std::set<std::string>{addinKey}) << on;
        EXPECT_TRUE(platform.dwords.empty()) << on;
        EXPECT_TRUE(WordStarted()) << on;
        EXPECT_EQ(log.back(), "close");
    }
}

TEST(FormInstallation, TheNoteSaysSoOnlyInAMachineWideInstallationAndPolicyFollows) {
    const std::string wide = "Tavlin is installed for all users of this computer.";
    const std::string managed = "Some settings are managed by your administrator.";
    const std::string ignored =
        "The computer policy for \"Left\" is ignored: the text \"yes\" is not 0 or 1.";
    struct Case {
        bool machineWide;
        std::map<std::string, PolicyValue> computer;
        std::string note;
    };
    const std::vector<Case> cases = {
        {false, {}, ""},
        {true, {}, wide},
        {true, {{"Home", PolicyValue::Dword(1)}}, wide + "\n" + managed},
        {true, {{"Left", PolicyValue::String("yes")}}, wide + "\n" + ignored},
        {true,
         {{"Home", PolicyValue::Dword(1)}, {"Left", PolicyValue::String("yes")}},
         wide + "\n" + managed + "\n" + ignored},
        {false,
         {{"Home", PolicyValue::Dword(1)}, {"Left", PolicyValue::String("yes")}},
         managed + "\n" + ignored},
    };
    for (const Case& c : cases) {
        FakeForm f;
        f.addin.machineWide = c.machineWide;
        for (const auto& [key, value] : c.computer) {
            f.computer.Put(key, value);
        }
        f.form.InitializeFromStore();
        EXPECT_EQ(f.view.note, c.note);
        EXPECT_TRUE(f.view.boxTexts.empty()) << c.note;
        // Nothing else in the window changes with it.
        FakeForm perUser;
        for (const auto& [key, value] : c.computer) {
            perUser.computer.Put(key, value);
        }
        perUser.form.InitializeFromStore();
        EXPECT_EQ(f.Boxes(), perUser.Boxes()) << c.note;
        EXPECT_EQ(f.view.locked, perUser.view.locked) << c.note;
    }
}

// Only what the window says changes with the language: OK writes the same
// twelve keys, whatever the boxes' captions read.
TEST(FormLanguages, OkWritesTheSameTwelveKeysInEveryLanguage) {
    const Log expected = {
        "write Classic=1",    "write Left=0",      "write All=1",
        "write Home=1",       "write Insert=0",    "write Page Layout=1",
        "write References=0", "write View=0",      "write Review=0",
        "write Mailings=0",   "write Developer=0", "write Hide built-in tabs=1",
    };
    for (const Language language : kAllLanguages) {
        FakeForm f(language, ErrorBoxTitle(language));
        f.form.InitializeFromStore();
        f.form.ClickBox(kHomeBox);
        f.form.ClickBox(5); // Page Layout
        f.form.PressButton(kOkButton);
        EXPECT_EQ(f.Writes(), expected) << LocaleName(language);
        EXPECT_TRUE(f.view.boxTexts.empty()) << LocaleName(language);
    }
}

TEST(FormLanguages, TheNoteAndTheErrorBoxesSpeakTheUsersLanguage) {
    struct Case {
        Language language;
        const char* note;
        const char* box;
    };
    const Case cases[] = {
        {Language::German,
         "Tavlin ist für alle Benutzer dieses Computers installiert.\n"
         "Einige Einstellungen werden von Ihrem Administrator verwaltet.\n"
         "Die Computerrichtlinie für „Left“ wird ignoriert: Der Text „yes“ ist nicht 0 oder 1.\n"
         "Die Benutzerrichtlinie für „All“ wird ignoriert: Ein Wert vom Typ REG_BINARY ist weder "
         "REG_DWORD noch REG_SZ.",
         "Typen unverträglich\r\nin TavlinPanel2016/06/15.Form1.Form_Load in Zeile 102\r\r"
         "Bitte senden Sie einen Screenshot dieser Meldung per E-Mail an support@drevalo.example"},
        {Language::Russian,
         "Tavlin установлен для всех пользователей этого компьютера.\n"
         "Некоторые параметры задаются администратором.\n"
         "Политика компьютера для «Left» не учитывается: текст «yes» не равен 0 или 1.\n"
         "Политика пользователя для «All» не учитывается: значение типа REG_BINARY не является "
         "ни REG_DWORD, ни REG_SZ.",
         "Несоответствие типа\r\nв TavlinPanel2016/06/15.Form1.Form_Load, строка 102\r\r"
         "Отправьте снимок экрана с этим сообщением по электронной почте на адрес "
         "support@drevalo.example"},
    };
    for (const Case& c : cases) {
        FakeForm f(c.language, ErrorBoxTitle(c.language));
        f.addin.machineWide = true;
        f.computer.Put("Home", PolicyValue::Dword(1));
        f.computer.Put("Left", PolicyValue::String("yes"));
        f.user.Put("All", PolicyValue::Other("REG_BINARY"));
        f.FailAt(Handler::Load, 102);
        f.form.InitializeFromStore();
        f.form.PrepareToShow();
        EXPECT_EQ(f.view.note, c.note) << LocaleName(c.language);
        EXPECT_EQ(f.view.boxTexts, Log{c.box}) << LocaleName(c.language);
    }
}

TEST(FormInstallation, AnInstallationThatCannotBeReadIsReportedAtLine101AndTheWindowLoads) {
    FakeForm f;
    f.addin.failMachineWide = true;
    f.form.InitializeFromStore();
    EXPECT_EQ(f.view.boxTexts, (Log{Box("Access is denied.", "Form_Initialize", 101)}));
    EXPECT_EQ(f.view.note, "");
    EXPECT_EQ(f.Boxes(), "111000000000");
}

TEST_F(FormTest, TheWebsiteLinkOpensTheMakersAddress) {
    form.ClickWebsite();
    EXPECT_EQ(log, (Log{"open " + std::string(kMakerWebAddress)}));
}

TEST(PointerRules, WhatEachAreaDoesToTheLinkAndThePointer) {
    const PointerLook offArrow{false, false};
    const PointerLook onHand{true, true};
    struct Case {
        PointerArea area;
        PointerLook fromOff;
        PointerLook fromOn;
    };
    const Case cases[] = {
        {PointerArea::Website, {true, true}, {true, true}},
        {PointerArea::CheckBox, {false, true}, {true, true}},
        {PointerArea::Button, {false, true}, {true, true}},
        {PointerArea::WindowSurface, {false, false}, {false, false}},
        {PointerArea::Frame1, {false, false}, {false, false}},
        {PointerArea::Frame2, {false, false}, {true, false}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PointerMoved(offArrow, c.area), c.fromOff) << static_cast<int>(c.area);
        EXPECT_EQ(PointerMoved(onHand, c.area), c.fromOn) << static_cast<int>(c.area);
    }
}

TEST_F(FormTest, ThePointerStateFollowsTheMoves) {
    EXPECT_EQ(form.PointerMove(PointerArea::Website), (PointerLook{true, true}));
    EXPECT_EQ(form.PointerMove(PointerArea::Frame2), (PointerLook{true, false}));
    EXPECT_EQ(form.PointerMove(PointerArea::Button), (PointerLook{true, true}));
    EXPECT_EQ(form.PointerMove(PointerArea::Frame1), (PointerLook{false, false}));
    EXPECT_EQ(form.Pointer(), (PointerLook{false, false}));
}

// The window under policy: locks, what it says, and what OK stores and
// switches. Policy values here are REG_DWORD unless a case says otherwise.
TEST(FormPolicy, LocksNotesAndWhatOkDoes) {
    struct Case {
        const char* name;
        std::map<std::string, PolicyValue> computer;
        std::map<std::string, PolicyValue> user;
        std::map<std::string, std::string> stored;
        const char* boxes;
        std::set<int> locked;
        std::string note;
        const char* switched;
        // What OK writes, key by key: the boxes, but the user's own text
        // (or the default) where policy kept a box from showing it.
        const char* written;
    };
    const std::string managed = "Some settings are managed by your administrator.";
    const std::vector<Case> cases = {
        {"no policy: as ever", {}, {}, {}, "111000000000", {}, "", "enable", "111000000000"},
        {"Classic locked off: the boxes keep the user's choices, OK switches off",
         {{"Classic", PolicyValue::Dword(0)}},
         {},
         {{"Review", "1"}},
         "011000001001",
         {0},
         managed,
         "disable",
         "111000001001"},
        {"Classic locked on over the user's off",
         {{"Classic", PolicyValue::String("1")}},
         {},
         {{"Classic", "0"}, {"Left", "0"}, {"All", "0"}},
         "100000000000",
         {0},
         managed,
         "enable",
         "000000000000"},
        {"computer over user",
         {{"All", PolicyValue::Dword(0)}},
         {{"All", PolicyValue::Dword(1)}, {"left", PolicyValue::Dword(0)}},
         {},
         "100000000000",
         {1, 2},
         managed,
         "enable",
         "111000000000"},
        {"Home locked hidden: Left cannot be set, so it loads cleared and keeps its text",
         {{"Home", PolicyValue::Dword(1)}},
         {},
         {{"Left", "1"}},
         "101100000000",
         {3},
         managed,
         "enable",
         "111000000000"},
        {"the hide switch locked off: tab boxes keep the user's choices",
         {},
         {{"Hide built-in tabs", PolicyValue::Dword(0)}},
         {{"View", "1"}},
         "111000010000",
         {11},
         managed,
         "enable",
         "111000010000"},
        {"an unusable value is named and locks nothing",
         {{"Left", PolicyValue::String("yes")}},
         {{"Left", PolicyValue::Other("REG_BINARY")}},
         {{"Left", "0"}},
         "101000000000",
         {},
         "The computer policy for \"Left\" is ignored: the text \"yes\" is not 0 or 1.\n"
         "The user policy for \"Left\" is ignored: a value of type REG_BINARY is neither "
         "REG_DWORD nor REG_SZ.",
         "enable",
         "101000000000"},
        {"an unusable computer value gives way to the user policy, and says so",
         {{"All", PolicyValue::Dword(7)}},
         {{"All", PolicyValue::Dword(0)}},
         {},
         "110000000000",
         {2},
         managed + "\nThe computer policy for \"All\" is ignored: the number 7 is not 0 or 1.",
         "enable",
         "111000000000"},
    };
    for (const Case& c : cases) {
        FakeForm f;
        for (const auto& [key, value] : c.computer) {
            f.computer.Put(key, value);
        }
        for (const auto& [key, value] : c.user) {
            f.user.Put(key, value);
        }
        f.Store(c.stored);
        f.form.InitializeFromStore();
        EXPECT_EQ(f.Boxes(), c.boxes) << c.name;
        EXPECT_EQ(f.view.locked, c.locked) << c.name;
        EXPECT_EQ(f.view.note, c.note) << c.name;
        EXPECT_TRUE(f.view.boxTexts.empty()) << c.name;
        for (const int box : c.locked) {
            f.form.ClickBox(box);
        }
        EXPECT_EQ(f.Boxes(), c.boxes) << c.name << ": a click changed a locked box";

        f.log.clear();
        f.form.PressButton(kOkButton);
        // The twelve writes, in order.
        Log writes;
        for (int i = 0; i < kBoxCount; ++i) {
            writes.push_back("write " + std::string(kBoxes[static_cast<std::size_t>(i)].key) + "=" +
                             c.written[i]);
        }
        EXPECT_EQ(f.Writes(), writes) << c.name;
        EXPECT_NE(std::find(f.log.begin(), f.log.end(), c.switched), f.log.end()) << c.name;
    }
}

TEST(FormPolicy, AfterOkUnderPolicyTheUsersOwnSettingsComeBackWhenItGoes) {
    const std::map<std::string, std::string> own = {
        {"Classic", "1"}, {"Left", "1"}, {"All", "0"}, {"Review", "1"}};
    FakeForm withPolicy;
    withPolicy.Store(own);
    withPolicy.computer.Put("Classic", PolicyValue::Dword(0));
    withPolicy.computer.Put("Home", PolicyValue::Dword(1));
    withPolicy.user.Put("Hide built-in tabs", PolicyValue::Dword(0));
    withPolicy.form.InitializeFromStore();
    withPolicy.form.PressButton(kOkButton);

    FakeForm before;
    before.Store(own);
    before.form.InitializeFromStore();
    FakeForm after;
    after.store.memory = withPolicy.store.memory;
    after.form.InitializeFromStore();
    EXPECT_EQ(after.Boxes(), before.Boxes());
    EXPECT_EQ(after.store.memory.SettingsRead("Classic", 0), "1");
}

TEST(FormPolicy, ALockedKeysBadStoredValueCostsNoBoxAndIsKept) {
    FakeForm f;
    f.computer.Put("Left", PolicyValue::Dword(1));
    f.Store({{"Left", "x"}});
    f.form.InitializeFromStore();
    EXPECT_TRUE(f.view.boxTexts.empty());
    EXPECT_EQ(f.Boxes(), "111000000000");
    f.form.PressButton(kOkButton);
    EXPECT_TRUE(f.view.boxTexts.empty());
    EXPECT_EQ(f.store.memory.SettingsRead("Left", 1), "x");
}

TEST(FormPolicy, APolicyPlaceThatCannotBeReadIsReportedAndLocksNothing) {
    struct Unreadable final : PolicySource {
        std::optional<PolicyValue> PolicyRead(std::string_view) const override {
            throw Error(ErrorCode::Platform, "Access is denied.");
        }
    } unreadable;
    Log log;
    FakeView view{log};
    FakeSwitch addin{log};
    FakeStore store{log};
    MemoryPolicySource none;
    SettingsForm form{store, unreadable, none, view, addin};
    form.InitializeFromStore();
    ASSERT_EQ(view.boxTexts.size(), static_cast<std::size_t>(kBoxCount));
    EXPECT_EQ(view.boxTexts[0], Box("Access is denied.", "Form_Initialize", 103));
    EXPECT_TRUE(view.locked.empty());
    EXPECT_EQ(form.Boxes().IsSet(kClassicBox), true);
}

} // namespace
} // namespace tavlin::control
