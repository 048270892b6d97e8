#include "common/convert.h"

#include "common/error.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace tavlin {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the grammar by hand, so from_chars never sees a form (hex, "inf",
// "nan") that it would accept and OLE Automation would not.
bool IsWellFormed(std::string_view text) {
    std::size_t pos = 0;
    const std::size_t length = text.size();
    if (pos < length && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    std::size_t mantissaDigits = 0;
    while (pos < length && IsDigit(text[pos])) {
        ++pos;
        ++mantissaDigits;
    }
    if (pos < length && text[pos] == '.') {
        ++pos;
        while (pos < length && IsDigit(text[pos])) {
            ++pos;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (pos < length && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < length && (text[pos] == '+' || text[pos] == '-')) {
            ++pos;
        }
        std::size_t exponentDigits = 0;
        while (pos < length && IsDigit(text[pos])) {
            ++pos;
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return pos == length;
}

// A well-formed text's magnitude, exactly: 0.d1d2d3... times ten to the
// position. No leading or trailing zeros; no digits for zero.
struct Decimal {
    std::string digits;
    long long position = 0;
};

Decimal ToDecimal(std::string_view text) {
    Decimal magnitude;
    std::size_t pos = (text.front() == '+' || text.front() == '-') ? 1 : 0;
    bool afterPoint = false;
    for (; pos < text.size() && (IsDigit(text[pos]) || text[pos] == '.'); ++pos) {
        if (text[pos] == '.') {
            afterPoint = true;
        } else if (magnitude.digits.empty() && text[pos] == '0') {
            magnitude.position -= afterPoint ? 1 : 0;
        } else {
            magnitude.digits += text[pos];
            magnitude.position += afterPoint ? 0 : 1;
        }
    }
    while (!magnitude.digits.empty() && magnitude.digits.back() == '0') {
        magnitude.digits.pop_back();
    }
    if (pos < text.size()) { // at 'e' or 'E'
        ++pos;
        bool negative = false;
        if (text[pos] == '+' || text[pos] == '-') {
            negative = text[pos] == '-';
            ++pos;
        }
        long long exponent = 0;
        for (; pos < text.size(); ++pos) {
            if (exponent < 1'000'000'000) {
                exponent = exponent * 10 + (text[pos] - '0');
            }
        }
        magnitude.position += negative ? -exponent : exponent;
    }
    return magnitude;
}

// Orders two non-zero magnitudes: negative, zero or positive.
int CompareMagnitudes(const Decimal& left, const Decimal& right) {
    if (left.position != right.position) {
        return left.position < right.position ? -1 : 1;
    }
    return left.digits.compare(right.digits);
}

// from_chars reports both overflow and underflow as out of range; tell them
// apart by the magnitude the text writes.
bool WritesHugeMagnitude(std::string_view text) {
    const Decimal magnitude = ToDecimal(text);
    return !magnitude.digits.empty() && magnitude.position > 0;
}

// Halves to even, with ties decided by the text rather than by its double:
// "2.5000000000000001" and "3.4999999999999999999" become the doubles 2.5
// and 3.5, yet lie above and below the half, as OLE Automation rounds them.
// Only an exact half of the double needs the text: no other double can sit
// on the other side of a half from the text, since every half below 2^52 is
// a double itself.
double RoundText(std::string_view text) {
    const double value = ToNumber(text);
    const double whole = std::trunc(value);
    if (std::fabs(value - whole) != 0.5) {
        return std::nearbyint(value);
    }
    // A half of at most 2^52 is its whole part and ".5". Written by hand:
    // the library's floating-point to_chars would add its tables (some
    // 200 KB) to the DLL Word loads.
    char half[32];
    char* halfEnd = half + sizeof half;
    char* halfStart = halfEnd;
    *--halfStart = '5';
    *--halfStart = '.';
    auto magnitude = static_cast<unsigned long long>(std::fabs(whole));
    do {
        *--halfStart = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const int order = CompareMagnitudes(ToDecimal(TrimBlanks(text)),
                                        ToDecimal(std::string_view(halfStart, halfEnd)));
    if (order == 0) {
        return std::nearbyint(value);
    }
    return order > 0 ? whole + std::copysign(1.0, value) : whole;
}

} // namespace

double ToNumber(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (!IsWellFormed(trimmed)) {
        throw Error::TypeMismatch();
    }
    const bool negative = trimmed.front() == '-';
    // from_chars takes a leading minus but no plus.
    std::string_view unsignedText =
        (trimmed.front() == '+' || trimmed.front() == '-') ? trimmed.substr(1) : trimmed;
    double value = 0.0;
    const auto [parsedEnd, status] =
        std::from_chars(unsignedText.data(), unsignedText.data() + unsignedText.size(), value);
    if (status == std::errc::result_out_of_range) {
        if (WritesHugeMagnitude(trimmed)) {
            throw Error::Overflow();
        }
        value = 0.0; // underflow: too small to tell from zero
    } else if (status != std::errc{} || parsedEnd != unsignedText.data() + unsignedText.size()) {
        throw Error::TypeMismatch();
    }
    if (!std::isfinite(value)) {
        throw Error::Overflow();
    }
    return negative ? -value : value;
}

std::int32_t RoundToInt32(double value) {
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        throw Error::Overflow();
    }
    return static_cast<std::int32_t>(rounded);
}

std::int32_t ToWholeNumber(std::string_view text) {
    return RoundToInt32(RoundText(text));
}

std::int16_t ToInteger16(std::string_view text) {
    const double rounded = RoundText(text);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        throw Error::Overflow();
    }
    return static_cast<std::int16_t>(rounded);
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

} // namespace tavlin
