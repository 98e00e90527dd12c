// The element model as a skin fills it: borders and title, push buttons,
// title-bar buttons, every element's frame count and picture, colours, and
// the pieces built from others (combo box, combo arrow, toolbar gradient).
// Each case loads the edge test skin, whose pictures have telling sizes
// and colours (tests/win/skins/EdgeSkin.h).
#include "tests/win/skin_data_support.h"

#include "skin/model/WinSkinDlg.h"
#include "ui/Handles.h"
#include "ui/Object.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace skintest;
namespace es = edgeskin;

class SkinElementsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin = std::make_unique<TSkinData>(nullptr);
        ASSERT_TRUE(LoadSkinBytes(*skin, EdgeSkin()));
    }
    void TearDown() override
    {
        skin.reset();
        FreeSkinManager();
    }

    std::unique_ptr<TSkinData> skin;
};

void ExpectMargins(const TDataSkinObject& element, int left, int top, int right, int bottom)
{
    EXPECT_EQ(element.LeftWidth, left) << element.Name;
    EXPECT_EQ(element.TopHeight, top) << element.Name;
    EXPECT_EQ(element.RightWidth, right) << element.Name;
    EXPECT_EQ(element.BottomHeight, bottom) << element.Name;
}

TEST_F(SkinElementsTest, BordersTitleAndMenuBarTakeTheirPersonalityKeys)
{
    EXPECT_FALSE(skin->SkinNotLoaded());
    EXPECT_EQ(skin->SkinName, "Edge probe");

    // Horizontal strips keep their fixed parts at the two ends.
    const TDataSkinBorder& top = *skin->BorderTop;
    EXPECT_EQ(top.Name, "Top");
    ExpectMargins(top, 32, 0, 39, 0);
    EXPECT_EQ(top.FrameCount, 2);
    EXPECT_EQ(top.Bitmap.Width(), es::TopWidth);
    // Vertical strips keep theirs at top and bottom; Stretch above 1 becomes 1.
    const TDataSkinBorder& left = *skin->BorderLeft;
    ExpectMargins(left, 0, 20, 0, 5);
    EXPECT_EQ(left.FrameCount, 2);
    EXPECT_EQ(left.Tile, 1);
    EXPECT_EQ(left.Trans, 0);
    EXPECT_EQ(left.Bitmap.Height(), es::SideHeight);
    ExpectMargins(*skin->BorderRight, 0, 6, 0, 7);
    // A border the description leaves out keeps its defaults and no picture.
    const TDataSkinBorder& bottom = *skin->BorderBottom;
    EXPECT_EQ(bottom.Name, "Bottom");
    ExpectMargins(bottom, 0, 0, 0, 0);
    EXPECT_EQ(bottom.FrameCount, 1);
    EXPECT_EQ(bottom.Tile, 1);
    EXPECT_EQ(bottom.Trans, 1);
    EXPECT_FALSE(bottom.HasBitmap());

    // The caption: its margins hold the text's shifts and clip.
    const TDataSkinTitle& title = *skin->TitleElement;
    ExpectMargins(title, 5, 3, 60, 0);
    EXPECT_EQ(title.Bitmap.Width(), es::PlainWidth("textback.bmp"));
    EXPECT_EQ(title.FrameCount, 2);
    EXPECT_EQ(title.TextAlignment, 1);
    EXPECT_EQ(title.TextBackground, 1);
    EXPECT_EQ(title.FontHeight, 13);
    EXPECT_EQ(title.TextBackLeft, 11);
    EXPECT_EQ(title.TextBackRight, 12);
    EXPECT_EQ(title.ActiveTextColour, 0x0000FFFFu);
    EXPECT_EQ(title.InactiveTextColour, clNone) << "one of the three keys is negative";

    ASSERT_TRUE(skin->MenuBar);
    EXPECT_EQ(skin->MenuBar->Bitmap.Width(), es::PlainWidth("menubar.bmp"));
    ExpectMargins(*skin->MenuBar, 4, 0, 6, 0);
    EXPECT_EQ(skin->MenuBar->Tile, 1);
    EXPECT_EQ(skin->MenuBar->FrameCount, 2);

    // The frame colour is sampled from the top border.
    EXPECT_EQ(skin->FrameColour, ToColour(es::FrameRgb));
    EXPECT_EQ(skin->SampleFrameColour(), ToColour(es::FrameRgb));
}

