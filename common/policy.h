// Settings an administrator sets and locks through Group Policy. Two places
// hold policy values, computer before user; a usable value there wins over
// the user's own setting and the default. The places are sources behind
// one interface, so the add-in's reads and the settings window's locks come
// from the same decision.
#pragma once

#include "common/settings_store.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

// Where administrative templates write: under HKLM (computer) and HKCU
// (user) alike.
inline constexpr std::string_view kPolicyKeyPath = "Software\\Policies\\Drevalo\\Tavlinar";

// One value found under a policy key, as the registry holds it.
struct PolicyValue {
    enum class Kind { String, Dword, Other };
    Kind kind = Kind::Other;
    // String: its characters, without the terminating NUL.
    std::string text;
    // Dword: the number.
    std::uint32_t dword = 0;
    // Other: the registry type's name, so an administrator sees what the
    // value is ("REG_BINARY").
    std::string typeName;

    static PolicyValue String(std::string_view text) {
        return {Kind::String, std::string(text), 0, {}};
    }
    static PolicyValue Dword(std::uint32_t value) { return {Kind::Dword, {}, value, {}}; }
    static PolicyValue Other(std::string_view typeName) {
        return {Kind::Other, {}, 0, std::string(typeName)};
    }
};

// 0 or 1 when the value is usable: REG_SZ "0" or "1" exactly, or REG_DWORD
// 0 or 1. Anything else is nullopt, and why tells an administrator what is
// wrong with it.
[[nodiscard]] std::optional<int> UsablePolicyValue(const PolicyValue& value, std::string* why);

class PolicySource {
public:
    virtual ~PolicySource() = default;
    // The value of that name, compared without regard to case; nullopt when
    // there is none, or no policy key at all. Raises Error when the place
    // cannot be read.
    [[nodiscard]] virtual std::optional<PolicyValue> PolicyRead(std::string_view key) const = 0;
};

// The source of the native tools and tests.
class MemoryPolicySource final : public PolicySource {
public:
    [[nodiscard]] std::optional<PolicyValue> PolicyRead(std::string_view key) const override;
    void Put(std::string_view key, PolicyValue value);

private:
    std::map<std::string, PolicyValue, KeyLess> values_;
};

enum class PolicyPlace { Computer, User };
[[nodiscard]] std::string_view PolicyPlaceName(PolicyPlace place);

// A value a place holds that is ignored, and why.
struct IgnoredPolicy {
    PolicyPlace place;
    std::string why;
};

struct PolicyDecision {
    // The value that wins, when a place holds a usable one.
    std::optional<int> value;
    PolicyPlace place = PolicyPlace::Computer;
    // Unusable values met on the way, in the order the places were read.
    std::vector<IgnoredPolicy> ignored;
};

// Reads the computer place first and the user place only when the computer
// has no usable value: under Wine every read is a trip to the registry
// server, and Word times the add-in's start.
[[nodiscard]] PolicyDecision DecidePolicy(const PolicySource& computer, const PolicySource& user,
                                          std::string_view key);

// The store the add-in reads: policy first, then the user's own store,
// whose rules (defaults, errors) stay as they are. Writes go to the user's
// own store; policy is the administrator's.
class PolicySettingsStore final : public SettingsStore {
public:
    PolicySettingsStore(const PolicySource& computer, const PolicySource& user, SettingsStore& own)
        : computer_(computer), user_(user), own_(own) {}

    [[nodiscard]] std::string SettingsRead(std::string_view key, int defaultValue) const override;
    void SettingsWrite(std::string_view key, std::string_view text) override;

private:
    const PolicySource& computer_;
    const PolicySource& user_;
    SettingsStore& own_;
};

} // namespace tavlin
