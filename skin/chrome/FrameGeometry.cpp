#include "skin/chrome/FrameGeometry.h"

#include "skin/model/SkinElements.h"

RECT ClientRectFromWindowPos(const WINDOWPOS& pos, const TFrameMetrics& metrics, int menuHeight)
{
    return {
        pos.x + metrics.borderLeft,
        pos.y + metrics.titleHeight + menuHeight,
        pos.x + pos.cx - metrics.borderRight,
        pos.y + pos.cy - metrics.borderBottom,
    };
}

SIZE SkinnedWindowSize(SIZE client, const TFrameMetrics& metrics, int menuHeight)
{
    return {client.cx + metrics.borderLeft + metrics.borderRight,
            client.cy + metrics.titleHeight + metrics.borderBottom + menuHeight};
}

SIZE UnskinnedWindowSize(SIZE window, SIZE ncExtra, const TFrameMetrics& metrics)
{
    return {window.cx + ncExtra.cx - metrics.borderLeft - metrics.borderRight,
            window.cy + ncExtra.cy - metrics.titleHeight - metrics.borderBottom};
}

TCaptionWidening WidenForCaption(int windowWidth, int captionWidth, const TDataSkinTitle& title)
{
    const int needed = title.LeftWidth + captionWidth + title.RightWidth;
    if (needed <= windowWidth)
        return {windowWidth, 0};
    return {needed, (needed - windowWidth) / 2};
}

POINT WindowPointFromClient(POINT clientPoint, const TFrameMetrics& metrics, int menuHeight)
{
    return {clientPoint.x + metrics.borderLeft, clientPoint.y + metrics.titleHeight + menuHeight};
}

LRESULT FrameHitTest(LRESULT systemAnswer, POINT windowPoint, int titleHeight, int menuHeight)
{
    if (systemAnswer != HTNOWHERE && systemAnswer != HTCAPTION)
        return systemAnswer;
    LRESULT answer = systemAnswer;
    if (windowPoint.y > 3)
        answer = HTCAPTION;
    if (windowPoint.y > titleHeight && menuHeight > 0)
        answer = HTMENU;
    return answer;
}
