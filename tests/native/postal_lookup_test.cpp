// The main window's lookups: group list, browse, keyword search and the
// contains test with its GBK character-boundary rule.
#include "app/PostalLookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

using app::PostalRecord;
using app::containsKeyword;
using app::postalTable;

namespace {

const PostalRecord noResult{"(无结果)", "(无结果)", "(无结果)", "(无结果)"};

std::vector<std::string> regions(const std::vector<PostalRecord>& lines)
{
    std::vector<std::string> names;
    for (const auto& line : lines) {
        names.push_back(line.region);
    }
    return names;
}

} // namespace

TEST(TrimBlanks, RemovesControlCharactersAndSpacesOnly)
{
    EXPECT_EQ(app::trimBlanks("  北京\t\r\n"), "北京");
    EXPECT_EQ(app::trimBlanks("\x01\x1f" "a b\x20"), "a b");
    EXPECT_EQ(app::trimBlanks(" \t "), "");
    EXPECT_EQ(app::trimBlanks(""), "");
    // Bytes above 127 are never blanks: the full-width space stays, and so
    // does a lone lead byte at either end.
    EXPECT_EQ(app::trimBlanks("　北京　"), "　北京　");
    EXPECT_EQ(app::trimBlanks(" \xB1 "), "\xB1");
}

TEST(ContainsKeyword, EmptyInputsNeverMatch)
{
    EXPECT_FALSE(containsKeyword("", "0"));
    EXPECT_FALSE(containsKeyword("0061", ""));
    EXPECT_FALSE(containsKeyword("", ""));
}

TEST(ContainsKeyword, ByteExactAndCaseSensitive)
{
    EXPECT_TRUE(containsKeyword("0061", "0061"));
    EXPECT_TRUE(containsKeyword("404700", "047"));
    EXPECT_FALSE(containsKeyword("404700", "0477"));
    EXPECT_TRUE(containsKeyword("Zelvorin", "elv"));
    EXPECT_FALSE(containsKeyword("Zelvorin", "ELV"));
    EXPECT_FALSE(containsKeyword("Zelvorin", "zel"));
    // Full-width digits are other characters than ASCII digits.
    EXPECT_FALSE(containsKeyword("023", "０２３"));
    EXPECT_FALSE(containsKeyword("０２３", "023"));
    EXPECT_TRUE(containsKeyword("０２３", "２３"));
}

TEST(ContainsKeyword, OccurrenceMustBeginOnCharacterBoundary)
{
    // "挛" is C2 CE; "新西兰" is D0 C2 CE F7 C0 BC, so its bytes sit across
    // the boundary of "新" and "西".
    const std::string_view newZealand = "新西兰";
    ASSERT_NE(newZealand.find("挛"), std::string_view::npos);
    EXPECT_FALSE(containsKeyword(newZealand, "挛"));
    EXPECT_TRUE(containsKeyword(newZealand, "西"));
    EXPECT_TRUE(containsKeyword(newZealand, "兰"));

    // A second byte in the ASCII range is no character of its own: 0x81 0x41
    // is one GBK character, and "A" is not in it.
    EXPECT_FALSE(containsKeyword("\x81\x41", "A"));
    EXPECT_TRUE(containsKeyword("\x81\x41" "A", "A"));

    // A skipped occurrence does not hide a later one that counts.
    EXPECT_TRUE(containsKeyword("新西兰挛", "挛"));
}

TEST(ContainsKeyword, MalformedTextIsHandled)
{
    // Keyword longer than the field.
    EXPECT_FALSE(containsKeyword("023", "0230"));
    // A keyword ending in a lone lead byte matches where those bytes begin a character.
    EXPECT_TRUE(containsKeyword("北京", "\xB1"));
    EXPECT_TRUE(containsKeyword("北京", "北\xBE"));
    EXPECT_FALSE(containsKeyword("北京", "\xA9"));
    // A field ending in a lone lead byte.
    EXPECT_TRUE(containsKeyword("ab\xB1", "\xB1"));
    EXPECT_FALSE(containsKeyword("ab\xB1", "\xB1\xB1"));
    // 0x80 and 0xFF are single bytes, so the next byte starts a character.
    EXPECT_TRUE(containsKeyword("\x80北", "北"));
    EXPECT_TRUE(containsKeyword("\xFF北", "北"));
    EXPECT_TRUE(containsKeyword("\x80\xFF", "\xFF"));
}

