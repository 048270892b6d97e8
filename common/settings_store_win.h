#pragma once

#include "common/settings_store.h"
#include "common/unique_win.h"

#include <vector>

#include <windows.h>

namespace tavlin {

// Queries one value into bytes, growing them until it fits (the value may
// grow between two queries); size is what it holds. The registry's status,
// never ERROR_MORE_DATA.
LONG QueryValueGrowing(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& bytes,
                       DWORD& size);

// The store on Windows: one REG_SZ value per key under kPath of the
// current user. The keys are created only by the first write, so merely
// reading leaves the registry as it was.
class RegistrySettingsStore final : public SettingsStore {
public:
    // The root is a parameter so tests can point it elsewhere.
    explicit RegistrySettingsStore(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

    [[nodiscard]] std::string SettingsRead(std::string_view key, int defaultValue) const override;
    void SettingsWrite(std::string_view key, std::string_view text) override;

    // Reads keep what they found of the section key, open or missing, until
    // this is called or the store writes: every look is one more trip to
    // the registry (under Wine, to its server), and Word times the add-in's
    // start. The add-in forgets before each document, so every document
    // sees the settings as they are now.
    void ForgetSectionKey() noexcept {
        section_.reset();
        sectionMissing_ = false;
    }

    static constexpr const wchar_t* kPath =
        L"Software\\VB and VBA Program Settings\\Drevalo\\Tavlinar";

private:
    HKEY root_;
    mutable UniqueHkey section_;
    mutable bool sectionMissing_ = false;
};

} // namespace tavlin
