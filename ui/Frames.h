// The frame: a part of a form made on its own (a root read from its own
// form text, owning the components placed on it) and put into any window
// as a child container.
#pragma once

#include "ui/Control.h"

class TFrame : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TFrame>& p);

    explicit TFrame(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
};
