// The tool bar (the system's ToolbarWindow32) and its buttons. Buttons are
// components nested in the bar, not windows: the bar draws and tracks them.
// The bar docks to the top of its parent.
#pragma once

#include "ui/Align.h"
#include "ui/Control.h"
#include "ui/Sets.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TImageList;
class TMenuItem;
class TPopupMenu;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

// The system's custom-draw item states, in the order of their bits.
enum TCustomDrawStateItem : unsigned {
    cdsSelected,
    cdsGrayed,
    cdsDisabled,
    cdsChecked,
    cdsFocused,
    cdsDefault,
    cdsHot,
    cdsMarked,
    cdsIndeterminate
};
using TCustomDrawState = TSet<TCustomDrawStateItem>;

class TToolButton : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TToolButton>& p);

    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    TToolBar* ToolBar() const { return toolBar_; }
    // Joins the bar as its last button (or leaves it with null).
    void SetToolBar(TToolBar* value);
    int Index() const;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle value);
    // A check button pressed in (the bar keeps it so between clicks).
    bool Down() const;
    void SetDown(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // A click runs this item when the button has no OnClick.
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* value);
    // Opened below the button by its drop-down arrow.
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* value);
    // The button's rectangle in the bar's client area (empty without a window).
    RECT BoundsRect() const;

    virtual void Click();

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    TNotifyEvent OnClick;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TToolBar;

    TToolBar* toolBar_ = nullptr;
    std::string caption_;
    int imageIndex_ = -1;
    TToolButtonStyle style_ = tbsButton;
    bool down_ = false;
    bool enabled_ = true;
    TMenuItem* menuItem_ = nullptr;
    TPopupMenu* dropdownMenu_ = nullptr;
    // The id the bar's notifications name the button by.
    int command_ = 0;
};

// defaultDraw starts true; false leaves the bar (or the button) to the handler.
using TTBCustomDrawEvent = TEvent<TToolBar*, const RECT&, bool&>;
using TTBCustomDrawBtnEvent = TEvent<TToolBar*, TToolButton*, TCustomDrawState, bool&>;

class TToolBar : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TToolBar>& p);

    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
    // Buttons without a raised edge until the mouse is over them.
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int value);
    TAlign Align() const { return dock_.Align(); }
    void SetAlign(TAlign value) { dock_.SetAlign(value); }
    // Bound to the bar's DC while the custom-draw events run.
    TCanvas& Canvas() { return *canvas_; }

    void SetParent(TWinControl* parent) override;
    void GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const override;
    void WndProc(TMessage& message) override;

    TTBCustomDrawEvent OnCustomDraw;
    TTBCustomDrawBtnEvent OnCustomDrawButton;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void BoundsChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TToolButton;

    void InsertButton(TToolButton& button);
    void RemoveButton(TToolButton& button);
    // The button's window part is made again from its fields.
    void UpdateButton(TToolButton& button);
    void AddButtonWindow(int index, const TToolButton& button);
    void ApplySizes();
    TToolButton* ButtonByCommand(int command) const;
    void CustomDraw(TMessage& message);
    void DropDown(TMessage& message);

    std::vector<TToolButton*> buttons_;
    std::unique_ptr<TCanvas> canvas_;
    ui::EdgeDock dock_;
    TImageList* images_ = nullptr;
    bool flat_ = false;
    bool showCaptions_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    int nextCommand_ = 1;
};

namespace ui {
extern const TEnumInfo ToolButtonStyleInfo;
} // namespace ui
