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

bool operator==(const Outcome& a, const Outcome& b) {
    if (a.kind != b.kind) {
        return false;
    }
    if (a.kind != Outcome::Value) {
        return a.kind != Outcome::Other || a.detail == b.detail;
    }
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::memcpy(&x, &a.value, sizeof x);
    std::memcpy(&y, &b.value, sizeof y);
    return x == y && a.integer == b.integer;
}

std::string Describe(const Outcome& o, bool isDouble) {
    char buf[96];
    switch (o.kind) {
    case Outcome::Value:
        if (isDouble) {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &o.value, sizeof bits);
            std::snprintf(buf, sizeof buf, "%.17g (0x%016" PRIx64 ")", o.value, bits);
        } else {
            std::snprintf(buf, sizeof buf, "%" PRId64, o.integer);
        }
        return buf;
    case Outcome::TypeMismatch:
        return "type mismatch";
    case Outcome::Overflow:
        return "overflow";
    case Outcome::Other:
        break;
    }
    std::snprintf(buf, sizeof buf, "other failure 0x%08" PRIx32, o.detail);
    return buf;
}

// ---- the two sides ---------------------------------------------------------

struct Conversion {
    const char* name;
    bool isDouble;
    std::function<Outcome(std::string_view)> core;
    std::function<Outcome(BSTR)> ole;
};

Outcome CoreOutcome(const std::function<void(Outcome&)>& convert) {
    Outcome o;
    try {
        convert(o);
        o.kind = Outcome::Value;
    } catch (const tavlin::Error& e) {
        o.kind = e.code() == ErrorCode::TypeMismatch ? Outcome::TypeMismatch
                 : e.code() == ErrorCode::Overflow   ? Outcome::Overflow
                                                     : Outcome::Other;
        o.detail = static_cast<std::uint32_t>(e.code());
    }
    return o;
}

Outcome OleOutcome(HRESULT hr) {
    Outcome o;
    o.kind = hr == S_OK                  ? Outcome::Value
             : hr == DISP_E_TYPEMISMATCH ? Outcome::TypeMismatch
             : hr == DISP_E_OVERFLOW     ? Outcome::Overflow
                                         : Outcome::Other;
    o.detail = static_cast<std::uint32_t>(hr);
    return o;
}

