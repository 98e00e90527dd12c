// Skins are replaced whole: a load that fails anywhere, from the package to
// the last piece built from others, leaves every element, colour and font of
// the current skin as they were (the same objects, the same pixels and
// numbers); one that succeeds replaces all of them; failing loads leave no
// handle or object behind. The first skin is the edge test skin, the second
// the default skin, so that a piece of the second leaking in would show.
#include "tests/win/skin_data_support.h"

#include "skin/model/WinSkinDlg.h"
#include "ui/Forms.h"
#include "ui/Handles.h"
#include "ui/Object.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace skintest;

const Bytes& SecondSkin()
{
    static const Bytes skin = BuiltFile("skins/default.skin");
    return skin;
}

// Every pixel of a picture, as its pixel format lays them out.
struct Picture {
    int width = 0;
    int height = 0;
    TPixelFormat format = pf24bit;
    std::vector<std::uint8_t> bytes;
    bool operator==(const Picture&) const = default;
};

int BitsPerPixel(TPixelFormat format)
{
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf32bit: return 32;
    default: return 24;
    }
}

Picture PictureOf(const TBitmap& bitmap)
{
    Picture picture{bitmap.Width(), bitmap.Height(), bitmap.PixelFormat(), {}};
    if (bitmap.Empty())
        return picture;
    const std::size_t bits = static_cast<std::size_t>(bitmap.Width()) * BitsPerPixel(bitmap.PixelFormat());
    const std::size_t rowBytes = (bits + 7) / 8;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = bitmap.ScanLine(y);
        picture.bytes.insert(picture.bytes.end(), row, row + rowBytes);
    }
    for (const RGBQUAD& entry : bitmap.ColorTable())
        picture.bytes.insert(picture.bytes.end(), {entry.rgbBlue, entry.rgbGreen, entry.rgbRed});
    return picture;
}

// An element's numbers and pictures, those of its class included.
struct ElementContent {
    std::string name;
    std::vector<std::int64_t> numbers;
    std::vector<Picture> pictures;
    bool operator==(const ElementContent&) const = default;
};

ElementContent ContentOf(const TDataSkinObject& e)
{
    ElementContent c{e.Name,
                     {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight, e.Trans, e.Tile, e.FrameCount, e.Style,
                      e.NormalColour, e.MouseOverColour, e.PressedColour, e.NormalColour2, e.MouseOverColour2,
                      e.PressedColour2},
                     {PictureOf(e.Bitmap)}};
    if (const auto* border = dynamic_cast<const TDataSkinBorder*>(&e))
        c.pictures.push_back(PictureOf(border->Bitmap2));
    if (const auto* t = dynamic_cast<const TDataSkinTitle*>(&e))
        c.numbers.insert(c.numbers.end(), {t->TextAlignment, t->TextBackground, t->FontHeight, t->TextBackLeft,
                                           t->TextBackRight, t->ActiveTextColour, t->InactiveTextColour});
    if (const auto* b = dynamic_cast<const TDataSkinButton*>(&e)) {
        c.numbers.insert(c.numbers.end(), {b->RadioFrameCount, b->CheckFrameCount, b->HasNormalColour2,
                                           b->HasMouseOverColour2, b->HasPressedColour2});
        c.pictures.push_back(PictureOf(b->CheckBitmap));
        c.pictures.push_back(PictureOf(b->RadioBitmap));
    }
    if (const auto* s = dynamic_cast<const TDataSkinSysButton*>(&e))
        c.numbers.insert(c.numbers.end(),
                         {s->Action, s->Align, s->XCoord, s->YCoord, s->CombineOp, s->Visibility, s->Visibility1});
    if (const auto* g = dynamic_cast<const TDataSkinBoxLabel*>(&e))
        c.numbers.insert(c.numbers.end(), {g->BackgroundLeftShift, g->BackgroundRightShift, g->BackgroundAlignment});
    return c;
}

// Everything a skin consists of, as painters see it: which objects hold it,
// and what they hold.
struct SkinState {
    std::vector<const void*> objects;
    std::vector<std::pair<std::string, std::optional<ElementContent>>> elements;
    std::vector<TColor> colours;
    std::string skinName;
    bool notLoaded = true;
    COLORREF brushColour = CLR_INVALID;
    std::pair<LONG, std::string> font;
};

