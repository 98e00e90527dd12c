// The system's case-insensitive comparison, which the skin description's
// section lookup uses on Windows, held against the portable GBK rule over
// every character of code page 936.
#include "skin/load/AnsiText.h"
#include "skin/load/WinSkinIni.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Mapped(const std::string& text, DWORD flags)
{
    char out[8] = {};
    const int n = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), static_cast<int>(text.size()), out,
                               sizeof out);
    return std::string(out, static_cast<std::size_t>(n > 0 ? n : 0));
}

// Every character of code page 936 that the system can convert: single
// bytes and lead-trail pairs.
std::vector<std::string> AllCharacters()
{
    std::vector<std::string> all;
    for (int b = 1; b < 0x100; ++b) {
        if (!IsDBCSLeadByteEx(936, static_cast<BYTE>(b)))
            all.emplace_back(1, static_cast<char>(b));
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t wide = 0;
            if (MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, pair, 2, &wide, 1) == 1)
                all.emplace_back(pair, 2);
        }
    }
    return all;
}

TEST(SkinTextWin, RunsUnderCodePage936)
{
    EXPECT_EQ(GetACP(), 936u);
}

TEST(SkinTextWin, SystemAndPortableRulesAgreeOnEveryCasePair)
{
    std::vector<std::string> disagreements;
    std::size_t pairs = 0;
    for (const std::string& c : AllCharacters()) {
        for (DWORD flags : {LCMAP_LOWERCASE, LCMAP_UPPERCASE}) {
            const std::string other = Mapped(c, flags);
            if (other.empty() || other == c)
                continue;
            ++pairs;
            if (AnsiSameText(c, other) != GbkSameText(c, other))
                disagreements.push_back(c + " / " + other);
        }
    }
    EXPECT_GT(pairs, 100u);
    EXPECT_TRUE(disagreements.empty()) << disagreements.size() << " pairs, first: " << disagreements.front();
}

TEST(SkinTextWin, TrailBytesAndWidthAreNotCase)
{
    EXPECT_TRUE(AnsiSameText("[Buttons]", "[BUTTONS]"));
    EXPECT_FALSE(AnsiSameText("\x81\x41", "\x81\x61"));
    EXPECT_FALSE(AnsiSameText("Ａ", "A"));
    EXPECT_TRUE(AnsiSameText("按钮Ａ", "按钮ａ"));
}

TEST(SkinTextWin, SectionLookupUsesTheSystemRule)
{
    const std::string text = "[Buttons]\r\nRightwidth=8\r\n[按钮Ａ]\r\nk=1\r\n";
    TQuickIni ini;
    ini.LoadFromStream(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    EXPECT_EQ(ini.ReadInteger("BUTTONS", "RightWidth", -1), 8);
    EXPECT_EQ(ini.ReadInteger("按钮ａ", "K", -1), 1);
}

} // namespace
