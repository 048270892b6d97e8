// What registering the add-in writes, as data, and the two algorithms that
// apply and remove it. Portable, so the machine-wide/per-user fallback and
// the rules of the two registry views are tested natively against a fake
// registry; registration_win.cpp is the real registry behind the Backend
// interface.
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

// 64-bit Windows keeps two registry views. Since Windows 7, Classes\CLSID
// and Classes\Interface are redirected for 32-bit processes (under
// WOW6432Node, in HKLM and HKCU alike), while ProgIDs, TypeLib and
// HKCU\Software are one key that both bitnesses see. Each DLL is registered
// by the regsvr32 of its own bitness, so it writes its own view; it only
// looks into, or cleans up after itself in, the other one.
enum class View : std::uint8_t { Own, Other };

// What a key is to the two views.
enum class Reach : std::uint8_t {
    OwnView,   // each bitness has its own copy
    BothViews, // per view, but registering the type library writes both
    Shared,    // one key for both bitnesses: it goes with the last registration
};

// The type library's platform, which names its subkey under TypeLib.
enum class Platform : std::uint8_t { Win32, Win64 };

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
    Reach reach;
};

struct Identity {
    std::string clsid; // "{...}" forms, as StringFromGUID2 writes them
    std::string libid;
    std::string iid; // the library's one interface, _Connect
    std::string modulePath;
    Platform platform;
};

// The keys the system's type library registration writes under TypeLib,
// from the library's key down to this platform's subkey.
struct TypeLibraryKeys {
    std::string library;  // TypeLib\{libid}
    std::string version;  // ...\1.0, which also holds FLAGS and HELPDIR
    std::string locale;   // ...\1.0\0
    std::string platform; // ...\1.0\0\win32 or \win64: this build's own
};

struct Table {
    std::vector<Key> keys;      // written in this order
    bool typeLibrary = true;    // registered through the system, in the same scope
    TypeLibraryKeys typeLib;    // what of the type library's registration is this build's
    std::vector<Tree> removals; // each removed whole by unregistration, as its reach allows
    std::string classServer;    // a view registers the class while it holds this key
};

inline constexpr std::string_view kFriendlyName = "Tavlinar";
inline constexpr std::string_view kDescription = "Add-In Project Template";
inline constexpr std::uint32_t kLoadAtStartup = 3;

[[nodiscard]] Table AddinTable(const Identity& id);

// The help folder the type library is registered with: the installation's
// folder, with a trailing backslash, also for the x86_64 DLL in its x64
// subfolder. Both bitnesses write it into the one TypeLib key they share,
// so it must not depend on which registered last; and a Windows Installer
// package writes the same value from its folder property, which always ends
// in a backslash.
[[nodiscard]] std::string TypeLibraryHelpFolder(std::string_view modulePath, Platform platform);

class Backend {
public:
    virtual ~Backend() = default;
    // Creates the key (and its parents) in the own view and sets its values.
    [[nodiscard]] virtual Status WriteKey(Scope scope, const Key& key) = 0;
    // Removes the key with everything below it; kNotFound when absent, and
    // for the other view of a system that has only one.
    [[nodiscard]] virtual Status DeleteTree(Scope scope, View view, const Tree& tree) = 0;
    // Whether a key under Classes exists; false for the other view of a
    // system that has only one.
    [[nodiscard]] virtual bool Exists(Scope scope, View view, const std::string& classesPath) = 0;
    // The names of the subkeys of a key under Classes, in the own view;
    // kNotFound when the key is absent.
    [[nodiscard]] virtual Status SubKeys(Scope scope, const std::string& classesPath,
                                         std::vector<std::string>& names) = 0;
    [[nodiscard]] virtual Status RegisterTypeLibrary(Scope scope) = 0;
};

struct Outcome {
    Status status;
    Scope scope; // where the classes went (meaningful on success)
};

// Machine-wide first; when that is refused, per user. Whatever a failed
// attempt wrote is taken back, as far as the other view does not need it.
[[nodiscard]] Outcome Register(Backend& backend, const Table& table);

// Removes this view's registration from both scopes, and the shared keys
// when no view registers the class any more. Absent keys are no failure, so
// unregistering twice, or without a registration, succeeds.
[[nodiscard]] Status Unregister(Backend& backend, const Table& table);

} // namespace tavlin::registration
