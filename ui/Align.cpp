#include "ui/Align.h"

#include "ui/Properties.h"

namespace ui {

namespace {
constexpr std::string_view kAlignNames[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
} // namespace

constinit const TEnumInfo AlignInfo{"TAlign", kAlignNames};

void EdgeDock::SetAlign(TAlign value)
{
    align_ = value;
    Apply();
}

void EdgeDock::ParentChanged()
{
    TWinControl* parent = control_.Parent();
    if (parent != watched_) {
        parentLayer_.Reset();
        watched_ = parent;
        if (parent) {
            parentLayer_ = parent->AddWindowProc([this](TMessage& message, const TWndNext& next) {
                next(message);
                if (message.Msg == WM_SIZE)
                    Apply();
            });
        }
    }
    Apply();
}

void EdgeDock::Apply()
{
    TWinControl* parent = control_.Parent();
    if (align_ == alNone || !parent || applying_)
        return;
    const RECT client = parent->ClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    RECT r = control_.BoundsRect();
    const int ownWidth = r.right - r.left;
    const int ownHeight = r.bottom - r.top;
    switch (align_) {
    case alTop:
        r = RECT{0, 0, width, ownHeight};
        break;
    case alBottom:
        r = RECT{0, height - ownHeight, width, height};
        break;
    case alLeft:
        r = RECT{0, 0, ownWidth, height};
        break;
    case alRight:
        r = RECT{width - ownWidth, 0, width, height};
        break;
    default:
        r = RECT{0, 0, width, height};
        break;
    }
    applying_ = true;
    try {
        control_.SetBoundsRect(r);
    } catch (...) {
        applying_ = false;
        throw;
    }
    applying_ = false;
}

} // namespace ui
