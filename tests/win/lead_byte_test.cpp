// On Windows the character-boundary rule comes from the system. These checks
// prove that the portable GBK table and the system's code page 936 agree on
// every byte, and that the lookups give the same answers through the system.
#include "app/LeadByte.h"
#include "app/PostalLookup.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

constexpr UINT gbkCodePage = 936;

} // namespace

TEST(LeadByteWin, GbkTableAgreesWithCodePage936ForEveryByte)
{
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(gbkCodePage, &info));
    EXPECT_EQ(info.MaxCharSize, 2u);
    for (unsigned value = 0; value < 256; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        EXPECT_EQ(app::isGbkLeadByte(byte), IsDBCSLeadByteEx(gbkCodePage, byte) != FALSE) << "byte " << value;
    }
}

TEST(LeadByteWin, AnsiRuleFollowsActiveCodePage)
{
    const UINT activeCodePage = GetACP();
    for (unsigned value = 0; value < 256; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        EXPECT_EQ(app::isAnsiLeadByte(byte), IsDBCSLeadByteEx(activeCodePage, byte) != FALSE)
            << "byte " << value << " in code page " << activeCodePage;
    }
}

TEST(LeadByteWin, LookupsUnderCodePage936)
{
    // The harness runs every program in code page 936, as the program's users do.
    ASSERT_EQ(GetACP(), gbkCodePage);
    EXPECT_FALSE(app::containsKeyword("新西兰", "挛"));
    EXPECT_TRUE(app::containsKeyword("新西兰", "西"));
    EXPECT_EQ(app::searchKeyword(app::postalTable(), "州").size(), 154u);
    EXPECT_EQ(app::searchKeyword(app::postalTable(), "023").size(), 42u);
    const auto none = app::searchKeyword(app::postalTable(), "挛");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].group, app::noResultText);
}
