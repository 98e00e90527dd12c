// The caption of a skinned title bar: where its box goes for each alignment,
// its colours, its background picture, the ellipsis of a caption too long
// for the band, and the window text it shows.
#include "tests/win/frame_skin_support.h"

#include "skin/chrome/CaptionText.h"
#include "skin/chrome/FramePainter.h"
#include "skin/chrome/WindowCaption.h"
#include "skin/chrome/WindowIcon.h"
#include "ui/Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace frametest;
using skintest::PixelOf;

void ExpectRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

class CaptionLayoutTest : public ::testing::Test {
protected:
    CaptionLayoutTest()
    {
        title.LeftWidth = 5;   // text shift
        title.TopHeight = 3;   // vertical shift
        title.RightWidth = 60; // right clip
        title.TextBackLeft = 11;
        title.TextBackRight = 12;
    }
    TCaptionLayout Layout(int alignment, SIZE text = {50, 14}, TBorderKind kind = TBorderKind::Sizeable,
                          bool rightToLeft = false)
    {
        title.TextAlignment = alignment;
        return LayoutCaption(band, text, title, kind, rightToLeft);
    }

    TDataSkinTitle title{"Title"};
    const RECT band{4, 0, 394, 15};
};

TEST_F(CaptionLayoutTest, EachAlignmentPlacesTheBoxWithItsBackgroundMargins)
{
    // 50 + 11 + 12 = 73 wide; (15 - 14) / 2 + 3 / 2 = 1 down.
    const TCaptionLayout left = Layout(0);
    ExpectRect(left.box, 9, 1, 82, 15);
    ExpectRect(left.back, 9, 0, 82, 15);
    ExpectRect(left.text, 20, 1, 70, 15);
    // (390 - 73) / 2 = 158 from the band's left.
    ExpectRect(Layout(1).box, 162, 1, 235, 15);
    // 390 - 73 - 60 = 257: the box ends at the right clip.
    ExpectRect(Layout(2).box, 261, 1, 334, 15);
    ExpectRect(Layout(7).box, 4, 1, 77, 15);
    // Right-to-left captions go where alignment 2 puts them.
    ExpectRect(Layout(0, {50, 14}, TBorderKind::Sizeable, true).box, 261, 1, 334, 15);
}

TEST_F(CaptionLayoutTest, ABoxStopsAtTheRightClipAndDialogsReachFurtherLeft)
{
    const TCaptionLayout longText = Layout(0, {400, 14});
    ExpectRect(longText.box, 9, 1, 334, 15);
    ExpectRect(longText.text, 20, 1, 322, 15);
    ExpectRect(Layout(0, {50, 14}, TBorderKind::Dialog).box, -7, 1, 82, 15);
    EXPECT_EQ(Layout(0, {50, 14}, TBorderKind::Dialog).text.left, 4);
    // Only left-aligned dialog captions.
    EXPECT_EQ(Layout(1, {50, 14}, TBorderKind::Dialog).box.left, 162);
}

TEST_F(CaptionLayoutTest, HalvingsRoundTowardZero)
{
    title.TopHeight = -3;
    // (15 - 10) / 2 = 2, -3 / 2 = -1.
    EXPECT_EQ(Layout(0, {50, 10}).box.top, 1);
    // (390 - 74) / 2 = 158, (390 - 75) / 2 = 157.
    EXPECT_EQ(Layout(1, {51, 14}).box.left, 162);
    EXPECT_EQ(Layout(1, {52, 14}).box.left, 161);
    // A box wider than the band starts left of it: (390 - 423) / 2 = -16.
    EXPECT_EQ(Layout(1, {400, 14}).box.left, -12);
}

// Pixels of exactly one colour inside a rectangle.
struct Ink {
    std::vector<POINT> points;
    RECT bounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
};

