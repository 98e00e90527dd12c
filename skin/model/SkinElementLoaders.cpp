// Reading a skin description into the slots of the model being built: one
// loader per kind of section, and the frame counts imposed afterwards.
#include "skin/load/AnsiText.h"
#include "skin/load/SkinRead.h"
#include "skin/load/WinSkinIni.h"
#include "skin/model/ColourMath.h"
#include "skin/model/SkinModelBuilder.h"
#include "ui/Resources.h"

#include <array>
#include <exception>
#include <string>
#include <vector>

namespace {

// The file name part of a path as a description may give it.
std::string_view FileNamePart(std::string_view path)
{
    const auto slash = path.find_last_of("\\/:");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view Extension(std::string_view fileName)
{
    const auto dot = fileName.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : fileName.substr(dot);
}

void ClearBitmap(TBitmap& bitmap) { bitmap.LoadFromBytes({}); }

// A plain colour from its three low bytes.
TColor RgbColour(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    return static_cast<TColor>(red & 0xFF) | static_cast<TColor>(green & 0xFF) << 8 |
           static_cast<TColor>(blue & 0xFF) << 16;
}

TColor ReadColourKey(const TQuickIni& ini, std::string_view section, std::string_view key, TColor defaultColour)
{
    return ParseColour(ini.ReadString(section, key), defaultColour);
}

std::int32_t ReadInt(const TQuickIni& ini, std::string_view section, std::string_view key, std::int32_t def)
{
    return ini.ReadInteger(section, key, def);
}

// The keys that say how every element is cut and drawn; "Frame" is read by the callers that want it.
void ReadGeometry(const TQuickIni& ini, std::string_view section, TDataSkinObject& element)
{
    element.Style = ReadInt(ini, section, "Style", 0);
    element.LeftWidth = ReadInt(ini, section, "LeftWidth", 0);
    element.RightWidth = ReadInt(ini, section, "RightWidth", 0);
    element.TopHeight = ReadInt(ini, section, "TopHeight", 0);
    element.BottomHeight = ReadInt(ini, section, "BottomHeight", 0);
    element.Trans = ReadInt(ini, section, "Trans", 0);
    element.Tile = ReadInt(ini, section, "Tile", 0);
}

// Copies `width` columns of source starting at x into a new picture of dest.
void CopyColumns(TBitmap& source, int x, int width, TBitmap& dest)
{
    dest.SetPixelFormat(pf24bit);
    dest.SetSize(width, source.Height());
    BitBlt(dest.Canvas().Handle(), 0, 0, width, source.Height(), source.Canvas().Handle(), x, 0, SRCCOPY);
}

} // namespace

void TSkinModelBuilder::LoadSkinBitmap(TBitmap& bitmap, std::string_view fileName) const
{
    const std::string_view name = FileNamePart(fileName);
    if (name.empty() || Extension(name) != ".bmp") {
        ClearBitmap(bitmap);
        return;
    }
    std::vector<std::uint8_t> scratch;
    reader_.GetEntry(name, scratch);
    if (scratch.empty()) {
        ClearBitmap(bitmap);
        return;
    }
    try {
        bitmap.LoadFromBytes(scratch);
    } catch (const std::exception&) {
        // One unreadable picture costs its element the picture, not the whole skin.
        ClearBitmap(bitmap);
    }
}

void TSkinModelBuilder::ReadRgbKeys(std::string_view section, std::string_view prefix, TColor& colour) const
{
    const std::string p(prefix);
    const std::int32_t red = ReadInt(ini_, section, p + "R", -1);
    const std::int32_t green = ReadInt(ini_, section, p + "G", -1);
    const std::int32_t blue = ReadInt(ini_, section, p + "B", -1);
    if (red >= 0 && green >= 0 && blue >= 0) {
        colour = RgbColour(red, green, blue);
    }
}

template <class E>
std::unique_ptr<E> TSkinModelBuilder::ReadElement(std::string_view section, bool readFrame) const
{
    const TQuickIni& ini = ini_;
    auto element = std::make_unique<E>(section);
    LoadSkinBitmap(element->Bitmap, ini.ReadString(section, "Image"));
    ReadGeometry(ini, section, *element);
    if (readFrame) {
        element->FrameCount = ReadInt(ini, section, "Frame", 0);
    }
    element->NormalColour = static_cast<TColor>(ReadInt(ini, section, "NormalColour", -1));
    element->MouseOverColour = static_cast<TColor>(ReadInt(ini, section, "MouseOverColour", -1));
    element->PressedColour = static_cast<TColor>(ReadInt(ini, section, "PressedColour", -1));
    element->NormalColour2 = ReadColourKey(ini, section, "NormalColour2", model_.ButtonTextColour);
    element->MouseOverColour2 = ReadColourKey(ini, section, "MouseOverColour2", model_.ButtonTextColour);
    element->PressedColour2 = ReadColourKey(ini, section, "PressedColour2", model_.ButtonTextColour);
    if (element->Tile > 1) {
        element->Tile = 0;
    }
    return element;
}

void TSkinModelBuilder::LoadElement(std::unique_ptr<TDataSkinObject>& slot, std::string_view section) const
{
    if (ini_.ReadString(section, "Image").empty()) {
        return;
    }
    slot = ReadElement<TDataSkinObject>(section, true);
}

void TSkinModelBuilder::LoadElementWithGlyph(std::unique_ptr<TDataSkinBorder>& slot, std::string_view section,
                                             std::string_view glyphKey) const
{
    if (ini_.ReadString(section, "Image").empty()) {
        return;
    }
    // The frame count of these elements is fixed after loading, whatever "Frame" says.
    slot = ReadElement<TDataSkinBorder>(section, false);
    if (const std::string glyph = ini_.ReadString(section, glyphKey); !glyph.empty()) {
        LoadSkinBitmap(slot->Bitmap2, glyph);
    }
}

void TSkinModelBuilder::LoadProgressElement(std::unique_ptr<TDataSkinBorder>& slot, std::string_view section) const
{
    const TQuickIni& ini = ini_;
    const std::string image = ini.ReadString(section, "Bitmap");
    if (image.empty()) {
        return;
    }
    auto element = std::make_unique<TDataSkinBorder>(section);
    LoadSkinBitmap(element->Bitmap, image);
    ReadGeometry(ini, section, *element);
    if (element->Tile > 1) {
        element->Tile = 1;
    }
    slot = std::move(element);
}

void TSkinModelBuilder::LoadBoxLabel(std::unique_ptr<TDataSkinBoxLabel>& slot, std::string_view section) const
{
    if (ini_.ReadString(section, "Image").empty()) {
        return;
    }
    slot = ReadElement<TDataSkinBoxLabel>(section, true);
    slot->BackgroundAlignment = ReadInt(ini_, section, "BackgroundAlignment", 0);
    slot->BackgroundLeftShift = ReadInt(ini_, section, "BackgroundLeftShift", 0);
    slot->BackgroundRightShift = ReadInt(ini_, section, "BackgroundRightShift", 0);
}

void TSkinModelBuilder::LoadMenuBarElement(std::unique_ptr<TDataSkinObject>& slot, std::string_view section) const
{
    const TQuickIni& ini = ini_;
    const std::string image = ini.ReadString(section, "menuBar");
    if (image.empty()) {
        return;
    }
    auto element = std::make_unique<TDataSkinObject>(section);
    LoadSkinBitmap(element->Bitmap, image);
    element->TopHeight = 0;
    element->BottomHeight = 0;
    element->Tile = ReadInt(ini, section, "TileMenu", 1);
    element->LeftWidth = ReadInt(ini, section, "TileLeftMenu", 1);
    element->RightWidth = ReadInt(ini, section, "TileRightMenu", 1);
    if (element->Tile > 1) {
        element->Tile = 1;
    }
    slot = std::move(element);
}

void TSkinModelBuilder::LoadBuiltinElement(std::unique_ptr<TDataSkinObject>& slot, const char* resourceName) const
{
    auto element = std::make_unique<TDataSkinObject>(resourceName);
    try {
        element->Bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), resourceName);
    } catch (const std::exception&) {
        // A program built without the engine's resources draws the standard track.
        ClearBitmap(element->Bitmap);
    }
    element->LeftWidth = element->TopHeight = element->RightWidth = element->BottomHeight = 3;
    element->Tile = 0;
    element->FrameCount = 1;
    slot = std::move(element);
}

