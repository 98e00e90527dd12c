// The default skin with one of its frame, title, caption-button or menu
// elements taken away, each in turn, either from the description or by
// leaving its picture out of the package: every kind of window still gets a
// whole frame (no part of it left unpainted), a form's menu band and a menu's
// items fall back to the skin's plain colours, and painting, hovering and
// opening menus over and over leaves no handle behind.
#include "tests/win/skin_window_support.h"

#include "skin/chrome/FrameMetrics.h"
#include "skin/chrome/WinSkinForm.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace skinwin;
using skintest::Bytes;
using uitest::Pump;
using uitest::PumpUntil;

const Bytes& DefaultSkin()
{
    static const Bytes skin = skintest::BuiltFile("skins/default.skin");
    return skin;
}

// ---- variants of the description (its lines end in CR LF)

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

bool IsSectionLine(const std::string& line) { return !line.empty() && line.front() == '['; }

std::string SectionOf(const std::string& line)
{
    return line.substr(1, line.find(']') - 1);
}

// The description without section `section` (all of it when `key` is empty, else its key `key`).
std::string Without(const std::string& ini, const std::string& section, const std::string& key = {})
{
    std::vector<std::string> kept;
    std::string current;
    bool found = false;
    for (const std::string& line : Lines(ini)) {
        if (IsSectionLine(line))
            current = SectionOf(line);
        const bool inSection = current == section;
        const bool drop = inSection && (key.empty() || line.rfind(key + "=", 0) == 0);
        found = found || drop;
        if (!drop)
            kept.push_back(line);
    }
    if (!found)
        throw std::logic_error("[" + section + "] " + key + " is not in the default skin");
    return Joined(kept);
}

// The description with one more key at the top of a section.
std::string WithKey(const std::string& ini, const std::string& section, const std::string& line)
{
    std::vector<std::string> lines = Lines(ini);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (IsSectionLine(lines[i]) && SectionOf(lines[i]) == section) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, line);
            return Joined(lines);
        }
    }
    throw std::logic_error("no [" + section + "] in the default skin");
}

// What is taken away, and what a window then shows.
enum class Gone { Nothing, LeftBorder, RightBorder, TopBorder, BottomBorder, Title, CaptionButton, MenuItem,
                  MenuBackground };

struct Variant {
    std::string name;
    Gone gone;
    std::function<Bytes()> make;
};

void PrintTo(const Variant& variant, std::ostream* out) { *out << variant.name; }

Variant DescriptionWithout(std::string name, Gone gone, std::string section, std::string key = {})
{
    return {std::move(name), gone, [section, key] {
                return skintest::RepackSkin(DefaultSkin(), [&](std::string ini) { return Without(ini, section, key); });
            }};
}

Variant PackageWithout(std::string name, Gone gone, std::string file)
{
    return {std::move(name), gone, [file] { return skintest::RepackSkinWithout(DefaultSkin(), file); }};
}

std::vector<Variant> Variants()
{
    return {
        {"Whole", Gone::Nothing, [] { return DefaultSkin(); }},
        DescriptionWithout("LeftKey", Gone::LeftBorder, "Personality", "Left"),
        DescriptionWithout("RightKey", Gone::RightBorder, "Personality", "Right"),
        DescriptionWithout("TopKey", Gone::TopBorder, "Personality", "Top"),
        DescriptionWithout("BottomKey", Gone::BottomBorder, "Personality", "Bottom"),
        PackageWithout("LeftPicture", Gone::LeftBorder, "frameleft.bmp"),
        PackageWithout("RightPicture", Gone::RightBorder, "frameright.bmp"),
        PackageWithout("TopPicture", Gone::TopBorder, "frametop.bmp"),
        PackageWithout("BottomPicture", Gone::BottomBorder, "framebottom.bmp"),
        {"TitleKeys", Gone::Title,
         [] {
             return skintest::RepackSkin(DefaultSkin(), [](std::string ini) {
                 for (const char* key : {"TextShift", "TextShiftVert", "TextRightClip", "TextAlignment",
                                         "Textbackground", "TXTBackleft", "TXTBackRight", "ActiveTextR",
                                         "ActiveTextG", "ActiveTextB", "InActiveTextR", "InActiveTextG",
                                         "InActiveTextB"})
                     ini = Without(ini, "Personality", key);
                 return Without(ini, "Fonts");
             });
         }},
        {"TitleBackPicture", Gone::Title,
         [] {
             return skintest::RepackSkin(DefaultSkin(), [](std::string ini) {
                 return WithKey(WithKey(ini, "Personality", "TextBack=missing.bmp"), "Personality",
                                "TXTBackleft=6");
             });
         }},
        DescriptionWithout("CloseButton", Gone::CaptionButton, "Button0"),
        DescriptionWithout("MaximiseButton", Gone::CaptionButton, "Button1"),
        DescriptionWithout("MinimiseButton", Gone::CaptionButton, "Button2"),
        DescriptionWithout("RestoreButton", Gone::CaptionButton, "Button3"),
        DescriptionWithout("IconButton", Gone::CaptionButton, "Button4"),
        PackageWithout("ClosePicture", Gone::CaptionButton, "closebutton.bmp"),
        PackageWithout("MaximisePicture", Gone::CaptionButton, "maxbutton.bmp"),
        PackageWithout("MinimisePicture", Gone::CaptionButton, "minbutton.bmp"),
        PackageWithout("RestorePicture", Gone::CaptionButton, "restrorebutton.bmp"),
        DescriptionWithout("MdiButtons", Gone::CaptionButton, "MDICONTROLS"),
        PackageWithout("MdiPicture", Gone::CaptionButton, "mdibutton.bmp"),
        DescriptionWithout("MenuItemSection", Gone::MenuItem, "MenuItem"),
        PackageWithout("MenuItemPicture", Gone::MenuItem, "menuitem.bmp"),
        DescriptionWithout("MenuBackgroundSection", Gone::MenuBackground, "MenuBackground"),
        PackageWithout("MenuBackgroundPicture", Gone::MenuBackground, "menubackground.bmp"),
    };
}

