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

std::string DescribeHresult(Hresult hr, std::string systemMessage) {
    while (!systemMessage.empty() &&
           (systemMessage.back() == '\r' || systemMessage.back() == '\n')) {
        systemMessage.pop_back();
    }
    if (!systemMessage.empty()) {
        return systemMessage;
    }
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x00000000";
    auto bits = static_cast<std::uint32_t>(hr);
    for (std::size_t i = text.size(); i > 2; --i, bits >>= 4) {
        text[i - 1] = kDigits[bits & 0xFu];
    }
    return text;
}

} // namespace tavlin::com