void TSkinModelBuilder::LoadBorders()
{
    constexpr std::string_view section = "Personality";
    const TQuickIni& ini = ini_;
    const std::array<std::pair<TDataSkinBorder*, bool>, 4> borders{{
        {model_.BorderLeft.get(), true},
        {model_.BorderRight.get(), true},
        {model_.BorderTop.get(), false},
        {model_.BorderBottom.get(), false},
    }};
    for (const auto& [border, vertical] : borders) {
        const std::string p = border->Name;
        const std::int32_t start = ReadInt(ini, section, p + "TopHeight", 0);
        const std::int32_t end = ReadInt(ini, section, p + "BotHeight", 0);
        // A vertical strip keeps its fixed parts at top and bottom, a horizontal one at its two ends.
        if (vertical) {
            border->TopHeight = start;
            border->BottomHeight = end;
            border->LeftWidth = border->RightWidth = 0;
        } else {
            border->LeftWidth = start;
            border->RightWidth = end;
            border->TopHeight = border->BottomHeight = 0;
        }
        border->FrameCount = ReadInt(ini, section, p + "Frame", 1);
        border->Tile = ReadInt(ini, section, p + "Stretch", 1);
        border->Trans = ReadInt(ini, section, p + "Trans", 1);
        LoadSkinBitmap(border->Bitmap, ini.ReadString(section, p));
        if (border->Tile > 1) {
            border->Tile = 1;
        }
    }
}

