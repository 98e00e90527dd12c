#include "skin/controls/SkinEdit.h"

#include "skin/controls/SkinUpDown.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>

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

bool IsUpDownClass(HWND window)
{
    char name[64] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    if (length <= 0)
        return false;
    std::string lower(name, static_cast<std::size_t>(length));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lower == "msctls_updown32" || lower.find("spin") != std::string::npos ||
           lower.find("updown") != std::string::npos;
}

} // namespace editface

TSkinEdit::~TSkinEdit()
{
    // An up-down skinner nobody else frees (no owner, no form list) goes with the edit's.
    if (FUpDown && !FUpDown->Owner() && !FUpDown->Form())
        delete FUpDown;
}

void TSkinEdit::Notification(TComponent* component, TOperation operation)
{
    TSkinControl::Notification(component, operation);
    if (operation == opRemove && component == FUpDown)
        FUpDown = nullptr;
}

void TSkinEdit::SkinUpDown()
{
    if (!FSkinData || !FSkinData->SkinControls.Contains(xcSpin) || !FHandle)
        return;
    if (FUpDown) {
        if (FUpDown->Status() != TSkinStatus::WindowDestroyed)
            return;
        // The up-down's window is gone: a new one may have taken its place.
        FUpDown->RemoveFreeNotification(this);
        if (!FUpDown->Form())
            delete FUpDown;
        FUpDown = nullptr;
    }
    for (HWND child = GetTopWindow(FHandle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!editface::IsUpDownClass(child))
            continue;
        // One that already has a skinner (a framework up-down gets its own) keeps it.
        if (SendMessageA(child, SKM_ISSKINNED, 0, 0) == 1)
            return;
        auto* const skinner = new TSkinUpDown(FControl ? static_cast<TComponent*>(FControl) : Owner());
        FUpDown = skinner;
        skinner->FreeNotification(this);
        skinner->InitHandle(child, FSkinData, FForm, FCanvas);
        return;
    }
}

TColor TSkinEdit::ShadowColour() const
{
    return FSkinData ? FSkinData->ButtonShadowColour : (clSystemColor | COLOR_BTNSHADOW);
}

void TSkinEdit::PaintControl(HDC dc, const RECT& rect)
{
    SkinUpDown();
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
