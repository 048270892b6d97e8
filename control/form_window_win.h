// Tavlinar's one window: plain Win32 controls over SettingsForm. The
// window moves states between the controls and the model and forwards the
// events; everything it decides is the model's.
#pragma once

#include "common/language.h"
#include "common/policy_win.h"
#include "common/settings_store_win.h"
#include "common/unique_win.h"
#include "control/layout.h"
#include "control/settings_form.h"
#include "control/switching_win.h"
#include "control/texts.h"

#include <array>
#include <string>

#include <windows.h>

namespace tavlin::control {

class FormWindow final : public FormView {
public:
    explicit FormWindow(HINSTANCE instance);
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    [[nodiscard]] static bool RegisterClasses(HINSTANCE instance);

    // Creates the window and its controls, hidden; false when Windows
    // refuses.
    [[nodiscard]] bool Create();
    // Initializes and prepares the window from the store, then shows it.
    void Start();
    [[nodiscard]] HWND Handle() const { return hwnd_; }
    // A key the window takes before the dialog manager does (Ctrl+Tab);
    // true when it did.
    [[nodiscard]] bool TranslateKey(const MSG& message);

    // FormView
    void ShowErrorBox(std::string_view text, std::string_view title) override;
    void ApplySkin() override;
    void SetCaption(std::string_view caption) override;
    void SetProgramIcon() override;
    void CenterForm() override;
    bool HandPointerFileExists() override;
    void LoadHandPointer() override;
    void ShowBox(int index, BoxState state) override;
    void LockBox(int index) override;
    void ShowPolicyNote(std::string_view text) override;
    void OpenWebPage(std::string_view target) override;
    void CloseWindow() override;

private:
    static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    [[nodiscard]] int Px(int twips) const;
    void CreateFonts();
    [[nodiscard]] std::wstring Say(Text key) const;
    void FitToTheTexts();
    void CreateControls();
    HWND Child(HWND parent, const wchar_t* cls, std::wstring_view text, DWORD style, RECT r,
               int id);
    void ShowPage(int page);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void ShowFocusAlways();
    [[nodiscard]] HWND FindDescendant(int id) const;
    void OnCommand(int id, int code);
    bool OnSetCursor(HWND over, UINT hitTest, UINT mouseMessage);
    void SetLinkUnderline(bool on);
    [[nodiscard]] HBRUSH OnControlColor(HDC dc, HWND control);
    [[nodiscard]] LRESULT DefaultButtonId() const;

    HINSTANCE instance_;
    // The user's display language, chosen before the form that speaks it.
    Language language_;
    HWND hwnd_ = nullptr;
    HWND tab_ = nullptr;
    std::array<HWND, 2> pages_{};
    std::array<HWND, 2> frames_{};
    std::array<HWND, kBoxCount> boxes_{};
    HWND ok_ = nullptr;
    HWND cancel_ = nullptr;
    HWND website_ = nullptr;
    HWND policyNote_ = nullptr;
    int dpi_ = 96;
    FittedLayout fit_;
    UniqueGdiObject font_;
    UniqueGdiObject boldFont_;
    UniqueGdiObject linkFont_;
    UniqueCursor hand_;
    bool underlined_ = false;

    RegistrySettingsStore store_;
    RegistryPolicySource computerPolicy_ = ComputerPolicy();
    RegistryPolicySource userPolicy_ = UserPolicy();
    WindowsSwitchPlatform platform_;
    PlatformAddinSwitch addin_{platform_, language_};
    SettingsForm form_;
};

} // namespace tavlin::control
