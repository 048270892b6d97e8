// The core's text-to-number conversions against the automation runtime's
// own (VarR8FromStr, VarI4FromStr, VarI2FromStr, invariant locale), on
// thousands of generated texts: well-formed numbers, mutations of them and
// noise over the characters that matter to the grammar.
//
//   convert_diff.exe [--seed N] [--count N] [--verbose] [--trace] [--text T]...
//
// Exit status 0 when every difference is a form the core leaves out on
// purpose (OleOnlyForm) or a known fault of Wine's runtime (WineFault), 1 on
// any other mismatch, 2 on a usage or internal error.
#include "common/convert.h"
#include "common/error.h"
#include "common/quoted.h"
#include "common/text_win.h"
#include "common/unique_win.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tavlin::ErrorCode;
using tavlin::Quoted;

constexpr std::uint64_t kDefaultSeed = 20070130;
constexpr int kDefaultCount = 6000;
constexpr std::string_view kBlanks = " \t\r\n";
constexpr std::string_view kAlphabet = " \t\r\n+-0123456789.eE";

// One conversion's outcome, from either side.
struct Outcome {
    enum Kind { Value, TypeMismatch, Overflow, Other } kind = Other;
    double value = 0.0;       // R8
    std::int64_t integer = 0; // I4, I2
    std::uint32_t detail = 0; // the HRESULT or error code of an Other
};

// Doubles compare by their bits, so -0 differs from 0 and a NaN equals
// itself.
bool operator==(const Outcome& left, const Outcome& right) {
    if (left.kind != right.kind) {
        return false;
    }
    if (left.kind != Outcome::Value) {
        return left.kind != Outcome::Other || left.detail == right.detail;
    }
    std::uint64_t leftBits = 0;
    std::uint64_t rightBits = 0;
    std::memcpy(&leftBits, &left.value, sizeof leftBits);
    std::memcpy(&rightBits, &right.value, sizeof rightBits);
    return leftBits == rightBits && left.integer == right.integer;
}

std::string Describe(const Outcome& outcome, bool isDouble) {
    char text[96];
    switch (outcome.kind) {
    case Outcome::Value:
        if (isDouble) {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &outcome.value, sizeof bits);
            std::snprintf(text, sizeof text, "%.17g (0x%016" PRIx64 ")", outcome.value, bits);
        } else {
            std::snprintf(text, sizeof text, "%" PRId64, outcome.integer);
        }
        return text;
    case Outcome::TypeMismatch:
        return "type mismatch";
    case Outcome::Overflow:
        return "overflow";
    case Outcome::Other:
        break;
    }
    std::snprintf(text, sizeof text, "other failure 0x%08" PRIx32, outcome.detail);
    return text;
}

// ---- the two sides ---------------------------------------------------------

struct Conversion {
    const char* name;
    bool isDouble;
    std::function<Outcome(std::string_view)> core;
    std::function<Outcome(BSTR)> ole;
};

Outcome CoreOutcome(const std::function<void(Outcome&)>& convert) {
    Outcome outcome;
    try {
        convert(outcome);
        outcome.kind = Outcome::Value;
    } catch (const tavlin::Error& error) {
        outcome.kind = error.code() == ErrorCode::TypeMismatch ? Outcome::TypeMismatch
                       : error.code() == ErrorCode::Overflow   ? Outcome::Overflow
                                                               : Outcome::Other;
        outcome.detail = static_cast<std::uint32_t>(error.code());
    }
    return outcome;
}

Outcome OleOutcome(HRESULT hr) {
    Outcome outcome;
    outcome.kind = hr == S_OK                  ? Outcome::Value
                   : hr == DISP_E_TYPEMISMATCH ? Outcome::TypeMismatch
                   : hr == DISP_E_OVERFLOW     ? Outcome::Overflow
                                               : Outcome::Other;
    outcome.detail = static_cast<std::uint32_t>(hr);
    return outcome;
}

