// The tab set: a row of tabs along the bottom of a window (the system's tab
// control with its tabs at the bottom), without pages.
#pragma once

#include "ui/PageControl.h"

class TTabSet : public TCustomTabControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TTabSet>& p);

    explicit TTabSet(TComponent* owner);
    ~TTabSet() override;

    // Changes show at once.
    TStrings& Tabs() const { return *tabs_; }
    TStrings* TabsObject() const { return tabs_.get(); }
    int TabIndex() const { return SelectedTab(); }
    void SetTabIndex(int value) { SelectTab(value); }

protected:
    void CreateParams(TCreateParams& params) override;
    int TabCount() const override { return tabs_->Count(); }
    std::string TabCaption(int index) const override { return tabs_->Get(index); }

private:
    std::unique_ptr<TStringList> tabs_;
};
