// wordhost's output: one line per event, texts escaped so a script can
// compare them.
#pragma once

#include <string>

#include <windows.h>

namespace wordhost {

void Print(const std::string& text);
[[nodiscard]] std::string Hex(HRESULT hr);
// In UTF-8, quoted and escaped by tavlin::Quoted.
[[nodiscard]] std::string Escaped(const std::wstring& text);
// The code and the error info a vtable call left behind, as Word would log
// them.
[[nodiscard]] std::string FailureText(HRESULT hr);

} // namespace wordhost