TEST_F(SkinElementsTest, PushButtonsCheckBoxesAndRadioButtons)
{
    const TDataSkinButton& buttons = *skin->ButtonsElement;
    EXPECT_EQ(buttons.Name, "Buttons");
    ExpectMargins(buttons, 8, 9, 8, 9);
    EXPECT_EQ(buttons.Trans, 1);
    EXPECT_EQ(buttons.Tile, 0) << "Tile above 1";
    EXPECT_EQ(buttons.FrameCount, 5) << "whatever the Frame key says";
    EXPECT_EQ(buttons.Bitmap.Width(), 5 * es::ButtonFrameWidth);
    EXPECT_EQ(PixelOf(buttons.Bitmap, 2 * es::ButtonFrameWidth + 1, 1), ToColour(es::ButtonRgb(2)));
    // Frame counts from the pictures' sizes: 192 / 16 and, lower than 16, 104 / 13.
    EXPECT_EQ(buttons.CheckBitmap.Width(), es::CheckWidth);
    EXPECT_EQ(buttons.CheckFrameCount, 12);
    EXPECT_EQ(buttons.RadioBitmap.Height(), es::RadioHeight);
    EXPECT_EQ(buttons.RadioFrameCount, 8);
    // Text colours: integers, and second colours parsed from text.
    EXPECT_EQ(buttons.NormalColour, 255u);
    EXPECT_EQ(buttons.MouseOverColour, NoElementColour);
    EXPECT_EQ(buttons.HasNormalColour2, 1);
    EXPECT_EQ(buttons.HasMouseOverColour2, 0) << "present but empty";
    EXPECT_EQ(buttons.HasPressedColour2, 0);
    EXPECT_EQ(buttons.NormalColour2, 0x000000FFu);
    EXPECT_EQ(buttons.MouseOverColour2, skin->ButtonTextColour);
    EXPECT_EQ(buttons.PressedColour2, skin->ButtonTextColour);
}

TEST_F(SkinElementsTest, CaptionButtonsComeFromButtonSectionsPlusThreeChildWindowButtons)
{
    // BUTTONS, BUTTON.RADIO, BUTTON, Button.Checkbox and the hidden ButtonX are dropped.
    const auto& buttons = skin->CaptionButtons;
    ASSERT_EQ(buttons.size(), 8u);
    const std::vector<std::string> names{"BUTTON0", "BUTTON1", "BUTTON2", "BUTTON3", "BUTTON4"};
    const std::vector<int> actions{0, 1, 2, -1, 3, 7, 8, 9};
    // 126 x 21 is wider than 3.8 : 1, 60 x 21 is not; a frame key wins; a
    // negative action and an action without a picture get 6.
    const std::vector<int> frames{6, 3, 2, 6, 6, 4, 4, 4};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        ASSERT_TRUE(buttons[i]) << i;
        if (i < names.size()) {
            EXPECT_EQ(buttons[i]->Name, names[i]);
        }
        EXPECT_EQ(buttons[i]->Action, actions[i]) << i;
        EXPECT_EQ(buttons[i]->FrameCount, frames[i]) << i;
    }
    const TDataSkinSysButton& first = *buttons[0];
    EXPECT_EQ(first.Align, 1);
    EXPECT_EQ(first.XCoord, 25);
    EXPECT_EQ(first.YCoord, 4);
    EXPECT_EQ(first.Visibility, 0);
    EXPECT_EQ(first.Visibility1, 0);
    EXPECT_EQ(first.CombineOp, -1);
    EXPECT_EQ(first.Bitmap.Width(), es::WideCaptionWidth);
    EXPECT_EQ(buttons[2]->CombineOp, 1);
    EXPECT_EQ(buttons[3]->Visibility1, -1) << "the default for action -1";
    EXPECT_FALSE(buttons[4]->HasBitmap());

    // The child-window buttons share one strip of twelve cells, four each.
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& mdi = *buttons[5 + static_cast<std::size_t>(i)];
        EXPECT_EQ(mdi.Align, 100);
        EXPECT_EQ(mdi.Visibility, 100);
        EXPECT_EQ(mdi.Visibility1, 100);
        EXPECT_EQ(mdi.XCoord, (es::MdiCell + 4) * (3 - i));
        ASSERT_EQ(mdi.Bitmap.Width(), 4 * es::MdiCell) << i;
        ASSERT_EQ(mdi.Bitmap.Height(), es::MdiHeight);
        for (int cell = 0; cell < 4; ++cell) {
            EXPECT_EQ(PixelOf(mdi.Bitmap, cell * es::MdiCell, 0), ToColour(es::MdiCellRgb(4 * i + cell)));
            EXPECT_EQ(PixelOf(mdi.Bitmap, cell * es::MdiCell + es::MdiCell - 1, es::MdiHeight - 1),
                      ToColour(es::MdiCellRgb(4 * i + cell)));
        }
    }
}

