#include "tools/skintool/SkinCheck.h"

#include "skin/load/AnsiText.h"
#include "skin/load/MessageDialog.h"
#include "skin/load/SkinRead.h"
#include "skin/load/WinConvert.h"
#include "ui/BmpFormat.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The decoder refills its bit buffer up to two bytes ahead of what it uses.
constexpr std::size_t DECODER_LOOKAHEAD = 2;

// Sections read by the generic element loader, with the key of the glyph
// bitmap some of them add (empty when none).
constexpr std::array<std::pair<std::string_view, std::string_view>, 28> imageSections = {{
    {"Progress.Chunk", ""},    {"GroupBoxEdge", ""},       {"GroupBox", ""},
    {"Tabs", "Border"},        {"StatusBarEdges", ""},     {"Tab.Pane", ""},
    {"ToolBars", ""},          {"ComboButton", "****"},    {"SunkEdge", ""},
    {"ExtraImages", ""},       {"Headerbar", ""},          {"MenuItem", ""},
    {"MenuBackground", ""},    {"Scrollbar", ""},          {"HorzScroll", ""},
    {"VertScroll", ""},        {"HorzScrollThumb", ""},    {"VertScrollThumb", ""},
    {"Trackbar.ThumbHorz", ""}, {"Trackbar.ThumbVert", ""}, {"Trackbar.ThumbLeft", ""},
    {"Trackbar.ThumbRight", ""}, {"Trackbar.ThumbUp", ""},  {"Trackbar.ThumbDown", ""},
    {"UpDown.Horz", "GlyphImage"}, {"UpDown.Vert", "GlyphImage"}, {"Track", ""},
    {"TRACKVERT", ""},
}};

// The caption-button sections the loader keeps.
std::vector<std::string> CaptionButtonSections(const TQuickIni& description)
{
    std::vector<std::string> sections;
    description.ReadSections(sections);
    std::vector<std::string> kept;
    for (const std::string& name : sections) {
        const std::string upper = UpperCaseAscii(name);
        if (upper == "BUTTONS" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX" || upper == "BUTTON" ||
            !upper.starts_with("BUTTON")) {
            continue;
        }
        if (description.ReadInteger(name, "Action", 0) == -1 && description.ReadInteger(name, "Visibility", -1) != 0)
            continue;
        kept.push_back(upper);
    }
    return kept;
}

// The file name part, as the loader takes it from a value.
std::string_view FileNamePart(std::string_view value)
{
    const std::size_t slash = value.find_last_of("\\/:");
    return slash == std::string_view::npos ? value : value.substr(slash + 1);
}

// Decodes the stream, noting whether the coded data was cut short or has
// bytes the decoder never needed; nothing when it cannot be decoded at all.
std::optional<Bytes> DecodeChecked(std::span<const std::uint8_t> stream, std::vector<std::string>& problems)
{
    // The texts start as std::string: g++ 12 for i686 warns falsely about
    // a literal followed by a temporary string.
    if (stream.size() < 4) {
        problems.push_back(std::string("stream has ") + std::to_string(stream.size()) + " bytes, fewer than its length word");
        return std::nullopt;
    }
    const std::uint32_t length = static_cast<std::uint32_t>(stream[0]) | static_cast<std::uint32_t>(stream[1]) << 8 |
                                 static_cast<std::uint32_t>(stream[2]) << 16 |
                                 static_cast<std::uint32_t>(stream[3]) << 24;
    if (length > SKIN_PACKAGE_MAX_SIZE) {
        problems.push_back(std::string("stream declares ") + std::to_string(length) + " unpacked bytes, more than " +
                           std::to_string(SKIN_PACKAGE_MAX_SIZE));
        return std::nullopt;
    }
    const std::span<const std::uint8_t> coded = stream.subspan(4);
    std::size_t position = 0;
    Bytes package;
    package.reserve(length);
    TLZH codec;
    codec.Unpack(
        static_cast<std::int32_t>(length),
        [&](std::span<std::uint8_t> buffer) -> std::size_t {
            std::size_t delivered = 0;
            for (std::uint8_t& byte : buffer) {
                if (position >= coded.size()) {
                    ++position;
                    continue;
                }
                byte = coded[position++];
                ++delivered;
            }
            return delivered;
        },
        [&](std::span<const std::uint8_t> bytes) { package.insert(package.end(), bytes.begin(), bytes.end()); });
    if (position > coded.size() + DECODER_LOOKAHEAD) {
        problems.push_back(std::string("coded data ends ") + std::to_string(position - coded.size()) +
                           " bytes early; the rest decoded from zeros");
    } else if (position + DECODER_LOOKAHEAD < coded.size()) {
        problems.push_back(std::to_string(coded.size() - position) + " bytes of coded data are never used");
    }
    return package;
}