// A colour no skin picture has: whatever keeps it was never painted.
constexpr COLORREF kUnpainted = RGB(1, 254, 3);

// Fills the window's frame with kUnpainted, has the skinner paint it, and
// counts the frame pixels (inside the window's region) still unpainted.
int UnpaintedFramePixels(HWND window)
{
    const SIZE size = WindowSize(window);
    const POINT client = ClientOffset(window);
    const SIZE clientSize = ClientSize(window);
    const RECT inner{client.x, client.y, client.x + clientSize.cx, client.y + clientSize.cy};
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
        const ui::UniqueBrush brush(CreateSolidBrush(kUnpainted));
        ExcludeClipRect(dc.get(), inner.left, inner.top, inner.right, inner.bottom);
        const RECT all{0, 0, size.cx, size.cy};
        FillRect(dc.get(), &all, brush.get());
    }
    SendMessageA(window, SKM_PAINTFRAME, 0, 0);
    const ui::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    const bool shaped = GetWindowRgn(window, region.get()) != ERROR;
    TBitmap picture(size.cx, size.cy);
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
        BitBlt(picture.Canvas().Handle(), 0, 0, size.cx, size.cy, dc.get(), 0, 0, SRCCOPY);
    }
    int unpainted = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const POINT p{x, y};
            if (PtInRect(&inner, p) || (shaped && !PtInRegion(region.get(), x, y)))
                continue;
            unpainted += skintest::PixelOf(picture, x, y) == kUnpainted ? 1 : 0;
        }
    return unpainted;
}

struct Resources {
    DWORD gdi = 0;
    DWORD user = 0;
    ui::HandleSnapshot handles;
    long thunks = 0;
    static Resources Now()
    {
        return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), ui::HandleSnapshot::Take(),
                ui::LiveThunkCount()};
    }
};

void ExpectSame(const Resources& before, const Resources& after)
{
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_EQ(after.handles, before.handles);
    EXPECT_EQ(after.thunks, before.thunks);
}

class MissingElementTest : public ::testing::TestWithParam<Variant> {
protected:
    void SetUp() override
    {
        Application->Initialize();
        previousBoundary = ui::SetExceptionBoundary([this](std::exception_ptr, TObject*) { ++failures; });
        full = std::make_unique<TSkinData>(nullptr);
        ASSERT_TRUE(skintest::LoadSkinBytes(*full, DefaultSkin()));
        skin = std::make_unique<TSkinData>(nullptr);
        ASSERT_TRUE(skintest::LoadSkinBytes(*skin, GetParam().make()));
        SwitchedOnManager(*skin);

        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(80, 80, 360, 260);
        form->SetCaption("Missing piece");
        auto* menu = new TMainMenu(form.get());
        auto* file = new TMenuItem(form.get());
        file->SetCaption("File");
        menu->Items()->Add(file);
        form->SetMenu(menu);
        popup = new TPopupMenu(form.get());
        for (const char* caption : {"Copy", "-", "Paste"}) {
            auto* item = new TMenuItem(popup);
            item->SetCaption(caption);
            popup->Items()->Add(item);
        }
        form->Show();
        ASSERT_TRUE(PumpUntil([&] { return Ready(form->Handle()); }));
    }
    void TearDown() override
    {
        form.reset();
        Pump(10);
        skin.reset();
        full.reset();
        FreeSkinManager();
        ui::SetExceptionBoundary(previousBoundary);
        EXPECT_EQ(failures, 0) << "nothing may fail on the way";
    }

    bool Ready(HWND window) const
    {
        const TWinSkinForm* skinner = SkinManager()->FindFormSkinner(window);
        return skinner != nullptr && skinner->State() == TFormSkinState::Ready;
    }

    // The frame the skin gives: the whole skin's but for what is gone.
    TFrameMetrics ExpectedMetrics() const
    {
        TFrameMetrics m = SkinFrameMetrics(*full, TBorderKind::Sizeable);
        switch (GetParam().gone) {
        case Gone::LeftBorder: m.borderLeft = 0; break;
        case Gone::RightBorder: m.borderRight = 0; break;
        case Gone::TopBorder: m.titleHeight = 0; break;
        case Gone::BottomBorder: m.borderBottom = 0; break;
        default: break;
        }
        return m;
    }