void TSkinModelBuilder::LoadColours()
{
    constexpr std::string_view section = "Colours";
    const TQuickIni& ini = ini_;
    TSkinModel& m = model_;
    const auto read = [&](std::string_view key, TColor defaultColour) {
        return ReadColourKey(ini, section, key, defaultColour);
    };
    // The order matters: Menubar defaults to the face colour just read.
    m.WindowTextColour = read("WindowText", clSystemColor | COLOR_WINDOWTEXT);
    m.ButtonFaceColour = read("ButtonFace", clSystemColor | COLOR_BTNFACE);
    m.ScrollbarColour = read("Scrollbar", clSystemColor | COLOR_SCROLLBAR);
    m.HilightTextColour = read("HilightText", clSystemColor | COLOR_HIGHLIGHTTEXT);
    m.HilightColour = read("Hilight", clSystemColor | COLOR_HIGHLIGHT);
    m.MenubarColour = read("Menubar", m.ButtonFaceColour);
    m.MenuColour = read("Menu", clSystemColor | COLOR_MENU);
    m.MenuTextColour = read("MenuText", clSystemColor | COLOR_MENUTEXT);
    m.ButtonTextColour = read("ButtonText", clSystemColor | COLOR_BTNTEXT);
    m.ButtonHilightColour = read("ButtonHilight", clSystemColor | COLOR_BTNHIGHLIGHT);
    m.ButtonlightColour = read("Buttonlight", clSystemColor | COLOR_BTNHIGHLIGHT);
    m.ButtonShadowColour = read("ButtonShadow", clSystemColor | COLOR_BTNSHADOW);
    m.ButtonDkShadowColour = read("ButtonDkShadow", clSystemColor | COLOR_3DDKSHADOW);
    m.MenuBarTextColour = read("MenuBarText", clSystemColor | COLOR_MENUTEXT);
    m.TitleTextActiveColour = read("TitleTextActive", clSystemColor | COLOR_CAPTIONTEXT);
    m.TitleTextNoActiveColour = read("TitleTextNoActive", clSystemColor | COLOR_INACTIVECAPTIONTEXT);

    for (const std::string& name : sections_) {
        const std::string upper = UpperCaseAscii(name);
        if (upper != "COLOURS" && upper.starts_with("COLOUR")) {
            m.SectionColours.push_back(ReadColourKey(ini, name, "color", clSystemColor | COLOR_WINDOWTEXT));
        }
    }
    for (std::size_t i = 0; i < m.CustomColours.size(); ++i) {
        m.CustomColours[i] = ReadColourKey(ini, "Customcolors", "Color" + std::to_string(i), clWhite);
    }
}

