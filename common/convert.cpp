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

// A well-formed text's magnitude, exactly: 0.d1d2d3... times ten to the
// position. No leading or trailing zeros; no digits for zero.
struct Decimal {
    std::string digits;
    long long position = 0;
};

Decimal ToDecimal(std::string_view t) {
    Decimal d;
    std::size_t i = (t.front() == '+' || t.front() == '-') ? 1 : 0;
    bool afterPoint = false;
    for (; i < t.size() && (IsDigit(t[i]) || t[i] == '.'); ++i) {
        if (t[i] == '.') {
            afterPoint = true;
        } else if (d.digits.empty() && t[i] == '0') {
            d.position -= afterPoint ? 1 : 0;
        } else {
            d.digits += t[i];
            d.position += afterPoint ? 0 : 1;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    if (i < t.size()) { // at 'e' or 'E'
        ++i;
        bool negative = false;
        if (t[i] == '+' || t[i] == '-') {
            negative = t[i] == '-';
            ++i;
        }
        long long exponent = 0;
        for (; i < t.size(); ++i) {
            if (exponent < 1'000'000'000) {
                exponent = exponent * 10 + (t[i] - '0');
            }
        }
        d.position += negative ? -exponent : exponent;
    }
    return d;
}

// Orders two non-zero magnitudes: negative, zero or positive.
int Compare(const Decimal& a, const Decimal& b) {
    if (a.position != b.position) {
        return a.position < b.position ? -1 : 1;
    }
    return a.digits.compare(b.digits);
}

// from_chars reports both overflow and underflow as out of range; tell them
// apart by the magnitude the text writes.
bool WritesHugeMagnitude(std::string_view t) {
    const Decimal d = ToDecimal(t);
    return !d.digits.empty() && d.position > 0;
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
    char* end = half + sizeof half;
    char* p = end;
    *--p = '5';
    *--p = '.';
    auto magnitude = static_cast<unsigned long long>(std::fabs(whole));
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const int order = Compare(ToDecimal(TrimBlanks(text)), ToDecimal(std::string_view(p, end)));
    if (order == 0) {
        return std::nearbyint(value);
    }
    return order > 0 ? whole + std::copysign(1.0, value) : whole;
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
    return RoundToInt32(RoundText(text));
}

std::int16_t ToInteger16(std::string_view text) {
    const double r = RoundText(text);
    if (!(r >= -32768.0 && r <= 32767.0)) {
        throw Error::Overflow();
    }
    return static_cast<std::int16_t>(r);
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
