// The scroll box: a container drawn by the framework whose window scroll bars
// (WS_HSCROLL, WS_VSCROLL) move its children when they reach beyond it.
#pragma once

#include "ui/Control.h"

class TScrollBox : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TScrollBox>& p);

    explicit TScrollBox(TComponent* owner);

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // How far the content is scrolled: the children sit this much further up and left.
    int HorzPosition() const { return position_[0]; }
    void SetHorzPosition(int value) { ScrollTo(0, value); }
    int VertPosition() const { return position_[1]; }
    void SetVertPosition(int value) { ScrollTo(1, value); }
    // Pixels an arrow click scrolls.
    int LineStep() const { return lineStep_; }
    void SetLineStep(int value);
    // Measures the children again and sets the scroll bars to match. Runs on
    // its own when the box is made, resized or loaded; call it after moving
    // or adding children in code.
    void UpdateScrollRange();

    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool SelfPainted() const override { return true; }

private:
    // bar 0 horizontal, 1 vertical.
    int ContentExtent(int bar) const;
    int PageOf(int bar) const;
    int LastPosition(int bar) const;
    void ScrollTo(int bar, int position);
    void Scroll(int bar, WORD request);
    void ApplyScrollInfo(int bar);

    TBorderStyle borderStyle_ = bsSingle;
    int position_[2] = {0, 0};
    int lineStep_ = 8;
    bool updatingRange_ = false;
};
