#include "common/convert.h"
#include "common/error.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

namespace tavlin {
namespace {

ErrorCode FailureOf(auto&& convert) {
    try {
        convert();
    } catch (const Error& e) {
        return e.code();
    }
    ADD_FAILURE() << "no error raised";
    return ErrorCode::Platform;
}

TEST(ToNumber, AcceptsTheNumberForms) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"0", 0.0},
        {"1", 1.0},
        {"-1", -1.0},
        {"+1", 1.0},
        {"1.", 1.0},
        {".5", 0.5},
        {"-.5", -0.5},
        {"1.25", 1.25},
        {"1e0", 1.0},
        {"1E3", 1000.0},
        {"1e+3", 1000.0},
        {"25e-1", 2.5},
        {".5e1", 5.0},
        {"1.e1", 10.0},
        {"007", 7.0},
        {" 1", 1.0},
        {"1 ", 1.0},
        {"\t\r\n 2 \n", 2.0},
        {"1e-400", 0.0},
        {"0.1", 0.1},
        {"123456789012345678901234567890", 1.2345678901234568e29},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ToNumber, RejectsEverythingElseAsTypeMismatch) {
    for (const char* text :
         {"",     " ",     "\t\r\n",   "yes", ".",   "+",   "-",   "e5",  ".e1",   "1e",   "1e+",
          "1..2", "1.2.3", "--1",      "+-1", "1-",  "1+",  "(1)", "1,5", "1 000", "0x10", "&H10",
          "inf",  "nan",   "Infinity", "1f",  "1d2", "\v1", "1\f", "$1",  "1%",    "١"}) {
        EXPECT_EQ(FailureOf([&] { (void)ToNumber(text); }), ErrorCode::TypeMismatch)
            << '"' << text << '"';
    }
}

TEST(ToNumber, BeyondADoubleIsOverflow) {
    for (const char* text : {"1e309", "-1e309", "1e99999999999999999999", "9999e305"}) {
        EXPECT_EQ(FailureOf([&] { (void)ToNumber(text); }), ErrorCode::Overflow) << text;
    }
    EXPECT_EQ(ToNumber("1.7976931348623157e308"), 1.7976931348623157e308);
    // Tiny values are zero, not an error, however many leading zeros.
    EXPECT_EQ(ToNumber("0.000000000000000000000000000000000000000000000000000000000000001e-300"),
              0.0);
}

TEST(ToNumber, IgnoresTheUserLocale) {
    // A locale with a decimal comma must not change what a point means. The
    // build generates one, since few machines have it installed.
    ASSERT_EQ(setenv("LOCPATH", TAVLIN_TEST_LOCALES, 1), 0);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "no de_DE.UTF-8 under " << TAVLIN_TEST_LOCALES;
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    const double point = ToNumber("1.5");
    const ErrorCode comma = FailureOf([] { (void)ToNumber("1,5"); });
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
    EXPECT_EQ(point, 1.5);
    EXPECT_EQ(comma, ErrorCode::TypeMismatch);
}

TEST(ToWholeNumber, RoundsHalvesToEven) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"0.5", 0},
        {"1.5", 2},
        {"2.5", 2},
        {"3.5", 4},
        {"-0.5", 0},
        {"-1.5", -2},
        {"-2.5", -2},
        {"0.49", 0},
        {"0.51", 1},
        {"2", 2},
        {"-1", -1},
        {" 1", 1},
        {"1e0", 1},
        {"15e-1", 2},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483647.4", 2147483647},
        {"-2147483648.5", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToWholeNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ToWholeNumber, DecidesTiesByTheTextNotByItsDouble) {
    // Each text reads as a double that is exactly a half, but the text
    // itself lies on one side of it (or is the half, trailing zeros aside).
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"2.5000000000000001", 3},
        {"3.4999999999999999999", 3},
        {"-3.4999999999999999999", -3},
        {"0.50000000000000001", 1},
        {"-0.50000000000000001", -1},
        {"0.4999999999999999999999", 0},
        {"-0.4999999999999999999999", 0},
        {"1.4999999999999999999", 1},
        {".149999999999999999999e1", 1},
        {"25000000000000001e-16", 3},
        {"2.50000000000000000000e0", 2},
        {"0.25e1", 2},
        {"429496726.500000001", 429496727},
        {"2147483647.4999999999", 2147483647},
        {"-2147483647.4999999999", -2147483647},
        {"-2147483648.50000000000000", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToWholeNumber(c.text), c.value) << '"' << c.text << '"';
    }
    EXPECT_EQ(FailureOf([] { (void)ToWholeNumber("-2147483648.5000000001"); }),
              ErrorCode::Overflow);
}

