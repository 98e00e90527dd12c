// The clipboard texts of the result list's copy commands, byte for byte.
#include "app/ResultCopy.h"

#include <gtest/gtest.h>

namespace {

using app::copyText;
using app::CopyField;

TEST(ResultCopyTest, WholeLineIsFourLabelledLinesWithoutTrailingBreak)
{
    const app::PostalRecord line{"北京", "通县", "101100", "010"};
    EXPECT_EQ(copyText(line, CopyField::All), "省份：北京\r\n地区：通县\r\n邮编：101100\r\n区号：010");
    // The labels' colons are full-width: GBK A3 BA.
    EXPECT_EQ(copyText(line, CopyField::All).substr(0, 6), "\xCA\xA1\xB7\xDD\xA3\xBA");
}

TEST(ResultCopyTest, EmptyPostalCodeLeavesItsLabelAlone)
{
    const app::PostalRecord line{"大洋洲", "澳大利亚", "", "0061"};
    EXPECT_EQ(copyText(line, CopyField::All), "省份：大洋洲\r\n地区：澳大利亚\r\n邮编：\r\n区号：0061");
    EXPECT_EQ(copyText(line, CopyField::PostalCode), "");
}

TEST(ResultCopyTest, SingleFieldsAreCopiedAsTheyStand)
{
    const app::PostalRecord line{"重庆", "巫山", "404700", "023"};
    EXPECT_EQ(copyText(line, CopyField::Group), "重庆");
    EXPECT_EQ(copyText(line, CopyField::Region), "巫山");
    EXPECT_EQ(copyText(line, CopyField::PostalCode), "404700");
    EXPECT_EQ(copyText(line, CopyField::AreaCode), "023");
}

} // namespace