void TSkinModelBuilder::LoadCaptionButtons()
{
    const TQuickIni& ini = ini_;

    // The sections that describe title-bar buttons; the last name looked at
    // also names the child-window buttons appended below.
    std::vector<std::string> kept;
    std::string lastExamined;
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
        const std::string upper = UpperCaseAscii(*it);
        lastExamined = upper;
        if (upper == "BUTTONS" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX" || upper == "BUTTON" ||
            !upper.starts_with("BUTTON")) {
            continue;
        }
        const std::int32_t action = ReadInt(ini, *it, "Action", 0);
        const std::int32_t visibility = ReadInt(ini, *it, "Visibility", -1);
        if (action == -1 && visibility != 0) {
            continue;
        }
        kept.insert(kept.begin(), *it);
    }

    model_.CaptionButtons.reserve(kept.size() + 3);
    for (const std::string& name : kept) {
        const std::string section = UpperCaseAscii(name);
        lastExamined = section;
        auto button = std::make_unique<TDataSkinSysButton>(section);
        button->Action = ReadInt(ini, section, "Action", 0);
        button->Align = ReadInt(ini, section, "Align", 0);
        button->XCoord = ReadInt(ini, section, "Xcoord", 0);
        button->YCoord = ReadInt(ini, section, "Ycoord", 0);
        button->Visibility = ReadInt(ini, section, "Visibility", 0);
        button->Visibility1 = ReadInt(ini, section, "Visibility1", button->Action == -1 ? -1 : 0);
        button->CombineOp = ReadInt(ini, section, "CombineOp", -1);
        button->FrameCount = ReadInt(ini, section, "frame", 0);
        LoadSkinBitmap(button->Bitmap, ini.ReadString(section, "ButtonImage"));
        if (button->FrameCount == 0) {
            // Without a frame count the picture's shape tells: wide strips have six states.
            button->FrameCount = 6;
            if (button->HasBitmap()) {
                const double ratio = static_cast<double>(button->Bitmap.Width()) / button->Bitmap.Height();
                button->FrameCount = ratio <= 3.8 ? 3 : 6;
            }
            if (button->Action < 0) {
                button->FrameCount = 6;
            }
            // The window icon and the system menu button are drawn from the window itself.
            if (button->Action == 3 || button->Action == 11) {
                ClearBitmap(button->Bitmap);
            }
        }
        model_.CaptionButtons.push_back(std::move(button));
    }

    for (const std::int32_t action : {7, 8, 9}) {
        auto button = std::make_unique<TDataSkinSysButton>(lastExamined);
        button->Action = action;
        button->Align = 100;
        button->Visibility = 100;
        button->Visibility1 = 100;
        button->FrameCount = 4;
        model_.CaptionButtons.push_back(std::move(button));
    }
    LoadMdiButtons();
}

void TSkinModelBuilder::LoadMdiButtons()
{
    TBitmap strip;
    LoadSkinBitmap(strip, ini_.ReadString("MDICONTROLS", "Image"));
    if (strip.Empty()) {
        return;
    }
    // Three buttons of four cells each: minimise, restore, close.
    const int cell = strip.Width() / 12;
    for (int i = 0; i < 3; ++i) {
        for (const auto& button : model_.CaptionButtons) {
            if (button->Action == 7 + i) {
                CopyColumns(strip, 4 * cell * i, 4 * cell, button->Bitmap);
                button->XCoord = (cell + 4) * (3 - i);
            }
        }
    }
}

void TSkinModelBuilder::LoadButtons()
{
    constexpr std::string_view section = "Buttons";
    const TQuickIni& ini = ini_;
    TDataSkinButton& b = *model_.ButtonsElement;
    b.LeftWidth = ReadInt(ini, section, "LeftWidth", 0);
    b.RightWidth = ReadInt(ini, section, "RightWidth", 0);
    b.TopHeight = ReadInt(ini, section, "TopHeight", 0);
    b.BottomHeight = ReadInt(ini, section, "BottomHeight", 0);
    b.Trans = ReadInt(ini, section, "Trans", 0);
    LoadSkinBitmap(b.Bitmap, ini.ReadString(section, "Bitmap"));
    b.Tile = ReadInt(ini, section, "Tile", 0);
    LoadSkinBitmap(b.CheckBitmap, ini.ReadString(section, "CheckButton"));
    LoadSkinBitmap(b.RadioBitmap, ini.ReadString(section, "RadioButton"));
    b.NormalColour = static_cast<TColor>(ReadInt(ini, section, "NormalColour", -1));
    b.MouseOverColour = static_cast<TColor>(ReadInt(ini, section, "MouseOverColour", -1));
    b.PressedColour = static_cast<TColor>(ReadInt(ini, section, "PressedColour", -1));
    b.RadioFrameCount = ReadInt(ini, section, "RadioButtonFrame", 0);
    b.CheckFrameCount = ReadInt(ini, section, "CheckButtonFrame", 0);
    if (b.Tile > 1) {
        b.Tile = 0;
    }
    b.HasNormalColour2 = !ini.ReadString(section, "NormalColour2").empty();
    b.HasMouseOverColour2 = !ini.ReadString(section, "MouseOverColour2").empty();
    b.HasPressedColour2 = !ini.ReadString(section, "PressedColour2").empty();
    b.NormalColour2 = ReadColourKey(ini, section, "NormalColour2", model_.ButtonTextColour);
    b.MouseOverColour2 = ReadColourKey(ini, section, "MouseOverColour2", model_.ButtonTextColour);
    b.PressedColour2 = ReadColourKey(ini, section, "PressedColour2", model_.ButtonTextColour);
}

