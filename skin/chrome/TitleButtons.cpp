#include "skin/chrome/TitleButtons.h"

#include "skin/chrome/MenuBtn.h"
#include "skin/chrome/NCOwner.h"
#include "skin/chrome/TitleButtonRules.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/SkinElements.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"

void TTitleButtons::Rebuild(std::span<const std::unique_ptr<TDataSkinSysButton>> elements)
{
    buttons_.clear();
    buttons_.reserve(elements.size());
    for (const auto& element : elements) {
        if (element)
            buttons_.push_back(std::make_unique<TWinSysButton>(form_, *element));
    }
}

TTitleWindowState TTitleButtons::WindowState() const
{
    TTitleWindowState state;
    state.maximized = form_.IsMaximized();
    state.active = form_.IsActive();
    state.maximizeBox = form_.HasMaximizeBox();
    state.minimizeBox = form_.HasMinimizeBox();
    state.systemMenu = form_.HasSystemMenu();
    state.maximizedMdiChildOnMenuBar = form_.ShowsMdiChildButtons();
    state.dialogClass = form_.IsDialogClass();
    state.dialogBorder = form_.BorderKind() == bkDialog;
    return state;
}

void TTitleButtons::Arrange()
{
    const TTitleWindowState state = WindowState();
    const HWND window = form_.Handle();
    const TAskButtonVisible ask = [window](int visibility, int action) {
        return SendMessageA(window, SKM_BUTTONVISIBLE, static_cast<WPARAM>(visibility),
                            static_cast<LPARAM>(action)) > 0;
    };
    const TDataSkinObject* const menuBar = form_.SkinData().MenuBar.get();
    TTitleFrame frame;
    frame.windowWidth = form_.WindowWidth();
    frame.captionRect = form_.CaptionRect();
    frame.titleHeight = form_.TitleHeight();
    frame.menuBarHeight = form_.MenuBarHeight();
    frame.borderLeft = form_.BorderLeft();
    frame.borderRight = form_.BorderRight();
    frame.rightToLeft = form_.IsRightToLeft();
    frame.menuBarElement = menuBar != nullptr;
    frame.menuBarLeftMargin = menuBar ? menuBar->LeftWidth : 0;

    for (const auto& button : buttons_) {
        TDataSkinSysButton& element = button->Element();
        button->Visible = TitleButtonShows(element.Visibility, element.Visibility1, element.Action, state, ask);
        if (!button->Visible || !element.HasBitmap())
            continue;
        button->Rect = PlaceTitleButton(element.Align, element.XCoord, element.YCoord,
                                        CellWidth(element.Bitmap.Width(), element.FrameCount),
                                        element.Bitmap.Height(), frame);
    }
}

void TTitleButtons::PaintAll(HDC dc) const
{
    const bool active = form_.IsActive();
    for (const auto& button : buttons_) {
        const TDataSkinSysButton& element = button->Element();
        if (button->Visible && element.HasBitmap() && element.Visibility != MdiButtonVisibility)
            button->Draw(dc, RestingCell(active, element.FrameCount));
    }
}

void TTitleButtons::PaintMdiButtons(HDC dc, TNCPoint origin) const
{
    for (const auto& button : buttons_) {
        TDataSkinSysButton& element = button->Element();
        if (element.Visibility != MdiButtonVisibility || !element.HasBitmap())
            continue;
        const TNCRect r = button->Rect;
        const RECT onBar{r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
        DrawFrameStretched(dc, onBar, element.Bitmap, true, element.FrameCount, 1);
    }
}

TWinSysButton* TTitleButtons::ButtonAt(TNCPoint point) const
{
    for (const auto& button : buttons_) {
        if (button->Visible && CanBeHit(button->Element().Action) && button->Rect.Contains(point))
            return button.get();
    }
    return nullptr;
}

bool TTitleButtons::SystemMenuCanClose() const
{
    const HMENU menu = form_.SystemMenu();
    // A window whose system menu cannot be read is taken to have a close item.
    if (menu == nullptr)
        return true;
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID;
    return GetMenuItemInfoA(menu, SC_CLOSE, FALSE, &item) != FALSE;
}

void TTitleButtons::CommandActiveMdiChild(WPARAM command) const
{
    const HWND client = form_.MdiClient();
    if (client == nullptr)
        return;
    const auto child = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
    if (child != nullptr)
        SendMessageA(child, WM_SYSCOMMAND, command, 0);
}

void TTitleButtons::RunAction(const TWinSysButton& button, POINT screenPoint) const
{
    const int action = button.Element().Action;
    switch (TitleActionOf(action)) {
    case taClose:
        if (SystemMenuCanClose()) {
            form_.StopHoverTimer();
            PostMessageA(form_.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        break;
    case taMaximize: form_.ToggleMaximize(); break;
    case taMinimize: form_.ToggleMinimize(); break;
    case taSystemMenu: form_.OpenSysMenu({screenPoint.x + 1, screenPoint.y + 1}); break;
    case taMdiMinimize: CommandActiveMdiChild(SC_MINIMIZE); break;
    case taMdiRestore: CommandActiveMdiChild(SC_RESTORE); break;
    case taMdiClose: CommandActiveMdiChild(SC_CLOSE); break;
    case taCustom:
        PostMessageA(form_.Handle(), SKM_CUSTOMBUTTON, static_cast<WPARAM>(action), 0);
        break;
    }
}

void TTitleButtons::ReleaseOver(TWinSysButton& button, POINT screenPoint) const
{
    if (form_.HotObject() != &button)
        return;
    button.MouseUp();
    RunAction(button, screenPoint);
}

TNCObject* NCObjectAt(TNCPoint point, const TTitleButtons& titleButtons,
                      std::span<const std::unique_ptr<TMenuBtn>> menuItems)
{
    if (TWinSysButton* const button = titleButtons.ButtonAt(point))
        return button;
    for (const auto& item : menuItems) {
        if (item->Rect.Contains(point) && !item->Caption.empty())
            return item.get();
    }
    return nullptr;
}
