// A code-only failure must read as the system's message, or as a code people
// can look up: never a decimal number such as "System error 2147614723".
#include "common/error.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tavlin {
namespace {

TEST(DescribeSystemCode, TheSystemsMessageOrElseTheCodeInHex) {
    const struct {
        std::uint32_t code;
        const char* systemMessage;
        const char* text;
    } cases[] = {
        {0x80070005u, "Access denied.\r\n", "Access denied."},
        {0x00000002u, "The system cannot find the file specified. \r\n",
         "The system cannot find the file specified."},
        {2147614723u, "", "0x80020003"},
        {0x80020003u, "Member not found.\n", "Member not found."},
        {0x80020003u, "Member not found.", "Member not found."},
        {0x80020003u, "Two\r\nlines\r\n", "Two\r\nlines"},
        {0x80020003u, "", "0x80020003"},
        {0x8002000Bu, "\r\n", "0x8002000B"},
        {0x800A1098u, "", "0x800A1098"},
        {0x00000000u, "", "0x00000000"},
        {0xFFFFFFFFu, "", "0xFFFFFFFF"},
        {0x0000000Au, "", "0x0000000A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DescribeSystemCode(c.code, c.systemMessage), c.text) << std::hex << c.code;
    }
}

} // namespace
} // namespace tavlin
