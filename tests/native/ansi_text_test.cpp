// Case rules of the portable build for ASCII and GBK text.
#include "skin/load/AnsiText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AnsiText, LowerCaseAsciiTouchesOnlyAToZ)
{
    EXPECT_EQ(LowerCaseAscii("Buttons.BMP"), "buttons.bmp");
    EXPECT_EQ(LowerCaseAscii("@[`{"), "@[`{");
    // A GBK trail byte in the letter range is lowered too, as on the other side of any comparison.
    EXPECT_EQ(LowerCaseAscii("\x81\x41"), "\x81\x61");
    EXPECT_EQ(LowerCaseAscii("Ａ"), "Ａ");
}

TEST(AnsiText, AsciiLettersFoldOtherBytesDoNot)
{
    EXPECT_TRUE(AnsiSameText("[Buttons]", "[BUTTONS]"));
    EXPECT_TRUE(AnsiSameText("", ""));
    EXPECT_FALSE(AnsiSameText("[Buttons]", "[Button]"));
    EXPECT_FALSE(AnsiSameText("@", "`"));
    EXPECT_FALSE(AnsiSameText("[", "{"));
    EXPECT_FALSE(AnsiSameText("a", "a "));
}

TEST(AnsiText, GbkLettersWithACaseFold)
{
    EXPECT_TRUE(AnsiSameText("ＡＢＣ", "ａｂｃ"));
    EXPECT_TRUE(AnsiSameText("ΑΩ", "αω"));
    EXPECT_TRUE(AnsiSameText("АЁЯ", "аёя"));
    EXPECT_TRUE(AnsiSameText("ⅠⅩ", "ⅰⅹ"));
    EXPECT_FALSE(AnsiSameText("Ⅺ", "ⅹ"));
    // Width is not case: a full-width letter is not its ASCII twin.
    EXPECT_FALSE(AnsiSameText("Ａ", "A"));
    EXPECT_FALSE(AnsiSameText("Ａ", "a"));
    EXPECT_TRUE(AnsiSameText("北京Ａb", "北京ａB"));
    EXPECT_FALSE(AnsiSameText("北京", "南京"));
}

TEST(AnsiText, TrailBytesAreNotLetters)
{
    // 0x81 0x41 and 0x81 0x61 are two different characters, whose trail
    // bytes happen to be the codes of "A" and "a".
    EXPECT_FALSE(AnsiSameText("\x81\x41", "\x81\x61"));
    // A lead byte at the end, or before a byte that cannot trail, stands alone.
    EXPECT_TRUE(AnsiSameText("\x81", "\x81"));
    EXPECT_TRUE(AnsiSameText("\x81\x30" "A", "\x81\x30" "a"));
    EXPECT_FALSE(AnsiSameText("\x81", "\x82"));
}

} // namespace