Ink InkOf(const TBitmap& bitmap, const RECT& rect, TColor colour)
{
    Ink ink;
    for (LONG y = rect.top; y < rect.bottom; ++y)
        for (LONG x = rect.left; x < rect.right; ++x)
            if (PixelOf(bitmap, x, y) == colour) {
                ink.points.push_back({x, y});
                ink.bounds = {std::min(ink.bounds.left, x), std::min(ink.bounds.top, y),
                              std::max(ink.bounds.right, x + 1), std::max(ink.bounds.bottom, y + 1)};
            }
    return ink;
}

// Heights of the runs of columns that hold ink, from left to right.
std::vector<int> GlyphHeights(const Ink& ink)
{
    std::vector<int> heights;
    LONG runEnd = LONG_MIN;
    LONG top = 0;
    LONG bottom = 0;
    std::vector<POINT> byColumn = ink.points;
    std::sort(byColumn.begin(), byColumn.end(), [](POINT a, POINT b) { return a.x < b.x; });
    for (const POINT p : byColumn) {
        if (p.x > runEnd + 1 && runEnd != LONG_MIN) {
            heights.push_back(static_cast<int>(bottom - top));
            top = p.y;
            bottom = p.y + 1;
        } else if (runEnd == LONG_MIN) {
            top = p.y;
            bottom = p.y + 1;
        }
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y + 1);
        runEnd = std::max(runEnd, p.x);
    }
    if (runEnd != LONG_MIN)
        heights.push_back(static_cast<int>(bottom - top));
    return heights;
}

constexpr int W = 400;
constexpr int H = 60;

class CaptionPaintTest : public FrameSkinTest {
protected:
    void SetUp() override
    {
        FrameSkinTest::SetUp();
        PaintBorders(*skin);
        window.SetSize(W, H);
        // Without smoothing every pixel of a letter has the text colour itself.
        // (Wine draws no ellipsis in its Tahoma; this face has one.)
        ui::UniqueFont font(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                        CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "MS Sans Serif"));
        skin->CaptionFont().SetHandle(std::move(font));
    }
    RECT PaintCaption(std::wstring_view caption, bool active = true)
    {
        const TFrameState state{.size = {W, H}, .metrics = PaintedMetrics, .active = active};
        EXPECT_TRUE(painter.Paint(window.Canvas().Handle(), *skin, state, caption));
        return painter.CaptionRect();
    }
    // The band: 4 ... 394 across, the title's 15 rows.
    static constexpr RECT band{4, 0, W - 6, 15};

    TBitmap window;
    TFramePainter painter;
};

TEST_F(CaptionPaintTest, CaptionIsDrawnInTheActiveOrInactiveTitleColourInsideItsBox)
{
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active ? "active" : "inactive");
        const RECT box = PaintCaption(L" Zelvorin Lookup  ", active);
        const Ink ink = InkOf(window, band, active ? ActiveText : InactiveText);
        ASSERT_FALSE(ink.points.empty());
        EXPECT_TRUE(InkOf(window, band, active ? InactiveText : ActiveText).points.empty());
        // Between the background margins (11 and 12) of the box.
        EXPECT_GE(ink.bounds.left, box.left + 11);
        EXPECT_LE(ink.bounds.right, box.right - 12);
        EXPECT_GE(ink.bounds.top, box.top);
        EXPECT_LE(ink.bounds.bottom, box.bottom);
        // The edge skin centres its caption.
        const LONG inkCentre = (ink.bounds.left + ink.bounds.right) / 2;
        EXPECT_NEAR(inkCentre, (band.left + band.right) / 2, 6);
    }
}

TEST_F(CaptionPaintTest, LeftAndRightAlignedCaptionsKeepToTheShiftAndTheClip)
{
    skin->TitleElement->TextAlignment = 0;
    PaintCaption(L" Left  ");
    const Ink leftInk = InkOf(window, band, ActiveText);
    ASSERT_FALSE(leftInk.points.empty());
    // Shift 5 and margin 11, then one blank before the first letter.
    EXPECT_GE(leftInk.bounds.left, band.left + 16);
    EXPECT_LT(leftInk.bounds.left, band.left + 16 + 8);

    skin->TitleElement->TextAlignment = 2;
    PaintCaption(L" Right  ");
    const Ink rightInk = InkOf(window, band, ActiveText);
    ASSERT_FALSE(rightInk.points.empty());
    // Clip 60 and margin 12, and two blanks after the last letter.
    EXPECT_LE(rightInk.bounds.right, band.right - 72);
    EXPECT_GT(rightInk.bounds.right, band.right - 72 - 16);
}

