#include "addin/com/com_error.h"

#include <gtest/gtest.h>

namespace tavlin::com {
namespace {

TEST(HresultFor, EachErrorHasTheCodeAutomationClientsKnow) {
    struct Case {
        Error error;
        std::uint32_t hresult;
    };
    const Case cases[] = {
        {Error::TypeMismatch(), 0x80020005u},         // DISP_E_TYPEMISMATCH
        {Error::Overflow(), 0x8002000Au},             // DISP_E_OVERFLOW
        {Error::OutOfMemory(), 0x8007000Eu},          // E_OUTOFMEMORY
        {Error::ObjectNotSet(), 0x800A005Bu},         // automation error 91
        {Error::InvalidPropertyValue(), 0x800A017Cu}, // automation error 380
        {Error(ErrorCode::Platform, "Access is denied."), 0x80004005u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error.description());
        EXPECT_EQ(static_cast<std::uint32_t>(HresultFor(c.error.code())), c.hresult);
        EXPECT_LT(HresultFor(c.error.code()), 0) << "must be a failure";
    }
}

TEST(ControlError, KeepsOnlyTheLowSixteenBits) {
    EXPECT_EQ(static_cast<std::uint32_t>(ControlError(0)), 0x800A0000u);
    EXPECT_EQ(static_cast<std::uint32_t>(ControlError(4248)), 0x800A1098u);
    EXPECT_EQ(static_cast<std::uint32_t>(ControlError(0x12345)), 0x800A2345u);
    EXPECT_EQ(kErrorSource, "TavlinCom.Connect");
}

} // namespace
} // namespace tavlin::com