    // Hovers over every title button and off it again, and repaints the frame in both activation states.
    void PaintAndHover(int times)
    {
        const HWND window = form->Handle();
        RECT bounds{};
        GetWindowRect(window, &bounds);
        const TWinSkinForm* skinner = SkinManager()->FindFormSkinner(window);
        for (int i = 0; i < times; ++i) {
            SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
            for (const auto& button : skinner->TitleButtons().Buttons()) {
                const LPARAM on = MAKELPARAM(bounds.left + (button->Rect.left + button->Rect.right) / 2,
                                             bounds.top + (button->Rect.top + button->Rect.bottom) / 2);
                SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, on);
            }
            SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(bounds.left + 150, bounds.top + 2));
            SendMessageA(window, SKM_PAINTFRAME, 0, 0);
            SendMessageA(window, WM_NCACTIVATE, FALSE, 0);
        }
        SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
    }

    struct MenuLook {
        bool skinned = false;
        COLORREF item = CLR_INVALID;
    };

    MenuLook OpenPopup()
    {
        MenuLook look;
        uitest::CallWhen([] { return uitest::FindThreadMenu() != nullptr; }, [&] {
            if (const HWND menu = uitest::FindThreadMenu()) {
                UpdateWindow(menu);
                look.skinned = IsSkinned(menu);
                const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(menu);
                // The first item, right of its caption.
                look.item = GetPixel(dc.get(), WindowSize(menu).cx - 6, 8);
            }
            EndMenu();
        });
        popup->Popup(200, 200);
        return look;
    }

    struct BoxLook {
        bool skinned = false;
        int unpainted = -1;
    };

    BoxLook ShowMessageBox()
    {
        BoxLook look;
        const auto ready = [this] {
            const HWND box = uitest::FindThreadDialog();
            return box != nullptr && Ready(box);
        };
        uitest::CallWhen(ready, [&] {
            const HWND box = uitest::FindThreadDialog();
            if (box == nullptr) {
                uitest::CancelThreadDialogs();
                return;
            }
            look.skinned = IsSkinned(box);
            look.unpainted = UnpaintedFramePixels(box);
            for (int i = 0; i < 20; ++i)
                SendMessageA(box, SKM_PAINTFRAME, 0, 0);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(MessageBoxA(form->Handle(), "The skin lacks a piece.", "Missing piece", MB_OK), IDOK);
        return look;
    }

    ui::ExceptionBoundaryHandler previousBoundary;
    int failures = 0;
    std::unique_ptr<TSkinData> full;
    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TForm> form;
    TPopupMenu* popup = nullptr;
};

TEST_P(MissingElementTest, AFormWithAMenuGetsTheFrameThatIsLeftAndAPlainMenuBand)
{
    const HWND window = form->Handle();
    ASSERT_TRUE(IsSkinned(window));
    const TFrameMetrics m = ExpectedMetrics();
    const int band = GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(ClientOffset(window).x, m.borderLeft);
    EXPECT_EQ(ClientOffset(window).y, m.titleHeight + band);
    EXPECT_EQ(WindowSize(window).cx - ClientSize(window).cx, m.borderLeft + m.borderRight);
    EXPECT_EQ(WindowSize(window).cy - ClientSize(window).cy, m.titleHeight + band + m.borderBottom);
    EXPECT_EQ(UnpaintedFramePixels(window), 0);

    const auto screen = ScreenOf(window);
    const RECT menuBand{m.borderLeft, m.titleHeight, WindowSize(window).cx - m.borderRight, m.titleHeight + band};
    EXPECT_TRUE(Contains(*screen, menuBand, ui::ColorToRGB(skin->ButtonFaceColour)));
}

TEST_P(MissingElementTest, AMessageBoxGetsAWholeFrame)
{
    const BoxLook look = ShowMessageBox();
    EXPECT_TRUE(look.skinned);
    EXPECT_EQ(look.unpainted, 0);
}

TEST_P(MissingElementTest, APopupMenuIsSkinnedAndWithoutItsItemPictureDrawsItemsInTheMenuColour)
{
    const MenuLook look = OpenPopup();
    EXPECT_TRUE(look.skinned);
    if (GetParam().gone == Gone::MenuItem) {
        EXPECT_EQ(look.item, ui::ColorToRGB(skin->MenuColour));
    }
}

TEST_P(MissingElementTest, PaintingHoveringAndOpeningAgainAndAgainLeavesNoHandleBehind)
{
    // Whatever is made once, at the first of each, is made here.
    PaintAndHover(2);
    OpenPopup();
    ShowMessageBox();
    const Resources before = Resources::Now();
    PaintAndHover(100);
    for (int i = 0; i < 5; ++i)
        OpenPopup();
    ShowMessageBox();
    Pump(20);
    ExpectSame(before, Resources::Now());
}

INSTANTIATE_TEST_SUITE_P(DefaultSkin, MissingElementTest, ::testing::ValuesIn(Variants()),
                         [](const ::testing::TestParamInfo<Variant>& info) { return info.param.name; });

} // namespace
