#include "common/convert.h"

#include "common/error.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tavlin {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Checks the grammar by hand, so from_chars never sees a form (hex, "inf",
// "nan") that it would accept and OLE Automation would not.
bool IsWellFormed(std::string_view t) {
    std::size_t i = 0;
    const std::size_t n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < n && IsDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && IsDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) {
            ++i;
        }
        std::size_t expDigits = 0;
        while (i < n && IsDigit(t[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    return i == n;
}

// from_chars reports both overflow and underflow as out of range; tell them
// apart by the magnitude the text writes: the position of its first
// significant digit plus the exponent.
bool WritesHugeMagnitude(std::string_view t) {
    std::size_t i = (t.front() == '+' || t.front() == '-') ? 1 : 0;
    long long position = 0; // decimal exponent of the first significant digit, plus one
    bool seenSignificant = false;
    bool afterPoint = false;
    for (; i < t.size() && (IsDigit(t[i]) || t[i] == '.'); ++i) {
        if (t[i] == '.') {
            afterPoint = true;
            continue;
        }
        if (!seenSignificant) {
            if (t[i] == '0') {
                if (afterPoint) {
                    --position;
                }
                continue;
            }
            seenSignificant = true;
        }
        if (!afterPoint) {
            ++position;
        }
    }
    if (!seenSignificant) {
        return false;
    }
    long long exponent = 0;
    if (i < t.size()) { // at 'e' or 'E'
        ++i;
        bool negative = false;
        if (t[i] == '+' || t[i] == '-') {
            negative = t[i] == '-';
            ++i;
        }
        for (; i < t.size(); ++i) {
            if (exponent < 1'000'000'000) {
                exponent = exponent * 10 + (t[i] - '0');
            }
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    return position + exponent > 0;
}

} // namespace

double ToNumber(std::string_view text) {
    std::string_view t = TrimBlanks(text);
    if (!IsWellFormed(t)) {
        throw Error::TypeMismatch();
    }
    const bool negative = t.front() == '-';
    // from_chars takes a leading minus but no plus.
    std::string_view body = (t.front() == '+' || t.front() == '-') ? t.substr(1) : t;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (WritesHugeMagnitude(t)) {
            throw Error::Overflow();
        }
        value = 0.0; // underflow: too small to tell from zero
    } else if (ec != std::errc{} || end != body.data() + body.size()) {
        throw Error::TypeMismatch();
    }
    if (!std::isfinite(value)) {
        throw Error::Overflow();
    }
    return negative ? -value : value;
}

std::int32_t RoundToInt32(double value) {
    // nearbyint rounds halves to even in the default rounding mode.
    const double r = std::nearbyint(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) {
        throw Error::Overflow();
    }
    return static_cast<std::int32_t>(r);
}

std::int32_t ToWholeNumber(std::string_view text) {
    return RoundToInt32(ToNumber(text));
}

std::int16_t ToInteger16(std::string_view text) {
    const double r = std::nearbyint(ToNumber(text));
    if (!(r >= -32768.0 && r <= 32767.0)) {
        throw Error::Overflow();
    }
    return static_cast<std::int16_t>(r);
}

} // namespace tavlin
