// The list view (the system's SysListView32): columns, items with sub-items,
// report view, grid lines, whole-row and single selection.
#pragma once

#include "ui/Collection.h"
#include "ui/Control.h"
#include "ui/RedrawLock.h"
#include "ui/Strings.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TListView;
class TListItems;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListColumn : public TCollectionItem {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TListColumn>& p);

    explicit TListColumn(TCollection* collection);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view value);
    // Pixels; the list view's own value once its window exists (the user may drag it).
    int Width() const;
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    std::string DisplayName() const override { return caption_; }
    void Assign(const TPersistent& source) override;

private:
    friend class TListView;
    TListView* ListView() const;

    std::string caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

class TListColumns : public TOwnedCollectionOf<TListColumn> {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TListColumns(TListView& owner);


protected:
    void Update(TCollectionItem* item) override;
    void Notify(TCollectionItem* item, TCollectionNotification action) override;

private:
    TListView& listView_;
};

class TListItem : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TListItem(TListItems& owner);
    ~TListItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view value);
    // Texts of the columns after the first; changes show at once.
    TStrings& SubItems() { return *subItems_; }
    const TStrings& SubItems() const { return *subItems_; }
    int Index() const;
    bool Selected() const;
    void SetSelected(bool value);
    bool Focused() const;
    void SetFocused(bool value);
    void* Data() const { return data_; }
    void SetData(void* value) { data_ = value; }
    TListItems& Owner() const { return owner_; }
    TListView& ListView() const;
    TPersistent* GetOwner() const override;

private:
    friend class TListView;
    friend class TListItems;
    void SetState(UINT mask, bool on);
    bool State(UINT mask) const;
    void PushSubItems() const;

    TListItems& owner_;
    std::string caption_;
    std::unique_ptr<TStringList> subItems_;
    void* data_ = nullptr;
    // Kept while the list view has no window.
    UINT savedState_ = 0;
};

class TListItems : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TListItems(TListView& owner) : owner_(owner) {}
    ~TListItems() override;

    int Count() const { return static_cast<int>(items_.size()); }
    TListItem* Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add() { return Insert(Count()); }
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    // Suspends repainting while many items change.
    void BeginUpdate();
    void EndUpdate();
    int IndexOf(const TListItem* item) const;
    TListView& Owner() const { return owner_; }
    TPersistent* GetOwner() const override;

private:
    friend class TListView;
    friend class TListItem;

    TListView& owner_;
    std::vector<TListItem*> items_;
    ui::UpdateNesting updating_;
};

using TLVSelectItemEvent = TEvent<TObject*, TListItem*, bool>;

class TCustomListView : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    using TWinControl::TWinControl;
};

class TListView : public TCustomListView {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TListView>& p);

    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListColumns& Columns() const { return *columns_; }
    TListColumns* ColumnsObject() const { return columns_.get(); }
    TListItems& Items() const { return *items_; }

    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle value);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool value);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value);
    // No label editing.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

    int SelCount() const;
    // The first selected item, or null.
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    TListItem* ItemFocused() const;
    int ItemIndex() const;
    void SetItemIndex(int value);

    void WndProc(TMessage& message) override;

    TLVSelectItemEvent OnSelectItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void ColorChanged() override;
    void FontChanged() override;

private:
    friend class TListColumn;
    friend class TListColumns;
    friend class TListItem;
    friend class TListItems;

    void InsertColumn(int index, const TListColumn& column);
    void UpdateColumn(int index, const TListColumn& column);
    void InsertItemWindow(int index, TListItem& item);
    void ApplyExtendedStyle();
    void ApplyColors();
    TListItem* ItemFromIndex(int index) const;

    std::unique_ptr<TListColumns> columns_;
    std::unique_ptr<TListItems> items_;
    TViewStyle viewStyle_ = vsIcon;
    bool gridLines_ = false;
    bool rowSelect_ = false;
    bool readOnly_ = false;
    bool multiSelect_ = false;
    bool hideSelection_ = true;
    bool showColumnHeaders_ = true;
    TBorderStyle borderStyle_ = bsSingle;
};

namespace ui {
extern const TEnumInfo ViewStyleInfo;
} // namespace ui
