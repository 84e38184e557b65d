#include "common/Result.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

Result<std::string> Echo(bool fail) {
    if (fail)
        return Fail("no text");
    return std::string("text");
}

Status Check(bool fail) {
    if (fail)
        return Fail("refused");
    return {};
}

TEST(ResultTest, CarriesEitherTheValueOrTheErrorText) {
    Result<std::string> good = Echo(false);
    ASSERT_TRUE(good);
    EXPECT_EQ(*good, "text");
    EXPECT_EQ(good.error(), "");

    Result<std::string> bad = Echo(true);
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error(), "no text");
    EXPECT_EQ(bad.value_or("fallback"), "fallback");

    EXPECT_TRUE(Check(false));
    EXPECT_EQ(Check(true).error(), "refused");
}

} // namespace
} // namespace veltrix