const std::array<Conversion, 3> kConversions = {{
    {"R8", true,
     [](std::string_view text) {
         return CoreOutcome([&](Outcome& outcome) { outcome.value = tavlin::ToNumber(text); });
     },
     [](BSTR text) {
         double converted = 0.0;
         Outcome outcome = OleOutcome(::VarR8FromStr(text, LOCALE_INVARIANT, 0, &converted));
         outcome.value = outcome.kind == Outcome::Value ? converted : 0.0;
         return outcome;
     }},
    {"I4", false,
     [](std::string_view text) {
         return CoreOutcome(
             [&](Outcome& outcome) { outcome.integer = tavlin::ToWholeNumber(text); });
     },
     [](BSTR text) {
         LONG converted = 0;
         Outcome outcome = OleOutcome(::VarI4FromStr(text, LOCALE_INVARIANT, 0, &converted));
         outcome.integer = outcome.kind == Outcome::Value ? converted : 0;
         return outcome;
     }},
    {"I2", false,
     [](std::string_view text) {
         return CoreOutcome([&](Outcome& outcome) { outcome.integer = tavlin::ToInteger16(text); });
     },
     [](BSTR text) {
         SHORT converted = 0;
         Outcome outcome = OleOutcome(::VarI2FromStr(text, LOCALE_INVARIANT, 0, &converted));
         outcome.integer = outcome.kind == Outcome::Value ? converted : 0;
         return outcome;
     }},
}};

// ---- what only the runtime accepts ---------------------------------------
//
// The core takes one optional sign, right before the digits. The runtime
// also takes signs elsewhere; a text of such a form is split into its signs
// and its unsigned number, and the runtime must read it as that number,
// negative when any of the signs is a minus (its own rule: "1+-" is -1).

