// The About window's rules, apart from the window: its texts, how the link
// and the pointer react to the mouse, and what the System Information
// operations decide. Portable, so they are tested natively.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavlin::about {

inline constexpr std::string_view kCaption = "About";
inline constexpr std::string_view kWebsiteCaption = "Website: ";
inline constexpr std::string_view kOkCaption = "OK";

// "Version 7.0.0" for 7, 0, 0.
[[nodiscard]] std::string VersionText(unsigned major, unsigned minor, unsigned revision);

// The uninstall instructions: two lines apart by one empty line, written
// with single CRs as the message box shows them.
inline constexpr std::string_view kUninstallMessage =
    "To uninstall, close Word and then go to\r\rStart > Program Files > Tavlin > Uninstall Tavlin";

inline constexpr std::string_view kSysInfoUnavailable =
    "System Information Is Unavailable At This Time";

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
