// The creatable class Connect: the automation face _Connect, Word's add-in
// connection and its ribbon entry, all served by one object that owns the
// document core.
#pragma once

#include <windows.h>

namespace tavlin::com {

// Makes a new object and queries it for riid; the object dies when the
// query fails.
[[nodiscard]] HRESULT CreateConnectObject(REFIID riid, void** object) noexcept;

} // namespace tavlin::com