bool IsBlank(char c) {
    return kBlanks.find(c) != std::string_view::npos;
}
bool IsSign(char c) {
    return c == '+' || c == '-';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

enum class OleOnlyForm {
    // "12-", "12 +", "+1-": accounting style, a sign after the number.
    // Settings are written by our own code as plain numbers, and reading
    // "1-" as -1 would turn a typo into a value.
    TrailingSign,
    // "+-1", "- +1": a plus and a minus in front; which one wins is the
    // runtime's guess, not something a writer meant.
    TwoLeadingSigns,
    // "- 1", "+\t7": a blank between the sign and the digits, which the core
    // reads as two tokens.
    BlankAfterSign,
    // "1e+-4", "1E--4": more than one sign in the exponent, read as negative
    // when any is a minus; never written by anyone on purpose.
    ExponentSigns,
};
constexpr const char* kOleOnlyFormNames[] = {"trailing sign", "two leading signs",
                                             "blank between sign and digits",
                                             "several signs in the exponent"};
constexpr std::size_t kOleOnlyFormCount = std::size(kOleOnlyFormNames);

bool IsUnsignedNumber(std::string_view text) {
    if (text.empty() || IsSign(text.front())) {
        return false;
    }
    try {
        (void)tavlin::ToNumber(text);
        return true;
    } catch (const tavlin::Error& error) {
        return error.code() == ErrorCode::Overflow;
    }
}

// The form of `text` and, in `canonical`, the number it stands for with its
// one leading sign; nullopt when the text is of none of the forms.
std::optional<OleOnlyForm> ClassifyOleOnly(std::string_view text, std::string& canonical) {
    // The exponent's signs become one, so the rest sees a single-signed
    // exponent.
    std::string oneExponentSign(Trim(text));
    bool exponentSigns = false;
    if (const std::size_t exponentAt = oneExponentSign.find_first_of("eE");
        exponentAt != std::string::npos) {
        std::size_t signsEnd = exponentAt + 1;
        while (signsEnd < oneExponentSign.size() && IsSign(oneExponentSign[signsEnd])) {
            ++signsEnd;
        }
        if (signsEnd - exponentAt > 2) {
            const bool minus = oneExponentSign.find('-', exponentAt) < signsEnd;
            oneExponentSign.replace(exponentAt + 1, signsEnd - exponentAt - 1, minus ? "-" : "+");
            exponentSigns = true;
        }
    }
    const auto isSignOrBlank = [](char c) { return IsSign(c) || IsBlank(c); };
    std::size_t numberBegin = 0;
    while (numberBegin < oneExponentSign.size() && isSignOrBlank(oneExponentSign[numberBegin])) {
        ++numberBegin;
    }
    std::size_t numberEnd = oneExponentSign.size();
    while (numberEnd > numberBegin && isSignOrBlank(oneExponentSign[numberEnd - 1])) {
        --numberEnd;
    }
    const std::string_view whole = oneExponentSign;
    const std::string_view leading = whole.substr(0, numberBegin);
    const std::string_view number = whole.substr(numberBegin, numberEnd - numberBegin);
    const std::string_view trailing = whole.substr(numberEnd);
    if (!IsUnsignedNumber(number)) {
        return std::nullopt;
    }
    const auto signCount = [](std::string_view part) {
        return std::count_if(part.begin(), part.end(), IsSign);
    };
    const bool negative =
        (std::string(leading) + std::string(trailing)).find('-') != std::string::npos;
    canonical = (negative ? "-" : "") + std::string(number);
    if (signCount(trailing) > 0) {
        return OleOnlyForm::TrailingSign;
    }
    if (signCount(leading) > 1) {
        return OleOnlyForm::TwoLeadingSigns;
    }
    if (signCount(leading) == 1 && IsBlank(leading.back())) {
        return OleOnlyForm::BlankAfterSign;
    }
    if (exponentSigns) {
        return OleOnlyForm::ExponentSigns;
    }
    return std::nullopt;
}

// ---- where Wine's runtime is wrong -----------------------------------------
//
// Differences that are faults of Wine's oleaut32 (as of Wine 8), not of the
// core, each checked as narrowly as the fault allows and counted apart.

enum class WineFault {
    // VarR8FromStr scales the digits by powers of ten in double arithmetic,
    // so its result can be a few units in the last place off the nearest
    // double, and near the largest double it can overflow. Allowed only
    // where the core's double is the correctly rounded one (checked against
    // MinGW's own strtod, a separate implementation) and Wine's lies within
    // kUlpSlack of it.
    InexactDouble,
    // VarI4FromStr and VarI2FromStr round a number below 0.1 to 1 when its
    // first significant digit is above 5 (or 5 with more digits after):
    // they look at that digit as if it were the tenths.
    SmallNumberToOne,
};
constexpr const char* kWineFaultNames[] = {"inexact double (within a few ulp)",
                                           "below 0.1 rounded to +-1"};
constexpr std::size_t kWineFaultCount = std::size(kWineFaultNames);
constexpr std::uint64_t kUlpSlack = 16;

std::uint64_t Bits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Distance in units in the last place between two finite doubles.
std::uint64_t UlpDistance(double first, double second) {
    // Map the sign-magnitude bit patterns onto a line that is monotonic in
    // the value, so adjacent doubles are 1 apart, across zero as well.
    const auto placeOnLine = [](double value) {
        const std::uint64_t bits = Bits(value);
        return (bits >> 63) ? 0x8000000000000000u - (bits & 0x7fffffffffffffffu)
                            : 0x8000000000000000u + bits;
    };
    const std::uint64_t firstPlace = placeOnLine(first);
    const std::uint64_t secondPlace = placeOnLine(second);
    return firstPlace > secondPlace ? firstPlace - secondPlace : secondPlace - firstPlace;
}

// The decimal position of the text's first significant digit: 1 for "3",
// 0 for "0.3", -1 for "0.03"; the exponent counted in. nullopt for zero.
std::optional<long long> LeadingDigitPosition(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    long long position = 0;
    bool afterPoint = false;
    bool found = false;
    std::size_t at = (!trimmed.empty() && IsSign(trimmed.front())) ? 1 : 0;
    for (; at < trimmed.size() && trimmed[at] != 'e' && trimmed[at] != 'E'; ++at) {
        if (trimmed[at] == '.') {
            afterPoint = true;
        } else if (!found && trimmed[at] == '0') {
            position -= afterPoint ? 1 : 0;
        } else {
            found = true;
            position += afterPoint ? 0 : 1;
        }
    }
    if (!found) {
        return std::nullopt;
    }
    if (at < trimmed.size()) {
        position += std::strtoll(std::string(trimmed.substr(at + 1)).c_str(), nullptr, 10);
    }
    return position;
}

std::optional<WineFault> ExplainByWine(const Conversion& conversion, std::string_view text,
                                       const Outcome& core, const Outcome& ole) {
    if (conversion.isDouble && core.kind == Outcome::Value && std::isfinite(core.value)) {
        const std::string trimmed(Trim(text));
        if (Bits(__mingw_strtod(trimmed.c_str(), nullptr)) != Bits(core.value)) {
            return std::nullopt;
        }
        if (ole.kind == Outcome::Value && UlpDistance(core.value, ole.value) <= kUlpSlack) {
            return WineFault::InexactDouble;
        }
        if (ole.kind == Outcome::Overflow &&
            UlpDistance(std::fabs(core.value), DBL_MAX) <= kUlpSlack) {
            return WineFault::InexactDouble;
        }
        return std::nullopt;
    }
    if (!conversion.isDouble && core.kind == Outcome::Value && core.integer == 0 &&
        ole.kind == Outcome::Value && (ole.integer == 1 || ole.integer == -1)) {
        const auto position = LeadingDigitPosition(text);
        const bool negative = Trim(text).front() == '-';
        if (position && *position < 0 && (ole.integer < 0) == negative) {
            return WineFault::SmallNumberToOne;
        }
    }
    return std::nullopt;
}

// Wine reads the exponent into a 32-bit int that wraps (1e4294967296 is 1)
// and crashes at -2^31, so texts whose exponent has ten or more significant
// digits are not put to it at all. They are far outside every range.
bool HasHugeExponent(std::string_view text) {
    const std::size_t exponentAt = text.find_first_of("eE");
    if (exponentAt == std::string_view::npos) {
        return false;
    }
    std::size_t at = exponentAt + 1;
    if (at < text.size() && IsSign(text[at])) {
        ++at;
    }
    while (at < text.size() && text[at] == '0') {
        ++at;
    }
    std::size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at;
        ++digits;
    }
    return digits >= 10;
}

