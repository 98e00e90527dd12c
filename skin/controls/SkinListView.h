// TSkinListView: a list view's scroll bars as every scrolled control has
// them, and its header drawn by a TSkinHeader of its own.
#pragma once

#include "skin/controls/SkinScrollbar.h"

class TSkinHeader;

class TSkinListView : public TSkinScrollbar {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinListView(TComponent* owner);
    ~TSkinListView() override;

    void InitScrolled(TControl& control, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas) override;

    // Owned by the list view control; null when it has no header.
    TSkinHeader* Header() const noexcept { return FHeader; }

private:
    TSkinHeader* FHeader = nullptr;
};