// One row of the element table: the slot, the picture it must hold (empty
// for none) and its frame count.
struct SlotCase {
    const char* section;
    TDataSkinObject* element;
    const char* picture;
    int frameCount;
};

TEST_F(SkinElementsTest, EveryElementHoldsItsOwnPictureAndFixedFrameCount)
{
    const std::vector<SlotCase> cases{
        {"Progress (Style 1)", skin->Progress.get(), "progress.bmp", 1},
        {"Progress.Chunk (Frame 3 kept)", skin->ProgressChunk.get(), "chunk.bmp", 3},
        {"GroupBoxEdge", skin->GroupBoxEdge.get(), "gbedge.bmp", 2},
        {"GroupBox", skin->GroupBox.get(), "groupbox.bmp", 1},
        {"Tabs", skin->Tabs.get(), "tabs.bmp", 5},
        {"StatusBarEdges (picture missing)", skin->StatusBarEdges.get(), "", 3},
        {"Tab.Pane", skin->TabPane.get(), "tabpane.bmp", 1},
        {"ToolBars", skin->ToolBars.get(), "toolbars.bmp", 5},
        {"ExtraImages", skin->ExtraImages.get(), nullptr, 5},
        {"Headerbar (Frame 3 kept)", skin->Headerbar.get(), "header.bmp", 3},
        {"MenuItem (a path)", skin->MenuItem.get(), "menuitem.bmp", 5},
        {"MenuBackground (.BMP)", skin->MenuBackground.get(), "", 1},
        {"Scrollbar", skin->Scrollbar.get(), "scrollbar.bmp", 23},
        {"HorzScroll", skin->HorzScroll.get(), "hscroll.bmp", 4},
        {"VertScroll", skin->VertScroll.get(), "vscroll.bmp", 4},
        {"HorzScrollThumb (its FrameCount key)", skin->HorzScrollThumb.get(), "hthumb.bmp", 2},
        {"VertScrollThumb", skin->VertScrollThumb.get(), "vthumb.bmp", 3},
        {"Trackbar.ThumbHorz", skin->TrackbarThumbHorz.get(), "thumbhorz.bmp", 5},
        {"Trackbar.ThumbVert", skin->TrackbarThumbVert.get(), "thumbvert.bmp", 5},
        {"Trackbar.ThumbLeft", skin->TrackbarThumbLeft.get(), "thumbleft.bmp", 5},
        {"Trackbar.ThumbRight", skin->TrackbarThumbRight.get(), "thumbright.bmp", 5},
        {"Trackbar.ThumbUp", skin->TrackbarThumbUp.get(), "thumbup.bmp", 5},
        {"Trackbar.ThumbDown", skin->TrackbarThumbDown.get(), "thumbdown.bmp", 5},
        {"UpDown.Horz", skin->UpDownHorz.get(), "updownh.bmp", 8},
        {"UpDown.Vert", skin->UpDownVert.get(), "updownv.bmp", 8},
        {"Track (Frame 2 kept)", skin->Track.get(), "track.bmp", 2},
    };
    for (const SlotCase& c : cases) {
        SCOPED_TRACE(c.section);
        ASSERT_NE(c.element, nullptr);
        EXPECT_EQ(c.element->FrameCount, c.frameCount);
        if (!c.picture)
            continue;
        if (*c.picture) {
            EXPECT_EQ(c.element->Bitmap.Width(), es::PlainWidth(c.picture));
            EXPECT_EQ(c.element->Bitmap.Height(), es::PlainHeight);
        } else {
            EXPECT_FALSE(c.element->HasBitmap());
        }
    }
    // Element names are their sections'.
    EXPECT_EQ(skin->TabPane->Name, "Tab.Pane");
    EXPECT_EQ(skin->TrackbarThumbDown->Name, "Trackbar.ThumbDown");

    EXPECT_EQ(skin->Progress->Tile, 1) << "a progress bar's Tile above 1 becomes 1";
    EXPECT_EQ(skin->Progress->Style, 1);
    const TDataSkinBoxLabel& groupBox = *skin->GroupBox;
    EXPECT_EQ(groupBox.BackgroundAlignment, 2);
    EXPECT_EQ(groupBox.BackgroundLeftShift, 3);
    EXPECT_EQ(groupBox.BackgroundRightShift, 4);
    ExpectMargins(*skin->TabPane, 4, 2, 4, 4);
    // Second pictures named by a glyph key.
    EXPECT_EQ(skin->Tabs->Bitmap2.Width(), es::PlainWidth("tabborder.bmp"));
    EXPECT_EQ(skin->UpDownHorz->Bitmap2.Width(), es::PlainWidth("updownglyph.bmp"));
    EXPECT_TRUE(skin->UpDownVert->Bitmap2.Empty()) << "no glyph key";
}

