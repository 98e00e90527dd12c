#include "ui/RadioGroup.h"

#include "ui/Buttons.h"
#include "ui/Properties.h"

#include <algorithm>

constinit const TClassInfo TRadioGroup::ClassInfo =
    ui::ClassOf<TRadioGroup>("TRadioGroup", TCustomGroupBox::ClassInfo);

void TRadioGroup::Publish(ui::TPublisher<TRadioGroup>& p)
{
    p.Object("Items", &TRadioGroup::ItemsObject);
    p.Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex).Default(-1);
    p.Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns).Default(1);
}

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomGroupBox(owner), items_(std::make_unique<TStringList>())
{
    items_->OnChange = TNotifyEvent([this](TObject*) { UpdateButtons(); });
}

TRadioGroup::~TRadioGroup()
{
    items_->OnChange = TNotifyEvent();
}

TRadioButton* TRadioGroup::Button(int index) const
{
    if (index < 0 || index >= ButtonCount())
        return nullptr;
    return buttons_[static_cast<std::size_t>(index)];
}

void TRadioGroup::SetItemIndex(int value)
{
    if (ComponentState().Contains(csLoading)) {
        itemIndex_ = value;
        return;
    }
    if (value < -1 || value >= ButtonCount())
        value = -1;
    itemIndex_ = value;
    const bool outer = std::exchange(updating_, true);
    if (TRadioButton* button = Button(value))
        button->SetChecked(true);
    else
        for (TRadioButton* each : buttons_)
            each->SetChecked(false);
    updating_ = outer;
}

void TRadioGroup::SetColumns(int value)
{
    columns_ = std::clamp(value, 1, 16);
    ArrangeButtons();
}

void TRadioGroup::Loaded()
{
    TCustomGroupBox::Loaded();
    UpdateButtons();
}

void TRadioGroup::BoundsChanged()
{
    TCustomGroupBox::BoundsChanged();
    ArrangeButtons();
}

void TRadioGroup::EnabledChanged()
{
    TCustomGroupBox::EnabledChanged();
    for (TRadioButton* button : buttons_)
        button->SetEnabled(Enabled());
}

void TRadioGroup::UpdateButtons()
{
    if (ComponentState().Contains(csLoading))
        return;
    const auto count = static_cast<std::size_t>(items_->Count());
    while (buttons_.size() > count) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (buttons_.size() < count) {
        auto* button = new TRadioButton(this);
        button->SetParent(this);
        button->SetEnabled(Enabled());
        button->OnClick = TNotifyEvent([this, button](TObject*) { ButtonClicked(*button); });
        buttons_.push_back(button);
    }
    for (std::size_t i = 0; i < count; ++i)
        buttons_[i]->SetCaption(items_->Get(static_cast<int>(i)));
    ArrangeButtons();
    SetItemIndex(itemIndex_);
}

void TRadioGroup::ArrangeButtons()
{
    if (buttons_.empty())
        return;
    const int count = ButtonCount();
    const int rows = (count + columns_ - 1) / columns_;
    // Room for the frame and its caption.
    const int top = 16;
    const int width = std::max(Width() - 16, 0);
    const int height = std::max(Height() - top - 6, 0);
    const int columnWidth = width / columns_;
    const int rowHeight = std::max(height / std::max(rows, 1), 1);
    for (int i = 0; i < count; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        const int buttonHeight = std::min(rowHeight, 20);
        buttons_[static_cast<std::size_t>(i)]->SetBounds(8 + column * columnWidth,
                                                         top + row * rowHeight + (rowHeight - buttonHeight) / 2,
                                                         std::max(columnWidth - 4, 1), buttonHeight);
    }
}

void TRadioGroup::ButtonClicked(TRadioButton& button)
{
    if (updating_ || !button.Checked())
        return;
    const auto found = std::find(buttons_.begin(), buttons_.end(), &button);
    if (found == buttons_.end())
        return;
    const int index = static_cast<int>(found - buttons_.begin());
    if (index == itemIndex_)
        return;
    itemIndex_ = index;
    Click();
}
