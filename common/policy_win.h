#pragma once

#include "common/policy.h"
#include "common/unique_win.h"

#include <windows.h>

namespace tavlin {

// One policy place in the registry: the policy key under root, seen
// through the view the flags name (KEY_WOW64_64KEY for the computer's, so
// 32- and 64-bit Word obey one policy; on 32-bit Windows the flag does
// nothing).
class RegistryPolicySource final : public PolicySource {
public:
    RegistryPolicySource(HKEY root, REGSAM view) : root_(root), view_(view) {}

    [[nodiscard]] std::optional<PolicyValue> PolicyRead(std::string_view key) const override;

    // Reads keep the policy key, open or missing, until this is called: a
    // missing key then costs one failed open per document, not one per
    // setting. The add-in forgets before each document.
    void ForgetKey() noexcept {
        key_.reset();
        keyMissing_ = false;
    }

    static constexpr const wchar_t* kPath = L"Software\\Policies\\Drevalo\\Tavlinar";

private:
    HKEY root_;
    REGSAM view_;
    mutable UniqueHkey key_;
    mutable bool keyMissing_ = false;
};

// The two places as Windows has them.
[[nodiscard]] inline RegistryPolicySource ComputerPolicy() {
    return RegistryPolicySource(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY);
}
[[nodiscard]] inline RegistryPolicySource UserPolicy() {
    return RegistryPolicySource(HKEY_CURRENT_USER, 0);
}

} // namespace tavlin