// ---- the texts -------------------------------------------------------------

struct Sample {
    std::string text;
    bool wellFormed;
};

class Generator {
public:
    explicit Generator(std::uint64_t seed) : rng_(seed) {}

    Sample Next() {
        const int kind = Below(10);
        if (kind < 5) {
            return {WellFormed(), true};
        }
        if (kind < 7) {
            return {Mutated(WellFormed()), false};
        }
        return {Noise(), false};
    }

private:
    int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(rng_); }
    bool Chance(int percent) { return Below(100) < percent; }
    char Pick(std::string_view from) {
        return from[static_cast<std::size_t>(Below(static_cast<int>(from.size())))];
    }
    std::string Digits(int count) {
        std::string digits;
        for (int i = 0; i < count; ++i) {
            digits += static_cast<char>('0' + Below(10));
        }
        return digits;
    }
    std::string Blanks() {
        std::string blanks;
        while (Chance(25)) {
            blanks += Pick(kBlanks);
        }
        return blanks;
    }
    std::string Sign() {
        const int choice = Below(3);
        return choice == 0 ? "" : choice == 1 ? "+" : "-";
    }
    std::string Exponent(bool large) {
        std::string exponent(1, Pick("eE"));
        exponent += Sign();
        if (large) {
            // Around the largest and smallest doubles, and far beyond (but
            // within Wine's 32-bit exponent, see HasHugeExponent).
            static const char* const kLargeExponents[] = {
                "290", "305", "306", "307", "308", "309",  "310",   "320",       "323",
                "324", "325", "330", "400", "999", "0308", "99999", "999999999", "0000000400"};
            exponent += kLargeExponents[Below(static_cast<int>(std::size(kLargeExponents)))];
        } else {
            exponent += Digits(1 + Below(2));
        }
        return exponent;
    }

    // A number near a limit of the integer types, or a half: the values
    // where rounding and range checks decide.
    std::string NearLimit() {
        static const char* const kWhole[] = {
            "0",          "1",          "2",          "3",         "32766",      "32767",
            "32768",      "32769",      "65535",      "65536",     "2147483646", "2147483647",
            "2147483648", "2147483649", "4294967295", "4294967296"};
        static const char* const kFraction[] = {
            "",    ".",   ".0",          ".5",          ".50",
            ".49", ".51", ".4999999999", ".5000000001", ".49999999999999999999",
            ".25", ".75"};
        std::string whole = kWhole[Below(static_cast<int>(std::size(kWhole)))];
        std::string fraction = kFraction[Below(static_cast<int>(std::size(kFraction)))];
        if (!Chance(30)) {
            return whole + fraction;
        }
        // The same value written with the point moved and an exponent.
        std::string digits = whole + (fraction.empty() ? "" : fraction.substr(1));
        const int point = static_cast<int>(whole.size());
        const int moved = Below(point + 1);
        const std::string mantissa = digits.substr(0, static_cast<std::size_t>(moved)) + "." +
                                     digits.substr(static_cast<std::size_t>(moved));
        return (mantissa == "." ? "0." : mantissa) + "e" + std::to_string(point - moved);
    }

    // Digits with or without a point, mostly few, now and then many.
    std::string PlainNumber() {
        std::string number = Digits(Below(4) == 0 ? Below(25) : Below(6));
        if (Chance(50)) {
            number += '.';
            number += Digits(Below(4) == 0 ? Below(25) : Below(6));
        }
        if (number.empty() || number == ".") {
            number.insert(0, Digits(1));
        }
        return number;
    }

    std::string WellFormed() {
        std::string number;
        switch (Below(6)) {
        case 0:
        case 1:
            number = PlainNumber() + (Chance(40) ? Exponent(false) : "");
            break;
        case 2:
        case 3:
            number = NearLimit();
            break;
        case 4:
            number = std::to_string(Below(12)) + ".5";
            break;
        default:
            number = PlainNumber() + Exponent(true);
            break;
        }
        return Blanks() + Sign() + number + Blanks();
    }

    // One or two characters inserted, deleted or replaced.
    std::string Mutated(std::string text) {
        for (int edits = 1 + Below(2); edits > 0; --edits) {
            const auto at = static_cast<std::size_t>(Below(static_cast<int>(text.size()) + 1));
            switch (Below(3)) {
            case 0:
                text.insert(at, 1, Pick(kAlphabet));
                break;
            case 1:
                if (at < text.size()) {
                    text.erase(at, 1);
                }
                break;
            default:
                if (at < text.size()) {
                    text[at] = Pick(kAlphabet);
                }
            }
        }
        return text;
    }

    std::string Noise() {
        std::string noise;
        for (int left = Below(11); left > 0; --left) {
            noise += Pick(kAlphabet);
        }
        return noise;
    }

    std::mt19937_64 rng_;
};

