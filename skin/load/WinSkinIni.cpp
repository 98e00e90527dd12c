#include "skin/load/WinSkinIni.h"

#include "skin/load/AnsiText.h"

#include <algorithm>

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsSectionHeader(std::string_view line)
{
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool hex = false;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        hex = true;
        text.remove_prefix(2);
    } else if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
        hex = true;
        text.remove_prefix(1);
    }
    if (text.empty())
        return defaultValue;

    // Accumulated in 64 bits; the limits below stop it long before overflow.
    std::uint64_t value = 0;
    if (hex) {
        for (char c : text) {
            const int d = HexDigit(c);
            if (d < 0)
                return defaultValue;
            value = value * 16 + static_cast<unsigned>(d);
            if (value > 0xFFFFFFFFu)
                return defaultValue;
        }
        // Eight hexadecimal digits fill the 32 bits, sign bit included.
        auto bits = static_cast<std::uint32_t>(value);
        if (negative)
            bits = 0u - bits;
        return static_cast<std::int32_t>(bits);
    }
    const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    for (char c : text) {
        if (c < '0' || c > '9')
            return defaultValue;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > limit)
            return defaultValue;
    }
    const auto bits = static_cast<std::uint32_t>(negative ? 0u - value : value);
    return static_cast<std::int32_t>(bits);
}

void TQuickIni::LoadFromStream(std::span<const std::uint8_t> bytes)
{
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    text = text.substr(0, text.find('\0'));

    FLines.clear();
    FSections.clear();
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
        if (line.empty() || line.front() == ';')
            continue;
        if (IsSectionHeader(line))
            FSections.push_back({std::string(line), FLines.size()});
        FLines.emplace_back(line);
    }
}

void TQuickIni::ReadSections(std::vector<std::string>& sections) const
{
    sections.clear();
    for (const TSectionHeader& header : FSections) {
        const std::string_view text = header.text;
        sections.emplace_back(Trim(text.substr(1, text.size() - 2)));
    }
}

const TQuickIni::TSectionHeader* TQuickIni::FindSection(std::string_view section) const
{
    std::string wanted;
    wanted.reserve(section.size() + 2);
    wanted.append("[").append(section).append("]");
    for (const TSectionHeader& header : FSections) {
        if (AnsiSameText(header.text, wanted))
            return &header;
    }
    return nullptr;
}

void TQuickIni::ReadString(std::string_view section, std::string_view key, std::string& value,
                           std::string_view defaultValue) const
{
    value = defaultValue;
    const TSectionHeader* header = FindSection(section);
    if (header == nullptr)
        return;
    const std::string wantedKey = LowerCaseAscii(key);
    for (std::size_t i = header->line + 1; i < FLines.size() && !IsSectionHeader(FLines[i]); ++i) {
        const std::string_view line = FLines[i];
        const std::size_t equals = line.find('=');
        // A line without "=" is malformed and never answers a lookup.
        if (equals == std::string_view::npos)
            continue;
        if (LowerCaseAscii(Trim(line.substr(0, equals))) != wantedKey)
            continue;
        const std::string_view found = Trim(line.substr(equals + 1));
        if (!found.empty())
            value = found;
        return;
    }
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const
{
    std::string value;
    ReadString(section, key, value, defaultValue);
    return value;
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key,
                                    std::int32_t defaultValue) const
{
    // StrToIntDef accepts the "0x" prefix itself, so the value needs no rewriting.
    return StrToIntDef(ReadString(section, key), defaultValue);
}
