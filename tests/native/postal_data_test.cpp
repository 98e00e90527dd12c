// Checks the compiled-in postal table: its shape, its fixed rows, and the
// rules every row keeps. The lookups' own examples are in postal_lookup_test.
#include "app/LeadByte.h"
#include "app/PostalTable.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

using app::postalTable;

namespace {

struct GroupRun {
    std::string group;
    std::size_t first;
    std::size_t rows;
    friend bool operator==(const GroupRun&, const GroupRun&) = default;
};

std::ostream& operator<<(std::ostream& out, const GroupRun& run)
{
    return out << run.group << '@' << run.first << '+' << run.rows;
}

const std::vector<GroupRun> expectedGroups{
    {"大洋洲", 0, 20},    {"非洲", 20, 56},     {"美洲", 76, 51},     {"欧洲", 127, 34},
    {"亚洲", 161, 37},    {"安徽", 198, 78},    {"澳门", 276, 1},     {"北京", 277, 9},
    {"福建", 286, 68},    {"甘肃", 354, 82},    {"广东", 436, 98},    {"广西", 534, 88},
    {"贵州", 622, 81},    {"海南", 703, 20},    {"河北", 723, 145},   {"河南", 868, 129},
    {"黑龙江", 997, 80},  {"湖北", 1077, 83},   {"湖南", 1160, 101},  {"吉林", 1261, 48},
    {"江苏", 1309, 75},   {"江西", 1384, 92},   {"辽宁", 1476, 60},   {"内蒙古", 1536, 88},
    {"宁夏", 1624, 20},   {"青海", 1644, 42},   {"山东", 1686, 110},  {"山西", 1796, 106},
    {"陕西", 1902, 97},   {"上海", 1999, 10},   {"四川", 2009, 130},  {"台湾", 2139, 28},
    {"天津", 2167, 6},    {"西藏", 2173, 24},   {"香港", 2197, 1},    {"新疆", 2198, 85},
    {"云南", 2283, 126},  {"浙江", 2409, 79},   {"重庆", 2488, 32}};

constexpr std::size_t foreignRows = 198;

// First two digits of the postal codes of each mainland division.
const std::map<std::string, std::vector<std::string>> postalPrefixes{
    {"北京", {"10"}}, {"天津", {"30"}}, {"河北", {"05", "06", "07"}}, {"山西", {"03", "04"}},
    {"内蒙古", {"01", "02"}}, {"辽宁", {"11", "12"}}, {"吉林", {"13"}}, {"黑龙江", {"15", "16"}},
    {"上海", {"20"}}, {"江苏", {"21", "22"}}, {"浙江", {"31", "32"}}, {"安徽", {"23", "24"}},
    {"福建", {"35", "36"}}, {"江西", {"33", "34"}}, {"山东", {"25", "26", "27"}},
    {"河南", {"45", "46", "47"}}, {"湖北", {"43", "44"}}, {"湖南", {"41", "42"}},
    {"广东", {"51", "52"}}, {"广西", {"53", "54"}}, {"海南", {"57"}}, {"重庆", {"40"}},
    {"四川", {"61", "62", "63", "64"}}, {"贵州", {"55", "56"}}, {"云南", {"65", "66", "67"}},
    {"西藏", {"85"}}, {"陕西", {"71", "72"}}, {"甘肃", {"73", "74"}}, {"青海", {"81"}},
    {"宁夏", {"75"}}, {"新疆", {"83", "84"}}};

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Every lead byte is followed by a GBK second byte (0x40 to 0xFE, not 0x7F).
bool wellFormedGbk(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (app::isGbkLeadByte(static_cast<unsigned char>(text[pos]))) {
            if (++pos == text.size()) {
                return false;
            }
            const auto trail = static_cast<unsigned char>(text[pos]);
            if (trail < 0x40 || trail == 0x7F || trail == 0xFF) {
                return false;
            }
        } else if (static_cast<unsigned char>(text[pos]) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::vector<app::userarray> allFields()
{
    std::vector<app::userarray> rows;
    for (std::size_t index = 0; index < postalTable().rowCount(); ++index) {
        rows.push_back(app::split(postalTable().row(index), ','));
    }
    return rows;
}

std::string utf8ToGbk(const std::string& utf8)
{
    const iconv_t converter = iconv_open("GBK", "UTF-8");
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1));
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const auto result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    EXPECT_NE(result, static_cast<std::size_t>(-1)) << utf8;
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

TEST(PostalData, GroupsFollowEachOtherInFixedRuns)
{
    ASSERT_EQ(postalTable().rowCount(), 2520u);
    std::vector<GroupRun> runs;
    const auto rows = allFields();
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (runs.empty() || runs.back().group != rows[index][0]) {
            runs.push_back({rows[index][0], index, 0});
        }
        ++runs.back().rows;
    }
    EXPECT_EQ(runs, expectedGroups);
}

TEST(PostalData, TellingRowsAreExact)
{
    const std::vector<std::pair<std::size_t, std::string_view>> telling{
        {0, "大洋洲,澳大利亚,,0061"},       {197, "亚洲,伊朗,,0098"},
        {198, "安徽,寿县,232200,0564"},     {276, "澳门,澳门,,00853"},
        {2139, "台湾,八德,334,0889"},       {2196, "西藏,山南,,0893"},
        {2197, "香港,香港,,00852"},         {2493, "重庆,重庆,400000,023"},
        {2519, "重庆,巫山,404700,023"}};
    for (const auto& [index, text] : telling) {
        EXPECT_EQ(postalTable().row(index), text) << "row " << index;
    }
    EXPECT_EQ(postalTable().row(277), "北京,北京,100000,010");
    bool tongxian = false;
    for (std::size_t index = 0; index < postalTable().rowCount(); ++index) {
        tongxian = tongxian || postalTable().row(index) == "北京,通县,101100,010";
    }
    EXPECT_TRUE(tongxian);
}

TEST(PostalData, EveryRowHasFourCleanFieldsWithinLengthLimits)
{
    std::set<std::string_view> seen;
    std::size_t longest = 0;
    for (std::size_t index = 0; index < postalTable().rowCount(); ++index) {
        const std::string_view row = postalTable().row(index);
        SCOPED_TRACE(std::string(row));
        EXPECT_EQ(std::count(row.begin(), row.end(), ','), 3);
        EXPECT_TRUE(wellFormedGbk(row));
        EXPECT_TRUE(seen.insert(row).second) << "duplicate row";
        longest = std::max(longest, row.size());
        const auto fields = app::split(row, ',');
        for (std::size_t field = 0; field < 4; ++field) {
            EXPECT_EQ(fields[field].find_first_of(" \t"), std::string::npos);
        }
        EXPECT_GE(fields[0].size(), 4u);
        EXPECT_LE(fields[0].size(), 6u);
        EXPECT_GE(fields[1].size(), 4u);
        EXPECT_LE(fields[1].size(), 22u);
    }
    EXPECT_LE(longest, 35u);
}

TEST(PostalData, DiallingCodes)
{
    const auto rows = allFields();
    std::size_t africa0023 = 0;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const auto& fields = rows[index];
        SCOPED_TRACE(fields[0] + "," + fields[1]);
        const std::string& area = fields[3];
        EXPECT_TRUE(allDigits(area));
        EXPECT_GE(area.size(), 3u);
        EXPECT_LE(area.size(), 7u);
        EXPECT_TRUE(area.starts_with("0"));
        if (index < foreignRows) {
            EXPECT_TRUE(area.starts_with("00"));
            africa0023 += fields[0] == "非洲" && area.starts_with("0023");
        }
        if (fields[0] == "重庆") {
            EXPECT_EQ(area, "023");
        }
    }
    EXPECT_EQ(africa0023, 10u);
}

