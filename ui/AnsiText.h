// Byte text is GBK (the ANSI code page); wide text is UTF-16 on Windows.
// Conversions go through a replaceable codec so the portable core can use the
// system's own tables on Windows (MultiByteToWideChar with CP_ACP) and iconv
// elsewhere. Letter-case helpers fold ASCII letters only, so GBK trail bytes
// are never changed.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ui {

struct TAnsiCodec {
    std::function<std::wstring(std::string_view)> ToWide;
    std::function<std::string(std::wstring_view)> ToAnsi;
};

// Replaces the converter; an empty member restores the built-in one.
void SetAnsiCodec(TAnsiCodec codec);
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

char AsciiLower(char c);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// <0, 0, >0 as a is ordered before, equal to or after b, ignoring ASCII letter case.
int CompareText(std::string_view a, std::string_view b);
// Hash consistent with SameText, for case-insensitive lookup tables.
struct TextCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const;
};
struct TextCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

} // namespace ui