TEST(GroupList, HoldsTheGroupsInTableOrder)
{
    const auto groups = app::groupList(postalTable());
    const std::vector<std::string> expected{
        "大洋洲", "非洲", "美洲", "欧洲", "亚洲", "安徽", "澳门", "北京", "福建", "甘肃",
        "广东", "广西", "贵州", "海南", "河北", "河南", "黑龙江", "湖北", "湖南", "吉林",
        "江苏", "江西", "辽宁", "内蒙古", "宁夏", "青海", "山东", "山西", "陕西", "上海",
        "四川", "台湾", "天津", "西藏", "香港", "新疆", "云南", "浙江", "重庆"};
    EXPECT_EQ(groups, expected);
}

TEST(GroupList, SkipsEmptyGroupsAndKeepsTextAsStored)
{
    constexpr std::array<std::string_view, 6> rows{"A,x,,1", ",y,,2", "A,z,,3", " B,w,,4", "C,v,,5", "A,u,,6"};
    const auto groups = app::groupList(app::PostalTable(rows));
    EXPECT_EQ(groups, (std::vector<std::string>{"A", " B", "C", "A"}));
}

TEST(Browse, ShowsEveryRowOfTheGroupInStoredOrder)
{
    const auto macau = app::browseGroup(postalTable(), "澳门");
    ASSERT_EQ(macau.size(), 1u);
    EXPECT_EQ(macau[0], (PostalRecord{"澳门", "澳门", "", "00853"}));

    const auto beijing = app::browseGroup(postalTable(), "北京");
    ASSERT_EQ(beijing.size(), 9u);
    EXPECT_EQ(beijing[0], (PostalRecord{"北京", "北京", "100000", "010"}));
    EXPECT_NE(std::find(beijing.begin(), beijing.end(), PostalRecord{"北京", "通县", "101100", "010"}),
              beijing.end());

    const auto chongqing = app::browseGroup(postalTable(), "重庆");
    ASSERT_EQ(chongqing.size(), 32u);
    EXPECT_EQ(chongqing[5], (PostalRecord{"重庆", "重庆", "400000", "023"}));
    EXPECT_EQ(chongqing.back(), (PostalRecord{"重庆", "巫山", "404700", "023"}));

    EXPECT_EQ(app::browseGroup(postalTable(), "河北").size(), 145u);
}

TEST(Browse, SelectionIsTrimmedButMustMatchStoredGroupExactly)
{
    EXPECT_EQ(app::browseGroup(postalTable(), " 北京\t"), app::browseGroup(postalTable(), "北京"));
    EXPECT_TRUE(app::browseGroup(postalTable(), "北").empty());
    EXPECT_TRUE(app::browseGroup(postalTable(), "").empty());

    constexpr std::array<std::string_view, 3> rows{"A, x ,\t1 , 2", " A,y,3,4", "a,z,5,6"};
    const auto lines = app::browseGroup(app::PostalTable(rows), "A ");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (PostalRecord{"A", "x", "1", "2"}));
}

TEST(Search, AreaCodeDigitsListAfricaBeforeChongqing)
{
    const auto lines = app::searchKeyword(postalTable(), "023");
    ASSERT_EQ(lines.size(), 42u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(lines[i].group, "非洲");
        EXPECT_EQ(lines[i].areaCode, "0023" + std::to_string(i));
    }
    EXPECT_EQ(lines[9].region, "圣多美和普林西比");
    const auto chongqing = app::browseGroup(postalTable(), "重庆");
    EXPECT_EQ(std::vector<PostalRecord>(lines.begin() + 10, lines.end()), chongqing);
}

