#include "number_decoding.h"
#include "number_validation.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace std::chrono;

namespace {

TEST(CheckDate, FormsTheDateOnlyForDigitsInFront)
{
    const std::string text = "811231234V";
    const DateCheck check = CheckDate(text, DecodeNumber(text));
    ASSERT_TRUE(check.passed);
    ASSERT_TRUE(check.birthDate.has_value());
    EXPECT_EQ(*check.birthDate, 1981y / May / 2);

    const std::string letters = "A11231234V";
    const DateCheck skipped = CheckDate(letters, DecodeNumber(letters));
    EXPECT_TRUE(skipped.passed);
    EXPECT_FALSE(skipped.birthDate.has_value());
}

TEST(CheckNumber, JudgesDayCodeLimitsBeforeTheFemaleAdjustment)
{
    // 366 and 501 pass the range conditions; 367 and 500 do not.
    for (const auto &[text, accepted] :
         {std::pair{"813661234V", true}, std::pair{"815011234V", true}, std::pair{"813671234V", false},
          std::pair{"815001234V", false}, std::pair{"818671234V", false}, std::pair{"810001234V", false}})
        EXPECT_EQ(CheckNumber(text, DecodeNumber(text)), accepted) << text;
}

} // namespace