TEST(ToWholeNumber, OutsideThe32BitRangeIsOverflow) {
    for (const char* text : {"2147483648", "2147483647.5", "-2147483649", "-2147483648.51",
                             "99999999999", "1e10", "1e309"}) {
        EXPECT_EQ(FailureOf([&] { (void)ToWholeNumber(text); }), ErrorCode::Overflow) << text;
    }
    EXPECT_EQ(FailureOf([] { (void)ToWholeNumber("yes"); }), ErrorCode::TypeMismatch);
    EXPECT_EQ(FailureOf([] { (void)ToWholeNumber(""); }), ErrorCode::TypeMismatch);
}

TEST(ToInteger16, RoundsAndChecksThe16BitRange) {
    EXPECT_EQ(ToInteger16("32767"), 32767);
    EXPECT_EQ(ToInteger16("-32768"), -32768);
    EXPECT_EQ(ToInteger16("32767.4"), 32767);
    EXPECT_EQ(ToInteger16("-32768.5"), -32768);
    EXPECT_EQ(ToInteger16("0.5"), 0);
    EXPECT_EQ(ToInteger16("1.5"), 2);
    EXPECT_EQ(ToInteger16(" 1 "), 1);
    for (const char* text : {"32768", "32767.5", "-32769", "-32768.6", "1e5"}) {
        EXPECT_EQ(FailureOf([&] { (void)ToInteger16(text); }), ErrorCode::Overflow) << text;
    }
    EXPECT_EQ(FailureOf([] { (void)ToInteger16("a"); }), ErrorCode::TypeMismatch);
    // Ties decided by the text, at the limits too.
    EXPECT_EQ(ToInteger16("32767.49999999999999999999"), 32767);
    EXPECT_EQ(ToInteger16("-32768.50000000000000000"), -32768);
    EXPECT_EQ(ToInteger16("-1.49999999999999999999"), -1);
    EXPECT_EQ(FailureOf([] { (void)ToInteger16("-32768.500000000000001"); }), ErrorCode::Overflow);
}

TEST(RoundToInt32, NanIsOverflowNotGarbage) {
    EXPECT_EQ(FailureOf([] { (void)RoundToInt32(std::nan("")); }), ErrorCode::Overflow);
    EXPECT_EQ(FailureOf([] { (void)RoundToInt32(INFINITY); }), ErrorCode::Overflow);
    EXPECT_EQ(RoundToInt32(-0.0), 0);
}

TEST(TrimBlanks, DropsOnlyTheFourBlanksAndOnlyAtTheEnds) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", ""},
        {" \t\r\n", ""},
        {"  1 2  ", "1 2"},
        {"\t\"C:\\Office\\WINWORD.EXE\"\r\n", "\"C:\\Office\\WINWORD.EXE\""},
        // Not blanks: a vertical tab, a form feed, a no-break space.
        {"\v1\f", "\v1\f"},
        {" \xC2\xA0 ", "\xC2\xA0"},
    };
    for (const auto& [text, trimmed] : cases) {
        EXPECT_EQ(TrimBlanks(text), trimmed) << text;
    }
}

TEST(Error, CarriesTheDescriptionsClientsShow) {
    EXPECT_EQ(Error::TypeMismatch().description(), "Type mismatch");
    EXPECT_EQ(Error::Overflow().description(), "Overflow");
    EXPECT_EQ(Error::OutOfMemory().description(), "Out of memory");
    EXPECT_EQ(Error::ObjectNotSet().description(), "Object variable not set");
    EXPECT_EQ(Error::InvalidPropertyValue().description(), "Invalid property value");
    EXPECT_EQ(static_cast<int>(Error::TypeMismatch().code()), 13);
    EXPECT_EQ(static_cast<int>(Error::Overflow().code()), 6);
}

TEST(Error, CurrentErrorMapsWhatIsInFlight) {
    const auto inFlight = [](auto thrower) {
        try {
            thrower();
        } catch (...) {
            return CurrentError();
        }
        return Error(ErrorCode::Platform, "nothing thrown");
    };
    EXPECT_EQ(inFlight([] { throw Error::Overflow(); }).code(), ErrorCode::Overflow);
    EXPECT_EQ(inFlight([] { throw std::bad_alloc(); }).code(), ErrorCode::OutOfMemory);
    const Error other = inFlight([] { throw std::runtime_error("disk on fire"); });
    EXPECT_EQ(other.code(), ErrorCode::Platform);
    EXPECT_EQ(other.description(), "disk on fire");
    EXPECT_EQ(inFlight([] { throw 42; }).code(), ErrorCode::Platform);
}

} // namespace
} // namespace tavlin
