// The up-down control (the system's msctls_updown32): two arrow buttons that
// step a position, optionally docked into an associated control whose text
// shows the position.
#pragma once

#include "ui/Control.h"
#include "ui/HookToken.h"

enum TUDOrientation { udVertical, udHorizontal };
enum TUDAlignButton { udLeft, udRight };
// The arrow a click went to: towards the maximum or towards the minimum.
enum TUDBtnType { ubNext, ubPrev };

using TUDClickEvent = TEvent<TObject*, TUDBtnType>;
// allowChange starts true; false keeps the position.
using TUDChangingEvent = TEvent<TObject*, bool&>;

class TUpDown : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TUpDown>& p);

    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);
    // The control the up-down docks into (at the edge AlignButton names) and
    // whose text it keeps at the position.
    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* value);
    TUDAlignButton AlignButton() const { return alignButton_; }
    void SetAlignButton(TUDAlignButton value);
    // Past one end the position goes on at the other.
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value);
    // The arrow keys step the position while the associate has the focus.
    bool ArrowKeys() const { return arrowKeys_; }
    void SetArrowKeys(bool value);
    // The associate's text groups thousands.
    bool Thousands() const { return thousands_; }
    void SetThousands(bool value);

    void WndProc(TMessage& message) override;

    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void PushRange();
    void Dock();

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int increment_ = 1;
    int lastDelta_ = 0;
    // OnChanging refused the step the system is about to report.
    bool refused_ = false;
    TUDOrientation orientation_ = udVertical;
    TUDAlignButton alignButton_ = udRight;
    bool wrap_ = false;
    bool arrowKeys_ = true;
    bool thousands_ = true;
    TWinControl* associate_ = nullptr;
    // The associate's width before the up-down took its share.
    int associateWidth_ = -1;
    ui::HookToken associateWatch_;
};

namespace ui {
extern const TEnumInfo UDOrientationInfo;
extern const TEnumInfo UDAlignButtonInfo;
} // namespace ui
