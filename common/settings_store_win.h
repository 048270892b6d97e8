#pragma once

#include "common/settings_store.h"
#include "common/unique_win.h"

#include <windows.h>

namespace tavlin {

// The store on Windows: one REG_SZ value per key under kPath of the
// current user. The keys are created only by the
// first write, so merely reading leaves the registry as it was.
class RegistrySettingsStore final : public SettingsStore {
public:
    // The root is a parameter so tests can point it elsewhere.
    explicit RegistrySettingsStore(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

    [[nodiscard]] std::string SettingsRead(std::string_view key, int defaultValue) const override;
    void SettingsWrite(std::string_view key, std::string_view text) override;

    static constexpr const wchar_t* kPath =
        L"Software\\VB and VBA Program Settings\\Drevalo\\Tavlinar";

private:
    HKEY root_;
    // Kept open between reads: Word asks for the document at every start,
    // and every open is one more trip to the registry.
    mutable UniqueHkey section_;
};

} // namespace tavlin
