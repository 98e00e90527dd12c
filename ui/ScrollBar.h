// The stand-alone scroll bar (the system's SCROLLBAR control): a position
// between Min and Max that arrows, page clicks and the thumb move.
#pragma once

#include "ui/Control.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

// (scroll bar, what the user did, the position it leads to): the handler may change the position.
using TScrollEvent = TEvent<TObject*, TScrollCode, int&>;

class TScrollBar : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TScrollBar>& p);

    explicit TScrollBar(TComponent* owner);

    // Changing the kind outside form loading turns the bar's bounds a quarter.
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    int Min() const { return min_; }
    void SetMin(int value) { SetParams(position_, value, max_); }
    int Max() const { return max_; }
    void SetMax(int value) { SetParams(position_, min_, value); }
    // Kept between Min and the last position a page of PageSize still fits:
    // Max - PageSize + 1 (Max with no page).
    int Position() const { return position_; }
    void SetPosition(int value) { SetParams(value, min_, max_); }
    // The thumb's share of the range (at most all of it); 0 gives the classic square thumb.
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    // Steps of the arrows and of clicks beside the thumb.
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }
    // Sets all three at once; a maximum below the minimum is raised to it.
    void SetParams(int position, int min, int max);

    void WndProc(TMessage& message) override;
    void Loaded() override;

    // The position changed (by the user or by code).
    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    int Clamped(int position) const;
    void ApplyScrollInfo();
    void Scroll(WORD request);

    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int pageSize_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
};

namespace ui {
extern const TEnumInfo ScrollBarKindInfo;
extern const TEnumInfo ScrollCodeInfo;
} // namespace ui
