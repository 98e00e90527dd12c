// Standard controls, each a thin wrapper over the system's own window class:
// push button (BUTTON), edit (EDIT), list box (LISTBOX, optionally drawn by
// its owner), group box (BUTTON with BS_GROUPBOX); and the label, which has
// no window.
#pragma once

#include "ui/Control.h"
#include "ui/Strings.h"
#include "ui/WindowItems.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TButton : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TButton>& p);

    explicit TButton(TComponent* owner);

    // Enter clicks the default button unless another button has the focus.
    bool Default() const { return default_; }
    void SetDefault(bool value);
    // Esc clicks the cancel button.
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // Given to the form when clicked, which ends a modal showing.
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    // Drawn as the default button: the default one, or the one with the focus.
    bool Active() const { return active_; }

    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void SetButtonStyle(bool asDefault);

    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
};

class TCustomEdit : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCustomEdit>& p);

    explicit TCustomEdit(TComponent* owner);

    std::string Text() const { return GetText(); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // False draws a flat one-pixel border instead of the sunken edge.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    // Select the whole text when the edit receives the focus.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }

    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int value);
    void SetSelLength(int value);
    std::string SelText() const;
    void SelectAll();
    void Clear() { SetText(""); }

    void WndProc(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void DoEnter() override;

private:
    bool readOnly_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    bool ctl3D_ = true;
    int maxLength_ = 0;
    bool autoSelect_ = true;
};

class TEdit : public TCustomEdit {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

// Owner-drawn items of list and combo boxes. The members sit at the bit
// positions of the system's ODS_ flags, so a DRAWITEMSTRUCT state is the set.
enum TOwnerDrawStateItem : unsigned {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odComboBoxEdit = 12,
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
// (control, item index, item rectangle, state); the control's Canvas is bound to the item's DC.
using TDrawItemEvent = TEvent<TWinControl*, int, RECT, TOwnerDrawState>;
// (control, item index, height): the handler may change the height.
using TMeasureItemEvent = TEvent<TWinControl*, int, int&>;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

namespace ui {
extern const TEnumInfo ListBoxStyleInfo;
// The first child window id from 0x1000 up that no child of parent has:
// WM_MEASUREITEM names its sender by id only.
HMENU FreeChildId(HWND parent) noexcept;
// An owner-drawn list item as the system draws a plain one: the highlight
// when selected, else the canvas's brush, and the text with a small indent.
void DrawListItem(TCanvas& canvas, const RECT& rect, std::string_view text, TOwnerDrawState state);
// Answers a reflected WM_DRAWITEM through draw(index, rect, state) with canvas
// bound to the item's DC (font and brush from control) and the focus
// rectangle drawn as the system expects it.
void HandleDrawItem(TWinControl& control, TCanvas& canvas, const DRAWITEMSTRUCT& item,
                    const std::function<void(int, const RECT&, TOwnerDrawState)>& draw);
} // namespace ui

class TCustomListBox;

// A list box's items (see TWindowItems).
class TListBoxStrings : public TWindowItems {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TListBoxStrings(TCustomListBox& listBox);

protected:
    bool Sorted() const override;

private:
    TCustomListBox& listBox_;
};

class TCustomListBox : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCustomListBox>& p);

    explicit TCustomListBox(TComponent* owner);

    TStrings& Items() const { return *items_; }
    TStrings* ItemsObject() const { return items_.get(); }
    int Count() const { return items_->Count(); }
    // The selected item, -1 when none.
    int ItemIndex() const;
    void SetItemIndex(int value);
    // Height of every item in pixels; 0 keeps the system's.
    int ItemHeight() const;
    void SetItemHeight(int value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // Owner-drawn styles call OnDrawItem for each item (and OnMeasureItem for
    // each item's height with lbOwnerDrawVariable).
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle value);
    // Bound to the item's DC while OnDrawItem runs.
    TCanvas& Canvas() { return *canvas_; }

    void WndProc(TMessage& message) override;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Without OnDrawItem, the item's text as the system would draw it.
    virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);

private:
    friend class TListBoxStrings;

    std::unique_ptr<TListBoxStrings> items_;
    std::unique_ptr<TCanvas> canvas_;
    int savedIndex_ = -1;
    int itemHeight_ = 0;
    bool sorted_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    TListBoxStyle style_ = lbStandard;
};

class TListBox : public TCustomListBox {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

class TCustomGroupBox : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCustomGroupBox>& p);

    explicit TCustomGroupBox(TComponent* owner);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

class TGroupBox : public TCustomGroupBox {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCustomLabel>& p);

    explicit TCustomLabel(TComponent* owner);
    ~TCustomLabel() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    // The label takes the size of its text (the height only, when word-wrapped).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // Leave the background unpainted, showing what lies behind.
    bool Transparent() const { return !opaque_; }
    void SetTransparent(bool value);
    // "&" marks an accelerator; Alt with it focuses FocusControl.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);

    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    UINT TextFlags() const;
    void AdjustBounds();

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};

namespace ui {
extern const TEnumInfo TextLayoutInfo;
} // namespace ui
