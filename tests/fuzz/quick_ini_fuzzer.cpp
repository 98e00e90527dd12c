// TQuickIni and the text rules under it on arbitrary text: every lookup
// terminates without touching memory outside the text, a key found by its
// own line reads back that line's value, and the case comparison behaves
// like an equivalence.
#include "skin/load/AnsiText.h"
#include "skin/load/WinSkinIni.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    TQuickIni ini;
    ini.LoadFromStream(bytes);

    std::vector<std::string> sections;
    ini.ReadSections(sections);
    for (const std::string& line : ini.Lines())
        Require(!line.empty() && static_cast<unsigned char>(line.front()) > 32 && line.front() != ';');

    const std::vector<std::string>& lines = ini.Lines();
    for (std::size_t i = 0; i < lines.size() && i < 64; ++i) {
        const std::string_view line = lines[i];
        const std::size_t equals = line.find('=');
        const std::string_view key = line.substr(0, equals == std::string_view::npos ? line.size() : equals);
        for (const std::string& section : sections) {
            std::string value;
            ini.ReadString(section, key, value, "\x01");
            ini.ReadInteger(section, key, 7);
        }
    }

    // Case-insensitive equality of sections: reflexive and symmetric, and
    // unchanged by ASCII upper-casing when no GBK character is involved.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string_view a = text.substr(0, size / 2);
    const std::string_view b = text.substr(size / 2);
    Require(AnsiSameText(a, a));
    Require(AnsiSameText(a, b) == AnsiSameText(b, a));
    bool ascii = true;
    std::string upper(a);
    for (char& c : upper) {
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    if (ascii)
        Require(AnsiSameText(a, upper));
    StrToIntDef(a, 0);
    return 0;
}
