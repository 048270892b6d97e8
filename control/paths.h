// Windows paths as text: the comparisons and choices the control program
// makes about files before the platform touches them. Paths are UTF-8.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavlin::control {

// Backslashes only, no empty, "." or ".." segments, no trailing backslash
// except after a drive ("C:\"). ".." never climbs above the root of a
// drive or a UNC share; a relative path keeps the ".." it cannot resolve.
[[nodiscard]] std::string NormalizedPath(std::string_view path);

// Whether two paths name the same file as Windows compares them: after
// NormalizedPath, without regard to case (ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic letters). Short 8.3 names are not
// expanded; both sides come from the same place in practice.
[[nodiscard]] bool SamePath(std::string_view a, std::string_view b);

// "C:\x" or "\\server\share\x": a path that names one file wherever the
// current folder is.
[[nodiscard]] bool IsAbsolutePath(std::string_view path);

// folder + "\" + name, with one backslash between them whatever folder ends
// with.
[[nodiscard]] std::string JoinPath(std::string_view folder, std::string_view name);

// The folder that holds path: "C:\Office\WINWORD.EXE" -> "C:\Office", and
// "C:\WINWORD.EXE" -> "C:\" (a bare "C:" would mean the drive's current
// folder).
[[nodiscard]] std::string FolderOf(std::string_view path);

// %NAME% replaced by the variable's value as Windows expands environment
// strings: a name without a value, and a lone %, stay as written.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;
[[nodiscard]] std::string ExpandEnvironmentText(std::string_view text,
                                                const EnvironmentLookup& lookup);

// Environment strings as a 64-bit program expands them, for a path written
// by one and read by a 32-bit process on 64-bit Windows: there ProgramFiles
// and CommonProgramFiles name the x86 folders, and ProgramW6432 and
// CommonProgramW6432 the 64-bit ones.
[[nodiscard]] EnvironmentLookup AsSixtyFourBitProgram(EnvironmentLookup lookup);

// Word's program from the default value of App Paths\Winword.exe: quotes
// and blanks around it dropped, environment strings expanded. Nothing when
// the value is missing, empty or not a full path, so nothing is ever looked
// up by name in the current or the program's folder.
[[nodiscard]] std::optional<std::string>
WordProgramFromAppPath(const std::optional<std::string>& value, const EnvironmentLookup& lookup);

} // namespace tavlin::control