TEST(PostalData, PostalCodes)
{
    const auto rows = allFields();
    std::vector<std::string> emptyChinese;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const auto& fields = rows[index];
        SCOPED_TRACE(fields[0] + "," + fields[1]);
        const std::string& postal = fields[2];
        EXPECT_TRUE(allDigits(postal));
        if (index < foreignRows) {
            EXPECT_TRUE(postal.empty());
        } else if (postal.empty()) {
            emptyChinese.push_back(fields[1]);
        } else if (fields[0] == "台湾") {
            EXPECT_EQ(postal.size(), 3u);
        } else {
            ASSERT_EQ(postal.size(), 6u);
            const auto& prefixes = postalPrefixes.at(fields[0]);
            EXPECT_NE(std::find(prefixes.begin(), prefixes.end(), postal.substr(0, 2)), prefixes.end());
        }
    }
    EXPECT_EQ(emptyChinese, (std::vector<std::string>{"澳门", "山南", "香港"}));
}

TEST(PostalData, CompiledTableIsTheDataFileInGbk)
{
    const char* sourceDir = std::getenv("ZEL_SOURCE_DIR");
    ASSERT_NE(sourceDir, nullptr);
    std::ifstream file(std::string(sourceDir) + "/app/data/postal.txt", std::ios::binary);
    ASSERT_TRUE(file);
    std::size_t index = 0;
    for (std::string line; std::getline(file, line); ++index) {
        ASSERT_LT(index, postalTable().rowCount());
        EXPECT_EQ(postalTable().row(index), utf8ToGbk(line)) << "line " << index + 1;
    }
    EXPECT_EQ(index, postalTable().rowCount());
}
