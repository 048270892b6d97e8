// The settings window as a model: its handlers, the boxes and the pointer
// rules. The Win32 window only forwards events here and shows the results
// through FormView, so all of this is tested without a window.
#pragma once

#include "common/language.h"
#include "common/policy.h"
#include "common/settings_store.h"
#include "control/boxes.h"
#include "control/error_trap.h"
#include "control/switching.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin::control {

// What the handlers need of the real window and the platform.
class FormView : public ErrorBoxView {
public:
    virtual void ApplySkin() = 0;
    virtual void SetCaption(std::string_view caption) = 0;
    virtual void SetProgramIcon() = 0;
    virtual void CenterForm() = 0;
    [[nodiscard]] virtual bool HandPointerFileExists() = 0;
    // Throws when the file exists but cannot be loaded as a pointer.
    virtual void LoadHandPointer() = 0;
    virtual void ShowBox(int index, BoxState state) = 0;
    // The box shows the policy's state and the user cannot change it.
    virtual void LockBox(int index) = 0;
    // What the window says below the boxes, one line each: that Tavlin is
    // installed for every user, then what policy does. Nothing shown when
    // text is empty.
    virtual void ShowPolicyNote(std::string_view text) = 0;
    // The shell's default action on target, this window as owner.
    virtual void OpenWebPage(std::string_view target) = 0;
    virtual void CloseWindow() = 0;
};

inline constexpr int kOkButton = 1;
inline constexpr int kCancelButton = 2;

// Where the pointer moved, and what that leaves the link and the pointer as.
enum class PointerArea { Website, CheckBox, Button, WindowSurface, Frame1, Frame2 };
struct PointerLook {
    bool linkUnderlined = false;
    bool handPointer = false;
    bool operator==(const PointerLook&) const = default;
};
[[nodiscard]] PointerLook PointerMoved(PointerLook current, PointerArea area);

class SettingsForm {
public:
    // Without policy: every box is the user's.
    SettingsForm(SettingsStore& store, FormView& view, AddinSwitch& addin,
                 Language language = Language::English);
    // store is the user's own; the policy places lock the boxes they set.
    // What the form says (its notes, its error boxes) is in language.
    SettingsForm(SettingsStore& store, const PolicySource& computerPolicy,
                 const PolicySource& userPolicy, FormView& view, AddinSwitch& addin,
                 Language language = Language::English);
    SettingsForm(const SettingsForm&) = delete;
    SettingsForm& operator=(const SettingsForm&) = delete;

    // The three trapping handlers: never throw, report each failing step.
    // At creation: the look, the kind of installation, the caption and
    // icon, the boxes policy locks, the other boxes from the store.
    void InitializeFromStore() noexcept;
    // Before the window is first shown: caption, centring, hand pointer.
    void PrepareToShow() noexcept;
    // OK (kOkButton): store, switch the add-in, start Word, close; a key
    // the window could not show as stored keeps the user's own text. Cancel
    // (kCancelButton): close.
    void PressButton(int index) noexcept;

    // A click on a box (mouse or Space). Untrapped, as in the window: the
    // caller's guard handles what cannot happen here.
    void ClickBox(int index) { (void)boxes_.Toggle(index); }
    void ClickWebsite();
    PointerLook PointerMove(PointerArea area);

    [[nodiscard]] const CheckBoxes& Boxes() const { return boxes_; }
    [[nodiscard]] PointerLook Pointer() const { return pointer_; }

    // Tests fail chosen steps through this.
    void SetStepProbe(ErrorTrap::Probe probe) { probe_ = std::move(probe); }

private:
    void LoadBox(int index);
    void SaveBox(int index);
    void ApplyPolicy(int index, std::vector<std::string>& ignored, bool& anyLocked);

    SettingsStore& store_;
    const PolicySource& computerPolicy_;
    const PolicySource& userPolicy_;
    FormView& view_;
    AddinSwitch& addin_;
    Language language_;
    CheckBoxes boxes_;
    // Under each key the window cannot show as stored (locked, or kept
    // from its state by a locked box), the user's own text as found.
    std::array<std::optional<std::string>, kBoxCount> keptText_;
    PointerLook pointer_;
    ErrorTrap::Probe probe_;
};

} // namespace tavlin::control
