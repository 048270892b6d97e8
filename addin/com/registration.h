// What registering the add-in writes, as data, and the two algorithms that
// apply and remove it. Portable, so the machine-wide/per-user fallback is
// tested natively against a fake registry; registration_win.cpp is the
// real registry behind the Backend interface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavlin::registration {

// Results are HRESULTs, so the DLL's exports can return them unchanged.
using Status = std::int32_t;
inline constexpr Status kOk = 0;
inline constexpr Status kNotFound = static_cast<Status>(0x80070002);     // ERROR_FILE_NOT_FOUND
inline constexpr Status kAccessDenied = static_cast<Status>(0x80070005); // ERROR_ACCESS_DENIED

// Where a key lives. Classes: the class registration root, machine-wide
// (HKLM\Software\Classes) or per user (HKCU\Software\Classes) as Scope
// decides. User: the current user's root, whatever the scope.
enum class Hive : std::uint8_t { Classes, User };
enum class Scope : std::uint8_t { Machine, PerUser };

struct Value {
    std::string name; // empty: the key's default value
    std::variant<std::string, std::uint32_t> data;
    friend bool operator==(const Value&, const Value&) = default;
};

struct Key {
    Hive hive;
    std::string path;
    std::vector<Value> values;
};

struct Tree {
    Hive hive;
    std::string path;
};

struct Identity {
    std::string clsid; // "{...}" forms, as StringFromGUID2 writes them
    std::string libid;
    std::string iid; // the library's one interface, _Connect
    std::string modulePath;
};

struct Table {
    std::vector<Key> keys;      // written in this order
    bool typeLibrary = true;    // registered through the system, in the same scope
    std::vector<Tree> removals; // each removed whole by unregistration
};

inline constexpr std::string_view kFriendlyName = "Tavlinar";
inline constexpr std::string_view kDescription = "Add-In Project Template";
inline constexpr std::uint32_t kLoadAtStartup = 3;

[[nodiscard]] Table AddinTable(const Identity& id);

class Backend {
public:
    virtual ~Backend() = default;
    // Creates the key (and its parents) and sets its values.
    [[nodiscard]] virtual Status WriteKey(Scope scope, const Key& key) = 0;
    // Removes the key with everything below it; kNotFound when absent.
    [[nodiscard]] virtual Status DeleteTree(Scope scope, const Tree& tree) = 0;
    [[nodiscard]] virtual Status RegisterTypeLibrary(Scope scope) = 0;
};

struct Outcome {
    Status status;
    Scope scope; // where the classes went (meaningful on success)
};

// Machine-wide first; when that is refused, per user. Whatever a failed
// attempt wrote is taken back.
[[nodiscard]] Outcome Register(Backend& backend, const Table& table);

// Removes every tree of the table from both scopes. Absent trees are no
// failure, so unregistering twice, or without a registration, succeeds.
[[nodiscard]] Status Unregister(Backend& backend, const Table& table);

} // namespace tavlin::registration