void TSkinModelBuilder::LoadTitle()
{
    constexpr std::string_view section = "Personality";
    const TQuickIni& ini = ini_;
    TDataSkinTitle& t = *model_.TitleElement;
    LoadSkinBitmap(t.Bitmap, ini.ReadString(section, "TextBack"));
    t.LeftWidth = ReadInt(ini, section, "TextShift", 0);
    t.TopHeight = ReadInt(ini, section, "TextShiftVert", 0);
    t.RightWidth = ReadInt(ini, section, "TextRightClip", 0);
    t.BottomHeight = 0;
    t.TextAlignment = ReadInt(ini, section, "TextAlignment", 0);
    t.TextBackground = ReadInt(ini, section, "Textbackground", 0);
    t.FontHeight = ReadInt(ini, "Fonts", "FontHeight", 14);
    t.TextBackLeft = ReadInt(ini, section, "TXTBackleft", 0);
    t.TextBackRight = ReadInt(ini, section, "TXTBackRight", 0);
    t.ActiveTextColour = clNone;
    t.InactiveTextColour = clNone;
    ReadRgbKeys(section, "ActiveText", t.ActiveTextColour);
    ReadRgbKeys(section, "InActiveText", t.InactiveTextColour);
}

void TSkinModelBuilder::FixFrameCounts()
{
    TSkinModel& m = model_;
    const auto set = [](auto& slot, std::int32_t count) {
        if (slot) {
            slot->FrameCount = count;
        }
    };
    set(m.ButtonsElement, 5);
    // Check and radio strips without a count hold square cells of 13 or 16 pixels.
    const auto cellCount = [](const TBitmap& bitmap) {
        const int count = bitmap.Width() / (bitmap.Height() < 16 ? 13 : 16);
        return count < 4 ? 4 : count;
    };
    TDataSkinButton& buttons = *m.ButtonsElement;
    if (buttons.RadioFrameCount == 0) {
        buttons.RadioFrameCount = cellCount(buttons.RadioBitmap);
    }
    if (buttons.CheckFrameCount == 0) {
        buttons.CheckFrameCount = cellCount(buttons.CheckBitmap);
    }
    set(m.TitleElement, 2);
    if (m.Progress) {
        m.Progress->FrameCount = m.Progress->Style == 0 ? 2 : 1;
    }
    set(m.MenuBar, 2);
    set(m.GroupBoxEdge, 2);
    set(m.ToolBars, 5);
    set(m.Tabs, 5);
    set(m.TabPane, 1);
    set(m.StatusBarEdges, 3);
    set(m.GroupBox, 1);
    set(m.ComboButton, 4);
    set(m.SunkEdge, 4);
    set(m.ExtraImages, 5);
    if (m.Headerbar && m.Headerbar->FrameCount == 0) {
        m.Headerbar->FrameCount = 5;
    }
    set(m.MenuItem, 5);
    set(m.MenuBackground, 1);
    set(m.Scrollbar, 23);
    set(m.HorzScroll, 4);
    set(m.VertScroll, 4);
    set(m.UpDownVert, 8);
    set(m.UpDownHorz, 8);
    for (auto* thumb : {&m.TrackbarThumbHorz, &m.TrackbarThumbVert, &m.TrackbarThumbLeft, &m.TrackbarThumbRight,
                        &m.TrackbarThumbUp, &m.TrackbarThumbDown}) {
        set(*thumb, 5);
    }
    for (auto* thumb : {&m.HorzScrollThumb, &m.VertScrollThumb}) {
        if (*thumb) {
            (*thumb)->FrameCount = ReadInt(ini_, (*thumb)->Name, "FrameCount", 3);
        }
    }
}
