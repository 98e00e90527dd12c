#include "tools/skintool/SheetRoles.h"

#include "skin/load/AnsiText.h"

#include <algorithm>
#include <optional>

namespace {

using Labels = std::vector<std::string>;

const Labels BUTTON_STATES{"normal", "pressed", "disabled", "hot", "focused"};
const Labels WINDOW_STATES{"active", "inactive"};
const Labels CHECK_12{"off",    "off hot", "off down", "off dis", "on",      "on hot",
                      "on down", "on dis", "mixed",    "mix hot", "mix down", "mix dis"};
const Labels CHECK_4{"off", "on", "off dis", "on dis"};
const Labels RADIO_8{"off", "off hot", "off down", "off dis", "on", "on hot", "on down", "on dis"};
const Labels CAPTION_BUTTON{"normal", "pressed", "hover", "inactive"};
const Labels MDI_BUTTONS{"min",     "min down",  "min inact",  "min hover",
                         "restore", "rest down", "rest inact", "rest hover",
                         "close",   "close down", "close inact", "close hover"};
const Labels SCROLL_CELLS{"left",   "left down",   "left dis",   "left hot",   "right",    "right down",
                          "right dis", "right hot", "up",         "up down",    "up dis",   "up hot",
                          "down",   "down down",   "down dis",   "down hot",   "h grip",   "h grip dn",
                          "h grip hot", "v grip",   "v grip dn",  "v grip hot", "unused"};
const Labels TRACK_STATES{"normal", "unused", "disabled", "unused"};
const Labels THUMB_STATES{"normal", "pressed", "hot"};
const Labels UPDOWN_VERT{"up", "up down", "up dis", "up hot", "dn", "dn down", "dn dis", "dn hot"};
const Labels UPDOWN_HORZ{"left", "left down", "left dis", "left hot", "right", "rt down", "rt dis", "rt hot"};
const Labels COMBO_STATES{"normal", "pressed", "disabled", "hot/focus"};

std::string UpperAscii(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return result;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) {
        text.remove_suffix(1);
    }
    return text;
}

// The file name part of a value, as the loader takes it.
std::string_view FileNamePart(std::string_view value)
{
    const std::size_t slash = value.find_last_of("\\/:");
    return slash == std::string_view::npos ? value : value.substr(slash + 1);
}

SheetRole Role(std::string element, int frames, const Labels& meanings, bool stacked = false)
{
    SheetRole role{std::move(element), std::max(frames, 1), stacked, {}};
    for (int i = 0; i < role.frames; ++i) {
        const std::string number = std::to_string(i + 1);
        role.labels.push_back(i < int(meanings.size()) ? number + " " + meanings[i] : number);
    }
    return role;
}

// Check and radio images without a frame count: 13-pixel cells when the
// image is lower than 16 pixels, else 16-pixel cells; at least 4.
int DerivedBoxFrames(int width, int height)
{
    return std::max(width / (height < 16 ? 13 : 16), 4);
}

// Frame counts the engine imposes on elements of the generic loader,
// whatever their "Frame" key says; 0 keeps the key's value.
int FixedFrames(const std::string& upperSection)
{
    struct Fixed {
        const char* section;
        int frames;
    };
    static constexpr Fixed fixed[] = {
        {"TABS", 5},        {"TAB.PANE", 1},   {"STATUSBAREDGES", 3}, {"GROUPBOX", 1},
        {"GROUPBOXEDGE", 2}, {"TOOLBARS", 5},  {"COMBOBUTTON", 4},    {"SUNKEDGE", 4},
        {"EXTRAIMAGES", 5}, {"MENUITEM", 5},   {"MENUBACKGROUND", 1}, {"SCROLLBAR", 23},
        {"HORZSCROLL", 4},  {"VERTSCROLL", 4}, {"UPDOWN.HORZ", 8},    {"UPDOWN.VERT", 8},
    };
    for (const Fixed& entry : fixed) {
        if (upperSection == entry.section) {
            return entry.frames;
        }
    }
    return upperSection.starts_with("TRACKBAR.THUMB") ? 5 : 0;
}

