#include "skin/controls/SkinEdit.h"

#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"

#include <memory>

constinit const TClassInfo TSkinEdit::ClassInfo = ui::ClassOf<TSkinEdit>("TSkinEdit", TSkinControl::ClassInfo);

namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

} // namespace

namespace editface {

bool HasBorder(const RECT& window, const RECT& client)
{
    return Width(client) != Width(window) && Height(client) != Height(window);
}

void PaintBorder(HDC dc, const RECT& window, TColor shadow)
{
    const ui::UniqueBrush shadowBrush(CreateSolidBrush(ui::ColorToRGB(shadow)));
    RECT line = window;
    FrameRect(dc, &line, shadowBrush.get());
    const auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    for (int i = 0; i < 2; ++i) {
        InflateRect(&line, -1, -1);
        FrameRect(dc, &line, white);
    }
}

void PaintPrintedBorder(HDC dc, const RECT& window, const RECT& client, TColor shadow)
{
    if (Width(client) + 2 >= Width(window) || Height(client) + 2 >= Height(window))
        return;
    RECT inner = window;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    const ui::UniqueBrush shadowBrush(CreateSolidBrush(ui::ColorToRGB(shadow)));
    FrameRect(dc, &window, shadowBrush.get());
}

} // namespace editface

TColor TSkinEdit::ShadowColour() const
{
    return FSkinData ? FSkinData->ButtonShadowColour : (clSystemColor | COLOR_BTNSHADOW);
}

void TSkinEdit::PaintControl(HDC dc, const RECT& rect)
{
    RECT client{};
    if (!FHandle || !GetClientRect(FHandle, &client) || !editface::HasBorder(rect, client))
        return;
    editface::PaintBorder(dc, rect, ShadowColour());
}

void TSkinEdit::PaintPrinted(HDC dc)
{
    try {
        RECT window{};
        RECT client{};
        if (!GetWindowRect(FHandle, &window) || !GetClientRect(FHandle, &client))
            return;
        FWindowRect = window;
        OffsetRect(&window, -window.left, -window.top);
        if (dc) {
            editface::PaintPrintedBorder(dc, window, client, ShadowColour());
        } else if (const ui::UniqueWindowDC own = ui::UniqueWindowDC::Whole(FHandle)) {
            editface::PaintPrintedBorder(own.get(), window, client, ShadowColour());
        }
    } catch (...) {
        // As with any paint: what was drawn stays, the control keeps working.
    }
}

bool TSkinEdit::BeforeProc(TMessage& message)
{
    if (message.Msg != WM_PRINTCLIENT)
        return TSkinControl::BeforeProc(message);
    const auto dc = reinterpret_cast<HDC>(message.WParam);
    const std::shared_ptr<bool> alive = FAlive;
    if (dc) {
        // The control may leave its own clipping in the DC; the border goes outside it.
        const ui::ScopedSaveDC saved(dc);
        CallDefault(message);
    } else {
        CallDefault(message);
    }
    if (*alive)
        PaintPrinted(dc);
    return false;
}

void TSkinEdit::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCPAINT:
        // The system has just drawn its own border over ours.
        PaintFrame(nullptr);
        break;
    case SKM_EDITPAINT:
        if (message.LParam != SkinExtKey)
            break;
        if (message.WParam != 0) {
            TMessage paint{WM_PAINT, message.WParam, 0, 0};
            CallDefault(paint);
        }
        message.Result = SkinExtKey;
        break;
    default:
        TSkinControl::AfterProc(message);
        break;
    }
}