// Texts every run tries, whatever the seed: the boundaries themselves.
const Sample kFixedSamples[] = {
    {"", false},
    {" ", false},
    {"\t\r\n", false},
    {".", false},
    {"+", false},
    {"-", false},
    {"e", false},
    {"1e", false},
    {"1e+", false},
    {"e1", false},
    {".e1", false},
    {"1..2", false},
    {"+-1", false},
    {"-+1", false},
    {"--1", false},
    {"- 1", false},
    {"1 2", false},
    {"1e1.5", false},
    {"1ee1", false},
    {"1-", false},
    {"1+", false},
    {"1 -", false},
    {"-1-", false},
    {"1-2", false},
    {"0", true},
    {"-0", true},
    {"+0", true},
    {"-0.0e5", true},
    {"1.", true},
    {".5", true},
    {"-.5", true},
    {"1.e1", true},
    {"2.5", true},
    {"-2.5", true},
    {"0.5", true},
    {"-0.5", true},
    {"1.5", true},
    {"3.5", true},
    {"32767.5", true},
    {"-32768.5", true},
    {"32767.4", true},
    {"-32768.6", true},
    {"32768", true},
    {"-32769", true},
    {"2147483647.5", true},
    {"-2147483648.5", true},
    {"2147483647.4", true},
    {"-2147483648.51", true},
    {"2147483648", true},
    {"-2147483649", true},
    {"1e308", true},
    {"1.7976931348623157e308", true},
    {"1.7976931348623159e308", true},
    {"1e309", true},
    {"-1e309", true},
    {"1e-400", true},
    {"4.9e-324", true},
    {"2.4703282292062328e-324", true},
    {"0.1", true},
    {"1e99999999999999999999", true},
    {" \t1\r\n", true},
    {"007", true},
    {"123456789012345678901234567890", true},
};

// ---- the run ---------------------------------------------------------------

struct Tally {
    long texts = 0;
    long skipped = 0; // kept from Wine by HasHugeExponent
    long bothAccept = 0;
    long bothReject = 0;
    long mismatches = 0;
    long oleOnly[kOleOnlyFormCount] = {};
    long wineFaults[kWineFaultCount] = {};
    std::uint64_t worstUlp = 0;
    // Every outcome of each side folded in turn (FNV-1a): the i686 and the
    // x86_64 build must print the same core digest for the same texts, so
    // that their floating point cannot part ways unseen.
    std::uint64_t coreDigest = 14695981039346656037ULL;
    std::uint64_t oleDigest = 14695981039346656037ULL;
};

