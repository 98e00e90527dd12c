// The track bar (the system's msctls_trackbar32): a thumb moved along a
// channel by mouse and keys, with tick marks.
#pragma once

#include "ui/Control.h"

#include <commctrl.h>

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickStyle { tsNone, tsAuto, tsManual };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };

// Custom drawing of the channel and the thumb: draw carries the stage and the
// part (TBCD_CHANNEL, TBCD_THUMB, TBCD_TICS); result starts as the system's
// default answer (CDRF_DODEFAULT) and is what the control answers.
using TTrackBarDrawEvent = TEvent<TObject*, const NMCUSTOMDRAW&, LRESULT&>;

class TTrackBar : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TTrackBar>& p);

    explicit TTrackBar(TComponent* owner);

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    // A tick every Frequency positions (automatic ticks).
    int Frequency() const { return frequency_; }
    void SetFrequency(int value);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle value);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark value);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation value);
    // Positions moved by Page Up/Page Down and by a click beside the thumb.
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    // Positions moved by an arrow key.
    int LineSize() const { return lineSize_; }
    void SetLineSize(int value);
    // A tick at value (manual ticks).
    void SetTick(int value);

    void WndProc(TMessage& message) override;

    // The position changed by mouse or keys.
    TNotifyEvent OnChange;
    TTrackBarDrawEvent OnCustomDraw;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    void PushRange();

    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int frequency_ = 1;
    int pageSize_ = 2;
    int lineSize_ = 1;
    TTickStyle tickStyle_ = tsAuto;
    TTickMark tickMarks_ = tmBottomRight;
    TTrackBarOrientation orientation_ = trHorizontal;
};

namespace ui {
extern const TEnumInfo TrackBarOrientationInfo;
extern const TEnumInfo TickStyleInfo;
extern const TEnumInfo TickMarkInfo;
} // namespace ui
