#include "ui/TabSet.h"

#include "ui/Properties.h"

#include <commctrl.h>

constinit const TClassInfo TTabSet::ClassInfo = ui::ClassOf<TTabSet>("TTabSet", TCustomTabControl::ClassInfo);

void TTabSet::Publish(ui::TPublisher<TTabSet>& p)
{
    p.Object("Tabs", &TTabSet::TabsObject);
    p.Integer("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex).Default(-1);
    // The tabs are always at the bottom.
    p.Enum("TabPosition", ui::TabPositionInfo, &TTabSet::TabPosition).Stored(false);
}

TTabSet::TTabSet(TComponent* owner) : TCustomTabControl(owner), tabs_(std::make_unique<TStringList>())
{
    SetTabPosition(tpBottom);
    UpdateStoredBounds(0, 0, 185, 21);
    tabs_->OnChange = TNotifyEvent([this](TObject*) { RebuildTabs(); });
}

TTabSet::~TTabSet()
{
    // The window goes while the texts it shows still exist.
    Destroying();
    DestroyComponents();
    DestroyHandle();
}

void TTabSet::CreateParams(TCreateParams& params)
{
    TCustomTabControl::CreateParams(params);
    params.Style |= TCS_BOTTOM;
}
