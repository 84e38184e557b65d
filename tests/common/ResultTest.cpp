#include "common/Result.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(ResultTest, CarriesEitherTheValueOrTheErrorText) {
    // Fail() tells an error text from a text value.
    Result<std::string> good = std::string("text");
    ASSERT_TRUE(good);
    EXPECT_EQ(*good, "text");
    EXPECT_EQ(good.error(), "");

    Result<std::string> bad = Fail("no text");
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error(), "no text");
    EXPECT_EQ(bad.value_or("fallback"), "fallback");

    EXPECT_TRUE(Status::Ok());
    EXPECT_EQ(Status(Fail("refused")).error(), "refused");
}

} // namespace
} // namespace veltrix
