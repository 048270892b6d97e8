#include "control/settings_form.h"

#include "common/convert.h"
#include "common/product.h"
#include "control/texts.h"

#include <string>
#include <vector>

namespace tavlin::control {
namespace {

// Line labels: a reported "at line" number must keep pointing at the same
// step, so these never move.
namespace initialize_line {
constexpr int kApplySkin = 100;
constexpr int kReadInstallation = 101;
constexpr int kCaptionAndIcon = 102;
constexpr int kReadPolicy = 103;
constexpr int kLoadClassic = 104;
constexpr int kLoadLeft = 106;
constexpr int kLoadAll = 108;
// 110 starts the loop over the tab boxes, which cannot fail by itself.
constexpr int kLoadTabBox = 112;
} // namespace initialize_line

namespace load_line {
constexpr int kCaption = 100;
constexpr int kCenter = 102;
constexpr int kTestHandPointer = 104;
constexpr int kLoadHandPointer = 106;
} // namespace load_line

namespace click_line {
constexpr int kChoose = 100;
constexpr int kSaveClassic = 104;
constexpr int kSaveLeft = 106;
constexpr int kSaveAll = 108;
// 110 starts the loop over the boxes 3 to 11.
constexpr int kSaveBox = 112;
constexpr int kTestClassic = 114;
constexpr int kEnable = 116;
constexpr int kDisable = 118;
constexpr int kStartWord = 120;
constexpr int kCloseOk = 122;
constexpr int kCloseCancel = 124;
} // namespace click_line

// The places of a window that policy leaves alone.
const MemoryPolicySource kNoPolicy;

// The note's line for a value a policy place holds for key and that is
// ignored: what is wrong with it, from the value as the place holds it.
std::string IgnoredPolicyLine(Language language, PolicyPlace place, std::string_view key,
                              const PolicyValue& value) {
    const bool computer = place == PolicyPlace::Computer;
    switch (value.kind) {
    case PolicyValue::Kind::String:
        return Format(TextOf(language, computer ? Text::ComputerPolicyText : Text::UserPolicyText),
                      {key, value.text});
    case PolicyValue::Kind::Dword:
        return Format(
            TextOf(language, computer ? Text::ComputerPolicyNumber : Text::UserPolicyNumber),
            {key, std::to_string(value.dword)});
    case PolicyValue::Kind::Other:
        break;
    }
    // The registry's own name for the type, untranslated, as regedit
    // shows it in every language.
    return Format(TextOf(language, computer ? Text::ComputerPolicyType : Text::UserPolicyType),
                  {key, value.typeName});
}

} // namespace

PointerLook PointerMoved(PointerLook current, PointerArea area) {
    switch (area) {
    case PointerArea::Website:
        return {true, true};
    case PointerArea::CheckBox:
    case PointerArea::Button:
        return {current.linkUnderlined, true};
    case PointerArea::WindowSurface:
    case PointerArea::Frame1:
        return {false, false};
    case PointerArea::Frame2:
        return {current.linkUnderlined, false};
    }
    return current;
}

SettingsForm::SettingsForm(SettingsStore& store, FormView& view, AddinSwitch& addin,
                           Language language)
    : SettingsForm(store, kNoPolicy, kNoPolicy, view, addin, language) {}

SettingsForm::SettingsForm(SettingsStore& store, const PolicySource& computerPolicy,
                           const PolicySource& userPolicy, FormView& view, AddinSwitch& addin,
                           Language language)
    : store_(store), computerPolicy_(computerPolicy), userPolicy_(userPolicy), view_(view),
      addin_(addin), language_(language) {
    boxes_.SetListener([this](int index, BoxState state) {
        // A box the user or a rule changed saves its new state.
        if (!boxes_.IsLocked(index)) {
            keptText_[static_cast<std::size_t>(index)].reset();
        }
        view_.ShowBox(index, state);
    });
}

void SettingsForm::ApplyPolicy(int index, std::vector<std::string>& ignored, bool& anyLocked) {
    const BoxInfo& box = kBoxes[static_cast<std::size_t>(index)];
    const PolicyDecision decision = DecidePolicy(computerPolicy_, userPolicy_, box.key);
    for (const IgnoredPolicy& place : decision.ignored) {
        // The decision says why in English; the note says it in the
        // user's language from the value itself.
        const PolicySource& source =
            place.place == PolicyPlace::Computer ? computerPolicy_ : userPolicy_;
        const std::optional<PolicyValue> value = source.PolicyRead(box.key);
        ignored.push_back(IgnoredPolicyLine(language_, place.place, box.key,
                                            value ? *value : PolicyValue::Other("")));
    }
    if (decision.value) {
        boxes_.Lock(index, static_cast<BoxState>(*decision.value));
        view_.LockBox(index);
        anyLocked = true;
        // OK writes this back rather than the policy's state, so the user's
        // own setting is there again when the policy goes.
        keptText_[static_cast<std::size_t>(index)] = store_.SettingsRead(box.key, box.readDefault);
    }
}

void SettingsForm::LoadBox(int index) {
    // A locked box shows the policy; what the user stored under its key
    // waits, unconverted, for the policy to go.
    if (boxes_.IsLocked(index)) {
        return;
    }
    const BoxInfo& box = kBoxes[static_cast<std::size_t>(index)];
    std::string text = store_.SettingsRead(box.key, box.readDefault);
    const BoxState state = ToInteger16(text);
    // A box the locks keep from showing what the user stored cannot change
    // later either; OK writes the user's text back, not the box.
    if (!boxes_.Set(index, state)) {
        keptText_[static_cast<std::size_t>(index)] = std::move(text);
    }
}

void SettingsForm::SaveBox(int index) {
    const auto at = static_cast<std::size_t>(index);
    store_.SettingsWrite(kBoxes[at].key,
                         keptText_[at] ? *keptText_[at] : std::to_string(boxes_.State(index)));
}

void SettingsForm::InitializeFromStore() noexcept {
    using namespace initialize_line;
    ErrorTrap trap(Handler::Initialize, view_, &probe_, language_);
    trap.Run(kApplySkin, [&] { view_.ApplySkin(); });
    bool machineWide = false;
    trap.Run(kReadInstallation, [&] { machineWide = addin_.MachineWide(); });
    trap.Run(kCaptionAndIcon, [&] {
        view_.SetCaption(kAppTitle);
        view_.SetProgramIcon();
    });
    // Locks first: loading runs the rules, which must meet the locked boxes
    // already in their places.
    std::vector<std::string> ignored;
    bool anyLocked = false;
    for (int i = 0; i < kBoxCount; ++i) {
        trap.Run(kReadPolicy, [&] { ApplyPolicy(i, ignored, anyLocked); });
    }
    // The lines that hold for the whole window first: the note shows two
    // before it scrolls.
    std::vector<std::string_view> lines;
    if (machineWide) {
        lines.push_back(TextOf(language_, Text::MachineWideNote));
    }
    if (anyLocked) {
        lines.push_back(TextOf(language_, Text::ManagedNote));
    }
    lines.insert(lines.end(), ignored.begin(), ignored.end());
    std::string note;
    for (const std::string_view line : lines) {
        if (!note.empty()) {
            note += '\n';
        }
        note += line;
    }
    trap.Run(kReadPolicy, [&] { view_.ShowPolicyNote(note); });
    trap.Run(kLoadClassic, [&] { LoadBox(kClassicBox); });
    trap.Run(kLoadLeft, [&] { LoadBox(kLeftBox); });
    trap.Run(kLoadAll, [&] { LoadBox(kAllBox); });
    for (int i = kFirstTabBox; i <= kLastTabBox; ++i) {
        trap.Run(kLoadTabBox, [&] { LoadBox(i); });
    }
}

void SettingsForm::PrepareToShow() noexcept {
    using namespace load_line;
    ErrorTrap trap(Handler::Load, view_, &probe_, language_);
    trap.Run(kCaption, [&] { view_.SetCaption(kAppTitle); });
    trap.Run(kCenter, [&] { view_.CenterForm(); });
    if (trap.Test(kTestHandPointer, [&] { return view_.HandPointerFileExists(); })) {
        trap.Run(kLoadHandPointer, [&] { view_.LoadHandPointer(); });
    }
}

void SettingsForm::PressButton(int index) noexcept {
    using namespace click_line;
    ErrorTrap trap(Handler::OkOrCancel, view_, &probe_, language_);
    int chosen = 0;
    trap.Run(kChoose, [&] { chosen = index; });
    if (chosen == kOkButton) {
        trap.Run(kSaveClassic, [&] { SaveBox(kClassicBox); });
        trap.Run(kSaveLeft, [&] { SaveBox(kLeftBox); });
        trap.Run(kSaveAll, [&] { SaveBox(kAllBox); });
        for (int i = kFirstTabBox; i < kBoxCount; ++i) {
            trap.Run(kSaveBox, [&] { SaveBox(i); });
        }
        // A switch reports each add-in it could not switch, and one box
        // each tells the user which. A locked box 0 holds the policy's
        // state, which is what the add-in will obey.
        const bool enable = trap.Test(kTestClassic, [&] { return boxes_.IsSet(kClassicBox); });
        const int label = enable ? kEnable : kDisable;
        std::vector<Error> failures;
        trap.Run(label, [&] { failures = enable ? addin_.EnableAddin() : addin_.DisableAddin(); });
        for (const Error& failure : failures) {
            trap.Report(label, failure);
        }
        trap.Run(kStartWord, [&] { addin_.StartWord(); });
        trap.Run(kCloseOk, [&] { view_.CloseWindow(); });
    } else if (chosen == kCancelButton) {
        trap.Run(kCloseCancel, [&] { view_.CloseWindow(); });
    }
}

void SettingsForm::ClickWebsite() {
    view_.OpenWebPage(kMakerWebAddress);
}

PointerLook SettingsForm::PointerMove(PointerArea area) {
    pointer_ = PointerMoved(pointer_, area);
    return pointer_;
}

} // namespace tavlin::control