TEST_F(CaptionPaintTest, ACaptionTooLongForTheBandEndsInAnEllipsisBeforeTheClip)
{
    skin->TitleElement->TextAlignment = 0;
    PaintCaption(L" WWW  ");
    const std::vector<int> shortGlyphs = GlyphHeights(InkOf(window, band, ActiveText));
    ASSERT_FALSE(shortGlyphs.empty());
    // A caption that fits ends in a capital.
    const int capital = shortGlyphs.back();
    EXPECT_GT(capital, 4);

    const RECT box = PaintCaption(L" " + std::wstring(80, L'W') + L"  ");
    // The box ends at the clip: 394 - 60.
    EXPECT_EQ(box.right, 334);
    const Ink ink = InkOf(window, band, ActiveText);
    EXPECT_LE(ink.bounds.right, 334 - 12);
    // The last three marks are dots on the capitals' baseline, far lower than a capital.
    const std::vector<int> glyphs = GlyphHeights(ink);
    ASSERT_GE(glyphs.size(), 4u);
    for (std::size_t i = glyphs.size() - 3; i < glyphs.size(); ++i)
        EXPECT_LE(glyphs[i], capital / 2) << i;
    EXPECT_EQ(glyphs[glyphs.size() - 4], capital);
}

TEST_F(FrameSkinTest, TheTextBackgroundFillsTheBoxOverTheBandsHeight)
{
    // The edge skin's own pictures: a flat top border and a flat caption background.
    const TColor back = RGBColor(188, 188, 128);
    const TColor top = skintest::ToColour(edgeskin::FrameRgb);
    TBitmap window(400, 60);
    TFramePainter painter;
    const TFrameState state{.size = {400, 60}, .metrics = SkinFrameMetrics(*skin, TBorderKind::Sizeable)};
    ASSERT_TRUE(painter.Paint(window.Canvas().Handle(), *skin, state, L" Back  "));
    const RECT box = painter.CaptionRect();
    ASSERT_GT(box.right - box.left, 23);
    EXPECT_EQ(PixelOf(window, box.left, 0), back);
    EXPECT_EQ(PixelOf(window, box.right - 1, 14), back);
    EXPECT_EQ(PixelOf(window, box.left + 2, 7), back);
    EXPECT_EQ(PixelOf(window, box.left - 1, 7), top);
    EXPECT_EQ(PixelOf(window, box.right, 7), top);
}

// A top-level window of a class of its own; wide when the name says so.
class CaptionWindow {
public:
    explicit CaptionWindow(const char* className)
    {
        const std::wstring wideName(className, className + std::char_traits<char>::length(className));
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = wideName.c_str();
        RegisterClassW(&wc);
        window_.reset(CreateWindowExW(0, wideName.c_str(), L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                      wc.hInstance, nullptr));
    }
    HWND get() const { return window_.get(); }

private:
    ui::UniqueWindow window_;
};

TEST(WindowCaption, TheWindowTextBetweenBlanksWideOrThroughTheAnsiCodePage)
{
    // A Thai letter has no GBK code: only wide reading keeps it.
    const CaptionWindow wide("Zel.UnicodeClass.Test");
    ASSERT_TRUE(wide.get());
    SetWindowTextW(wide.get(), L"\u0e01\u4f60");
    EXPECT_EQ(CaptionTextOf(wide.get(), "Zel.UnicodeClass.Test"), L" \u0e01\u4f60  ");
    EXPECT_EQ(CaptionTextOf(wide.get(), "ZelPlain"), L" ?\u4f60  ");

    const CaptionWindow ansi("ZelCaptionAnsi");
    ASSERT_TRUE(ansi.get());
    SetWindowTextA(ansi.get(), "你好 Zelvorin");
    EXPECT_EQ(CaptionTextOf(ansi.get(), "ZelCaptionAnsi"), L" \u4f60\u597d Zelvorin  ");
}

