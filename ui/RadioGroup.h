// A group box holding one radio button per line of Items, laid out in columns.
#pragma once

#include "ui/StdCtrls.h"
#include "ui/Strings.h"

#include <memory>
#include <vector>

class TRadioButton;

class TRadioGroup : public TCustomGroupBox {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TRadioGroup>& p);

    explicit TRadioGroup(TComponent* owner);
    ~TRadioGroup() override;

    TStrings& Items() const { return *items_; }
    TStrings* ItemsObject() const { return items_.get(); }
    // The checked item, -1 when none.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    int Columns() const { return columns_; }
    void SetColumns(int value);
    // The radio button of an item (the group makes and frees them).
    TRadioButton* Button(int index) const;
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }

    void Loaded() override;

protected:
    void BoundsChanged() override;
    // The buttons follow the group: a disabled group shows disabled items.
    void EnabledChanged() override;

private:
    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TRadioButton& button);

    std::unique_ptr<TStringList> items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};
