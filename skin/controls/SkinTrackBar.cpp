#include "skin/controls/SkinTrackBar.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/Handles.h"

#include <commctrl.h>

constinit const TClassInfo TSkinTrackBar::ClassInfo =
    ui::ClassOf<TSkinTrackBar>("TSkinTrackBar", TSkinControl::ClassInfo);

namespace trackface {

bool PaintChannel(HDC dc, const RECT& channel, TDataSkinObject* picture, bool vertical)
{
    if (!picture || !picture->HasBitmap())
        return false;
    TBitmap& bitmap = picture->Bitmap;
    const bool transparent = picture->Trans == 1;
    if (vertical) {
        const int width = bitmap.Width();
        const int left = channel.left + (channel.right - channel.left - width) / 2;
        const RECT margins{0, picture->TopHeight, 0, picture->BottomHeight};
        DrawSkinElement(dc, RECT{left, channel.top, left + width, channel.bottom}, bitmap, false, false, transparent,
                        1, 1, margins);
        return true;
    }
    const int height = bitmap.Height();
    const int channelHeight = channel.bottom - channel.top;
    const int top = height < channelHeight ? channel.top + (channelHeight - height) / 2 : channel.top;
    const RECT margins{picture->LeftWidth, 0, picture->RightWidth, 0};
    DrawSkinElement(dc, RECT{channel.left, top, channel.right, top + height}, bitmap, false, false, transparent, 1, 1,
                    margins);
    return true;
}

void PaintThumb(HDC dc, const RECT& thumb, TDataSkinObject* picture, TColor face, TColor shadow)
{
    if (picture && picture->HasBitmap()) {
        DrawFrameStretched(dc, thumb, picture->Bitmap, true, 5, 2);
        return;
    }
    const ui::UniqueBrush fill(CreateSolidBrush(ui::ColorToRGB(face)));
    FillRect(dc, &thumb, fill.get());
    const ui::UniqueBrush edge(CreateSolidBrush(ui::ColorToRGB(shadow)));
    FrameRect(dc, &thumb, edge.get());
}

} // namespace trackface

bool TSkinTrackBar::Vertical() const { return FHandle && (GetLong(FHandle, GWL_STYLE) & TBS_VERT) != 0; }

bool TSkinTrackBar::BeforeProc(TMessage& message)
{
    if ((message.Msg == WM_NOTIFY || message.Msg == CN_NOTIFY) && CustomDraw(message))
        return false;
    return TSkinControl::BeforeProc(message);
}

// Everything is drawn inside the control's own paint: nothing to add after it.
void TSkinTrackBar::AfterProc(TMessage& message)
{
    if (message.Msg != WM_PAINT)
        TSkinControl::AfterProc(message);
}

bool TSkinTrackBar::CustomDraw(TMessage& message)
{
    auto* const draw = reinterpret_cast<NMCUSTOMDRAW*>(message.LParam);
    if (!draw || !FSkinData || draw->hdr.code != static_cast<UINT>(NM_CUSTOMDRAW) ||
        (FHandle && draw->hdr.hwndFrom != FHandle))
        return false;
    if (draw->dwDrawStage == CDDS_PREPAINT) {
        message.Result = CDRF_NOTIFYITEMDRAW;
        return true;
    }
    if (draw->dwDrawStage != CDDS_ITEMPREPAINT)
        return false;
    const bool vertical = Vertical();
    switch (draw->dwItemSpec) {
    case TBCD_TICS:
        message.Result = CDRF_DODEFAULT;
        return true;
    case TBCD_THUMB: {
        RECT thumb = draw->rc;
        if (IsRectEmpty(&thumb))
            SendMessageA(FHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        TDataSkinObject* picture = FSkinData->TrackbarThumbHorz.get();
        if (vertical && FSkinData->TrackbarThumbVert && FSkinData->TrackbarThumbVert->HasBitmap())
            picture = FSkinData->TrackbarThumbVert.get();
        trackface::PaintThumb(draw->hdc, thumb, picture, SkinFaceColor(), FSkinData->ButtonShadowColour);
        message.Result = CDRF_SKIPDEFAULT;
        return true;
    }
    case TBCD_CHANNEL: {
        RECT channel = draw->rc;
        if (IsRectEmpty(&channel))
            SendMessageA(FHandle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        TDataSkinObject* picture = vertical ? FSkinData->TrackVert.get() : FSkinData->Track.get();
        if (!trackface::PaintChannel(draw->hdc, channel, picture, vertical))
            return false;
        message.Result = CDRF_SKIPDEFAULT;
        return true;
    }
    default:
        return false;
    }
}

void TSkinTrackBar::Redraw()
{
    if (FHandle)
        RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The system draws the bar again once the skinner has gone.
void TSkinTrackBar::Unskin()
{
    TSkinControl::Unskin();
    if (FHandle)
        InvalidateRect(FHandle, nullptr, TRUE);
}

// The control draws its channel and thumb only when it paints whole again.
void TSkinTrackBar::SkinChanged()
{
    TSkinControl::SkinChanged();
    Redraw();
}