void Fold(std::uint64_t& digest, std::uint64_t word) {
    for (int byte = 0; byte < 8; ++byte) {
        digest ^= (word >> (8 * byte)) & 0xFF;
        digest *= 1099511628211ULL;
    }
}

void Fold(std::uint64_t& digest, const Outcome& outcome) {
    Fold(digest, static_cast<std::uint64_t>(outcome.kind));
    Fold(digest, Bits(outcome.value));
    Fold(digest, static_cast<std::uint64_t>(outcome.integer));
    Fold(digest, outcome.detail);
}

void Report(const char* what, const Conversion& conversion, std::string_view text,
            const Outcome& core, const Outcome& ole, const std::string& note = {}) {
    std::printf("MISMATCH %s %s %s: core %s, oleaut32 %s%s\n", what, conversion.name,
                Quoted(text).c_str(), Describe(core, conversion.isDouble).c_str(),
                Describe(ole, conversion.isDouble).c_str(), note.c_str());
}

struct Options {
    bool verbose = false; // every allowed difference, not just the counts
    bool trace = false;   // each text before it is tried, to find one that crashes
};

// Equal outcomes, or a difference that is Wine's fault; false (and counted
// as a mismatch by the caller) otherwise.
bool Agree(const Conversion& conversion, std::string_view text, const Outcome& core,
           const Outcome& ole, bool countApart, Tally& tally, const Options& options) {
    if (core == ole) {
        return true;
    }
    const auto fault = ExplainByWine(conversion, text, core, ole);
    if (!fault) {
        return false;
    }
    if (!countApart) {
        return true; // counted under its listed form
    }
    ++tally.wineFaults[static_cast<std::size_t>(*fault)];
    if (*fault == WineFault::InexactDouble && ole.kind == Outcome::Value) {
        tally.worstUlp = std::max(tally.worstUlp, UlpDistance(core.value, ole.value));
    }
    if (options.verbose) {
        std::printf("Wine's fault (%s) %s %s: core %s, oleaut32 %s\n",
                    kWineFaultNames[static_cast<std::size_t>(*fault)], conversion.name,
                    Quoted(text).c_str(), Describe(core, conversion.isDouble).c_str(),
                    Describe(ole, conversion.isDouble).c_str());
    }
    return true;
}

void Compare(const Sample& sample, Tally& tally, const Options& options) {
    ++tally.texts;
    if (options.trace) {
        std::printf("trying %s\n", Quoted(sample.text).c_str());
        std::fflush(stdout);
    }
    if (HasHugeExponent(sample.text)) {
        ++tally.skipped;
        return;
    }
    // Sized by its UTF-16 units: a --text beyond ASCII has fewer of them
    // than bytes.
    const std::wstring wideText = tavlin::Utf8ToWide(sample.text);
    const tavlin::UniqueBstr oleText{
        ::SysAllocStringLen(wideText.c_str(), static_cast<UINT>(wideText.size()))};
    if (!oleText.get()) {
        throw tavlin::Error::OutOfMemory();
    }
    for (const auto& conversion : kConversions) {
        const Outcome core = conversion.core(sample.text);
        const Outcome ole = conversion.ole(oleText.get());
        Fold(tally.coreDigest, core);
        Fold(tally.oleDigest, ole);
        const bool coreParsed = core.kind == Outcome::Value || core.kind == Outcome::Overflow;
        const bool oleParsed = ole.kind == Outcome::Value || ole.kind == Outcome::Overflow;
        if (sample.wellFormed && (!coreParsed || !oleParsed)) {
            ++tally.mismatches;
            Report("well-formed number turned down", conversion, sample.text, core, ole);
            continue;
        }
        std::string canonical;
        const auto form = ClassifyOleOnly(sample.text, canonical);
        if (core.kind != Outcome::TypeMismatch && form) {
            ++tally.mismatches;
            Report("the core accepts a form it leaves out on purpose:", conversion, sample.text,
                   core, ole);
            continue;
        }
        if (core.kind != Outcome::TypeMismatch) {
            if (core == ole) {
                ++tally.bothAccept;
            } else if (!Agree(conversion, sample.text, core, ole, true, tally, options)) {
                ++tally.mismatches;
                Report("different results", conversion, sample.text, core, ole);
            }
            continue;
        }
        if (ole.kind == Outcome::TypeMismatch) {
            ++tally.bothReject;
            continue;
        }
        if (!form) {
            ++tally.mismatches;
            Report("only oleaut32 accepts, in no listed form:", conversion, sample.text, core, ole);
            continue;
        }
        const Outcome meant = conversion.core(canonical);
        if (!Agree(conversion, canonical, meant, ole, false, tally, options)) {
            ++tally.mismatches;
            Report("listed form read otherwise", conversion, sample.text, meant, ole,
                   " (the core's result is for " + Quoted(canonical) + ")");
            continue;
        }
        ++tally.oleOnly[static_cast<std::size_t>(*form)];
        if (options.verbose) {
            std::printf("only oleaut32 (%s) %s %s: %s\n",
                        kOleOnlyFormNames[static_cast<std::size_t>(*form)], conversion.name,
                        Quoted(sample.text).c_str(), Describe(ole, conversion.isDouble).c_str());
        }
    }
}