TEST(WindowCaption, ABlankWindowTextGivesWayToTheFormsOwnText)
{
    const CaptionWindow window("ZelCaptionBlank");
    ASSERT_TRUE(window.get());
    SetWindowTextA(window.get(), " \t ");
    EXPECT_EQ(CaptionTextOf(window.get(), "ZelCaptionBlank", "表单"), L" \u8868\u5355  ");
    EXPECT_EQ(CaptionTextOf(window.get(), "ZelCaptionBlank"), L"  \t   ");
    SetWindowTextA(window.get(), "Own");
    EXPECT_EQ(CaptionTextOf(window.get(), "ZelCaptionBlank", "表单"), L" Own  ");
}

TEST(WindowCaption, WideTextAndItsWidthInAFont)
{
    const CaptionWindow window("ZelCaptionWidth");
    ASSERT_TRUE(window.get());
    SetWindowTextW(window.get(), L"\u0e01 dialog");
    EXPECT_EQ(WideWindowText(window.get()), L"\u0e01 dialog");

    TFont font;
    font.SetHandle(ui::UniqueFont(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                              CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH,
                                              "MS Sans Serif")));
    const int one = CaptionWidth(font, L"W");
    EXPECT_GT(one, 0);
    EXPECT_EQ(CaptionWidth(font, L"WWWW"), 4 * one);
    EXPECT_EQ(CaptionWidth(font, L""), 0);
}

// A 16 x 16 icon of one opaque colour.
ui::UniqueIcon FlatIcon(TColor colour)
{
    TBitmap picture(16, 16);
    picture.Canvas().Brush().SetColor(colour);
    picture.Canvas().FillRect({0, 0, 16, 16});
    const std::vector<std::uint8_t> opaque(16 * 2, 0);
    const ui::UniqueBitmap mask(CreateBitmap(16, 16, 1, 1, opaque.data()));
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = picture.Handle();
    info.hbmMask = mask.get();
    return ui::UniqueIcon(CreateIconIndirect(&info));
}

TEST(WindowIcon, TheSmallIconOverMagentaAndDrawnAtItsButton)
{
    const int cx = GetSystemMetrics(SM_CXSMICON);
    const int cy = GetSystemMetrics(SM_CYSMICON);
    const CaptionWindow window("ZelIconWindow");
    ASSERT_TRUE(window.get());
    const ui::HandleSnapshot before = ui::HandleSnapshot::Take();
    {
        TWindowIcon icon;
        icon.Render(window.get());
        EXPECT_FALSE(icon.HasIcon());
        ASSERT_EQ(icon.Picture().Width(), cx);
        EXPECT_EQ(FirstOther(icon.Picture(), {0, 0, cx, cy}, RGBColor(255, 0, 255)), "");
        TBitmap target(40, 40);
        target.Canvas().Brush().SetColor(RGBColor(1, 2, 3));
        target.Canvas().FillRect({0, 0, 40, 40});
        icon.Draw(target.Canvas().Handle(), {5, 5, 5 + cx, 5 + cy});
        EXPECT_EQ(FirstOther(target, {0, 0, 40, 40}, RGBColor(1, 2, 3)), "");

        const ui::UniqueIcon red = FlatIcon(RGBColor(220, 0, 0));
        SendMessageA(window.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(red.get()));
        icon.Render(window.get());
        EXPECT_TRUE(icon.HasIcon());
        EXPECT_EQ(FirstOther(icon.Picture(), {0, 0, cx, cy}, RGBColor(220, 0, 0)), "");
        icon.Draw(target.Canvas().Handle(), {5, 5, 5 + cx, 5 + cy});
        EXPECT_EQ(FirstOther(target, {5, 5, 5 + cx, 5 + cy}, RGBColor(220, 0, 0)), "");
        EXPECT_EQ(skintest::PixelOf(target, 4, 5), RGBColor(1, 2, 3));
        SendMessageA(window.get(), WM_SETICON, ICON_BIG, 0);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

} // namespace
