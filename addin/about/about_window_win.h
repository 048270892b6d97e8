// The add-in's About window and the System Information operations.
#pragma once

#include "common/language.h"

#include <string>

#include <windows.h>

namespace tavlin::about {

// The window class; wordhost and the tests find the window by it.
inline constexpr const wchar_t* kWindowClass = L"TavlinAboutWindow";

// Shows the one About window in that language, modeless and without an
// owner; creates it (anew after it was closed, or when it speaks another
// language) when none exists. Raises Error.
void ShowAboutWindow(Language language);

// Starts the System Information program found through the registry, or
// says that it is unavailable, in that language. Reports every failure
// itself.
void StartSysInfo(Language language) noexcept;

// Reads one value below root into keyVal (a string's text, a 32-bit
// number's decimal text; other types leave keyVal as it was). False, with
// keyVal emptied, when the key or the value cannot be read.
[[nodiscard]] bool GetKeyValue(HKEY root, const std::wstring& keyName,
                               const std::wstring& valueName, std::wstring& keyVal) noexcept;

} // namespace tavlin::about