int PrintSummary(const Tally& tally);

// "\t", "\r", "\n" and "\\" as in the mismatch reports, so a reported text
// can be passed back with --text.
std::string Unescape(std::string_view escaped) {
    std::string text;
    for (std::size_t at = 0; at < escaped.size(); ++at) {
        if (escaped[at] != '\\' || at + 1 == escaped.size()) {
            text += escaped[at];
            continue;
        }
        const char code = escaped[++at];
        text += code == 't' ? '\t' : code == 'r' ? '\r' : code == 'n' ? '\n' : code;
    }
    return text;
}

int Run(int argc, char** argv) {
    std::uint64_t seed = kDefaultSeed;
    long count = kDefaultCount;
    Options options;
    std::vector<Sample> givenTexts; // --text: just these, to retry one by hand
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--seed" && i + 1 < argc) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (option == "--count" && i + 1 < argc) {
            count = std::strtol(argv[++i], nullptr, 10);
        } else if (option == "--verbose") {
            options.verbose = true;
        } else if (option == "--text" && i + 1 < argc) {
            givenTexts.push_back({Unescape(argv[++i]), false});
        } else if (option == "--trace") {
            options.trace = true;
        } else {
            std::fprintf(
                stderr,
                "usage: convert_diff [--seed N] [--count N] [--verbose] [--trace] [--text T]...\n");
            return 2;
        }
    }
    std::printf("seed %" PRIu64 ", %ld generated texts and %zu fixed ones\n", seed, count,
                std::size(kFixedSamples));

    Tally tally;
    if (!givenTexts.empty()) {
        for (const auto& sample : givenTexts) {
            Compare(sample, tally, options);
        }
        return PrintSummary(tally);
    }
    for (const auto& sample : kFixedSamples) {
        Compare(sample, tally, options);
    }
    Generator generator(seed);
    for (long i = 0; i < count; ++i) {
        Compare(generator.Next(), tally, options);
    }

    return PrintSummary(tally);
}

int PrintSummary(const Tally& tally) {
    std::printf("texts tried: %ld, each by R8, I4 and I2\n", tally.texts);
    std::printf("texts not put to Wine (exponent of 10+ digits): %ld\n", tally.skipped);
    std::printf("conversions with the same result from both (overflow included): %ld\n",
                tally.bothAccept);
    std::printf("conversions rejected by both: %ld\n", tally.bothReject);
    for (std::size_t i = 0; i < kOleOnlyFormCount; ++i) {
        std::printf("only oleaut32, %s: %ld\n", kOleOnlyFormNames[i], tally.oleOnly[i]);
    }
    for (std::size_t i = 0; i < kWineFaultCount; ++i) {
        std::printf("Wine's fault, %s: %ld\n", kWineFaultNames[i], tally.wineFaults[i]);
    }
    std::printf("worst inexact double: %" PRIu64 " ulp\n", tally.worstUlp);
    std::printf("core results digest: %016" PRIx64 "\n", tally.coreDigest);
    std::printf("oleaut32 results digest: %016" PRIx64 "\n", tally.oleDigest);
    std::printf("mismatches: %ld\n", tally.mismatches);
    return tally.mismatches == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (...) {
        std::fprintf(stderr, "convert_diff: %s\n", tavlin::CurrentError().description().c_str());
        return 2;
    }
}