SkinState StateOf(TSkinData& s)
{
    std::vector<std::pair<std::string, const TDataSkinObject*>> slots{
        {"BorderLeft", s.BorderLeft.get()},
        {"BorderRight", s.BorderRight.get()},
        {"BorderTop", s.BorderTop.get()},
        {"BorderBottom", s.BorderBottom.get()},
        {"ButtonsElement", s.ButtonsElement.get()},
        {"TitleElement", s.TitleElement.get()},
        {"Progress", s.Progress.get()},
        {"ProgressChunk", s.ProgressChunk.get()},
        {"MenuBar", s.MenuBar.get()},
        {"GroupBoxEdge", s.GroupBoxEdge.get()},
        {"GroupBox", s.GroupBox.get()},
        {"Tabs", s.Tabs.get()},
        {"StatusBarEdges", s.StatusBarEdges.get()},
        {"TabPane", s.TabPane.get()},
        {"ToolBars", s.ToolBars.get()},
        {"ComboButton", s.ComboButton.get()},
        {"SunkEdge", s.SunkEdge.get()},
        {"ExtraImages", s.ExtraImages.get()},
        {"Headerbar", s.Headerbar.get()},
        {"MenuItem", s.MenuItem.get()},
        {"MenuBackground", s.MenuBackground.get()},
        {"Scrollbar", s.Scrollbar.get()},
        {"HorzScroll", s.HorzScroll.get()},
        {"VertScroll", s.VertScroll.get()},
        {"HorzScrollThumb", s.HorzScrollThumb.get()},
        {"VertScrollThumb", s.VertScrollThumb.get()},
        {"TrackbarThumbHorz", s.TrackbarThumbHorz.get()},
        {"TrackbarThumbVert", s.TrackbarThumbVert.get()},
        {"TrackbarThumbLeft", s.TrackbarThumbLeft.get()},
        {"TrackbarThumbRight", s.TrackbarThumbRight.get()},
        {"TrackbarThumbUp", s.TrackbarThumbUp.get()},
        {"TrackbarThumbDown", s.TrackbarThumbDown.get()},
        {"UpDownHorz", s.UpDownHorz.get()},
        {"UpDownVert", s.UpDownVert.get()},
        {"Track", s.Track.get()},
        {"TrackVert", s.TrackVert.get()},
        {"ComboxArrow", s.ComboxArrow.get()},
        {"Toolbar", s.Toolbar.get()},
    };
    for (std::size_t i = 0; i < s.CaptionButtons.size(); ++i)
        slots.emplace_back("CaptionButtons[" + std::to_string(i) + "]", s.CaptionButtons[i].get());

    SkinState state;
    for (const auto& [name, element] : slots) {
        if (element)
            state.objects.push_back(element);
        state.elements.emplace_back(name, element ? std::optional(ContentOf(*element)) : std::nullopt);
    }
    state.objects.push_back(&s.CaptionFont());
    if (s.FaceBrush())
        state.objects.push_back(s.FaceBrush());
    state.colours = {s.WindowTextColour,     s.ButtonFaceColour,      s.ScrollbarColour,     s.HilightTextColour,
                     s.HilightColour,        s.MenubarColour,         s.MenuColour,          s.MenuTextColour,
                     s.ButtonTextColour,     s.ButtonHilightColour,   s.ButtonlightColour,   s.ButtonShadowColour,
                     s.ButtonDkShadowColour, s.MenuBarTextColour,     s.TitleTextActiveColour,
                     s.TitleTextNoActiveColour, s.FrameColour};
    state.colours.insert(state.colours.end(), s.SectionColours.begin(), s.SectionColours.end());
    state.colours.insert(state.colours.end(), s.CustomColours.begin(), s.CustomColours.end());
    state.skinName = s.SkinName;
    state.notLoaded = s.SkinNotLoaded();
    LOGBRUSH brush{};
    if (s.FaceBrush() && GetObjectA(s.FaceBrush(), sizeof brush, &brush) != 0)
        state.brushColour = brush.lbColor;
    const LOGFONTA font = s.CaptionFont().LogFont();
    state.font = {font.lfHeight, font.lfFaceName};
    return state;
}