void CheckNames(const TSkinPackageLayout& layout, std::vector<std::string>& problems)
{
    std::set<std::string> seen;
    for (const std::string& name : layout.names) {
        if (name.empty())
            problems.push_back("an entry has an empty name");
        else if (!seen.insert(LowerCaseAscii(name)).second)
            problems.push_back("entry \"" + name + "\" occurs twice; only the first can be read");
    }
    if (layout.trailingSize > 0)
        problems.push_back(std::to_string(layout.trailingSize) + " bytes follow the last entry");
}

void CheckDescriptionText(std::string_view name, std::span<const std::uint8_t> text, std::vector<std::string>& problems)
{
    const auto nul = std::find(text.begin(), text.end(), std::uint8_t{0});
    if (nul != text.end()) {
        problems.push_back("description " + std::string(name) + " ends at a NUL byte at offset " +
                           std::to_string(nul - text.begin()));
    }
    TQuickIni description;
    description.LoadFromStream(text);
    bool inSection = false;
    for (const std::string& line : description.Lines()) {
        const bool header = line.front() == '[' && line.back() == ']';
        if (header) {
            inSection = true;
        } else if (!inSection) {
            problems.push_back("description line before any section is never read: " + line);
        } else if (line.find('=') == std::string::npos) {
            problems.push_back("description line without \"=\": " + line);
        }
    }
    if (!inSection)
        problems.push_back("description " + std::string(name) + " has no sections");
}

void CheckBitmaps(const TSkinReader& reader, const TQuickIni& description, std::vector<std::string>& problems,
                  std::size_t& checked)
{
    Bytes entry;
    for (const SkinBitmapReference& ref : DescribedBitmaps(description)) {
        const std::string where = "[" + ref.section + "] " + ref.key + "=" + ref.value;
        const std::string_view file = FileNamePart(ref.value);
        const std::size_t dot = file.rfind('.');
        if (dot == std::string_view::npos || file.substr(dot) != ".bmp") {
            problems.push_back(where + ": not loaded, the name must end in \".bmp\" (lower case)");
            continue;
        }
        ++checked;
        if (!reader.GetEntry(file, entry)) {
            problems.push_back(where + ": no entry \"" + LowerCaseAscii(file) + "\" in the package");
            continue;
        }
        if (entry.empty()) {
            problems.push_back(where + ": the entry is empty");
            continue;
        }
        // The decoder the program's bitmaps load with: what it reads, the program shows.
        try {
            ui::bmp::Decode(entry);
        } catch (const ui::bmp::FormatError& error) {
            problems.push_back(where + ": " + error.what());
        }
    }
}

} // namespace

std::vector<SkinBitmapReference> DescribedBitmaps(const TQuickIni& description)
{
    std::vector<SkinBitmapReference> refs;
    const auto add = [&](std::string_view section, std::string_view key) {
        std::string value = description.ReadString(section, key);
        if (value.empty())
            return false;
        refs.push_back({std::string(section), std::string(key), std::move(value)});
        return true;
    };
    for (std::string_view border : {"Left", "Right", "Top", "Bottom"})
        add("Personality", border);
    for (const std::string& button : CaptionButtonSections(description))
        add(button, "ButtonImage");
    add("MDICONTROLS", "Image");
    for (std::string_view key : {"Bitmap", "CheckButton", "RadioButton"})
        add("Buttons", key);
    add("Personality", "TextBack");
    add("Progress", "Bitmap");
    add("Personality", "menuBar");
    for (const auto& [section, glyphKey] : imageSections) {
        // A glyph is read only for an element that exists.
        if (add(section, "Image") && !glyphKey.empty())
            add(section, glyphKey);
    }
    return refs;
}

std::vector<std::string> CheckSkin(std::span<const std::uint8_t> stream, std::string& summary)
{
    std::vector<std::string> problems;
    const std::optional<Bytes> decoded = DecodeChecked(stream, problems);
    if (!decoded)
        return problems;
    const Bytes& package = *decoded;

    TSkinPackageLayout layout;
    try {
        layout = ParseSkinPackage(package);
    } catch (const ESkinPackageError& error) {
        problems.push_back(error.what());
        return problems;
    }
    if (layout.header[0] != SKIN_PACKAGE_VERSION) {
        problems.push_back(std::string("package version is ") + std::to_string(layout.header[0]) + ", not " +
                           std::to_string(SKIN_PACKAGE_VERSION));
        return problems;
    }
    CheckNames(layout, problems);

    TSkinReader reader;
    reader.LoadPackage(package);
    Bytes text;
    std::string name;
    if (!reader.FindEntry(".ini", text, name)) {
        problems.push_back("no entry name contains \".ini\": the skin has no description");
        return problems;
    }
    CheckDescriptionText(name, text, problems);
    TQuickIni description;
    description.LoadFromStream(text);
    std::size_t checked = 0;
    CheckBitmaps(reader, description, problems, checked);
    summary = std::to_string(reader.Count()) + " entries, " + std::to_string(package.size()) +
              " bytes unpacked, description " + name + ", " + std::to_string(checked) + " bitmaps named";
    return problems;
}
