// Skinned MDI windows as the user sees them: a plain Win32 MDI frame with
// three children, skinned by the engine as windows without framework
// object. The children get the skin's frame when they are made; a maximised
// child shows the system's caption and a restored one the skin's again;
// arranging the children ends the maximised mode; the client has no scroll
// bars unless the skin asks for them; the frame's window list follows the
// children; while a child is maximised the frame's bar shows the skin's
// child buttons, which hover, press and minimise, restore or close it; and
// nothing is left behind once the frame is gone.
#include "gallery/MdiApp.h"
#include "tests/win/frame_skin_support.h"
#include "tests/win/nc_owner_support.h"
#include "tests/win/ui_window_support.h"

#include "skin/chrome/MdiClientHook.h"
#include "skin/chrome/WinSkinForm.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Forms.h"
#include "ui/Handles.h"
#include "ui/WndProcThunk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace frametest;
using mdiapp::TMdiApp;
using uitest::Pump;
using uitest::PumpUntil;

// The painted borders of frame_skin_support: 4 left, 15 title, 6 right, 6 bottom.
constexpr SIZE kFrameExtra{4 + 6, 15 + 6};
constexpr POINT kClientOffset{4, 15};
constexpr int kChildWidth = 210;
constexpr int kChildHeight = 160;

RECT WindowRectOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

// Where the window's client area lies: its top-left in the window, and its size.
struct ClientPlace {
    POINT offset;
    SIZE size;
};

ClientPlace ClientPlaceOf(HWND window)
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const RECT bounds = WindowRectOf(window);
    RECT client{};
    GetClientRect(window, &client);
    return {{origin.x - bounds.left, origin.y - bounds.top}, {client.right, client.bottom}};
}

// What the screen shows of a window's rectangle, once Wine's drawing has
// reached the X server.
std::unique_ptr<TBitmap> ScreenOf(HWND window)
{
    Pump(100);
    const RECT r = WindowRectOf(window);
    auto picture = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(picture->Canvas().Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return picture;
}

// The stretched middle of the title band right of the caption, which
// starts at its left: up to the right border and the end the border picture
// keeps unstretched.
RECT TitleMiddle(HWND window)
{
    const SIZE size = SizeOf(WindowRectOf(window));
    return {size.cx / 2 + 40, 0, size.cx - 6 - 5, 15};
}

bool HasRegion(HWND window)
{
    const ui::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(window, region.get()) != ERROR;
}

std::string MenuText(HMENU menu, int position)
{
    char text[128]{};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

// The window list: the texts of the drop-down's entries that stand for children.
std::vector<std::string> WindowList(HMENU menu)
{
    std::vector<std::string> list;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id >= mdiapp::kFirstChildId && id != static_cast<UINT>(-1))
            list.push_back(MenuText(menu, i));
    }
    return list;
}

bool ListHas(const std::vector<std::string>& list, const std::string& title)
{
    for (const std::string& entry : list)
        if (entry.find(title) != std::string::npos)
            return true;
    return false;
}

class SkinMdiTest : public FrameSkinTest {
protected:
    void SetUp() override
    {
        // The menu bar reads the frame menu's GBK text through the system's code page.
        Application->Initialize();
        FrameSkinTest::SetUp();
        // Borders of known colours and no title-bar buttons: every pixel of a frame has a name.
        PaintBorders(*skin);
        skin->CaptionButtons.clear();
    }

    void TearDown() override
    {
        Close();
        FrameSkinTest::TearDown();
    }

    TSkinManage& Manager()
    {
        TSkinManage& manager = EnsureSkinManager();
        if (manager.HookHandle() == nullptr) {
            manager.AddSkinData(skin.get());
            manager.InstallHook();
            skin->SetActive(true);
            manager.SetEnabled(true);
        }
        return manager;
    }

    // The frame, shown and skinned, with its client hooked and `count`
    // children side by side, the last one active.
    void Open(int count = 3)
    {
        Manager();
        app = std::make_unique<TMdiApp>(RECT{40, 40, 760, 560});
        app->Observer = [this](HWND window, UINT message) { ++seen[window][message]; };
        app->Show();
        Pump(100);
        ASSERT_TRUE(SkinnerOf(app->Frame()).ClientHook().Installed());
        for (int i = 0; i < count; ++i)
            AddChild();
        Pump(100);
    }

    HWND AddChild()
    {
        const int i = static_cast<int>(children.size());
        const int x = 10 + (kChildWidth + 20) * (i % 3);
        const int y = 10 + (kChildHeight + 20) * (i / 3);
        const HWND child =
            app->AddChild("Child " + std::to_string(i + 1), RECT{x, y, x + kChildWidth, y + kChildHeight});
        children.push_back(child);
        return child;
    }