const std::optional<ElementContent>& ElementOf(const SkinState& state, std::string_view slot)
{
    const auto found = std::find_if(state.elements.begin(), state.elements.end(),
                                    [slot](const auto& element) { return element.first == slot; });
    if (found == state.elements.end())
        throw std::logic_error("no slot " + std::string(slot));
    return found->second;
}

// The same skin content, whichever objects hold it; each differing element is named.
void ExpectSameContent(const SkinState& actual, const SkinState& expected)
{
    ASSERT_EQ(actual.elements.size(), expected.elements.size()) << "caption buttons";
    for (std::size_t i = 0; i < actual.elements.size(); ++i) {
        const auto& [name, content] = actual.elements[i];
        EXPECT_EQ(name, expected.elements[i].first);
        EXPECT_EQ(content.has_value(), expected.elements[i].second.has_value()) << name;
        if (content && expected.elements[i].second) {
            EXPECT_TRUE(content->numbers == expected.elements[i].second->numbers) << name << ": numbers";
            EXPECT_TRUE(content->pictures == expected.elements[i].second->pictures) << name << ": pixels";
            EXPECT_EQ(content->name, expected.elements[i].second->name);
        }
    }
    EXPECT_EQ(actual.colours, expected.colours);
    EXPECT_EQ(actual.skinName, expected.skinName);
    EXPECT_EQ(actual.notLoaded, expected.notLoaded);
    EXPECT_EQ(actual.brushColour, expected.brushColour);
    EXPECT_EQ(actual.font, expected.font);
}

// The very skin: the same objects with the same content.
void ExpectUnchanged(const SkinState& actual, const SkinState& expected)
{
    EXPECT_EQ(actual.objects, expected.objects) << "elements, font or brush were replaced";
    ExpectSameContent(actual, expected);
}

// A build that fails as soon as `piece` has been built.
TSkinBuildObserver FailAfter(std::string piece)
{
    return [piece](std::string_view built) {
        if (built == piece)
            throw std::runtime_error("injected failure after " + piece);
    };
}

// Ways a load of the second skin fails: where the build is stopped, or what is wrong with the stream.
struct FailingLoad {
    const char* what;
    std::string failAfter; // empty: the stream itself is broken
    Bytes stream;
};

std::vector<FailingLoad> FailingLoads()
{
    const Bytes& second = SecondSkin();
    return {
        // The description parser accepts any text, so its failure is injected.
        {"the description cannot be read", "Description", second},
        {"after the skin's name", "SkinName", second},
        {"after the first element", "Borders", second},
        {"halfway through the elements", "Scrollbar", second},
        {"after the last element before synthesis", "TrackVert", second},
        {"after the frame counts are imposed", "FrameCounts", second},
        {"during synthesis, after the combo pieces", "ComboElements", second},
        {"after the last piece", "CaptionFont", second},
        {"a truncated package", "", CutPackageSkin(second)},
        {"a stream shorter than its length word", "", Bytes{1, 2}},
    };
}

bool Load(TSkinData& skin, const FailingLoad& load)
{
    skin.SkinStream().SetSize(0);
    skin.SkinStream().WriteBuffer(load.stream.data(), load.stream.size());
    return skin.LoadSkinFromStream(load.failAfter.empty() ? TSkinBuildObserver{} : FailAfter(load.failAfter));
}

class SkinSwapTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
    void TearDown() override { FreeSkinManager(); }
};

TEST_F(SkinSwapTest, AFailedLoadLeavesEveryElementColourAndFontOfTheCurrentSkin)
{
    TSkinData skin(nullptr);
    ASSERT_TRUE(LoadSkinBytes(skin, EdgeSkin()));
    const SkinState first = StateOf(skin);
    ASSERT_FALSE(first.notLoaded);

    // The second skin differs from the first where the failures strike.
    TSkinData second(nullptr);
    ASSERT_TRUE(LoadSkinBytes(second, SecondSkin()));
    const SkinState secondState = StateOf(second);
    ASSERT_NE(secondState.skinName, first.skinName);
    ASSERT_NE(secondState.colours, first.colours);
    for (const char* slot : {"BorderLeft", "BorderTop", "ButtonsElement", "ComboButton", "Scrollbar", "ComboxArrow"})
        ASSERT_TRUE(ElementOf(secondState, slot) != ElementOf(first, slot)) << slot;

    for (const FailingLoad& load : FailingLoads()) {
        SCOPED_TRACE(load.what);
        EXPECT_FALSE(Load(skin, load));
        ExpectUnchanged(StateOf(skin), first);
    }

    // Still able to take a skin after all that.
    ASSERT_TRUE(LoadSkinBytes(skin, SecondSkin()));
    ExpectSameContent(StateOf(skin), secondState);
}

