// The About window's rules, apart from the window: its texts, how the link
// and the pointer react to the mouse, and what the System Information
// operations decide. Portable, so they are tested natively.
#pragma once

#include "common/language.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavlin::about {

// What the About window, the uninstall instructions and the System
// Information message say, in one language (UTF-8). They speak the
// language of the last document Word was given.
struct Texts {
    std::string_view caption;
    std::string_view websiteCaption; // ends in the blank before the address
    std::string_view okCaption;
    std::string_view versionLine; // "%1" stands for the version number
    // Two lines apart by one empty line, written with single CRs as the
    // message box shows them. The shortcut's name is the installer's,
    // which is the same in every language.
    std::string_view uninstallMessage;
    std::string_view sysInfoUnavailable;
};

[[nodiscard]] const Texts& TextsFor(Language language);

// "Version 7.0.0" for English 7, 0, 0.
[[nodiscard]] std::string VersionText(Language language, unsigned major, unsigned minor,
                                      unsigned revision);

// The window's pointer and the link's underline, driven by where the mouse
// moves. Custom is the hand cursor, when the program folder has one.
enum class Pointer : std::uint8_t { Default, Custom };

struct PointerState {
    bool linkUnderlined = false;
    Pointer pointer = Pointer::Default;
    friend bool operator==(const PointerState&, const PointerState&) = default;
};

enum class MouseOver : std::uint8_t { Link, Background, Button };

[[nodiscard]] PointerState MouseMoved(PointerState state, MouseOver where);

// What the registry query of GetKeyValue returned, and the text it makes:
// nullopt leaves the caller's text unchanged (a type that is neither a
// string nor a 32-bit number).
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::size_t kKeyValueBufferChars = 1024;

// valueBytes: the bytes the query returned (its reported size, at most the
// buffer's). Strings are UTF-16 code units, as the W functions give them.
[[nodiscard]] std::optional<std::u16string> KeyValueText(std::uint32_t valueType,
                                                         std::span<const std::uint8_t> valueBytes);

// StartSysInfo's choice of program: the "PATH" value when it was read;
// otherwise the "MSINFO" folder followed by "\MSINFO32.EXE" when that file
// exists; otherwise none.
[[nodiscard]] std::optional<std::u16string>
SysInfoProgram(const std::optional<std::u16string>& pathValue,
               const std::optional<std::u16string>& folderValue,
               const std::function<bool(const std::u16string&)>& fileExists);

} // namespace tavlin::about
