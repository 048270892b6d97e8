// Window helpers both deliverables carry: open a web address or file with
// the shell, test for a file, apply the product's look.
#pragma once

#include "common/language.h"

#include <string>
#include <string_view>

#include <windows.h>

namespace tavlin {

// The folder of the module this code is linked into, without a trailing
// backslash: the DLL's own folder inside Word (not Word's), the program's
// folder in the control program.
[[nodiscard]] std::wstring ProgramFolder();

// The shell's default action on target, the program folder as working
// folder, normal window. The shell's answer is deliberately ignored.
void OpenWebPage(HWND owner, std::wstring_view target);

// A message box's flags for reading its text in the language's direction.
[[nodiscard]] constexpr UINT ReadingOrder(Language language) {
    return IsRightToLeft(language) ? MB_RTLREADING | MB_RIGHT : 0;
}

// True when the file's last-change time can be read.
[[nodiscard]] bool FileExists(std::wstring_view path);

// Files the deliverables look for in their program folder.
inline constexpr std::wstring_view kHandCursorFile = L"\\HAND-M.CUR";
inline constexpr std::wstring_view kSkinFile = L"\\x\\o.cjs";

// When the skin file exists, the window, its labels, frames, check boxes
// and option buttons get the button-face background; otherwise nothing
// changes. No skin engine ships, so this is the whole of it. Returns
// whether the look was applied.
bool ApplySkin(HWND window);
[[nodiscard]] bool IsSkinned(HWND window);

// For WM_CTLCOLORSTATIC / WM_CTLCOLORBTN / WM_CTLCOLORDLG of a skinned
// window: the brush to return, or nullptr to leave the default handling.
[[nodiscard]] HBRUSH SkinBackground(HWND window, HDC dc);

} // namespace tavlin
