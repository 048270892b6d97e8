// The DLL's process-wide state: its module handle and the count that
// DllCanUnloadNow answers from (live objects, server locks, and an open
// About window, whose window procedure lives in this DLL).
#pragma once

#include <string>

#include <windows.h>

namespace tavlin::module {

[[nodiscard]] HMODULE Handle() noexcept;
[[nodiscard]] std::wstring Path();
void Lock() noexcept;
void Unlock() noexcept;

} // namespace tavlin::module
