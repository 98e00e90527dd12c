// split and table access: the field array every browse and search reads.
#include "app/PostalTable.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>

using app::split;
using app::userarraySlots;

namespace {

void expectEmptyFrom(const app::userarray& fields, std::size_t first)
{
    for (std::size_t slot = first; slot < fields.size(); ++slot) {
        EXPECT_TRUE(fields[slot].empty()) << "slot " << slot;
    }
}

} // namespace

TEST(Split, TableRowsGiveFourFieldsInFullSizeArray)
{
    const auto oceania = split(app::postalTable().row(0), ',');
    ASSERT_EQ(oceania.size(), userarraySlots);
    EXPECT_EQ(oceania[0], "大洋洲");
    EXPECT_EQ(oceania[1], "澳大利亚");
    EXPECT_EQ(oceania[2], "");
    EXPECT_EQ(oceania[3], "0061");
    expectEmptyFrom(oceania, 4);

    const auto taiwan = split(app::postalTable().row(2139), ',');
    ASSERT_EQ(taiwan.size(), userarraySlots);
    EXPECT_EQ(taiwan[0], "台湾");
    EXPECT_EQ(taiwan[1], "八德");
    EXPECT_EQ(taiwan[2], "334");
    EXPECT_EQ(taiwan[3], "0889");
    expectEmptyFrom(taiwan, 4);
}

TEST(Split, EmptyFieldsBetweenAndAfterDelimiters)
{
    const auto adjacent = split("a,,b", ',');
    EXPECT_EQ(adjacent[0], "a");
    EXPECT_EQ(adjacent[1], "");
    EXPECT_EQ(adjacent[2], "b");
    expectEmptyFrom(adjacent, 3);

    const auto trailing = split("a,b,", ',');
    EXPECT_EQ(trailing[0], "a");
    EXPECT_EQ(trailing[1], "b");
    expectEmptyFrom(trailing, 2);

    const auto leading = split(",x", ',');
    EXPECT_EQ(leading[0], "");
    EXPECT_EQ(leading[1], "x");
}

TEST(Split, TextWithoutDelimiterComesBackWhole)
{
    const auto whole = split("北京 100000", ',');
    ASSERT_EQ(whole.size(), userarraySlots);
    EXPECT_EQ(whole[0], "北京 100000");
    expectEmptyFrom(whole, 1);

    const auto empty = split("", ',');
    ASSERT_EQ(empty.size(), userarraySlots);
    expectEmptyFrom(empty, 0);
}

TEST(Split, OtherDelimitersAndGbkTextAreCutBytewise)
{
    const auto fields = split("重庆;巫山;404700", ';');
    EXPECT_EQ(fields[0], "重庆");
    EXPECT_EQ(fields[1], "巫山");
    EXPECT_EQ(fields[2], "404700");
    // Commas are only delimiters when asked for.
    EXPECT_EQ(split("a,b", ';')[0], "a,b");
}

TEST(Split, TextEndsAtFirstNul)
{
    const std::string text("a,b\0,c", 6);
    const auto fields = split(text, ',');
    EXPECT_EQ(fields[0], "a");
    EXPECT_EQ(fields[1], "b");
    expectEmptyFrom(fields, 2);
}

TEST(Split, SurplusFieldsStayInLastSlotInsteadOfOverflowing)
{
    std::string text;
    for (int field = 0; field < 300; ++field) {
        text += (field == 0 ? "f" : ",f") + std::to_string(field);
    }
    const auto fields = split(text, ',');
    ASSERT_EQ(fields.size(), userarraySlots);
    EXPECT_EQ(fields[0], "f0");
    EXPECT_EQ(fields[253], "f253");
    EXPECT_TRUE(fields[254].starts_with("f254,f255,"));
    EXPECT_TRUE(fields[254].ends_with(",f299"));

    // Exactly 254 delimiters still fill every slot one field each.
    const auto full = split(std::string(254, ','), ',');
    for (const auto& field : full) {
        EXPECT_TRUE(field.empty());
    }
}

TEST(PostalTableAccess, RowsByIndexAndRangeChecked)
{
    constexpr std::array<std::string_view, 2> rows{"A,x,1,01", "B,y,2,02"};
    const app::PostalTable table(rows);
    EXPECT_EQ(table.rowCount(), 2u);
    EXPECT_EQ(table.row(1), "B,y,2,02");
    EXPECT_THROW(static_cast<void>(table.row(2)), std::out_of_range);

    EXPECT_EQ(app::postalTable().rowCount(), app::postalRowCount);
    EXPECT_EQ(app::postalTable().row(2519), "重庆,巫山,404700,023");
    EXPECT_THROW(static_cast<void>(app::postalTable().row(app::postalRowCount)), std::out_of_range);
}
