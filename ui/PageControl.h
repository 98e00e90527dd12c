// Tab controls (the system's SysTabControl32): the common part, the tab
// control with a list of tab texts, and the page control whose tabs are the
// captions of its pages (TTabSheet, a container shown while its tab is the
// selected one). Ctrl+Tab and Ctrl+Shift+Tab step through the tabs while the
// control or anything inside it has the focus.
#pragma once

#include "ui/Control.h"
#include "ui/Strings.h"

#include <memory>
#include <string>
#include <vector>

class TImageList;
class TPageControl;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

// allowChange starts true; false keeps the selected tab.
using TTabChangingEvent = TEvent<TObject*, bool&>;

class TCustomTabControl : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TCustomTabControl>& p);

    explicit TCustomTabControl(TComponent* owner);
    ~TCustomTabControl() override;

    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition value);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle value);
    // Tabs that do not fit wrap into more rows (always so for side tabs).
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    // The area inside the tabs and the border, in client coordinates.
    RECT DisplayRect() const;

    void WndProc(TMessage& message) override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* component, TOperation operation) override;

    // What the tabs show.
    virtual int TabCount() const = 0;
    virtual std::string TabCaption(int index) const = 0;
    virtual int TabImage(int /*index*/) const { return -1; }

    // Asks OnChanging whether the selected tab may change.
    virtual bool CanChange();
    // The user selected another tab.
    virtual void Change();
    // The selected tab without asking anybody; -1 for none.
    int SelectedTab() const;
    void SelectTab(int index);
    // The user's step to the next (or previous) tab, wrapping, subject to OnChanging.
    void SelectNextTab(bool forward);
    // The window's tabs follow the list again.
    void RebuildTabs();
    void InsertTab(int index);
    void DeleteTab(int index);
    void UpdateTab(int index);

private:
    bool ContainsFocus() const;

    TTabPosition tabPosition_ = tpTop;
    TTabStyle style_ = tsTabs;
    bool multiLine_ = false;
    TImageList* images_ = nullptr;
    // The selected tab while there is no window.
    int selected_ = -1;
};

class TTabControl : public TCustomTabControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TTabControl>& p);

    explicit TTabControl(TComponent* owner);
    ~TTabControl() override;

    // Changes show at once.
    TStrings& Tabs() const { return *tabs_; }
    TStrings* TabsObject() const { return tabs_.get(); }
    int TabIndex() const { return SelectedTab(); }
    void SetTabIndex(int value) { SelectTab(value); }

protected:
    int TabCount() const override { return tabs_->Count(); }
    std::string TabCaption(int index) const override { return tabs_->Get(index); }

private:
    std::unique_ptr<TStringList> tabs_;
};

class TTabSheet : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TTabSheet>& p);

    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    // The page control the sheet is a page of (also its parent).
    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* value);
    int PageIndex() const;
    void SetPageIndex(int value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

    void SetParent(TWinControl* parent) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC) override {}
    bool SelfPainted() const override { return true; }
    void TextChanged() override;

private:
    friend class TPageControl;

    TPageControl* pageControl_ = nullptr;
    int imageIndex_ = -1;
};

class TPageControl : public TCustomTabControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TPageControl>& p);

    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    // Shown without asking OnChanging and without OnChange.
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int value);
    // The user's step to the next (or previous) page, as Ctrl+Tab does.
    void SelectNextPage(bool forward) { SelectNextTab(forward); }

protected:
    void CreateWnd() override;
    void BoundsChanged() override;
    void Change() override;
    void Loaded() override;
    int TabCount() const override { return PageCount(); }
    std::string TabCaption(int index) const override { return Pages(index)->Caption(); }
    int TabImage(int index) const override { return Pages(index)->ImageIndex(); }

private:
    friend class TTabSheet;

    void InsertPage(TTabSheet& page);
    void RemovePage(TTabSheet& page);
    void MovePage(TTabSheet& page, int index);
    // Every page at the display rectangle, only the active one visible.
    void LayoutPages();

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};

namespace ui {
extern const TEnumInfo TabPositionInfo;
extern const TEnumInfo TabStyleInfo;
} // namespace ui
