#include "addin/com/com_error.h"

namespace tavlin::com {

Hresult HresultFor(ErrorCode code) noexcept {
    switch (code) {
    case ErrorCode::TypeMismatch:
        return kTypeMismatch;
    case ErrorCode::Overflow:
        return kOverflow;
    case ErrorCode::OutOfMemory:
        return kOutOfMemory;
    case ErrorCode::ObjectNotSet:
    case ErrorCode::InvalidPropertyValue:
        return ControlError(static_cast<std::int32_t>(code));
    case ErrorCode::Platform:
        break;
    }
    return kFail;
}

} // namespace tavlin::com
