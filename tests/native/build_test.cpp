// Checks the build itself: the program's text encoding and the integer model
// that the portable core assumes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

TEST(Build, NarrowLiteralsAreGbk)
{
    // "北京" is B1 B1 BE A9 in code page 936; a UTF-8 build would give six bytes.
    constexpr std::string_view beijing = "北京";
    ASSERT_EQ(beijing.size(), 4u);
    EXPECT_EQ(static_cast<std::uint8_t>(beijing[0]), 0xB1);
    EXPECT_EQ(static_cast<std::uint8_t>(beijing[1]), 0xB1);
    EXPECT_EQ(static_cast<std::uint8_t>(beijing[2]), 0xBE);
    EXPECT_EQ(static_cast<std::uint8_t>(beijing[3]), 0xA9);
}

TEST(Build, IntegerDivisionTruncatesTowardZero)
{
    // Layout arithmetic relies on it, with negative sizes included.
    volatile int a = -7;
    EXPECT_EQ(a / 2, -3);
}