TEST_F(SkinSwapTest, ASuccessfulLoadOfAnotherSkinReplacesEveryPiece)
{
    TSkinData skin(nullptr);
    ASSERT_TRUE(LoadSkinBytes(skin, EdgeSkin()));
    const SkinState first = StateOf(skin);

    ASSERT_TRUE(LoadSkinBytes(skin, SecondSkin()));
    const SkinState replaced = StateOf(skin);
    // What a component that only ever loaded the second skin holds.
    TSkinData fresh(nullptr);
    ASSERT_TRUE(LoadSkinBytes(fresh, SecondSkin()));
    ExpectSameContent(replaced, StateOf(fresh));
    // Not one object of the first skin lives on.
    const std::set<const void*> before(first.objects.begin(), first.objects.end());
    for (const void* object : replaced.objects)
        EXPECT_EQ(before.count(object), 0u);

    // And back: the first skin again, as it was at first.
    ASSERT_TRUE(LoadSkinBytes(skin, EdgeSkin()));
    ExpectSameContent(StateOf(skin), first);
}

TEST_F(SkinSwapTest, AFailedFirstLoadLeavesTheStandardLookAndNoSkinLoaded)
{
    TSkinData never(nullptr);
    const SkinState standard = StateOf(never);
    ASSERT_TRUE(standard.notLoaded);
    for (const FailingLoad& load : FailingLoads()) {
        SCOPED_TRACE(load.what);
        TSkinData skin(nullptr);
        EXPECT_FALSE(Load(skin, load));
        EXPECT_TRUE(skin.SkinNotLoaded());
        EXPECT_EQ(skin.FaceBrush(), nullptr);
        ExpectSameContent(StateOf(skin), standard);
    }
}

TEST_F(SkinSwapTest, RepeatedFailingLoadsLeaveNoHandleOrObjectBehind)
{
    TSkinData skin(nullptr);
    ASSERT_TRUE(LoadSkinBytes(skin, EdgeSkin()));
    const std::vector<FailingLoad> loads = FailingLoads();
    // One round first, for whatever the system makes once.
    for (const FailingLoad& load : loads)
        ASSERT_FALSE(Load(skin, load)) << load.what;
    const ui::HandleSnapshot before = ui::HandleSnapshot::Take();
    const std::size_t objects = ui::LiveObjectCount();
    for (int round = 0; round < 20; ++round) {
        for (const FailingLoad& load : loads)
            ASSERT_FALSE(Load(skin, load)) << load.what;
    }
    EXPECT_TRUE(ui::HandleSnapshot::Take() == before);
    EXPECT_EQ(ui::LiveObjectCount(), objects);
}

TEST_F(SkinSwapTest, ASkinFileThatFailsToLoadLeavesTheSkinAndTheStoredStream)
{
    const char* binary = std::getenv("ZEL_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    const std::string broken = std::string(binary) + "/test-skins/swap-broken.skin";
    {
        const Bytes cut = CutPackageSkin(SecondSkin());
        std::ofstream out(broken, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(cut.data()), static_cast<std::streamsize>(cut.size()));
    }
    TSkinData skin(nullptr);
    skin.SetSkinFile(std::string(binary) + "/test-skins/edge.skin");
    ASSERT_FALSE(skin.SkinNotLoaded());
    const SkinState first = StateOf(skin);

    skin.SetSkinFile(broken);
    EXPECT_EQ(skin.SkinFile(), broken);
    ExpectUnchanged(StateOf(skin), first);
    const auto stored = skin.SkinStream().Bytes();
    EXPECT_TRUE(std::equal(stored.begin(), stored.end(), reinterpret_cast<const std::byte*>(EdgeSkin().data()),
                           reinterpret_cast<const std::byte*>(EdgeSkin().data() + EdgeSkin().size())))
        << "the stored stream is still the edge skin";
    std::remove(broken.c_str());
}

} // namespace
