#include "common/policy.h"

namespace tavlin {

std::optional<int> UsablePolicyValue(const PolicyValue& value, std::string* why) {
    std::string reason;
    switch (value.kind) {
    case PolicyValue::Kind::String:
        // Exactly what the templates write: a value an administrator typed
        // by hand as " 1" or "yes" is shown as wrong rather than guessed at.
        if (value.text == "0" || value.text == "1") {
            return value.text == "1" ? 1 : 0;
        }
        reason = "the text \"" + value.text + "\" is not 0 or 1";
        break;
    case PolicyValue::Kind::Dword:
        if (value.dword <= 1) {
            return static_cast<int>(value.dword);
        }
        reason = "the number " + std::to_string(value.dword) + " is not 0 or 1";
        break;
    case PolicyValue::Kind::Other:
        reason = "a value of type " + (value.typeName.empty() ? "unknown" : value.typeName) +
                 " is neither REG_DWORD nor REG_SZ";
        break;
    }
    if (why != nullptr) {
        *why = std::move(reason);
    }
    return std::nullopt;
}

std::optional<PolicyValue> MemoryPolicySource::PolicyRead(std::string_view key) const {
    if (const auto it = values_.find(key); it != values_.end()) {
        return it->second;
    }
    return std::nullopt;
}

void MemoryPolicySource::Put(std::string_view key, PolicyValue value) {
    if (const auto it = values_.find(key); it != values_.end()) {
        it->second = std::move(value);
        return;
    }
    values_.emplace(std::string(key), std::move(value));
}

std::string_view PolicyPlaceName(PolicyPlace place) {
    return place == PolicyPlace::Computer ? "computer policy" : "user policy";
}

PolicyDecision DecidePolicy(const PolicySource& computer, const PolicySource& user,
                            std::string_view key) {
    PolicyDecision decision;
    for (const PolicyPlace place : {PolicyPlace::Computer, PolicyPlace::User}) {
        const PolicySource& source = place == PolicyPlace::Computer ? computer : user;
        const std::optional<PolicyValue> found = source.PolicyRead(key);
        if (!found) {
            continue;
        }
        std::string why;
        if (const std::optional<int> usable = UsablePolicyValue(*found, &why)) {
            decision.value = usable;
            decision.place = place;
            return decision;
        }
        decision.ignored.push_back({place, std::move(why)});
    }
    return decision;
}

std::string PolicySettingsStore::SettingsRead(std::string_view key, int defaultValue) const {
    if (const std::optional<int> locked = DecidePolicy(computer_, user_, key).value) {
        return std::to_string(*locked);
    }
    return own_.SettingsRead(key, defaultValue);
}

void PolicySettingsStore::SettingsWrite(std::string_view key, std::string_view text) {
    own_.SettingsWrite(key, text);
}

} // namespace tavlin
