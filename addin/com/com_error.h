// How the core's errors look to COM callers. Portable, so the mapping is
// tested natively; the values are the platform's own HRESULTs.
#pragma once

#include "common/error.h"

#include <cstdint>
#include <string_view>

namespace tavlin::com {

using Hresult = std::int32_t;

inline constexpr Hresult kTypeMismatch = static_cast<Hresult>(0x80020005); // DISP_E_TYPEMISMATCH
inline constexpr Hresult kOverflow = static_cast<Hresult>(0x8002000A);     // DISP_E_OVERFLOW
inline constexpr Hresult kOutOfMemory = static_cast<Hresult>(0x8007000E);  // E_OUTOFMEMORY
inline constexpr Hresult kFail = static_cast<Hresult>(0x80004005);         // E_FAIL
// Automation errors without a system code of their own carry their
// number in FACILITY_CONTROL, as every automation server reports them.
[[nodiscard]] constexpr Hresult ControlError(std::int32_t number) {
    return static_cast<Hresult>(0x800A0000u | (static_cast<std::uint32_t>(number) & 0xFFFFu));
}

// The source callers see in the error info and in EXCEPINFO.
inline constexpr std::string_view kErrorSource = "TavlinCom.Connect";

[[nodiscard]] Hresult HresultFor(ErrorCode code) noexcept;

} // namespace tavlin::com
