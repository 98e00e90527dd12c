// Panels (a framework-drawn container with bevels), pictures and timers.
#pragma once

#include "ui/Control.h"

#include <memory>

class TPicture;

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCustomPanel>& p);

    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // Erase with the parent's colour instead of the panel's own.
    bool ParentBackground() const { return parentBackground_; }
    void SetParentBackground(bool value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    bool SelfPainted() const override { return true; }

private:
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
    bool parentBackground_ = true;
};

class TPanel : public TCustomPanel {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

// Shows a picture (bitmap, icon or JPEG) at its size, centred or stretched.
class TImage : public TGraphicControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TImage>& p);

    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture& Picture() const { return *picture_; }
    TPicture* PictureObject() const { return picture_.get(); }
    // Scale the picture to the control.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    // Keep the picture's proportions when scaling (and only shrink, never enlarge).
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    // Draw the picture's transparent parts as holes.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // Take the picture's size.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // Where the picture is drawn, in client coordinates.
    RECT DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();

    std::unique_ptr<TPicture> picture_;
    bool stretch_ = false;
    bool proportional_ = false;
    bool center_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
    bool applyingTransparency_ = false;
};

// Calls OnTimer every Interval milliseconds while Enabled.
class TTimer : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TTimer>& p);

    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);

    TNotifyEvent OnTimer;

private:
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    UINT_PTR id_;
    ui::UniqueTimer timer_;
};

namespace ui {
extern const TEnumInfo BevelCutInfo;
} // namespace ui
