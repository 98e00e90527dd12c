#include "ui/Frames.h"

#include "ui/Properties.h"

constinit const TClassInfo TFrame::ClassInfo = ui::ClassOf<TFrame>("TFrame", TWinControl::ClassInfo);

void TFrame::Publish(ui::TPublisher<TFrame>&) {}

TFrame::TFrame(TComponent* owner) : TWinControl(owner) { UpdateStoredBounds(0, 0, 320, 240); }

void TFrame::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    // Tab and dialog keys go on into the frame's own controls.
    params.ExStyle |= WS_EX_CONTROLPARENT;
}
