// The header control on its own (the system's SysHeader32): a row of
// sections with texts and widths that the user can click and drag wider.
#pragma once

#include "ui/Collection.h"
#include "ui/Control.h"

#include <memory>
#include <string>
#include <string_view>

class THeaderControl;

class THeaderSection : public TCollectionItem {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<THeaderSection>& p);

    explicit THeaderSection(TCollection* collection);

    const std::string& Text() const { return text_; }
    void SetText(std::string_view value);
    // Pixels; follows the user dragging the section's edge.
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // Left edge and right edge in the header's client area.
    int Left() const;
    int Right() const { return Left() + Width(); }
    std::string DisplayName() const override { return text_; }
    void Assign(const TPersistent& source) override;

private:
    friend class THeaderControl;
    THeaderControl* Header() const;

    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

class THeaderSections : public TOwnedCollectionOf<THeaderSection> {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit THeaderSections(THeaderControl& owner);


protected:
    void Update(TCollectionItem* item) override;
    void Notify(TCollectionItem* item, TCollectionNotification action) override;

private:
    THeaderControl& header_;
};

using TSectionNotifyEvent = TEvent<THeaderControl*, THeaderSection*>;

class THeaderControl : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<THeaderControl>& p);

    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;

    THeaderSections& Sections() const { return *sections_; }
    THeaderSections* SectionsObject() const { return sections_.get(); }
    // Sections light up under the mouse.
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);

    void WndProc(TMessage& message) override;

    TSectionNotifyEvent OnSectionClick;
    // The user finished dragging a section's width.
    TSectionNotifyEvent OnSectionResize;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    friend class THeaderSection;
    friend class THeaderSections;

    void InsertSection(int index, const THeaderSection& section);
    void UpdateSection(int index, const THeaderSection& section);
    THeaderSection* SectionAt(int index) const;

    std::unique_ptr<THeaderSections> sections_;
    bool hotTrack_ = false;
};
