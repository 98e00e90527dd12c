// The combo box (the system's COMBOBOX): an edit or a static field with a
// list that drops down or stays open, optionally drawn by its owner.
#pragma once

#include "ui/Control.h"
#include "ui/StdCtrls.h"
#include "ui/Strings.h"
#include "ui/WindowItems.h"

#include <memory>
#include <string>
#include <string_view>

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox;

// A combo box's items (see TWindowItems).
class TComboBoxStrings : public TWindowItems {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TComboBoxStrings(TCustomComboBox& comboBox);

protected:
    bool Sorted() const override;

private:
    TCustomComboBox& comboBox_;
};

class TCustomComboBox : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCustomComboBox>& p);

    explicit TCustomComboBox(TComponent* owner);

    TStrings& Items() const { return *items_; }
    TStrings* ItemsObject() const { return items_.get(); }
    // The selected item, -1 when none.
    int ItemIndex() const;
    void SetItemIndex(int value);
    // The edit's text; for the list-only styles the selected item's, and
    // setting it selects the item with that text.
    std::string Text() const { return GetText(); }
    void SetText(std::string_view value) override;
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    // Items the dropped-down list shows without scrolling.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    // Height of the list's items in pixels; 0 keeps the system's.
    int ItemHeight() const;
    void SetItemHeight(int value);
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    // Bound to the item's DC while OnDrawItem runs.
    TCanvas& Canvas() { return *canvas_; }

    void WndProc(TMessage& message) override;

    // The text changed: typed, or another item selected.
    TNotifyEvent OnChange;
    // The user selected an item in the list.
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
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
    friend class TComboBoxStrings;

    bool HasEdit() const { return style_ == csDropDown || style_ == csSimple; }
    void ApplyDropDownCount();

    std::unique_ptr<TComboBoxStrings> items_;
    std::unique_ptr<TCanvas> canvas_;
    TComboBoxStyle style_ = csDropDown;
    int savedIndex_ = -1;
    int dropDownCount_ = 8;
    int itemHeight_ = 0;
    bool sorted_ = false;
};

class TComboBox : public TCustomComboBox {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};

namespace ui {
extern const TEnumInfo ComboBoxStyleInfo;
} // namespace ui