TEST_F(SkinElementsTest, VerticalTrackWithoutASectionComesFromTheProgramsOwnBitmap)
{
    ASSERT_TRUE(skin->TrackVert);
    const TDataSkinObject& track = *skin->TrackVert;
    EXPECT_EQ(track.Name, "TRACKVERT");
    ExpectMargins(track, 3, 3, 3, 3);
    EXPECT_EQ(track.Tile, 0);
    EXPECT_EQ(track.FrameCount, 1);
    // The test program links the engine's bitmaps in, as every program using the skin data does.
    TBitmap builtin;
    ASSERT_NO_THROW(builtin.LoadFromResourceName(GetModuleHandleA(nullptr), "TRACKVERT"));
    ASSERT_FALSE(builtin.Empty());
    ASSERT_EQ(track.Bitmap.Width(), builtin.Width());
    ASSERT_EQ(track.Bitmap.Height(), builtin.Height());
    int mismatches = 0;
    for (int y = 0; y < builtin.Height(); ++y)
        for (int x = 0; x < builtin.Width(); ++x)
            mismatches += PixelOf(track.Bitmap, x, y) != PixelOf(builtin, x, y);
    EXPECT_EQ(mismatches, 0);
}

TEST_F(SkinElementsTest, ColoursComeFromTheirSectionsWithSystemColourDefaults)
{
    EXPECT_EQ(skin->WindowTextColour, 0x00030201u);
    EXPECT_EQ(skin->ButtonFaceColour, 0x00B4BEC8u);
    EXPECT_EQ(skin->ButtonTextColour, 0x001E140Au);
    EXPECT_EQ(skin->MenuTextColour, 0x002E2D2Cu) << "each number modulo 256";
    // No Menubar key: the face colour just loaded, not the system's.
    EXPECT_EQ(skin->MenubarColour, skin->ButtonFaceColour);
    EXPECT_EQ(skin->ScrollbarColour, clSystemColor | COLOR_SCROLLBAR);
    EXPECT_EQ(skin->ButtonlightColour, clSystemColor | COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(skin->TitleTextNoActiveColour, clSystemColor | COLOR_INACTIVECAPTIONTEXT);
    // [COLOUR...] sections in order, [Colours] itself left out; one without a key takes the default.
    EXPECT_EQ(skin->SectionColours, (std::vector<TColor>{0x000D0C0B, 0x00171615, clSystemColor | COLOR_WINDOWTEXT}));
    EXPECT_EQ(skin->CustomColours[0], 0x00010101u);
    EXPECT_EQ(skin->CustomColours[5], 0x00FFFFFFu);
    EXPECT_EQ(skin->CustomColours[9], 0x00090909u);
    // The face brush paints the face colour.
    ASSERT_NE(skin->FaceBrush(), nullptr);
    LOGBRUSH brush{};
    ASSERT_NE(GetObjectA(skin->FaceBrush(), sizeof brush, &brush), 0);
    EXPECT_EQ(brush.lbColor, skin->ButtonFaceColour);
}

TEST_F(SkinElementsTest, ComboPiecesAreBuiltFromSunkEdgeComboButtonAndExtraImages)
{
    const int w = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const TDataSkinBorder& button = *skin->ComboButton;
    const TDataSkinObject& sunk = *skin->SunkEdge;
    constexpr int frames = es::ComboFrames;
    EXPECT_EQ(button.Style, 2);
    EXPECT_EQ(button.FrameCount, frames);
    ExpectMargins(button, 2, 2, w + 2, 2);
    ExpectMargins(sunk, w + 2, 2, 2, 2);
    ASSERT_EQ(button.Bitmap.Width(), 50 * frames);
    ASSERT_EQ(button.Bitmap.Height(), 21);
    // Each 50 x 21 cell: the sunk edge, a cleared field, the button on the right with the extra image centred.
    for (int b = 0; b < frames; ++b) {
        SCOPED_TRACE(b);
        const int x0 = 50 * b;
        EXPECT_EQ(PixelOf(button.Bitmap, x0 + 1, 10), ToColour(es::SunkRgb(b)));
        EXPECT_EQ(PixelOf(button.Bitmap, x0 + 10, 10), ToColour(es::Magenta));
        EXPECT_EQ(PixelOf(button.Bitmap, x0 + 48, 1), ToColour(es::ComboRgb(b)));
        EXPECT_EQ(PixelOf(button.Bitmap, x0 + 50 - w + w / 2, 10), ToColour(es::ExtraRgb(b)));
    }
    // The sunk edge holds the same cells mirrored.
    ASSERT_EQ(sunk.Bitmap.Width(), button.Bitmap.Width());
    ASSERT_EQ(sunk.Bitmap.Height(), button.Bitmap.Height());
    int mismatches = 0;
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 50 * frames; ++x)
            mismatches += PixelOf(sunk.Bitmap, x, y) != PixelOf(button.Bitmap, 50 * frames - 1 - x, y);
    }
    EXPECT_EQ(mismatches, 0);
    // The loaded button picture, mirrored, stays as the second picture.
    ASSERT_EQ(button.Bitmap2.Width(), frames * es::ComboFrameWidth);
    EXPECT_EQ(PixelOf(button.Bitmap2, 0, 5), ToColour(es::ComboRgb(frames - 1)));
    EXPECT_EQ(PixelOf(button.Bitmap2, frames * es::ComboFrameWidth - 1, 5), ToColour(es::Magenta));

    // The arrow: the 17 x 17 square at the right end of each built cell.
    const TDataSkinObject& arrow = *skin->ComboxArrow;
    EXPECT_EQ(arrow.Name, "ComboxArrow");
    EXPECT_EQ(arrow.FrameCount, frames);
    ASSERT_EQ(arrow.Bitmap.Width(), 17 * frames);
    ASSERT_EQ(arrow.Bitmap.Height(), 17);
    mismatches = 0;
    for (int i = 0; i < frames; ++i) {
        for (int y = 0; y < 17; ++y) {
            for (int x = 0; x < 17; ++x)
                mismatches += PixelOf(arrow.Bitmap, 17 * i + x, y) != PixelOf(button.Bitmap, 50 * (i + 1) - 19 + x, 2 + y);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(SkinElementsTest, ToolbarIsAGradientFromALightenedFaceToAShadeOfTheFrameColour)
{
    const TDataSkinObject& toolbar = *skin->Toolbar;
    EXPECT_EQ(toolbar.Name, "Toolbar");
    EXPECT_EQ(toolbar.FrameCount, 1);
    ASSERT_EQ(toolbar.Bitmap.Width(), 10);
    ASSERT_EQ(toolbar.Bitmap.Height(), 40);
    // Worked out by hand from the edge skin's face colour (red 200, green 190,
    // blue 180) and frame colour (40, 80, 120):
    // top: 15 % face over white, per channel (255 * 850 + c * 150 + 500) div 1000
    //   = 247, 245, 244;
    // the frame colour has no channel of 160 or more, so it counts as saturated
    //   (200), and the bottom is it lightened: weight (225 - 200) * 25 div 140 + 50
    //   = 54 %, per channel (255 * 46 + c * 54 + 50) div 100 = 139, 161, 182;
    // 40 rows, 39 steps: row 13 is a third of the way down (red and green fall
    //   36 and 28 exactly, blue 20.67, rounded to 21), row 26 two thirds
    //   (72, 56 and 41.33, rounded to 41).
    const struct {
        int row;
        TColor colour;
    } rows[] = {
        {0, RGBColor(247, 245, 244)},
        {13, RGBColor(211, 217, 223)},
        {26, RGBColor(175, 189, 203)},
        {39, RGBColor(139, 161, 182)},
    };
    for (const auto& expected : rows)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(PixelOf(toolbar.Bitmap, x, expected.row), expected.colour) << "row " << expected.row << ", column " << x;
    // Every row falls from the one above in each channel, and is one colour across.
    for (int y = 1; y < 40; ++y) {
        const TColor above = PixelOf(toolbar.Bitmap, 5, y - 1);
        const TColor here = PixelOf(toolbar.Bitmap, 5, y);
        EXPECT_LE(RedOf(here), RedOf(above)) << "row " << y;
        EXPECT_LE(GreenOf(here), GreenOf(above)) << "row " << y;
        EXPECT_LE(BlueOf(here), BlueOf(above)) << "row " << y;
        EXPECT_EQ(PixelOf(toolbar.Bitmap, 0, y), here) << "row " << y;
        EXPECT_EQ(PixelOf(toolbar.Bitmap, 9, y), here) << "row " << y;
    }
}

// A skin with a combo button but no sunk edge.
Bytes PlainComboSkin()
{
    return RepackSkin(EdgeSkin(), [](std::string ini) { return WithoutLines(ini, "[SunkEdge]"); });
}

TEST_F(SkinElementsTest, WithoutSunkEdgeTheArrowIsTheComboButtonOnTheFaceColour)
{
    // Loaded over the edge skin: elements the new skin lacks go, the rest are rebuilt.
    ASSERT_TRUE(LoadSkinBytes(*skin, PlainComboSkin()));
    EXPECT_FALSE(skin->SunkEdge);
    const TDataSkinBorder& button = *skin->ComboButton;
    EXPECT_EQ(button.Style, 0);
    ASSERT_EQ(button.Bitmap.Width(), es::ComboFrames * es::ComboFrameWidth);
    const TDataSkinObject& arrow = *skin->ComboxArrow;
    EXPECT_EQ(arrow.FrameCount, button.FrameCount);
    ASSERT_EQ(arrow.Bitmap.Width(), button.Bitmap.Width());
    ASSERT_EQ(arrow.Bitmap.Height(), es::ComboHeight);
    for (int frame = 0; frame < es::ComboFrames; ++frame) {
        const int x0 = frame * es::ComboFrameWidth;
        EXPECT_EQ(PixelOf(arrow.Bitmap, x0, 3), skin->ButtonFaceColour) << frame;
        EXPECT_EQ(PixelOf(arrow.Bitmap, x0 + es::ComboFrameWidth - 1, 3), ToColour(es::ComboRgb(frame))) << frame;
    }
    EXPECT_EQ(skin->CaptionButtons.size(), 8u) << "rebuilt, not appended to";
}

TEST_F(SkinElementsTest, AHeaderbarWithoutFrameKeyGetsFiveFrames)
{
    const Bytes noHeaderFrame = RepackSkin(EdgeSkin(), [](std::string ini) {
        const std::size_t header = ini.find("[Headerbar]");
        return ini.erase(ini.find("Frame=3", header), 8);
    });
    ASSERT_TRUE(LoadSkinBytes(*skin, noHeaderFrame));
    EXPECT_EQ(skin->Headerbar->FrameCount, 5);
}

TEST_F(SkinElementsTest, ASkinThatFailsToLoadKeepsTheEarlierSkinInForce)
{
    EXPECT_FALSE(LoadSkinBytes(*skin, CutPackageSkin(EdgeSkin())));
    EXPECT_FALSE(skin->SkinNotLoaded());
    ASSERT_TRUE(skin->Scrollbar);
    EXPECT_EQ(skin->Scrollbar->FrameCount, 23);
    EXPECT_EQ(skin->ButtonFaceColour, 0x00B4BEC8u);
}

TEST_F(SkinElementsTest, APackageWithoutDescriptionLeavesTheSlotsEmptyAndTheColoursDefault)
{
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadSkin(EdgeSkin()));
    std::vector<TSkinPackageFile> pictures;
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string& name = reader.Names()[static_cast<std::size_t>(i)];
        if (name.find(".ini") == std::string::npos)
            pictures.push_back({name, reader.Entry(i)});
    }
    TSkinData fresh(nullptr);
    ASSERT_TRUE(LoadSkinBytes(fresh, CompressSkinStream(BuildSkinPackage(pictures))));
    EXPECT_FALSE(fresh.SkinNotLoaded());
    EXPECT_FALSE(fresh.Scrollbar);
    EXPECT_FALSE(fresh.ComboButton);
    EXPECT_FALSE(fresh.ButtonsElement->HasBitmap());
    EXPECT_EQ(fresh.CaptionButtons.size(), 3u) << "only the child-window buttons";
    EXPECT_EQ(fresh.ButtonFaceColour, clSystemColor | COLOR_BTNFACE);
    EXPECT_EQ(fresh.MenubarColour, clSystemColor | COLOR_BTNFACE);
}

TEST(SkinLoadLeaks, LoadingTheSameSkin200TimesLeavesNoHandleOrObjectBehind)
{
    {
        TSkinData skin(nullptr);
        ASSERT_TRUE(LoadSkinBytes(skin, EdgeSkin()));
        const ui::HandleSnapshot before = ui::HandleSnapshot::Take();
        const std::size_t objects = ui::LiveObjectCount();
        for (int i = 0; i < 200; ++i)
            ASSERT_TRUE(LoadSkinBytes(skin, EdgeSkin())) << i;
        EXPECT_TRUE(ui::HandleSnapshot::Take() == before);
        EXPECT_EQ(ui::LiveObjectCount(), objects);
        EXPECT_EQ(skin.CaptionButtons.size(), 8u);
    }
    FreeSkinManager();
}

} // namespace