std::optional<SheetRole> ElementRole(const TQuickIni& ini, const std::string& section,
                                     const std::string& upper, const std::string& key)
{
    const std::string title = "[" + section + "] ";
    if (key == "GLYPHIMAGE" && upper.starts_with("UPDOWN.")) {
        return Role(title + "arrows", 8, upper == "UPDOWN.HORZ" ? UPDOWN_HORZ : UPDOWN_VERT);
    }
    if (key == "BORDER" && upper == "TABS") {
        return Role(title + "pane", 1, {"pane"});
    }
    static constexpr std::string_view read[] = {
        "PROGRESS.CHUNK", "GROUPBOXEDGE", "GROUPBOX",   "TABS",        "STATUSBAREDGES", "TAB.PANE",
        "TOOLBARS",       "COMBOBUTTON",  "SUNKEDGE",   "EXTRAIMAGES", "HEADERBAR",      "MENUITEM",
        "MENUBACKGROUND", "SCROLLBAR",    "HORZSCROLL", "VERTSCROLL",  "HORZSCROLLTHUMB", "VERTSCROLLTHUMB",
        "UPDOWN.HORZ",    "UPDOWN.VERT",  "TRACK",      "TRACKVERT",   "MDICONTROLS",
    };
    const bool known = upper.starts_with("TRACKBAR.THUMB") ||
                       std::find(std::begin(read), std::end(read), upper) != std::end(read);
    if (key != "IMAGE" || !known) {
        return std::nullopt;
    }
    if (upper == "HORZSCROLLTHUMB" || upper == "VERTSCROLLTHUMB") {
        return Role(title + "thumb", ini.ReadInteger(section, "FrameCount", 3), THUMB_STATES);
    }
    if (upper == "HEADERBAR") {
        const int frames = ini.ReadInteger(section, "Frame", 0);
        return Role(title + "column header", frames == 0 ? 5 : frames, {"normal", "hot"});
    }
    int frames = FixedFrames(upper);
    if (frames == 0) {
        frames = ini.ReadInteger(section, "Frame", 1);
    }
    if (upper == "SCROLLBAR") return Role(title + "arrows and grips", frames, SCROLL_CELLS);
    if (upper == "HORZSCROLL" || upper == "VERTSCROLL") return Role(title + "track", frames, TRACK_STATES);
    if (upper == "TABS") return Role(title + "tab", frames, {"tab", "current", "unused", "unused", "unused"});
    if (upper == "STATUSBAREDGES") return Role(title + "panel edge", frames, {"lowered", "raised", "flat"});
    if (upper == "COMBOBUTTON") return Role(title + "drop button", frames, COMBO_STATES);
    if (upper == "EXTRAIMAGES")
        return Role(title + "arrow, size grip", frames, {"arrow", "arr down", "arr dis", "arr hot", "size grip"});
    if (upper == "MENUITEM") return Role(title + "menu item", frames, {"item", "separator", "unused", "selected", "unused"});
    if (upper == "UPDOWN.HORZ") return Role(title + "halves", frames, UPDOWN_HORZ);
    if (upper == "UPDOWN.VERT") return Role(title + "halves", frames, UPDOWN_VERT);
    if (upper.starts_with("TRACKBAR.THUMB")) return Role(title + "thumb", frames, {"", "shown"});
    if (upper == "MDICONTROLS") return Role(title + "MDI child buttons", 12, MDI_BUTTONS);
    return Role(title + "image", frames, {});
}

std::optional<SheetRole> RoleFor(const TQuickIni& ini, const std::string& section, const std::string& key,
                                 int width, int height)
{
    const std::string upper = UpperAscii(section);
    const std::string upperKey = UpperAscii(key);
    const std::string title = "[" + section + "] ";
    if (upper == "PERSONALITY") {
        for (const char* border : {"LEFT", "RIGHT", "TOP", "BOTTOM"}) {
            if (upperKey == border) {
                const bool stacked = upperKey == "TOP" || upperKey == "BOTTOM";
                return Role(title + LowerCaseAscii(key) + " border", ini.ReadInteger(section, key + "Frame", 1),
                            WINDOW_STATES, stacked);
            }
        }
        if (upperKey == "MENUBAR") return Role(title + "menu bar", 2, WINDOW_STATES, true);
        if (upperKey == "TEXTBACK") return Role(title + "caption text back", 2, WINDOW_STATES, true);
        return std::nullopt;
    }
    if (upper == "BUTTONS") {
        if (upperKey == "BITMAP") return Role(title + "push button", 5, BUTTON_STATES);
        if (upperKey == "CHECKBUTTON" || upperKey == "RADIOBUTTON") {
            const bool check = upperKey == "CHECKBUTTON";
            int frames = ini.ReadInteger(section, check ? "CheckButtonFrame" : "RadioButtonFrame", 0);
            if (frames == 0) {
                frames = DerivedBoxFrames(width, height);
            }
            const Labels& labels = check ? (frames == 12 ? CHECK_12 : CHECK_4) : (frames == 8 ? RADIO_8 : CHECK_4);
            return Role(title + (check ? "check box" : "radio button"), frames, labels);
        }
        return std::nullopt;
    }
    if (upper.starts_with("BUTTON") && upperKey == "BUTTONIMAGE") {
        int frames = ini.ReadInteger(section, "frame", 0);
        if (frames == 0) {
            frames = double(width) / height <= 3.8 ? 3 : 6;
            if (ini.ReadInteger(section, "Action", 0) < 0) {
                frames = 6;
            }
        }
        return Role(title + "caption button", frames, CAPTION_BUTTON);
    }
    if (upper == "PROGRESS" && upperKey == "BITMAP") {
        const bool twoFrames = ini.ReadInteger(section, "Style", 0) == 0;
        return Role(title + "bar", twoFrames ? 2 : 1, twoFrames ? Labels{"track", "done"} : Labels{"bar"});
    }
    return ElementRole(ini, section, upper, upperKey);
}

}  // namespace

std::vector<SheetRole> RolesOf(const TQuickIni& description, std::string_view bitmapName, int width,
                               int height)
{
    const std::string wanted = LowerCaseAscii(bitmapName);
    std::vector<SheetRole> roles;
    std::string section;
    for (const std::string& line : description.Lines()) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = std::string(Trim(std::string_view(line).substr(1, line.size() - 2)));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (section.empty() || equals == std::string::npos) {
            continue;
        }
        const std::string key(Trim(std::string_view(line).substr(0, equals)));
        const std::string_view value = Trim(std::string_view(line).substr(equals + 1));
        if (LowerCaseAscii(FileNamePart(value)) != wanted) {
            continue;
        }
        std::optional<SheetRole> role = RoleFor(description, section, key, width, height);
        if (!role) {
            role = Role("[" + section + "] " + key + " (not read by the engine)",
                        description.ReadInteger(section, "Frame", 1), {});
        }
        roles.push_back(std::move(*role));
    }
    if (roles.empty()) {
        roles.push_back(Role("(named by no key of the description)", 1, {}));
    }
    return roles;
}
