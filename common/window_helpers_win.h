// Window helpers both deliverables carry: open a web address or file with
// the shell, test for a file, apply the product's look, the window's DPI
// and the colours a high-contrast theme asks for.
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

// The message font's face may have no letters of the language's script:
// Wine's Tahoma has no Hebrew or Thai, and Windows' own has no Devanagari,
// which only Windows' script fallback finds. The charset makes the font
// mapper take a face that has the script where the asked one has not
// (Windows' Tahoma keeps them), and Hindi asks for Windows' Devanagari
// face. CJK is left to the font links every Windows has for the face.
inline void SuitFontToScript(LOGFONTW& font, Language language) {
    switch (language) {
    case Language::Hebrew:
        font.lfCharSet = HEBREW_CHARSET;
        break;
    case Language::Arabic:
        font.lfCharSet = ARABIC_CHARSET;
        break;
    case Language::Thai:
        font.lfCharSet = THAI_CHARSET;
        break;
    case Language::Hindi:
        ::lstrcpynW(font.lfFaceName, L"Mangal", LF_FACESIZE);
        break;
    default:
        break;
    }
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

// WM_DPICHANGED: the headers declare it only for builds aimed at Windows
// 8.1 and later, and ours must run on Vista, which never sends it.
inline constexpr UINT kWmDpiChanged = 0x02E0;

// The DPI the window is drawn at, as the thread's DPI awareness makes it:
// GetDpiForWindow where Windows has it (10 1607 on), else the system DPI
// (older Windows, and Wine, which has it but answers 96 for a window of an
// unaware thread without stretching it).
[[nodiscard]] int WindowDpi(HWND window);

// The system DPI: what the system's metrics and fonts are given in.
[[nodiscard]] int SystemDpi();

// A system metric (GetSystemMetrics' index) at that DPI.
[[nodiscard]] int SystemMetricForDpi(int index, int dpi);

// The outer size of a window whose client area is that size, at that DPI
// (AdjustWindowRectExForDpi where Windows has it).
[[nodiscard]] SIZE FrameSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle,
                                int dpi);

// Whether the user runs a high-contrast theme: then every colour comes
// from the system's.
[[nodiscard]] bool HighContrastOn();

// A link's text colour on the button face: see LinkColour (contrast.h).
[[nodiscard]] COLORREF LinkColor();

} // namespace tavlin
