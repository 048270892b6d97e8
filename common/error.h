// The one error type of the portable code. It carries what a client must
// see: the automation error number and its description text. The COM layer
// maps the code to an HRESULT; the control program shows the description.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace tavlin {

enum class ErrorCode : std::int32_t {
    Overflow = 6,
    OutOfMemory = 7,
    TypeMismatch = 13,
    ObjectNotSet = 91,
    InvalidPropertyValue = 380,
    // A failure reported by the platform (registry, shell, COM); the text
    // is the platform's own.
    Platform = 0x7fff,
};

class Error : public std::exception {
public:
    Error(ErrorCode code, std::string description) noexcept
        : code_(code), description_(std::move(description)) {}

    [[nodiscard]] ErrorCode code() const noexcept { return code_; }
    [[nodiscard]] const std::string& description() const noexcept { return description_; }
    [[nodiscard]] const char* what() const noexcept override { return description_.c_str(); }

    // The standard errors, with the descriptions automation clients know.
    [[nodiscard]] static Error Overflow();
    [[nodiscard]] static Error OutOfMemory();
    [[nodiscard]] static Error TypeMismatch();
    [[nodiscard]] static Error ObjectNotSet();
    [[nodiscard]] static Error InvalidPropertyValue();

private:
    ErrorCode code_;
    std::string description_;
};

// How a failure that carries only its code (a Win32 error or an HRESULT) is
// described: the system's message for it without the line break the
// message ends with, or, where the system has none, the code in the form
// people look it up by ("0x80020003"), never as a decimal number.
[[nodiscard]] std::string DescribeSystemCode(std::uint32_t code, std::string systemMessage);

// Turns the exception in flight into an Error, so every boundary reports
// the same thing for the same fault. Call only inside a catch block.
[[nodiscard]] Error CurrentError() noexcept;

} // namespace tavlin
