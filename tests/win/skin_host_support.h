// A form-data root that carries one skin data component, as the main window
// does: the skin tests read it from form text to get a component set up the
// way the program's windows set theirs up.
#pragma once

#include "skin/model/WinSkinData.h"
#include "ui/Component.h"
#include "ui/Properties.h"

namespace skintest {

class TSkinHost : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TSkinHost>& p) { p.Field("SkinData1", &TSkinHost::SkinData1); }
    using TComponent::TComponent;

    TSkinData* SkinData1 = nullptr;
};

inline constinit const TClassInfo TSkinHost::ClassInfo =
    ui::ClassOf<TSkinHost>("TSkinHost", TComponent::ClassInfo);

} // namespace skintest