TEST(Search, PlaceNamesAndPostalCodes)
{
    EXPECT_EQ(app::searchKeyword(postalTable(), "北京"), app::browseGroup(postalTable(), "北京"));
    EXPECT_EQ(app::searchKeyword(postalTable(), "州").size(), 154u);
    EXPECT_EQ(app::searchKeyword(postalTable(), "830000"),
              (std::vector<PostalRecord>{{"新疆", "乌鲁木齐", "830000", "0991"}}));
    EXPECT_EQ(regions(app::searchKeyword(postalTable(), "新西兰")), std::vector<std::string>{"新西兰"});
}

TEST(Search, EachRowListedOnceWhateverFieldsMatch)
{
    // Every area code holds a "0", and many postal codes too.
    const auto lines = app::searchKeyword(postalTable(), "0");
    ASSERT_EQ(lines.size(), postalTable().rowCount());
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const auto fields = app::split(postalTable().row(index), ',');
        EXPECT_EQ(lines[index], (PostalRecord{fields[0], fields[1], fields[2], fields[3]}));
    }
}

TEST(Search, KeywordIsTrimmed)
{
    EXPECT_EQ(app::searchKeyword(postalTable(), "  州\t"), app::searchKeyword(postalTable(), "州"));
    EXPECT_EQ(app::searchKeyword(postalTable(), "\r\n023 "), app::searchKeyword(postalTable(), "023"));
}

TEST(Search, NothingFoundGivesOneNoResultLine)
{
    const std::vector<PostalRecord> none{noResult};
    EXPECT_EQ(app::searchKeyword(postalTable(), "挛"), none);
    EXPECT_EQ(app::searchKeyword(postalTable(), ""), none);
    EXPECT_EQ(app::searchKeyword(postalTable(), "   \t "), none);
    EXPECT_EQ(app::searchKeyword(postalTable(), app::keywordPlaceholder), none);
    EXPECT_EQ(app::searchKeyword(postalTable(), std::string(64, '0')), none);
    EXPECT_EQ(app::searchKeyword(postalTable(), "\x80\xFF"), none);
    EXPECT_EQ(app::searchKeyword(app::PostalTable({}), "0"), none);
}

TEST(Search, OddKeywordBytesFindOnlyBoundaryMatches)
{
    // "北" followed by the lead byte of "京" (B1 B1 BE) finds the nine rows of
    // 北京, where the group field holds "北京"; no other row of the table has
    // "北" before a character beginning with BE.
    EXPECT_EQ(regions(app::searchKeyword(postalTable(), "北\xBE")),
              (std::vector<std::string>{"北京", "通县", "昌平", "顺义", "大兴", "平谷", "怀柔", "密云", "延庆"}));

    // "兰" and the lead byte of "西" (C0 BC CE) begin 兰西 (C0 BC CE F7); the
    // same bytes sit inside 永嘉 (D3 C0 BC CE) from its second byte on, which
    // is no match.
    EXPECT_EQ(app::searchKeyword(postalTable(), "兰\xCE"),
              (std::vector<PostalRecord>{{"黑龙江", "兰西", "151500", "0455"}}));
    // Likewise 瓦房店 (.. B7 BF B5 EA) counts and 阜康 (B8 B7 BF B5) does not.
    EXPECT_EQ(app::searchKeyword(postalTable(), "房\xB5"),
              (std::vector<PostalRecord>{{"辽宁", "瓦房店", "116300", "0411"}}));
}

TEST(Search, CaseSensitiveOnLetters)
{
    constexpr std::array<std::string_view, 2> rows{"Europe,Malta,,00356", "Europe,malta,,00356"};
    const app::PostalTable table(rows);
    EXPECT_EQ(regions(app::searchKeyword(table, "Malta")), std::vector<std::string>{"Malta"});
    EXPECT_EQ(regions(app::searchKeyword(table, "malta")), std::vector<std::string>{"malta"});
    EXPECT_EQ(app::searchKeyword(table, "MALTA"), (std::vector<PostalRecord>{noResult}));
}