    void Close()
    {
        app.reset();
        children.clear();
        Pump(10);
    }

    TWinSkinForm& SkinnerOf(HWND window)
    {
        TWinSkinForm* skinner = Manager().FindFormSkinner(window);
        if (skinner == nullptr)
            throw std::logic_error("the window has no skinner");
        return *skinner;
    }

    HWND Client() const { return app->Client(); }

    // The skinned frame a child shows when it is not maximised.
    void ExpectSkinnedChild(HWND child, const char* when)
    {
        SCOPED_TRACE(when);
        EXPECT_EQ(SendMessageA(child, SKM_ISSKINNED, 0, 0), 1);
        EXPECT_FALSE(IsZoomed(child));
        EXPECT_EQ(SkinnerOf(child).ShowState(), TShowState::Normal);
        const ClientPlace place = ClientPlaceOf(child);
        const SIZE size = SizeOf(WindowRectOf(child));
        EXPECT_EQ(place.offset.x, kClientOffset.x);
        EXPECT_EQ(place.offset.y, kClientOffset.y);
        EXPECT_EQ(size.cx - place.size.cx, kFrameExtra.cx);
        EXPECT_EQ(size.cy - place.size.cy, kFrameExtra.cy);
        EXPECT_TRUE(HasRegion(child));
    }

    std::unique_ptr<TMdiApp> app;
    std::vector<HWND> children;
    std::map<HWND, std::map<UINT, int>> seen;
};

TEST_F(SkinMdiTest, TheFrameAndEachChildGetTheSkinsFrame)
{
    Open();
    EXPECT_EQ(SendMessageA(app->Frame(), SKM_ISSKINNED, 0, 0), 1);
    TWinSkinForm& frame = SkinnerOf(app->Frame());
    EXPECT_EQ(frame.FormKind(), TFormKind::MdiFrame);
    EXPECT_EQ(frame.MdiClient(), Client());
    for (const HWND child : children) {
        EXPECT_EQ(SkinnerOf(child).FormKind(), TFormKind::MdiChild);
        EXPECT_EQ(SkinnerOf(child).State(), TFormSkinState::Ready);
        ExpectSkinnedChild(child, "made");
    }
    // The active child, made last, shows the active title; the others the inactive one.
    const HWND active = reinterpret_cast<HWND>(SendMessageA(Client(), WM_MDIGETACTIVE, 0, 0));
    ASSERT_EQ(active, children.back());
    for (std::size_t i = 0; i < children.size(); ++i) {
        const HWND child = children[i];
        EXPECT_EQ(FirstOther(*ScreenOf(child), TitleMiddle(child), TopColour(child == active ? 1 : 2, Middle)), "")
            << "child " << i + 1;
    }
}

