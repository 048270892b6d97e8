#include "common/error.h"

#include <new>

namespace tavlin {

Error Error::Overflow() {
    return {ErrorCode::Overflow, "Overflow"};
}
// "Out of memory" fits the small-string buffer, so it can be raised when
// memory is gone.
Error Error::OutOfMemory() {
    return {ErrorCode::OutOfMemory, "Out of memory"};
}
Error Error::TypeMismatch() {
    return {ErrorCode::TypeMismatch, "Type mismatch"};
}
Error Error::ObjectNotSet() {
    return {ErrorCode::ObjectNotSet, "Object variable not set"};
}
Error Error::InvalidPropertyValue() {
    return {ErrorCode::InvalidPropertyValue, "Invalid property value"};
}

Error CurrentError() noexcept {
    try {
        throw;
    } catch (const Error& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return Error::OutOfMemory();
    } catch (const std::exception& e) {
        try {
            return {ErrorCode::Platform, e.what()};
        } catch (...) {
            return Error::OutOfMemory();
        }
    } catch (...) {
        return {ErrorCode::Platform, "Unknown error"};
    }
}

std::string DescribeSystemCode(std::uint32_t code, std::string systemMessage) {
    while (!systemMessage.empty() &&
           (systemMessage.back() == '\r' || systemMessage.back() == '\n' ||
            systemMessage.back() == ' ')) {
        systemMessage.pop_back();
    }
    if (!systemMessage.empty()) {
        return systemMessage;
    }
    constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string text = "0x00000000";
    auto remainingBits = code;
    for (std::size_t i = text.size(); i > 2; --i, remainingBits >>= 4) {
        text[i - 1] = kHexDigits[remainingBits & 0xFu];
    }
    return text;
}

} // namespace tavlin
