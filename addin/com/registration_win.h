// Self-registration: the registration table applied to the real registry.
#pragma once

#include <windows.h>

namespace tavlin::com {

[[nodiscard]] HRESULT RegisterServer();
[[nodiscard]] HRESULT UnregisterServer();

} // namespace tavlin::com