TEST_F(SkinMdiTest, AMaximisedChildShowsTheSystemsCaptionAndARestoredOneTheSkinsFrame)
{
    Open();
    const HWND child = children[1];
    // A frame repaint: the skinner paints a skinned child's frame itself.
    RedrawWindow(child, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(seen[child][WM_NCPAINT], 0);

    // What reaches the client after the hook.
    std::vector<UINT> clientMessages;
    ui::WindowSubclass watch;
    watch.Install(Client(), [&](TMessage& message) {
        clientMessages.push_back(message.Msg);
        watch.CallPrevious(message);
    });
    SendMessageA(Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    Pump(100);
    ASSERT_TRUE(IsZoomed(child));
    EXPECT_TRUE(Manager().MdiChildMaximized());
    EXPECT_EQ(SkinnerOf(child).ShowState(), TShowState::Maximized);
    EXPECT_NE(std::find(clientMessages.begin(), clientMessages.end(), SKM_MDIMAXCHILD), clientMessages.end())
        << "the frame is redrawn once the child is maximised";
    // The system's frame: the child's client area is the whole client's, its caption and borders beyond it.
    RECT clientArea{};
    GetClientRect(Client(), &clientArea);
    POINT origin{0, 0};
    MapWindowPoints(child, Client(), &origin, 1);
    const ClientPlace place = ClientPlaceOf(child);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    EXPECT_EQ(place.size.cx, clientArea.right);
    EXPECT_EQ(place.size.cy, clientArea.bottom);
    for (const HWND other : children)
        EXPECT_FALSE(HasRegion(other)) << "no child keeps a region cut for the skinned frame";
    // Its frame is the system's to paint now.
    seen[child].clear();
    RedrawWindow(child, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(seen[child][WM_NCPAINT], 0);

    SendMessageA(Client(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
    Pump(100);
    EXPECT_FALSE(Manager().MdiChildMaximized());
    ExpectSkinnedChild(child, "restored");
    seen[child].clear();
    RedrawWindow(child, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(seen[child][WM_NCPAINT], 0);
    EXPECT_EQ(FirstOther(*ScreenOf(child), TitleMiddle(child), TopColour(1, Middle)), "");
    watch.Remove();
}

TEST_F(SkinMdiTest, AChildMadeMaximisedStartsWithTheSystemsCaption)
{
    Open();
    std::vector<std::pair<UINT, WPARAM>> clientMessages;
    ui::WindowSubclass watch;
    watch.Install(Client(), [&](TMessage& message) {
        clientMessages.emplace_back(message.Msg, message.WParam);
        watch.CallPrevious(message);
    });
    const HWND child = app->AddChild("Child 4", RECT{10, 10, 10 + kChildWidth, 10 + kChildHeight}, WS_MAXIMIZE);
    Pump(100);
    ASSERT_TRUE(IsZoomed(child));
    EXPECT_EQ(SendMessageA(child, SKM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(SkinnerOf(child).ShowState(), TShowState::Maximized);
    EXPECT_TRUE(Manager().MdiChildMaximized());
    EXPECT_FALSE(HasRegion(child));
    const std::pair<UINT, WPARAM> redraw{SKM_MDIMAXCHILD, reinterpret_cast<WPARAM>(child)};
    EXPECT_NE(std::find(clientMessages.begin(), clientMessages.end(), redraw), clientMessages.end())
        << "the new child asks for the frame's redraw once it is initialised";
    watch.Remove();
}

TEST_F(SkinMdiTest, TheMaximisedChildsRedrawRepaintsTheFrameWithEveryChild)
{
    Open();
    Pump(100);
    seen.clear();
    PostMessageA(Client(), SKM_MDIMAXCHILD, reinterpret_cast<WPARAM>(children[0]), 0);
    Pump(100);
    for (const HWND child : children) {
        EXPECT_GT(seen[child][WM_ERASEBKGND], 0);
        EXPECT_GT(seen[child][WM_PAINT], 0);
    }
    // Without the hook the client does not know the message.
    SkinnerOf(app->Frame()).ClientHook().Remove();
    seen.clear();
    PostMessageA(Client(), SKM_MDIMAXCHILD, reinterpret_cast<WPARAM>(children[0]), 0);
    Pump(100);
    for (const HWND child : children)
        EXPECT_EQ(seen[child][WM_PAINT], 0);
}

TEST_F(SkinMdiTest, TilingOrCascadingEndsTheMaximisedMode)
{
    Open();
    for (const UINT arrange : {UINT{WM_MDITILE}, UINT{WM_MDICASCADE}}) {
        SCOPED_TRACE(arrange == WM_MDITILE ? "tile" : "cascade");
        SendMessageA(Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(children[0]), 0);
        Pump(100);
        ASSERT_TRUE(Manager().MdiChildMaximized());
        SendMessageA(Client(), arrange, 0, 0);
        Pump(100);
        EXPECT_FALSE(Manager().MdiChildMaximized());
        for (const HWND child : children)
            ExpectSkinnedChild(child, "arranged");
    }
}

// The client's scroll bars switched on, as the system does when a child lies
// beyond the client's edges; the client's area that is left.
SIZE ShowScrollBars(HWND client)
{
    ShowScrollBar(client, SB_BOTH, TRUE);
    Pump(50);
    RECT area{};
    GetClientRect(client, &area);
    return {area.right, area.bottom};
}

// The client's area without scroll bars: its window less the sunken edge.
SIZE WholeClientArea(HWND client)
{
    const SIZE size = SizeOf(WindowRectOf(client));
    return {size.cx - 2 * GetSystemMetrics(SM_CXEDGE), size.cy - 2 * GetSystemMetrics(SM_CYEDGE)};
}

TEST_F(SkinMdiTest, TheClientShowsNoScrollBars)
{
    Open();
    const SIZE area = ShowScrollBars(Client());
    EXPECT_EQ(GetWindowLongPtrA(Client(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
    EXPECT_EQ(area.cx, WholeClientArea(Client()).cx);
    EXPECT_EQ(area.cy, WholeClientArea(Client()).cy);
}

TEST_F(SkinMdiTest, TheClientKeepsItsScrollBarsWhenTheSkinWantsThem)
{
    skin->Options.Include(xoMDIScrollbar);
    Open();
    const SIZE area = ShowScrollBars(Client());
    const LONG_PTR style = GetWindowLongPtrA(Client(), GWL_STYLE);
    EXPECT_NE(style & WS_HSCROLL, 0);
    EXPECT_NE(style & WS_VSCROLL, 0);
    EXPECT_EQ(area.cx, WholeClientArea(Client()).cx - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(area.cy, WholeClientArea(Client()).cy - GetSystemMetrics(SM_CYHSCROLL));
}

TEST_F(SkinMdiTest, TheWindowListFollowsTheChildren)
{
    Open();
    std::vector<std::string> list = WindowList(app->WindowMenu());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_TRUE(ListHas(list, "Child 1") && ListHas(list, "Child 2") && ListHas(list, "Child 3"));
    EXPECT_EQ(GetMenu(app->Frame()), nullptr) << "the skinned bar stands in for the system's";
    ASSERT_NE(SkinnerOf(app->Frame()).MenuBar(), nullptr);
    EXPECT_EQ(SkinnerOf(app->Frame()).MenuBar()->Items().size(), 2u);

    SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(children[1]), 0);
    list = WindowList(app->WindowMenu());
    EXPECT_EQ(list.size(), 2u);
    EXPECT_FALSE(ListHas(list, "Child 2"));
    EXPECT_TRUE(ListHas(list, "Child 1") && ListHas(list, "Child 3"));

    AddChild();
    list = WindowList(app->WindowMenu());
    EXPECT_EQ(list.size(), 3u);
    EXPECT_TRUE(ListHas(list, "Child 4"));
}

TEST_F(SkinMdiTest, ANewFrameMenuIsReadIntoTheSkinnedBarAndLeavesTheFrame)
{
    Open(0);
    TWinSkinMenu* bar = SkinnerOf(app->Frame()).MenuBar();
    ASSERT_NE(bar, nullptr);
    // A frame menu of one more entry: the bar reads it, and the system's bar stays off.
    AppendMenuA(app->FrameMenu(), MF_STRING, 4711, "Extra");
    SendMessageA(Client(), WM_MDISETMENU, reinterpret_cast<WPARAM>(app->FrameMenu()),
                 reinterpret_cast<LPARAM>(app->WindowMenu()));
    ASSERT_EQ(bar->Items().size(), 3u);
    EXPECT_EQ(bar->Items()[2]->Command, 4711u);
    EXPECT_EQ(GetMenu(app->Frame()), nullptr) << "the skinned bar stands in for the system's";
    // Only the window menu given: nothing to read.
    DeleteMenu(app->FrameMenu(), 4711, MF_BYCOMMAND);
    SendMessageA(Client(), WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(app->WindowMenu()));
    EXPECT_EQ(bar->Items().size(), 3u);

    // The window list goes on in the drop-down the bar shows.
    AddChild();
    AddChild();
    const std::vector<std::string> list = WindowList(app->WindowMenu());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(ListHas(list, "Child 1") && ListHas(list, "Child 2"));
}

TEST_F(SkinMdiTest, MakingChildrenHoldsMenuUpdatesBackUntilTheLastChildGoes)
{
    ASSERT_TRUE(skin->MenuUpdate);
    Open();
    EXPECT_FALSE(skin->MenuUpdate);
    SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(children[0]), 0);
    SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(children[1]), 0);
    EXPECT_FALSE(skin->MenuUpdate);
    SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(children[2]), 0);
    EXPECT_TRUE(skin->MenuUpdate);
    ASSERT_NE(SkinnerOf(app->Frame()).MenuBar(), nullptr);
    EXPECT_EQ(SkinnerOf(app->Frame()).MenuBar()->Items().size(), 2u) << "the bar read the frame's menu again";
}

TEST_F(SkinMdiTest, TheMaximisedModeFollowsTheActiveChildAsChildrenGo)
{
    Open();
    SendMessageA(Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(children[2]), 0);
    Pump(100);
    ASSERT_TRUE(Manager().MdiChildMaximized());
    for (const HWND child : {children[2], children[1], children[0]}) {
        SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
        Pump(50);
        BOOL maximised = FALSE;
        const auto active = reinterpret_cast<HWND>(
            SendMessageA(Client(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
        EXPECT_EQ(Manager().MdiChildMaximized(), active != nullptr && maximised != FALSE);
    }
    EXPECT_FALSE(Manager().MdiChildMaximized()) << "no child is left to be maximised";
}

// ---- the maximised child's buttons on the frame's bar

// The skin's child buttons (minimise, restore, close), right to left at the
// bar's right end: strips of four 16 x 12 cells whose resting cell lets the
// bar show through its left half, the others only through their first column.
constexpr int kMdiCell = 16;
constexpr int kMdiHeight = 12;
constexpr int kSeeThroughAtRest = kMdiCell / 2;
struct MdiButtonKeys {
    int action;
    int fromRight; // Xcoord
};
constexpr MdiButtonKeys kMdiButtons[] = {{7, 60}, {8, 40}, {9, 20}};
enum MdiButton : std::size_t { mdiMinimise, mdiRestore, mdiClose };
// The edge skin's bar picture is flat, in the shade of its width (48), with a
// left margin of 4 that keeps the buttons off the bar's right end.
constexpr TColor kBarColour = RGBColor(4 * 48, 4 * 48, 128);
constexpr int kBarMargin = 4;
constexpr int kLeftBorder = 4;
constexpr int kRightBorder = 6;
constexpr int kTitleHeight = 15;

LPARAM ScreenLParam(POINT p) { return MAKELPARAM(p.x, p.y); }

class SkinMdiButtonTest : public SkinMdiTest {
protected:
    void SetUp() override
    {
        SkinMdiTest::SetUp();
        for (const MdiButtonKeys& keys : kMdiButtons) {
            auto button = nctest::MakeButton({.action = keys.action,
                                              .align = 100,
                                              .x = keys.fromRight,
                                              .visibility = 100,
                                              .visibility1 = 100,
                                              .cells = 4,
                                              .cellWidth = kMdiCell,
                                              .height = kMdiHeight});
            for (int y = 0; y < kMdiHeight; ++y)
                for (int x = 0; x < kSeeThroughAtRest; ++x)
                    nctest::SetPixelOf(button->Bitmap, x, y, nctest::Magenta);
            skin->CaptionButtons.push_back(std::move(button));
        }
    }

    HWND Frame() const { return app->Frame(); }

    static int BarHeight() { return GetSystemMetrics(SM_CYMENU); }

    // Where the button lies in the frame, in window coordinates.
    RECT ButtonRect(MdiButton button) const
    {
        const int width = SizeOf(WindowRectOf(Frame())).cx;
        const int left = width - kMdiButtons[button].fromRight - kRightBorder - kBarMargin;
        const int top = kTitleHeight + (BarHeight() - kMdiHeight) / 2;
        return {left, top, left + kMdiCell, top + kMdiHeight};
    }

    POINT ScreenPointOf(POINT windowPoint) const
    {
        const RECT frame = WindowRectOf(Frame());
        return {frame.left + windowPoint.x, frame.top + windowPoint.y};
    }

    POINT ButtonCentre(MdiButton button) const
    {
        const RECT r = ButtonRect(button);
        return ScreenPointOf({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

    // The title band over the buttons, right of the caption.
    RECT TitleAboveTheButtons() const
    {
        return {ButtonRect(mdiMinimise).left, 0, ButtonRect(mdiClose).right, kTitleHeight};
    }

    // A point of the bar left of the buttons and right of the items.
    POINT FreeBarPoint() const
    {
        const RECT r = ButtonRect(mdiMinimise);
        return ScreenPointOf({r.left - 30, r.top + kMdiHeight / 2});
    }

    // The real cursor goes there too, so that the hover timer agrees.
    void MoveTo(POINT screen) const
    {
        SetCursorPos(screen.x, screen.y);
        SendMessageA(Frame(), WM_NCMOUSEMOVE, HTMENU, ScreenLParam(screen));
    }

    void Press(MdiButton button) const
    {
        const POINT at = ButtonCentre(button);
        SetCursorPos(at.x, at.y);
        SendMessageA(Frame(), WM_NCLBUTTONDOWN, HTMENU, ScreenLParam(at));
    }

    void Click(MdiButton button) const
    {
        Press(button);
        SendMessageA(Frame(), WM_NCLBUTTONUP, HTMENU, ScreenLParam(ButtonCentre(button)));
    }

    void Maximise(HWND child)
    {
        SendMessageA(Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
        Pump(100);
        ASSERT_TRUE(IsZoomed(child));
    }

    // How the screen shows the button: in that cell over the bar, or not at all.
    std::string Shows(const TBitmap& screen, MdiButton button, int cell) const
    {
        const RECT r = ButtonRect(button);
        return FirstOther(screen, r, [&](int x, int) {
            const int column = x - r.left;
            const bool seeThrough = column == 0 || (cell == 1 && column < kSeeThroughAtRest);
            return seeThrough ? kBarColour : nctest::CellColour(cell);
        });
    }
    std::string ShowsNoButton(const TBitmap& screen, MdiButton button) const
    {
        return FirstOther(screen, ButtonRect(button), kBarColour);
    }

    // The bar between its last item and the first button: nothing but the bar's picture.
    std::string ShowsOnlyTheBarAfterTheItems(const TBitmap& screen)
    {
        const auto items = SkinnerOf(Frame()).MenuBar()->Items();
        const LONG itemsEnd = items.empty() ? 4 : items.back()->Rect.right;
        const RECT gap{itemsEnd, kTitleHeight, ButtonRect(mdiMinimise).left, kTitleHeight + BarHeight()};
        return FirstOther(screen, gap, kBarColour);
    }

    // Off the bar: the mouse finds nothing where the buttons were, and nothing is painted there.
    void ExpectButtonsGone()
    {
        for (const MdiButton button : {mdiMinimise, mdiRestore, mdiClose}) {
            MoveTo(ButtonCentre(button));
            EXPECT_EQ(SkinnerOf(Frame()).HotObject(), nullptr) << "button " << button;
        }
        const std::unique_ptr<TBitmap> screen = ScreenOf(Frame());
        for (const MdiButton button : {mdiMinimise, mdiRestore, mdiClose})
            EXPECT_EQ(ShowsNoButton(*screen, button), "") << "button " << button;
    }

    bool ActiveChildMaximised() const
    {
        BOOL maximised = FALSE;
        const auto active = reinterpret_cast<HWND>(
            SendMessageA(app->Client(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
        return active != nullptr && maximised != FALSE;
    }

    TWinSysButton* ButtonWithAction(int action)
    {
        for (const auto& button : SkinnerOf(Frame()).TitleButtons().Buttons())
            if (button->Element().Action == action)
                return button.get();
        return nullptr;
    }

    // The bar's items: their captions, in bar order.
    std::vector<std::wstring> BarCaptions()
    {
        std::vector<std::wstring> captions;
        for (const auto& item : SkinnerOf(Frame()).MenuBar()->Items())
            captions.push_back(item->Caption);
        return captions;
    }
};

const std::vector<std::wstring> kFrameMenuCaptions{L"文件(&F)", L"窗口(&W)"};

TEST_F(SkinMdiButtonTest, TheBarShowsTheChildButtonsOnlyWhileAChildIsMaximised)
{
    Open();
    std::unique_ptr<TBitmap> screen = ScreenOf(Frame());
    for (const MdiButton button : {mdiMinimise, mdiRestore, mdiClose})
        EXPECT_EQ(ShowsNoButton(*screen, button), "") << "no child is maximised: button " << button;

    Maximise(children[1]);
    EXPECT_TRUE(Manager().MdiChildMaximized());
    screen = ScreenOf(Frame());
    for (const MdiButton button : {mdiMinimise, mdiRestore, mdiClose})
        EXPECT_EQ(Shows(*screen, button, 1), "") << "button " << button;
    EXPECT_EQ(ShowsOnlyTheBarAfterTheItems(*screen), "");
    EXPECT_EQ(BarCaptions(), kFrameMenuCaptions) << "the bar holds the frame menu's entries only";
    EXPECT_EQ(GetMenuItemCount(app->FrameMenu()), 2);
    EXPECT_EQ(FirstOther(*screen, TitleAboveTheButtons(), TopColour(1, Middle)), "") << "none in the title";

    SendMessageA(Client(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(children[1]), 0);
    Pump(100);
    EXPECT_FALSE(Manager().MdiChildMaximized());
    ExpectButtonsGone();
    EXPECT_EQ(BarCaptions(), kFrameMenuCaptions);
}

TEST_F(SkinMdiButtonTest, TheMouseFindsTheButtonsAndTheirHoverAndPressArePaintedOnTheBar)
{
    Open();
    Maximise(children[2]);
    TWinSkinForm& skinner = SkinnerOf(Frame());
    for (const MdiButton button : {mdiMinimise, mdiRestore, mdiClose}) {
        const POINT centre = ButtonCentre(button);
        EXPECT_EQ(SendMessageA(Frame(), WM_NCHITTEST, 0, ScreenLParam(centre)), HTMENU) << "button " << button;
        const RECT r = ButtonRect(button);
        const TNCPoint inWindow{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        EXPECT_EQ(NCObjectAt(inWindow, skinner.TitleButtons(), skinner.MenuBar()->Items()),
                  ButtonWithAction(kMdiButtons[button].action))
            << "button " << button;
    }

    MoveTo(ButtonCentre(mdiMinimise));
    EXPECT_EQ(skinner.HotObject(), ButtonWithAction(7));
    std::unique_ptr<TBitmap> screen = ScreenOf(Frame());
    EXPECT_EQ(Shows(*screen, mdiMinimise, 4), "") << "hover";
    EXPECT_EQ(Shows(*screen, mdiRestore, 1), "");
    EXPECT_EQ(FirstOther(*screen, TitleAboveTheButtons(), TopColour(1, Middle)), "") << "nothing lands in the title";

    Press(mdiMinimise);
    screen = ScreenOf(Frame());
    EXPECT_EQ(Shows(*screen, mdiMinimise, 2), "") << "pressed";

    // Straight onto the next one: the pressed one rests again over the bar.
    MoveTo(ButtonCentre(mdiRestore));
    screen = ScreenOf(Frame());
    EXPECT_EQ(Shows(*screen, mdiMinimise, 1), "") << "left after the press";
    EXPECT_EQ(Shows(*screen, mdiRestore, 4), "");

    MoveTo(FreeBarPoint());
    EXPECT_EQ(skinner.HotObject(), nullptr);
    screen = ScreenOf(Frame());
    for (const MdiButton button : {mdiMinimise, mdiRestore, mdiClose})
        EXPECT_EQ(Shows(*screen, button, 1), "") << "left: button " << button;
    EXPECT_TRUE(IsZoomed(children[2])) << "no click, no action";
}

TEST_F(SkinMdiButtonTest, TheButtonsMinimiseRestoreAndCloseTheActiveChild)
{
    Open();
    {
        SCOPED_TRACE("minimise");
        Maximise(children[2]);
        Click(mdiMinimise);
        ASSERT_TRUE(PumpUntil([&] { return IsIconic(children[2]) != FALSE; }));
        EXPECT_FALSE(IsZoomed(children[2]));
        EXPECT_FALSE(Manager().MdiChildMaximized());
        ExpectButtonsGone();
    }
    {
        SCOPED_TRACE("restore");
        Maximise(children[1]);
        Click(mdiRestore);
        ASSERT_TRUE(PumpUntil([&] { return IsZoomed(children[1]) == FALSE; }));
        EXPECT_FALSE(IsIconic(children[1]));
        EXPECT_FALSE(Manager().MdiChildMaximized());
        Pump(100);
        ExpectSkinnedChild(children[1], "restored by its button");
        ExpectButtonsGone();
    }
    {
        SCOPED_TRACE("close");
        Maximise(children[0]);
        Click(mdiClose);
        ASSERT_TRUE(PumpUntil([&] { return IsWindow(children[0]) == FALSE; }));
        EXPECT_FALSE(ListHas(WindowList(app->WindowMenu()), "Child 1"));
        // The child that becomes active inherits the maximised state, and the bar shows it.
        EXPECT_EQ(Manager().MdiChildMaximized(), ActiveChildMaximised());
        MoveTo(FreeBarPoint());
        const std::unique_ptr<TBitmap> screen = ScreenOf(Frame());
        if (ActiveChildMaximised())
            EXPECT_EQ(Shows(*screen, mdiClose, 1), "");
        else
            EXPECT_EQ(ShowsNoButton(*screen, mdiClose), "");
    }
}

TEST_F(SkinMdiButtonTest, AFrameMenuGivenWhileAChildIsMaximisedKeepsTheSystemsEntriesOffTheBarAndTheMenu)
{
    Open();
    Maximise(children[2]);
    // As an MDI program does when a child of another kind becomes active.
    SendMessageA(Client(), WM_MDISETMENU, reinterpret_cast<WPARAM>(app->FrameMenu()),
                 reinterpret_cast<LPARAM>(app->WindowMenu()));
    Pump(100);
    EXPECT_EQ(GetMenu(Frame()), nullptr);
    EXPECT_EQ(BarCaptions(), kFrameMenuCaptions);
    std::unique_ptr<TBitmap> screen = ScreenOf(Frame());
    EXPECT_EQ(ShowsOnlyTheBarAfterTheItems(*screen), "");
    EXPECT_EQ(Shows(*screen, mdiClose, 1), "");

    SendMessageA(Client(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(children[2]), 0);
    Pump(100);
    EXPECT_EQ(GetMenuItemCount(app->FrameMenu()), 2) << "the frame's menu is its own again";
    EXPECT_EQ(BarCaptions(), kFrameMenuCaptions);
}

TEST_F(SkinMdiButtonTest, TheSystemsEntriesForAMaximisedChildTakeNoRoomOnTheBar)
{
    Open();
    Maximise(children[2]);
    TWinSkinForm& skinner = SkinnerOf(Frame());
    std::vector<TNCRect> captioned;
    for (const auto& item : skinner.MenuBar()->Items())
        captioned.push_back(item->Rect);
    ASSERT_EQ(captioned.size(), 2u);

    // What the system puts into a frame menu for its maximised child: the
    // child's system menu under its icon first, its minimise, restore and
    // close buttons at the end.
    const HMENU frameMenu = app->FrameMenu();
    const HMENU windowMenu = app->WindowMenu();
    const HMENU childMenu = CreatePopupMenu();
    AppendMenuA(childMenu, MF_STRING, SC_CLOSE, "关闭(&C)");
    InsertMenuA(frameMenu, 0, MF_BYPOSITION | MF_BITMAP | MF_POPUP, reinterpret_cast<UINT_PTR>(childMenu),
                reinterpret_cast<LPCSTR>(HBMMENU_SYSTEM));
    AppendMenuA(frameMenu, MF_HELP | MF_BITMAP, SC_MINIMIZE, reinterpret_cast<LPCSTR>(HBMMENU_MBAR_MINIMIZE));
    AppendMenuA(frameMenu, MF_HELP | MF_BITMAP, SC_RESTORE, reinterpret_cast<LPCSTR>(HBMMENU_MBAR_RESTORE));
    AppendMenuA(frameMenu, MF_HELP | MF_BITMAP, SC_CLOSE, reinterpret_cast<LPCSTR>(HBMMENU_MBAR_CLOSE));
    SendMessageA(Client(), WM_MDISETMENU, reinterpret_cast<WPARAM>(frameMenu), reinterpret_cast<LPARAM>(windowMenu));
    Pump(100);

    std::vector<std::wstring> captions;
    std::vector<TNCRect> rects;
    for (const auto& item : skinner.MenuBar()->Items()) {
        if (item->Caption.empty()) {
            EXPECT_EQ(item->Rect.Width(), 0) << "entry " << item->Index << " takes no room";
            const TNCPoint at{item->Rect.left, item->Rect.top + 2};
            EXPECT_NE(NCObjectAt(at, skinner.TitleButtons(), skinner.MenuBar()->Items()), item.get());
            continue;
        }
        captions.push_back(item->Caption);
        rects.push_back(item->Rect);
    }
    EXPECT_EQ(captions, kFrameMenuCaptions);
    EXPECT_EQ(rects, captioned) << "the frame menu's own entries stay where they were";
    for (const auto& item : skinner.MenuBar()->Items()) {
        if (!item->Caption.empty()) {
            const TNCPoint centre{(item->Rect.left + item->Rect.right) / 2, (item->Rect.top + item->Rect.bottom) / 2};
            EXPECT_EQ(NCObjectAt(centre, skinner.TitleButtons(), skinner.MenuBar()->Items()), item.get());
        }
    }
    const std::unique_ptr<TBitmap> screen = ScreenOf(Frame());
    EXPECT_EQ(ShowsOnlyTheBarAfterTheItems(*screen), "");
    const RECT beforeItems{kLeftBorder, kTitleHeight, captioned.front().left, kTitleHeight + BarHeight()};
    EXPECT_EQ(FirstOther(*screen, beforeItems, kBarColour), "");
    for (const MdiButton button : {mdiMinimise, mdiRestore, mdiClose})
        EXPECT_EQ(Shows(*screen, button, 1), "") << "the skin's buttons stand in for them: button " << button;
}

TEST_F(SkinMdiTest, DestroyingTheFrameUnhooksAndLeavesNoHandleBehind)
{
    // Once for what the engine keeps from the first skinned window on (the shared scratch bitmap).
    Open();
    Close();
    Manager().PurgeAllDestroyed();
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);

    Open();
    const HWND client = Client();
    SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(children[0]), 0);
    Pump(50);
    SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(children[0]), 0);
    Pump(50);
    TMdiClientHook& clientHook = SkinnerOf(app->Frame()).ClientHook();
    app.reset();
    EXPECT_FALSE(IsWindow(client));
    EXPECT_FALSE(clientHook.Installed()) << "the client's destruction unhooks it";
    Close();
    Manager().PurgeAllDestroyed();
    EXPECT_TRUE(Manager().FormSkinners().empty());
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
}

} // namespace
