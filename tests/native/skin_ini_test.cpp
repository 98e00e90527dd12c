// The skin description parser, case by case, through its public lookups.
#include "skin/load/WinSkinIni.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

TQuickIni Parse(std::string_view text)
{
    TQuickIni ini;
    ini.LoadFromStream(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return ini;
}

std::vector<std::string> Sections(const TQuickIni& ini)
{
    std::vector<std::string> sections{"left over"};
    ini.ReadSections(sections);
    return sections;
}

TEST(QuickIniLookup, SectionCaseIgnoredKeyAsciiCaseIgnored)
{
    const TQuickIni ini = Parse("[Buttons]\r\nRightwidth=8\r\n");
    EXPECT_EQ(ini.ReadInteger("BUTTONS", "RightWidth", -1), 8);
    EXPECT_EQ(ini.ReadInteger("buttons", "RIGHTWIDTH", -1), 8);
}

TEST(QuickIniLookup, BlanksAroundEqualsAndValueTrimmed)
{
    const TQuickIni ini = Parse("[A]\n  TopHeight \t=  9 \t\n");
    EXPECT_EQ(ini.ReadInteger("A", "TopHeight", -1), 9);
    EXPECT_EQ(ini.ReadString("A", "topheight", "x"), "9");
}

TEST(QuickIniLookup, EmptyValueGivesDefaultAndStopsTheSearch)
{
    const TQuickIni ini = Parse("[A]\nFrame=\nFrame=3\n");
    EXPECT_EQ(ini.ReadInteger("A", "Frame", 77), 77);
    EXPECT_EQ(ini.ReadString("A", "Frame", "def"), "def");
}

TEST(QuickIniLookup, SemicolonInsideAValueIsPartOfIt)
{
    const TQuickIni ini = Parse("[A]\nImage=a.bmp ; note\n; Image=b.bmp\n");
    EXPECT_EQ(ini.ReadString("A", "Image"), "a.bmp ; note");
}

TEST(QuickIniLookup, FirstOfTwoEqualKeysWins)
{
    const TQuickIni ini = Parse("[A]\nTrans=1\nTrans=0\n");
    EXPECT_EQ(ini.ReadInteger("A", "Trans", -1), 1);
}

TEST(QuickIniLookup, KeysDoNotLeakAcrossSections)
{
    const TQuickIni ini = Parse("[A]\nx=1\n[B]\nOnlyHere=2\n[C]\n");
    EXPECT_EQ(ini.ReadInteger("A", "OnlyHere", -1), -1);
    EXPECT_EQ(ini.ReadInteger("B", "OnlyHere", -1), 2);
    EXPECT_EQ(ini.ReadInteger("C", "OnlyHere", -1), -1);
    EXPECT_EQ(ini.ReadInteger("B", "x", -1), -1);
}

TEST(QuickIniLookup, LinesBeforeTheFirstSectionAreNeverFound)
{
    const TQuickIni ini = Parse("Key=1\n[A]\nOther=2\n");
    EXPECT_EQ(ini.ReadString("A", "Key", "none"), "none");
    EXPECT_EQ(ini.ReadString("", "Key", "none"), "none");
    EXPECT_EQ(ini.ReadString("A", "Other", "none"), "2");
}

TEST(QuickIniLookup, ColourTripletIsAStringNotAnInteger)
{
    const TQuickIni ini = Parse("[Colours]\nButtonFace=224 223 227\n");
    EXPECT_EQ(ini.ReadString("Colours", "ButtonFace"), "224 223 227");
    EXPECT_EQ(ini.ReadInteger("Colours", "ButtonFace", 5), 5);
}

TEST(QuickIniLookup, MissingThingsGiveTheDefault)
{
    const TQuickIni empty;
    EXPECT_EQ(empty.ReadString("A", "B", "d"), "d");
    const TQuickIni ini = Parse("[A]\nB=1\n");
    EXPECT_EQ(ini.ReadString("Z", "B", "d"), "d");
    EXPECT_EQ(ini.ReadString("A", "Z", "d"), "d");
    std::string value = "old";
    ini.ReadString("A", "Z", value, "d");
    EXPECT_EQ(value, "d");
}

TEST(QuickIniLookup, MalformedLinesNeverMatch)
{
    const TQuickIni ini = Parse("[A]\njunk line\n=orphan\nkey=v\n");
    EXPECT_EQ(ini.ReadString("A", "junk line", "d"), "d");
    EXPECT_EQ(ini.ReadString("A", "key", "d"), "v");
    // An empty key part is a key like any other.
    EXPECT_EQ(ini.ReadString("A", "", "d"), "orphan");
}

TEST(QuickIniLookup, ValueKeepsEverythingAfterTheFirstEquals)
{
    const TQuickIni ini = Parse("[A]\nk = a=b = c \n");
    EXPECT_EQ(ini.ReadString("A", "K"), "a=b = c");
}

TEST(QuickIniLookup, WantedKeyIsNotTrimmed)
{
    const TQuickIni ini = Parse("[A]\nkey=1\n");
    EXPECT_EQ(ini.ReadString("A", " key", "d"), "d");
}

TEST(QuickIniSections, BlanksInsideBracketsMatterForLookupNotForListing)
{
    const TQuickIni ini = Parse("[ Spaced ]\nk=1\n[Spaced]\nk=2\n");
    EXPECT_EQ(ini.ReadInteger("Spaced", "k", -1), 2);
    EXPECT_EQ(ini.ReadInteger(" Spaced ", "k", -1), 1);
    EXPECT_EQ(Sections(ini), (std::vector<std::string>{"Spaced", "Spaced"}));
}

TEST(QuickIniSections, DuplicatesListedAndFirstOneAnswers)
{
    const TQuickIni ini = Parse("[A]\nk=1\n[B]\n[a]\nk=2\nj=3\n");
    EXPECT_EQ(Sections(ini), (std::vector<std::string>{"A", "B", "a"}));
    EXPECT_EQ(ini.ReadInteger("A", "k", -1), 1);
    EXPECT_EQ(ini.ReadInteger("A", "j", -1), -1);
}

TEST(QuickIniSections, HeaderNeedsBothBracketsAfterTrimming)
{
    const TQuickIni ini = Parse("  [A]  \nk=1\n[B\nk=2\nB]\n[]\nk=3\n");
    EXPECT_EQ(Sections(ini), (std::vector<std::string>{"A", ""}));
    EXPECT_EQ(ini.ReadInteger("A", "k", -1), 1);
    EXPECT_EQ(ini.ReadInteger("", "k", -1), 3);
}

TEST(QuickIniSections, GbkSectionNamesCompareByCharacter)
{
    // "[按钮Ａ]" found as "按钮ａ": full-width letters have a case.
    const TQuickIni ini = Parse("[按钮Ａ]\nk=1\n");
    EXPECT_EQ(ini.ReadInteger("按钮ａ", "k", -1), 1);
    EXPECT_EQ(Sections(ini), (std::vector<std::string>{"按钮Ａ"}));
}

TEST(QuickIniText, LineEndsCommentsAndBlankLines)
{
    const TQuickIni ini = Parse("[A]\ra=1\n\rb=2\r\n\r\n  ; c=3\n\n;x\nc = 4");
    EXPECT_EQ(ini.ReadString("A", "a"), "1");
    EXPECT_EQ(ini.ReadString("A", "b"), "2");
    EXPECT_EQ(ini.ReadString("A", "c"), "4");
    EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[A]", "a=1", "b=2", "c = 4"}));
}

TEST(QuickIniText, TrimmingRemovesEveryControlCharacter)
{
    const TQuickIni ini = Parse("\x01\t[A]\x1F\n\x0Bk=\x02v\x7F\x03\n");
    EXPECT_EQ(ini.ReadString("A", "k"), "v\x7F");
}

TEST(QuickIniText, TextEndsAtTheFirstNul)
{
    const std::string text("[A]\nk=1\n\0[B]\nk=2\n", 17);
    const TQuickIni ini = Parse(text);
    EXPECT_EQ(Sections(ini), (std::vector<std::string>{"A"}));
}

TEST(QuickIniText, LoadingAgainReplacesEverything)
{
    TQuickIni ini = Parse("[A]\nk=1\n");
    ini.LoadFromStream({});
    EXPECT_TRUE(Sections(ini).empty());
    EXPECT_EQ(ini.ReadInteger("A", "k", -1), -1);
}

TEST(QuickIniInteger, HexadecimalForms)
{
    const TQuickIni ini = Parse("[A]\na=0x1F\nb=$1F\nc=0X1f\nd=x1F\ne=$FFFFFFFF\nf=-$1F\ng=0x\nh=$\n"
                                "i=$100000000\nj=$000000001F\nk=0x-1\nl=-0x10\n");
    EXPECT_EQ(ini.ReadInteger("A", "a", 0), 31);
    EXPECT_EQ(ini.ReadInteger("A", "b", 0), 31);
    EXPECT_EQ(ini.ReadInteger("A", "c", 0), 31);
    EXPECT_EQ(ini.ReadInteger("A", "d", 0), 31);
    EXPECT_EQ(ini.ReadInteger("A", "e", 0), -1);
    EXPECT_EQ(ini.ReadInteger("A", "f", 0), -31);
    EXPECT_EQ(ini.ReadInteger("A", "g", 5), 5);
    EXPECT_EQ(ini.ReadInteger("A", "h", 5), 5);
    EXPECT_EQ(ini.ReadInteger("A", "i", 5), 5);
    EXPECT_EQ(ini.ReadInteger("A", "j", 5), 31);
    EXPECT_EQ(ini.ReadInteger("A", "k", 5), 5);
    EXPECT_EQ(ini.ReadInteger("A", "l", 5), -16);
}

TEST(QuickIniInteger, DecimalRangeAndRejects)
{
    EXPECT_EQ(StrToIntDef("2147483647", 0), 2147483647);
    EXPECT_EQ(StrToIntDef("-2147483648", 0), -2147483647 - 1);
    EXPECT_EQ(StrToIntDef("2147483648", 7), 7);
    EXPECT_EQ(StrToIntDef("-2147483649", 7), 7);
    EXPECT_EQ(StrToIntDef("99999999999999999999999", 7), 7);
    EXPECT_EQ(StrToIntDef("+12", 0), 12);
    EXPECT_EQ(StrToIntDef("007", 0), 7);
    EXPECT_EQ(StrToIntDef("", 7), 7);
    EXPECT_EQ(StrToIntDef("-", 7), 7);
    EXPECT_EQ(StrToIntDef("abc", 7), 7);
    EXPECT_EQ(StrToIntDef("1 2", 7), 7);
    EXPECT_EQ(StrToIntDef("12a", 7), 7);
    EXPECT_EQ(StrToIntDef("--1", 7), 7);
}

} // namespace