const std::array<Conversion, 3> kConversions = {{
    {"R8", true,
     [](std::string_view t) {
         return CoreOutcome([&](Outcome& o) { o.value = tavlin::ToNumber(t); });
     },
     [](BSTR b) {
         double v = 0.0;
         Outcome o = OleOutcome(::VarR8FromStr(b, LOCALE_INVARIANT, 0, &v));
         o.value = o.kind == Outcome::Value ? v : 0.0;
         return o;
     }},
    {"I4", false,
     [](std::string_view t) {
         return CoreOutcome([&](Outcome& o) { o.integer = tavlin::ToWholeNumber(t); });
     },
     [](BSTR b) {
         LONG v = 0;
         Outcome o = OleOutcome(::VarI4FromStr(b, LOCALE_INVARIANT, 0, &v));
         o.integer = o.kind == Outcome::Value ? v : 0;
         return o;
     }},
    {"I2", false,
     [](std::string_view t) {
         return CoreOutcome([&](Outcome& o) { o.integer = tavlin::ToInteger16(t); });
     },
     [](BSTR b) {
         SHORT v = 0;
         Outcome o = OleOutcome(::VarI2FromStr(b, LOCALE_INVARIANT, 0, &v));
         o.integer = o.kind == Outcome::Value ? v : 0;
         return o;
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

std::string_view Trim(std::string_view t) {
    while (!t.empty() && IsBlank(t.front())) {
        t.remove_prefix(1);
    }
    while (!t.empty() && IsBlank(t.back())) {
        t.remove_suffix(1);
    }
    return t;
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

bool IsUnsignedNumber(std::string_view t) {
    if (t.empty() || IsSign(t.front())) {
        return false;
    }
    try {
        (void)tavlin::ToNumber(t);
        return true;
    } catch (const tavlin::Error& e) {
        return e.code() == ErrorCode::Overflow;
    }
}

// The form of `text` and, in `canonical`, the number it stands for with its
// one leading sign; nullopt when the text is of none of the forms.
std::optional<OleOnlyForm> ClassifyOleOnly(std::string_view text, std::string& canonical) {
    std::string t(Trim(text));
    bool exponentSigns = false;
    if (const std::size_t e = t.find_first_of("eE"); e != std::string::npos) {
        std::size_t end = e + 1;
        while (end < t.size() && IsSign(t[end])) {
            ++end;
        }
        if (end - e > 2) {
            const bool minus = t.find('-', e) < end;
            t.replace(e + 1, end - e - 1, minus ? "-" : "+");
            exponentSigns = true;
        }
    }
    const auto isSignOrBlank = [](char c) { return IsSign(c) || IsBlank(c); };
    std::size_t begin = 0;
    while (begin < t.size() && isSignOrBlank(t[begin])) {
        ++begin;
    }
    std::size_t end = t.size();
    while (end > begin && isSignOrBlank(t[end - 1])) {
        --end;
    }
    const std::string_view whole = t;
    const std::string_view lead = whole.substr(0, begin);
    const std::string_view number = whole.substr(begin, end - begin);
    const std::string_view trail = whole.substr(end);
    if (!IsUnsignedNumber(number)) {
        return std::nullopt;
    }
    const auto signs = [](std::string_view part) {
        return std::count_if(part.begin(), part.end(), IsSign);
    };
    const bool negative = (std::string(lead) + std::string(trail)).find('-') != std::string::npos;
    canonical = (negative ? "-" : "") + std::string(number);
    if (signs(trail) > 0) {
        return OleOnlyForm::TrailingSign;
    }
    if (signs(lead) > 1) {
        return OleOnlyForm::TwoLeadingSigns;
    }
    if (signs(lead) == 1 && IsBlank(lead.back())) {
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

std::uint64_t Bits(double d) {
    std::uint64_t b = 0;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

// Distance in units in the last place between two finite doubles.
std::uint64_t UlpDistance(double a, double b) {
    // Map the sign-magnitude bit patterns onto a line that is monotonic in
    // the value, so adjacent doubles are 1 apart, across zero as well.
    const auto line = [](double d) {
        const std::uint64_t b = Bits(d);
        return (b >> 63) ? 0x8000000000000000u - (b & 0x7fffffffffffffffu)
                         : 0x8000000000000000u + b;
    };
    const std::uint64_t x = line(a);
    const std::uint64_t y = line(b);
    return x > y ? x - y : y - x;
}

// The decimal position of the text's first significant digit: 1 for "3",
// 0 for "0.3", -1 for "0.03"; the exponent counted in. nullopt for zero.
std::optional<long long> LeadingDigitPosition(std::string_view text) {
    const std::string_view t = Trim(text);
    long long position = 0;
    bool afterPoint = false;
    bool found = false;
    std::size_t i = (!t.empty() && IsSign(t.front())) ? 1 : 0;
    for (; i < t.size() && t[i] != 'e' && t[i] != 'E'; ++i) {
        if (t[i] == '.') {
            afterPoint = true;
        } else if (!found && t[i] == '0') {
            position -= afterPoint ? 1 : 0;
        } else {
            found = true;
            position += afterPoint ? 0 : 1;
        }
    }
    if (!found) {
        return std::nullopt;
    }
    if (i < t.size()) {
        position += std::strtoll(std::string(t.substr(i + 1)).c_str(), nullptr, 10);
    }
    return position;
}

std::optional<WineFault> ExplainByWine(const Conversion& c, std::string_view text,
                                       const Outcome& core, const Outcome& ole) {
    if (c.isDouble && core.kind == Outcome::Value && std::isfinite(core.value)) {
        const std::string t(Trim(text));
        if (Bits(__mingw_strtod(t.c_str(), nullptr)) != Bits(core.value)) {
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
    if (!c.isDouble && core.kind == Outcome::Value && core.integer == 0 &&
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
    const std::size_t e = text.find_first_of("eE");
    if (e == std::string_view::npos) {
        return false;
    }
    std::size_t i = e + 1;
    if (i < text.size() && IsSign(text[i])) {
        ++i;
    }
    while (i < text.size() && text[i] == '0') {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
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
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool Chance(int percent) { return Below(100) < percent; }
    char Pick(std::string_view from) {
        return from[static_cast<std::size_t>(Below(static_cast<int>(from.size())))];
    }
    std::string Digits(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) {
            s += static_cast<char>('0' + Below(10));
        }
        return s;
    }
    std::string Blanks() {
        std::string s;
        while (Chance(25)) {
            s += Pick(kBlanks);
        }
        return s;
    }
    std::string Sign() {
        const int k = Below(3);
        return k == 0 ? "" : k == 1 ? "+" : "-";
    }
    std::string Exponent(bool big) {
        std::string e(1, Pick("eE"));
        e += Sign();
        if (big) {
            // Around the largest and smallest doubles, and far beyond (but
            // within Wine's 32-bit exponent, see HasHugeExponent).
            static const char* const kBig[] = {
                "290", "305", "306", "307", "308", "309",  "310",   "320",       "323",
                "324", "325", "330", "400", "999", "0308", "99999", "999999999", "0000000400"};
            e += kBig[Below(static_cast<int>(std::size(kBig)))];
        } else {
            e += Digits(1 + Below(2));
        }
        return e;
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

    std::string Plain() {
        std::string s = Digits(Below(4) == 0 ? Below(25) : Below(6));
        if (Chance(50)) {
            s += '.';
            s += Digits(Below(4) == 0 ? Below(25) : Below(6));
        }
        if (s.empty() || s == ".") {
            s.insert(0, Digits(1));
        }
        return s;
    }

    std::string WellFormed() {
        std::string number;
        switch (Below(6)) {
        case 0:
        case 1:
            number = Plain() + (Chance(40) ? Exponent(false) : "");
            break;
        case 2:
        case 3:
            number = NearLimit();
            break;
        case 4:
            number = std::to_string(Below(12)) + ".5";
            break;
        default:
            number = Plain() + Exponent(true);
            break;
        }
        return Blanks() + Sign() + number + Blanks();
    }

    std::string Mutated(std::string s) {
        for (int edits = 1 + Below(2); edits > 0; --edits) {
            const auto at = static_cast<std::size_t>(Below(static_cast<int>(s.size()) + 1));
            switch (Below(3)) {
            case 0:
                s.insert(at, 1, Pick(kAlphabet));
                break;
            case 1:
                if (at < s.size()) {
                    s.erase(at, 1);
                }
                break;
            default:
                if (at < s.size()) {
                    s[at] = Pick(kAlphabet);
                }
            }
        }
        return s;
    }

    std::string Noise() {
        std::string s;
        for (int n = Below(11); n > 0; --n) {
            s += Pick(kAlphabet);
        }
        return s;
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
    long skipped = 0; // HasHugeExponent
    long bothAccept = 0;
    long bothReject = 0;
    long mismatches = 0;
    long oleOnly[kOleOnlyFormCount] = {};
    long wineFaults[kWineFaultCount] = {};
    std::uint64_t worstUlp = 0;
};

void Report(const char* what, const Conversion& c, std::string_view text, const Outcome& core,
            const Outcome& ole, const std::string& note = {}) {
    std::printf("MISMATCH %s %s %s: core %s, oleaut32 %s%s\n", what, c.name, Quoted(text).c_str(),
                Describe(core, c.isDouble).c_str(), Describe(ole, c.isDouble).c_str(),
                note.c_str());
}

struct Options {
    bool verbose = false; // every allowed difference, not just the counts
    bool trace = false;   // each text before it is tried, to find one that crashes
};

// Equal outcomes, or a difference that is Wine's fault; false (and counted
// as a mismatch by the caller) otherwise.
bool Agree(const Conversion& c, std::string_view text, const Outcome& core, const Outcome& ole,
           bool countApart, Tally& tally, const Options& options) {
    if (core == ole) {
        return true;
    }
    const auto fault = ExplainByWine(c, text, core, ole);
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
                    kWineFaultNames[static_cast<std::size_t>(*fault)], c.name, Quoted(text).c_str(),
                    Describe(core, c.isDouble).c_str(), Describe(ole, c.isDouble).c_str());
    }
    return true;
}

void Compare(const Sample& s, Tally& tally, const Options& options) {
    ++tally.texts;
    if (options.trace) {
        std::printf("trying %s\n", Quoted(s.text).c_str());
        std::fflush(stdout);
    }
    if (HasHugeExponent(s.text)) {
        ++tally.skipped;
        return;
    }
    const tavlin::UniqueBstr bstr{
        ::SysAllocStringLen(tavlin::Utf8ToWide(s.text).c_str(), static_cast<UINT>(s.text.size()))};
    if (!bstr.get()) {
        throw tavlin::Error::OutOfMemory();
    }
    for (const auto& c : kConversions) {
        const Outcome core = c.core(s.text);
        const Outcome ole = c.ole(bstr.get());
        const bool coreParsed = core.kind == Outcome::Value || core.kind == Outcome::Overflow;
        const bool oleParsed = ole.kind == Outcome::Value || ole.kind == Outcome::Overflow;
        if (s.wellFormed && (!coreParsed || !oleParsed)) {
            ++tally.mismatches;
            Report("well-formed number turned down", c, s.text, core, ole);
            continue;
        }
        std::string canonical;
        const auto form = ClassifyOleOnly(s.text, canonical);
        if (core.kind != Outcome::TypeMismatch && form) {
            ++tally.mismatches;
            Report("the core accepts a form it leaves out on purpose:", c, s.text, core, ole);
            continue;
        }
        if (core.kind != Outcome::TypeMismatch) {
            if (core == ole) {
                ++tally.bothAccept;
            } else if (!Agree(c, s.text, core, ole, true, tally, options)) {
                ++tally.mismatches;
                Report("different results", c, s.text, core, ole);
            }
            continue;
        }
        if (ole.kind == Outcome::TypeMismatch) {
            ++tally.bothReject;
            continue;
        }
        if (!form) {
            ++tally.mismatches;
            Report("only oleaut32 accepts, in no listed form:", c, s.text, core, ole);
            continue;
        }
        const Outcome meant = c.core(canonical);
        if (!Agree(c, canonical, meant, ole, false, tally, options)) {
            ++tally.mismatches;
            Report("listed form read otherwise", c, s.text, meant, ole,
                   " (the core's result is for " + Quoted(canonical) + ")");
            continue;
        }
        ++tally.oleOnly[static_cast<std::size_t>(*form)];
        if (options.verbose) {
            std::printf("only oleaut32 (%s) %s %s: %s\n",
                        kOleOnlyFormNames[static_cast<std::size_t>(*form)], c.name,
                        Quoted(s.text).c_str(), Describe(ole, c.isDouble).c_str());
        }
    }
}

int PrintSummary(const Tally& tally);

// "\t", "\r", "\n" and "\\" as in the mismatch reports, so a reported text
// can be passed back with --text.
std::string Unescape(std::string_view arg) {
    std::string out;
    for (std::size_t i = 0; i < arg.size(); ++i) {
        if (arg[i] != '\\' || i + 1 == arg.size()) {
            out += arg[i];
            continue;
        }
        const char c = arg[++i];
        out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
    }
    return out;
}

int Run(int argc, char** argv) {
    std::uint64_t seed = kDefaultSeed;
    long count = kDefaultCount;
    Options options;
    std::vector<Sample> only; // --text: just these, to retry one by hand
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--seed" && i + 1 < argc) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--count" && i + 1 < argc) {
            count = std::strtol(argv[++i], nullptr, 10);
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--text" && i + 1 < argc) {
            only.push_back({Unescape(argv[++i]), false});
        } else if (arg == "--trace") {
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
    if (!only.empty()) {
        for (const auto& s : only) {
            Compare(s, tally, options);
        }
        return PrintSummary(tally);
    }
    for (const auto& s : kFixedSamples) {
        Compare(s, tally, options);
    }
    Generator gen(seed);
    for (long i = 0; i < count; ++i) {
        Compare(gen.Next(), tally, options);
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
