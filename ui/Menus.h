// Menus: the items (TMenuItem), a form's menu bar (TMainMenu) and context
// menus (TPopupMenu). Items build their system menu handles on demand and
// rebuild them when they change. With OwnerDraw set every entry is drawn by
// the program: each item measures and draws itself, and OnMeasureItem and
// OnDrawItem let the owner (the skinning engine) take that over.
#pragma once

#include "ui/Component.h"
#include "ui/Properties.h"
#include "ui/Control.h"
#include "ui/Events.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TImageList;
class TMenu;

// A key with modifiers: the virtual key in the low byte, scShift/scCtrl/scAlt above.
using TShortCut = WORD;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };
enum TPopupAlignment { paLeft, paRight, paCenter };
enum TBiDiMode { bdLeftToRight, bdRightToLeft };

using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas*, int&, int&>;
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas*, RECT, bool>;

namespace ui {
extern const TEnumInfo BiDiModeInfo;
TShortCut MakeShortCut(WORD key, TShiftState shift);
// "Ctrl+C", "Shift+F5", "Alt+Enter"; empty for scNone.
std::string ShortCutToText(TShortCut shortCut);
// The reverse; scNone when the text names no key.
TShortCut TextToShortCut(std::string_view text);

// An entry of a system menu by position: its state, id, drop-down, type and
// text (cut to the buffer, empty for entries without text of their own).
struct TMenuEntryInfo {
    MENUITEMINFOA info{};
    std::string text;
};
std::optional<TMenuEntryInfo> ReadMenuEntry(HMENU menu, int position, std::size_t maxText = 255);
} // namespace ui

class TMenuItem : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TMenuItem>& p);

    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    // Drawn bold; a double click on the window menu chooses it.
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    bool IsLine() const { return caption_ == "-"; }

    // The id WM_COMMAND carries for this item; unique in the process.
    UINT Command() const { return command_; }
    // The system menu this item's children live in (made on demand).
    HMENU Handle();
    bool HandleAllocated() const { return static_cast<bool>(handle_); }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* item);
    // Frees the children.
    void Clear();
    // The child with this caption (hotkey markers ignored, any letter case), or null.
    TMenuItem* Find(std::string_view caption) const;
    // The menu the item tree belongs to, or null.
    TMenu* GetParentMenu() const;
    // The image list ImageIndex refers to: the menu's, or null.
    TImageList* GetImageList() const;

    // Runs OnClick; a disabled item does nothing.
    virtual void Click();
    // Owner drawing. MeasureItem measures caption, glyph and shortcut, then
    // lets OnMeasureItem change the size; DrawItem calls OnDrawItem when
    // assigned and draws the item itself otherwise.
    void MeasureItem(TCanvas& canvas, int& width, int& height);
    void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const override;

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

private:
    friend class TMenu;

    // Something visible in the system menu changed: rebuild the entry.
    void Changed(bool structure);
    void RebuildHandle();
    void AppendTo(HMENU menu, UINT position) const;
    void DefaultMeasure(TCanvas& canvas, int& width, int& height) const;
    void DefaultDraw(TCanvas& canvas, const RECT& rect, bool selected) const;
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind);

    std::string caption_;
    bool checked_ = false;
    bool default_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    TShortCut shortCut_ = scNone;
    int imageIndex_ = -1;
    UINT command_ = 0;
    ui::UniqueMenu handle_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root item only
    std::vector<TMenuItem*> items_;
};

class TMenu : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TMenu>& p);

    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item; its children are the menu's entries.
    TMenuItem* Items() const { return items_; }
    HMENU Handle() { return items_->Handle(); }
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value) { biDiMode_ = value; }
    bool IsRightToLeft() const { return biDiMode_ == bdRightToLeft; }
    // Glyphs of the items, by their ImageIndex.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

    // The item with this command id, submenu handle or shortcut anywhere in the tree.
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const;
    // Clicks the item with this command id; false when there is none.
    bool DispatchCommand(UINT command);
    // A submenu of this menu is about to open.
    bool DispatchPopup(HMENU submenu);
    bool IsShortCut(WORD key, TShiftState shift);
    // WM_MEASUREITEM / WM_DRAWITEM for one of this menu's owner-drawn entries;
    // false when the entry is not this menu's.
    bool MeasureItem(MEASUREITEMSTRUCT& item);
    bool DrawItem(const DRAWITEMSTRUCT& item);

    void GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const override;

protected:
    friend class TMenuItem;
    virtual HMENU CreateMenuHandle() const = 0;
    void Notification(TComponent* component, TOperation operation) override;
    // An item changed after the menu's handles were made.
    virtual void MenuChanged() {}

private:
    TMenuItem* items_;
    TImageList* images_ = nullptr;
    bool ownerDraw_ = false;
    TBiDiMode biDiMode_ = bdLeftToRight;
};

class TMainMenu : public TMenu {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

    // The window whose menu bar this is (set by the form).
    HWND WindowHandle() const { return window_; }
    void SetWindowHandle(HWND window) { window_ = window; }

protected:
    HMENU CreateMenuHandle() const override { return CreateMenu(); }
    // Tells the window (not just the form object) so that whoever subclassed it sees the change.
    void MenuChanged() override;

private:
    HWND window_ = nullptr;
};

class TPopupMenu : public TMenu {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TPopupMenu>& p);

    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // Shows the menu at a screen point and returns when it closes; a chosen
    // item's OnClick runs before that.
    virtual void Popup(int x, int y);
    // The control the menu was last opened for.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component);
    // Opens on right-click and the context-menu key of the controls it is attached to.
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment value) { alignment_ = value; }

    TNotifyEvent OnPopup;

protected:
    HMENU CreateMenuHandle() const override { return CreatePopupMenu(); }
    void Notification(TComponent* component, TOperation operation) override;

private:
    TComponent* popupComponent_ = nullptr;
    bool autoPopup_ = true;
    TPopupAlignment alignment_ = paLeft;
};

namespace ui {
// The hidden window that owns open popup menus and receives their messages.
HWND PopupListWindow();
// Every popup menu alive, for the owner window to dispatch to.
const std::vector<TPopupMenu*>& PopupMenus();
} // namespace ui
