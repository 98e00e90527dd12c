// TQuickIni: the read-only parser of a skin description (INI text, single
// byte or GBK, never converted).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TQuickIni {
public:
    // Parses the whole of text, replacing earlier content. The text ends at
    // its first NUL byte. A caller without a stream simply does not call.
    void LoadFromStream(std::span<const std::uint8_t> text);

    // Replaces the contents of sections with the section names in text
    // order, brackets removed and trimmed; duplicates stay.
    void ReadSections(std::vector<std::string>& sections) const;

    // Sets value to the first value of key in section, or to defaultValue
    // when the section or key is missing or the value is empty. Sections
    // compare by the locale's case rules, keys ignoring ASCII case.
    void ReadString(std::string_view section, std::string_view key, std::string& value,
                    std::string_view defaultValue) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;

    // The value as a 32-bit integer (decimal, or hexadecimal after "$",
    // "x" or "0x"), or defaultValue when it is missing or not a valid one.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;

    // Every retained line, trimmed, in text order (comments and blank
    // lines dropped); for tools that check a description.
    const std::vector<std::string>& Lines() const { return FLines; }

private:
    struct TSectionHeader {
        std::string text; // trimmed header line, brackets included
        std::size_t line; // its index in FLines
    };

    const TSectionHeader* FindSection(std::string_view section) const;

    std::vector<std::string> FLines;
    std::vector<TSectionHeader> FSections;
};

// The conversion ReadInteger applies to a value: an optional sign, then
// decimal digits or up to eight significant hexadecimal digits after "$",
// "x", "X", "0x" or "0X". Returns defaultValue for anything else.
std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue);
